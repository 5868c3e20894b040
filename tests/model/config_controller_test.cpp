#include "model/config_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/headless_view.h"
#include "tests/model/fake_chip_library.h"

namespace {

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() {
    controller.SetSleep([this](std::chrono::milliseconds d) {
      sleeps.push_back(d);
      events.push_back("sleep");
    });
    chip.onEvent = [this](const std::string& e) { events.push_back(e); };
    for (int i = 0; i < 64; ++i) chip.sfr[i] = static_cast<uint8_t>(0xA0 + i);
  }

  void StartWithChip(const std::vector<uint8_t>& block) {
    controller.FormCreate();
    std::copy(block.begin(), block.end(), chip.sfr.begin());
  }

  std::vector<uint8_t> ImageBytes() {
    auto b = view.Rom().Bytes();
    return {b.begin(), b.end()};
  }

  int CountOf(const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
  }

  FakeChipLibrary chip;
  UsbLink link{chip};
  HeadlessConfigView view;
  std::vector<std::string> texts;
  std::vector<std::string> events;
  std::vector<std::chrono::milliseconds> sleeps;
  ConfigController controller{view, link, [this](const std::string& t) { texts.push_back(t); }};
};

std::vector<uint8_t> DefaultBlock() {
  return {DefaultImage().begin(), DefaultImage().end()};
}

// ---- start-up -------------------------------------------------------------

TEST_F(ControllerTest, StartWithoutBridgeShowsDefaultsAndDisablesFiveItems) {
  chip.serials.clear();
  controller.FormCreate();
  EXPECT_FALSE(controller.Connected());
  EXPECT_EQ(view.ConnectionText(), "USB Status: NO Connect!");
  EXPECT_EQ(view.NotificationRegistrations(), 1);
  EXPECT_EQ(ImageBytes(), DefaultBlock());
  EXPECT_EQ(view.Parameters().Value(piDB), 7);
  EXPECT_EQ(view.Parameters().Value(piedtPMINL), 900);
  EXPECT_EQ(view.Parameters().Value(piCLK), 7);
  for (Integer i = 0; i < kFunregCount; ++i) {
    bool disabled = i == 0 || i == 1 || i == 4 || i == 8 || i == 9;
    EXPECT_EQ(view.Parameters().FUNREG[i].enabled, !disabled) << "item " << i;
  }
}

TEST_F(ControllerTest, StartWithBridgeConnectsButDoesNotReadTheChip) {
  controller.FormCreate();
  EXPECT_TRUE(controller.Connected());
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(view.ConnectionText(), "USB Status: Connect!");
  EXPECT_EQ(chip.commands, 0);
  EXPECT_EQ(ImageBytes(), DefaultBlock());
  ParameterSet expected = view.Parameters();
  expected.SetValue(piBT, 0);
  DecodeImage(RomImage(DefaultImage()), expected);
  EXPECT_EQ(view.Parameters(), expected);
}

TEST_F(ControllerTest, StartClearsWhateverTheImageHeldOutsideTheMap) {
  view.Rom().SetDataAt(3, 0x55);
  view.Rom().SetDataAt(27, 0x66);
  view.Rom().SetDataAt(63, 0x77);
  controller.FormCreate();
  EXPECT_EQ(ImageBytes(), DefaultBlock());
}

// ---- arrival and removal ----------------------------------------------------

TEST_F(ControllerTest, ArrivalAfterStartConnectsAndReadWorks) {
  chip.serials.clear();
  controller.FormCreate();
  chip.serials = {"tx_v1.0"};
  controller.OnDeviceArrived();
  EXPECT_TRUE(controller.Connected());
  EXPECT_EQ(view.ConnectionText(), "USB Status: Connect!");
  EXPECT_TRUE(controller.ReadConfiguration());
  EXPECT_EQ(view.Rom().GetDataAt(5), 0xA5);
}

TEST_F(ControllerTest, ArrivalThatCannotOpenReportsNoConnection) {
  chip.serials.clear();
  controller.FormCreate();
  chip.serials = {"tx_v1.0"};
  chip.openFails = true;
  controller.OnDeviceArrived();
  EXPECT_FALSE(controller.Connected());
  EXPECT_EQ(view.ConnectionText(), "USB Status: NO Connect!");
  // The next arrival tries again.
  chip.openFails = false;
  controller.OnDeviceArrived();
  EXPECT_TRUE(controller.Connected());
  EXPECT_EQ(view.ConnectionText(), "USB Status: Connect!");
}

TEST_F(ControllerTest, RemovalClosesAndAnotherArrivalReopens) {
  controller.FormCreate();
  controller.OnDeviceRemoved();
  EXPECT_FALSE(controller.Connected());
  EXPECT_EQ(link.Handle(), nullptr);
  EXPECT_EQ(view.ConnectionText(), "USB Status: NO Connect!");
  EXPECT_EQ(chip.closes, 1);
  controller.OnDeviceArrived();
  EXPECT_EQ(chip.opens, 2);
  EXPECT_TRUE(controller.Connected());
  // A removal with nothing open still ends with the text and no second close.
  controller.OnDeviceRemoved();
  controller.OnDeviceRemoved();
  EXPECT_EQ(chip.closes, 2);
  EXPECT_EQ(view.ConnectionText(), "USB Status: NO Connect!");
}

TEST_F(ControllerTest, ArrivalWhileOpenKeepsTheBridge) {
  controller.FormCreate();
  controller.OnDeviceArrived();
  EXPECT_EQ(chip.opens, 1);
  EXPECT_EQ(view.ConnectionText(), "USB Status: Connect!");
}

// ---- Read -------------------------------------------------------------------

TEST_F(ControllerTest, ReadStoresAllSixtyFourBytesAndDecodes) {
  controller.FormCreate();
  std::vector<uint8_t> block = DefaultBlock();
  block[0] = 0x11;
  block[27] = 0x27;
  block[63] = 0x63;
  block[15] = 245;   // DB 10
  block[10] = 0x13;  // bits 0, 1, 4 stay in the image until the next encode
  std::copy(block.begin(), block.end(), chip.sfr.begin());
  int repaints = 0;
  view.Rom().OnRepaint = [&] { ++repaints; };
  EXPECT_TRUE(controller.ReadConfiguration());
  EXPECT_EQ(ImageBytes(), block);
  EXPECT_EQ(view.Parameters().Value(piDB), 10);
  EXPECT_TRUE(view.Parameters().FUNREG[4].checked);
  EXPECT_FALSE(view.Parameters().FUNREG[4].enabled) << "decoding changes no enabled state";
  EXPECT_GE(repaints, 1);
  EXPECT_EQ(CountOf("读数据成功"), 1);
}

TEST_F(ControllerTest, FailedReadLeavesImageAndParametersAlone) {
  controller.FormCreate();
  view.Controls().SetValue(piBT, 99);  // an edit not yet encoded
  ParameterSet before = view.Parameters();
  chip.replyCount = 0x20;
  EXPECT_FALSE(controller.ReadConfiguration());
  chip.replyCount = -1;
  chip.missingReadChunk = 1;  // first chunk arrives, second does not
  EXPECT_FALSE(controller.ReadConfiguration());
  EXPECT_EQ(ImageBytes(), DefaultBlock());
  EXPECT_EQ(view.Parameters(), before);
  EXPECT_TRUE(view.Messages().empty());
}

TEST_F(ControllerTest, MisframedReadChangesNothingAndSaysWhy) {
  controller.FormCreate();
  const ParameterSet before = view.Parameters();
  chip.strayAfterReply = 1;
  EXPECT_FALSE(controller.ReadConfiguration());
  EXPECT_EQ(controller.LastRead(), trMisframed);
  EXPECT_EQ(ImageBytes(), DefaultBlock());
  EXPECT_EQ(view.Parameters(), before);
  chip.strayAfterReply = 0;
  EXPECT_TRUE(controller.ReadConfiguration());
  EXPECT_EQ(controller.LastRead(), trOk);
  EXPECT_EQ(ImageBytes()[0], 0xA0);
}

TEST_F(ControllerTest, ReadWithoutBridgeChangesNothing) {
  chip.serials.clear();
  controller.FormCreate();
  EXPECT_FALSE(controller.ReadConfiguration());
  EXPECT_EQ(ImageBytes(), DefaultBlock());
  EXPECT_EQ(view.ConnectionText(), "USB Status: NO Connect!");
}

// ---- Write ------------------------------------------------------------------

TEST_F(ControllerTest, WriteSendsEncodedImageWithForcedBytesAndReportsOnce) {
  controller.FormCreate();
  view.Controls().SetValue(piCLK, 3);
  view.Controls().SetValue(piBT, 77);
  events.clear();
  EXPECT_EQ(controller.WriteConfiguration(), woVerified);
  ASSERT_EQ(chip.writtenBlocks.size(), 1u);
  const std::vector<uint8_t>& sent = chip.writtenBlocks[0];
  std::vector<uint8_t> expected = DefaultBlock();
  expected[17] = 77;
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(sent[12], 7);
  EXPECT_EQ(sent[20], 41);
  EXPECT_EQ(view.Parameters().Value(piCLK), 3) << "CLK keeps what it shows";
  EXPECT_EQ(view.Messages(), std::vector<std::string>{"下载成功!"});
  EXPECT_EQ(CountOf("校验成功"), 1);
  EXPECT_EQ(texts.back(), "校验成功");
  EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(100)});
  std::vector<std::string> order{"cmd CB", "write-done", "sleep", "cmd CD"};
  EXPECT_EQ(events, order);
}

TEST_F(ControllerTest, WriteForcesBytesInTheImageWithoutAnotherRepaint) {
  controller.FormCreate();
  view.Rom().SetDataAt(20, 0);
  int repaints = 0;
  view.Rom().OnRepaint = [&] {
    ++repaints;
    EXPECT_EQ(view.Rom().GetDataAt(20), 0) << "repaint comes from the encode, before forcing";
  };
  view.Controls().SetValue(piCLK, 2);
  controller.WriteConfiguration();
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(view.Rom().GetDataAt(20), 41);
  EXPECT_EQ(view.Rom().GetDataAt(12), 7);
}

TEST_F(ControllerTest, ReadBackDifferingAtOffsetFiveShowsNothing) {
  controller.FormCreate();
  chip.afterWrite = [](std::vector<uint8_t>& sfr) { sfr[5] ^= 0x01; };
  EXPECT_EQ(controller.WriteConfiguration(), woDiffers);
  EXPECT_TRUE(view.Messages().empty());
  EXPECT_EQ(CountOf("校验成功"), 0);
  EXPECT_EQ(view.Rom().GetDataAt(5), 0) << "the read-back never reaches the image";
}

TEST_F(ControllerTest, ReadBackDifferingOnlyAtOffset63StillSucceeds) {
  controller.FormCreate();
  chip.afterWrite = [](std::vector<uint8_t>& sfr) { sfr[63] = 0x5A; };
  EXPECT_EQ(controller.WriteConfiguration(), woVerified);
  EXPECT_EQ(view.Messages().size(), 1u);
}

TEST_F(ControllerTest, WriteWithoutBridgeShowsNothing) {
  chip.serials.clear();
  controller.FormCreate();
  view.Rom().SetDataAt(20, 0);
  EXPECT_EQ(controller.WriteConfiguration(), woTransferFailed);
  EXPECT_TRUE(view.Messages().empty());
  EXPECT_EQ(view.Rom().GetDataAt(20), 41) << "the image is still encoded and forced";
  EXPECT_EQ(CountOf("命令无响应"), 2);
}

// Each transfer of a Write keeps its own result: here the write went, the
// read-back came misframed.
TEST_F(ControllerTest, WriteReportsTheResultOfEachTransfer) {
  controller.FormCreate();
  chip.onEvent = [&](const std::string& e) { chip.strayAfterReply = e == "cmd CD" ? 2 : 0; };
  EXPECT_EQ(controller.WriteConfiguration(), woTransferFailed);
  EXPECT_EQ(controller.LastWrite().write, trOk);
  EXPECT_EQ(controller.LastWrite().read, trMisframed);
  EXPECT_EQ(chip.writtenBlocks.size(), 1u);
  EXPECT_TRUE(view.Messages().empty());
}

TEST_F(ControllerTest, UndeliveredReadBackBytesNeverMatch) {
  // The chip already holds exactly what is written and the read-back
  // delivers only its first chunk: bytes 32..62 of the written image are all
  // 0, so a zero-filled read-back buffer would pass.
  controller.FormCreate();
  chip.sfr.assign(256, 0);
  std::vector<uint8_t> block = DefaultBlock();
  std::copy(block.begin(), block.end(), chip.sfr.begin());
  chip.missingReadChunk = 1;
  EXPECT_EQ(controller.WriteConfiguration(), woTransferFailed);
  EXPECT_TRUE(view.Messages().empty());
}

TEST_F(ControllerTest, FailedWriteOfBytesTheChipAlreadyHoldsIsReportedAsVerified) {
  controller.FormCreate();
  chip.sfr.assign(256, 0);
  std::vector<uint8_t> block = DefaultBlock();
  std::copy(block.begin(), block.end(), chip.sfr.begin());
  // The write command is answered with another count and fails; the
  // read-back then matches what the chip already held.
  chip.onEvent = [&](const std::string& e) {
    if (e == "cmd CB") chip.replyCount = 0x10;
    if (e == "cmd CD") chip.replyCount = -1;
  };
  EXPECT_EQ(controller.WriteConfiguration(), woVerified);
  EXPECT_TRUE(chip.writtenBlocks.empty());
  EXPECT_EQ(view.Messages().size(), 1u);
}

TEST_F(ControllerTest, WriteAfterReadSendsBackTheChipBytesExceptEncodedOnes) {
  std::vector<uint8_t> block(64);
  for (int i = 0; i < 64; ++i) block[i] = static_cast<uint8_t>(0x30 + i * 3);
  block[10] = 0xFF;
  block[11] = 0xFF;
  block[16] = 200;                     // ST beyond 7
  block[28] = 0x95, block[29] = 0x11;  // 4501, not a multiple of 5
  block[30] = 0x04, block[31] = 0x29;  // 10500
  block[32] = 0x10;
  StartWithChip(block);
  ASSERT_TRUE(controller.ReadConfiguration());
  ASSERT_EQ(controller.WriteConfiguration(), woVerified);
  std::vector<uint8_t> expected = block;
  expected[10] = 0xEC;
  expected[11] = 0x40;
  expected[12] = 7;
  expected[14] = 15;  // CH 90 sent back clamped
  expected[16] = 7;
  expected[20] = 41;
  expected[26] = 63;  // DZ 126 sent back clamped
  expected[28] = 0x94;
  EXPECT_EQ(chip.writtenBlocks.at(0), expected);
}

TEST_F(ControllerTest, DBExitLinksFlagsShowsThemAndEncodes) {
  controller.FormCreate();
  view.Controls().FUNREG1[1] = true;
  controller.DBExit(piFUNREG1);
  EXPECT_TRUE(view.Parameters().FUNREG[6].checked);
  EXPECT_EQ(view.Rom().GetDataAt(10), 0x40);
  view.Controls().FUNREG[3].checked = true;
  controller.DBExit(piFUNREG);
  EXPECT_TRUE(view.Parameters().HFD);
  EXPECT_EQ(view.Rom().GetDataAt(10), 0x48);
  EXPECT_EQ(chip.commands, 0) << "leaving a control talks to no chip";
}

}  // namespace
