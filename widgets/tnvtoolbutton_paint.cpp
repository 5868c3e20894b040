// TNvToolButton: frame, fills, image and caption placement and painting.
#include <algorithm>

#include "framework/bitmap.h"
#include "framework/drawtext.h"
#include "widgets/nvcommon.h"
#include "widgets/nvgrafx.h"
#include "widgets/tnvtoolbutton.h"

namespace {

constexpr uint32_t kCaptionFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS;

bool DownState(TNvToolButtonState s) {
  return s == tbsDown || s == tbsExclusive;
}

// Image and caption side by side, 4 pixels apart, centred together in `r`;
// returns what left or right alignment moves them by.
int PlaceSideBySide(const TRect& r, TSize image, TSize text, bool glyphLeft, TRect& imageRect,
                    TRect& captionRect) {
  const int iw = image.cx, ih = image.cy, tw = text.cx, th = text.cy;
  int il, cl;
  if (glyphLeft) {
    il = r.Left + (r.Width() - iw - tw - 4) / 2;
    cl = il + iw + 4;
  } else {
    const int spare = r.Width() - iw - tw - 4;
    il = r.Right - iw - spare / 2;
    cl = il - tw - 4;
  }
  imageRect = Bounds(il, r.Top + (r.Height() - ih) / 2, iw, ih);
  captionRect = Bounds(cl, r.Top + (r.Height() - th) / 2, tw, th);
  return iw > 0 ? il - 4 : il;
}

// Image above or below the caption, 4 pixels apart, each centred across `r`
// and together down it; returns what left or right alignment moves them by.
int PlaceStacked(const TRect& r, TSize image, TSize text, bool glyphTop, TRect& imageRect,
                 TRect& captionRect) {
  const int iw = image.cx, ih = image.cy, tw = text.cx, th = text.cy;
  const int spare = r.Height() - ih - th - 4;
  const int il = r.Left + (r.Width() - iw) / 2;
  const int cl = r.Left + (r.Width() - tw) / 2;
  int it, ct;
  if (glyphTop) {
    it = r.Top + spare / 2;
    ct = it + ih + 4;
  } else {
    it = r.Bottom - (ih + spare / 2);
    ct = it - th - 4;
  }
  imageRect = Bounds(il, it, iw, ih);
  captionRect = Bounds(cl, ct, tw, th);
  return std::min(il, cl) - 4;
}

}  // namespace

bool TNvToolButton::PressedLook() const {
  return DownState(state_) || (state_ == tbsDropDown && !OnClick);
}

void TNvToolButton::SyncStateWithEnabled() {
  if (!Enabled()) {
    state_ = tbsDisabled;
    dragging_ = false;
  } else if (state_ == tbsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? tbsExclusive : tbsUp;
  }
}

void TNvToolButton::Paint() {
  SyncStateWithEnabled();
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  DrawBtnBorder(r);
  if (!transparent_) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  const bool themed = visualStyle_ == vsWinXP && ThemesEnabled();
  if (visualStyle_ != vsGradient && !themed && state_ == tbsExclusive && (!flat_ || !mouseOver_)) {
    auto pattern = transparent_ ? AllocPatternBitmap(clBtnFace, clBtnHighlight)
                                : AllocPatternBitmap(Color(), LighterColor(Color(), 20));
    canvas.Brush().SetBitmap(pattern.get());
    canvas.FillRect(r);
    canvas.Brush().SetBitmap(nullptr);
  }
  if (toolStyle_ == tsDropDown) {
    // A small black arrow centred in the arrow part.
    const int left = UseRightToLeftAlignment() ? 0 : Width() - ToolButtonArrowWidth;
    const int x = left + ToolButtonArrowWidth / 2 - 3, y = Height() / 2 - 1;
    canvas.Pen().SetColor(Enabled() ? clBtnText : clBtnShadow);
    for (int i = 0; i < 3; ++i) {
      canvas.MoveTo(x + i, y + i);
      canvas.LineTo(x + 5 - i, y + i);
    }
  }
  TRect imageRect, captionRect;
  GetImageAndCaptionRects(imageRect, captionRect);
  DrawImage(imageRect);
  DrawCaption(captionRect);
}

void TNvToolButton::GetGradientColors(TColor& frame, TColor& start, TColor& stop) const {
  if (gradientColorStyle_ == gcsCustom) {
    frame = selectionFrameColor_;
    start = selectionColorStart_;
    stop = selectionColorStop_;
  } else {
    GetGradientSelectionColors(gradientColorStyle_, frame, start, stop);
  }
}

void TNvToolButton::DrawBtnBorder(TRect& r) {
  TCanvas& canvas = Canvas();
  if (!HotTrackingStyle()) {
    r = DrawBorder(canvas, r, DownState(state_) ? fsLowered : fsButtonUp);
    return;
  }
  const bool designing = ComponentState() & csDesigning;
  const bool hot = mouseOver_ && Enabled();
  if (!DownState(state_) && state_ != tbsDropDown && !hot && !designing) return;
  if (visualStyle_ != vsGradient) {
    r = DrawBorder(canvas, r, DownState(state_) ? fsStatus : fsPopup);
    return;
  }
  TColor frame, start, stop;
  GetGradientColors(frame, start, stop);
  const bool active = DownState(state_) || state_ == tbsDropDown || hot;
  if (designing && !active) {
    InflateRect(r, -1, -1);
    r = DrawBoxCorners(canvas, r, frame, 4);
    return;
  }
  r = DrawBox(canvas, r, frame);
  TColor top = start, bottom = stop;
  if (state_ == tbsDown || state_ == tbsDropDown) {
    top = stop;
    bottom = start;
  } else if (state_ == tbsExclusive) {
    if (mouseOver_) {
      top = down_ ? stop : start;
      bottom = down_ ? start : stop;
    } else {
      top = DarkerColor(stop, 40);
      bottom = start;
    }
  }
  PaintGradient(canvas, r, gdHorizontalEnd, top, bottom, 1);
}

TRect TNvToolButton::ContentRect() const {
  TRect r = ClientRect();
  if (toolStyle_ == tsDropDown) {
    if (UseRightToLeftAlignment())
      r.Left += ToolButtonArrowWidth;
    else
      r.Right -= ToolButtonArrowWidth;
  }
  InflateRect(r, -2, -2);
  return r;
}

TSize TNvToolButton::CaptionExtent(const TRect& r, TSize image) {
  TRect t = r;
  if (layout_ == blGlyphLeft) t.Left += image.cx;
  if (layout_ == blGlyphRight) t.Right -= image.cx;
  if (layout_ == blGlyphTop) t.Top += image.cy;
  if (layout_ == blGlyphBottom) t.Bottom -= image.cy;
  Canvas().SetFont(Font());
  DrawText(Canvas(), Caption(), t, kCaptionFlags | DT_CALCRECT);
  return TSize(t.Width(), t.Height());
}

void TNvToolButton::GetImageAndCaptionRects(TRect& imageRect, TRect& captionRect) {
  const TRect r = ContentRect();
  const TSize image = GetImageSize();
  int shift;  // how far a left or right alignment moves image and caption
  if (showCaption_ && !Caption().empty()) {
    const TSize text = CaptionExtent(r, image);
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
      shift = PlaceSideBySide(r, image, text, layout_ == blGlyphLeft, imageRect, captionRect);
    else
      shift = PlaceStacked(r, image, text, layout_ == blGlyphTop, imageRect, captionRect);
  } else {
    imageRect = CenterRect(r, image.cx, image.cy);
    captionRect = Rect(0, 0, 0, 0);
    shift = imageRect.Left - 4;
  }
  if (alignment_ != taCenter) {
    const int dx = alignment_ == taLeftJustify ? -shift : shift;
    OffsetRect(imageRect, dx, 0);
    OffsetRect(captionRect, dx, 0);
  }
  if (PressedLook() && visualStyle_ != vsGradient) {
    const int dy = visualStyle_ == vsWinXP && ThemesEnabled() ? 0 : 1;
    OffsetRect(imageRect, 1, dy);
    OffsetRect(captionRect, 1, dy);
  }
}

void TNvToolButton::DrawImage(const TRect& r) {
  TCustomImageList* list = ImageList();
  if (!list || imageIndex_ == -1) return;
  TCanvas& canvas = Canvas();
  if (PressedLook() && downIndex_ != -1) {
    list->Draw(canvas, r.Left, r.Top, downIndex_, true);
    return;
  }
  const bool hotImage = hotIndex_ != -1 && mouseOver_;
  if (disabledIndex_ != -1) {
    const int index = !Enabled() ? disabledIndex_ : hotImage ? hotIndex_ : imageIndex_;
    list->Draw(canvas, r.Left, r.Top, index, true);
    return;
  }
  const int index = hotImage && Enabled() ? hotIndex_ : imageIndex_;
  list->Draw(canvas, r.Left, r.Top, index, Enabled());
}

void TNvToolButton::DrawCaption(const TRect& r) {
  if (!showCaption_) return;
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsClear);
  if (!Enabled())
    canvas.Font().SetColor(clBtnShadow);
  else if (visualStyle_ != vsGradient && state_ == tbsDown)
    canvas.Font().SetColor(clHighlightText);
  TRect box = r;
  DrawText(canvas, Caption(), box, kCaptionFlags | (UseRightToLeftReading() ? DT_RTLREADING : 0));
}
