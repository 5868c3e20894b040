// THVFileReplace: replaces a file's contents without ever leaving it half
// written. The new bytes go to a temporary file in the target's folder;
// only when every byte is written and on disk does the temporary file take
// the target's name (one rename). A backup of the old file can be made on
// the way. Anything that fails before the commit, and the destructor of an
// uncommitted replacement, puts the old file and any old backup back as they
// were and removes the temporary file.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

// Unbuffered writes to a file descriptor that start writing the data out to
// disk every few megabytes, so that the final sync has little left to do.
class THVWriteBehindBuf : public std::streambuf {
 public:
  void SetFd(int fd) { fd_ = fd; }
  int Error() const { return error_; }

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int_type overflow(int_type c) override;

 private:
  int fd_ = -1;
  int error_ = 0;
  long long written_ = 0;
  long long started_ = 0;  // bytes handed to the disk so far
};

class THVFileReplace {
 public:
  // Creates the temporary file; EHVFileError "Cannot create file ..." when
  // the folder does not allow it.
  explicit THVFileReplace(const std::string& target);
  ~THVFileReplace();
  THVFileReplace(const THVFileReplace&) = delete;
  THVFileReplace& operator=(const THVFileReplace&) = delete;

  std::ostream& Stream() { return stream_; }
  const std::string& Target() const { return target_; }
  const std::string& TempName() const { return temp_; }

  // Flushes, closes and syncs the temporary file; raises when any of it fails.
  void FinishWriting();
  // Moves the current target to backupName, replacing an older backup.
  // EHexView "Cannot delete previous backup %s. (%s)" when the old backup
  // cannot be taken away, "Cannot create backup %s. (%s)" when the move
  // fails; either way nothing has changed on disk. Undone when the commit
  // does not happen.
  void MoveTargetToBackup(const std::string& backupName);
  // Gives the temporary file the target's name. On failure everything is
  // put back and EHVFileError is raised.
  void Commit();

 private:
  void RollBack() noexcept;

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  THVWriteBehindBuf buf_;
  std::ostream stream_{&buf_};
  std::string backup_;     // where the target was moved, or empty
  std::string oldBackup_;  // where an older backup waits to be deleted, or empty
  bool written_ = false;
  bool committed_ = false;
};
