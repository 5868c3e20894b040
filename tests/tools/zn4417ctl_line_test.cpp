// zn4417ctl as a production line uses it, run as a program on simulated
// chips kept in files: profiles, dry runs, the traceability log and the
// JSON results.
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QRegularExpression>

#include "tests/tools/json_lines.h"
#include "tests/tools/sim_tool_fixture.h"

namespace {

std::string Sha256Of(const std::vector<uint8_t>& bytes) {
  return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<qsizetype>(bytes.size())),
                                  QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

std::string ReadText(const fs::path& path) {
  std::vector<uint8_t> bytes = ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

void WriteText(const fs::path& path, const std::string& text) {
  WriteFile(path, {text.begin(), text.end()});
}

class LineToolTest : public MultiToolTest {
 protected:
  // The chip's file is as it was: every byte, and the time it was last written.
  void ExpectUntouched(const std::vector<uint8_t>& memory, fs::file_time_type stamp) {
    EXPECT_EQ(ReadFile(simFile), memory);
    EXPECT_EQ(fs::last_write_time(simFile), stamp);
  }
};

TEST_F(LineToolTest, AProfileFromDumpGivesAnotherChipTheSameParameters) {
  ASSERT_EQ(
      Run({"set", "BOOST=99", "PMIN=1000", "OVERLOAD2=1", "HFD=1", "INVC=1", "PMID=-33"}).exitCode,
      0);
  const std::string dump = Run({"dump"}).out;
  WriteText(dir / "p.txt", dump);
  WriteText(dir / "p.json", Run({"dump", "--json"}).out);
  // Another chip holds other values and a fixed item (FUNREG.0) set.
  std::vector<uint8_t> memory = ReadFile(second);
  memory[kSfr + 17] = 5;
  memory[kSfr + 10] |= 0x01;
  WriteFile(second, memory);
  const fs::path third = CopyChip("third.mem");
  for (const auto& [chip, profile] : {std::pair{second, "p.txt"}, std::pair{third, "p.json"}}) {
    const std::string bridge = "sim:" + chip.string();
    ToolResult set = RunTool({"--bridge", bridge, "set", "--from", (dir / profile).string()});
    ASSERT_EQ(set.exitCode, 0) << profile << ": " << set.err;
    EXPECT_EQ(set.out, "下载成功!\n");
    EXPECT_EQ(RunTool({"--bridge", bridge, "dump"}).out, dump) << profile;
  }
  EXPECT_EQ(SfrOf(second)[10] & 0x01, 0) << "the fixed item at its fixed value";

  const std::string p = (dir / "p.txt").string();
  ToolResult same = RunTool({"--bridge", "sim:" + second.string(), "verify", "--from", p});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "the parameters match the profile\n");
  ASSERT_EQ(Run({"set", "BOOST=98", "OVERLOAD2=0"}).exitCode, 0);
  ToolResult differs = Run({"verify", "--from", p});
  EXPECT_EQ(differs.exitCode, 1);
  EXPECT_EQ(differs.out,
            "3 parameters of the profile differ:\nBOOST: chip 98, profile 99\n"
            "FUNREG.6: chip 0, profile 1\nOVERLOAD2: chip 0, profile 1\n");
  // Assignments after the profile win over it.
  ASSERT_EQ(Run({"set", "--from", p, "BOOST=7", "OVERLOAD2=0"}).exitCode, 0);
  ExpectDumpLines({{2, "BOOST=7"}, {14, "PMIN=1000"}, {28, "OVERLOAD2=0"}, {30, "HFD=1"}});
}

TEST_F(LineToolTest, ABadProfileIsNamedByFileAndLineAndNothingIsSent) {
  const std::pair<std::string, std::string> cases[] = {
      {"BOOST=9\n\n# a comment\nBOST=3\n",
       ":4: unknown parameter 'BOST' (zn4417ctl --help lists the names)"},
      {"BOOST = 300   # too much\n", ":1: BOOST=300 is outside 0..255"},
      {"PMIN=x\n", ":1: value of PMIN is not a number: 'x'"},
      {"\r\nHFD=2\r\n", ":2: value of HFD must be 0 or 1, not '2'"},
      {"FUNREG.4=1\n",
       ":1: item 'FUNREG.4' is disabled and cannot be set to 1 (every write clears it)"},
      {"BOOST 9\n", ":1: expected NAME=VALUE, got 'BOOST 9'"},
      {"FUNREG.5=1\nDEADBAND=3\nOVERLOAD1=0\n",
       ":3: OVERLOAD1=0 contradicts FUNREG.5=1 on line 1 (both name the same flag)"},
      {"BOOST=8\nBT=9\n", ":2: BT=9 contradicts BOOST=8 on line 1"},
      // The first line that contradicts anything is named, and a repeat of
      // the same value is none.
      {"BOOST=8\nPMIN=1000\nBT=8\nPMIN=1001\nBOOST=9\n",
       ":4: PMIN=1001 contradicts PMIN=1000 on line 2"},
      {"# nothing but a comment\n\n", ": names no parameter"},
      {"{\"parameters\": {\n  \"BOOST\": 9,\n  \"NOPE\": 1\n}}\n",
       ":3: unknown parameter 'NOPE' (zn4417ctl --help lists the names)"},
      {"{\"parameters\": {\n  \"BOOST\": 9,\n}}", ":3: expected a member name in quotes"},
      {"{\"parameters\": {\"HFD\": \"yes\"}}", ":1: value of HFD must be a number, true or false"},
      {"\n{\"params\": {}}", ":2: unexpected member \"params\" (a profile holds \"parameters\")"},
  };
  const fs::path profile = dir / "bad.profile";
  const std::vector<uint8_t> memory = ReadFile(simFile);
  const auto stamp = fs::last_write_time(simFile);
  for (const auto& [content, problem] : cases) {
    WriteText(profile, content);
    for (const char* command : {"set", "verify"}) {
      ToolResult r = Run({command, "--from", profile.string()});
      EXPECT_EQ(r.exitCode, 64) << content;
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, "zn4417ctl: " + profile.string() + problem + "\n") << content;
    }
  }
  ToolResult missing = Run({"set", "--from", (dir / "none").string()});
  EXPECT_EQ(missing.exitCode, 64);
  EXPECT_EQ(missing.err, "zn4417ctl: cannot open profile '" + (dir / "none").string() + "'\n");
  ExpectUntouched(memory, stamp);
}

TEST_F(LineToolTest, ADryRunTellsWhatWouldChangeAndLeavesTheChipAlone) {
  ASSERT_EQ(Run({"set", "BOOST=8"}).exitCode, 0);  // what a write sends, so nothing would change
  const std::vector<uint8_t> memory = ReadFile(simFile);
  const auto stamp = fs::last_write_time(simFile);
  ToolResult set = Run({"set", "BOOST=9", "PMIN=1000", "--dry-run"});
  EXPECT_EQ(set.exitCode, 1) << set.err;
  EXPECT_EQ(set.out,
            "would change 3 offsets and 2 parameters:\n0x11: chip 08, new 09\n"
            "0x1C: chip 94, new 88\n0x1D: chip 11, new 13\nBOOST: chip 8, new 9\n"
            "PMIN: chip 900, new 1000\n");
  ToolResult none = Run({"set", "BOOST=8", "--dry-run"});
  EXPECT_EQ(none.exitCode, 0) << none.err;
  EXPECT_EQ(none.out, "nothing would change\n");

  std::vector<uint8_t> image = SfrOf(simFile);
  image[40] = 0x12;
  WriteFile(dir / "image.bin", image);
  ToolResult write = Run({"write", (dir / "image.bin").string(), "--dry-run", "--json"});
  EXPECT_EQ(write.exitCode, 1);
  QJsonObject o = Json(write.out);
  EXPECT_TRUE(o["dry_run"].toBool());
  EXPECT_EQ(Text(o["reason"]), "would change 1 offset and 0 parameters");
  EXPECT_EQ(o["differing_offsets"].toArray().size(), 1);
  EXPECT_EQ(o["differing_offsets"][0].toObject(),
            (QJsonObject{{"offset", 40}, {"chip", 0x68}, {"expected", 0x12}}));
  EXPECT_FALSE(o.contains("differing_parameters"));
  ExpectUntouched(memory, stamp);
}

TEST_F(LineToolTest, TheLogGetsALinePerChipAppendedWithTheDigestsOfWhatWasRead) {
  const fs::path log = dir / "line.jsonl";
  const std::vector<uint8_t> before = SfrOf(simFile);
  ToolResult set = RunAll({"set", "BOOST=9", "--all", "--log", log.string()});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(set.err, "zn4417ctl: 2 bridges: 2 done, 0 failed\n");
  const std::vector<uint8_t> after = SfrOf(simFile);
  const std::string version = SplitLines(RunTool({"--version"}).out).at(0);
  std::vector<QJsonObject> lines = JsonLines(ReadText(log));
  ASSERT_EQ(lines.size(), 2u);
  std::sort(lines.begin(), lines.end(), [](const QJsonObject& a, const QJsonObject& b) {
    return a["index"].toInt() < b["index"].toInt();
  });
  const QRegularExpression iso(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)");
  for (const QJsonObject& line : lines) {
    EXPECT_TRUE(iso.match(line["time"].toString()).hasMatch()) << Text(line["time"]);
    EXPECT_NE(version.find(" " + Text(line["version"])), std::string::npos) << version;
    EXPECT_EQ(Text(line["command"]), "set");
    EXPECT_EQ(Text(line["serial"]), "tx_v1.0");
    EXPECT_EQ(line["exit_code"].toInt(), 0);
    EXPECT_EQ(Text(line["reason"]), "下载成功!");
    EXPECT_EQ(Text(line["sha256_before"]), Sha256Of(before)) << "both chips held the same";
    EXPECT_EQ(Text(line["sha256_after"]), Sha256Of(after));
  }
  EXPECT_EQ(lines[0]["index"].toInt(), 0);
  EXPECT_EQ(Text(lines[0]["location"]), simFile.string());
  EXPECT_EQ(lines[1]["index"].toInt(), 2);
  EXPECT_EQ(Text(lines[1]["location"]), second.string());

  // Appended, never truncated: a write reads nothing before, a dry run nothing after.
  const std::string first = ReadText(log);
  WriteFile(dir / "image.bin", before);
  ASSERT_EQ(Run({"write", (dir / "image.bin").string(), "--log", log.string()}).exitCode, 0);
  ASSERT_EQ(Run({"set", "BOOST=10", "--dry-run", "--log", log.string()}).exitCode, 1);
  const std::string text = ReadText(log);
  ASSERT_EQ(text.rfind(first, 0), 0u);
  lines = JsonLines(text.substr(first.size()));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Text(lines[0]["image"]), (dir / "image.bin").string());
  EXPECT_FALSE(lines[0].contains("sha256_before"));
  EXPECT_EQ(Text(lines[0]["sha256_after"]), Sha256Of(SfrOf(simFile)));
  EXPECT_TRUE(lines[1]["dry_run"].toBool());
  EXPECT_TRUE(lines[1].contains("sha256_before"));
  EXPECT_FALSE(lines[1].contains("sha256_after"));
}

TEST_F(LineToolTest, ALogThatCannotBeWrittenStopsTheCommandBeforeAnythingIsSent) {
  fs::create_directory(dir / "a-directory");
  std::vector<std::pair<fs::path, std::string>> cases = {
      {dir / "missing" / "line.jsonl", "No such file or directory"},
      {dir / "a-directory", "Is a directory"},
  };
  if (geteuid() != 0) {  // root writes through any mode
    WriteText(dir / "read-only.jsonl", "");
    chmod((dir / "read-only.jsonl").c_str(), 0444);
    cases.emplace_back(dir / "read-only.jsonl", "Permission denied");
  }
  const std::vector<uint8_t> memory = ReadFile(simFile);
  const auto stamp = fs::last_write_time(simFile);
  for (const auto& [log, why] : cases) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set", "BOOST=3"}, {"set", "BOOST=3", "--all"}, {"dump"}}) {
      std::vector<std::string> withLog = args;
      withLog.insert(withLog.end(), {"--log", log.string()});
      ToolResult r = Run(withLog);
      EXPECT_EQ(r.exitCode, 64) << log;
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, "zn4417ctl: cannot open log file '" + log.string() + "': " + why + "\n");
    }
  }
  ExpectUntouched(memory, stamp);
}

TEST_F(LineToolTest, JsonTellsEachBridgesResult) {
  ToolResult list = RunAll({"list", "--json"});
  ASSERT_EQ(list.exitCode, 0);
  std::vector<QJsonObject> bridges = JsonLines(list.out);
  ASSERT_EQ(bridges.size(), 3u);
  EXPECT_EQ(bridges[1], (QJsonObject{{"index", 1},
                                     {"location", QString::fromStdString(other.string())},
                                     {"serial", "other-bridge"},
                                     {"zn4417", false},
                                     {"exit_code", 2},
                                     {"reason", "not a ZN4417 bridge"}}));
  EXPECT_TRUE(bridges[2]["zn4417"].toBool());

  ToolResult set = RunAll({"set", "BOOST=12", "--all", "--json"});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  std::vector<QJsonObject> results = JsonLines(set.out);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1], (QJsonObject{{"index", 2},
                                     {"location", QString::fromStdString(second.string())},
                                     {"serial", "tx_v1.0"},
                                     {"command", "set"},
                                     {"exit_code", 0},
                                     {"reason", "下载成功!"}}));

  ASSERT_EQ(RunTool({"--bridge", "sim:" + second.string(), "set", "BOOST=13"}).exitCode, 0);
  WriteFile(dir / "image.bin", SfrOf(simFile));
  ToolResult verify = RunAll({"verify", (dir / "image.bin").string(), "--all", "--json"});
  EXPECT_EQ(verify.exitCode, 1);
  results = JsonLines(verify.out);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_FALSE(results[0].contains("differing_offsets"));
  EXPECT_EQ(results[1]["differing_offsets"].toArray(),
            (QJsonArray{QJsonObject{{"offset", 17}, {"chip", 13}, {"expected", 12}}}));

  WriteText(dir / "p.txt", "BOOST=12\nHFD=1\n");
  ToolResult profile = Run({"verify", "--from", (dir / "p.txt").string(), "--json"});
  EXPECT_EQ(profile.exitCode, 1);
  EXPECT_EQ(Json(profile.out)["differing_parameters"].toArray(),
            (QJsonArray{QJsonObject{{"name", "HFD"}, {"chip", false}, {"expected", true}}}));
  EXPECT_EQ(profile.err,
            "zn4417ctl: 1 parameter of the profile differs:\nHFD: chip 0, profile 1\n");
}

}  // namespace
