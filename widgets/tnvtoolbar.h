// TNvToolbar: the strip of command buttons.
//
// The toolbar lines up its controls in the order of its ToolbarControls list,
// from Margin along the main axis, each centred in a row RowHeight high that
// starts TopMargin from the top; with WrapControls a control that would end
// beyond Width - Margin starts a new row. With AutoResize it then sizes itself
// to the rows (RowHeight x rows + 2 x TopMargin high when horizontal) and
// posts its parent a size message so that the parent aligns again.
//
// With AutoStyle the divider border follows the alignment: a groove on the
// side facing the rest of the window. The tool buttons on the toolbar follow
// its ShowButtonCaptions, ButtonLayout, ButtonWidth x ButtonHeight and visual
// style through the four notifications below, unless they were given values
// of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/imagelist.h"
#include "widgets/tnvcustompanel.h"
#include "widgets/tnvtoolbarcontrollist.h"

enum TNvToolbarTextOptions : uint8_t {
  ttoNoTextLabels,
  ttoShowTextLabels,
  ttoSelectiveTextOnRight,
  ttoCustom
};
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Notifications sent to every child of a toolbar.
constexpr Cardinal CM_TOOLBARSHOWCAPTIONCHANGED = 0xB3EA;
constexpr Cardinal CM_TOOLBARBUTTONLAYOUTCHANGED = 0xB3EB;
constexpr Cardinal CM_TOOLBARBUTTONSIZECHANGED = 0xB3EC;
constexpr Cardinal CM_TOOLBARVISUALSTYLECHANGED = 0xB3ED;

// WM_SIZE kinds.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

class TNvToolbar : public TNvCustomPanel {
 public:
  explicit TNvToolbar(TWinControl* parent = nullptr);
  ~TNvToolbar() override;

  // Align hides the control's own setter: the divider and the automatic size
  // follow it.
  void SetAlign(TAlign v);
  void SetParent(TWinControl* parent) override;

  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool v);
  bool ShowDivider() const { return showDivider_; }
  void SetShowDivider(bool v);
  bool AutoResize() const { return autoResize_; }
  void SetAutoResize(bool v);
  Integer Margin() const { return margin_; }
  void SetMargin(Integer v);
  Integer TopMargin() const { return topMargin_; }
  void SetTopMargin(Integer v);
  Integer RowHeight() const { return rowHeight_; }
  void SetRowHeight(Integer v);
  bool WrapControls() const { return wrapControls_; }
  void SetWrapControls(bool v);
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation v);

  // Images for the tool buttons that have none of their own (not owned).
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* v);
  bool ShowButtonCaptions() const { return showButtonCaptions_; }
  void SetShowButtonCaptions(bool v);
  TButtonLayout ButtonLayout() const { return buttonLayout_; }
  void SetButtonLayout(TButtonLayout v);
  Integer ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(Integer v);
  Integer ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(Integer v);
  TNvToolbarTextOptions TextOptions() const { return textOptions_; }
  void SetTextOptions(TNvToolbarTextOptions v);
  // Tiled over the background inside the frame.
  const TBitmap& Background() const { return background_; }
  void SetBackground(const TBitmap& v);

  // The order of the controls.
  TNvToolbarControlList& ToolbarControls() { return controls_; }
  const TNvToolbarControlList& ToolbarControls() const { return controls_; }
  // The stored form of ToolbarControls: read while loading (the names wait
  // until Loaded), written only when the list is not empty (empty result).
  void ReadToolbarControls(const std::vector<std::string>& names);
  std::vector<std::string> WriteToolbarControls() const { return controls_.WriteControls(); }

  // Lays out every listed control (nothing while loading).
  void PositionControls();
  // Places control `index` of the list in `row` (column when vertical) at
  // `position` along the main axis and advances `position` by its size.
  void PositionControl(int index, int row, int& position);
  Integer CalculateRowHeight(int row) const;
  // The divider rule for alignment `align`.
  void AdjustStyle(TAlign align);
  void UpdateButtonSize(Integer width, Integer height, bool showCaptions);
  // Whether the chevron would be needed (WrapControls off and the last
  // control reaching beyond Width - Margin).
  bool PopupButtonShown() const { return popupButtonShown_; }

  void WndProc(TMessage& message) override;

  TNotifyEvent OnVisibleChanged;

 protected:
  void Paint() override;
  void AlignControls(TRect& r) override;
  void Loaded() override;
  void VisibleChanged() override;
  void BordersChanged() override;
  void VisualStyleChanged() override;
  TPoint ResizeStripSize() const override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void NotifyChildren(Cardinal msg);
  void SyncControlList();
  void AutoSizeTo(int rows, int largest, int placed);
  void PositionHorizontal();
  void PositionVertical();
  void PostParentSize();
  void PaintBackground(const TRect& inside);
  void CheckParentClass();

  bool autoStyle_ = true;
  bool showDivider_ = true;
  bool autoResize_ = true;
  Integer margin_ = 4;
  Integer topMargin_ = 2;
  Integer rowHeight_ = 25;
  bool wrapControls_ = true;
  TOrientation orientation_ = orHorizontal;
  TCustomImageList* images_ = nullptr;
  bool showButtonCaptions_ = false;
  TButtonLayout buttonLayout_ = blGlyphLeft;
  Integer buttonWidth_ = 25;
  Integer buttonHeight_ = 25;
  TNvToolbarTextOptions textOptions_ = ttoNoTextLabels;
  TBitmap background_;
  TNvToolbarControlList controls_;
  bool namesStored_ = false;
  bool popupButtonShown_ = false;
  bool applyingTextOptions_ = false;
  bool adjustingStyle_ = false;
  bool positioning_ = false;
};
