// THexViewEx: the extended hex view (the main window's `Rom`). Its data side
// is a THexViewExData (writes set the modified flag, described undo groups);
// the widget adds an update count: between BeginUpdate and the matching
// EndUpdate nothing is rendered, and the last EndUpdate repaints.
#pragma once

#include <QPicture>
#include <memory>

#include "hexview/hexview.h"
#include "hexview/thexviewexdata.h"
#include "hexview/thvprintoptions.h"

class QMenu;
class QPrinter;

class THexViewEx : public TCustomHexView {
 public:
  explicit THexViewEx(TWinControl* parent = nullptr);
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

 private:
  Integer PrintScaled(TCanvas& canvas, Integer page, const TRect& rect, double scale);
  void RenderPrinterPage(QPainter& painter, Integer page);

  int updateCount_ = 0;
  THVPrintOptions printOptions_;
  TFont printFont_;
  bool useEditorFontForPrinting_ = true;
  Integer lastPageCount_ = 0;
  QPrinter* printer_ = nullptr;
  std::unique_ptr<QPrinter> ownPrinter_;
  bool zoomOnWheel_ = true;
  QMenu* offsetPopupMenu_ = nullptr;
};
