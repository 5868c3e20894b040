#include "tools/json_reader.h"

#include <cstring>

namespace {

constexpr int kMaxDepth = 32;

class Reader {
 public:
  explicit Reader(const std::string& text) : s_(text) {}

  bool Document(JsonValue& value) {
    if (!Value(value, 0)) return false;
    Skip();
    return at_ == s_.size() || Fail("unexpected text after the JSON value");
  }
  int Line() const { return line_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& error) {
    error_ = error;
    return false;
  }
  void Skip() {
    while (at_ < s_.size() && s_[at_] != 0 && std::strchr(" \t\r\n", s_[at_]) != nullptr) {
      if (s_[at_++] == '\n') ++line_;
    }
  }
  bool Take(char c) {
    Skip();
    if (at_ < s_.size() && s_[at_] == c) return ++at_, true;
    return false;
  }
  bool Word(const char* word) {
    const size_t n = std::strlen(word);
    if (s_.compare(at_, n, word) != 0) return false;
    at_ += n;
    return true;
  }

  bool Value(JsonValue& v, int depth) {
    Skip();
    v.line = line_;
    if (depth > kMaxDepth) return Fail("nested too deeply");
    if (at_ >= s_.size()) return Fail("unexpected end of the file");
    const char c = s_[at_];
    if (c == '{') return Object(v, depth);
    if (c == '[') return Array(v, depth);
    if (c == '"') return v.kind = JsonValue::jString, String(v.text);
    if (Word("true") || Word("false")) {
      v.kind = JsonValue::jBool;
      v.boolean = c == 't';
      return true;
    }
    if (Word("null")) return v.kind = JsonValue::jNull, true;
    if (c == '-' || (c >= '0' && c <= '9')) return Number(v);
    return Fail(std::string("unexpected '") + c + "'");
  }

  bool Object(JsonValue& v, int depth) {
    v.kind = JsonValue::jObject;
    ++at_;
    if (Take('}')) return true;
    do {
      Skip();
      std::string key;
      if (at_ >= s_.size() || s_[at_] != '"') return Fail("expected a member name in quotes");
      if (!String(key)) return false;
      if (!Take(':')) return Fail("expected ':' after \"" + key + "\"");
      v.members.push_back({key, JsonValue{}});
      if (!Value(v.members.back().value, depth + 1)) return false;
    } while (Take(','));
    return Take('}') || Fail("expected ',' or '}'");
  }

  bool Array(JsonValue& v, int depth) {
    v.kind = JsonValue::jArray;
    ++at_;
    if (Take(']')) return true;
    do {
      v.items.emplace_back();
      if (!Value(v.items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']') || Fail("expected ',' or ']'");
  }

  bool Digits() {
    const size_t start = at_;
    while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
    return at_ > start;
  }

  bool Number(JsonValue& v) {
    v.kind = JsonValue::jNumber;
    const size_t start = at_;
    if (s_[at_] == '-') ++at_;
    if (at_ < s_.size() && s_[at_] == '0') {
      ++at_;
    } else if (!Digits()) {
      return Fail("bad number");
    }
    if (at_ < s_.size() && s_[at_] == '.' && (++at_, !Digits())) return Fail("bad number");
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
      if (!Digits()) return Fail("bad number");
    }
    v.text = s_.substr(start, at_ - start);
    return true;
  }

  bool Hex4(uint32_t& code) {
    if (at_ + 4 > s_.size()) return Fail("bad \\u escape");
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = s_[at_++];
      const int digit = h >= '0' && h <= '9'   ? h - '0'
                        : h >= 'a' && h <= 'f' ? h - 'a' + 10
                        : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                               : -1;
      if (digit < 0) return Fail("bad \\u escape");
      code = code * 16 + static_cast<uint32_t>(digit);
    }
    return true;
  }

  static void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | code >> 12);
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | code >> 18);
      out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool Escape(std::string& out) {
    const char e = s_[at_++];
    const char* from = "\"\\/bfnrt";
    const char* to = "\"\\/\b\f\n\r\t";
    if (const char* p = std::strchr(from, e); p != nullptr && e != 0) {
      out += to[p - from];
      return true;
    }
    if (e != 'u') return Fail(std::string("bad escape '\\") + e + "'");
    uint32_t code = 0;
    if (!Hex4(code)) return false;
    if (code >= 0xD800 && code <= 0xDBFF) {  // a surrogate pair
      uint32_t low = 0;
      if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) {
        return Fail("bad surrogate pair");
      }
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      return Fail("bad surrogate pair");
    }
    AppendUtf8(out, code);
    return true;
  }

  bool String(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string");
      if (c != '\\') {
        out += c;
      } else if (at_ >= s_.size() || !Escape(out)) {
        return error_.empty() ? Fail("unterminated string") : false;
      }
    }
    return Fail("unterminated string");
  }

  const std::string& s_;
  size_t at_ = 0;
  int line_ = 1;
  std::string error_;
};

}  // namespace

bool ReadJson(const std::string& text, JsonValue& value, int& line, std::string& error) {
  Reader reader(text);
  value = JsonValue{};
  const bool ok = reader.Document(value);
  line = reader.Line();
  if (!ok) error = reader.Error();
  return ok;
}
