// Nvchklst: TNvCheckList, a list box whose every line carries a check box.
//
// Each item has a text, a check state and an enabled flag; the states live
// beside the strings (TNvCheckListStrings keeps them aligned through inserts,
// deletes, moves and exchanges). A left press on an item's glyph cell (or
// anywhere on it with ToggleOnItemClick) arms a toggle that the release
// performs; Space does the same from the keyboard. Disabled items and group
// lines never toggle. The selection change of the press fires OnClick before
// the toggle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "widgets/nvlstbox.h"

class TNvCheckList;

// The per-item record beside each string.
struct TPacket {
  Byte State = cbUnchecked;  // a TCheckBoxState
  bool Enabled = true;
};

// The check list's items: the strings with their records, which travel with
// them through inserts, deletes, moves, exchanges and sorting (a replaced
// string keeps its record). Objects() still holds the caller's objects.
// The stored form of the records is "ItemEnabled" (Booleans in item order)
// and "ItemState" (0, 1, 2 in item order), both written only when there is at
// least one item; reading assigns them by position to the items already read.
class TNvCheckListStrings : public TStringList {
 public:
  explicit TNvCheckListStrings(TNvCheckList* owner) : owner_(owner) {}
  ~TNvCheckListStrings() override;
  TNvCheckListStrings(const TNvCheckListStrings&) = delete;
  TNvCheckListStrings& operator=(const TNvCheckListStrings&) = delete;

  TNvCheckList* Owner() const { return owner_; }
  // The record of item `index` (EStringListError outside the list).
  TPacket& Packet(int index);
  const TPacket& Packet(int index) const;

  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void Delete(int index) override;
  void Clear() override;

  bool ItemEnabled(int index) const;
  void SetItemEnabled(int index, bool v);
  TCheckBoxState ItemState(int index) const;
  void SetItemState(int index, TCheckBoxState v);

  // Whether the two item properties are written at all.
  bool StoresItemProperties() const { return Count() > 0; }
  std::vector<bool> StoredItemEnabled() const;
  std::vector<int> StoredItemState() const;
  void ReadItemEnabled(const std::vector<bool>& values);
  // States outside 0..2 read as unchecked.
  void ReadItemState(const std::vector<int>& values);

  // The properties as stored text: "(True True False)" and "(0 1 2)". The
  // readers accept any white space between the values; malformed text
  // changes nothing and returns false.
  std::string ItemEnabledText() const;
  std::string ItemStateText() const;
  bool ReadItemEnabledText(const std::string& text);
  bool ReadItemStateText(const std::string& text);

 protected:
  void Changed(const TStringsChange& change) override;

 private:
  struct Slot {
    TPacket packet;
    void* object = nullptr;
  };
  Slot* SlotAt(int index) const;

  TNvCheckList* owner_;
};

using TNvCheckListChangingEvent =
    std::function<void(TObject* Sender, int Index, TCheckBoxState NewState, bool& AllowChange)>;
using TNvCheckListChangeEvent =
    std::function<void(TObject* Sender, int Index, TCheckBoxState NewState)>;

class TNvCheckList : public TNvCustomTabbedListBox {
 public:
  explicit TNvCheckList(TWinControl* parent = nullptr);

  TNvCheckListStrings& Items() { return *items_; }
  const TNvCheckListStrings& Items() const { return *items_; }

  // Indexed item states; an index outside the list raises EListError.
  bool ItemChecked(int index) const { return ItemState(index) == cbChecked; }
  void SetItemChecked(int index, bool v) { SetItemState(index, v ? cbChecked : cbUnchecked); }
  TCheckBoxState ItemState(int index) const;
  void SetItemState(int index, TCheckBoxState v);
  bool ItemEnabled(int index) const;
  void SetItemEnabled(int index, bool v);

  void CheckAll();
  void UncheckAll();
  // Checked items that are not group lines.
  int ItemsChecked() const;
  int AddEx(const std::string& text, bool checked, bool enabled);
  // The items below the group line `groupIndex` up to the next group line.
  void CheckGroup(int groupIndex);
  void UncheckGroup(int groupIndex);
  void EnableGroup(int groupIndex);
  void DisableGroup(int groupIndex);

  // The user's toggle of the current item (see the class comment).
  void ToggleCheckState();

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  bool ToggleOnItemClick() const { return toggleOnItemClick_; }
  void SetToggleOnItemClick(bool v) { toggleOnItemClick_ = v; }
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor v);
  TColor ItemFillColor() const { return itemFillColor_; }
  void SetItemFillColor(TColor v);
  TColor ItemFocusColor() const { return itemFocusColor_; }
  void SetItemFocusColor(TColor v);
  TColor ItemFrameColor() const { return itemFrameColor_; }
  void SetItemFrameColor(TColor v);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  void SetUseCustomGlyphs(bool v);
  // A strip of six 13 x 13 cells: unchecked, checked, grayed, then the same
  // three disabled.
  const TBitmap& CustomGlyphs() const { return customGlyphs_; }
  void SetCustomGlyphs(const TBitmap& v);
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor v);

  // The glyph cell of an item in client coordinates.
  TRect GlyphRect(int index) const;

  TNvCheckListChangingEvent OnChanging;
  TNvCheckListChangeEvent OnChange;

  static constexpr int GlyphWidth = 13;
  static constexpr int GlyphHeight = 13;

 protected:
  int ItemIndent() const override { return GlyphWidth + 8; }
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
  void EnabledChanged() override;
  void FontChanged() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void DrawGlyph(TCanvas& canvas, int index);
  void SetGroupStates(int groupIndex, const std::function<void(int)>& action);
  void UpdateItemHeight();

  TNvCheckListStrings* items_;
  bool allowGrayed_ = false;
  bool toggleOnItemClick_ = false;
  TColor highlightColor_ = clHighlight;
  TColor itemFillColor_ = clWindow;
  TColor itemFocusColor_ = clWindow;
  TColor itemFrameColor_ = clBtnShadow;
  bool useCustomGlyphs_ = false;
  TBitmap customGlyphs_;
  TColor transparentColor_ = 0x008080;
  bool toggleArmed_ = false;
  int armedIndex_ = -1;
};
