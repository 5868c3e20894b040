// TCustomHexView: construction, the data side's hooks and the published
// layout and appearance properties.
#include "hexview/hexview.h"

#include <QGuiApplication>

#include "hexview/ehexview.h"
#include "hexview/hvbookmarkimages.h"

namespace {

bool ValidUnit(Integer v) {
  return v == 1 || v == 2 || v == 4 || v == 8;
}

}  // namespace

TCustomHexView::TCustomHexView(TWinControl* parent)
    : TCustomHexView(parent, std::make_unique<THexViewData>()) {}

TCustomHexView::TCustomHexView(TWinControl* parent, std::unique_ptr<THexViewData> data)
    : TCustomGrid(parent), data_(std::move(data)) {
  Init();
}

TCustomHexView::~TCustomHexView() {
  // The data side must not call back into a half-destroyed view.
  data_->OnRepaint = nullptr;
  data_->OnRepaintBytes = nullptr;
  data_->OnCalcSizes = nullptr;
  data_->OnCaretMoved = nullptr;
  data_->OnSelectionChanged = nullptr;
  data_->OnChange = nullptr;
  data_->OnBookmarkChanged = nullptr;
  data_->OnInsertModeChanged = nullptr;
  data_->OnDisplayChanged = nullptr;
  data_->OnWaitCursor = nullptr;
  data_->OnProgress = nullptr;
  while (!cursorStack_.empty()) OldCursor();
}

void TCustomHexView::Init() {
  Font().SetName("Courier New");
  Font().SetSize(11);
  SetBorderStyle(bsSingle);
  SetCursor(crIBeam);
  SetScrollBars(ssBoth);
  SetOptions(goThumbTracking);
  SetGridLineWidth(0);
  SetDefaultDrawing(false);
  SetDoubleBuffered(true);
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(true);
  SetColor(colors_.Background());
  colors_.OnChange = [this](THVColors&, bool backgroundChanged) {
    if (backgroundChanged) SetColor(colors_.Background());
    Invalidate();
  };
  bookmarkBitmap_ = BuiltInBookmarkBitmap();
  RebuildBookmarkImages();
  HookData();
  ready_ = true;
  CalcSizes();
  FollowDataCaret();
  // The window exists from here on: a document that no description named
  // becomes a new empty one now, before any host puts bytes into it.
  if (data_->FileName() == kHVInitialFileName) data_->CreateEmptyFile(kHVUntitled);
}

void TCustomHexView::Loaded() {
  TCustomGrid::Loaded();
  data_->CreateEmptyFile(kHVUntitled);
}

void TCustomHexView::HookData() {
  THexViewData& d = *data_;
  d.OnRepaint = [this](THexViewData&) { Invalidate(); };
  d.OnRepaintBytes = [this](THexViewData&, Integer pos, Integer count) {
    RepaintBytes(pos, count);
  };
  d.OnCalcSizes = [this](THexViewData&) { LayoutGrid(); };
  d.OnCaretMoved = [this](THexViewData&) { FollowDataCaret(); };
  d.OnSelectionChanged = [this](THexViewData&) { SelectionChanged(); };
  d.OnChange = [this](THexViewData&) {
    if (OnChange) OnChange(this);
  };
  d.OnBookmarkChanged = [this](THexViewData&) { BookmarkChanged(); };
  d.OnInsertModeChanged = [this](THexViewData&) {
    if (caretKind_ == ckAuto && Focused()) {
      CreateCaretGlyph();
      PlaceSystemCaret();
    }
  };
  d.OnProgress = [this](THexViewData&, THVProgressKind kind, const std::string& name, Byte percent,
                        bool& cancel) {
    if (OnProgress) OnProgress(this, kind, name, percent, cancel);
  };
  d.OnDisplayChanged = [this](THexViewData&) {
    offsetFormat_.RulerUnitChanged(RulerUnit());
    AdjustMetrics();
    Invalidate();
  };
  d.OnWaitCursor = [this](THexViewData&, bool on) {
    if (on)
      WaitCursor();
    else
      OldCursor();
  };
}

// ---- Cursor stack ----

void TCustomHexView::WaitCursor() {
  cursorStack_.push_back(Cursor());
  SetCursor(crHourGlass);
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void TCustomHexView::OldCursor() {
  if (cursorStack_.empty()) return;
  SetCursor(cursorStack_.back());
  cursorStack_.pop_back();
  QGuiApplication::restoreOverrideCursor();
}

// ---- Notifications ----

void TCustomHexView::Changed() {
  data_->Changed();
}

void TCustomHexView::SelectionChanged() {
  if (pendingSelectionChanges_ == 0) PostMessage(this, HVM_SELECTIONCHANGED, 0, 0);
  ++pendingSelectionChanges_;
}

void TCustomHexView::BookmarkChanged() {
  if (OnBookmarkChanged) OnBookmarkChanged(this);
}

void TCustomHexView::WndProc(TMessage& message) {
  if (message.Msg == HVM_SELECTIONCHANGED) {
    // The count goes back to 0 even without a handler, so that a handler
    // assigned later still hears of the next change.
    const int pending = pendingSelectionChanges_;
    pendingSelectionChanges_ = 0;
    if (pending > 0 && OnSelectionChanged) OnSelectionChanged(this);
    return;
  }
  if (message.Msg == WM_TIMER && message.WParam == 1) {  // drag auto-scroll
    AutoScroll();
    return;
  }
  if (message.Msg == HVM_CARET && message.WParam == HVM_CARET_PLACE) {
    PlaceSystemCaret();
    return;
  }
  TCustomGrid::WndProc(message);
}

// ---- Character display settings that touch the layout ----

void TCustomHexView::SetUnicodeChars(bool v) {
  if (v == UnicodeChars()) return;
  if (v && bytesPerRow_ % 2 != 0) throw EHexView(kHVInvalidBytesPerLine);
  if (v && bytesPerColumn_ % 2 != 0) throw EHexView(kHVInvalidBytesPerColumn);
  data_->SetUnicodeChars(v);  // odd data refused there; lays the grid out again
  offsetFormat_.RulerUnitChanged(RulerUnit());
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetBytesPerUnit(Integer v) {
  if (v == BytesPerUnit()) return;
  data_->SetBytesPerUnit(v);
  offsetFormat_.RulerUnitChanged(RulerUnit());
  AdjustMetrics();
  Invalidate();
}

// ---- Layout properties ----

void TCustomHexView::SetBytesPerRow(Integer v) {
  if (v == bytesPerRow_) return;
  if (v < 1 || v > 256 || (UnicodeChars() && v % 2 != 0)) throw EHexView(kHVInvalidBytesPerLine);
  const THVSelection selection = data_->Selection();
  bytesPerRow_ = v;
  offsetFormat_.BytesPerRowChanged(v);
  CalcSizes();  // the caret cell follows its byte through FollowDataCaret
  data_->SetSelection(selection.Anchor, selection.Low, selection.High);
  FollowDataCaret();
  Invalidate();
}

void TCustomHexView::SetBytesPerColumn(Integer v) {
  if (v == bytesPerColumn_) return;
  if (v < 1 || v > 256 || (UnicodeChars() && v % 2 != 0)) throw EHexView(kHVInvalidBytesPerColumn);
  bytesPerColumn_ = v;
  offsetFormat_.BytesPerColumnChanged(v);
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetRulerBytesPerUnit(Integer v) {
  if (v == rulerBytesPerUnit_) return;
  if (v != -1 && !ValidUnit(v)) throw EHexView(HVMsgInvalidRulerBytesPerUnit(v));
  rulerBytesPerUnit_ = v;
  offsetFormat_.RulerUnitChanged(RulerUnit());
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetBytesPerBlock(Integer v) {
  if (v == bytesPerBlock_) return;
  bytesPerBlock_ = v;
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetSeparateBlocksInCharField(bool v) {
  if (v == separateBlocksInCharField_) return;
  separateBlocksInCharField_ = v;
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetShowRuler(bool v) {
  const bool loading = (ComponentState() & csLoading) != 0;
  if (v == showRuler_ && !loading) return;
  showRuler_ = v;
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetGutterWidth(Integer v) {
  if (v == gutterWidth_) return;
  gutterWidth_ = v;
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetDrawGutter3D(bool v) {
  if (v == drawGutter3D_) return;
  drawGutter3D_ = v;
  Invalidate();
}

void TCustomHexView::SetDrawGridLines(bool v) {
  if (v == drawGridLines_) return;
  drawGridLines_ = v;
  Invalidate();
}

void TCustomHexView::SetOffsetFormat(const std::string& v) {
  if (v == offsetFormat_.Format()) return;
  offsetFormat_.SetFormat(v, OffsetUnits());  // throws with the old format kept
  AdjustMetrics();
  Invalidate();
}

void TCustomHexView::SetHexLowerCase(bool v) {
  if (v == hexLowerCase_) return;
  hexLowerCase_ = v;
  Invalidate();
}

void TCustomHexView::SetFocusFrame(bool v) {
  if (v == focusFrame_) return;
  focusFrame_ = v;
  Invalidate();
}

void TCustomHexView::SetHideSelection(bool v) {
  if (v == hideSelection_) return;
  hideSelection_ = v;
  Invalidate();
}

void TCustomHexView::SetGraySelectionIfNotFocused(bool v) {
  if (v == graySelectionIfNotFocused_) return;
  graySelectionIfNotFocused_ = v;
  Invalidate();
}

void TCustomHexView::SetShowPositionIfNotFocused(bool v) {
  if (v == showPositionIfNotFocused_) return;
  showPositionIfNotFocused_ = v;
  Invalidate();
}

void TCustomHexView::SetBookmarkBitmap(const TBitmap* v) {
  std::unique_ptr<TBitmap> strip;
  if (v) {
    CutBookmarkImages(*v);  // refuses a strip of the wrong size before anything changes
    strip = std::make_unique<TBitmap>(*v);
  } else {
    strip = BuiltInBookmarkBitmap();
  }
  bookmarkBitmap_ = std::move(strip);
  customBookmarkBitmap_ = v != nullptr;
  RebuildBookmarkImages();
  RepaintGutter();
}

void TCustomHexView::RebuildBookmarkImages() {
  bookmarkImages_ = CutBookmarkImages(*bookmarkBitmap_);
}
