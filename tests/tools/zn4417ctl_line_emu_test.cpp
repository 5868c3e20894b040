// A production line tried without hardware: zn4417ctl --all over several
// zn4417emu processes, faults on some of them while the others are
// programmed, with the log and the JSON results.
#include <signal.h>
#include <stdlib.h>

#include <QJsonObject>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/support/temp_dir.h"
#include "tests/tools/emu_process.h"
#include "tests/tools/json_lines.h"

namespace {

namespace fs = std::filesystem;

TEST(LineOnEmulators, FaultsOnSomeChipsLeaveTheOthersProgrammedAndEveryOneLogged) {
  const TempDir temp("zn4417ctl-line");
  const fs::path& dir = temp.Path();
  // Bridge 1 acknowledges the first chunk of a write wrongly, bridge 3 is
  // pulled out during the first chunk of the write.
  const std::vector<std::vector<std::string>> faults = {
      {}, {"--fault", "wrong-ack@0"}, {}, {"--fault", "unplug@20"}};
  std::vector<std::unique_ptr<EmuProcess>> emus;
  std::string address;
  for (const auto& args : faults) {
    emus.push_back(std::make_unique<EmuProcess>());
    ASSERT_TRUE(emus.back()->Start(args));
    address += (address.empty() ? "" : ",") + emus.back()->Address();
  }
  std::ofstream(dir / "line.profile") << "# the line's parameters\nBOOST=33\nPMIN=1000\n";
  const fs::path log = dir / "line.jsonl";

  const ToolResult r =
      RunTool({"--bridge", address, "set", "--from", (dir / "line.profile").string(), "--all",
               "--log", log.string(), "--json"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("zn4417ctl: 4 bridges: 2 done, 2 failed\n"), std::string::npos) << r.err;
  const std::vector<QJsonObject> results = JsonLines(r.out);
  ASSERT_EQ(results.size(), 4u) << r.out;
  const int codes[] = {0, 3, 0, 3};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(results[i]["index"].toInt(), i);
    EXPECT_EQ(Text(results[i]["location"]), emus[i]->Address());
    EXPECT_EQ(results[i]["exit_code"].toInt(), codes[i]) << i;
  }
  EXPECT_EQ(Text(results[1]["reason"]), "writing the block failed");

  std::ifstream in(log);
  std::string line;
  std::vector<QJsonObject> lines;
  while (std::getline(in, line)) lines.push_back(Json(line));
  ASSERT_EQ(lines.size(), 4u);
  std::sort(lines.begin(), lines.end(), [](const QJsonObject& a, const QJsonObject& b) {
    return a["index"].toInt() < b["index"].toInt();
  });
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i]["exit_code"].toInt(), codes[i]) << i;
    EXPECT_EQ(Text(lines[i]["profile"]), (dir / "line.profile").string());
    EXPECT_TRUE(lines[i].contains("sha256_before")) << i;
  }
  EXPECT_EQ(lines[0]["sha256_after"], lines[2]["sha256_after"]) << "the same block on both";
  EXPECT_FALSE(lines[3].contains("sha256_after")) << "nothing came back from a pulled chip";

  // The two chips that were programmed match the profile.
  const ToolResult verify = RunTool({"--bridge", emus[0]->Address() + "," + emus[2]->Address(),
                                     "verify", "--from", (dir / "line.profile").string(), "--all"});
  EXPECT_EQ(verify.exitCode, 0) << verify.err;
  EXPECT_EQ(verify.out,
            "bridge 0: the parameters match the profile\n"
            "bridge 1: the parameters match the profile\n");
  for (auto& emu : emus) EXPECT_EQ(emu->Stop(SIGTERM), 0);
}

}  // namespace
