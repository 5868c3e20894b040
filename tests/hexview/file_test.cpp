// Loading and saving through streams and files, progress and backups.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"
#include "tests/hexview/hexdata_test_util.h"

namespace {

using Bytes = std::vector<Byte>;
namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class HexDataFiles : public testing::Test {
 protected:
  void SetUp() override {
    // One folder per process: ctest runs the cases of a suite side by side.
    dir_ = fs::path(testing::TempDir()) / ("hexdata_files_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(HexDataFiles, LoadReportsProgressPerBlockAndResetsTheDocument) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 5, 0, "");
  d.SetSelection(0, 0, 1);
  std::vector<int> reports;
  d.OnProgress = [&](THexViewData&, THVProgressKind kind, const std::string&, Byte percent, bool&) {
    EXPECT_EQ(kind, pkLoad);
    reports.push_back(percent);
  };
  std::istringstream in(std::string(200000, 'x'));
  d.LoadFromStream(in);
  EXPECT_EQ(reports, (std::vector<int>{0, 31, 61, 100}));
  EXPECT_EQ(d.DataSize(), 200000);
  EXPECT_EQ(d.GetDataAt(199999), 'x');
  EXPECT_EQ(d.UndoStorage().Count(), 0);
  EXPECT_EQ(d.ChangeMarks().Length(), 0);
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_FALSE(d.HasSelection());
}

TEST_F(HexDataFiles, CancelledLoadEmptiesBufferAndUndo) {
  THexViewData d;
  Fill(d, {1, 2});
  d.IntChangeByte(1, 5, 0, "");
  d.OnProgress = [](THexViewData&, THVProgressKind, const std::string&, Byte percent,
                    bool& cancel) { cancel = percent > 50; };
  std::istringstream in(std::string(200000, 'x'));
  try {
    d.LoadFromStream(in);
    FAIL() << "not cancelled";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Operation Cancelled");
  }
  EXPECT_EQ(d.DataSize(), 0);
  EXPECT_EQ(d.UndoStorage().Count(), 0);
}

TEST_F(HexDataFiles, FileRoundTripAndReadOnlyRules) {
  THexViewExData d;
  const std::string path = Path("data.bin");
  EXPECT_THROW(d.LoadFromFile(path), EHVFileError);  // missing
  try {
    d.LoadFromFile(path);
  } catch (const EHVFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open " + path + ".\r\n(", 0), 0u);
  }
  d.CreateEmptyFile("");
  try {
    d.Save();
    FAIL();
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "No Filename specified");
  }
  d.CreateEmptyFile(path);  // never loaded: read-only
  d.SetAsText("abc");
  try {
    d.SaveToFile(path, true);
    FAIL();
  } catch (const EHVFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot save readonly file " + path + ".");
  }
  d.SaveToFile(Path("other.bin"), true);  // another name works and becomes the document
  EXPECT_EQ(ReadFile(Path("other.bin")), "abc");
  EXPECT_EQ(d.FileName(), Path("other.bin"));
  EXPECT_FALSE(d.ReadOnlyFile());
  EXPECT_FALSE(d.ModifiedFlag());
  EXPECT_TRUE(d.HasFile());

  THexViewExData e;
  e.LoadFromFile(Path("other.bin"));
  EXPECT_EQ(e.GetAsText(), "abc");
  EXPECT_FALSE(e.ReadOnlyFile());
  EXPECT_EQ(e.FileName(), Path("other.bin"));
}

TEST_F(HexDataFiles, BackupOnlyForAModifiedDocument) {
  const std::string path = Path("data.bin");
  WriteFile(path, "old");
  THexViewExData d;
  d.LoadFromFile(path);
  d.Save();  // unchanged: no backup
  EXPECT_FALSE(fs::exists(path + ".bak"));
  d.IntChangeByte('o', 'n', 0, "");
  d.Save();
  EXPECT_EQ(ReadFile(path + ".bak"), "old");
  EXPECT_EQ(ReadFile(path), "nld");
  d.IntChangeByte('n', 'm', 0, "");
  d.Save();  // the previous backup is replaced
  EXPECT_EQ(ReadFile(path + ".bak"), "nld");
  d.SetCreateBackup(false);
  d.IntChangeByte('m', 'k', 0, "");
  d.Save();
  EXPECT_EQ(ReadFile(path + ".bak"), "nld");
}

TEST_F(HexDataFiles, RangesAndBufferCopies) {
  THexViewData d;
  Fill(d, {'a', 'b', 'c', 'd'});
  std::ostringstream out;
  d.SaveRangeToStream(out, 1, 2);
  EXPECT_EQ(out.str(), "bc");
  EXPECT_THROW(d.SaveRangeToStream(out, 3, 2), EHexView);
  Integer count = 10;
  EXPECT_EQ(d.BufferFromFile(2, count), (Bytes{'c', 'd'}));
  EXPECT_EQ(count, 2);
  try {
    d.BufferFromFile(4, count);
    FAIL();
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Invalid buffer from file argument");
  }
}

}  // namespace
