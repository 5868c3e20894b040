// Commands run in-process on several simulated bridges at once, some of
// them misbehaving: bridge choice, --all and the strict write verdict.
#include <gtest/gtest.h>

#include "link/multi_bridge.h"
#include "link/sim_bridge.h"
#include "tests/tools/in_process_tool.h"

namespace {

// A bridge library that cannot count its bridges.
class UncountableLibrary : public SimBridgeLibrary {
 public:
  BridgeStatus GetNumDevices(uint32_t&) override { return 4; }
};

class Bridges : public ::testing::Test {
 protected:
  // Bridges in index order; a serial other than "tx_v1.0" makes a bridge of another kind.
  void Attach(const std::vector<std::string>& serials, bool countable = true) {
    std::vector<std::unique_ptr<BridgeLibrary>> members;
    for (const std::string& serial : serials) {
      auto sim =
          countable ? std::make_unique<SimBridgeLibrary>() : std::make_unique<UncountableLibrary>();
      sim->SetSerial(serial);
      sims.push_back(sim.get());
      members.push_back(std::move(sim));
    }
    library = std::make_unique<MultiBridgeLibrary>(std::move(members));
  }

  InProcessResult Run(const std::vector<std::string>& args) { return RunInProcess(args, *library); }

  uint8_t Boost(size_t bridge) {
    return sims.at(bridge)->Chip().Peek(SimulatedChip::kSfrSpace, 17);
  }

  void Fault(size_t bridge, void (*edit)(SimFaults&)) {
    SimFaults faults = sims.at(bridge)->Faults();
    edit(faults);
    sims.at(bridge)->SetFaults(faults);
  }

  std::vector<SimBridgeLibrary*> sims;
  std::unique_ptr<MultiBridgeLibrary> library;
};

TEST_F(Bridges, AllProgramsEveryChipBridgeAndExitsWithTheWorstCode) {
  Attach({"tx_v1.0", "other", "tx_v1.0", "tx_v1.0"});
  Fault(2, [](SimFaults& f) { f.corruptSfrAddress = 17; });
  InProcessResult differs = Run({"set", "BOOST=30", "--all"});
  EXPECT_EQ(differs.code, 1);
  EXPECT_EQ(differs.out,
            "bridge 0: 下载成功!\nbridge 2: written, but the read-back differs\n"
            "bridge 3: 下载成功!\n");
  EXPECT_NE(differs.err.find("zn4417ctl: bridge 2: written, but"), std::string::npos);
  for (size_t b : {0u, 2u, 3u}) EXPECT_EQ(Boost(b), 30) << "bridge " << b;
  EXPECT_EQ(Boost(1), 8) << "a bridge of another kind is left alone";

  Fault(3, [](SimFaults& f) { f.wrongAckChunk = 0; });
  InProcessResult failed = Run({"set", "BOOST=31", "--all"});
  EXPECT_EQ(failed.code, 3) << "a failed transfer outranks a differing read-back";
  EXPECT_EQ(failed.out,
            "bridge 0: 下载成功!\nbridge 2: written, but the read-back differs\n"
            "bridge 3: writing the block failed\n");
  EXPECT_EQ(Boost(0), 31);
}

// A chip that sends a stray byte after the reply of every exchange (in one
// piece with the first chunk of a read): no command takes the shifted bytes
// for the block, and none writes anything.
TEST_F(Bridges, StrayBytesAfterTheReplyFailEveryCommand) {
  Attach({"tx_v1.0"});
  Fault(0, [](SimFaults& f) { f.strayAfterPacket = 0; });
  const std::string why =
      "the device sent more bytes than asked for; the transfer is not trusted\n";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"read"}, {"dump"}, {"set", "BOOST=30"}, {"set", "BOOST=30", "--all"}}) {
    InProcessResult o = Run(args);
    EXPECT_EQ(o.code, 3) << args[0];
    EXPECT_EQ(o.out, args.size() == 3 ? "bridge 0: reading the block failed\n" : "") << args[0];
    EXPECT_NE(o.err.find("reading the configuration block failed: " + why), std::string::npos)
        << o.err;
  }
  EXPECT_EQ(sims[0]->Chip().CompletedWrites(), 0u);
  EXPECT_EQ(Boost(0), 8);
}

// Wherever the bridges are counted (list, --index, --all, or the link
// opening the first one), a library that cannot count them offers no bridge
// to open: exit 2, and nothing is sent.
TEST_F(Bridges, ALibraryThatCannotCountItsBridgesExitsTwoEverywhere) {
  Attach({"tx_v1.0"}, false);
  const std::string cannot = "zn4417ctl: the bridge library could not count the bridges\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"list"}, cannot},
      {{"--index", "0", "read"}, cannot},
      {{"set", "BOOST=3", "--all"}, cannot},
      {{"set", "BOOST=3"}, "zn4417ctl: no ZN4417 bridge could be opened\n"}};
  for (const auto& [args, err] : cases) {
    InProcessResult o = Run(args);
    EXPECT_EQ(o.code, 2) << args[0];
    EXPECT_EQ(o.out, "") << args[0];
    EXPECT_EQ(o.err, err) << args[0];
  }
  EXPECT_EQ(sims[0]->Chip().CompletedWrites(), 0u);
}

TEST_F(Bridges, AllWithoutAnyChipBridgeExitsTwo) {
  Attach({"other", "Tx_v1.0"});
  InProcessResult none = Run({"set", "BOOST=3", "--all"});
  EXPECT_EQ(none.code, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "zn4417ctl: no ZN4417 bridge is attached\n");
}

}  // namespace
