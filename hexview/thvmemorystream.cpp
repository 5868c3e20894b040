// The hex view's buffer.
#include "hexview/thvmemorystream.h"

#include <algorithm>
#include <cstring>

#include "hexview/ehexview.h"
#include "hexview/hvhextext.h"
#include "hexview/hvtranslation.h"

void THVMemoryStream::SetSize(Int64 newSize) {
  const size_t old = data_.size();
  SetSizeForOverwrite(newSize);
  if (data_.size() > old) std::memset(data_.data() + old, 0, data_.size() - old);
}

void THVMemoryStream::SetSizeForOverwrite(Int64 newSize) {
  if (newSize <= 0) {
    decltype(data_)().swap(data_);
    return;
  }
  data_.resize(static_cast<size_t>(newSize));
}

Int64 THVMemoryStream::Read(Byte* dest, Int64 count) {
  if (count <= 0 || position_ >= Size()) return 0;
  Int64 n = std::min(count, Size() - position_);
  std::memcpy(dest, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

void THVMemoryStream::Write(const Byte* source, Int64 count) {
  if (count <= 0) return;
  if (position_ + count > Size()) SetSize(position_ + count);
  std::memcpy(data_.data() + position_, source, static_cast<size_t>(count));
  position_ += count;
}

void THVMemoryStream::CheckBounds(Int64 pos, Int64 count) const {
  if (pos < 0 || count < 0 || pos > Size() || count > Size() - pos) throw EHexView(kHVOutOfBounds);
}

void THVMemoryStream::ReadBufferAt(Byte* dest, Int64 pos, Int64 count) const {
  CheckBounds(pos, count);
  if (count > 0) std::memcpy(dest, data_.data() + pos, static_cast<size_t>(count));
}

void THVMemoryStream::WriteBufferAt(const Byte* source, Int64 pos, Int64 count) {
  CheckBounds(pos, count);
  if (count > 0) std::memcpy(data_.data() + pos, source, static_cast<size_t>(count));
}

std::string THVMemoryStream::GetAsHex(Int64 pos, Int64 count, bool swapNibbles) const {
  CheckBounds(pos, count);
  return ConvertBinToHex(data_.data() + pos, static_cast<Integer>(count), swapNibbles);
}

void THVMemoryStream::TranslateToAnsi(THVTranslationKind kind, Int64 pos, Int64 count) {
  CheckBounds(pos, count);
  if (kind == tkAsIs) return;
  Byte* p = data_.data() + pos;
  TranslateBufferToAnsi(kind, p, p, static_cast<Integer>(count));
}

void THVMemoryStream::TranslateFromAnsi(THVTranslationKind kind, Int64 pos, Int64 count) {
  CheckBounds(pos, count);
  if (kind == tkAsIs) return;
  Byte* p = data_.data() + pos;
  TranslateBufferFromAnsi(kind, p, p, static_cast<Integer>(count));
}

void THVMemoryStream::Move(Int64 from, Int64 to, Int64 count) {
  if (count > 0) std::memmove(data_.data() + to, data_.data() + from, static_cast<size_t>(count));
}
