// THVUndoStorage: the undo history as one byte stream of self-describing
// entries, oldest first, plus the single redo record and the entry most
// recently taken off by an undo step.
//
// Entry layout (little-endian, no alignment gaps; n >= 1 data bytes):
//   0 EntrySize(4) 4 Flags(4) 8 CaretPos(4) 12 Pos(4) 16 Count(4)
//   20 ReplaceCount(4) 24 Translation(1) 25 BytesPerUnit(4) 29 Data(n)
//   [Description(d) DescriptionLength(4)]  with ufFlagHasDescription
//   Reserved(1) = 0
//   [Low(4) High(4) Anchor(4)]             with ufFlagHasSelection
//   TrailingSize(4) == EntrySize
// so EntrySize = 34 + n, plus d + 4 with a description, plus 12 with a
// selection block.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hexview/hvtypes.h"
#include "hexview/thvbyteallocator.h"
#include "hexview/thvchangemarks.h"

class THexViewData;

// Sizes of the fixed parts of an entry.
inline constexpr Integer kHVUndoHeadSize = 29;       // up to the data
inline constexpr Integer kHVUndoMinEntrySize = 30;   // head + one data byte
inline constexpr Integer kHVUndoEntryOverhead = 34;  // EntrySize - n without optional blocks
inline constexpr Integer kHVUndoSelectionSize = 12;
inline constexpr Integer kHVDefaultMaxUndo = 1048576;
inline constexpr const char* kHVNoUndo = "No Undo";

// The text an entry gets when its creator gives none, per kind.
const char* UndoDefaultDescription(THVUndoFlag kind);

// One entry read back from the stream.
struct THVUndoEntry {
  Integer EntrySize = 0;
  THVUndoFlags Flags = 0;
  Integer CaretPos = 0;
  Integer Pos = 0;
  Integer Count = 0;
  Integer ReplaceCount = 0;
  Byte Translation = 0;
  Integer BytesPerUnit = 1;
  std::vector<Byte> Data;
  std::string Description;  // the stored one; empty without ufFlagHasDescription
  THVSelection Selection;   // Anchor -1 without ufFlagHasSelection
  THVUndoFlag Kind() const { return UndoKindOf(Flags); }
  bool Has(THVUndoFlag f) const { return HasUndoFlag(Flags, f); }
};

// What an entry's bytes cannot say about the state before its edit, kept in
// memory beside the stream: the bookmarks when the edit moved or unset any,
// and for a whole-buffer snapshot the change marks.
struct THVUndoSideState {
  std::optional<THVBookmarks> Bookmarks;
  std::optional<THVChangeMarks> Marks;
};

// The state needed to redo the step just undone (built by the undo step).
struct THVRedoRecord {
  THVUndoFlags Flags = 0;
  Integer CaretPos = 0;
  Integer Pos = 0;
  Integer Count = 0;
  Integer ReplaceCount = 0;
  Byte Translation = 0;
  Integer BytesPerUnit = 1;
  std::vector<Byte> Data;
  THVBookmarks Bookmarks;
  THVSelection Selection;
  std::optional<THVChangeMarks> Marks;  // whole-buffer kinds: the marks to put back
};

class THVUndoStorage {
 public:
  explicit THVUndoStorage(THexViewData& editor);
  THVUndoStorage(const THVUndoStorage&) = delete;
  THVUndoStorage& operator=(const THVUndoStorage&) = delete;

  // The raw stream, exactly as an undo dump writes it (a copy).
  std::vector<Byte> Bytes() const { return std::vector<Byte>(Begin(), End()); }
  Int64 Size() const { return static_cast<Int64>(stream_.size() - head_); }
  Integer Count() const { return count_; }
  Integer UpdateCount() const { return updateCount_; }
  const std::string& Description() const { return description_; }

  Integer MaxUndo() const { return maxUndo_; }
  void SetMaxUndo(Integer value) { maxUndo_ = value; }

  // Adds one entry describing the edit about to happen (nothing while the
  // update depth is above 0). Discards the redo record, trims the oldest
  // entries to MaxUndo first, saves what the kind needs and shifts the
  // editor's bookmarks for size-changing kinds.
  void CreateUndo(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                  const std::string& description);

  // True when an entry exists, the update depth is 0 and the stream is not empty.
  bool CanUndo() const;
  // Empties entries, count, depth and description; the redo record and the
  // kept entry go too when withRedo is set.
  void Reset(bool withRedo = true);
  Integer BeginUpdate();
  Integer EndUpdate();  // stops at 0

  // Reads the newest entry; false when the stream holds none.
  bool ReadNewest(THVUndoEntry& entry) const;
  // Reads the entry starting at offset; false when no sound entry is there.
  bool ReadAt(Int64 offset, THVUndoEntry& entry) const;
  // Takes the newest entry off, keeping a copy (and the description that
  // was current) for a redo; the description of the new newest entry
  // becomes current. False when there is no entry.
  bool RemoveLastUndo();
  // Overwrites the newest entry's stored selection (adding the block when
  // it has none) and, with setCaret, its CaretPos. Nothing without an undo.
  void SetNewestSelection(const THVSelection& selection, bool setCaret, Integer caretPos);

  // Redo record and the entry kept by the last undo step.
  bool HasRedo() const { return hasRedo_; }
  const THVRedoRecord& Redo() const { return redo_; }
  void SetRedo(THVRedoRecord record);
  void DiscardRedo();
  const std::vector<Byte>& KeptEntry() const { return keptEntry_; }
  const std::string& KeptDescription() const { return keptDescription_; }
  // Appends the kept entry back (count + 1) and makes its description current.
  bool RestoreKeptEntry();

  // Writes the raw stream to a file; false when that fails.
  bool DumpToFile(const std::string& fileName) const;

  // The change marks an undo of the newest entry puts back (for an edit
  // that drops marks it cannot name in its entry). Nothing without an entry.
  void SetNewestMarks(const THVChangeMarks& marks);

  // The side state of the newest entry (one per entry, so that an undo
  // puts every bookmark and mark back where it was); nullptr when none.
  const THVUndoSideState* NewestSideState() const;

 private:
  const Byte* Begin() const { return stream_.data() + head_; }
  const Byte* End() const { return stream_.data() + stream_.size(); }
  Byte* Begin() { return stream_.data() + head_; }
  void DropFront(size_t bytes);
  void Clear();
  void Trim();
  void AppendEntry(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                   const std::string& description);
  // The flag word of a new entry: its kind and the editor's state.
  THVUndoFlags EntryFlags(THVUndoFlag kind, const std::string& description) const;
  // Appends one whole entry; returns the count it records.
  Integer WriteEntry(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                     const std::string& description);
  // After an entry: keeps what its undo needs beside the stream (bookmarks,
  // marks) and moves the bookmarks as the edit will move their bytes.
  void FollowEdit(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount);
  // The bytes an entry of the kind saves (at least 1).
  size_t SavedSize(THVUndoFlag kind, Integer count, Integer replaceCount,
                   const std::string& description) const;
  // Capacity for more bytes at the end, growing geometrically.
  void ReserveFor(size_t more);
  // Appends the kind's saved bytes at the end of the stream; returns n.
  size_t AppendData(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                    const std::string& description, THVUndoFlags& flags);
  std::string DescriptionOf(const THVUndoEntry& entry) const;

  THexViewData& editor_;
  // The entries live in stream_ from head_ on: dropping the oldest entry
  // only moves head_, and the dropped front is given back once it is the
  // larger part, so trimming costs in proportion to the entry dropped.
  // Growing it leaves the new bytes as they come: each entry writes all of its own.
  std::vector<Byte, THVByteAllocator<Byte>> stream_;
  size_t head_ = 0;
  // Side states only of the entries that have one, by entry serial number;
  // the oldest entry in the stream has serial firstSerial_.
  struct SideSlot {
    uint64_t Serial;
    std::shared_ptr<const THVUndoSideState> State;
  };
  std::deque<SideSlot> sideStates_;
  uint64_t firstSerial_ = 0;
  uint64_t NewestSerial() const { return firstSerial_ + static_cast<uint64_t>(count_) - 1; }
  std::shared_ptr<const THVUndoSideState> keptSideState_;
  Integer count_ = 0;
  Integer updateCount_ = 0;
  Integer maxUndo_ = kHVDefaultMaxUndo;
  std::string description_;
  bool hasRedo_ = false;
  THVRedoRecord redo_;
  std::vector<Byte> keptEntry_;
  std::string keptDescription_;
};
