#include "widgets/nvlabel.h"

#include <QPainter>
#include <cmath>

#include "framework/drawtext.h"
#include "framework/property.h"
#include "widgets/nvblinktimer.h"
#include "widgets/nvcommon.h"

const uint32_t DrawTextAlignments[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
const uint32_t DrawTextWordWrap[2] = {0, DT_WORDBREAK};
const uint32_t CondenseCaptionFlags[3] = {0, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS};

namespace {

const double kPi = 3.14159265358979323846;

// Where the rotation origin lies in `r` for a centre point.
QPointF AnchorOf(const TRect& r, TCenterPoint cp) {
  const double xs[3] = {double(r.Left), (r.Left + r.Right) / 2.0, double(r.Right)};
  const double ys[3] = {double(r.Top), (r.Top + r.Bottom) / 2.0, double(r.Bottom)};
  static const int col[9] = {0, 1, 2, 0, 1, 2, 0, 1, 2};
  static const int row[9] = {0, 0, 0, 1, 1, 1, 2, 2, 2};
  return QPointF(xs[col[cp]], ys[row[cp]]);
}

}  // namespace

TNvLabel::TNvLabel(TWinControl* parent) : TCustomLabel(parent) {
  SetColor(clBtnFace);
  SetParentColor(true);
  SetControlStyle(ControlStyle() | csOpaque);
  TNvBlinkList::Register(this);
}

TNvLabel::~TNvLabel() {
  TNvBlinkList::Unregister(this);
}

void TNvLabel::Changed(bool resize) {
  if (resize) AdjustBounds();
  Invalidate();
}

#define NV_LABEL_SETTER(Name, member, resize)    \
  void TNvLabel::Set##Name(decltype(member) v) { \
    if (Store(member, v)) Changed(resize);       \
  }
NV_LABEL_SETTER(BorderOuter, borderOuter_, true)
NV_LABEL_SETTER(BorderInner, borderInner_, true)
NV_LABEL_SETTER(BorderSides, borderSides_, true)
NV_LABEL_SETTER(BorderWidth, borderWidth_, true)
NV_LABEL_SETTER(BevelWidth, bevelWidth_, true)
NV_LABEL_SETTER(BorderColor, borderColor_, false)
NV_LABEL_SETTER(BorderHighlight, borderHighlight_, false)
NV_LABEL_SETTER(BorderShadow, borderShadow_, false)
NV_LABEL_SETTER(FlatColor, flatColor_, false)
NV_LABEL_SETTER(FlatColorAdjustment, flatColorAdjustment_, false)
NV_LABEL_SETTER(TextStyle, effects_.style, true)
NV_LABEL_SETTER(LightTextStyle, effects_.lightTextStyle, false)
NV_LABEL_SETTER(ShadowColor, effects_.shadowColor, false)
NV_LABEL_SETTER(ShadowDepth, effects_.shadowDepth, true)
NV_LABEL_SETTER(HighlightColor, effects_.highlightColor, false)
NV_LABEL_SETTER(TextMargin, textMargin_, true)
NV_LABEL_SETTER(CondenseCaption, condenseCaption_, true)
NV_LABEL_SETTER(Rotation, rotation_, true)
NV_LABEL_SETTER(Angle, angle_, true)
NV_LABEL_SETTER(CenterPoint, centerPoint_, false)
NV_LABEL_SETTER(FlyByEnabled, flyByEnabled_, false)
NV_LABEL_SETTER(FlyByColor, flyByColor_, false)
NV_LABEL_SETTER(BlinkColor, blinkColor_, false)
#undef NV_LABEL_SETTER

void TNvLabel::SetBlinking(bool v) {
  if (!Store(blinking_, v)) return;
  // Off restores the normal colour.
  if (!v) blinkOn_ = false;
  Invalidate();
}

Word TNvLabel::BlinkIntervalOn() const {
  return TNvBlinkList::IntervalOn();
}

void TNvLabel::SetBlinkIntervalOn(Word ms) {
  TNvBlinkList::SetIntervalOn(ms);
}

Word TNvLabel::BlinkIntervalOff() const {
  return TNvBlinkList::IntervalOff();
}

void TNvLabel::SetBlinkIntervalOff(Word ms) {
  TNvBlinkList::SetIntervalOff(ms);
}

TColor TNvLabel::CurrentTextColor() const {
  if (blinking_ && blinkOn_) return blinkColor_;
  if (flyByEnabled_ && pointerOver_) return flyByColor_;
  return Font().Color();
}

void TNvLabel::Blink(bool on) {
  if (!blinking_ || !Store(blinkOn_, on)) return;
  Repaint();
}

void TNvLabel::WndProc(TMessage& message) {
  if (message.Msg == CM_GETBLINKING) {
    message.Result = blinking_ ? 1 : 0;
    return;
  }
  if (message.Msg == CM_BLINK) {
    Blink(message.WParam == static_cast<WPARAM>(bsOn));
    return;
  }
  TCustomLabel::WndProc(message);
}

int TNvLabel::SideInset(TSide side) const {
  if (!HasSide(borderSides_, side)) return 0;
  return FrameStyleWidth(borderOuter_, bevelWidth_) + FrameStyleWidth(borderInner_, bevelWidth_);
}

TRect TNvLabel::TextRect() const {
  TRect r = ClientRect();
  InflateRect(r, -borderWidth_, -borderWidth_);
  r.Left += SideInset(sdLeft);
  r.Top += SideInset(sdTop);
  r.Right -= SideInset(sdRight);
  r.Bottom -= SideInset(sdBottom);
  InflateRect(r, -textMargin_, -textMargin_);
  return r;
}

uint32_t TNvLabel::LabelTextFlags() const {
  uint32_t flags = DrawTextAlignments[Alignment()] | DT_EXPANDTABS;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  flags |= DrawTextWordWrap[WordWrap() ? 1 : 0];
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  return flags | CondenseCaptionFlags[condenseCaption_];
}

void TNvLabel::Paint() {
  TCanvas& c = Canvas();
  const TColor parentColor = Parent() ? Parent()->Color() : Color();
  const TRect inside =
      DrawInnerOuterBorders(c, ClientRect(), borderOuter_, borderInner_, borderWidth_, borderSides_,
                            bevelWidth_, borderColor_, borderHighlight_, borderShadow_, flatColor_,
                            flatColorAdjustment_, Color(), parentColor, Transparent(), false);
  if (!Transparent()) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(inside);
  }
  c.Brush().SetStyle(bsClear);
  c.SetFont(Font());
  const TRect text = TextRect();
  if (rotation_ == roCurve) {
    DrawCurvedText(c, text);
  } else if (rotation_ == roFlat && angle_ % 360 != 0) {
    DrawRotatedText(c, text);
  } else {
    DrawFlatText(c, text);
  }
}

void TNvLabel::DrawFlatText(TCanvas& canvas, const TRect& rect) {
  const uint32_t flags = LabelTextFlags();
  TRect r = rect;
  if (Layout() != tlTop) {
    TRect calc = rect;
    DrawText(canvas, Caption().empty() ? std::string(" ") : Caption(), calc, flags | DT_CALCRECT);
    const int spare = rect.Height() - calc.Height();
    OffsetRect(r, 0, Layout() == tlBottom ? spare : spare / 2);
  }
  DrawStyledText(canvas, Caption(), r, flags, Enabled(), CurrentTextColor(), effects_);
}

void TNvLabel::DrawRotatedText(TCanvas& canvas, const TRect& rect) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  const uint32_t flags = (LabelTextFlags() & ~(DT_RIGHT | DT_CENTER | DT_WORDBREAK)) | DT_NOCLIP;
  TRect extent = Rect(0, 0, 100000, 0);
  DrawText(canvas, Caption(), extent, flags | DT_CALCRECT);
  const QPointF origin = AnchorOf(rect, centerPoint_);
  const QPointF own = AnchorOf(Rect(0, 0, extent.Width(), extent.Height()), centerPoint_);
  canvas.Save();
  p->translate(origin);
  p->rotate(-angle_);
  p->translate(-own);
  DrawStyledText(canvas, Caption(), Rect(0, 0, extent.Width(), extent.Height()), flags, Enabled(),
                 CurrentTextColor(), effects_);
  canvas.Restore();
}

// The caption along an arc bulging upwards through the rectangle's lower
// corners; each character is turned to the arc's tangent.
void TNvLabel::DrawCurvedText(TCanvas& canvas, const TRect& rect) {
  QPainter* p = canvas.Painter();
  const std::string text = ShowAccelChar() ? StripPrefix(Caption()) : Caption();
  if (!p || text.empty() || rect.Width() <= 0) return;
  const double chord = rect.Width();
  const double rise = std::max(rect.Height() - canvas.TextHeight(text), 1) / 2.0;
  const double radius = (chord * chord / 4 + rise * rise) / (2 * rise);
  const QPointF centre((rect.Left + rect.Right) / 2.0, rect.Bottom + radius - rise * 2);
  const double total = canvas.TextWidth(text);
  for (size_t i = 0; i < text.size(); ++i) {
    // Positions from the widths of the text before each character keep the
    // font's own spacing.
    const std::string s(1, text[i]);
    const double w = canvas.TextWidth(s);
    const double along = canvas.TextWidth(text.substr(0, i)) - total / 2;
    const double a = (along + w / 2) / radius;  // radians from the top of the arc
    canvas.Save();
    p->translate(centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a));
    p->rotate(a * 180 / kPi);
    DrawStyledText(canvas, s, Rect(-int(w / 2), -canvas.TextHeight(s), int(w) + 1, 0),
                   DT_NOPREFIX | DT_NOCLIP, Enabled(), CurrentTextColor(), effects_);
    canvas.Restore();
  }
}

void TNvLabel::AdjustBounds() {
  if (!AutoSize() || (ComponentState() & csLoading)) return;
  TCanvas& c = Canvas();
  c.SetFont(Font());
  const int extraX = 2 * (borderWidth_ + textMargin_) + SideInset(sdLeft) + SideInset(sdRight);
  const int extraY = 2 * (borderWidth_ + textMargin_) + SideInset(sdTop) + SideInset(sdBottom);
  TRect r = Rect(0, 0, WordWrap() ? std::max(Width() - extraX, 1) : 100000, 0);
  uint32_t flags = DT_CALCRECT | DT_EXPANDTABS | DrawTextWordWrap[WordWrap() ? 1 : 0] |
                   CondenseCaptionFlags[condenseCaption_];
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  DrawText(c, Caption().empty() ? std::string(" ") : Caption(), r, flags);
  int w = r.Width() + extraX;
  int h = r.Height() + extraY;
  if (effects_.style == tsShadow) {
    w += effects_.shadowDepth;
    h += effects_.shadowDepth;
  }
  if (rotation_ == roFlat && angle_ % 180 != 0) {
    const double a = angle_ * kPi / 180;
    const double rw = std::abs(w * std::cos(a)) + std::abs(h * std::sin(a));
    const double rh = std::abs(w * std::sin(a)) + std::abs(h * std::cos(a));
    w = static_cast<int>(std::ceil(rw));
    h = static_cast<int>(std::ceil(rh));
  }
  int left = Left();
  if (Alignment() == taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, h);
}

void TNvLabel::Loaded() {
  TCustomLabel::Loaded();
  if (angle_ != 0 && rotation_ == roNone) rotation_ = roFlat;
  AdjustBounds();
}

void TNvLabel::MouseEnter() {
  pointerOver_ = true;
  if (flyByEnabled_) Invalidate();
  TCustomLabel::MouseEnter();
}

void TNvLabel::MouseLeave() {
  pointerOver_ = false;
  if (flyByEnabled_) Invalidate();
  TCustomLabel::MouseLeave();
}
