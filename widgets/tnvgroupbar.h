// TNvGroupBar: the scrollable container that stacks TNvGroup groups.
//
// Three styles:
// - gbsOutlook: exactly one group is open and fills all the room that the
//   caption bars of the other visible groups leave; an invisible group takes
//   no room; the content never exceeds the window, so no scroll bar shows.
// - gbsCategoryView: task-pane groups stacked from the top, each open or
//   closed by its chevron; a vertical scroll bar appears when they do not fit.
// - gbsTaskList: flat, always-open groups stacked from the top.
//
// The group order is the bar's list order. UpdateLayout is the single entry
// point after anything that changes sizes, order, visibility or open state;
// it does nothing while the bar loads or inside BeginUpdateLayout /
// EndUpdateLayout. Groups the bar moves itself do not ask for another layout.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/controls.h"
#include "widgets/nvcommon_types.h"
#include "widgets/tnvgroup.h"

class QScrollBar;
class TCustomImageList;

// Posted to itself after loading: scroll back to the top.
constexpr Cardinal UM_RESETSCROLLPOSITION = 9252;

class TNvGroupBar : public TCustomControl {
 public:
  explicit TNvGroupBar(TWinControl* parent = nullptr);
  ~TNvGroupBar() override;

  TNvGroupBarStyle Style() const { return style_; }
  void SetStyle(TNvGroupBarStyle v);
  Integer GroupBorderSize() const { return groupBorderSize_; }
  void SetGroupBorderSize(Integer v);
  TNvVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TNvVisualStyle v);
  TNvGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TNvGradientColorStyle v);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor v);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor v);
  TNvGroupBarGradientPath GradientPath() const { return gradientPath_; }
  void SetGradientPath(TNvGroupBarGradientPath v);

  TFrameStyleEx BorderInner() const { return borderInner_; }
  void SetBorderInner(TFrameStyleEx v);
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyleEx v);
  TSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TSides v);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v);
  TColor BorderHighlight() const { return borderHighlight_; }
  void SetBorderHighlight(TColor v);
  TColor BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(TColor v);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor v);
  Integer FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(Integer v);
  Integer BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(Integer v);  // at least 1

  bool ExclusiveMode() const { return exclusiveMode_; }
  void SetExclusiveMode(bool v) { exclusiveMode_ = v; }
  bool UniqueItemSelection() const { return uniqueItemSelection_; }
  void SetUniqueItemSelection(bool v);
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* v);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* v);

  // The group list.
  void AddGroup(TNvGroup* group);
  void InsertGroup(int index, TNvGroup* group);
  void RemoveGroup(TNvGroup* group);
  TNvGroup* GetGroup(int index) const;
  int GetGroupCount() const { return static_cast<int>(groups_.size()); }
  int IndexOfGroup(const TNvGroup* group) const;

  // Category view only.
  void OpenAllGroups();
  void CloseAllGroups();

  void BeginUpdateLayout();
  void EndUpdateLayout();
  void UpdateLayout(TNvGroup* group = nullptr);
  void PositionGroups();
  Integer GetTotalHeight() const;
  void UpdateScrollBar();
  Integer ScrollPosition() const { return scrollPosition_; }
  void SetScrollPosition(Integer p);
  // Opens the group holding `control` and, in the stacked styles, scrolls it
  // into view.
  void ScrollInView(TControl* control);
  void ShowEntireGroup(TNvGroup* group);

  // Whether the vertical scroll bar shows, and its values.
  bool ScrollBarVisible() const;
  int ScrollMax() const { return scrollMax_; }
  int ScrollPage() const { return scrollPage_; }
  // True while the bar itself moves its groups.
  bool Positioning() const { return positioning_; }

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void PaintNonClient(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
  bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
  void ColorChanged() override;
  void Resize() override;
  void Loaded() override;

 private:
  friend class TNvGroup;

  bool Designing() const { return (ComponentState() & csDesigning) != 0; }
  bool Loading() const { return (ComponentState() & csLoading) != 0; }
  void PositionOutlook();
  void PositionStacked();
  void PullGroupsDown();
  void LayoutStacked(TNvGroup* group);
  void ScrollGroupsBy(int dy);
  void UpdateNonClient();
  void HandleScrollMessage(int code, int trackPos);
  // The wheel turned over one of the groups.
  bool WheelBy(TShiftState shift, int wheelDelta, TPoint mousePos) {
    return DoMouseWheel(shift, wheelDelta, mousePos);
  }
  void FocusChanged(QWidget* now);
  void RepaintGroups();
  void DrawLargeCaptionImages();
  TColor BackgroundColorAt(int y) const;

  std::vector<TNvGroup*> groups_;
  TNvGroupBarStyle style_ = gbsCategoryView;
  Integer groupBorderSize_ = 8;
  TNvVisualStyle visualStyle_ = vsGradient;
  TNvGradientColorStyle gradientColorStyle_ = gcsSystem;
  TColor gradientColorStart_ = clBtnFace;
  TColor gradientColorStop_ = clBtnShadow;
  TNvGroupBarGradientPath gradientPath_ = gpTopToBottom;
  TFrameStyleEx borderInner_ = fsNone;
  TFrameStyleEx borderOuter_ = fsNone;
  TSides borderSides_ = AllSides;
  TColor borderColor_ = clBtnFace;
  TColor borderHighlight_ = clBtnHighlight;
  TColor borderShadow_ = clBtnShadow;
  TColor flatColor_ = clBtnShadow;
  Integer flatColorAdjustment_ = 30;
  Integer bevelWidth_ = 1;
  bool exclusiveMode_ = false;
  bool uniqueItemSelection_ = false;
  TCustomImageList* smallImages_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;

  int updateLayoutCount_ = 0;
  bool positioning_ = false;
  Integer scrollPosition_ = 0;
  int scrollMin_ = 0;
  int scrollMax_ = 0;
  int scrollPage_ = 0;
  int scrollPos_ = 0;
  bool scrollInfoSet_ = false;
  QScrollBar* scrollBar_ = nullptr;
  bool updatingScrollBar_ = false;
  int themeHandler_ = 0;
  bool destroying_ = false;
};
