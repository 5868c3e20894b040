// The tool's JSON: strings that stay valid JSON whatever bytes they hold,
// and the reader profiles go through, with the line of every problem.
#include <gtest/gtest.h>

#include "tools/ctl_json.h"
#include "tools/json_reader.h"

namespace {

TEST(JsonOut, StringsAreEscapedAndStayUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"tx_v1.0", "\"tx_v1.0\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\nbreak\t\x01", "\"line\\u000abreak\\u0009\\u0001\""},
      {"下载成功!", "\"下载成功!\""},
      {"bad\xFF\xC3", "\"bad\xEF\xBF\xBD\xEF\xBF\xBD\""},            // not UTF-8: U+FFFD each
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                  // an overlong '/'
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // a surrogate
  };
  for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json);
  EXPECT_EQ(JsonObject().Number("a", -3).Bool("b", true).Text("c", "x").Raw("d", "[]").Json(),
            "{\"a\": -3, \"b\": true, \"c\": \"x\", \"d\": []}");
}

TEST(JsonIn, ReadsValuesWithTheirLines) {
  JsonValue v;
  int line = 0;
  std::string error;
  ASSERT_TRUE(
      ReadJson("{\"a\": 1,\n \"b\": [true, null, -2.5e3],\n\"c\": \"\\u4e0b\\ud83d\\ude00\"}", v,
               line, error))
      << error;
  ASSERT_EQ(v.kind, JsonValue::jObject);
  ASSERT_EQ(v.members.size(), 3u);
  EXPECT_EQ(v.members[0].value.text, "1");
  EXPECT_EQ(v.members[1].value.line, 2);
  EXPECT_EQ(v.members[1].value.items.at(2).text, "-2.5e3");
  EXPECT_EQ(v.members[2].value.text, "下\xF0\x9F\x98\x80");
  EXPECT_EQ(v.members[2].value.line, 3);
}

TEST(JsonIn, RefusesBadTextAtItsLine) {
  const std::pair<std::string, int> cases[] = {
      {"", 1},
      {"{\"a\": 1,\n}", 2},
      {"{\"a\": 01}", 1},
      {"{\"a\":\n -}", 2},
      {"{\"a\": \"x\ny\"}", 1},
      {"{\"a\": \"\\x\"}", 1},
      {"{\"a\": \"\\ud800\"}", 1},
      {"{\"a\": 1}\n\n{}", 3},
      {"{\"a\": tru}", 1},
      {std::string(100, '['), 1},
      {std::string("{\"a\": 1\0}", 9), 1},
  };
  for (const auto& [text, at] : cases) {
    JsonValue v;
    int line = 0;
    std::string error;
    EXPECT_FALSE(ReadJson(text, v, line, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
    EXPECT_EQ(line, at) << text << ": " << error;
  }
}

}  // namespace
