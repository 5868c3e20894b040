// THexViewData: loading and saving the buffer through streams and files.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "framework/scoped_value.h"
#include "hexview/ehexview.h"
#include "hexview/thexviewdata.h"
#include "hexview/thvwaitcursor.h"

namespace {

constexpr Int64 kCopyBlock = 61440;

// Bytes from the stream's current position to its end, or -1.
Int64 RemainingIn(std::istream& in) {
  const std::istream::pos_type here = in.tellg();
  if (here == std::istream::pos_type(-1)) return -1;
  in.seekg(0, std::ios::end);
  const std::istream::pos_type end = in.tellg();
  in.seekg(here);
  return end == std::istream::pos_type(-1) ? -1 : static_cast<Int64>(end - here);
}

}  // namespace

void THexViewData::Stream2Stream(std::istream* in, std::ostream* out, Int64 count,
                                 THVProgressKind kind) {
  Int64 pos = stream_.Position();
  if (count < 0) count = in ? RemainingIn(*in) : stream_.Size() - pos;
  if (count < 0) throw std::runtime_error("Stream read error");
  // Every byte of a load is read into the buffer, or the load fails and
  // empties it: the grown part needs no clearing first.
  if (in && pos + count > stream_.Size()) stream_.SetSizeForOverwrite(pos + count);
  if (out) stream_.CheckBounds(pos, count);
  const std::string& name = streamName_.empty() ? fileName_ : streamName_;
  long last = -1;
  for (Int64 remaining = count; remaining > 0;) {
    const long percent = std::lround((count - remaining) * 100.0 / count);
    if (percent != last || remaining <= kCopyBlock) {
      last = percent;
      bool cancel = false;
      if (OnProgress)
        OnProgress(*this, kind, name, static_cast<Byte>(remaining <= kCopyBlock ? 100 : percent),
                   cancel);
      if (cancel) throw EHexView(kHVOperationCancelled);
    }
    const Int64 n = std::min(kCopyBlock, remaining);
    char* p = reinterpret_cast<char*>(stream_.PointerAt(pos));
    if (in && !in->read(p, n)) throw std::runtime_error("Stream read error");
    if (out && !out->write(p, n)) throw std::runtime_error("Stream write error");
    pos += n;
    remaining -= n;
  }
  stream_.SetPosition(pos);
}

void THexViewData::LoadFromStream(std::istream& in) {
  stream_.SetSize(0);
  stream_.SetPosition(0);
  CalcSizes();
  try {
    THVWaitCursor wait(*this);
    in.seekg(0, std::ios::beg);
    const Int64 size = RemainingIn(in);
    if (size < 0) throw std::runtime_error("Stream read error");
    if (size > std::numeric_limits<Integer>::max()) throw EHexView(HVMsgTooLarge(size));
    Stream2Stream(&in, nullptr, size, pkLoad);
  } catch (...) {
    stream_.SetSize(0);
    stream_.SetPosition(0);
    undo_->Reset(true);
    hasFile_ = false;
    selection_ = THVSelection{};
    CalcSizes();
    throw;
  }
  if (undo_->UpdateCount() == 0) undo_->Reset(true);
  marks_.Clear();
  selection_ = THVSelection{};  // a kept selection could point past the new data
  CalcSizes();
  modified_ = false;
  MoveCaret(0, false);
  Changed();
}

void THexViewData::LoadFromFile(const std::string& fileName) {
  readOnlyFile_ = true;
  std::FILE* probe = std::fopen(fileName.c_str(), "rb");
  if (!probe) throw EHVFileError(HVMsgCannotOpen(fileName, std::strerror(errno)));
  std::fclose(probe);
  if (std::FILE* rw = std::fopen(fileName.c_str(), "r+b")) {
    std::fclose(rw);
    readOnlyFile_ = false;
  }
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw EHVFileError(HVMsgCannotOpen(fileName, std::strerror(errno)));
  TScopedValue name(streamName_, fileName);  // for progress reports while the file is read
  try {
    LoadFromStream(file);
  } catch (...) {
    hasFile_ = false;
    throw;
  }
  fileName_ = fileName;
  hasFile_ = true;
}

void THexViewData::SaveToStream(std::ostream& out) {
  {
    THVWaitCursor wait(*this);
    stream_.SetPosition(0);
    Stream2Stream(nullptr, &out, DataSize(), pkSave);
  }
  Repaint();
}

void THexViewData::SaveRangeToStream(std::ostream& out, Integer position, Integer count) {
  stream_.CheckBounds(position, count);
  THVWaitCursor wait(*this);
  stream_.SetPosition(position);
  Stream2Stream(nullptr, &out, count, pkSave);
}

void THexViewData::PrepareOverwriteDiskFile() {
  if (readOnlyFile_) throw EHVFileError(HVMsgCannotSaveReadOnly(fileName_));
}

void THexViewData::MoveFileToBackup(const std::string& backupName) {
  if (pendingSave_) {
    pendingSave_->MoveTargetToBackup(backupName);
    return;
  }
  // Outside a save the old file simply takes the backup's name.
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(backupName, ec)) && !fs::remove(backupName, ec))
    throw EHexView(HVMsgCannotDeleteBackup(backupName, ec.message()));
  fs::rename(fileName_, backupName, ec);
  if (ec) throw EHexView(HVMsgCannotCreateBackup(backupName, ec.message()));
}

void THexViewData::SaveToFile(const std::string& fileName, bool makeCurrent) {
  const bool overwriting = fileName == fileName_;
  if (overwriting && readOnlyFile_) throw EHVFileError(HVMsgCannotSaveReadOnly(fileName_));
  THVFileReplace file(fileName);
  {
    TScopedValue name(streamName_, fileName);
    SaveToStream(file.Stream());
    file.FinishWriting();
  }
  if (overwriting) {
    TScopedValue committing(pendingSave_, &file);
    PrepareOverwriteDiskFile();
  }
  file.Commit();
  hasFile_ = true;
  if (!makeCurrent) return;
  marks_.Clear();
  modified_ = false;
  readOnlyFile_ = false;
  fileName_ = fileName;
  stream_.SetPosition(0);
  undo_->Reset(true);
}

std::vector<Byte> THexViewData::BufferFromFile(Integer position, Integer& count) const {
  if (position < 0 || position >= DataSize()) throw EHexView(kHVInvalidBufferFromFile);
  count = std::clamp(count, 0, DataSize() - position);
  try {
    return std::vector<Byte>(GetFastPointer() + position, GetFastPointer() + position + count);
  } catch (const std::bad_alloc&) {
    count = 0;
    return {};
  }
}
