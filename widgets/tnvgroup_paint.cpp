// TNvGroup: painting in the three bar styles, and the items.
#include <algorithm>

#include "framework/drawtext.h"
#include "framework/imagelist.h"
#include "widgets/nvcommon.h"
#include "widgets/nvcommon_groupbar.h"
#include "widgets/nvgrafx.h"
#include "widgets/tnvgroup.h"
#include "widgets/tnvgroupbar.h"

namespace {

constexpr int kTextFlags = DT_WORDBREAK | DT_NOPREFIX;

TNvGradientColorStyle ColorStyleOf(const TNvGroupBar* bar) {
  return bar ? bar->GradientColorStyle() : gcsSystem;
}

}  // namespace

bool TNvGroup::GradientsOn() const {
  return bar_ && bar_->VisualStyle() != vsClassic && FullColorSupported;
}

void TNvGroup::Paint() {
  switch (style_) {
    case gbsOutlook:
      DrawOutlookGroup();
      break;
    case gbsCategoryView:
      DrawCategoryGroup();
      break;
    case gbsTaskList:
      DrawTaskListGroup();
      break;
  }
}

TCustomImageList* TNvGroup::CaptionImages() const {
  return captionStyle_ == csLarge ? LargeImageList() : SmallImageList();
}

void TNvGroup::DrawCaptionImage(int x, int y) {
  TCustomImageList* images = CaptionImages();
  if (images && captionImageIndex_ >= 0)
    images->Draw(Canvas(), x, y, captionImageIndex_, Enabled());
}

// ---- Outlook style -----------------------------------------------------------------------

void TNvGroup::DrawOutlookGroup() {
  TCanvas& canvas = Canvas();
  TColor captionStart, captionStop, textColor, hotTextColor, bodyStart, bodyStop;
  if (ColorStyleOf(bar_) == gcsCustom) {
    captionStart = captionColorStart_;
    captionStop = captionColorStop_;
    textColor = captionFont_.Color();
    hotTextColor = captionHotColor_;
    bodyStart = LighterColor(Color(), 20);
    bodyStop = Color();
  } else {
    GetGradientOutlookGroupColors(ColorStyleOf(bar_), captionStart, captionStop, textColor,
                                  hotTextColor, bodyStart, bodyStop);
  }
  canvas.SetFont(captionFont_);
  TColor fontColor = textColor;
  if (!Designing() && captionState_ == csHot) fontColor = hotTextColor;
  if (!Designing() && captionState_ == csDown) fontColor = BlendColors(clBlack, textColor, 50);
  canvas.Font().SetColor(fontColor);

  TFrameStyleEx frame = fsPopup;
  if (!Designing() && captionState_ == csHot) frame = fsButtonUp;
  if (!Designing() && captionState_ == csDown) frame = fsStatus;
  TRect r = DrawBorder(canvas, Rect(0, 0, Width(), captionHeight_), frame);
  if (GradientsOn()) {
    PaintGradient(canvas, r, gdHorizontalEnd, captionStart, captionStop, 1);
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(captionColor_);
    canvas.FillRect(r);
  }

  const std::string caption = Caption();
  int x = std::max(0, (Width() - canvas.TextWidth(caption)) / 2);
  TCustomImageList* images = CaptionImages();
  if (images && captionImageIndex_ != -1) {
    const int y = (captionHeight_ - images->Height()) / 2;
    x = std::max(0, x - (images->Width() + 4) / 2);
    DrawCaptionImage(x, y);
    x += images->Width() + 4;
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(Rect(x, 2, Width() - 2, captionHeight_ - 2), x,
                  2 + (captionHeight_ - 4 - canvas.TextHeight("Pp")) / 2, caption);
  canvas.Brush().SetStyle(bsSolid);

  if (GradientsOn())
    PaintGradient(canvas, Rect(0, captionHeight_, ClientWidth(), ClientHeight()), gdHorizontalEnd,
                  bodyStart, bodyStop, 1);
  DrawItems();
}

// ---- category view ------------------------------------------------------------------------

void TNvGroup::DrawCategoryGroup() {
  const TNvCategoryGroupColors c = CategoryColors();
  DrawCategoryCaptionFill(c);
  DrawCategoryCaptionText(c);
  DrawCategoryBody(c);
  Canvas().Font().SetColor(c.textColor);
  DrawItems();
}

// The bar's colour set, or with gcsCustom the group's own colours (a special
// group swaps caption fill and text).
TNvCategoryGroupColors TNvGroup::CategoryColors() const {
  TNvCategoryGroupColors c;
  GetGradientCategoryGroupColors(ColorStyleOf(bar_), special_, c);
  if (ColorStyleOf(bar_) != gcsCustom) return c;
  if (special_) {
    c.captionColor = c.captionStart = captionFont_.Color();
    c.captionStop = LighterColor(captionFont_.Color(), 30);
    c.textColor = captionColor_;
  } else {
    c.captionColor = captionColor_;
    c.captionStart = captionColorStart_;
    c.captionStop = captionColorStop_;
    c.textColor = captionFont_.Color();
  }
  c.hotTextColor = captionHotColor_;
  c.buttonColor = c.captionColor;
  c.buttonShadow = DarkerColor(c.captionColor, 30);
  c.dividerColor = dividerColor_;
  c.bodyColor = Color();
  c.borderColor = borderColor_;
  return c;
}

void TNvGroup::DrawCategoryCaptionFill(const TNvCategoryGroupColors& c) {
  TCanvas& canvas = Canvas();
  const int w = ClientWidth();
  if (GradientsOn()) {
    // Left half solid, right half running into the gradient end colour.
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(c.captionStart);
    canvas.FillRect(Rect(0, 0, w / 2, captionHeight_));
    PaintGradient(canvas, Rect(w / 2, 0, w, captionHeight_), gdVerticalEnd, c.captionStart,
                  c.captionStop, 1);
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(c.captionColor);
    canvas.FillRect(CaptionRect());
  }
  // Rounded top corners show the bar's background.
  if (bar_ && w > 2) {
    const TColor corner0 = bar_->BackgroundColorAt(Top());
    const TColor corner1 = bar_->BackgroundColorAt(Top() + 1);
    for (int x : {0, 1, w - 2, w - 1}) canvas.SetPixels(x, 0, corner0);
    canvas.SetPixels(0, 1, corner1);
    canvas.SetPixels(w - 1, 1, corner1);
  }
}

// The caption image, the caption text and, when the group can close, the
// open/close button.
void TNvGroup::DrawCategoryCaptionText(const TNvCategoryGroupColors& c) {
  TCanvas& canvas = Canvas();
  const int w = ClientWidth();
  int textX = 12;
  TCustomImageList* images = CaptionImages();
  if (images && captionImageIndex_ >= 0) {
    const int y = captionStyle_ == csLarge ? captionHeight_ - 4 - images->Height()
                                           : (captionHeight_ - images->Height()) / 2;
    DrawCaptionImage(8, y);
    textX = 8 + images->Width() + 4;
  }
  const TColor ink = !Designing() && captionState_ != csNormal ? c.hotTextColor : c.textColor;
  canvas.SetFont(captionFont_);
  canvas.Font().SetColor(ink);
  canvas.Brush().SetStyle(bsClear);
  TRect textRect = Rect(textX, 0, w - (canClose_ ? 26 : 4), captionHeight_);
  DrawText(canvas, Caption(), textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  canvas.Brush().SetStyle(bsSolid);
  if (canClose_)
    DrawOpenCloseButton(Bounds(w - 23, (captionHeight_ - 17) / 2, 17, 17), c.buttonColor,
                        c.buttonShadow, ink);
}

// The divider under the caption and the border around the body.
void TNvGroup::DrawCategoryBody(const TNvCategoryGroupColors& c) {
  TCanvas& canvas = Canvas();
  const int w = ClientWidth();
  if (dividerVisible_) {
    canvas.Brush().SetColor(c.dividerColor);
    canvas.FillRect(Rect(0, captionHeight_, w, captionHeight_ + 1));
  }
  const TRect body = Rect(0, captionHeight_, w, ClientHeight());
  if (!body.IsEmpty())
    DrawSides(canvas, body, c.borderColor, c.borderColor, MakeSides({sdLeft, sdRight, sdBottom}));
}

void TNvGroup::DrawOpenCloseButton(const TRect& r, TColor face, TColor shadow, TColor ink) {
  TCanvas& canvas = Canvas();
  canvas.Pen().SetColor(shadow);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(face);
  canvas.Ellipse(r);
  // Two chevrons: pointing up while open, down while closed.
  const int cx = (r.Left + r.Right) / 2;
  const int cy = (r.Top + r.Bottom) / 2;
  for (int chevron = 0; chevron < 2; ++chevron) {
    const int top = cy - 4 + chevron * 4;
    for (int i = 0; i < 3; ++i) {
      const int row = opened_ ? top + i : top + 2 - i;
      for (int dx : {-i, i}) {
        canvas.SetPixels(cx + dx, row, ink);
        canvas.SetPixels(cx + dx, row + 1, ink);
      }
    }
  }
}

// ---- task list ------------------------------------------------------------------------------

void TNvGroup::DrawTaskListGroup() {
  TCanvas& canvas = Canvas();
  const int w = ClientWidth();
  DrawCaptionImage(4, (captionHeight_ - (SmallImageList() ? SmallImageList()->Height() : 0)) / 2);
  const int textX =
      SmallImageList() && captionImageIndex_ >= 0 ? 4 + SmallImageList()->Width() + 4 : 4;
  canvas.SetFont(captionFont_);
  canvas.Brush().SetStyle(bsClear);
  TRect textRect = Rect(textX, 0, w - 4, captionHeight_);
  DrawText(canvas, Caption(), textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  canvas.Brush().SetStyle(bsSolid);
  if (dividerVisible_) {
    const TRect line = Rect(0, captionHeight_ - 1, w, captionHeight_);
    if (GradientsOn()) {
      PaintGradient(canvas, line, gdVerticalEnd, dividerColor_, Color(), 1);
    } else {
      canvas.Brush().SetColor(dividerColor_);
      canvas.FillRect(line);
    }
  }
  DrawItems();
}

// ---- items ------------------------------------------------------------------------------------

void TNvGroup::DrawItems() {
  if (items_.Count() == 0) return;
  LayoutItems();
  TColor textColor, hotColor;
  if (ColorStyleOf(bar_) == gcsCustom) {
    textColor = Font().Color();
    hotColor = itemHotColor_;
  } else {
    GetGradientGroupItemColors(ColorStyleOf(bar_), textColor, hotColor);
  }
  TCanvas& canvas = Canvas();
  canvas.Save();
  canvas.IntersectClipRect(Rect(0, captionHeight_, ClientWidth(), ClientHeight()));
  int y = captionHeight_ + 4;
  for (int i = 0; i < items_.Count(); ++i) {
    TNvGroupItem* item = items_[i];
    if (i < topItem_ || !item->Visible()) continue;
    const int h = ItemRowHeight(item, ClientWidth());
    if (item->IsSeparator())
      DrawSeparator(Rect(8, y + h / 2, ClientWidth() - 8, y + h / 2 + 1));
    else
      DrawItem(item, textColor, hotColor);
    y += h;
    if (y >= ClientHeight()) break;
  }
  canvas.Restore();
}

void TNvGroup::DrawSeparator(const TRect& r) {
  TCanvas& canvas = Canvas();
  if (GradientsOn()) {
    PaintGradient(canvas, r, gdVerticalEnd, dividerColor_, Color(), 1);
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(dividerColor_);
    canvas.FillRect(r);
  }
}

void TNvGroup::DrawItemSelection(TNvGroupItem* item) {
  TRect box;
  switch (itemSelectionStyle_) {
    case issImage:
      box = item->imageRect_;
      break;
    case issCaption:
      box = item->captionRect_;
      break;
    case issImageAndCaption:
      UnionRect(box, item->imageRect_, item->captionRect_);
      break;
  }
  if (box.IsEmpty()) return;
  InflateRect(box, 2, 2);
  TColor frame, start, stop;
  if (ColorStyleOf(bar_) == gcsCustom) {
    frame = selectionFrameColor_;
    start = selectionColor_;
    stop = selectionShadowColor_;
  } else {
    GetGradientSelectionColors(ColorStyleOf(bar_), frame, start, stop);
  }
  TCanvas& canvas = Canvas();
  const TRect inside = DrawBox(canvas, box, frame);
  if (GradientsOn()) {
    PaintGradient(canvas, inside, gdHorizontalEnd, start, stop, 1);
  } else {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(start);
    canvas.FillRect(inside);
  }
}

void TNvGroup::DrawItem(TNvGroupItem* item, TColor textColor, TColor hotColor) {
  TCanvas& canvas = Canvas();
  if (showItemSelection_ && item->Selected()) DrawItemSelection(item);
  TCustomImageList* images = itemStyle_ == isLarge ? LargeImageList() : SmallImageList();
  if (images && !item->imageRect_.IsEmpty()) {
    const bool useDisabled = !item->Enabled() && item->DisabledIndex() >= 0;
    const int index = useDisabled ? item->DisabledIndex() : item->ImageIndex();
    images->Draw(canvas, item->imageRect_.Left, item->imageRect_.Top, index,
                 item->Enabled() || useDisabled);
  }
  canvas.SetFont(item->HasClickHandler() ? Font() : itemStaticFont_);
  TFontStyles style = canvas.Font().Style() | item->FontStyle();
  TColor color = item->FontColor() != clNone ? item->FontColor()
                 : item->HasClickHandler()   ? textColor
                                             : itemStaticFont_.Color();
  if (!item->Enabled()) {
    color = clGrayText;
  } else if (item->State() != csNormal && !Designing()) {
    color = hotColor;
    style |= fsUnderline;
  }
  canvas.Font().SetStyle(style);
  canvas.Font().SetColor(color);
  canvas.Brush().SetStyle(bsClear);
  TRect r = item->captionRect_;
  DrawText(canvas, item->Caption(), r, kTextFlags | (itemStyle_ == isLarge ? DT_CENTER : DT_LEFT));
  canvas.Brush().SetStyle(bsSolid);
}
