// THexViewData: half-byte insert and delete, streaming the shifted tail
// through a temporary file.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "hexview/thexviewdata.h"
#include "hexview/thvwaitcursor.h"

namespace {

constexpr Integer kBlock = 512;

// A temporary file "<temp dir>/XXXXXXXX.HVT" (tick count in upper-case hex)
// that is closed and deleted when it goes out of scope.
class TempShiftFile {
 public:
  TempShiftFile() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::temp_directory_path(ec);
    if (ec)
      throw std::runtime_error("Cannot create file in the temporary directory. " + ec.message());
    uint32_t tick = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    for (int attempt = 0; attempt < 1000; ++attempt, ++tick) {
      char name[16];
      std::snprintf(name, sizeof name, "%08X.HVT", tick);
      path_ = (dir / name).string();
      file_ = std::fopen(path_.c_str(), "w+bx");  // fails when the name exists
      if (file_ || errno != EEXIST) break;
    }
    if (!file_)
      throw std::runtime_error("Cannot create file \"" + path_ + "\". " + std::strerror(errno));
  }
  ~TempShiftFile() {
    std::fclose(file_);
    std::remove(path_.c_str());
  }
  TempShiftFile(const TempShiftFile&) = delete;
  TempShiftFile& operator=(const TempShiftFile&) = delete;

  void Write(const Byte* data, size_t n) {
    if (std::fwrite(data, 1, n, file_) != n) Fail("write");
  }
  // Reads the whole file from offset; the caller gets every byte or an error.
  std::vector<Byte> ReadFrom(long offset, size_t n) {
    std::vector<Byte> out(n);
    if (std::fflush(file_) != 0 || std::fseek(file_, offset, SEEK_SET) != 0) Fail("seek");
    for (size_t done = 0; done < n;) {
      size_t chunk = std::min<size_t>(kBlock, n - done);
      if (std::fread(out.data() + done, 1, chunk, file_) != chunk) Fail("read");
      done += chunk;
    }
    return out;
  }

 private:
  [[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("Cannot ") + what + " file \"" + path_ + "\".");
  }
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace

bool THexViewData::InsertNibble(Integer pos, bool atHighDigit, const std::string& description) {
  if (DataSize() == 0) {
    const Byte zero = 0;
    AppendBuffer(&zero, 1, description, true);
    return true;
  }
  if (pos < 0 || pos >= DataSize()) return false;
  CreateUndo(ufKindNibbleInsert, pos, 0, 0, description);
  ResetSelection(true);
  InternalInsertNibble(pos, atHighDigit);
  return true;
}

bool THexViewData::DeleteNibble(Integer pos, bool atHighDigit, const std::string& description) {
  if (pos < 0 || pos >= DataSize()) return false;
  CreateUndo(ufKindNibbleDelete, pos, 0, 0, description);
  ResetSelection(true);
  InternalDeleteNibble(pos, atHighDigit);
  return true;
}

void THexViewData::InternalInsertNibble(Integer pos, bool atHighDigit) {
  ShiftNibbles(pos, atHighDigit, true);
}

void THexViewData::InternalDeleteNibble(Integer pos, bool atHighDigit) {
  ShiftNibbles(pos, atHighDigit, false);
}

void THexViewData::ShiftNibbles(Integer pos, bool atHighDigit, bool insert) {
  const Integer size = DataSize();
  if (pos < 0 || pos >= size) return;
  THVWaitCursor wait(*this);
  const Integer tail = size - pos;
  std::vector<Byte> shifted;
  {
    TempShiftFile file;
    Byte block[kBlock];
    Byte carry = 0;
    for (Integer done = 0; done < tail;) {
      const Integer n = std::min(kBlock, tail - done);
      const Byte* src = GetFastPointer() + pos + done;
      for (Integer i = 0; i < n; ++i) {
        block[i] = static_cast<Byte>((src[i] >> 4) | (carry << 4));
        carry = src[i] & 15;
      }
      file.Write(block, static_cast<size_t>(n));
      done += n;
    }
    // The whole tail is read back before the buffer is touched, so a
    // failing file leaves the data as it was.
    shifted = insert ? file.ReadFrom(0, static_cast<size_t>(tail))
                     : file.ReadFrom(1, static_cast<size_t>(tail - 1));
  }
  const Byte oldFirst = GetDataAt(pos);
  const Byte oldLast = GetDataAt(size - 1);
  if (insert) stream_.SetSize(static_cast<Int64>(size) + 1);
  std::copy(shifted.begin(), shifted.end(), stream_.Memory() + pos);
  const Integer last = DataSize() - 1;
  SetDataAt(last, static_cast<Byte>(oldLast << 4));
  if (insert)
    SetDataAt(pos, atHighDigit ? static_cast<Byte>(oldFirst >> 4) : oldFirst & 0xF0);
  else if (!atHighDigit)
    SetDataAt(pos, static_cast<Byte>((oldFirst & 0xF0) | (GetDataAt(pos) & 0x0F)));
  marks_.CutAt(pos);
  CalcSizes();
  Changed();
}
