// TNvToolButton: the flat, windowless command button of the toolbar.
//
// It shows an image from an image list (its own, else the toolbar's) and an
// optional caption beside, above or below it, a hot look under the mouse and a
// pressed look while held. A press that is released outside the button does
// not click; moving back onto the button before releasing does. Buttons with
// the same non-zero GroupIndex form a toggle group: pressing one keeps it Down
// and raises the others. A tsDropDown button has a 14-pixel arrow part that
// opens its DropDownMenu.
//
// On a TNvToolbar the button takes ShowCaption, Layout, its size and its
// visual style from the toolbar while the matching Use... switch is on;
// setting the button's own value clears the switch. With the toolbar's size
// the button is ButtonHeight high and at least ButtonWidth wide, widened to
// fit image and caption.
#pragma once

#include <QMenu>
#include <QPointer>
#include <chrono>
#include <cstdint>

#include "framework/controls.h"
#include "framework/imagelist.h"
#include "widgets/nvcommon_types.h"
#include "widgets/tnvtoolbar.h"

enum TNvToolButtonState : uint8_t { tbsUp, tbsDisabled, tbsDown, tbsExclusive, tbsDropDown };
enum TNvToolStyle : uint8_t { tsButton, tsDropDown };

// Width of the drop-down arrow part.
constexpr int ToolButtonArrowWidth = 14;

// True when `caption` marks `key` as its accelerator ("&W" for 'w' or 'W').
bool IsAccel(char key, const std::string& caption);

class TNvToolButton : public TGraphicControl {
 public:
  explicit TNvToolButton(TWinControl* parent = nullptr);
  ~TNvToolButton() override;

  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v);
  bool UseToolbarShowCaption() const { return useToolbarShowCaption_; }
  void SetUseToolbarShowCaption(bool v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  bool UseToolbarButtonLayout() const { return useToolbarButtonLayout_; }
  void SetUseToolbarButtonLayout(bool v);
  bool UseToolbarButtonSize() const { return useToolbarButtonSize_; }
  void SetUseToolbarButtonSize(bool v);
  TNvVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TNvVisualStyle v);
  TNvGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TNvGradientColorStyle v);
  bool UseToolbarVisualStyle() const { return useToolbarVisualStyle_; }
  void SetUseToolbarVisualStyle(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

  // Own images (not owned); none means the toolbar's.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int v);
  int DownIndex() const { return downIndex_; }
  void SetDownIndex(int v);
  int HotIndex() const { return hotIndex_; }
  void SetHotIndex(int v);

  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor v);
  TColor SelectionColorStart() const { return selectionColorStart_; }
  void SetSelectionColorStart(TColor v);
  TColor SelectionColorStop() const { return selectionColorStop_; }
  void SetSelectionColorStop(TColor v);

  Integer GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(Integer v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  TNvToolStyle ToolStyle() const { return toolStyle_; }
  void SetToolStyle(TNvToolStyle v);
  // The menu of the arrow part (not owned).
  QMenu* DropDownMenu() const { return dropDownMenu_.data(); }
  void SetDropDownMenu(QMenu* v);

  // Run-time state.
  TNvToolButtonState State() const { return state_; }
  bool MouseOver() const { return mouseOver_; }
  bool Dragging() const { return dragging_; }

  // Images, or the toolbar's Images when there are none and the parent is a
  // toolbar.
  TCustomImageList* ImageList() const;
  // (0, 0) without an image list or with ImageIndex -1.
  TSize GetImageSize() const;
  void GetImageAndCaptionRects(TRect& imageRect, TRect& captionRect);
  bool HotTrackingStyle() const { return visualStyle_ != vsClassic || flat_; }
  // Takes caption visibility, layout, size and visual style from the toolbar.
  void PickupToolbarStyles();

  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;
  // Clicks; a tsDropDown button only when its press was a normal click.
  void Click() override;

  TNotifyEvent OnDropDown;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void TextChanged() override;
  void VisibleChanged() override;
  void Loaded() override;

  void DrawBtnBorder(TRect& r);
  void DrawImage(const TRect& r);
  void DrawCaption(const TRect& r);

 private:
  TNvToolbar* Toolbar() const;
  bool Loading() const { return ComponentState() & csLoading; }
  bool PressedLook() const;
  // The client area less the drop-down arrow, inside a 2-pixel margin.
  TRect ContentRect() const;
  // The caption's extent in the part of `r` the image leaves free.
  TSize CaptionExtent(const TRect& r, TSize image);
  void ApplyToolbarShowCaption();
  void ApplyToolbarLayout();
  void ApplyToolbarSize();
  void ApplyToolbarVisualStyle();
  void ButtonPressed(TMessage& message);
  void DialogChar(TMessage& message);
  void UpdateTracking();
  void SyncStateWithEnabled();
  void EnforceImageSize();
  void SetSizeInternal(int width, int height);
  void RequestToolbarLayout();
  bool InArrowPart(int x) const;
  void DropDown();
  void FinishDropDown();
  void GetGradientColors(TColor& frame, TColor& start, TColor& stop) const;

  bool showCaption_ = false;
  bool useToolbarShowCaption_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  bool useToolbarButtonLayout_ = true;
  bool useToolbarButtonSize_ = true;
  TNvVisualStyle visualStyle_ = vsWinXP;
  TNvGradientColorStyle gradientColorStyle_ = gcsSystem;
  bool useToolbarVisualStyle_ = true;
  TAlignment alignment_ = taCenter;
  TCustomImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
  int downIndex_ = -1;
  int hotIndex_ = -1;
  bool flat_ = true;
  bool transparent_ = true;
  TColor selectionFrameColor_ = cl3DDkShadow;
  TColor selectionColorStart_ = clBtnFace;
  TColor selectionColorStop_ = clBtnShadow;
  Integer groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  TNvToolStyle toolStyle_ = tsButton;
  QPointer<QMenu> dropDownMenu_;

  TNvToolButtonState state_ = tbsUp;
  bool dragging_ = false;
  bool mouseOver_ = false;
  bool inDropDown_ = false;
  bool treatAsNormalClick_ = true;
  bool applyingSize_ = false;
  std::chrono::steady_clock::time_point menuClosedAt_{};
};
