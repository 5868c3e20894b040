// TNvGroupBar: scrolling, the non-client frame, messages and painting.
#include <QScrollBar>
#include <algorithm>

#include "framework/bitmap.h"
#include "framework/imagelist.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon.h"
#include "widgets/nvcommon_groupbar.h"
#include "widgets/tnvgroupbar.h"

namespace {

constexpr int kScrollBarWidth = 16;
constexpr int kLineStep = 10;

// Scroll request codes of the vertical scroll message (low word of WParam;
// the high word carries the track position).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;

}  // namespace

bool TNvGroupBar::ScrollBarVisible() const {
  return !scrollBar_->isHidden();
}

void TNvGroupBar::UpdateScrollBar() {
  if (destroying_) return;
  int max = GetTotalHeight();
  const int page = ClientHeight();
  if (scrollInfoSet_ && scrollMin_ == 0 && scrollMax_ == max && scrollPage_ == page &&
      scrollPos_ == scrollPosition_)
    return;
  if (max < page && scrollPosition_ != 0) {
    // Everything fits again: back to the top.
    ScrollGroupsBy(scrollPosition_);
    scrollPosition_ = 0;
  }
  scrollInfoSet_ = true;
  scrollMin_ = 0;
  scrollMax_ = max;
  scrollPage_ = page;
  scrollPos_ = scrollPosition_;
  {
    TScopedValue updating(updatingScrollBar_, true);
    scrollBar_->setRange(0, std::max(0, max - page));
    scrollBar_->setPageStep(std::max(1, page));
    scrollBar_->setValue(scrollPosition_);
  }
  const bool visible = page < max - scrollMin_;
  if (visible != ScrollBarVisible()) {
    scrollBar_->setVisible(visible);
    UpdateNonClient();
  }
  Invalidate();
}

void TNvGroupBar::SetScrollPosition(Integer p) {
  if (p == scrollPosition_ || Loading()) return;
  const int hi = std::max(scrollMin_, scrollMax_ - scrollPage_ + scrollMin_);
  p = std::clamp(p, scrollMin_, hi);
  if (p == scrollPosition_) return;
  ScrollGroupsBy(scrollPosition_ - p);
  scrollPosition_ = p;
  UpdateScrollBar();
}

void TNvGroupBar::HandleScrollMessage(int code, int trackPos) {
  int p = scrollPosition_;
  switch (code) {
    case SB_LINEUP:
      p -= kLineStep;
      break;
    case SB_LINEDOWN:
      p += kLineStep;
      break;
    case SB_PAGEUP:
      p -= scrollPage_;
      break;
    case SB_PAGEDOWN:
      p += scrollPage_;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      p = std::clamp(trackPos, scrollMin_, scrollMax_);
      break;
    case SB_TOP:
      p = scrollMin_;
      break;
    case SB_BOTTOM:
      p = scrollMax_;
      break;
    default:
      return;
  }
  SetScrollPosition(p);
}

bool TNvGroupBar::DoMouseWheelDown(TShiftState, TPoint) {
  SetScrollPosition(scrollPosition_ + kLineStep);
  return true;
}

bool TNvGroupBar::DoMouseWheelUp(TShiftState, TPoint) {
  SetScrollPosition(scrollPosition_ - kLineStep);
  return true;
}

void TNvGroupBar::UpdateNonClient() {
  const int l = HasSide(borderSides_, sdLeft), t = HasSide(borderSides_, sdTop);
  const int r = HasSide(borderSides_, sdRight), b = HasSide(borderSides_, sdBottom);
  const int frame =
      FrameStyleWidth(borderOuter_, bevelWidth_) + FrameStyleWidth(borderInner_, bevelWidth_);
  const int sb = ScrollBarVisible() ? kScrollBarWidth : 0;
  SetNonClientInsets(l * frame, t * frame, r * frame + sb, b * frame);
  scrollBar_->setGeometry(Width() - r * frame - kScrollBarWidth, t * frame, kScrollBarWidth,
                          std::max(0, Height() - (t + b) * frame));
  Invalidate();
}

void TNvGroupBar::WndProc(TMessage& message) {
  switch (message.Msg) {
    case UM_RESETSCROLLPOSITION:
      SetScrollPosition(0);
      return;
    case WM_VSCROLL:
      HandleScrollMessage(static_cast<int>(message.WParam & 0xFFFF),
                          static_cast<int>((message.WParam >> 16) & 0xFFFF));
      return;
    case WM_THEMECHANGED:
      CurrentXPColorScheme = GetXPColorScheme();
      RepaintGroups();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(message);
}

void TNvGroupBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled() && !Designing()) SetFocus();
  TCustomControl::MouseDown(button, shift, x, y);
}

// ---- painting -------------------------------------------------------------------------

void TNvGroupBar::PaintNonClient(TCanvas& canvas) {
  if (borderOuter_ == fsNone && borderInner_ == fsNone) return;
  const TColor parentColor = Parent() ? Parent()->Color() : Color();
  DrawInnerOuterBorders(canvas, Rect(0, 0, Width(), Height()), borderOuter_, borderInner_, 0,
                        borderSides_, bevelWidth_, borderColor_, borderHighlight_, borderShadow_,
                        flatColor_, flatColorAdjustment_, Color(), parentColor, false);
}

void TNvGroupBar::Paint() {
  if (style_ == gbsCategoryView && visualStyle_ != vsClassic)
    DrawGroupBarBackground(Canvas(), ClientRect(), visualStyle_, gradientColorStyle_, gradientPath_,
                           gradientColorStart_, gradientColorStop_);
  DrawLargeCaptionImages();
}

void TNvGroupBar::DrawLargeCaptionImages() {
  TCanvas& canvas = Canvas();
  for (TNvGroup* g : groups_) {
    if (!g->Visible() || g->CaptionStyle() != csLarge) continue;
    const int offset = g->CaptionYOffset();
    TCustomImageList* images = g->LargeImageList();
    if (offset <= 0 || !images || g->CaptionImageIndex() < 0) continue;
    // The part of the caption image above the group; the group paints the rest.
    canvas.Save();
    canvas.IntersectClipRect(Rect(g->Left(), g->Top() - offset, g->Left() + g->Width(), g->Top()));
    images->Draw(canvas, g->Left() + 8, g->Top() - offset, g->CaptionImageIndex(), g->Enabled());
    canvas.Restore();
  }
}

TColor TNvGroupBar::BackgroundColorAt(int y) const {
  if (style_ != gbsCategoryView || visualStyle_ == vsClassic || !FullColorSupported ||
      ClientHeight() <= 0)
    return Color();
  TBitmap strip(1, ClientHeight());
  DrawGroupBarBackground(strip.Canvas(), Rect(0, 0, 1, ClientHeight()), visualStyle_,
                         gradientColorStyle_, gradientPath_, gradientColorStart_,
                         gradientColorStop_);
  return strip.Canvas().Pixels(0, std::clamp(y, 0, ClientHeight() - 1));
}
