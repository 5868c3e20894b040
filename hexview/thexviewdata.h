// THexViewData: the data side of the hex view. It owns the buffer, the
// change marks, the modified flag, file name and read-only-file flag, the
// bookmarks, the caret's byte position and the selection, the undo storage
// and the editing primitives. The widget (TCustomHexView) owns one and
// forwards its data operations here one to one; whatever the view must do
// in return (repaint, re-lay out the grid, move the caret cell, notify) it
// learns through the On... hooks below, each called with this object first
// and skipped when unassigned.
#pragma once

#include <array>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "hexview/hvtypes.h"
#include "hexview/thvchangemarks.h"
#include "hexview/thvfilereplace.h"
#include "hexview/thvmemorystream.h"
#include "hexview/thvundostorage.h"

inline constexpr const char* kHVInitialFileName = "---";
inline constexpr const char* kHVUntitled = "Untitled";

class THVScanCache;

class THexViewData {
 public:
  THexViewData();
  virtual ~THexViewData();
  THexViewData(const THexViewData&) = delete;
  THexViewData& operator=(const THexViewData&) = delete;

  // ---- Buffer access: unchecked, no side effect (0 <= index < DataSize) ----
  void SetDataAt(Integer index, Byte value) { stream_.Memory()[index] = value; }
  Byte GetDataAt(Integer index) const { return stream_.Memory()[index]; }
  void SetMemory(Integer index, Byte value) { SetDataAt(index, value); }
  Byte GetMemory(Integer index) const { return GetDataAt(index); }
  Byte* GetFastPointer() { return stream_.Memory(); }
  const Byte* GetFastPointer() const { return stream_.Memory(); }
  Integer DataSize() const { return static_cast<Integer>(stream_.Size()); }
  Integer GetDataSize() const { return DataSize(); }
  // Resizes with an undo entry ("Append Buffer" growing, "Remove Data"
  // shrinking); added bytes get the fill byte. EHexView "Cannot change
  // fixed filesize" for a fixed-size change between two non-zero sizes.
  void SetDataSize(Integer newSize);
  Byte FillByte() const { return fillByte_; }
  void ReadBuffer(void* dest, Integer index, Integer count) const;
  // Copies into the buffer; the extended data class also sets the modified flag.
  virtual void WriteBuffer(const void* source, Integer index, Integer count);
  void MoveFileMem(Integer from, Integer to, Integer count);
  THVMemoryStream& Stream() { return stream_; }
  const THVMemoryStream& Stream() const { return stream_; }

  // ---- Change marks, modified flag, file ----
  // Marks exist only in overwrite mode: in insert mode every query answers
  // false and every write empties the set.
  bool HasChanged(Integer index) const;
  void SetChanged(Integer index, bool changed);
  const THVChangeMarks& ChangeMarks() const { return marks_; }
  void ClearChangeMarks() { marks_.Clear(); }
  void CutChangeMarks(Integer p) { marks_.CutAt(p); }
  // True only when the flag is set and there is data or the file exists.
  bool GetModified() const;
  bool ModifiedFlag() const { return modified_; }
  // false also empties the undo storage and the marks and repaints.
  void SetModified(bool value);
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  bool ReadOnlyFile() const { return readOnlyFile_; }
  void SetReadOnlyFile(bool value);                              // false does nothing
  void ForceReadOnlyFile(bool value) { readOnlyFile_ = value; }  // for file loading
  void CreateEmptyFile(const std::string& name);

  // ---- Size policy ----
  bool NoSizeChange() const { return noSizeChange_; }
  void SetNoSizeChange(bool value);  // true also switches insert mode off
  bool AllowInsertMode() const { return allowInsertMode_; }
  void SetAllowInsertMode(bool value);
  bool ReadOnlyView() const { return readOnlyView_; }
  void SetReadOnlyView(bool value);
  bool InsertMode() const { return insertMode_; }  // the requested mode
  void SetInsertMode(bool value);
  bool GetInsertMode() const { return insertMode_ && IsInsertModePossible(); }  // effective
  bool IsInsertModePossible() const;
  bool IsFileSizeFixed() const { return noSizeChange_ && !inSetDataSize_ && !movingOwnData_; }

  // ---- Display state that undo entries record and restore ----
  // The widget checks what depends on its layout (BytesPerRow and
  // BytesPerColumn in unicode display) before forwarding.
  THVTranslationKind Translation() const { return translation_; }
  void SetTranslation(THVTranslationKind value);  // "Translations cannot be used in unicode mode"
  Integer BytesPerUnit() const { return bytesPerUnit_; }
  void SetBytesPerUnit(Integer value);  // 1,2,4,8; 2 in unicode display
  bool UnicodeChars() const { return unicodeChars_; }
  void SetUnicodeChars(bool value);  // on: even DataSize, tkAsIs; both ways BytesPerUnit 2
  bool UnicodeBigEndian() const { return unicodeBigEndian_; }
  void SetUnicodeBigEndian(bool value);
  bool SwapNibbles() const { return swapNibbles_; }
  void SetSwapNibbles(bool value);
  Byte MaskChar() const { return maskChar_; }
  void SetMaskChar(Byte value);
  Byte TranslateToAnsiChar(Byte value) const;
  int TranslateFromAnsiChar(Byte ch) const;  // -1: no byte

  // ---- Caret (byte position and field) ----
  // The caret is owned here; a view shows it as its current cell and
  // follows every MoveCaret through OnCaretMoved.
  // The caret's byte index, unclamped (DataSize in insert mode after the data).
  Integer CaretIndex() const { return caretIndex_; }
  bool CaretInCharField() const { return caretInCharField_; }
  bool CaretOnSecondDigit() const { return caretSecondDigit_; }
  // The widget moving the caret by key or mouse (no hook is called: the
  // widget sets its cell from this itself).
  void SetCaret(Integer index, bool inCharField, bool onSecondDigit);
  // Moves the caret from the data side and calls OnCaretMoved.
  void MoveCaret(Integer index, bool inCharField, bool onSecondDigit = false);
  Integer GetCursorPos() const;  // clamped to 0 .. max(0, DataSize - 1)
  bool GetInCharField() const { return DataSize() > 0 && caretInCharField_; }
  // Caret on the last byte, or after it in insert mode, in the current field.
  void SeekToEOF();
  // origin 0: from byte 0, 1: from the caret's byte, 2: from the last byte;
  // the target, clamped into the data, becomes the caret (SetSelStart).
  // -1 for empty data.
  Integer Seek(Integer offset, Integer origin);
  // The byte under the caret, or -1 beyond the data.
  Integer GetCurrentValue() const;
  bool ViewEnabled() const { return viewEnabled_; }
  void SetViewEnabled(bool value) { viewEnabled_ = value; }

  // ---- Selection ----
  const THVSelection& Selection() const { return selection_; }
  bool HasSelection() const { return selection_.Anchor >= 0; }
  Integer GetSelStart() const;
  Integer GetSelEnd() const;
  Integer GetSelCount() const;
  bool IsSelected(Integer index) const;
  // Stores the three values clamped to -1 .. DataSize - 1, no repaint.
  void SetSelection(Integer anchor, Integer low, Integer high);
  void ResetSelection(bool redraw);
  // Selects between a and b, rounded to whole units of BytesPerUnit.
  void NewSelection(Integer a, Integer b);
  void SelectAll();
  void SetSelStart(Integer index);  // "Invalid selection start"
  void SetSelEnd(Integer index);    // "Invalid selection end"

  // ---- Bookmarks ----
  const THVBookmarks& Bookmarks() const { return bookmarks_; }
  THVBookmark GetBookmark(Integer index) const;  // "Invalid bookmark index"
  // Setting a bookmark to the value it has unsets it (a toggle).
  void SetBookmark(Integer index, const THVBookmark& bookmark);
  void SetBookmarkVals(Integer index, Integer position, bool inCharField);
  bool GotoBookmark(Integer index);
  void SetAllBookmarks(const THVBookmarks& bookmarks);  // no toggle; for restoring
  // Moves every set bookmark at or after from by delta; one that lands
  // beyond sizeAfter (the data size once the edit is done) is unset.
  void AdjustBookmarks(Integer from, Integer delta, Integer sizeAfter);

  // ---- Editing primitives; each records its undo entry first ----
  void InsertBuffer(const Byte* buffer, Integer count, Integer pos, const std::string& description,
                    bool moveCursor);
  void AppendBuffer(const Byte* buffer, Integer count, const std::string& description,
                    bool moveCursor);
  void ReplaceSelection(const Byte* buffer, Integer count, const std::string& description,
                        bool moveCursor);
  void DeleteSelection(const std::string& description);
  bool InsertNibble(Integer pos, bool atHighDigit, const std::string& description);
  bool DeleteNibble(Integer pos, bool atHighDigit, const std::string& description);
  void ConvertRange(Integer from, Integer to, THVTranslationKind fromTranslation,
                    THVTranslationKind toTranslation, const std::string& description);
  // The single-byte write behind typing (the widget's col/row only pick
  // the cells to repaint, which OnRepaintBytes does here).
  void IntChangeByte(Byte oldByte, Byte newByte, Integer pos, const std::string& description);
  // A 16-bit character in unicode display: the two bytes in display order
  // (high byte first with UnicodeBigEndian).
  void IntChangeWideChar(uint16_t oldChar, uint16_t newChar, Integer pos,
                         const std::string& description);
  // Raw bytes as a string and as hex text, whole buffer or selection.
  std::string GetAsText() const;
  void SetAsText(const std::string& text);  // bytes taken from the Windows set by Translation
  std::string GetAsHex() const;
  void SetAsHex(const std::string& text);
  std::string GetSelectionAsText() const;
  std::string GetSelectionAsHex() const;
  void SetSelectionAsText(const std::string& text);
  void SetSelectionAsHex(const std::string& text);

  // ---- Primitives without undo (also for undo and redo) ----
  void InternalInsertBuffer(const Byte* buffer, Integer count, Integer pos);
  void InternalAppendBuffer(const Byte* buffer, Integer count);
  // Removes [start, end); caretIndex >= 0 places the caret there, -1 only
  // moves it back onto the data when it fell beyond the end.
  void InternalDelete(Integer start, Integer end, Integer caretIndex);
  void InternalInsertNibble(Integer pos, bool atHighDigit);
  void InternalDeleteNibble(Integer pos, bool atHighDigit);
  void InternalConvertRange(Integer from, Integer to, THVTranslationKind fromTranslation,
                            THVTranslationKind toTranslation);
  // Cuts the change marks to DataSize and asks the view to lay out again.
  void CalcSizes();

  // ---- Undo ----
  THVUndoStorage& UndoStorage() { return *undo_; }
  const THVUndoStorage& UndoStorage() const { return *undo_; }
  Integer MaxUndo() const { return undo_->MaxUndo(); }
  void SetMaxUndo(Integer value) { undo_->SetMaxUndo(value); }
  // "Cannot update undo storage" when CanCreateUndo refuses; else records
  // (unless grouping) and sets the modified flag.
  void CreateUndo(THVUndoFlag kind, Integer pos, Integer count, Integer replaceCount,
                  const std::string& description);
  virtual bool CanCreateUndo(THVUndoFlag kind, Integer count, Integer replaceCount);
  bool GetCanUndo() const { return undo_->CanUndo(); }
  bool GetCanRedo() const { return undo_->HasRedo(); }
  std::string GetUndoDescription() const;
  void ResetUndo() { undo_->Reset(true); }
  virtual Integer UndoBeginUpdate() { return undo_->BeginUpdate(); }
  virtual Integer UndoEndUpdate() { return undo_->EndUpdate(); }
  void CombineUndo(Integer count, const std::string& description);
  void AddSelectionUndo(Integer start, Integer count);
  // Takes back the newest entry: data, bookmarks, change marks, caret,
  // selection, insert mode, translation, unicode display and BytesPerUnit
  // return to what they were before its edit. Nothing to undo (or an open
  // group) resets the storage.
  void Undo();
  // Redoes the step the last Undo took back; false when there is none.
  bool Redo();

  // ---- Deleting at the caret (Delete, and Backspace in insert mode) ----
  // The selection when there is one, else one unit of BytesPerUnit at the
  // caret (Delete) or before it (Backspace).
  void InternalErase(bool backspace);

  // ---- Find and replace ----
  // The byte pattern for a search text: lower-cased with ignoreCase; with
  // isText taken into the current Translation and, in unicode display,
  // widened to 16-bit characters. Rebuilds the two lookup tables.
  std::string PrepareFindReplaceData(const std::string& text, bool ignoreCase, bool isText);
  // First occurrence starting at or after start and ending at or before end
  // (cut to the last byte), or -1.
  Integer Find(const Byte* pattern, Integer patternLength, Integer start, Integer end,
               bool ignoreCase);
  // As Find; a pattern byte equal to wildcard matches any byte.
  Integer FindWithWildcard(const Byte* pattern, Integer patternLength, Integer start, Integer end,
                           bool ignoreCase, Byte wildcard);
  // Replaces oldCount bytes at position by newCount bytes, with undo;
  // returns the number of bytes written.
  Integer Replace(const Byte* buffer, Integer position, Integer oldCount, Integer newCount,
                  const std::string& description, bool moveCursor);
  // Replaces every occurrence of the pattern that begins at or after start
  // and ends at or before end (cut to the last byte), left to right and
  // without overlaps, by the replacement, in one pass; wildcard -1 for
  // none, else the pattern byte that matches any byte; the tables as last
  // prepared. Under a fixed size each hit's counts are equalised as
  // Replace does. One undo step (description) takes it all back: data,
  // size, change marks, bookmarks, caret and selection. Returns the number
  // of replacements. With FindProgress it reports pkFind progress, and a
  // cancel raises EHexView "Operation Cancelled" before anything changed.
  Integer ReplaceAll(const Byte* pattern, Integer patternLength, const Byte* replacement,
                     Integer replacementLength, Integer start, Integer end, bool ignoreCase,
                     int wildcard, const std::string& description);
  // The table a search looks data bytes up in, as last prepared.
  const std::array<Byte, 256>& FindTable(bool ignoreCase) const {
    return ignoreCase ? caseTable_ : identityTable_;
  }
  bool FindProgress() const { return findProgress_; }
  void SetFindProgress(bool value) { findProgress_ = value; }

  // ---- Clipboard and drop (the bytes are already converted) ----
  bool CanCopy() const { return DataSize() > 0 && HasSelection(); }
  bool CanCut() const { return CanCopy() && !readOnlyView_ && !noSizeChange_; }
  // Replaces the selection by the bytes, caret moved. Without a selection
  // the caret first goes back to the start of its unit and, with a fixed
  // size, the bytes from there on are selected so they are overwritten.
  void PasteData(const Byte* buffer, Integer count, const std::string& description);
  // Bytes dropped at byte index position (-1: no drop position). With
  // ownMove they are the selection dragged inside this view: it is deleted
  // and the bytes go in where it was dropped, also under a fixed size (the
  // drag source then combines the two undo entries). Otherwise they are
  // appended beyond the data, replace the selection when dropped in it, or
  // go in at position: inserted, or overwritten with a fixed size. False
  // when nothing could be placed.
  bool DropData(const Byte* buffer, Integer count, Integer position, bool ownMove,
                const std::string& description);

  // ---- Streams and files ----
  // Replace the whole buffer; the undo storage (unless grouping), marks and
  // modified flag are reset. On failure buffer and undo storage are emptied.
  void LoadFromStream(std::istream& stream);
  // EHVFileError "Cannot open %s.\r\n(%s.)" for a missing or unreadable
  // file; the read-only-file flag says whether it could be opened for writing.
  void LoadFromFile(const std::string& fileName);
  void SaveToStream(std::ostream& stream);
  void SaveRangeToStream(std::ostream& stream, Integer position, Integer count);
  // The bytes go to a temporary file beside the target, which takes the
  // target's name only once all of them are written and on disk: a save
  // that fails or is cancelled leaves the old file (and any old backup) as
  // it was. Overwriting the current file is refused up front for a
  // read-only file and asks PrepareOverwriteDiskFile just before the new
  // file replaces the old one; with makeCurrent the saved file becomes the
  // document.
  void SaveToFile(const std::string& fileName, bool makeCurrent);
  // Before the current file is overwritten: EHVFileError "Cannot save
  // readonly file %s." while the read-only-file flag is set.
  virtual void PrepareOverwriteDiskFile();
  // A copy of count bytes from position (count is cut to what remains);
  // EHexView "Invalid buffer from file argument" for a position outside.
  std::vector<Byte> BufferFromFile(Integer position, Integer& count) const;
  bool HasFile() const { return hasFile_; }
  const std::string& StreamName() const { return streamName_; }

  // ---- Notifications ----
  virtual void Changed();           // OnChange, then SelectionChanged
  virtual void SelectionChanged();  // OnSelectionChanged (the view coalesces)
  virtual void BookmarkChanged();   // OnBookmarkChanged
  void Repaint();                   // OnRepaint

  std::function<void(THexViewData&)> OnRepaint;
  // Repaint the cells of count bytes from pos (hex digits and characters).
  std::function<void(THexViewData&, Integer pos, Integer count)> OnRepaintBytes;
  // Data size, insert mode or display state changed: recompute the grid.
  std::function<void(THexViewData&)> OnCalcSizes;
  // The data side moved the caret (CaretIndex, CaretInCharField, ...).
  std::function<void(THexViewData&)> OnCaretMoved;
  std::function<void(THexViewData&)> OnSelectionChanged;
  std::function<void(THexViewData&)> OnChange;
  std::function<void(THexViewData&)> OnBookmarkChanged;
  // Undo or redo changed Translation, unicode display or BytesPerUnit.
  std::function<void(THexViewData&)> OnDisplayChanged;
  // Insert mode (requested or effective) changed: rebuild the caret glyph.
  std::function<void(THexViewData&)> OnInsertModeChanged;
  // Wait cursor on (true) and back (false) around long operations.
  std::function<void(THexViewData&, bool on)> OnWaitCursor;
  // Progress of load, save and find; setting cancel stops a load or save.
  std::function<void(THexViewData&, THVProgressKind kind, const std::string& name, Byte percent,
                     bool& cancel)>
      OnProgress;
  // Replace the search itself when assigned: return the found position.
  using THVFindEvent =
      std::function<void(THexViewData&, const Byte* pattern, Integer patLength, Integer searchFrom,
                         Integer searchUntil, bool ignoreCase, Byte wildcard, Integer& foundPos)>;
  THVFindEvent OnFindOverride;
  THVFindEvent OnWildcardFindOverride;

 protected:
  // Moves the current file to backupName (for PrepareOverwriteDiskFile):
  // during a save, so that a failure later in it puts both files back.
  void MoveFileToBackup(const std::string& backupName);
  // Sets the flag alone (SetModified(false) would also reset the undo storage).
  void SetModifiedFlag(bool value) { modified_ = value; }
  // After a deletion: caretIndex >= 0 goes there, and a caret beyond the
  // data goes back to the last valid position.
  void PlaceCaretAfterDelete(Integer caretIndex);
  // Caret on the last byte, or after it in insert mode, in the current field.
  void LastValidCaret();

 private:
  void EffectiveInsertModeChanged(bool before);
  THVRedoRecord CreateRedo(const THVUndoEntry& entry) const;
  void ApplyUndo(const THVUndoEntry& entry);
  void ApplyRedo(const THVRedoRecord& record);
  // Puts back the recorded caret, modified flag, insert mode, selection and
  // display state (selection nullptr: none).
  void RestoreState(THVUndoFlags flags, Integer caretPos, Byte translation, Integer bytesPerUnit,
                    const THVSelection* selection);
  void SetWholeBuffer(const std::vector<Byte>& bytes, Integer count);
  void ShiftNibbles(Integer pos, bool atHighDigit, bool insert);
  void RemoveBytes(Integer start, Integer end);
  void CheckInsertArgs(Integer count, Integer pos) const;
  Integer InsertTarget() const;
  // Copies count bytes (-1: the rest) in 61440-byte blocks with progress;
  // EHexView "Operation Cancelled" when the progress handler cancels.
  void Stream2Stream(std::istream* in, std::ostream* out, Int64 count, THVProgressKind kind);
  // The end of Replace All: records the undo step for the old bytes of
  // [first, first + oldSpan), takes the bookmarks (nullptr: unchanged) and
  // puts the block in as the new contents.
  void PutReplaced(THVMemoryStream::TBlock& block, Integer first, Integer oldSpan, Integer newSpan,
                   const THVBookmarks* bookmarks, const std::string& description);
  Integer Scan(const Byte* pattern, Integer patternLength, Integer start, Integer end,
               bool ignoreCase, bool useWildcard, Byte wildcard);
  // Calls hit for every non-overlapping occurrence from start to end, left
  // to right; with FindProgress the scan reports fromPercent .. toPercent.
  void ForEachHit(const Byte* pattern, Integer patternLength, Integer start, Integer end,
                  bool ignoreCase, int wildcard, int fromPercent, int toPercent,
                  const std::function<void(Integer)>& hit);

  THVMemoryStream stream_;
  THVChangeMarks marks_;
  std::unique_ptr<THVUndoStorage> undo_;
  THVBookmarks bookmarks_;
  THVSelection selection_;
  std::string fileName_ = kHVInitialFileName;
  Byte fillByte_ = 0;
  bool modified_ = false;
  bool readOnlyFile_ = true;
  bool noSizeChange_ = false;
  bool allowInsertMode_ = true;
  bool readOnlyView_ = false;
  bool insertMode_ = false;
  bool inSetDataSize_ = false;
  bool movingOwnData_ = false;
  THVTranslationKind translation_ = tkAsIs;
  Integer bytesPerUnit_ = 1;
  bool unicodeChars_ = false;
  bool unicodeBigEndian_ = false;
  bool swapNibbles_ = false;
  Byte maskChar_ = '.';
  Integer caretIndex_ = 0;
  bool caretInCharField_ = false;
  bool caretSecondDigit_ = false;
  bool viewEnabled_ = true;
  bool findProgress_ = false;
  bool hasFile_ = false;
  std::string streamName_;
  THVFileReplace* pendingSave_ = nullptr;  // the save being committed
  std::array<Byte, 256> identityTable_{};
  std::array<Byte, 256> caseTable_{};
  std::unique_ptr<THVScanCache> scanCache_;  // the last search's scan, for the next one
};
