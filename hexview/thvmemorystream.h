// THVMemoryStream: the hex view's buffer, one contiguous growable block of
// bytes with a stream position used only by streaming operations.
#pragma once

#include <string>
#include <vector>

#include "hexview/hvtypes.h"
#include "hexview/thvbyteallocator.h"

class THVMemoryStream {
 public:
  // A block of bytes as the stream holds them.
  using TBlock = std::vector<Byte, THVByteAllocator<Byte>>;

  THVMemoryStream() = default;

  Int64 Size() const { return static_cast<Int64>(data_.size()); }
  // Resizes; added bytes are 0. The position is kept (it may lie past the end).
  // Size 0 gives the memory back.
  void SetSize(Int64 newSize);
  // As SetSize, but added bytes are left as they come: for a caller that
  // writes every one of them (loading).
  void SetSizeForOverwrite(Int64 newSize);
  // Exchanges the stream's bytes with block (the position stays).
  void SwapBlock(TBlock& block) { data_.swap(block); }
  Byte* Memory() { return data_.data(); }
  const Byte* Memory() const { return data_.data(); }

  Int64 Position() const { return position_; }
  void SetPosition(Int64 pos) { position_ = pos < 0 ? 0 : pos; }
  // Streaming at the position: Read returns the bytes read (at most to the
  // end); Write grows the block when needed. Both advance the position.
  Int64 Read(Byte* dest, Int64 count);
  void Write(const Byte* source, Int64 count);

  // Bounds-checked block access at a position; raise EHexView "Data
  // position/length out of data bounds" when the range leaves the data.
  // The stream position is left as it was.
  void ReadBufferAt(Byte* dest, Int64 pos, Int64 count) const;
  void WriteBufferAt(const Byte* source, Int64 pos, Int64 count);
  std::string GetAsHex(Int64 pos, Int64 count, bool swapNibbles) const;
  // Convert a range in place from/to the Windows character set (nothing
  // for tkAsIs).
  void TranslateToAnsi(THVTranslationKind kind, Int64 pos, Int64 count);
  void TranslateFromAnsi(THVTranslationKind kind, Int64 pos, Int64 count);

  // Unchecked: the caller keeps positions inside the data.
  Byte* PointerAt(Int64 pos) { return data_.data() + pos; }
  const Byte* PointerAt(Int64 pos) const { return data_.data() + pos; }
  void Move(Int64 from, Int64 to, Int64 count);  // overlapping-safe

  // Raises EHexView unless 0 <= pos, 0 <= count and pos + count <= Size().
  void CheckBounds(Int64 pos, Int64 count) const;

 private:
  TBlock data_;
  Int64 position_ = 0;
};
