// THVFileReplace: temporary file beside the target, backup and commit by rename.
#include "hexview/thvfilereplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "hexview/ehexview.h"

namespace {

std::string ErrorText(int error) {
  return std::strerror(error);
}

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Creates a new, empty file named after `near` in its folder with a unique
// suffix; returns its descriptor (and name), or -1 with errno set.
int CreateUnique(const std::string& near, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path p(near);
  const auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d-%llx-%u.tmp", static_cast<int>(getpid()),
                  seed & 0xFFFFFFFFull, counter++);
    name = (p.parent_path() / ("." + p.filename().string() + suffix)).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string CannotCreate(const std::string& name, int error) {
  return "Cannot create file \"" + name + "\". " + ErrorText(error);
}

}  // namespace

std::streamsize THVWriteBehindBuf::xsputn(const char* s, std::streamsize n) {
  constexpr long long kWriteBehind = 8 << 20;
  std::streamsize done = 0;
  while (done < n) {
    const ssize_t w = ::write(fd_, s + done, static_cast<size_t>(n - done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      error_ = w < 0 ? errno : EIO;
      break;
    }
    done += w;
    written_ += w;
  }
  if (written_ - started_ >= kWriteBehind) {
    ::sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
    started_ = written_;
  }
  return done;
}

THVWriteBehindBuf::int_type THVWriteBehindBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

THVFileReplace::THVFileReplace(const std::string& target) : target_(target) {
  fd_ = CreateUnique(target, temp_);
  if (fd_ < 0) {
    temp_.clear();
    throw EHVFileError(CannotCreate(target, errno));
  }
  // The new file keeps the old one's access rights (and owner, where allowed).
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    ::fchmod(fd_, st.st_mode & 07777);
    if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
      // Only the owner's group may differ; the rights above still hold.
    }
  }
  buf_.SetFd(fd_);
}

THVFileReplace::~THVFileReplace() {
  if (!committed_) RollBack();
}

void THVFileReplace::FinishWriting() {
  stream_.flush();
  int error = buf_.Error();
  if (!error && !stream_) error = EIO;
  if (!error && ::fsync(fd_) != 0) error = errno;
  if (::close(fd_) != 0 && !error) error = errno;
  fd_ = -1;
  if (error) throw EHVFileError("Cannot write file \"" + target_ + "\". " + ErrorText(error));
  written_ = true;
}

void THVFileReplace::MoveTargetToBackup(const std::string& backupName) {
  struct stat st {};
  if (::lstat(backupName.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      // A folder in the backup's place can only go when it is empty.
      if (::rmdir(backupName.c_str()) != 0)
        throw EHexView(HVMsgCannotDeleteBackup(backupName, ErrorText(errno)));
    } else {
      // The old backup is set aside, not deleted, until the new file is in place.
      std::string aside;
      const int fd = CreateUnique(backupName, aside);
      if (fd < 0) throw EHexView(HVMsgCannotDeleteBackup(backupName, ErrorText(errno)));
      ::close(fd);
      if (::rename(backupName.c_str(), aside.c_str()) != 0) {
        const int error = errno;
        ::unlink(aside.c_str());
        throw EHexView(HVMsgCannotDeleteBackup(backupName, ErrorText(error)));
      }
      oldBackup_ = aside;
    }
  }
  if (::rename(target_.c_str(), backupName.c_str()) != 0) {
    const int error = errno;
    if (!oldBackup_.empty() && ::rename(oldBackup_.c_str(), backupName.c_str()) == 0)
      oldBackup_.clear();
    throw EHexView(HVMsgCannotCreateBackup(backupName, ErrorText(error)));
  }
  backup_ = backupName;
}

void THVFileReplace::Commit() {
  if (!written_) FinishWriting();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    RollBack();
    throw EHVFileError(CannotCreate(target_, error));
  }
  committed_ = true;
  if (!oldBackup_.empty()) ::unlink(oldBackup_.c_str());
  SyncFolder(target_);
}

void THVFileReplace::RollBack() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!backup_.empty()) {
    if (::rename(backup_.c_str(), target_.c_str()) == 0 && !oldBackup_.empty())
      ::rename(oldBackup_.c_str(), backup_.c_str());
    backup_.clear();
    oldBackup_.clear();
  }
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}
