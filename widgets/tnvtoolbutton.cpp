// TNvToolButton: properties, toolbar styles, toggle groups and the mouse.
#include "widgets/tnvtoolbutton.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <cctype>

#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

// A press this soon after the drop-down menu closed only ends the press (the
// press that closed the menu must not open it again).
constexpr auto kMenuReopenGuard = std::chrono::milliseconds(100);

}  // namespace

bool IsAccel(char key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) ==
           std::toupper(static_cast<unsigned char>(key));
  }
  return false;
}

TNvToolButton::TNvToolButton(TWinControl* parent) : TGraphicControl(parent) {
  // The button decides itself when a release counts as a click.
  SetControlStyle(ControlStyle() & ~csClickEvents);
  SetSizeInternal(25, 25);
  if (Parent() && !Loading()) PickupToolbarStyles();
}

TNvToolButton::~TNvToolButton() = default;

TNvToolbar* TNvToolButton::Toolbar() const {
  return dynamic_cast<TNvToolbar*>(Parent());
}

// ---- toolbar styles ---------------------------------------------------------------

void TNvToolButton::PickupToolbarStyles() {
  if (!Parent()) return;
  Perform(CM_TOOLBARSHOWCAPTIONCHANGED, 0, 0);
  Perform(CM_TOOLBARBUTTONLAYOUTCHANGED, 0, 0);
  Perform(CM_TOOLBARBUTTONSIZECHANGED, 0, 0);
  Perform(CM_TOOLBARVISUALSTYLECHANGED, 0, 0);
}

void TNvToolButton::ApplyToolbarShowCaption() {
  TNvToolbar* tb = Toolbar();
  if (!useToolbarShowCaption_ || !tb) return;
  if (!Store(showCaption_, tb->ShowButtonCaptions())) return;
  Invalidate();
  // The fitted width depends on whether the caption is shown.
  ApplyToolbarSize();
}

void TNvToolButton::ApplyToolbarLayout() {
  TNvToolbar* tb = Toolbar();
  if (!useToolbarButtonLayout_ || !tb) return;
  if (!Store(layout_, tb->ButtonLayout())) return;
  Invalidate();
  ApplyToolbarSize();
}

void TNvToolButton::ApplyToolbarSize() {
  TNvToolbar* tb = Toolbar();
  if (!useToolbarButtonSize_ || !tb) return;
  int w = tb->ButtonWidth();
  if (showCaption_) {
    Canvas().SetFont(Font());
    const int tw = Canvas().TextWidth(Caption());
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
      w = std::max(w, GetImageSize().cx + tw + 12);
    else
      w = std::max(w, tw + 8);
  }
  if (toolStyle_ == tsDropDown) w += ToolButtonArrowWidth;
  SetSizeInternal(w, tb->ButtonHeight());
}

void TNvToolButton::ApplyToolbarVisualStyle() {
  TNvToolbar* tb = Toolbar();
  if (!useToolbarVisualStyle_ || !tb) return;
  const bool changed =
      Store(visualStyle_, tb->VisualStyle()) | Store(gradientColorStyle_, tb->GradientColorStyle());
  if (changed) Invalidate();
}

void TNvToolButton::SetSizeInternal(int width, int height) {
  TScopedValue applying(applyingSize_, true);
  SetBounds(Left(), Top(), width, height);
}

void TNvToolButton::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  if (resized && !applyingSize_ && !Loading()) useToolbarButtonSize_ = false;
  TGraphicControl::SetBounds(left, top, width, height);
  if (resized) RequestToolbarLayout();
}

void TNvToolButton::RequestToolbarLayout() {
  if (TNvToolbar* tb = Toolbar(); tb && !Loading()) tb->Realign();
}

void TNvToolButton::SetParent(TWinControl* parent) {
  TGraphicControl::SetParent(parent);
  if (!Loading()) PickupToolbarStyles();
}

void TNvToolButton::Loaded() {
  TGraphicControl::Loaded();
  PickupToolbarStyles();
}

void TNvToolButton::TextChanged() {
  TGraphicControl::TextChanged();
  if (!Loading()) PickupToolbarStyles();
}

void TNvToolButton::VisibleChanged() {
  TGraphicControl::VisibleChanged();
  RequestToolbarLayout();
}

// ---- properties -------------------------------------------------------------------

void TNvToolButton::SetShowCaption(bool v) {
  if (!Loading()) useToolbarShowCaption_ = false;
  if (!Store(showCaption_, v)) return;
  Invalidate();
  ApplyToolbarSize();
}

void TNvToolButton::SetUseToolbarShowCaption(bool v) {
  if (!Store(useToolbarShowCaption_, v)) return;
  if (v && !Loading()) Perform(CM_TOOLBARSHOWCAPTIONCHANGED, 0, 0);
}

void TNvToolButton::SetLayout(TButtonLayout v) {
  if (!Loading()) useToolbarButtonLayout_ = false;
  if (!Store(layout_, v)) return;
  Invalidate();
  ApplyToolbarSize();
}

void TNvToolButton::SetUseToolbarButtonLayout(bool v) {
  if (!Store(useToolbarButtonLayout_, v)) return;
  if (v && !Loading()) Perform(CM_TOOLBARBUTTONLAYOUTCHANGED, 0, 0);
}

void TNvToolButton::SetUseToolbarButtonSize(bool v) {
  if (!Store(useToolbarButtonSize_, v)) return;
  if (v && !Loading()) Perform(CM_TOOLBARBUTTONSIZECHANGED, 0, 0);
}

void TNvToolButton::SetVisualStyle(TNvVisualStyle v) {
  if (!Loading()) useToolbarVisualStyle_ = false;
  if (Store(visualStyle_, v)) Invalidate();
}

void TNvToolButton::SetGradientColorStyle(TNvGradientColorStyle v) {
  if (Store(gradientColorStyle_, v)) Invalidate();
}

void TNvToolButton::SetUseToolbarVisualStyle(bool v) {
  if (!Store(useToolbarVisualStyle_, v)) return;
  if (v && !Loading()) Perform(CM_TOOLBARVISUALSTYLECHANGED, 0, 0);
}

void TNvToolButton::SetAlignment(TAlignment v) {
  if (Store(alignment_, v)) Invalidate();
}

void TNvToolButton::SetImages(TCustomImageList* v) {
  if (!Store(images_, v)) return;
  EnforceImageSize();
  ApplyToolbarSize();
  Invalidate();
}

void TNvToolButton::EnforceImageSize() {
  if (!images_) return;
  const int w = std::max(Width(), images_->Width()), h = std::max(Height(), images_->Height());
  if (w != Width() || h != Height()) SetSizeInternal(w, h);
}

void TNvToolButton::SetImageIndex(int v) {
  if (!Store(imageIndex_, v)) return;
  ApplyToolbarSize();
  Invalidate();
}

void TNvToolButton::SetDisabledIndex(int v) {
  if (Store(disabledIndex_, v)) Invalidate();
}

void TNvToolButton::SetDownIndex(int v) {
  if (Store(downIndex_, v)) Invalidate();
}

void TNvToolButton::SetHotIndex(int v) {
  if (Store(hotIndex_, v)) Invalidate();
}

void TNvToolButton::SetFlat(bool v) {
  if (Store(flat_, v)) Invalidate();
}

void TNvToolButton::SetTransparent(bool v) {
  if (Store(transparent_, v)) Invalidate();
}

void TNvToolButton::SetSelectionFrameColor(TColor v) {
  if (Store(selectionFrameColor_, v)) Invalidate();
}

void TNvToolButton::SetSelectionColorStart(TColor v) {
  if (Store(selectionColorStart_, v)) Invalidate();
}

void TNvToolButton::SetSelectionColorStop(TColor v) {
  if (Store(selectionColorStop_, v)) Invalidate();
}

void TNvToolButton::SetToolStyle(TNvToolStyle v) {
  if (!Store(toolStyle_, v)) return;
  SetGroupIndex(0);
  ApplyToolbarSize();
  Invalidate();
}

void TNvToolButton::SetDropDownMenu(QMenu* v) {
  dropDownMenu_ = v;
}

TCustomImageList* TNvToolButton::ImageList() const {
  if (images_) return images_;
  TNvToolbar* tb = Toolbar();
  return tb ? tb->Images() : nullptr;
}

TSize TNvToolButton::GetImageSize() const {
  TCustomImageList* list = ImageList();
  if (!list || imageIndex_ == -1) return {0, 0};
  return {list->Width(), list->Height()};
}

// ---- toggle groups ------------------------------------------------------------------

void TNvToolButton::SetGroupIndex(Integer v) {
  if (!Store(groupIndex_, v)) return;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    state_ = tbsUp;
    Invalidate();
  }
}

void TNvToolButton::SetAllowAllUp(bool v) {
  allowAllUp_ = v;
}

void TNvToolButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  // A Down button of a group that must keep one button down stays down.
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (v) {
    if (state_ == tbsUp) Invalidate();
    state_ = tbsExclusive;
    if (TWinControl* p = Parent()) {
      TMessage m;
      m.Msg = CM_BUTTONPRESSED;
      m.WParam = static_cast<WPARAM>(groupIndex_);
      m.LParam = reinterpret_cast<LPARAM>(this);
      p->Broadcast(m);
    }
  } else {
    state_ = tbsUp;
    Invalidate();
  }
}

void TNvToolButton::ButtonPressed(TMessage& message) {
  auto* sender = reinterpret_cast<TNvToolButton*>(message.LParam);
  if (static_cast<Integer>(message.WParam) != groupIndex_ || sender == this || !sender) return;
  if (down_) {
    down_ = false;
    state_ = tbsUp;
    Invalidate();
  }
  allowAllUp_ = sender->allowAllUp_;
}

// ---- messages -------------------------------------------------------------------------

void TNvToolButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TOOLBARSHOWCAPTIONCHANGED:
      ApplyToolbarShowCaption();
      return;
    case CM_TOOLBARBUTTONLAYOUTCHANGED:
      ApplyToolbarLayout();
      return;
    case CM_TOOLBARBUTTONSIZECHANGED:
      ApplyToolbarSize();
      return;
    case CM_TOOLBARVISUALSTYLECHANGED:
      ApplyToolbarVisualStyle();
      return;
    case CM_BUTTONPRESSED:
      ButtonPressed(message);
      return;
    case CM_DIALOGCHAR:
      DialogChar(message);
      return;
    default:
      break;
  }
  TGraphicControl::WndProc(message);
}

void TNvToolButton::DialogChar(TMessage& message) {
  const char key = static_cast<char>(message.WParam);
  if (!IsAccel(key, Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing())
    return;
  if (toolStyle_ == tsButton || OnClick)
    Click();
  else
    DropDown();
  message.Result = 1;
}

void TNvToolButton::Click() {
  if (toolStyle_ == tsDropDown && !treatAsNormalClick_) return;
  TGraphicControl::Click();
}

// ---- mouse --------------------------------------------------------------------------

bool TNvToolButton::InArrowPart(int x) const {
  return UseRightToLeftAlignment() ? x < ToolButtonArrowWidth : x >= Width() - ToolButtonArrowWidth;
}

void TNvToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  treatAsNormalClick_ = true;
  if (toolStyle_ == tsDropDown && dropDownMenu_) {
    if (std::chrono::steady_clock::now() - menuClosedAt_ < kMenuReopenGuard) return;
    const bool onlyLeft = (shift & (ssRight | ssMiddle)) == 0;
    if (onlyLeft && (InArrowPart(x) || !OnClick)) {
      treatAsNormalClick_ = false;
      DropDown();
      return;
    }
  }
  if (!down_ || state_ == tbsExclusive) {
    state_ = tbsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TNvToolButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (dragging_) {
    const bool inside = PtInRect(ClientRect(), Point(x, y));
    const TNvToolButtonState s = down_ ? tbsExclusive : (inside ? tbsDown : tbsUp);
    if (Store(state_, s)) Invalidate();
  } else if (!mouseOver_) {
    UpdateTracking();
  }
}

void TNvToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (dragging_ && button == mbLeft) {
    dragging_ = false;
    const bool inside = PtInRect(ClientRect(), Point(x, y));
    bool click = inside;
    if (groupIndex_ == 0) {
      state_ = tbsUp;
      mouseOver_ = false;
    } else if (inside) {
      const bool was = down_;
      SetDown(!down_);
      if (down_) state_ = tbsExclusive;
      click = down_ != was;
    } else if (down_) {
      state_ = tbsExclusive;
    }
    // Repainted in every case: a release outside with no move before it
    // would otherwise keep the pressed look.
    Invalidate();
    if (click) Click();
    UpdateTracking();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TNvToolButton::UpdateTracking() {
  if (!HotTrackingStyle() || !Enabled()) return;
  if (FindControlAtPos(GetCursorPos()) == this)
    Perform(CM_MOUSEENTER, 0, 0);
  else
    Perform(CM_MOUSELEAVE, 0, 0);
}

void TNvToolButton::MouseEnter() {
  mouseOver_ = true;
  TGraphicControl::MouseEnter();
  if (HotTrackingStyle()) Invalidate();
}

void TNvToolButton::MouseLeave() {
  if (!inDropDown_) mouseOver_ = false;
  TGraphicControl::MouseLeave();
  if (HotTrackingStyle()) Invalidate();
}

// ---- drop-down part -------------------------------------------------------------------

void TNvToolButton::DropDown() {
  if (!dropDownMenu_) return;
  state_ = tbsDropDown;
  inDropDown_ = true;
  Repaint();
  if (OnDropDown) OnDropDown(this);
  if (dropDownMenu_) {
    const bool rtl = UseRightToLeftAlignment();
    TPoint at = ClientToScreen(Point(rtl ? Width() : 0, Height()));
    const QSize size = dropDownMenu_->sizeHint();
    if (QScreen* screen = QGuiApplication::screenAt(ToQPoint(at))) {
      const QRect work = screen->availableGeometry();
      if (at.X + size.width() > work.x() + work.width()) at.X -= size.width() - Width();
    }
    dropDownMenu_->exec(ToQPoint(at));
  }
  FinishDropDown();
}

void TNvToolButton::FinishDropDown() {
  inDropDown_ = false;
  menuClosedAt_ = std::chrono::steady_clock::now();
  dragging_ = false;
  state_ = down_ ? tbsExclusive : tbsUp;
  SetMouseCapture(false);
  Invalidate();
  UpdateTracking();
  if (groupIndex_ > 0 && !down_) {
    treatAsNormalClick_ = true;
    Click();
  }
}
