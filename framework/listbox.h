// TCustomListBox: a list box that draws its items itself, one fixed-height
// row per item (Style lbOwnerDrawFixed; lbStandard draws the text).
//
// Selection: a left or right press on an item makes it current and, when that
// changes ItemIndex, fires Click (OnClick) before MouseDown runs. Keys that
// KeyDown leaves non-zero move the current item (Up, Down, Page Up/Down, Home,
// End; Left/Right by a column in a multi-column list) and fire Click. Setting
// ItemIndex from code does not fire Click.
// Columns > 0 gives a multi-column list: items run down the client height and
// continue in the next column; columns are ClientWidth / Columns wide (at least
// 1) and a horizontal scroll bar pages through them. Otherwise a vertical
// scroll bar appears when the items do not fit.
// Paint draws every visible item with DrawItem and fills the rest with Color.
// DrawItem's default calls OnDrawItem when assigned, otherwise fills the row
// with the brush and draws the text 2 pixels in. While the list has the focus,
// the focused item (FocusedItem) is drawn with odFocused (the default draws a
// dotted focus rectangle): the current item, or with none the item that last
// was current, item 0 at first.
#pragma once

#include <functional>
#include <memory>

#include "framework/controls.h"
#include "framework/strings.h"

class QScrollBar;

enum TListBoxStyle {
  lbStandard,
  lbOwnerDrawFixed,
  lbOwnerDrawVariable,
  lbVirtual,
  lbVirtualOwnerDraw
};

enum TOwnerDrawStateFlag : uint32_t {
  odSelected = 0x0001,
  odGrayed = 0x0002,
  odDisabled = 0x0004,
  odChecked = 0x0008,
  odFocused = 0x0010,
  odDefault = 0x0020,
  odHotLight = 0x0040,
  odInactive = 0x0080,
  odNoAccel = 0x0100,
  odNoFocusRect = 0x0200,
  odReserved1 = 0x0400,
  odReserved2 = 0x0800,
  odComboBoxEdit = 0x1000,
};
using TOwnerDrawState = uint32_t;

using TDrawItemEvent =
    std::function<void(TObject* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox : public TCustomControl {
 public:
  explicit TCustomListBox(TWinControl* parent = nullptr);
  ~TCustomListBox() override;

  TStringList& Items() { return *items_; }
  const TStringList& Items() const { return *items_; }
  void SetItems(const TStrings& v) { items_->Assign(v); }
  int Count() const { return items_->Count(); }
  void Clear() { items_->Clear(); }

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);  // -1 = none; out-of-range values mean none
  // The item that shows the focus rectangle while the list is focused;
  // ItemIndex going to -1 leaves it where it was. -1 for an empty list.
  int FocusedItem() const;
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle v);
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int v);
  int Columns() const { return columns_; }
  void SetColumns(int v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);

  // The item under a client point; -1 (or Count when !existing and the point
  // is below the last item) when there is none.
  int ItemAtPos(const TPoint& pos, bool existing) const;
  // The row of an item in client coordinates (it may lie outside the view).
  TRect ItemRect(int index) const;
  // First item from `start + 1` on (wrapping) whose text begins with
  // `prefix`, ignoring case; -1 when none.
  int FindItemPrefix(const std::string& prefix, int start = -1) const;
  // Number of rows that fit in the client height (at least 1).
  int RowsPerColumn() const;
  int ColumnWidth() const;

  TDrawItemEvent OnDrawItem;

 protected:
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  // Called after each change of Items (insert, delete, move ...).
  virtual void ItemsChanged(const TStringsChange& change);
  // Replaces the item list (for lists that keep data beside the strings).
  void SetItemsObject(std::unique_ptr<TStringList> items);

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DefaultKeyDown(Word key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void DoEnter() override;
  void DoExit() override;
  void PaintNonClient(TCanvas& canvas) override;
  void Resize() override;
  void mousePressEvent(QMouseEvent* e) override;
  void FontChanged() override;

 private:
  void HookItems();
  void UpdateScrollBar();
  void MakeVisible(int index);
  void SelectByUser(int index);
  void LayoutBorder();

  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;
  int caretIndex_ = 0;
  int itemHeight_ = 16;
  TListBoxStyle style_ = lbStandard;
  int topIndex_ = 0;
  int columns_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  QScrollBar* scrollBar_ = nullptr;
  bool updatingScroll_ = false;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};
