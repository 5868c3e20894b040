// Saving never destroys the old file: faults injected at each step of a
// save (a write that fails part-way, a cancel from the progress handler, a
// rename that fails, a backup that cannot be made) leave the old file and its
// old backup byte for byte, and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// Writes beyond `limit` bytes fail (EFBIG) while an object lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit l = old_;
    l.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

class SafeSave : public testing::Test {
 protected:
  void SetUp() override {
    // One folder per process: ctest runs the cases of a suite side by side.
    dir_ = fs::path(testing::TempDir()) / ("hexdata_safe_save_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "data.bin").string();
    WriteFile(path_, "old contents");
    WriteFile(path_ + ".bak", "older contents");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A loaded, modified document of 200000 bytes over the old file.
  void LoadAndGrow(THexViewExData& d) {
    d.LoadFromFile(path_);
    d.SetDataSize(200000);
    d.IntChangeByte(d.GetDataAt(0), 'N', 0, "");
    ASSERT_TRUE(d.GetModified());
  }

  void ExpectOldFilesOnly() {
    EXPECT_EQ(ReadFile(path_), "old contents");
    EXPECT_EQ(ReadFile(path_ + ".bak"), "older contents");
    EXPECT_EQ(Names(dir_), (std::set<std::string>{"data.bin", "data.bin.bak"}));
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(SafeSave, AWriteThatFailsPartWayKeepsTheOldFileAndBackup) {
  THexViewExData d;
  LoadAndGrow(d);
  {
    FileSizeLimit limit(100000);  // the disk is "full" after 100000 bytes
    EXPECT_THROW(d.Save(), std::exception);
  }
  ExpectOldFilesOnly();
  EXPECT_TRUE(d.GetModified());
  EXPECT_EQ(d.FileName(), path_);
  EXPECT_TRUE(d.StreamName().empty());
  d.Save();  // with room again the same save goes through
  EXPECT_EQ(ReadFile(path_ + ".bak"), "old contents");
  EXPECT_EQ(fs::file_size(path_), 200000u);
  EXPECT_EQ(Names(dir_), (std::set<std::string>{"data.bin", "data.bin.bak"}));
}

TEST_F(SafeSave, ACancelledSaveKeepsEverything) {
  THexViewExData d;
  LoadAndGrow(d);
  d.OnProgress = [](THexViewData&, THVProgressKind kind, const std::string& name, Byte percent,
                    bool& cancel) {
    if (kind == pkSave) {
      EXPECT_FALSE(name.empty());
      cancel = percent > 50;
    }
  };
  try {
    d.Save();
    FAIL() << "not cancelled";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(), "Operation Cancelled");
  }
  ExpectOldFilesOnly();
  // Saving under a new name that is cancelled leaves no file of that name.
  EXPECT_THROW(d.SaveToFile((dir_ / "new.bin").string(), true), EHexView);
  ExpectOldFilesOnly();
  EXPECT_EQ(d.FileName(), path_);
}

TEST_F(SafeSave, ARenameThatFailsRemovesTheTemporaryFile) {
  // A non-empty folder where the file should go: the bytes are written, but
  // they cannot take the name.
  const fs::path folder = dir_ / "taken";
  fs::create_directories(folder / "inside");
  THexViewExData d;
  LoadAndGrow(d);
  EXPECT_THROW(d.SaveToFile(folder.string(), true), EHVFileError);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  fs::remove_all(folder);
  ExpectOldFilesOnly();
  EXPECT_EQ(d.FileName(), path_);
  EXPECT_TRUE(d.GetModified());
}

TEST_F(SafeSave, ABackupThatCannotBeReplacedStopsTheSave) {
  fs::remove(path_ + ".bak");
  fs::create_directories(path_ + ".bak/keep");
  THexViewExData d;
  LoadAndGrow(d);
  try {
    d.Save();
    FAIL() << "saved";
  } catch (const EHexView& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot delete previous backup " + path_ + ".bak. (", 0),
              0u)
        << e.what();
  }
  EXPECT_EQ(ReadFile(path_), "old contents");
  EXPECT_TRUE(fs::is_directory(path_ + ".bak/keep"));
  EXPECT_EQ(Names(dir_), (std::set<std::string>{"data.bin", "data.bin.bak"}));
}

// The new file cannot take the name after the backup was made: someone
// removed the temporary file in between.
class LosesItsTemporaryFile : public THexViewExData {
 public:
  explicit LosesItsTemporaryFile(fs::path dir) : dir_(std::move(dir)) {}
  void PrepareOverwriteDiskFile() override {
    THexViewExData::PrepareOverwriteDiskFile();
    for (const auto& e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      // The new file's temporary, not the old backup set aside beside it.
      if (name.rfind(".data.bin.", 0) == 0 && name.rfind(".data.bin.bak", 0) != 0)
        fs::remove(e.path());
    }
  }

 private:
  fs::path dir_;
};

TEST_F(SafeSave, ACommitThatFailsAfterTheBackupPutsBothFilesBack) {
  LosesItsTemporaryFile d(dir_);
  LoadAndGrow(d);
  EXPECT_THROW(d.Save(), EHVFileError);
  ExpectOldFilesOnly();
  EXPECT_TRUE(d.GetModified());
}

TEST_F(SafeSave, SuccessfulSavesKeepRightsAndLeaveOnlyTheirFiles) {
  ::chmod(path_.c_str(), 0640);
  THexViewExData d;
  d.LoadFromFile(path_);
  d.IntChangeByte('o', 'n', 0, "");
  d.Save();
  EXPECT_EQ(ReadFile(path_), "nld contents");
  EXPECT_EQ(ReadFile(path_ + ".bak"), "old contents");
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Saving under another name makes no backup of anything.
  d.IntChangeByte('n', 'm', 0, "");
  d.SaveToFile((dir_ / "copy.bin").string(), false);
  EXPECT_EQ(ReadFile(dir_ / "copy.bin"), "mld contents");
  EXPECT_EQ(ReadFile(path_), "nld contents");
  EXPECT_EQ(Names(dir_), (std::set<std::string>{"data.bin", "data.bin.bak", "copy.bin"}));
  // Without makeCurrent the document stays as it was.
  EXPECT_EQ(d.FileName(), path_);
  EXPECT_TRUE(d.GetModified());
}

TEST_F(SafeSave, AFileBeyondTheBufferLimitIsRefusedBeforeAnyMemoryIsTaken) {
  const fs::path huge = dir_ / "huge.bin";
  { std::ofstream(huge, std::ios::binary).put('x'); }
  fs::resize_file(huge, 2147483648ull);  // sparse: 2 GiB, one byte past the limit
  THexViewExData d;
  d.LoadFromFile(path_);
  try {
    d.LoadFromFile(huge.string());
    FAIL() << "loaded";
  } catch (const EHexView& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot load 2147483648 bytes: the hex view holds at most 2147483647 bytes");
  }
  EXPECT_EQ(d.DataSize(), 0);
  EXPECT_FALSE(d.HasFile());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss, 256 * 1024);  // kilobytes: far below the 2 GiB
}

}  // namespace
