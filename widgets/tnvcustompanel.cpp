#include "widgets/tnvcustompanel.h"

#include <QWidget>
#include <algorithm>

#include "framework/drawtext.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"

TNvCustomPanel::TNvCustomPanel(TWinControl* parent) : TCustomControl(parent) {
  SetControlStyle((ControlStyle() | csAcceptsControls) & ~csSetCaption);
  SetBounds(Left(), Top(), 185, 41);
  // A theme change may select another colour scheme.
  themeHandler_ = ThemeServices().AddThemeChangeHandler([this](TObject*) {
    CurrentXPColorScheme = GetXPColorScheme();
    Invalidate();
  });
}

TNvCustomPanel::~TNvCustomPanel() {
  ThemeServices().RemoveThemeChangeHandler(themeHandler_);
}

// ---- frame properties -----------------------------------------------------------

void TNvCustomPanel::SetBorderOuter(TFrameStyleEx v) {
  if (!Store(borderOuter_, v)) return;
  FrameGeometryChanged();
  BordersChanged();
}

void TNvCustomPanel::SetBorderInner(TFrameStyleEx v) {
  if (!Store(borderInner_, v)) return;
  FrameGeometryChanged();
  BordersChanged();
}

void TNvCustomPanel::SetBorderSides(TSides v) {
  if (!Store(borderSides_, static_cast<TSides>(v & AllSides))) return;
  FrameGeometryChanged();
  BordersChanged();
}

void TNvCustomPanel::SetBorderWidth(Integer v) {
  if (Store(borderWidth_, std::max(0, v))) FrameGeometryChanged();
}

void TNvCustomPanel::SetBevelWidth(Integer v) {
  if (Store(bevelWidth_, std::max(1, v))) FrameGeometryChanged();
}

void TNvCustomPanel::SetBorderColor(TColor v) {
  if (Store(borderColor_, v)) Invalidate();
}

void TNvCustomPanel::SetBorderHighlight(TColor v) {
  if (Store(borderHighlight_, v)) Invalidate();
}

void TNvCustomPanel::SetBorderShadow(TColor v) {
  if (Store(borderShadow_, v)) Invalidate();
}

void TNvCustomPanel::SetFlatColor(TColor v) {
  if (Store(flatColor_, v)) Invalidate();
}

void TNvCustomPanel::SetFlatColorAdjustment(Integer v) {
  if (Store(flatColorAdjustment_, v)) Invalidate();
}

// ---- fill properties ------------------------------------------------------------

void TNvCustomPanel::SetVisualStyle(TNvVisualStyle v) {
  if (!Store(visualStyle_, v)) return;
  Invalidate();
  VisualStyleChanged();
}

void TNvCustomPanel::SetGradientColorStyle(TNvGradientColorStyle v) {
  if (!Store(gradientColorStyle_, v)) return;
  Invalidate();
  VisualStyleChanged();
}

void TNvCustomPanel::SetGradientColorStart(TColor v) {
  if (Store(gradientColorStart_, v)) Invalidate();
}

void TNvCustomPanel::SetGradientColorStop(TColor v) {
  if (Store(gradientColorStop_, v)) Invalidate();
}

void TNvCustomPanel::SetGradientDirection(TGradientDirection v) {
  if (Store(gradientDirection_, v)) Invalidate();
}

void TNvCustomPanel::SetTransparent(bool v) {
  if (Store(transparent_, v)) Invalidate();
}

void TNvCustomPanel::SetPaintClientArea(bool v) {
  if (Store(paintClientArea_, v)) Invalidate();
}

void TNvCustomPanel::SetFullRepaint(bool v) {
  if (!Store(fullRepaint_, v)) return;
  // Without a full repaint Qt keeps the pixels that stay visible on a resize;
  // InvalidateResizeStrips then asks for the uncovered strips.
  setAttribute(Qt::WA_StaticContents, !v);
}

// ---- caption and grid properties ------------------------------------------------

void TNvCustomPanel::SetAlignment(TAlignment v) {
  if (Store(alignment_, v)) Invalidate();
}

void TNvCustomPanel::SetAlignmentVertical(TNvAlignmentVertical v) {
  if (Store(alignmentVertical_, v)) Invalidate();
}

void TNvCustomPanel::SetWordWrap(bool v) {
  if (Store(wordWrap_, v)) Invalidate();
}

void TNvCustomPanel::SetTextMargin(Integer v) {
  if (Store(textMargin_, v)) Invalidate();
}

void TNvCustomPanel::SetTextMarginVertical(Integer v) {
  if (Store(textMarginVertical_, v)) Invalidate();
}

void TNvCustomPanel::SetShowGrid(bool v) {
  if (Store(showGrid_, v)) Invalidate();
}

void TNvCustomPanel::SetGridColor(TColor v) {
  if (Store(gridColor_, v)) Invalidate();
}

void TNvCustomPanel::SetGridStyle(TNvGridStyle v) {
  if (Store(gridStyle_, v)) Invalidate();
}

void TNvCustomPanel::SetGridXSize(Integer v) {
  if (Store(gridXSize_, std::max(1, v))) Invalidate();
}

void TNvCustomPanel::SetGridYSize(Integer v) {
  if (Store(gridYSize_, std::max(1, v))) Invalidate();
}

void TNvCustomPanel::FrameGeometryChanged() {
  Realign();
  Invalidate();
}

// ---- enabling ---------------------------------------------------------------------

void TNvCustomPanel::SetEnabled(bool v) {
  if (v == Enabled()) return;
  if (!v) RecordChildrenAndDisable();
  TCustomControl::SetEnabled(v);
  if (v) RestoreChildren();
  Invalidate();
}

void TNvCustomPanel::RecordChildrenAndDisable() {
  enabledChildren_.clear();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    enabledChildren_.emplace_back(c, c->Enabled());
    c->SetEnabled(false);
  }
}

void TNvCustomPanel::RestoreChildren() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    auto it = std::find_if(enabledChildren_.begin(), enabledChildren_.end(),
                           [c](const auto& e) { return e.first == c; });
    // A child added while the panel was disabled was never recorded.
    if (it == enabledChildren_.end() || it->second) c->SetEnabled(true);
  }
  enabledChildren_.clear();
}

// ---- geometry -----------------------------------------------------------------------

void TNvCustomPanel::SetBounds(int left, int top, int width, int height) {
  const int oldWidth = Width(), oldHeight = Height();
  // A bottom-aligned panel keeps its bottom edge, a right-aligned one its right
  // edge, when only its size is asked to change.
  if (Align() == alBottom && top == Top() && height != oldHeight) top -= height - oldHeight;
  if (Align() == alRight && left == Left() && width != oldWidth) left -= width - oldWidth;
  TCustomControl::SetBounds(left, top, width, height);
  if (Width() != oldWidth || Height() != oldHeight) InvalidateResizeStrips(oldWidth, oldHeight);
}

void TNvCustomPanel::InvalidateResizeStrips(int oldWidth, int oldHeight) {
  if (fullRepaint_ || !Caption().empty()) {
    Invalidate();
    return;
  }
  const TRect inside = InsideFrameRect();
  const TPoint strip = ResizeStripSize();
  if (Width() != oldWidth) InvalidateRect(Rect(inside.Right - strip.X, 0, Width(), Height()));
  if (Height() != oldHeight) InvalidateRect(Rect(0, inside.Bottom - strip.Y, Width(), Height()));
}

TRect TNvCustomPanel::InsideFrameRect() const {
  TRect r = Rect(0, 0, Width(), Height());
  const Integer w =
      FrameStyleWidth(borderOuter_, bevelWidth_) + FrameStyleWidth(borderInner_, bevelWidth_);
  if (HasSide(borderSides_, sdLeft)) r.Left += w;
  if (HasSide(borderSides_, sdTop)) r.Top += w;
  if (HasSide(borderSides_, sdRight)) r.Right -= w;
  if (HasSide(borderSides_, sdBottom)) r.Bottom -= w;
  return r;
}

void TNvCustomPanel::AdjustClientRect(TRect& r) const {
  const TRect inside = InsideFrameRect();
  r.Left += inside.Left;
  r.Top += inside.Top;
  r.Right -= Width() - inside.Right;
  r.Bottom -= Height() - inside.Bottom;
  InflateRect(r, -borderWidth_, -borderWidth_);
}

// ---- painting -----------------------------------------------------------------------

bool TNvCustomPanel::ErasesBackground() const {
  return !transparent_ && TCustomControl::ErasesBackground();
}

void TNvCustomPanel::GetFrameColor(TColor& color, Integer& adjustment) const {
  if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
    color = GetGradientPanelFrameColor(gradientColorStyle_);
    adjustment = 0;
  } else {
    color = flatColor_;
    adjustment = flatColorAdjustment_;
  }
}

void TNvCustomPanel::GetGradientColors(TColor& start, TColor& stop) const {
  if (gradientColorStyle_ == gcsCustom) {
    start = gradientColorStart_;
    stop = gradientColorStop_;
  } else {
    GetGradientPanelColors(gradientColorStyle_, start, stop);
  }
}

TRect TNvCustomPanel::PaintPanel() {
  TCanvas& canvas = Canvas();
  if (transparent_) DrawParentImage(this, canvas);
  TColor frameColor;
  Integer adjustment;
  GetFrameColor(frameColor, adjustment);
  const TColor parentColor = Parent() ? Parent()->Color() : Color();
  TRect r = DrawInnerOuterBorders(canvas, Rect(0, 0, Width(), Height()), borderOuter_, borderInner_,
                                  borderWidth_, borderSides_, bevelWidth_, borderColor_,
                                  borderHighlight_, borderShadow_, frameColor, adjustment, Color(),
                                  parentColor, transparent_);
  if (!transparent_ && paintClientArea_) {
    if (visualStyle_ == vsGradient) {
      TColor start, stop;
      GetGradientColors(start, stop);
      PaintGradient(canvas, r, gradientDirection_, start, stop, 1);
    } else {
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(Color());
      canvas.FillRect(r);
    }
  }
  return r;
}

void TNvCustomPanel::Paint() {
  const TRect r = PaintPanel();
  if (showGrid_) DrawGrid(r);
  DrawCaptionText(r);
  if (OnPaint) OnPaint(this);
}

void TNvCustomPanel::DrawGrid(const TRect& r) {
  TCanvas& canvas = Canvas();
  if (gridStyle_ == gsDots) {
    for (int y = r.Top; y < r.Bottom; y += gridYSize_)
      for (int x = r.Left; x < r.Right; x += gridXSize_) canvas.SetPixels(x, y, gridColor_);
    return;
  }
  canvas.Pen().SetColor(gridColor_);
  for (int x = r.Left; x < r.Right; x += gridXSize_) {
    canvas.MoveTo(x, r.Top);
    canvas.LineTo(x, r.Bottom);
  }
  for (int y = r.Top; y < r.Bottom; y += gridYSize_) {
    canvas.MoveTo(r.Left, y);
    canvas.LineTo(r.Right, y);
  }
}

void TNvCustomPanel::DrawCaptionText(const TRect& r) {
  const std::string text = Caption();
  if (text.empty()) return;
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsClear);
  TRect box = r;
  InflateRect(box, -textMargin_, -textMarginVertical_);
  uint32_t flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  TRect measured = box;
  DrawText(canvas, text, measured, flags | DT_CALCRECT);
  const int free = box.Height() - measured.Height();
  if (alignmentVertical_ == avCenter) box.Top += free / 2;
  if (alignmentVertical_ == avBottom) box.Top += free;
  DrawText(canvas, text, box, flags);
}
