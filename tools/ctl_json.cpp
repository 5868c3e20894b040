#include "tools/ctl_json.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at `at`, or 0 when there is none.
size_t Utf8Length(const std::string& s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > s.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  // No overlong forms, no surrogates, nothing beyond U+10FFFF.
  const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else if (c >= 0x80) {
      const size_t length = Utf8Length(text, i);
      out += length == 0 ? "\xEF\xBF\xBD" : text.substr(i, length);
      i += length == 0 ? 1 : length;
      continue;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

JsonObject& JsonObject::Raw(const std::string& key, const std::string& json) {
  if (!fields_.empty()) fields_ += ", ";
  fields_ += JsonString(key) + ": " + json;
  return *this;
}

JsonObject& JsonObject::Text(const std::string& key, const std::string& text) {
  return Raw(key, JsonString(text));
}

JsonObject& JsonObject::Number(const std::string& key, long long value) {
  return Raw(key, std::to_string(value));
}

JsonObject& JsonObject::Bool(const std::string& key, bool value) {
  return Raw(key, value ? "true" : "false");
}
