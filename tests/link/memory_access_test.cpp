#include "link/memory_access.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "tests/support/recording_bridge_library.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::string>;

Bytes Pattern(size_t n, uint8_t start) {
  Bytes out(n);
  std::iota(out.begin(), out.end(), start);
  return out;
}

class MemoryAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lib.AddDevice("tx_v1.0");
    ASSERT_TRUE(link.Open());
    lib.ClearCalls();
  }
  RecordingBridgeLibrary lib;
  UsbLink link{lib};
  Texts texts;
  MemoryAccess access{link, [this](const std::string& t) { texts.push_back(t); }};
};

TEST_F(MemoryAccessTest, ReadOf64BytesOfSfrOnTheWire) {
  const Bytes first = Pattern(32, 0x10), second = Pattern(32, 0x80);
  lib.QueueRead({0x00, 0x40}).QueueRead(first).QueueRead(second);
  Bytes buffer(64);
  EXPECT_TRUE(access.ReadMemory(SFR, 0, 64, buffer.data()));
  EXPECT_EQ(lib.Trace(),
            "flush 255 255;write 5;read 2;read 32;queue;flush 255 255;write 2;read 32;queue;"
            "flush 255 255;write 2");
  EXPECT_EQ(lib.Writes(), (std::vector<Bytes>{{0xCD, 0, 0, 0, 0x40}, {0, 0x20}, {0, 0x40}}));
  Bytes expected = first;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(buffer, expected);
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "读数据成功"}));
  EXPECT_EQ(access.LastResult(), trOk);
}

TEST_F(MemoryAccessTest, WriteOf64BytesOfSfrOnTheWire) {
  const Bytes block = Pattern(64, 1);
  lib.QueueRead({0x00, 0x40}).QueueRead({0x00, 0x20}).QueueRead({0x00, 0x40});
  EXPECT_TRUE(access.WriteMemory(SFR, 0, 64, block.data()));
  EXPECT_EQ(lib.Trace(),
            "flush 255 255;write 5;read 2;queue;flush 255 255;write 32;read 2;queue;"
            "flush 255 255;write 32;read 2;queue");
  EXPECT_EQ(lib.Writes(), (std::vector<Bytes>{{0xCB, 0, 0, 0, 0x40},
                                              Bytes(block.begin(), block.begin() + 32),
                                              Bytes(block.begin() + 32, block.end())}));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "写数据成功"}));
}

TEST_F(MemoryAccessTest, CommandCodesAddressAndLengthOfEverySpace) {
  struct Expect {
    MemorySpace space;
    uint8_t read, write;
    const char* name;
  };
  const Expect table[] = {{DATA, 0x99, 0x89, "DATA"}, {XDATA, 0x9A, 0x8A, "XDATA"},
                          {SFR, 0xCD, 0xCB, "SFR"},   {CODE, 0x9C, 0x8C, "CODE"},
                          {BP, 0x98, 0x88, "BP"},     {PIPE, 0x9B, 0x8B, "PIPE"}};
  for (const Expect& e : table) {
    lib.ClearCalls();
    texts.clear();
    uint8_t buffer[0x0203] = {};
    EXPECT_FALSE(access.ReadMemory(e.space, 0x1234, 0x0203, buffer));  // no reply scripted
    EXPECT_FALSE(access.WriteMemory(e.space, 0xFEDC, 0x0102, buffer));
    ASSERT_EQ(lib.Writes().size(), 2u);
    EXPECT_EQ(lib.Writes()[0], (Bytes{e.read, 0x12, 0x34, 0x02, 0x03})) << e.name;
    EXPECT_EQ(lib.Writes()[1], (Bytes{e.write, 0xFE, 0xDC, 0x01, 0x02})) << e.name;
    EXPECT_EQ(texts[0], std::string("读数据:") + e.name);
    EXPECT_EQ(texts[3], std::string("写数据:") + e.name);
  }
}

TEST_F(MemoryAccessTest, LengthZeroSendsCommandOnlyAndSucceeds) {
  lib.QueueRead({0, 0}).QueueRead({0, 0});
  uint8_t buffer[1] = {0xEE};
  EXPECT_TRUE(access.ReadMemory(SFR, 5, 0, buffer));
  EXPECT_TRUE(access.WriteMemory(SFR, 5, 0, buffer));
  EXPECT_EQ(lib.Writes(), (std::vector<Bytes>{{0xCD, 0, 5, 0, 0}, {0xCB, 0, 5, 0, 0}}));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "读数据成功", "写数据:SFR", "写数据成功"}));
  EXPECT_EQ(buffer[0], 0xEE);
}

TEST_F(MemoryAccessTest, Length33IsCutIntoChunksOf32And1) {
  lib.QueueRead({0, 33}).QueueRead(Pattern(32, 0)).QueueRead({0x99});
  Bytes buffer(33);
  EXPECT_TRUE(access.ReadMemory(DATA, 0, 33, buffer.data()));
  EXPECT_EQ(lib.Trace(),
            "flush 255 255;write 5;read 2;read 32;queue;flush 255 255;write 2;read 1;queue;"
            "flush 255 255;write 2");
  EXPECT_EQ(lib.Writes()[1], (Bytes{0, 0x20}));
  EXPECT_EQ(lib.Writes()[2], (Bytes{0, 0x21}));
  EXPECT_EQ(buffer[32], 0x99);

  lib.ClearCalls();
  lib.QueueRead({0, 33}).QueueRead({0, 0x20}).QueueRead({0, 0x21});
  EXPECT_TRUE(access.WriteMemory(DATA, 0, 33, buffer.data()));
  EXPECT_EQ(lib.Trace(),
            "flush 255 255;write 5;read 2;queue;flush 255 255;write 32;read 2;queue;"
            "flush 255 255;write 1;read 2;queue");
  EXPECT_EQ(lib.Writes()[2], (Bytes{0x99}));
}

TEST_F(MemoryAccessTest, ReplyWithAnotherCountEndsWithoutDataPhase) {
  lib.QueueRead({0x00, 0x20});
  Bytes buffer(64, 0xEE);
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, buffer.data()));
  EXPECT_EQ(lib.Trace(), "flush 255 255;write 5;read 2");
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trReplyCountWrong);
  EXPECT_EQ(buffer, Bytes(64, 0xEE));
}

TEST_F(MemoryAccessTest, SpacesOutside0To5AreRefusedSilently) {
  uint8_t buffer[64] = {};
  for (int8_t space : {int8_t{6}, int8_t{-1}, int8_t{127}, int8_t{-128}}) {
    EXPECT_FALSE(access.ReadMemory(space, 0, 64, buffer));
    EXPECT_FALSE(access.WriteMemory(space, 0, 64, buffer));
    EXPECT_EQ(access.LastResult(), trRefused);
  }
  EXPECT_TRUE(texts.empty());
  EXPECT_TRUE(lib.calls.empty());
}

TEST_F(MemoryAccessTest, LengthsThatLookLikeFailureSentinelsAreRefused) {
  Bytes buffer(65535);
  for (uint16_t length : {uint16_t{0xFFF0}, uint16_t{0xFFFF}}) {
    EXPECT_FALSE(access.ReadMemory(XDATA, 0, length, buffer.data()));
    EXPECT_FALSE(access.WriteMemory(XDATA, 0, length, buffer.data()));
  }
  EXPECT_TRUE(texts.empty());
  EXPECT_TRUE(lib.calls.empty());
  // Their neighbours are ordinary lengths.
  EXPECT_FALSE(access.ReadMemory(XDATA, 0, 0xFFEF, buffer.data()));
  ASSERT_FALSE(lib.Writes().empty());
  EXPECT_EQ(lib.Writes()[0], (Bytes{0x9A, 0, 0, 0xFF, 0xEF}));
}

TEST_F(MemoryAccessTest, CommandThatCannotBeWritten) {
  lib.writes.push_back({1, 0u});
  uint8_t buffer[64];
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "命令无响应", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trCommandNotSent);
  EXPECT_EQ(lib.Trace(), "flush 255 255;write 5");
}

TEST_F(MemoryAccessTest, ReplyOfOneByteOnly) {
  lib.QueueRead({0x00});
  uint8_t buffer[64];
  EXPECT_FALSE(access.WriteMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "ERROR:命令响应超时", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trReplyMissing);
  EXPECT_EQ(access.SendCommand(0xCD, 0, 64), kCommandFailed);  // nothing more scripted
}

TEST_F(MemoryAccessTest, ShortSecondChunkKeepsWhatArrived) {
  const Bytes first = Pattern(32, 0x40);
  lib.QueueRead({0, 64}).QueueRead(first).QueueRead({0xA1, 0xA2, 0xA3});
  Bytes buffer(64, 0xEE);
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, buffer.data()));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "ERROR:数据读入超时", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trChunkShort);
  Bytes expected = first;
  expected.insert(expected.end(), {0xA1, 0xA2, 0xA3});
  expected.resize(64, 0xEE);
  EXPECT_EQ(buffer, expected);
  // The short chunk is not acknowledged.
  EXPECT_EQ(lib.Writes().size(), 2u);
}

TEST_F(MemoryAccessTest, ReadAcknowledgementThatCannotBeWritten) {
  lib.QueueRead({0, 64}).QueueRead(Pattern(32, 0));
  lib.writes.push_back({});               // the command
  lib.writes.push_back({kBridgeOk, 1u});  // the acknowledgement goes short
  uint8_t buffer[64];
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "ERROR:数据响应超时，没有完成读出", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trAckNotSent);
}

TEST_F(MemoryAccessTest, WrongWriteAcknowledgementStopsTheWrite) {
  lib.QueueRead({0, 64}).QueueRead({0x00, 0x1F});
  uint8_t buffer[64] = {};
  EXPECT_FALSE(access.WriteMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "ERROR:数据响应错误，没有完成下载", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trAckWrong);
  EXPECT_EQ(lib.Writes().size(), 2u);  // the second chunk is never sent
}

TEST_F(MemoryAccessTest, MissingWriteAcknowledgement) {
  lib.QueueRead({0, 64}).QueueRead({0x00, 0x20}).QueueRead({0x00});
  uint8_t buffer[64] = {};
  EXPECT_FALSE(access.WriteMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "ERROR:数据响应超时，没有完成下载", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trAckMissing);
}

TEST_F(MemoryAccessTest, ChunkThatCannotBeWritten) {
  lib.QueueRead({0, 64}).QueueRead({0x00, 0x20});
  lib.writes.push_back({});       // command
  lib.writes.push_back({});       // first chunk
  lib.writes.push_back({2, 0u});  // second chunk fails
  uint8_t buffer[64] = {};
  EXPECT_FALSE(access.WriteMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"写数据:SFR", "ERROR:数据写入超时", "...出错!"}));
  EXPECT_EQ(access.LastResult(), trChunkNotSent);
}

TEST_F(MemoryAccessTest, SendDataReportsTheConfirmedCountWhenAChunkWriteFails) {
  lib.QueueRead({0x00, 0x20});
  lib.writes.push_back({});
  lib.writes.push_back({2, 0u});
  uint8_t buffer[64] = {};
  EXPECT_EQ(access.SendData(buffer, 64), 32);
  EXPECT_EQ(texts, (Texts{"ERROR:数据写入超时"}));
}

// Bytes still waiting when the host is about to send its next packet of an
// exchange (or, for a write, after the last acknowledgement) mean the
// device said more than it was asked: the exchange fails there.
TEST_F(MemoryAccessTest, MisframedAnswersFailTheExchange) {
  struct Case {
    const char* where;
    bool write;
    size_t strayAtCheck;  // the queue check that finds bytes waiting
    size_t writesSent;    // packets the host sent before stopping
  };
  const Case cases[] = {{"read, with the first chunk", false, 0, 1},
                        {"read, with the last chunk", false, 1, 2},
                        {"write, after the command reply", true, 0, 1},
                        {"write, after the first acknowledgement", true, 1, 2},
                        {"write, after the last acknowledgement", true, 2, 3}};
  for (const Case& c : cases) {
    lib.ClearCalls();
    texts.clear();
    if (c.write) {
      lib.QueueRead({0, 64}).QueueRead({0, 0x20}).QueueRead({0, 0x40});
    } else {
      lib.QueueRead({0, 64}).QueueRead(Pattern(32, 0)).QueueRead(Pattern(32, 32));
    }
    lib.waiting.assign(c.strayAtCheck, 0);
    lib.waiting.push_back(2);
    Bytes buffer(64);
    const bool ok = c.write ? access.WriteMemory(SFR, 0, 64, buffer.data())
                            : access.ReadMemory(SFR, 0, 64, buffer.data());
    EXPECT_FALSE(ok) << c.where;
    EXPECT_EQ(access.LastResult(), trMisframed) << c.where;
    EXPECT_EQ(lib.Writes().size(), c.writesSent) << c.where;
    EXPECT_EQ(texts, (Texts{c.write ? "写数据:SFR" : "读数据:SFR", "ERROR:数据响应多余，帧错位",
                            "...出错!"}))
        << c.where;
    lib.reads.clear();
    lib.waiting.clear();
  }
}

TEST_F(MemoryAccessTest, MisframedStepsGiveTheirFailureValues) {
  uint8_t buffer[32] = {};
  lib.QueueRead(Pattern(32, 0));
  lib.waiting = {1};
  EXPECT_EQ(access.ReceiveData(buffer, 32), kDataFailed);
  lib.waiting = {1};
  EXPECT_EQ(access.SendData(buffer, 32), kDataFailed);
  EXPECT_TRUE(lib.Writes().empty());
  // A read of nothing: bytes behind the reply mean the reply was not one.
  lib.waiting = {2};
  EXPECT_EQ(access.ReceiveData(buffer, 0), kDataFailed);
  lib.waiting = {0};
  EXPECT_EQ(access.ReceiveData(buffer, 0), 0);
  EXPECT_TRUE(lib.Writes().empty());
}

// A library that cannot tell what is queued is taken as holding nothing: the
// exchange goes on, and a bridge that has failed shows at the next write.
TEST_F(MemoryAccessTest, AReceiveQueueThatCannotBeCheckedHoldsUpNothing) {
  lib.queueStatus = 3;
  lib.waiting = {5, 5};
  lib.QueueRead({0, 64}).QueueRead(Pattern(32, 0)).QueueRead(Pattern(32, 32));
  Bytes buffer(64);
  EXPECT_TRUE(access.ReadMemory(SFR, 0, 64, buffer.data()));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "读数据成功"}));
}

TEST_F(MemoryAccessTest, NoBridgeOpenGivesCommandNotAnswered) {
  link.Close();
  lib.ClearCalls();
  uint8_t buffer[64];
  EXPECT_FALSE(access.ReadMemory(SFR, 0, 64, buffer));
  EXPECT_EQ(texts, (Texts{"读数据:SFR", "命令无响应", "...出错!"}));
  EXPECT_TRUE(lib.calls.empty());
}

TEST_F(MemoryAccessTest, ReplacedSinkGetsTheTextsAndAnEmptySinkIsSkipped) {
  Texts other;
  access.SetSink([&other](const std::string& t) { other.push_back(t); });
  uint8_t buffer[4];
  EXPECT_FALSE(access.ReadMemory(BP, 0, 4, buffer));
  EXPECT_EQ(other, (Texts{"读数据:BP", "ERROR:命令响应超时", "...出错!"}));
  EXPECT_TRUE(texts.empty());
  access.SetSink(nullptr);
  EXPECT_FALSE(access.ReadMemory(BP, 0, 4, buffer));
  EXPECT_EQ(other.size(), 3u);
}

}  // namespace
