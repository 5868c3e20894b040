// Shared vocabulary of the hex view's data side: integer aliases, translation
// kinds, undo entry kinds and flags, bookmarks.
#pragma once

#include <array>
#include <cstdint>

using Integer = int32_t;
using Byte = uint8_t;
using Int64 = int64_t;

// Character translation of the character field (ordinals are stored in undo
// entries and settings text).
enum THVTranslationKind : Byte { tkAsIs, tkDos8, tkASCII, tkMac, tkBCD, tkCustom };
constexpr int kHVTranslationKindCount = 6;

// One kind (0..10) plus any number of flags (11..20) make up an undo entry's
// flag word; bit n of the 32-bit mask stands for the value numbered n.
enum THVUndoFlag : uint8_t {
  ufKindBytesChanged,
  ufKindByteRemoved,
  ufKindInsertBuffer,
  ufKindReplace,
  ufKindAppendBuffer,
  ufKindNibbleInsert,
  ufKindNibbleDelete,
  ufKindConvert,
  ufKindSelection,
  ufKindCombined,
  ufKindAllData,
  ufFlagByte1Changed,
  ufFlagByte2Changed,
  ufFlagModified,
  ufFlag2ndByteCol,
  ufFlagInCharField,
  ufFlagHasSelection,
  ufFlagInsertMode,
  ufFlagIsUnicode,
  ufFlagIsUnicodeBigEndian,
  ufFlagHasDescription
};
constexpr int kHVUndoKindCount = 11;

// Set of THVUndoFlag as a 32-bit mask.
using THVUndoFlags = uint32_t;
constexpr THVUndoFlags UndoFlagBit(THVUndoFlag f) {
  return THVUndoFlags{1} << f;
}
constexpr bool HasUndoFlag(THVUndoFlags set, THVUndoFlag f) {
  return (set & UndoFlagBit(f)) != 0;
}
// The kind carried by a flag word (the lowest kind bit set), or
// ufKindBytesChanged for a word without kind bits.
THVUndoFlag UndoKindOf(THVUndoFlags set);

// A bookmark: a byte index (-1 = not set) and the field it was set in.
struct THVBookmark {
  Integer Position = -1;
  bool InCharField = false;
  bool operator==(const THVBookmark&) const = default;
};
constexpr int kHVBookmarkCount = 10;
using THVBookmarks = std::array<THVBookmark, kHVBookmarkCount>;

// What a progress report is about.
enum THVProgressKind : uint8_t { pkLoad, pkSave, pkFind };

// Selection in byte indices: Anchor -1 when nothing is selected.
struct THVSelection {
  Integer Anchor = -1;
  Integer Low = -1;
  Integer High = -1;
  bool operator==(const THVSelection&) const = default;
};
