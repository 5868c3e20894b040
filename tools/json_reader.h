// A small JSON reader for the profiles zn4417ctl takes: the whole grammar,
// each value with the line it starts on, so that a problem can be named by
// its line.
#pragma once

#include <string>
#include <vector>

struct JsonMember;

struct JsonValue {
  enum Kind { jNull, jBool, jNumber, jString, jArray, jObject };
  Kind kind = jNull;
  int line = 1;
  bool boolean = false;
  std::string text;                 // a number as written; a string decoded to UTF-8
  std::vector<JsonValue> items;     // an array's
  std::vector<JsonMember> members;  // an object's, in their order
};

// A member of an object. A struct of its own rather than a pair: a pair of
// the still incomplete JsonValue inside JsonValue is refused by some
// standard libraries.
struct JsonMember {
  std::string name;
  JsonValue value;
};

// Reads one JSON value that fills `text` (white space around it allowed).
// False with `line` and `error` naming the problem.
bool ReadJson(const std::string& text, JsonValue& value, int& line, std::string& error);
