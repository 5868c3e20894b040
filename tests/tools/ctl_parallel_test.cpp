// --all in-process on several simulated bridges: every bridge at the same
// time, each with exactly its own exchange and wait, faults on some while
// the others finish, and a log line for each.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "link/multi_bridge.h"
#include "link/sim_bridge.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/in_process_tool.h"
#include "tools/ctl_bridges.h"
#include "tools/ctl_log.h"

namespace {

using Clock = std::chrono::steady_clock;

// Holds every open until `expected` bridges are open at once (or 5 s have
// passed): bridges run one after the other never all meet.
class RendezvousLibrary : public ForwardingBridgeLibrary {
 public:
  RendezvousLibrary(BridgeLibrary& library, int expected)
      : ForwardingBridgeLibrary(library), expected_(expected) {}

  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override {
    const BridgeStatus status = library_.Open(index, handle);
    std::unique_lock lock(mutex_);
    ++open_;
    met_.notify_all();
    if (!met_.wait_for(lock, std::chrono::seconds(5), [this] { return open_ >= expected_; })) {
      missed_ = true;
    }
    return status;
  }
  bool AllMet() {
    std::lock_guard lock(mutex_);
    return open_ == expected_ && !missed_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable met_;
  int expected_;
  int open_ = 0;
  bool missed_ = false;
};

struct Command {
  uint8_t code;
  Clock::time_point at;
};

class Parallel : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::unique_ptr<BridgeLibrary>> members;
    for (int i = 0; i < 5; ++i) {
      auto sim = std::make_unique<SimBridgeLibrary>();
      sim->SetNumber(i);
      if (i == 4) sim->SetSerial("other");  // a bridge of another kind, left alone
      sim->Chip().OnCommand = [this, i](SimulatedChip&, uint8_t code) {
        commands[i].push_back({code, Clock::now()});
      };
      sims.push_back(sim.get());
      members.push_back(std::move(sim));
    }
    library = std::make_unique<MultiBridgeLibrary>(std::move(members));
  }

  int Run(const std::vector<std::string>& args, BridgeLibrary& on, CtlLog* log = nullptr) {
    const InProcessResult r = RunInProcess(args, on, log);
    out = r.out;
    err = r.err;
    return r.code;
  }

  uint8_t Boost(int bridge) { return sims[bridge]->Chip().Peek(SimulatedChip::kSfrSpace, 17); }

  std::vector<SimBridgeLibrary*> sims;
  std::unique_ptr<MultiBridgeLibrary> library;
  std::vector<Command> commands[5];  // each chip's command codes, as they came
  std::string out, err;
};

TEST_F(Parallel, AllRunsTheBridgesAtOnceEachWithItsOwnExchange) {
  RendezvousLibrary meeting(*library, 4);
  EXPECT_EQ(Run({"set", "BOOST=30", "--all"}, meeting), 0) << err;
  EXPECT_TRUE(meeting.AllMet()) << "the four bridges were not open at the same time";
  EXPECT_EQ(out,
            "bridge 0: 下载成功!\nbridge 1: 下载成功!\nbridge 2: 下载成功!\nbridge 3: 下载成功!\n");
  EXPECT_EQ(err, "zn4417ctl: 4 bridges: 4 done, 0 failed\n");
  for (int b = 0; b < 4; ++b) {
    // Read, write, then after its own settle time the read-back.
    const std::vector<Command>& c = commands[b];
    ASSERT_EQ(c.size(), 3u) << b;
    EXPECT_EQ(c[0].code, 0xCD);
    EXPECT_EQ(c[1].code, 0xCB);
    EXPECT_EQ(c[2].code, 0xCD);
    EXPECT_GE(c[2].at - c[1].at, std::chrono::milliseconds(100)) << b;
    EXPECT_EQ(Boost(b), 30) << b;
  }
  EXPECT_TRUE(commands[4].empty());
}

TEST_F(Parallel, FaultsOnSomeBridgesLeaveTheOthersDoneAndEveryOneLogged) {
  SimFaults wrongAck;
  wrongAck.wrongAckChunk = 0;
  sims[1]->SetFaults(wrongAck);
  SimFaults corrupt;
  corrupt.corruptSfrAddress = 17;
  sims[3]->SetFaults(corrupt);
  const TempDir temp("zn4417ctl-log");
  const std::filesystem::path logFile = temp / "line.jsonl";
  std::string error;
  std::unique_ptr<CtlLog> log = CtlLog::Open(logFile, error);
  ASSERT_TRUE(log) << error;

  EXPECT_EQ(Run({"set", "BOOST=31", "--all"}, *library, log.get()), 3);
  EXPECT_EQ(out,
            "bridge 0: 下载成功!\nbridge 1: writing the block failed\n"
            "bridge 2: 下载成功!\nbridge 3: written, but the read-back differs\n");
  EXPECT_NE(err.find("zn4417ctl: 4 bridges: 2 done, 2 failed\n"), std::string::npos) << err;
  EXPECT_EQ(Boost(0), 31);
  EXPECT_EQ(Boost(2), 31);

  std::ifstream in(logFile);
  std::string line;
  std::map<int, int> codes;  // index -> exit code, in whatever order the bridges ended
  while (std::getline(in, line)) {
    QJsonParseError parse{};
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line), &parse).object();
    ASSERT_EQ(parse.error, QJsonParseError::NoError) << line;
    EXPECT_EQ(o["command"].toString(), "set");
    const int index = o["index"].toInt();
    EXPECT_EQ(o["location"].toString().toStdString(), "sim#" + std::to_string(index));
    codes[index] = o["exit_code"].toInt();
  }
  EXPECT_EQ(codes, (std::map<int, int>{{0, 0}, {1, 3}, {2, 0}, {3, 1}}));
}

TEST_F(Parallel, ADryRunThatCannotReadFailsAndWritesNothing) {
  SimFaults shortRead;
  shortRead.shortReadChunk = 1;
  sims[2]->SetFaults(shortRead);
  EXPECT_EQ(Run({"set", "BOOST=40", "--all", "--dry-run"}, *library), 3);
  EXPECT_EQ(out,
            "bridge 0: would change 1 offset and 1 parameter\n"
            "bridge 1: would change 1 offset and 1 parameter\n"
            "bridge 2: reading the block failed\n"
            "bridge 3: would change 1 offset and 1 parameter\n");
  EXPECT_NE(err.find("zn4417ctl: 4 bridges: 0 unchanged, 3 would change, 1 failed\n"),
            std::string::npos)
      << err;
  for (int b = 0; b < 4; ++b) {
    EXPECT_EQ(sims[b]->Chip().CompletedWrites(), 0u) << b;
    EXPECT_EQ(Boost(b), 8) << b;
  }
}

}  // namespace
