#include "widgets/tnvcustomglyphbutton.h"

#include <algorithm>

#include "framework/drawtext.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"

namespace {

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

TWinControl* TopLevel(TWinControl* c) {
  while (c->Parent()) c = c->Parent();
  return c;
}

}  // namespace

TNvCustomGlyphButton::TNvCustomGlyphButton(TWinControl* parent) : TNvCustomButton(parent) {}

#define NV_SETTER(Name, member)                              \
  void TNvCustomGlyphButton::Set##Name(decltype(member) v) { \
    if (Store(member, v)) Invalidate();                      \
  }
NV_SETTER(Alignment, alignment_)
NV_SETTER(FrameColor, frameColor_)
NV_SETTER(DisabledColor, disabledColor_)
NV_SETTER(FocusColor, focusColor_)
NV_SETTER(FillColor, fillColor_)
NV_SETTER(ReadOnly, readOnly_)
NV_SETTER(ReadOnlyColor, readOnlyColor_)
NV_SETTER(ReadOnlyColorOnFocus, readOnlyColorOnFocus_)
NV_SETTER(TransparentColor, transparentColor_)
NV_SETTER(WinMaskColor, winMaskColor_)
NV_SETTER(HotTrackStyle, hotTrackStyle_)
NV_SETTER(UseCustomGlyphs, useCustomGlyphs_)
#undef NV_SETTER

void TNvCustomGlyphButton::SetCustomGlyphs(const QImage& strip) {
  customGlyphs_ = strip.convertToFormat(QImage::Format_RGB32);
  Invalidate();
}

void TNvCustomGlyphButton::SetTabOnEnter(bool v) {
  tabOnEnter_ = v;
}

bool TNvCustomGlyphButton::GlyphOnLeft() const {
  return (alignment_ == taRightJustify) != UseRightToLeftAlignment();
}

TRect TNvCustomGlyphButton::GlyphRect() const {
  const int x = GlyphOnLeft() ? 0 : Width() - NvGlyphSize;
  int y = 2;
  if (AlignmentVertical() == avCenter) y = (Height() - NvGlyphSize) / 2;
  if (AlignmentVertical() == avBottom) y = Height() - NvGlyphSize - 2;
  return Bounds(x, y, NvGlyphSize, NvGlyphSize);
}

TRect TNvCustomGlyphButton::CaptionRect() const {
  TRect r = ClientRect();
  InflateRect(r, -1, -1);
  if (GlyphOnLeft())
    r.Left += NvGlyphSize + 4;
  else
    r.Right -= NvGlyphSize + 4;
  return r;
}

void TNvCustomGlyphButton::Paint() {
  TBitmap buffer(Width(), Height());
  TCanvas& c = buffer.Canvas();
  PaintBackground(c);
  DrawGlyph(c, GlyphRect());
  const TRect caption = CaptionRect();
  Draw3DText(c, caption, UseRightToLeftAlignment());
  PaintFocus(c, caption);
  c.Detach();
  Canvas().Draw(0, 0, buffer);
}

void TNvCustomGlyphButton::PaintBackground(TCanvas& canvas) {
  if (Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, Width(), Height()));
    DrawParentImage(this, canvas);
    return;
  }
  if (backgroundStale_ || background_.Width() != Width() || background_.Height() != Height()) {
    background_.SetSize(Width(), Height());
    TCanvas& b = background_.Canvas();
    b.Brush().SetStyle(bsSolid);
    b.Brush().SetColor(Color());
    b.FillRect(Rect(0, 0, Width(), Height()));
    backgroundStale_ = false;
  }
  canvas.Draw(0, 0, background_);
}

void TNvCustomGlyphButton::PaintFocus(TCanvas& canvas, const TRect& captionRect) {
  const std::string caption = Caption();
  if (!Focused() || caption.empty()) return;
  TRect r = captionRect;
  InflateRect(r, 1, 1);
  canvas.SetFont(Font());
  const int width = canvas.TextWidth(Trimmed(StripPrefix(caption))) + 3;
  if (GlyphOnLeft())
    r.Right = std::min(r.Right, r.Left + width);
  else
    r.Left = std::max(r.Left, r.Right - width);
  DrawFocusBorder(canvas, r);
}

void TNvCustomGlyphButton::DrawCustomGlyph(TCanvas& canvas, const TRect& rect, int index) const {
  const int x = index * NvGlyphSize;
  if (customGlyphs_.isNull() || x + NvGlyphSize > customGlyphs_.width()) return;
  QImage cell =
      customGlyphs_.copy(x, 0, NvGlyphSize, NvGlyphSize).convertToFormat(QImage::Format_ARGB32);
  const QRgb see = ColorToQColor(transparentColor_).rgb();
  for (int py = 0; py < cell.height(); ++py) {
    for (int px = 0; px < cell.width(); ++px) {
      if ((cell.pixel(px, py) & 0xFFFFFF) == (see & 0xFFFFFF)) cell.setPixel(px, py, 0);
    }
  }
  canvas.Draw(rect.Left, rect.Top, cell);
}

void TNvCustomGlyphButton::Resize() {
  backgroundStale_ = true;
  TNvCustomButton::Resize();
}

void TNvCustomGlyphButton::ColorChanged() {
  backgroundStale_ = true;
  TNvCustomButton::ColorChanged();
}

void TNvCustomGlyphButton::EnabledChanged() {
  backgroundStale_ = true;
  TNvCustomButton::EnabledChanged();
}

void TNvCustomGlyphButton::KeyDown(Word& key, TShiftState shift) {
  TNvCustomButton::KeyDown(key, shift);
  if (key == VK_RETURN && tabOnEnter_) {
    // Enter acts as Tab: the focus moves on in the window's tab order.
    TopLevel(this)->SelectNext(this, (shift & ssShift) == 0, true);
    key = 0;
  }
}

void TNvCustomGlyphButton::HotTrackChanged() {
  if (HotTrack()) InvalidateRect(GlyphRect());
}
