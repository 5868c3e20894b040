#include "link/sim_bridge.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

// Reads a memory file of exactly `expected` bytes; any other size is
// refused before reading, with `error` saying why.
bool ReadMemoryFile(const std::string& path, size_t expected, std::vector<uint8_t>& bytes,
                    std::string& error) {
  std::error_code code;
  const auto size = std::filesystem::is_regular_file(path, code)
                        ? std::filesystem::file_size(path, code)
                        : static_cast<uintmax_t>(-1);
  if (code || size == static_cast<uintmax_t>(-1)) {
    error = "cannot read simulated chip memory file '" + path + "'";
    return false;
  }
  if (size != expected) {
    error = "simulated chip memory file '" + path + "' has " + std::to_string(size) +
            " bytes, expected " + std::to_string(expected);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(expected);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(expected));
  if (!in || static_cast<size_t>(in.gcount()) != expected) {
    error = "cannot read simulated chip memory file '" + path + "'";
    return false;
  }
  return true;
}

// Writes beside the file and renames over it, so a crash mid-write never
// leaves a half-written memory file behind. The file beside has a name of
// its own for every write, so that writers in other threads or processes
// never share one: the file ends up as one of them wrote it, whole.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  static std::atomic<uint64_t> serial{0};
  const std::string temp =
      path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(++serial);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool written = ::close(fd) == 0 && done == bytes.size();
  if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

// Present but unreadable counts as present: it must be reported, never replaced.
bool FileExists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored) || std::filesystem::is_symlink(path, ignored);
}

}  // namespace

SimBridgeLibrary::SimBridgeLibrary() = default;

std::unique_ptr<SimBridgeLibrary> SimBridgeLibrary::WithFile(const std::string& file,
                                                             std::string& error) {
  auto library = std::make_unique<SimBridgeLibrary>();
  if (!FileExists(file)) {
    if (!WriteWholeFile(file, library->chip_.Memory())) {
      error = "cannot create simulated chip memory file '" + file + "'";
      return nullptr;
    }
  } else {
    std::vector<uint8_t> bytes;
    if (!ReadMemoryFile(file, SimulatedChip::kMemorySize, bytes, error) ||
        !library->chip_.LoadMemory(bytes)) {
      return nullptr;
    }
  }
  library->file_ = file;
  library->chip_.OnWriteComplete = [lib = library.get()](SimulatedChip&) { lib->SaveFile(); };
  return library;
}

void SimBridgeLibrary::SaveFile() {
  fileError_.clear();
  if (!WriteWholeFile(file_, chip_.Memory())) {
    fileError_ = "cannot write simulated chip memory file '" + file_ + "'";
  }
}

BridgeStatus SimBridgeLibrary::GetNumDevices(uint32_t& count) {
  std::lock_guard lock(mutex_);
  count = plugged_ ? 1 : 0;
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || index != 0) return kStatusBadIndex;
  const char* text = option == kProductSerialNumber ? serial_.c_str() : kProduct;
  std::strncpy(buffer, text, kProductStringSize - 1);
  buffer[kProductStringSize - 1] = '\0';
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || index != 0) return kStatusBadIndex;
  if (chip_.Faults().refuseOpen) return kStatusRefused;
  for (const auto& [id, generation] : handles_) {
    if (generation == plugGeneration_) return kStatusBusy;
  }
  const uintptr_t id = nextHandle_++;
  handles_[id] = plugGeneration_;
  chip_.Abort();
  chip_.DropPending();
  handle = reinterpret_cast<BridgeHandle>(id);
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::Close(BridgeHandle handle) {
  std::lock_guard lock(mutex_);
  return handles_.erase(reinterpret_cast<uintptr_t>(handle)) == 1 ? kBridgeOk : kStatusBadHandle;
}

BridgeStatus SimBridgeLibrary::CheckLive(BridgeHandle handle) const {
  const auto it = handles_.find(reinterpret_cast<uintptr_t>(handle));
  if (it == handles_.end()) return kStatusBadHandle;
  if (!plugged_ || it->second != plugGeneration_) return kStatusUnplugged;
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                    uint32_t& received) {
  std::lock_guard lock(mutex_);
  received = 0;
  if (const BridgeStatus status = CheckLive(handle); status != kBridgeOk) return status;
  received = static_cast<uint32_t>(chip_.Take(buffer, wanted));
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                     uint32_t& written) {
  std::lock_guard lock(mutex_);
  written = 0;
  if (const BridgeStatus status = CheckLive(handle); status != kBridgeOk) return status;
  chip_.Feed(buffer, count);
  written = count;
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t /*flushTransmit*/,
                                            uint8_t flushReceive) {
  std::lock_guard lock(mutex_);
  if (const BridgeStatus status = CheckLive(handle); status != kBridgeOk) return status;
  // Nothing waits on the way to the chip: writes reach it at once.
  if (flushReceive != 0) chip_.DropPending();
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) {
  std::lock_guard lock(mutex_);
  waiting = 0;
  if (const BridgeStatus status = CheckLive(handle); status != kBridgeOk) return status;
  waiting = static_cast<uint32_t>(chip_.Pending());
  return kBridgeOk;
}

BridgeStatus SimBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
  std::lock_guard lock(mutex_);
  readTimeoutMs_ = readTimeoutMs;
  writeTimeoutMs_ = writeTimeoutMs;
  return kBridgeOk;
}

std::string SimBridgeLibrary::Location(uint32_t index) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || index != 0) return "";
  return file_.empty() ? "sim#" + std::to_string(number_) : file_;
}

void SimBridgeLibrary::SetNumber(int number) {
  std::lock_guard lock(mutex_);
  number_ = number;
}

void SimBridgeLibrary::SetSerial(const std::string& serial) {
  std::lock_guard lock(mutex_);
  serial_ = serial;
}

std::string SimBridgeLibrary::Serial() const {
  std::lock_guard lock(mutex_);
  return serial_;
}

SimFaults SimBridgeLibrary::Faults() const {
  std::lock_guard lock(mutex_);
  return chip_.Faults();
}

void SimBridgeLibrary::SetFaults(const SimFaults& faults) {
  std::lock_guard lock(mutex_);
  chip_.SetFaults(faults);
}

void SimBridgeLibrary::Plug() {
  std::lock_guard lock(mutex_);
  plugged_ = true;
}

void SimBridgeLibrary::Unplug() {
  std::lock_guard lock(mutex_);
  if (!plugged_) return;
  plugged_ = false;
  ++plugGeneration_;
  chip_.Abort();
  chip_.DropPending();
}

bool SimBridgeLibrary::IsPlugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

int SimBridgeLibrary::OpenHandles() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(handles_.size());
}

uint32_t SimBridgeLibrary::ReadTimeoutMs() const {
  std::lock_guard lock(mutex_);
  return readTimeoutMs_;
}

uint32_t SimBridgeLibrary::WriteTimeoutMs() const {
  std::lock_guard lock(mutex_);
  return writeTimeoutMs_;
}

std::string SimBridgeLibrary::LastFileError() const {
  std::lock_guard lock(mutex_);
  return fileError_;
}
