// JSON output of zn4417ctl: strings escaped so that any serial string or
// file name gives valid JSON, and one object built field by field.
#pragma once

#include <string>

// `text` as a JSON string literal, quotes included. Bytes that are not
// UTF-8 become U+FFFD.
std::string JsonString(const std::string& text);

// {"key": value, ...} in the order the fields were added.
class JsonObject {
 public:
  // `json` is already JSON (a number, true, an array, an object).
  JsonObject& Raw(const std::string& key, const std::string& json);
  JsonObject& Text(const std::string& key, const std::string& text);
  JsonObject& Number(const std::string& key, long long value);
  JsonObject& Bool(const std::string& key, bool value);

  std::string Json() const { return "{" + fields_ + "}"; }

 private:
  std::string fields_;
};
