#include "tools/ctl_profile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/ctl_format.h"
#include "tools/ctl_names.h"
#include "tools/json_reader.h"

namespace {

// Far beyond any profile; a bigger file is not one.
constexpr size_t kMaxProfileSize = 1 << 20;

struct Line {
  int number = 0;
  std::string text;  // NAME=VALUE
  Assignment assignment;
};

std::string Trim(const std::string& s) {
  const size_t start = s.find_first_not_of(" \t\r");
  if (start == std::string::npos) return "";
  return s.substr(start, s.find_last_not_of(" \t\r") - start + 1);
}

// "NAME=VALUE" with white space around either part taken away.
std::string Tidy(const std::string& s) {
  const size_t eq = s.find('=');
  if (eq == std::string::npos) return s;
  return Trim(s.substr(0, eq)) + "=" + Trim(s.substr(eq + 1));
}

bool ReadText(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open profile '" + path + "'";
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read profile '" + path + "'";
    return false;
  }
  if (text.size() > kMaxProfileSize) {
    error = "profile '" + path + "' is too large to be a profile";
    return false;
  }
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // a byte-order mark
  return true;
}

void FromLines(const std::string& text, std::vector<Line>& lines) {
  std::istringstream in(text);
  std::string raw;
  for (int number = 1; std::getline(in, raw); ++number) {
    const std::string line = Trim(raw.substr(0, raw.find('#')));
    if (!line.empty()) lines.push_back(Line{number, Tidy(line), {}});
  }
}

// A member of "parameters" as NAME=VALUE: numbers as written, flags as 1 or 0.
bool FromMember(const std::string& name, const JsonValue& v, Line& line, std::string& error) {
  line.number = v.line;
  if (v.kind == JsonValue::jNumber) {
    line.text = name + "=" + v.text;
  } else if (v.kind == JsonValue::jBool) {
    line.text = name + "=" + (v.boolean ? "1" : "0");
  } else {
    error = "value of " + name + " must be a number, true or false";
    return false;
  }
  return true;
}

bool FromJson(const std::string& text, std::vector<Line>& lines, int& at, std::string& error) {
  JsonValue root;
  if (!ReadJson(text, root, at, error)) return false;
  at = root.line;
  if (root.kind != JsonValue::jObject) return error = "expected a JSON object", false;
  const JsonValue* parameters = nullptr;
  for (const auto& [key, value] : root.members) {
    at = value.line;
    if (key == "parameters" && value.kind == JsonValue::jObject) {
      parameters = &value;
    } else if (key != "units") {
      error = "unexpected member \"" + key + "\" (a profile holds \"parameters\")";
      return false;
    }
  }
  if (parameters == nullptr) return error = "no \"parameters\" object", false;
  for (const auto& [name, value] : parameters->members) {
    lines.emplace_back();
    if (!FromMember(name, value, lines.back(), error)) return at = value.line, false;
  }
  return true;
}

// A line whose value a later line changes (the same parameter, or the same
// flag by its other name) is an error at the first line that changes it.
// One pass that looks back only at the first line to give each parameter its
// value, so the check grows with the profile's length, not with its square.
bool CheckConsistent(const std::vector<Line>& lines, int& at, std::string& error) {
  struct Held {
    const Line* line;
    long double meant;
  };
  std::vector<Held> held;
  ParameterSet params;
  for (const Line& line : lines) {
    ApplyAndLink(params, line.assignment);
    for (const Held& h : held) {
      if (ValueOf(params, h.line->assignment.Ref()) == h.meant) continue;
      at = line.number;
      error =
          line.text + " contradicts " + h.line->text + " on line " + std::to_string(h.line->number);
      if (line.assignment.id != h.line->assignment.id) error += " (both name the same flag)";
      return false;
    }
    const ParamRef ref = line.assignment.Ref();
    const bool known = std::any_of(held.begin(), held.end(), [&](const Held& h) {
      return h.line->assignment.id == ref.id && h.line->assignment.item == ref.item;
    });
    if (!known) held.push_back(Held{&line, ValueOf(params, ref)});
  }
  return true;
}

bool CheckLines(std::vector<Line>& lines, bool clamp, int& at, std::string& error) {
  if (lines.empty()) return at = 0, error = "names no parameter", false;
  for (Line& line : lines) {
    at = line.number;
    if (!ParseAssignment(line.text, line.assignment, error)) return false;
    if (!clamp && !CheckInRange(line.assignment, line.text, error)) return false;
  }
  return CheckConsistent(lines, at, error);
}

}  // namespace

bool LoadProfile(const std::string& path, bool clamp, std::vector<Assignment>& assignments,
                 std::string& error) {
  std::string text;
  if (!ReadText(path, text, error)) return false;
  std::vector<Line> lines;
  int at = 0;
  const size_t first = text.find_first_not_of(" \t\r\n");
  const bool json = first != std::string::npos && text[first] == '{';
  if (!json) FromLines(text, lines);
  const bool ok =
      (!json || FromJson(text, lines, at, error)) && CheckLines(lines, clamp, at, error);
  if (!ok) {
    error = path + (at > 0 ? ":" + std::to_string(at) : "") + ": " + error;
    return false;
  }
  for (const Line& line : lines) assignments.push_back(line.assignment);
  return true;
}
