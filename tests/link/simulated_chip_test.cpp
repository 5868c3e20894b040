#include "link/simulated_chip.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes TakeAll(SimulatedChip& chip) {
  Bytes out(chip.Pending());
  chip.Take(out.data(), out.size());
  return out;
}

void Feed(SimulatedChip& chip, const Bytes& bytes) {
  chip.Feed(bytes.data(), bytes.size());
}

TEST(SimulatedChip, PowerOnSfrHoldsTheDefaultBlockAndMarkersOutsideIt) {
  SimulatedChip chip;
  const uint8_t expected[64] = {
      0x5A, 0x17, 0x44, 0x01, 0,  0, 0,   0,  0, 0,  0, 0, 7, 1, 2, 248, 0, 8, 244,  244, 41, 128,
      64,   50,   100,  100,  31, 0, 148, 17, 4, 41, 0, 0, 0, 0, 0, 0,   0, 0, 0xA5, 0,   0,  0,
      0,    0,    0,    0,    0,  0, 0,   0,  0, 0,  0, 0, 0, 0, 0, 0,   0, 0, 0,    0xC3};
  for (int i = 0; i < 64; ++i) EXPECT_EQ(chip.Peek(SimulatedChip::kSfrSpace, i), expected[i]) << i;
  EXPECT_EQ(chip.Peek(0, 12), 0);  // other spaces start empty
}

TEST(SimulatedChip, AnswersOnlyCompletePackets) {
  SimulatedChip chip;
  Feed(chip, {0xCD, 0, 0, 0});
  EXPECT_EQ(chip.Pending(), 0u);
  Feed(chip, {0x40});
  EXPECT_EQ(chip.Pending(), 34u);  // reply and the first chunk
  const Bytes first = TakeAll(chip);
  EXPECT_EQ(first[0], 0x00);
  EXPECT_EQ(first[1], 0x40);
  EXPECT_EQ(first[2 + 12], 7);
  Feed(chip, {0x00});
  EXPECT_EQ(chip.Pending(), 0u);
  Feed(chip, {0x20});
  EXPECT_EQ(chip.Pending(), 32u);
  EXPECT_EQ(TakeAll(chip)[31], 0xC3);
  Feed(chip, {0x00, 0x40});
  EXPECT_EQ(chip.Pending(), 0u);
}

TEST(SimulatedChip, WriteStoresChunksAndAcknowledgesRunningCount) {
  SimulatedChip chip;
  Feed(chip, {0x8A, 0x12, 0x00, 0x00, 33});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 33}));
  Bytes chunk(32, 0x77);
  chip.Feed(chunk.data(), 31);
  EXPECT_EQ(chip.Pending(), 0u);  // no acknowledgement before the chunk is whole
  chip.Feed(chunk.data(), 1);
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x20}));
  EXPECT_EQ(chip.CompletedWrites(), 0u);
  Feed(chip, {0x55});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x21}));
  EXPECT_EQ(chip.CompletedWrites(), 1u);
  EXPECT_EQ(chip.Peek(1, 0x1200), 0x77);
  EXPECT_EQ(chip.Peek(1, 0x121F), 0x77);
  EXPECT_EQ(chip.Peek(1, 0x1220), 0x55);
  EXPECT_EQ(chip.Peek(1, 0x1221), 0x00);
}

TEST(SimulatedChip, UnknownCommandIsIgnored) {
  SimulatedChip chip;
  Feed(chip, {0x9D, 0, 0, 0, 4});
  EXPECT_EQ(chip.Pending(), 0u);
  Feed(chip, {0x99, 0, 0, 0, 4});
  EXPECT_EQ(chip.Pending(), 6u);
}

TEST(SimulatedChip, AbandonedReadDoesNotSwallowTheNextCommand) {
  SimulatedChip chip;
  Feed(chip, {0xCD, 0, 0, 0, 0x40});
  chip.DropPending();  // the host gave up before acknowledging
  Feed(chip, {0xCD, 0, 12, 0, 1});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x01, 7}));
}

TEST(SimulatedChip, StrayBytesFollowTheChosenPacketInOnePiece) {
  SimulatedChip chip;
  chip.SetFaults({.strayAfterPacket = 0, .strayBytes = 2});
  Feed(chip, {0xCD, 0, 12, 0, 2});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x02, 0xEE, 0xEE, 7, 1}));  // reply, stray, chunk
  chip.SetFaults({.strayAfterPacket = 2});
  Feed(chip, {0x89, 0, 0, 0, 33});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 33}));
  const Bytes chunk(32, 0x11);
  Feed(chip, chunk);
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x20}));
  Feed(chip, {0x22});
  EXPECT_EQ(TakeAll(chip), (Bytes{0x00, 0x21, 0xEE}));  // after the last acknowledgement
}

TEST(SimulatedChip, ReportsEveryCommandItTakes) {
  SimulatedChip chip;
  Bytes codes;
  chip.OnCommand = [&](SimulatedChip& sender, uint8_t code) {
    EXPECT_EQ(&sender, &chip);
    codes.push_back(code);
  };
  Feed(chip, {0x9D, 0, 0, 0, 0, 0xCD, 0, 0, 0});
  EXPECT_EQ(codes, (Bytes{0x9D}));
  Feed(chip, {0x40});
  EXPECT_EQ(codes, (Bytes{0x9D, 0xCD}));
}

// Every exchange is reported once, when it ends, with how far it came.
TEST(SimulatedChip, ReportsEveryExchangeAsItEnds) {
  SimulatedChip chip;
  std::vector<SimExchange> ends;
  chip.OnExchangeEnd = [&](SimulatedChip&, const SimExchange& e) { ends.push_back(e); };
  const auto last = [&] { return ends.empty() ? SimExchange{} : ends.back(); };
  Feed(chip, {0xCD, 0, 0, 0, 33});  // a read of 33: chunks of 32 and 1
  Feed(chip, {0x00, 0x20});
  EXPECT_TRUE(ends.empty()) << "still waiting for the last acknowledgement";
  Feed(chip, {0x00, 0x21});
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(last().code, 0xCD);
  EXPECT_EQ(last().space, SimulatedChip::kSfrSpace);
  EXPECT_FALSE(last().write);
  EXPECT_EQ(last().length, 33);
  EXPECT_EQ(last().done, 33u);
  EXPECT_TRUE(last().complete);

  Feed(chip, {0x8A, 0x12, 0x34, 0, 64});  // a write of XDATA 0x1234, abandoned after one chunk
  Feed(chip, Bytes(32, 0x55));
  chip.Abort();
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_TRUE(last().write);
  EXPECT_EQ(last().space, 1);
  EXPECT_EQ(last().address, 0x1234);
  EXPECT_EQ(last().done, 32u);
  EXPECT_FALSE(last().complete);
  chip.Abort();
  EXPECT_EQ(ends.size(), 2u) << "nothing in progress, nothing to report";

  Feed(chip, {0x12, 0, 0, 0, 1});  // no command
  ASSERT_EQ(ends.size(), 3u);
  EXPECT_EQ(last().space, -1);
  EXPECT_EQ(last().code, 0x12);
  chip.SetFaults({.wrongAckChunk = 0});
  Feed(chip, {0xCB, 0, 0, 0, 1, 0x77});  // the chip gives up on a fault
  ASSERT_EQ(ends.size(), 4u);
  EXPECT_EQ(last().done, 1u);
  EXPECT_FALSE(last().complete);
}

TEST(SimulatedChip, AddressesWrapWithinTheirSpace) {
  SimulatedChip chip;
  Feed(chip, {0x89, 0xFF, 0xFF, 0, 2});
  TakeAll(chip);
  Feed(chip, {0xAB, 0xCD});
  EXPECT_EQ(chip.Peek(0, 0xFFFF), 0xAB);
  EXPECT_EQ(chip.Peek(0, 0x0000), 0xCD);
  EXPECT_EQ(chip.Peek(1, 0x0000), 0x00);
}

TEST(SimulatedChip, LoadMemoryRejectsWrongSize) {
  SimulatedChip chip;
  EXPECT_FALSE(chip.LoadMemory(Bytes(100, 1)));
  EXPECT_EQ(chip.Peek(SimulatedChip::kSfrSpace, 12), 7);
  Bytes image(SimulatedChip::kMemorySize, 3);
  EXPECT_TRUE(chip.LoadMemory(image));
  EXPECT_EQ(chip.Peek(5, 0xFFFF), 3);
}

}  // namespace
