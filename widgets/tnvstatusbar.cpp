#include "widgets/tnvstatusbar.h"

#include <QShowEvent>
#include <QWindow>
#include <cmath>

#include "framework/forms.h"
#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon.h"

TRect StatusBarClientRect(const TRect& client, bool stylesLibraryPresent, bool simpleStatus) {
  TRect r = client;
  if (stylesLibraryPresent) {
    if (simpleStatus) {
      r.Left += 1;
      r.Top += 1;
      r.Right -= 1;
    }
    return r;
  }
  r.Bottom += 1;
  if (simpleStatus) {
    r.Top = 2;
  } else {
    r.Top = 1;
    r.Left -= 1;
    r.Right += 1;
  }
  return r;
}

TNvStatusBar::TNvStatusBar(TWinControl* parent) : TNvCustomPanel(parent) {
  {
    TScopedValue adjusting(adjusting_, true);
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(AllSides);
    SetBorderWidth(0);
  }
  SetBounds(Left(), Top(), Width(), 19);
  SetAlign(alBottom);
  ValidateSizeGrip();
}

TNvStatusBar::~TNvStatusBar() = default;

// ---- properties -------------------------------------------------------------------

void TNvStatusBar::SetAutoStyle(bool v) {
  autoStyle_ = v;
}

void TNvStatusBar::SetShowSizeGrip(bool v) {
  if (!Store(showSizeGrip_, v)) return;
  ValidateSizeGrip();
  Invalidate();
}

void TNvStatusBar::SetSimpleStatus(bool v) {
  if (!Store(simpleStatus_, v)) return;
  if (v) {
    hiddenPanes_.clear();
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible()) continue;
      hiddenPanes_.emplace_back(c);
      c->Hide();
    }
  } else {
    // Only the panes SimpleStatus hid come back; panes hidden on purpose stay.
    for (const auto& c : hiddenPanes_)
      if (c) c->Show();
    hiddenPanes_.clear();
  }
  Realign();
  Invalidate();
}

void TNvStatusBar::SetSimpleCaption(const std::string& v) {
  if (Store(simpleCaption_, v)) Invalidate();
}

void TNvStatusBar::SetSimpleFrameStyle(TFrameStyle v) {
  if (Store(simpleFrameStyle_, v)) Invalidate();
}

void TNvStatusBar::SetAutoScalePanes(bool v) {
  autoScalePanes_ = v;
}

// ---- style and layout ---------------------------------------------------------------

void TNvStatusBar::AdjustStyle() {
  TScopedValue adjusting(adjusting_, true);
  SetBorderInner(fsNone);
  SetBorderOuter(fsNone);
  SetBorderSides(AllSides);
  SetHeight(19);
  SetBorderWidth(0);
}

void TNvStatusBar::BordersChanged() {
  if (!adjusting_) autoStyle_ = false;
}

void TNvStatusBar::Loaded() {
  TNvCustomPanel::Loaded();
  if (autoStyle_) AdjustStyle();
}

void TNvStatusBar::AdjustStatusClientRect(TRect& r) const {
  // The panes are laid out as on a desktop with the visual-styles library
  // present, the layout the window was designed with (panes from y = 0 over
  // the full height); this platform draws every widget itself.
  r = StatusBarClientRect(r, true, simpleStatus_);
}

void TNvStatusBar::AdjustClientRect(TRect& r) const {
  TNvCustomPanel::AdjustClientRect(r);
  AdjustStatusClientRect(r);
}

void TNvStatusBar::Resize() {
  const int width = Width();
  if (firstResize_) {
    firstResize_ = false;
  } else if (autoScalePanes_ && ControlCount() > 0 && previousWidth_ > 0 &&
             width != previousWidth_) {
    ScalePanes(previousWidth_, width);
  }
  previousWidth_ = width;
  TNvCustomPanel::Resize();
}

void TNvStatusBar::ScalePanes(int oldWidth, int newWidth) {
  const int d = newWidth - oldWidth;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    const float share = static_cast<float>(c->Width()) / static_cast<float>(oldWidth);
    const double w = c->Width() + d * static_cast<double>(share);
    c->SetWidth(static_cast<int>(std::nearbyint(w)));  // halves to even
  }
  EnableAlign();
}

// ---- painting ---------------------------------------------------------------------------

void TNvStatusBar::GetGradientColors(TColor& start, TColor& stop) const {
  if (GradientColorStyle() == gcsCustom) {
    start = GradientColorStop();
    stop = GradientColorStart();
    return;
  }
  TColor divider;
  GetGradientStatusBarColors(GradientColorStyle(), start, stop, divider);
}

void TNvStatusBar::Paint() {
  TNvCustomPanel::Paint();
  if (simpleStatus_) PaintSimpleCaption();
  ValidateSizeGrip();
  if (showSizeGrip_ && sizeGripValid_) {
    TRect r = ClientRect();
    r.Bottom -= 1;
    PaintSizeGrip(r);
  }
}

void TNvStatusBar::PaintSimpleCaption() {
  TRect r = ClientRect();
  AdjustStatusClientRect(r);
  r.Bottom -= 1;
  DrawSimpleStatusBorder(r);
  InflateRect(r, -1, -1);
  if (simpleCaption_.empty()) return;
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsClear);
  const int y = r.Top + (r.Height() - canvas.TextHeight("Pp")) / 2;
  canvas.TextRect(r, r.Left + 2, y, simpleCaption_);
}

void TNvStatusBar::DrawSimpleStatusBorder(const TRect& r) {
  if (VisualStyle() != vsClassic) return;
  TCanvas& canvas = Canvas();
  if (simpleFrameStyle_ != fsFlat) {
    DrawBorder(canvas, r, simpleFrameStyle_);
    return;
  }
  canvas.Pen().SetColor(AdjustColor(FlatColor(), FlatColorAdjustment()));
  canvas.MoveTo(r.Left, r.Top + 1);
  canvas.LineTo(r.Left, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.MoveTo(r.Right - 1, r.Top + 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Bottom - 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
}

void TNvStatusBar::PaintSizeGrip(const TRect& r) {
  TColor light = clBtnHighlight, dark = clBtnShadow;
  if (VisualStyle() == vsGradient) {
    TColor start;
    GetGradientStatusBarColors(GradientColorStyle(), start, light, dark);
  }
  static constexpr TPoint kSquares[] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(light);
  for (const TPoint& s : kSquares) canvas.FillRect(Bounds(r.Right - s.X, r.Bottom - s.Y, 2, 2));
  canvas.Brush().SetColor(dark);
  for (const TPoint& s : kSquares)
    canvas.FillRect(Bounds(r.Right - s.X - 1, r.Bottom - s.Y - 1, 2, 2));
}

// ---- size grip ------------------------------------------------------------------------

TForm* TNvStatusBar::ParentForm() const {
  for (TWinControl* p = Parent(); p; p = p->Parent())
    if (auto* form = dynamic_cast<TForm*>(p)) return form;
  return nullptr;
}

void TNvStatusBar::ValidateSizeGrip() {
  const TForm* form = ParentForm();
  sizeGripValid_ = form &&
                   (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
                   !form->isMaximized();
}

void TNvStatusBar::showEvent(QShowEvent* e) {
  TNvCustomPanel::showEvent(e);
  ValidateSizeGrip();
}

bool TNvStatusBar::OverSizeGrip(const TPoint& p) const {
  return showSizeGrip_ && sizeGripValid_ && !(ComponentState() & csDesigning) &&
         PtInRect(SizeGripRect(), p);
}

void TNvStatusBar::StartGripSizing() {
  SetMouseCapture(false);
  TForm* form = ParentForm();
  if (form && form->windowHandle())
    form->windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TNvStatusBar::MouseMove(TShiftState shift, int x, int y) {
  SetCursor(OverSizeGrip(Point(x, y)) ? crSizeNWSE : crDefault);
  TNvCustomPanel::MouseMove(shift, x, y);
}

void TNvStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && OverSizeGrip(Point(x, y))) {
    StartGripSizing();
    return;
  }
  TNvCustomPanel::MouseDown(button, shift, x, y);
}
