// THexViewEx: the extended hex view (the main window's `Rom`). Its data side
// is a THexViewExData (writes set the modified flag, described undo groups);
// the widget adds an update count: between BeginUpdate and the matching
// EndUpdate nothing is rendered, and the last EndUpdate repaints.
#pragma once

#include <QPicture>
#include <QPointer>
#include <memory>
#include <vector>

#include "hexview/hexview.h"
#include "hexview/hvclipformats.h"
#include "hexview/thexviewexdata.h"
#include "hexview/thvprintoptions.h"

class QMenu;
class QMimeData;
class QPrinter;
class THVDataObject;
class THVDropTarget;

// What offered data is inserted for.
enum THVOLEOperation { oleDrop, oleClipboard };

class THexViewEx : public TCustomHexView {
 public:
  explicit THexViewEx(TWinControl* parent = nullptr);
  // Lets go of the clipboard: flushed with FlushClipboardAtShutDown, else emptied.
  ~THexViewEx() override;

  THexViewExData& ExData() { return static_cast<THexViewExData&>(Data()); }
  const THexViewExData& ExData() const { return static_cast<const THexViewExData&>(Data()); }

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();  // not below 0; repaints when the count reaches 0
  int UpdateCount() const { return updateCount_; }

  // Starts an undo group; with a description the group is one undoable step.
  Integer UndoBeginUpdate(const std::string& description) {
    return ExData().UndoBeginUpdate(description);
  }
  using TCustomHexView::UndoBeginUpdate;
  void CreateRangeUndo(Integer start, Integer count, const std::string& description) {
    ExData().CreateRangeUndo(start, count, description);
  }
  // Writes the raw undo storage to a file; false when that fails.
  bool DumpUndoStorage(const std::string& fileName) { return ExData().DumpUndoStorage(fileName); }

  // Ctrl + wheel changes BytesPerRow, Ctrl + Shift + wheel the font size.
  bool ZoomOnWheel() const { return zoomOnWheel_; }
  void SetZoomOnWheel(bool v) { zoomOnWheel_ = v; }
  // Opened by a context request over the gutter or the ruler (not owned).
  QMenu* OffsetPopupMenu() const { return offsetPopupMenu_; }
  void SetOffsetPopupMenu(QMenu* v) { offsetPopupMenu_ = v; }

  // ---- Clipboard (hexview_clipboard.cpp) ----
  // Registers the view as a drop target and lets the selection be dragged out.
  bool OleDragDrop() const { return oleDragDrop_; }
  void SetOleDragDrop(bool value);
  // Copied text is hex text, and pasted text is read as hex text.
  bool ClipboardAsHexText() const { return clipboardAsHexText_; }
  void SetClipboardAsHexText(bool value) { clipboardAsHexText_ = value; }
  // Accepts text, images, raw and registry data besides the private format and files.
  bool SupportsOtherClipFormats() const { return supportsOtherClipFormats_; }
  void SetSupportsOtherClipFormats(bool value) { supportsOtherClipFormats_ = value; }
  // The clipboard keeps the copied bytes after the view is destroyed.
  bool FlushClipboardAtShutDown() const { return flushClipboardAtShutDown_; }
  void SetFlushClipboardAtShutDown(bool value) { flushClipboardAtShutDown_ = value; }

  bool CanCopy() const { return Data().CanCopy(); }
  bool CanCut() const { return Data().CanCut(); }
  bool CanPaste() const;
  bool CBCopy();
  bool CBCut();
  bool CBPaste();
  // The bytes a paste would put in (the format asked for when several are
  // offered, whole units only), without putting them in; false when there
  // are none.
  bool ClipboardBytes(std::vector<Byte>& bytes);
  void PasteData(const Byte* buffer, Integer count, const std::string& description) {
    Data().PasteData(buffer, count, description);
  }
  bool OwnsClipBoard() const;
  void ReleaseClipboard(bool flush);

  // Chooses the operation's format (the first accepted one offered); false
  // for data without one, or in a read-only view. A file list with the
  // effect move gets link.
  bool SupportsOLEData(const QMimeData& data, Qt::DropAction& effect, THVOLEOperation operation);
  bool OLEHasSupportedFormat(const QMimeData& data) const;
  // The effect of a drop with these keys held (see the drop target).
  Qt::DropAction ModifyOLEDropEffect(Qt::KeyboardModifiers keys) const;
  // Converts the data (asking which format when several are offered) and
  // pastes it, or drops it at DropPosition. False when nothing went in.
  bool InsertOLEData(const QMimeData& data, Qt::DropAction effect, THVOLEOperation operation);
  // The accepted formats the data offers, in priority order.
  std::vector<THVClipFormat> GetMyOLEFormats(const QMimeData& data) const;
  // The bytes of one format of the data (empty when it cannot be read).
  std::vector<Byte> ConvertOLEData(const QMimeData& data, THVClipFormat format, bool link) const;
  // The offered data as bytes in the operation's format (asking when
  // several fit), rounded down to whole units; false when none remain.
  bool OfferedBytes(const QMimeData& data, Qt::DropAction effect, std::vector<Byte>& bytes);

  // ---- Drag and drop (hexview_drop.cpp) ----
  // Marks where dropped data would go for a point in the client area,
  // scrolling by one row or column near the edges.
  void ShowDragCell(int x, int y);
  void HideDragCell();
  // The marked byte index rounded down to the unit, or -1.
  Integer DropPosition() const;
  // Drags the selection out (OleDragDrop on, a selection present); a move
  // inside the view becomes one undo step "Data Moved", a move elsewhere
  // deletes the selection.
  void StartOleDrag();
  bool DraggingSelection() const { return dragData_ != nullptr; }
  bool DroppedOnSelf() const { return droppedOnSelf_; }
  void SetDroppedOnSelf() { droppedOnSelf_ = true; }
  bool IsOwnDragData(const QMimeData* data) const;

  // ---- Saving with a backup ----
  // Saves to the current file; EHexView "No Filename specified" without one.
  void Save() { ExData().Save(); }
  bool CreateBackup() const { return ExData().CreateBackup(); }
  void SetCreateBackup(bool v) { ExData().SetCreateBackup(v); }
  const std::string& BackupExtension() const { return ExData().BackupExtension(); }
  void SetBackupExtension(const std::string& v) { ExData().SetBackupExtension(v); }

  // ---- Settings and bookmarks as text ----
  // One "Name=value" line per public setting, lines joined by CR LF; dotted
  // names for the settings of Colors, Font, PrintFont and PrintOptions.
  virtual std::string GetPropertiesAsString();
  // Sets every public setting named in the text (names in any case; other
  // lines are skipped) with painting suspended. EConvertError for a value
  // of the wrong form; the setters' own errors pass through.
  virtual void SetPropertiesAsString(const std::string& text);
  // True for a name of the settings text that OnQueryPublicProperty (when
  // assigned) does not turn down.
  virtual bool IsPropPublic(const std::string& name);
  std::function<void(TObject* Sender, const std::string& PropertyName, bool& IsPublic)>
      OnQueryPublicProperty;
  std::string GetBookmarksAsString() const { return ExData().GetBookmarksAsString(); }
  // With painting suspended; EHexView "Invalid Bookmark Format".
  void SetBookMarksAsString(const std::string& text);

  // ---- Printing ----
  THVPrintOptions& PrintOptions() { return printOptions_; }
  const THVPrintOptions& PrintOptions() const { return printOptions_; }
  void SetPrintOptions(const THVPrintOptions& v) { printOptions_.Assign(v); }
  TFont& PrintFont() { return printFont_; }
  const TFont& PrintFont() const { return printFont_; }
  // Copies the font and turns UseEditorFontForPrinting off.
  void SetPrintFont(const TFont& v);
  bool UseEditorFontForPrinting() const { return useEditorFontForPrinting_; }
  void SetUseEditorFontForPrinting(bool v) { useEditorFontForPrinting_ = v; }
  // The control's own font or PrintFont, as UseEditorFontForPrinting says.
  const TFont& FontForPrinting() const;

  // Lays the document out for the canvas and rect with the print font and
  // returns the page count; page > 0 also draws that page. EHexView
  // "Invalid Page Index" for a page below 0 or above the count, "Printing
  // Failed" when the page draws no line. The canvas's font is restored.
  Integer PrintToCanvas(TCanvas& canvas, Integer page, const TRect& rect);
  // The printer's printable size in device pixels: page on white within
  // PrinterMarginRect, the print font scaled to the printer. Page 0 only
  // counts the pages (LastPageCount).
  QPicture PrintPreview(Integer page);
  // Draws page (from 1) over the printer's whole page with the painter the
  // caller began on Printer() (the caller starts and ends the job).
  void Print(Integer page);
  Integer PrintNumPages();
  // A whole print job on Printer(): the pages of its page range (all when
  // none is set), each with Print. Returns the page count.
  Integer PrintDocument();
  // The margins in printer pixels; right and bottom from the page's size.
  TRect PrinterMarginRect();
  Integer LastPageCount() const { return lastPageCount_; }
  // The printer printing goes to: the one set, else the view's own.
  QPrinter& Printer();
  void SetPrinter(QPrinter* printer) { printer_ = printer; }

 protected:
  void Paint() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  // A left press on the selection may become a drag of it (hexview_drop.cpp).
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  Integer PrintScaled(TCanvas& canvas, Integer page, const TRect& rect, double scale);
  void RenderPrinterPage(QPainter& painter, Integer page);

  int updateCount_ = 0;
  bool oleDragDrop_ = false;
  bool clipboardAsHexText_ = false;
  bool supportsOtherClipFormats_ = true;
  bool flushClipboardAtShutDown_ = false;
  THVClipFormat operationFormat_ = hcfPrivate;
  QPointer<THVDataObject> clipboardData_;
  std::unique_ptr<THVDropTarget> dropTarget_;
  const QMimeData* dragData_ = nullptr;
  bool droppedOnSelf_ = false;
  bool dragCellShown_ = false;
  Integer dragPosition_ = -1;
  bool dragPending_ = false;  // a left press on the selection, not yet moved far

  THVPrintOptions printOptions_;
  TFont printFont_;
  bool useEditorFontForPrinting_ = true;
  Integer lastPageCount_ = 0;
  QPrinter* printer_ = nullptr;
  std::unique_ptr<QPrinter> ownPrinter_;
  bool zoomOnWheel_ = true;
  QMenu* offsetPopupMenu_ = nullptr;
};
