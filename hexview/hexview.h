// TCustomHexView: the hex view widget on the framework's scrollable grid.
//
// The data side (buffer, change marks, caret byte and selection, bookmarks,
// editing primitives, undo) lives in a THexViewData that the view owns; the
// view answers the data side's hooks (repaint, re-lay out, caret moved,
// notifications). The view itself owns the layout in pixels, the ruler, the
// offset column, the colours and the painting; which cell shows which byte
// is THVCellLayout's (Layout()).
//
// One route in: the view's own methods are the component's published
// interface (buffer, size policy, caret and selection, bookmarks, editing,
// find and replace, streams and files, undo, character display, layout and
// appearance), forwarding to the data side wherever that does the work.
// Everything else of the data side (the unclamped caret index and its
// field, the selection record, the undo storage, the change-mark set, the
// stream, the find tables, the hooks) is reached through Data(), and only
// there: a caller uses the view's method when there is one and Data() for
// the rest.
//
// The caret has one owner, the data side (CaretIndex, CaretInCharField,
// CaretOnSecondDigit): it has to be there without a view, since the
// editing primitives, undo and redo, find and the host place it, and the
// undo entries record it. The grid's current cell (Col, Row) is derived
// from it: every move ends in PutCaret, which sets the data side's caret
// and then the grid's cell from it (hexview_caret.cpp).
#pragma once

#include <QImage>
#include <QRegion>

class QKeyEvent;
class QMouseEvent;
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/grids.h"
#include "hexview/thexviewdata.h"
#include "hexview/thvcelllayout.h"
#include "hexview/thvcolors.h"
#include "hexview/thvoffsetformat.h"

enum THVCaretKind { ckFull, ckLeft, ckBottom, ckAuto };

// Called for every text cell just before it is drawn; clearing ADefaultDraw
// skips the default fill and text. ARect is the whole cell for the offset
// column, otherwise the one-character box at the cell's left edge.
using THVDrawCellEvent =
    std::function<void(TObject* Sender, TCanvas& ACanvas, int ACol, int ARow,
                       std::string& AWideText, TRect ARect, bool& ADefaultDraw)>;
// Supplies the gutter text of a byte offset instead of the offset format.
using THVGetOffsetTextEvent =
    std::function<void(TObject* Sender, Int64 Number, std::string& OffsetText)>;

using THVProgressEvent = std::function<void(TObject* Sender, THVProgressKind Kind,
                                            const std::string& Name, Byte Percent, bool& Cancel)>;

// The view's private window messages.
constexpr Cardinal HVM_CARET = 45312;  // WParam 7: place the caret again
constexpr WPARAM HVM_CARET_PLACE = 7;
constexpr Cardinal HVM_SELECTIONCHANGED = 45313;  // coalesced OnSelectionChanged

inline constexpr const char* kHVVersion = "ZN4417 hex view 1.0";

class TCustomHexView : public TCustomGrid {
 public:
  explicit TCustomHexView(TWinControl* parent = nullptr);
  ~TCustomHexView() override;

  THexViewData& Data() { return *data_; }
  const THexViewData& Data() const { return *data_; }

  // ---- Buffer (Part of the data side; unchecked accessors) ----
  void SetDataAt(Integer index, Byte value) { data_->SetDataAt(index, value); }
  Byte GetDataAt(Integer index) const { return data_->GetDataAt(index); }
  void SetMemory(Integer index, Byte value) { data_->SetMemory(index, value); }
  Byte GetMemory(Integer index) const { return data_->GetMemory(index); }
  Byte* GetFastPointer() { return data_->GetFastPointer(); }
  Integer DataSize() const { return data_->DataSize(); }
  Integer GetDataSize() const { return data_->GetDataSize(); }
  void SetDataSize(Integer newSize) { data_->SetDataSize(newSize); }
  void ReadBuffer(void* dest, Integer index, Integer count) const {
    data_->ReadBuffer(dest, index, count);
  }
  // The overridable side of these lives in the data class (THexViewExData
  // carries the extended view's behaviour).
  void WriteBuffer(const void* source, Integer index, Integer count) {
    data_->WriteBuffer(source, index, count);
  }
  bool CanCreateUndo(THVUndoFlag kind, Integer count, Integer replaceCount) {
    return data_->CanCreateUndo(kind, count, replaceCount);
  }
  Integer UndoBeginUpdate() { return data_->UndoBeginUpdate(); }
  Integer UndoEndUpdate() { return data_->UndoEndUpdate(); }
  void MoveFileMem(Integer from, Integer to, Integer count) { data_->MoveFileMem(from, to, count); }
  void CreateEmptyFile(const std::string& name) { data_->CreateEmptyFile(name); }
  const std::string& FileName() const { return data_->FileName(); }

  // ---- Streams and files (the data side does the work) ----
  void LoadFromStream(std::istream& stream) { data_->LoadFromStream(stream); }
  void LoadFromFile(const std::string& fileName) { data_->LoadFromFile(fileName); }
  void SaveToStream(std::ostream& stream) { data_->SaveToStream(stream); }
  void SaveRangeToStream(std::ostream& stream, Integer position, Integer count) {
    data_->SaveRangeToStream(stream, position, count);
  }
  void SaveToFile(const std::string& fileName, bool makeCurrent) {
    data_->SaveToFile(fileName, makeCurrent);
  }
  void PrepareOverwriteDiskFile() { data_->PrepareOverwriteDiskFile(); }
  std::vector<Byte> BufferFromFile(Integer position, Integer& count) const {
    return data_->BufferFromFile(position, count);
  }
  bool HasFile() const { return data_->HasFile(); }
  bool ReadOnlyFile() const { return data_->ReadOnlyFile(); }
  void SetReadOnlyFile(bool value) { data_->SetReadOnlyFile(value); }  // false does nothing
  // ---- Undo and redo ----
  void Undo() { data_->Undo(); }
  bool Redo() { return data_->Redo(); }
  bool GetCanUndo() const { return data_->GetCanUndo(); }
  bool GetCanRedo() const { return data_->GetCanRedo(); }
  std::string GetUndoDescription() const { return data_->GetUndoDescription(); }
  void ResetUndo() { data_->ResetUndo(); }
  void CombineUndo(Integer count, const std::string& description) {
    data_->CombineUndo(count, description);
  }
  void AddSelectionUndo(Integer start, Integer count) { data_->AddSelectionUndo(start, count); }
  Integer MaxUndo() const { return data_->MaxUndo(); }
  void SetMaxUndo(Integer v) { data_->SetMaxUndo(v); }

  // ---- Change marks and modified flag ----
  bool HasChanged(Integer index) const { return data_->HasChanged(index); }
  void SetChanged(Integer index, bool changed) { data_->SetChanged(index, changed); }
  bool GetModified() const { return data_->GetModified(); }
  void SetModified(bool value) { data_->SetModified(value); }

  // ---- Size policy ----
  bool NoSizeChange() const { return data_->NoSizeChange(); }
  void SetNoSizeChange(bool v) { data_->SetNoSizeChange(v); }
  bool AllowInsertMode() const { return data_->AllowInsertMode(); }
  void SetAllowInsertMode(bool v) { data_->SetAllowInsertMode(v); }
  bool ReadOnlyView() const { return data_->ReadOnlyView(); }
  void SetReadOnlyView(bool v) { data_->SetReadOnlyView(v); }
  bool InsertMode() const { return data_->InsertMode(); }
  void SetInsertMode(bool v) { data_->SetInsertMode(v); }
  bool GetInsertMode() const { return data_->GetInsertMode(); }
  bool IsInsertModePossible() const { return data_->IsInsertModePossible(); }
  bool IsFileSizeFixed() const { return data_->IsFileSizeFixed(); }

  // ---- Selection and bookmarks ----
  bool IsSelected(Integer index) const { return data_->IsSelected(index); }
  Integer GetSelStart() const { return data_->GetSelStart(); }
  Integer GetSelEnd() const { return data_->GetSelEnd(); }
  Integer GetSelCount() const { return data_->GetSelCount(); }
  void SetSelection(Integer anchor, Integer low, Integer high) {
    data_->SetSelection(anchor, low, high);
  }
  // Also drops the keyboard anchor and the selecting flag.
  void ResetSelection(bool redraw);
  void NewSelection(Integer a, Integer b) { data_->NewSelection(a, b); }
  void SelectAll() { data_->SelectAll(); }
  void SetSelStart(Integer index) { data_->SetSelStart(index); }
  void SetSelEnd(Integer index) { data_->SetSelEnd(index); }
  Integer GetCursorPos() const { return data_->GetCursorPos(); }
  bool GetInCharField() const { return data_->GetInCharField(); }
  // Moves the caret to the counterpart column of its row.
  void SetInCharField(bool inCharField);
  // NewSelection from the anchor (or the start cell's byte) to the end cell's byte.
  void Select(int startCol, int startRow, int endCol, int endRow);
  // origin 0: from byte 0, 1: from the caret's byte, 2: from the last byte;
  // returns the new caret byte, -1 for empty data.
  Integer Seek(Integer offset, Integer origin) { return data_->Seek(offset, origin); }
  void SeekToEOF() { data_->SeekToEOF(); }
  Integer GetCurrentValue() const { return data_->GetCurrentValue(); }
  // The byte of the top-left visible cell and the caret's field; scrolling
  // so that a byte's cell is the top-left one.
  Integer GetTopLeftPosition(bool& inCharField);
  void SetTopLeftPosition(Integer index, bool inCharField);
  // Copies the other view's scroll position, caret and selection; EHexView
  // when geometry or size differ.
  void SyncView(TCustomHexView& other);
  // Deletes the selection, or one unit at (Delete) or before (Backspace) the caret.
  void InternalErase(bool backspace) { data_->InternalErase(backspace); }

  // ---- Keyboard and mouse behaviour ----
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }
  // True while Shift + movement or a left-button drag extends the selection.
  bool Selecting() const { return selecting_; }
  Integer KeyboardAnchor() const { return keyAnchor_; }
  // A character that cannot be typed where the caret is.
  TNotifyEvent OnInvalidKey;
  THVBookmark GetBookmark(Integer index) const { return data_->GetBookmark(index); }
  void SetBookmark(Integer index, const THVBookmark& b) { data_->SetBookmark(index, b); }
  void SetBookmarkVals(Integer index, Integer position, bool inCharField) {
    data_->SetBookmarkVals(index, position, inCharField);
  }
  bool GotoBookmark(Integer index) { return data_->GotoBookmark(index); }

  // ---- Editing primitives (each records its undo entry first) ----
  void InsertBuffer(const Byte* buffer, Integer count, Integer pos, const std::string& description,
                    bool moveCursor) {
    data_->InsertBuffer(buffer, count, pos, description, moveCursor);
  }
  void AppendBuffer(const Byte* buffer, Integer count, const std::string& description,
                    bool moveCursor) {
    data_->AppendBuffer(buffer, count, description, moveCursor);
  }
  void ReplaceSelection(const Byte* buffer, Integer count, const std::string& description,
                        bool moveCursor) {
    data_->ReplaceSelection(buffer, count, description, moveCursor);
  }
  void DeleteSelection(const std::string& description) { data_->DeleteSelection(description); }
  bool InsertNibble(Integer pos, bool atHighDigit, const std::string& description) {
    return data_->InsertNibble(pos, atHighDigit, description);
  }
  bool DeleteNibble(Integer pos, bool atHighDigit, const std::string& description) {
    return data_->DeleteNibble(pos, atHighDigit, description);
  }
  void ConvertRange(Integer from, Integer to, THVTranslationKind fromTranslation,
                    THVTranslationKind toTranslation, const std::string& description) {
    data_->ConvertRange(from, to, fromTranslation, toTranslation, description);
  }
  // col and row name the caret cell; the data side repaints the byte's cells.
  void IntChangeByte(Byte oldByte, Byte newByte, Integer pos, int /*col*/, int /*row*/,
                     const std::string& description) {
    data_->IntChangeByte(oldByte, newByte, pos, description);
  }
  void IntChangeWideChar(uint16_t oldChar, uint16_t newChar, Integer pos, int /*col*/, int /*row*/,
                         const std::string& description) {
    data_->IntChangeWideChar(oldChar, newChar, pos, description);
  }
  std::string GetAsText() const { return data_->GetAsText(); }
  void SetAsText(const std::string& text) { data_->SetAsText(text); }
  std::string GetAsHex() const { return data_->GetAsHex(); }
  void SetAsHex(const std::string& text) { data_->SetAsHex(text); }
  std::string GetSelectionAsText() const { return data_->GetSelectionAsText(); }
  std::string GetSelectionAsHex() const { return data_->GetSelectionAsHex(); }
  void SetSelectionAsText(const std::string& text) { data_->SetSelectionAsText(text); }
  void SetSelectionAsHex(const std::string& text) { data_->SetSelectionAsHex(text); }

  // ---- Find and replace (data side) ----
  std::string PrepareFindReplaceData(const std::string& text, bool ignoreCase, bool isText) {
    return data_->PrepareFindReplaceData(text, ignoreCase, isText);
  }
  Integer Find(const Byte* pattern, Integer patternLength, Integer start, Integer end,
               bool ignoreCase) {
    return data_->Find(pattern, patternLength, start, end, ignoreCase);
  }
  Integer FindWithWildcard(const Byte* pattern, Integer patternLength, Integer start, Integer end,
                           bool ignoreCase, Byte wildcard) {
    return data_->FindWithWildcard(pattern, patternLength, start, end, ignoreCase, wildcard);
  }
  Integer Replace(const Byte* buffer, Integer position, Integer oldCount, Integer newCount,
                  const std::string& description, bool moveCursor) {
    return data_->Replace(buffer, position, oldCount, newCount, description, moveCursor);
  }
  Integer ReplaceAll(const Byte* pattern, Integer patternLength, const Byte* replacement,
                     Integer replacementLength, Integer start, Integer end, bool ignoreCase,
                     int wildcard, const std::string& description) {
    return data_->ReplaceAll(pattern, patternLength, replacement, replacementLength, start, end,
                             ignoreCase, wildcard, description);
  }
  bool FindProgress() const { return data_->FindProgress(); }
  void SetFindProgress(bool v) { data_->SetFindProgress(v); }

  // ---- Character display (stored on the data side) ----
  THVTranslationKind Translation() const { return data_->Translation(); }
  void SetTranslation(THVTranslationKind v) { data_->SetTranslation(v); }
  bool SwapNibbles() const { return data_->SwapNibbles(); }
  void SetSwapNibbles(bool v) { data_->SetSwapNibbles(v); }
  Byte MaskChar() const { return data_->MaskChar(); }
  void SetMaskChar(Byte v) { data_->SetMaskChar(v); }
  bool UnicodeBigEndian() const { return data_->UnicodeBigEndian(); }
  void SetUnicodeBigEndian(bool v) { data_->SetUnicodeBigEndian(v); }
  bool UnicodeChars() const { return data_->UnicodeChars(); }
  // Switching on needs even BytesPerRow and BytesPerColumn (and even data).
  void SetUnicodeChars(bool v);
  Integer BytesPerUnit() const { return data_->BytesPerUnit(); }
  void SetBytesPerUnit(Integer v);
  Byte TranslateToAnsiChar(Byte value) const { return data_->TranslateToAnsiChar(value); }
  int TranslateFromAnsiChar(Byte ch) const { return data_->TranslateFromAnsiChar(ch); }

  // ---- Layout and appearance ----
  Integer BytesPerRow() const { return bytesPerRow_; }
  void SetBytesPerRow(Integer v);  // 1..256, even in unicode display
  Integer BytesPerColumn() const { return bytesPerColumn_; }
  void SetBytesPerColumn(Integer v);  // 1..256, even in unicode display
  Integer RulerBytesPerUnit() const { return rulerBytesPerUnit_; }
  void SetRulerBytesPerUnit(Integer v);  // -1, 1, 2, 4, 8
  Integer BytesPerBlock() const { return bytesPerBlock_; }
  void SetBytesPerBlock(Integer v);
  bool SeparateBlocksInCharField() const { return separateBlocksInCharField_; }
  void SetSeparateBlocksInCharField(bool v);
  bool ShowRuler() const { return showRuler_; }
  void SetShowRuler(bool v);
  Integer GutterWidth() const { return gutterWidth_; }
  void SetGutterWidth(Integer v);  // -1: automatic
  bool DrawGutter3D() const { return drawGutter3D_; }
  void SetDrawGutter3D(bool v);
  bool DrawGridLines() const { return drawGridLines_; }
  void SetDrawGridLines(bool v);
  const std::string& OffsetFormat() const { return offsetFormat_.Format(); }
  void SetOffsetFormat(const std::string& v);  // a refused text keeps the old one
  const THVOffsetFormat& OffsetFormatInfo() const { return offsetFormat_; }
  bool HexLowerCase() const { return hexLowerCase_; }
  void SetHexLowerCase(bool v);
  THVCaretKind CaretKind() const { return caretKind_; }
  void SetCaretKind(THVCaretKind v);
  bool FocusFrame() const { return focusFrame_; }
  void SetFocusFrame(bool v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool GraySelectionIfNotFocused() const { return graySelectionIfNotFocused_; }
  void SetGraySelectionIfNotFocused(bool v);
  bool ShowPositionIfNotFocused() const { return showPositionIfNotFocused_; }
  void SetShowPositionIfNotFocused(bool v);
  THVColors& Colors() { return colors_; }
  const THVColors& Colors() const { return colors_; }
  void SetColors(const THVColors& v) { colors_.Assign(v); }
  // The 200 x 10 strip; nullptr reloads the built-in one.
  const TBitmap& BookmarkBitmap() const { return *bookmarkBitmap_; }
  void SetBookmarkBitmap(const TBitmap* v);
  bool HasCustomBookmarkBitmap() const { return customBookmarkBitmap_; }
  const std::string& Version() const { return version_; }
  void SetVersion(const std::string&) {}  // read-only

  // ---- Metrics and mapping ----
  int CharWidth() const { return cw_; }  // width of "w"
  int RowHeight() const { return rowHeight_; }
  // Which cell shows which byte, for the current BytesPerRow and display.
  THVCellLayout Layout() const { return THVCellLayout(bytesPerRow_, UnicodeChars()); }
  static TGridCoord GridCell(const THVCell& c) { return TGridCoord{c.Col, c.Row}; }
  int HexColumnCount() const { return Layout().HexColumnCount(); }  // H
  int SeparatorColumn() const { return Layout().SeparatorColumn(); }
  int FirstCharColumn() const { return Layout().FirstCharColumn(); }
  int LastCharColumn() const { return Layout().LastCharColumn(); }
  Integer RulerUnit() const;  // U
  std::string RulerString() const;
  // Byte index of a cell (0 for negative results); remembers whether the
  // column lies in the character field (LastPosInCharField).
  Integer GetPosAtCursor(int col, int row);
  bool LastPosInCharField() const { return lastPosInCharField_; }
  // The same index without remembering the field.
  Integer CellByteIndex(int col, int row) const;
  TGridCoord GetCursorAtPos(Integer index, bool inCharField) const;
  // The column of the same byte in the other field.
  int GetOtherFieldCol(int col, bool* wasInCharField = nullptr) const;
  int GetRow(Integer index) const { return Layout().RowOf(index); }
  Integer DisplayStart() const;
  Integer DisplayEnd() const;
  // Invalidates column 2 of from's row to the last column of to's row.
  void RedrawPos(Integer from, Integer to);
  // A grid rectangle as it lies on screen (mirrored in right-to-left layout).
  TRect ScreenRect(const TRect& r) const;
  // Invalidation that follows the painted (possibly mirrored) geometry.
  void InvalidateHexCell(int col, int row);
  void InvalidateArea(const TRect& r);
  // Cuts the change marks to the data and lays the grid out again.
  void CalcSizes();
  void AdjustMetrics();
  void UpdateGetOffsetText();
  virtual std::string GetOffsetString(Int64 offset);
  virtual std::string GetAnyOffsetString(Int64 offset);

  // ---- Cursor stack around long operations ----
  // WaitCursor keeps the control's cursor and shows the hourglass (over the
  // whole application while it lasts); OldCursor brings back the cursor the
  // matching WaitCursor kept. Nested pairs restore in reverse order; an
  // OldCursor without a WaitCursor does nothing.
  void WaitCursor();
  void OldCursor();
  int WaitCursorDepth() const { return static_cast<int>(cursorStack_.size()); }

  // ---- Caret glyph ----
  void CreateCaretGlyph();

  // ---- Notifications ----
  virtual void SelectionChanged();
  virtual void Changed();
  virtual void BookmarkChanged();
  int PendingSelectionChanges() const { return pendingSelectionChanges_; }

  // Progress of loading, saving and finding; setting Cancel stops a load or save.
  THVProgressEvent OnProgress;
  THVDrawCellEvent OnDrawCell;
  THVGetOffsetTextEvent OnGetOffsetText;
  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChanged;
  TNotifyEvent OnBookmarkChanged;

  void WndProc(TMessage& message) override;

 protected:
  // For a descendant with its own data class (THexViewEx).
  TCustomHexView(TWinControl* parent, std::unique_ptr<THexViewData> data);

  void Paint() override;
  // After the form description has been read: a new empty document.
  void Loaded() override;
  bool SelectCell(int col, int row) override;
  void TopLeftChanged() override;
  void FontChanged() override;
  void Resize() override;
  bool WantsTabKey() const override { return wantTabs_; }
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void keyPressEvent(QKeyEvent* e) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // A wheel move of the current cell selects only with Shift held.
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  // Notes where the double click happened before DblClick runs.
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void DoEnter() override;
  void DoExit() override;
  // Another window (a dialog) taking the focus leaves this control entered,
  // but the caret goes as on any loss of the focus, and comes back with it.
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

  // Copies the last rendered picture to the screen without rendering.
  void PresentBackBuffer();
  // Drop position marker (a 2-pixel line in a cell), for drag and drop.
  void ShowDropPosition(int col, int row);
  void HideDropPosition();
  // Places the system caret on the current cell, or parks it off-screen.
  void PlaceSystemCaret();
  // The caret hidden and destroyed, the selecting flag cleared (focus lost).
  void LoseCaret();
  // The data side moved the caret (OnCaretMoved): the grid's current cell
  // follows, and a later Shift selection starts afresh.
  void FollowDataCaret();
  // A caret move by key or mouse: through SelectCell, then the system caret.
  void MoveCaretTo(int col, int row);
  // The last valid caret byte: the last byte, or the position after it in
  // insert mode (0 for empty data).
  Integer LastValidPos() const;
  // The cell of byte index in a field; on the second hex digit with second.
  TGridCoord CellOf(Integer index, bool inCharField, bool second = false) const;
  // Types one character at the caret (hex digit or character field).
  void TypeChar(Byte ch);
  // Typing in the hex field and in the character field; false for a key
  // that cannot be typed there (nothing changed).
  bool TypeHexDigit(Byte ch);
  bool TypeCharacter(Byte ch);
  // The 16-bit character at index in display order, 0 where no second byte follows.
  uint16_t WideCharAt(Integer index) const;
  // The cell under a client point, after the insert-mode adjustment that
  // lets a click right of a row's last cell reach the position after it.
  TGridCoord CellAtPoint(int x, int y, bool leftButton) const;
  bool IsDataCell(const TGridCoord& c) const;
  // Mouse position that drives the auto-scroll while dragging.
  TPoint DragPoint() const { return dragPoint_; }
  TPoint LastPressPoint() const { return pressPoint_; }
  void ClearPendingClick() { pendingClick_ = false; }
  void SetDoubleClicked() { doubleClicked_ = true; }

 private:
  friend class THVPainter;
  void Init();
  void HookData();
  bool IsCaretCell(int col, int row);
  // The one caret move: the data side's caret goes to the byte of (col,
  // row) and the grid's current cell follows. byUser: a move by key or
  // mouse, which extends the selection being made or else drops the
  // selection; a move of the data side leaves the selection alone.
  void PutCaret(int col, int row, bool byUser);
  // The grid's current cell to the data side's caret, unchecked.
  void ShowDataCaret();
  void ExtendSelection(Integer oldIndex, Integer p);
  // The key table after the framework's key event; true when the key was used.
  bool TableKey(Word key, TShiftState mods);
  bool MoveKey(Word key, TShiftState shift);
  // Tab and Ctrl + T: the caret to the counterpart column.
  void SwitchField();
  // Ctrl + digit jumps to a bookmark, Ctrl + Shift + digit sets or clears it.
  bool BookmarkKey(Integer digit, TShiftState mods);
  void HorizontalStep(bool forward, bool ctrl);
  void AutoScroll();
  void UpdateMouseCursor(TShiftState shift, int x, int y);
  void InvalidateCaretCells(int col, int row);
  void EnsureBackBuffer();
  void LayoutGrid();
  void SetColumnWidths();
  int GutterWidthPixels();
  THVOffsetUnits OffsetUnits() const;
  void RepaintBytes(Integer pos, Integer count);
  void RepaintGutter();
  void RebuildBookmarkImages();
  QRegion ClientRepaintRegion() const;
  void Render(const QRegion& region);

  std::unique_ptr<THexViewData> data_;
  THVColors colors_;
  THVOffsetFormat offsetFormat_;
  std::unique_ptr<TBitmap> bookmarkBitmap_;
  std::vector<QImage> bookmarkImages_;
  bool customBookmarkBitmap_ = false;

  Integer bytesPerRow_ = 16;
  Integer bytesPerColumn_ = 2;
  Integer rulerBytesPerUnit_ = -1;
  Integer bytesPerBlock_ = -1;
  bool separateBlocksInCharField_ = true;
  bool showRuler_ = false;
  Integer gutterWidth_ = -1;
  bool drawGutter3D_ = true;
  bool drawGridLines_ = false;
  bool hexLowerCase_ = false;
  THVCaretKind caretKind_ = ckAuto;
  bool focusFrame_ = true;
  bool hideSelection_ = false;
  bool graySelectionIfNotFocused_ = false;
  bool showPositionIfNotFocused_ = false;
  std::string version_ = kHVVersion;

  bool ready_ = false;
  int cw_ = 8;
  int rowHeight_ = 16;
  bool lastPosInCharField_ = false;
  bool inOffsetTextEvent_ = false;
  int pendingSelectionChanges_ = 0;
  bool dropShown_ = false;
  bool wantTabs_ = true;
  bool selecting_ = false;
  Integer keyAnchor_ = -1;
  TShiftState inputShift_ = 0;     // modifiers and buttons of the input being handled
  bool typingSuppressed_ = false;  // the key that produced the character was a Ctrl combination
  bool pendingClick_ = false;
  bool doubleClicked_ = false;
  TPoint pressPoint_;
  TPoint dragPoint_;
  bool autoScrolling_ = false;
  TGridCoord dropCell_;

  std::vector<TCursor> cursorStack_;
  QImage backBuffer_;
  QRegion paintRegion_;  // widget coordinates of the current paint event
};
