// zn4417emu's fault syntax: what each accepted text arms, and why a bad one
// is refused.
#include "tools/emu_faults.h"

#include <gtest/gtest.h>

namespace {

WireFault OneWireFault(const std::string& text) {
  EmuFaults faults;
  std::string error;
  EXPECT_TRUE(AddFault(text, faults, error)) << text << ": " << error;
  EXPECT_EQ(faults.wire.size(), 1u) << text;
  EXPECT_EQ(faults.wireTexts, std::vector<std::string>{text});
  return faults.wire.empty() ? WireFault{} : faults.wire[0];
}

SimFaults ChipFaults(const std::string& text) {
  EmuFaults faults;
  std::string error;
  EXPECT_TRUE(AddFault(text, faults, error)) << text << ": " << error;
  EXPECT_TRUE(faults.wire.empty()) << text;
  return faults.chip;
}

TEST(EmuFaults, WireFaultsTakeTheirPointAndCount) {
  struct Case {
    const char* text;
    WireAction action;
    uint64_t host, device;
    uint32_t extra;
  };
  const Case cases[] = {
      {"unplug", waUnplug, 0, 0, 0},          {"unplug@37", waUnplug, 37, 0, 0},
      {"silent@5+1", waSilent, 5, 1, 0},      {"garbage@74+10", waGarbage, 74, 10, 0},
      {"extra", waExtraBytes, 0, 0, 1},       {"extra:3@5+2", waExtraBytes, 5, 2, 3},
      {"extra@7+32", waExtraBytes, 7, 32, 1}, {"early@74", waEarly, 74, 0, 0},
  };
  for (const Case& c : cases) {
    const WireFault f = OneWireFault(c.text);
    EXPECT_EQ(f.action, c.action) << c.text;
    EXPECT_EQ(f.afterHostBytes, c.host) << c.text;
    EXPECT_EQ(f.deviceBytes, c.device) << c.text;
    if (c.action == waExtraBytes) {
      EXPECT_EQ(f.extraBytes, c.extra) << c.text;
    }
  }
}

TEST(EmuFaults, ChipFaultsSetTheirField) {
  EXPECT_EQ(ChipFaults("stray@0").strayAfterPacket, 0);
  EXPECT_EQ(ChipFaults("stray@0").strayBytes, 1);
  EXPECT_EQ(ChipFaults("stray:3@2").strayBytes, 3);
  EXPECT_EQ(ChipFaults("stray:3@2").strayAfterPacket, 2);
  EXPECT_TRUE(ChipFaults("short-reply").shortCommandReply);
  EXPECT_EQ(ChipFaults("short-chunk@1").shortReadChunk, 1);
  EXPECT_EQ(ChipFaults("wrong-ack@0").wrongAckChunk, 0);
  EXPECT_EQ(ChipFaults("corrupt@65535").corruptSfrAddress, 65535);
  EXPECT_TRUE(ChipFaults("drift").driftOffset63);
  EXPECT_TRUE(ChipFaults("refuse").refuseOpen);
}

TEST(EmuFaults, SeveralFaultsAddUp) {
  EmuFaults faults;
  std::string error;
  for (const char* text : {"extra@5+2", "drift", "garbage@5", "stray@1"}) {
    ASSERT_TRUE(AddFault(text, faults, error)) << error;
  }
  ASSERT_EQ(faults.wire.size(), 2u);
  EXPECT_EQ(faults.wire[0].action, waExtraBytes);
  EXPECT_EQ(faults.wire[1].action, waGarbage);
  EXPECT_TRUE(faults.chip.driftOffset63);
  EXPECT_EQ(faults.chip.strayAfterPacket, 1);
  EXPECT_FALSE(AddFault("drift", faults, error));
  EXPECT_EQ(error, "bad fault 'drift': given twice");
}

TEST(EmuFaults, BadFaultsSayWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"",
       "unknown kind (expected unplug, silent, garbage, extra, early, stray, short-reply, "
       "short-chunk, wrong-ack, corrupt, drift or refuse)"},
      {"Unplug",
       "unknown kind (expected unplug, silent, garbage, extra, early, stray, "
       "short-reply, short-chunk, wrong-ack, corrupt, drift or refuse)"},
      {"unplug:2", "takes no :N"},
      {"unplug@", "@HOST must be a number from 0 to 1000000000"},
      {"unplug@-1", "@HOST must be a number from 0 to 1000000000"},
      {"unplug@1000000001", "@HOST must be a number from 0 to 1000000000"},
      {"silent@5+", "+DEVICE must be a number from 0 to 1000000000"},
      {"early@5+2", "takes no +DEVICE"},
      {"extra:0", ":N must be a number from 1 to 255"},
      {"extra:", ":N must be a number from 1 to 255"},
      {"stray", "needs @PACKET"},
      {"stray@2049", "@PACKET must be a number from 0 to 2048"},
      {"short-chunk", "needs @CHUNK"},
      {"corrupt@65536", "@ADDRESS must be a number from 0 to 65535"},
      {"drift@1", "takes no @"},
      {"refuse:1", "takes no :N"},
  };
  for (const auto& [text, why] : cases) {
    EmuFaults faults;
    std::string error;
    EXPECT_FALSE(AddFault(text, faults, error)) << text;
    EXPECT_EQ(error, "bad fault '" + std::string(text) + "': " + why);
    EXPECT_TRUE(faults.wire.empty() && faults.chipKinds.empty()) << text << ": nothing added";
  }
}

}  // namespace
