// Half-byte insert and delete through the temporary file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;

// The expected result computed on a list of half-bytes.
Bytes ShiftReference(const Bytes& in, Integer pos, bool high, bool insert) {
  std::vector<int> n;
  for (Byte b : in) {
    n.push_back(b >> 4);
    n.push_back(b & 15);
  }
  const size_t at = static_cast<size_t>(pos) * 2 + (high ? 0 : 1);
  if (insert) {
    n.insert(n.begin() + at, 0);
    n.push_back(0);
  } else {
    n.erase(n.begin() + at);
    n.push_back(0);
  }
  Bytes out;
  for (size_t i = 0; i + 1 < n.size(); i += 2)
    out.push_back(static_cast<Byte>(n[i] << 4 | n[i + 1]));
  return out;
}

// Points the temporary directory at a fresh folder for one test.
class HexDataNibble : public testing::Test {
 protected:
  void SetUp() override {
    // One folder per process: the suite's cases may run side by side.
    dir_ = std::filesystem::path(testing::TempDir()) /
           ("hexdata_nibble_tmp_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    const char* old = std::getenv("TMPDIR");
    oldTmp_ = old ? old : "";
    hadTmp_ = old != nullptr;
    setenv("TMPDIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_)
      setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
      unsetenv("TMPDIR");
    std::filesystem::remove_all(dir_);
  }
  bool TempDirEmpty() const { return std::filesystem::is_empty(dir_); }

  std::filesystem::path dir_;
  std::string oldTmp_;
  bool hadTmp_ = false;
};

TEST_F(HexDataNibble, InsertAtHighAndLowDigit) {
  THexViewData d;
  Fill(d, {0x12, 0x34});
  EXPECT_TRUE(d.InsertNibble(0, true, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x01, 0x23, 0x40}));
  Fill(d, {0x12, 0x34});
  EXPECT_TRUE(d.InsertNibble(0, false, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x10, 0x23, 0x40}));
  EXPECT_TRUE(TempDirEmpty());
}

TEST_F(HexDataNibble, DeleteAtHighAndLowDigit) {
  THexViewData d;
  Fill(d, {0x12, 0x34});
  EXPECT_TRUE(d.DeleteNibble(0, true, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x23, 0x40}));
  Fill(d, {0x12, 0x34});
  EXPECT_TRUE(d.DeleteNibble(0, false, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x13, 0x40}));
  Fill(d, {0x12});
  EXPECT_TRUE(d.DeleteNibble(0, false, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x10}));
  EXPECT_TRUE(TempDirEmpty());
}

TEST_F(HexDataNibble, LongTailsAcrossBlocksMatchTheReference) {
  std::mt19937 rng(7);
  Bytes data(1500);
  for (Byte& b : data) b = static_cast<Byte>(rng());
  for (Integer pos : {0, 1, 511, 512, 1024, 1499}) {
    for (bool high : {true, false}) {
      for (bool insert : {true, false}) {
        THexViewData d;
        Fill(d, data);
        if (insert)
          ASSERT_TRUE(d.InsertNibble(pos, high, ""));
        else
          ASSERT_TRUE(d.DeleteNibble(pos, high, ""));
        EXPECT_EQ(Contents(d), ShiftReference(data, pos, high, insert))
            << "pos " << pos << " high " << high << " insert " << insert;
      }
    }
  }
  EXPECT_TRUE(TempDirEmpty());
}

TEST_F(HexDataNibble, OutsideTheDataNothingHappens) {
  THexViewData d;
  Fill(d, {0x12});
  EXPECT_FALSE(d.InsertNibble(1, true, ""));
  EXPECT_FALSE(d.InsertNibble(-1, true, ""));
  EXPECT_FALSE(d.DeleteNibble(1, true, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x12}));
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  THexViewData empty;
  EXPECT_FALSE(empty.DeleteNibble(0, true, ""));
}

TEST_F(HexDataNibble, EmptyDataGetsOneZeroByte) {
  THexViewData d;
  EXPECT_TRUE(d.InsertNibble(5, true, ""));
  EXPECT_EQ(Contents(d), (Bytes{0x00}));
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Kind(), ufKindAppendBuffer);
}

TEST_F(HexDataNibble, RecordsTheByteAndCutsMarks) {
  THexViewData d;
  Fill(d, {0x12, 0x34, 0x56});
  d.SetChanged(0, true);
  d.SetChanged(2, true);
  d.SetSelection(0, 0, 1);
  int waits = 0;
  d.OnWaitCursor = [&](THexViewData&, bool on) { waits += on ? 1 : -1; };
  ASSERT_TRUE(d.DeleteNibble(1, true, "Nib"));
  EXPECT_EQ(waits, 0);  // shown and restored
  THVUndoEntry e;
  ASSERT_TRUE(d.UndoStorage().ReadNewest(e));
  EXPECT_EQ(e.Kind(), ufKindNibbleDelete);
  EXPECT_EQ(e.Pos, 1);
  EXPECT_EQ(e.Count, 0);
  EXPECT_EQ(e.Data, (Bytes{0x34}));
  EXPECT_FALSE(e.Has(ufFlagByte1Changed));
  EXPECT_TRUE(d.HasChanged(0));
  EXPECT_FALSE(d.HasChanged(2));
  EXPECT_FALSE(d.HasSelection());
}

TEST_F(HexDataNibble, MissingTemporaryDirectoryLeavesTheBufferAlone) {
  THexViewData d;
  Fill(d, {0x12, 0x34});
  setenv("TMPDIR", (dir_ / "missing").c_str(), 1);
  EXPECT_THROW(d.InsertNibble(0, true, ""), std::runtime_error);
  EXPECT_EQ(Contents(d), (Bytes{0x12, 0x34}));
  EXPECT_EQ(d.UndoStorage().Count(), 1);  // the entry was recorded first
}

}  // namespace
