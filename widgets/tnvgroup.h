// TNvGroup: one captioned group of a TNvGroupBar.
//
// A group has a caption bar that the user clicks to open or close it, and a
// body that holds ordinary child controls and, optionally, a list of
// clickable items. Child controls aligned inside a group are laid out below
// the caption; controls placed by position keep their place and are clipped
// to the group, so a closed group (as tall as its caption) shows none of
// them. A group lives only in a group bar: any other parent is refused with
// ENvGroupBarError.
//
// The bar owns the layout: a group asks it (UpdateLayout) after anything that
// changes its size, order, visibility or open state.
#pragma once

#include <QCursor>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/controls.h"
#include "framework/exceptions.h"
#include "widgets/nvcommon_types.h"
#include "widgets/tnvgroupitems.h"

class QMenu;
class TCustomImageList;
class TNvGroupBar;
class TNvRapidFireButton;
struct TNvCategoryGroupColors;

enum TNvGroupBarStyle : uint8_t { gbsCategoryView, gbsTaskList, gbsOutlook };
enum TNvCaptionStyle : uint8_t { csSmall, csLarge };
enum TNvItemStyle : uint8_t { isSmall, isLarge };
enum TNvItemSelectionStyle : uint8_t { issImage, issCaption, issImageAndCaption };

// The group bar's own error (a group placed on anything but a group bar).
class ENvGroupBarError : public Exception {
 public:
  using Exception::Exception;
};

using TNvCanChangeEvent = std::function<void(TObject* Sender, bool& Allowed)>;
using TNvGroupItemEvent = std::function<void(TObject* Sender, TNvGroupItem* Item)>;

class TNvGroup : public TCustomControl {
 public:
  // Creates the group and adds it to `bar` (when given). A bar that is being
  // loaded takes the group only when the group's own loading ends.
  explicit TNvGroup(TNvGroupBar* bar = nullptr);
  ~TNvGroup() override;

  // Only a TNvGroupBar (or none) is accepted.
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;

  TNvGroupBar* GroupBar() const { return bar_; }
  TNvGroupBarStyle Style() const { return style_; }

  bool Opened() const { return opened_; }
  void SetOpened(bool v);
  void Open() { SetOpened(true); }
  void Close() { SetOpened(false); }
  void ToggleState() { SetOpened(!opened_); }

  Integer OpenedHeight() const { return openedHeight_; }
  void SetOpenedHeight(Integer v);
  Integer CaptionHeight() const { return captionHeight_; }
  void SetCaptionHeight(Integer v);  // below 16 stores 16
  TFont& CaptionFont() { return captionFont_; }
  void SetCaptionFont(const TFont& v) { captionFont_.Assign(v); }
  TColor CaptionColor() const { return captionColor_; }
  void SetCaptionColor(TColor v);  // clears CaptionColorDefault
  bool CaptionColorDefault() const { return captionColorDefault_; }
  void SetCaptionColorDefault(bool v);
  TColor CaptionColorStart() const { return captionColorStart_; }
  void SetCaptionColorStart(TColor v);
  TColor CaptionColorStop() const { return captionColorStop_; }
  void SetCaptionColorStop(TColor v);
  TColor CaptionHotColor() const { return captionHotColor_; }
  void SetCaptionHotColor(TColor v);
  int CaptionImageIndex() const { return captionImageIndex_; }
  void SetCaptionImageIndex(int v);
  TNvCaptionStyle CaptionStyle() const { return captionStyle_; }
  void SetCaptionStyle(TNvCaptionStyle v);
  // Color (the body colour) is the control's own; setting it clears
  // ColorDefault.
  bool ColorDefault() const { return colorDefault_; }
  void SetColorDefault(bool v);
  bool CanClose() const { return canClose_; }
  void SetCanClose(bool v);
  bool Special() const { return special_; }
  void SetSpecial(bool v);
  bool DividerVisible() const { return dividerVisible_; }
  void SetDividerVisible(bool v);
  TColor DividerColor() const { return dividerColor_; }
  void SetDividerColor(TColor v);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v);

  TNvGroupItems& Items() { return items_; }
  const TNvGroupItems& Items() const { return items_; }
  Integer ItemHeight() const { return itemHeight_; }
  void SetItemHeight(Integer v);
  Byte ItemIndent() const { return itemIndent_; }
  void SetItemIndent(Byte v);
  TNvItemStyle ItemStyle() const { return itemStyle_; }
  void SetItemStyle(TNvItemStyle v);
  TColor ItemHotColor() const { return itemHotColor_; }
  void SetItemHotColor(TColor v);
  TFont& ItemStaticFont() { return itemStaticFont_; }
  void SetItemStaticFont(const TFont& v) { itemStaticFont_.Assign(v); }
  bool ShowItemSelection() const { return showItemSelection_; }
  void SetShowItemSelection(bool v);
  TNvItemSelectionStyle ItemSelectionStyle() const { return itemSelectionStyle_; }
  void SetItemSelectionStyle(TNvItemSelectionStyle v);
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor v);
  TColor SelectionShadowColor() const { return selectionShadowColor_; }
  void SetSelectionShadowColor(TColor v);
  TColor SelectionFrameColor() const { return selectionFrameColor_; }
  void SetSelectionFrameColor(TColor v);
  bool IgnoreSelectedItemClick() const { return ignoreSelectedItemClick_; }
  void SetIgnoreSelectedItemClick(bool v) { ignoreSelectedItemClick_ = v; }
  // The group's own image lists; without them the bar's are used.
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* v);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* v);
  QMenu* ItemPopupMenu() const { return itemPopupMenu_; }
  void SetItemPopupMenu(QMenu* v) { itemPopupMenu_ = v; }

  // Position in the bar's list (-1 without a bar). Setting moves the group;
  // an index above the last raises EListError.
  int GroupIndex() const;
  void SetGroupIndex(int v);

  Integer ClosedHeight() const { return captionHeight_; }
  TRect CaptionRect() const { return Rect(0, 0, ClientWidth(), captionHeight_); }
  Integer CaptionYOffset() const;
  Integer HeaderHeight() const { return CaptionYOffset() + captionHeight_; }
  // The height that shows every item at `width` (caption included).
  Integer CalculateHeight(int width);
  // How many items fit in the client height (Outlook style).
  int ItemsVisible();
  int TopItem() const { return topItem_; }
  void SetTopItem(int index);
  int SelectedIndex() const { return selectedIndex_; }
  TNvCaptionState CaptionState() const { return captionState_; }
  TNvRapidFireButton* ScrollUpButton() const { return upButton_; }
  TNvRapidFireButton* ScrollDownButton() const { return downButton_; }
  // The image lists in use (the group's own or the bar's).
  TCustomImageList* SmallImageList() const;
  TCustomImageList* LargeImageList() const;

  static TColor DefaultColor(TNvGroupBarStyle style, const TNvGroupBar* bar);
  static TColor DefaultCaptionColor(TNvGroupBarStyle style);

  // Applies the bar's style (run by the bar).
  void SetStyle(TNvGroupBarStyle v);

  TNvCanChangeEvent OnCanOpen;
  TNvCanChangeEvent OnCanClose;
  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;
  TNvGroupItemEvent OnMouseOverItem;
  TNvGroupItemEvent OnItemPopupMenu;

  // True when the caption currently shows the hand cursor.
  bool HandCursorShown() const { return handCursor_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The wheel over a group scrolls its bar.
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void FontChanged() override;
  void TextChanged() override;
  void ColorChanged() override;
  void Resize() override;
  void Loaded() override;
  void VisibleChanged() override;
  void AdjustClientRect(TRect& r) const override;

 private:
  friend class TNvGroupBar;
  friend class TNvGroupItem;
  friend class TNvGroupItems;

  // Bar membership.
  void SetGroupBar(TNvGroupBar* bar);
  void AttachToBar(TNvGroupBar* bar);
  void DetachFromBar(bool keepParent);
  void RequestLayout();
  bool Designing() const;
  bool Loading() const;

  // Opening and closing.
  bool AskPermission(bool opening);
  void OpenInOutlook();
  void CloseExclusive();

  // Fonts.
  void AssignCaptionFontStyle(TFontStyles style, TColor color);
  void SetOwnFontColor(TColor color);
  bool HasOnlyScrollButtons() const;

  // Items.
  void ItemsChanged();
  void ItemSelected(TNvGroupItem* item);
  void ClearSelection(TNvGroupItem* except);
  void LayoutItems();
  int ItemRowHeight(TNvGroupItem* item, int width);
  bool ItemHasImages() const;
  int ItemTextLeft(const TNvGroupItem* item) const;
  TNvGroupItem* ItemAt(int x, int y) const;
  void ClickItem(TNvGroupItem* item);
  void ScrollItemInView(TNvGroupItem* item);
  bool UpdateItemStates(int x, int y, bool inCaption);
  void UpdateScrollButtons();
  void PositionScrollButtons();
  void ScrollUpClick();
  void ScrollDownClick();
  void UpdateCursor(int x, int y);

  // Painting (tnvgroup_paint.cpp).
  void DrawOutlookGroup();
  void DrawCategoryGroup();
  TNvCategoryGroupColors CategoryColors() const;
  void DrawCategoryCaptionFill(const TNvCategoryGroupColors& c);
  void DrawCategoryCaptionText(const TNvCategoryGroupColors& c);
  void DrawCategoryBody(const TNvCategoryGroupColors& c);
  void DrawTaskListGroup();
  void DrawOpenCloseButton(const TRect& r, TColor face, TColor shadow, TColor ink);
  TCustomImageList* CaptionImages() const;
  void DrawCaptionImage(int x, int y);
  void DrawItems();
  void DrawItem(TNvGroupItem* item, TColor textColor, TColor hotColor);
  void DrawItemSelection(TNvGroupItem* item);
  void DrawSeparator(const TRect& r);
  bool GradientsOn() const;

  TNvGroupBar* bar_ = nullptr;
  TNvGroupBar* pendingBar_ = nullptr;
  TNvGroupBarStyle style_ = gbsCategoryView;
  bool styleApplied_ = false;
  bool opened_ = true;
  Integer openedHeight_ = 50;
  Integer captionHeight_ = 20;
  TFont captionFont_;
  TColor captionColor_;
  bool captionColorDefault_ = true;
  TColor captionColorStart_ = clWindow;
  TColor captionColorStop_ = clBtnFace;
  TColor captionHotColor_ = clHotLight;
  int captionImageIndex_ = -1;
  TNvCaptionStyle captionStyle_ = csSmall;
  bool colorDefault_ = true;
  bool canClose_ = true;
  bool special_ = false;
  bool dividerVisible_ = false;
  TColor dividerColor_ = clHighlight;
  TColor borderColor_ = clBtnHighlight;
  TNvGroupItems items_;
  Integer itemHeight_ = 20;
  Byte itemIndent_ = 20;
  TNvItemStyle itemStyle_ = isSmall;
  TColor itemHotColor_ = clHotLight;
  TFont itemStaticFont_;
  bool showItemSelection_ = false;
  TNvItemSelectionStyle itemSelectionStyle_ = issImageAndCaption;
  TColor selectionColor_ = clBtnFace;
  TColor selectionShadowColor_ = clBtnShadow;
  TColor selectionFrameColor_ = cl3DDkShadow;
  bool ignoreSelectedItemClick_ = true;
  TCustomImageList* smallImages_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
  QMenu* itemPopupMenu_ = nullptr;

  TNvCaptionState captionState_ = csNormal;
  bool captionPressed_ = false;
  bool fontChanged_ = false;
  bool captionFontChanged_ = false;
  bool itemStaticFontChanged_ = false;
  bool assigningFont_ = false;
  bool assigningColor_ = false;
  int topItem_ = 0;
  int selectedIndex_ = -1;
  TNvGroupItem* hoverItem_ = nullptr;
  TNvGroupItem* pressedItem_ = nullptr;
  bool handCursor_ = false;
  bool destroying_ = false;
  TNvRapidFireButton* upButton_ = nullptr;
  TNvRapidFireButton* downButton_ = nullptr;
};
