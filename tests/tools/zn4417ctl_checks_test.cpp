// zn4417ctl as a program on the simulated chip: range checks, names a
// technician knows, verify and the JSON output.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/tools/sim_tool_fixture.h"

namespace {

QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error{};
  QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << text;
  EXPECT_TRUE(doc.isObject()) << text;
  return doc.object();
}

TEST_F(SimToolTest, ValuesOutsideTheirRangeAreRefusedAndNothingIsSent) {
  std::vector<uint8_t> memory = ReadFile(simFile);
  auto stamp = fs::last_write_time(simFile);
  ToolResult r = Run({"set", "DB=300"});
  EXPECT_EQ(r.exitCode, 64);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "zn4417ctl: DB=300 is outside 0..255\n");
  ToolResult later = Run({"set", "DEADBAND=5", "pmin=3000"});
  EXPECT_EQ(later.exitCode, 64);
  EXPECT_EQ(later.err, "zn4417ctl: pmin=3000 is outside 500..2500 us\n");
  EXPECT_EQ(Run({"set", "PMID=-121"}).exitCode, 64);
  EXPECT_EQ(ReadFile(simFile), memory) << "a refused set sends nothing, not even its valid part";
  EXPECT_EQ(fs::last_write_time(simFile), stamp);

  ToolResult clamped = Run({"set", "--clamp", "DB=300", "PMID=-500"});
  EXPECT_EQ(clamped.exitCode, 0) << clamped.err;
  EXPECT_EQ(clamped.out, "下载成功!\n");
  EXPECT_EQ(Sfr()[15], 0) << "DB clamped to 255 is stored inverted";
  EXPECT_EQ(Sfr()[32], 0x88) << "PMID clamped to -120";
}

TEST_F(SimToolTest, CaptionsAndReadableNamesSetTheirBytes) {
  ToolResult r = Run({"set", "deadband=12", "Pmin=1000", "overload3=1", "lppmp=1", "INVC=1",
                      "funreg.3=1", "P2WTIME=77"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<uint8_t> sfr = Sfr();
  EXPECT_EQ(sfr[15], 243);
  EXPECT_EQ(sfr[28], 0x88) << "1000 us is 5000 fifths: 0x1388";
  EXPECT_EQ(sfr[29], 0x13);
  EXPECT_EQ(sfr[10], 0x8C) << "overload L3 (bit 7), PPM protect (bit 2), high freq (bit 3)";
  EXPECT_EQ(sfr[11], 0x40);
  EXPECT_EQ(sfr[24], 77);

  ToolResult alias = Run({"set", "DB=20", "FUNREG1.0=1", "nvchckbxINVC=0"});
  ASSERT_EQ(alias.exitCode, 0) << alias.err;
  EXPECT_EQ(Sfr()[15], 235);
  EXPECT_EQ(Sfr()[10], 0xAC);
  EXPECT_EQ(Sfr()[11], 0x00);
  ExpectDumpLines({{0, "DEADBAND=20"},
                   {9, "P2WTIME=77"},
                   {14, "PMIN=1000"},
                   {27, "OVERLOAD1=1"},
                   {29, "OVERLOAD3=1"},
                   {31, "LPPMP=1"},
                   {32, "INVC=0"}});
}

TEST_F(SimToolTest, JsonHoldsWhatTheTextShows) {
  ASSERT_EQ(Run({"set", "PMID=-33", "HFD=1"}).exitCode, 0);
  ToolResult dump = Run({"dump", "--json"});
  ASSERT_EQ(dump.exitCode, 0) << dump.err;
  EXPECT_EQ(SplitLines(dump.out).size(), 1u);
  QJsonObject params = ParseJson(dump.out)["parameters"].toObject();
  ToolResult text = Run({"dump"});
  std::vector<std::string> lines = SplitLines(text.out);
  ASSERT_EQ(params.size(), static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) {
    const std::string name = line.substr(0, line.find('='));
    const std::string value = line.substr(line.find('=') + 1);
    QJsonValue v = params[QString::fromStdString(name)];
    if (v.isBool()) {
      EXPECT_EQ(v.toBool() ? "1" : "0", value) << name;
    } else {
      ASSERT_TRUE(v.isDouble()) << name;
      EXPECT_EQ(std::to_string(v.toInt()), value) << name;
    }
  }
  EXPECT_EQ(params["PMID"].toInt(), -33);
  EXPECT_TRUE(params["HFD"].toBool());

  ToolResult read = Run({"--json", "read"});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  QJsonObject block = ParseJson(read.out);
  std::vector<uint8_t> sfr = Sfr();
  QJsonArray bytes = block["bytes"].toArray();
  ASSERT_EQ(bytes.size(), 64);
  std::string hex;
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(bytes[i].toInt(), sfr[i]) << i;
    char cell[3];
    std::snprintf(cell, sizeof cell, "%02X", sfr[i]);
    hex += cell;
  }
  EXPECT_EQ(block["hex"].toString().toStdString(), hex);
}

TEST_F(SimToolTest, VerifyComparesTheFileAsAWriteWouldSendIt) {
  fs::path file = dir / "block.bin";
  ASSERT_EQ(Run({"read", "-o", file.string()}).exitCode, 0);
  std::vector<uint8_t> image = ReadFile(file);
  image[12] = 3;      // forced to 7 on every write
  image[20] = 0;      // forced to 41
  image[10] |= 0x13;  // bits that encoding clears
  image[63] ^= 0xFF;  // not compared
  WriteFile(file, image);
  std::vector<uint8_t> memory = ReadFile(simFile);
  auto stamp = fs::last_write_time(simFile);
  ToolResult same = Run({"verify", file.string()});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "offsets 0 to 62 match the file\n");

  image[5] = 0x99;
  image[15] = 0x01;  // DEADBAND 254
  WriteFile(file, image);
  ToolResult differs = Run({"verify", file.string()});
  EXPECT_EQ(differs.exitCode, 1);
  EXPECT_EQ(differs.out,
            "2 of offsets 0 to 62 differ:\n0x05: chip 45, file 99\n"
            "0x0F: chip F8, file 01\n");

  for (int i = 33; i < 63; ++i) image[i] = static_cast<uint8_t>(~image[i]);
  WriteFile(file, image);
  ToolResult many = Run({"verify", file.string()});
  EXPECT_EQ(many.exitCode, 1);
  std::vector<std::string> lines = SplitLines(many.out);
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[0], "32 of offsets 0 to 62 differ:");
  EXPECT_EQ(lines[16], "0x2E: chip 6E, file 91");
  EXPECT_EQ(lines[17], "and 16 more differing offsets");
  EXPECT_EQ(ReadFile(simFile), memory) << "verify writes nothing";
  EXPECT_EQ(fs::last_write_time(simFile), stamp);
}

TEST_F(SimToolTest, OptionsThatDoNotFitTheCommandAreRefused) {
  fs::path file = dir / "block.bin";
  WriteFile(file, std::vector<uint8_t>(64, 0));
  const std::vector<std::vector<std::string>> cases = {
      {"--dry-run", "read"},
      {"verify", file.string(), "--dry-run"},
      {"--from", file.string(), "write", file.string()},
      {"--log", (dir / "x").string(), "list"},
      {"--log"},
      {"--from=", "set"},
      {"set"},
      {"verify", "--from", (dir / "missing.profile").string()},
      {"--all", "read"},
      {"--all", "dump"},
      {"--all", "--index", "1", "write", file.string()},
      {"--clamp", "dump"},
      {"read", "-o", (dir / "x").string(), "--json"},
      {"--index", "x", "read"},
      {"--index", "-1", "read"},
      {"--index"},
      {"--index", "1", "list"},
      {"verify"},
      {"verify", (dir / "missing.bin").string()},
  };
  std::vector<uint8_t> memory = ReadFile(simFile);
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    ToolResult r = Run(args);
    EXPECT_EQ(r.exitCode, 64) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_EQ(SplitLines(r.err).size(), 1u) << joined << ": " << r.err;
  }
  EXPECT_EQ(ReadFile(simFile), memory);
  EXPECT_FALSE(fs::exists(dir / "x"));
}

}  // namespace
