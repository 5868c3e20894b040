#include "widgets/nvchklst.h"

#include <algorithm>
#include <string>
#include <utility>

#include "framework/exceptions.h"
#include "framework/messages.h"
#include "framework/property.h"
#include "widgets/nvcommon.h"

// ---- TNvCheckList -----------------------------------------------------------

TNvCheckList::TNvCheckList(TWinControl* parent) : TNvCustomTabbedListBox(parent) {
  auto items = std::make_unique<TNvCheckListStrings>(this);
  items_ = items.get();
  SetItemsObject(std::move(items));
  SetStyle(lbOwnerDrawFixed);
  UpdateItemHeight();
}

TCheckBoxState TNvCheckList::ItemState(int index) const {
  return static_cast<TCheckBoxState>(items_->Packet(index).State);
}

void TNvCheckList::SetItemState(int index, TCheckBoxState v) {
  TPacket& p = items_->Packet(index);
  if (!Store(p.State, static_cast<Byte>(v))) return;
  InvalidateRect(GlyphRect(index));
}

bool TNvCheckList::ItemEnabled(int index) const {
  return items_->Packet(index).Enabled;
}

void TNvCheckList::SetItemEnabled(int index, bool v) {
  TPacket& p = items_->Packet(index);
  if (Store(p.Enabled, v)) Invalidate();
}

void TNvCheckList::CheckAll() {
  for (int i = 0; i < Count(); ++i) SetItemState(i, cbChecked);
}

void TNvCheckList::UncheckAll() {
  for (int i = 0; i < Count(); ++i) SetItemState(i, cbUnchecked);
}

int TNvCheckList::ItemsChecked() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i)
    if (items_->Packet(i).State == cbChecked && !IsGroupLine(i)) ++n;
  return n;
}

int TNvCheckList::AddEx(const std::string& text, bool checked, bool enabled) {
  const int index = items_->Add(text);
  SetItemState(index, checked ? cbChecked : cbUnchecked);
  SetItemEnabled(index, enabled);
  return index;
}

void TNvCheckList::SetGroupStates(int groupIndex, const std::function<void(int)>& action) {
  if (!IsGroupLine(groupIndex)) return;
  for (int i = groupIndex + 1; i < Count() && !IsGroupLine(i); ++i) action(i);
}

void TNvCheckList::CheckGroup(int groupIndex) {
  SetGroupStates(groupIndex, [this](int i) { SetItemState(i, cbChecked); });
}

void TNvCheckList::UncheckGroup(int groupIndex) {
  SetGroupStates(groupIndex, [this](int i) { SetItemState(i, cbUnchecked); });
}

void TNvCheckList::EnableGroup(int groupIndex) {
  SetGroupStates(groupIndex, [this](int i) { SetItemEnabled(i, true); });
}

void TNvCheckList::DisableGroup(int groupIndex) {
  SetGroupStates(groupIndex, [this](int i) { SetItemEnabled(i, false); });
}

void TNvCheckList::ToggleCheckState() {
  const int index = ItemIndex();
  if (index < 0 || index >= Count() || !items_->Packet(index).Enabled || IsGroupLine(index)) return;
  TCheckBoxState next = cbChecked;
  switch (ItemState(index)) {
    case cbUnchecked:
      next = allowGrayed_ ? cbGrayed : cbChecked;
      break;
    case cbChecked:
      next = cbUnchecked;
      break;
    default:
      next = cbChecked;
      break;
  }
  bool allow = true;
  if (OnChanging) OnChanging(this, index, next, allow);
  if (!allow) return;
  SetItemState(index, next);
  if (OnChange) OnChange(this, index, next);
}

// -- appearance --

void TNvCheckList::SetHighlightColor(TColor v) {
  if (Store(highlightColor_, v)) Invalidate();
}

void TNvCheckList::SetItemFillColor(TColor v) {
  if (Store(itemFillColor_, v)) Invalidate();
}

void TNvCheckList::SetItemFocusColor(TColor v) {
  if (Store(itemFocusColor_, v)) Invalidate();
}

void TNvCheckList::SetItemFrameColor(TColor v) {
  if (Store(itemFrameColor_, v)) Invalidate();
}

void TNvCheckList::SetUseCustomGlyphs(bool v) {
  if (Store(useCustomGlyphs_, v)) Invalidate();
}

void TNvCheckList::SetCustomGlyphs(const TBitmap& v) {
  customGlyphs_ = v;
  Invalidate();
}

void TNvCheckList::SetTransparentColor(TColor v) {
  if (Store(transparentColor_, v)) Invalidate();
}

void TNvCheckList::UpdateItemHeight() {
  Canvas().SetFont(Font());
  SetItemHeight(std::max(GlyphHeight + 4, Canvas().TextHeight("Wg") + 2));
}

void TNvCheckList::FontChanged() {
  TNvCustomTabbedListBox::FontChanged();
  UpdateItemHeight();
}

TRect TNvCheckList::GlyphRect(int index) const {
  const TRect row = ItemRect(index);
  const int left = UseRightToLeftAlignment() ? row.Right - 4 - GlyphWidth : row.Left + 4;
  return Bounds(left, row.Top + (ItemHeight() - GlyphHeight) / 2, GlyphWidth, GlyphHeight);
}

// -- items --

void TNvCheckList::EnabledChanged() {
  for (int i = 0; i < Count(); ++i) items_->Packet(i).Enabled = Enabled();
  TNvCustomTabbedListBox::EnabledChanged();
  Invalidate();
}

// -- drawing --

void TNvCheckList::DrawGlyph(TCanvas& canvas, int index) {
  const TPacket& p = items_->Packet(index);
  TBitmap glyph(GlyphWidth, GlyphHeight);
  TCanvas& g = glyph.Canvas();
  g.Brush().SetColor(Color());
  g.FillRect(Rect(0, 0, GlyphWidth, GlyphHeight));
  const int cells = 6;
  if (useCustomGlyphs_ && customGlyphs_.Width() >= GlyphWidth * cells) {
    const int cell = std::min<int>(p.State, cbGrayed) + (p.Enabled ? 0 : 3);
    const int cellWidth = customGlyphs_.Width() / cells;
    TCanvas& src = const_cast<TBitmap&>(customGlyphs_).Canvas();
    for (int y = 0; y < GlyphHeight && y < customGlyphs_.Height(); ++y)
      for (int x = 0; x < GlyphWidth; ++x) {
        const TColor c = src.Pixels(cell * cellWidth + x, y);
        if (ColorToRGB(c) != ColorToRGB(transparentColor_)) g.SetPixels(x, y, c);
      }
  } else {
    DrawCheckBox(g, Rect(0, 0, GlyphWidth, GlyphHeight), static_cast<TCheckBoxState>(p.State),
                 p.Enabled ? bdsNormal : bdsDisabled, Focused(), htsInterior, itemFrameColor_,
                 highlightColor_, itemFillColor_, itemFocusColor_, DisabledColor(), clNone, clNone,
                 false, false, clInfoBk);
  }
  const TRect cell = GlyphRect(index);
  canvas.Draw(cell.Left, cell.Top, glyph);
}

void TNvCheckList::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (index < 0 || index >= Count()) return;
  if (IsGroupLine(index)) {
    DrawGroupLine(index, rect, state);
    return;
  }
  TCanvas& canvas = Canvas();
  TRect row = rect;
  if (UseRightToLeftAlignment())
    row.Right -= ItemIndent();
  else
    row.Left += ItemIndent();
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  if (!items_->Packet(index).Enabled || !Enabled())
    canvas.Font().SetColor(Color() == clBtnShadow ? clBtnFace : clBtnShadow);
  if (state & odSelected) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  DrawGlyph(canvas, index);
  canvas.FillRect(row);
  canvas.Save();
  canvas.IntersectClipRect(rect);
  if (OnDrawItem) {
    OnDrawItem(this, index, row, state);
  } else {
    const int y = rect.Top + (ItemHeight() - canvas.TextHeight("Pp")) / 2;
    DrawTabbedText(canvas, Items().Get(index), row.Left + 2, y, row);
  }
  canvas.Restore();
  if (state & odFocused) canvas.DrawFocusRect(row);
}

// -- user actions --

void TNvCheckList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNvCustomTabbedListBox::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  const int index = ItemAtPos(TPoint(x, y), true);
  if (index < 0) return;
  const TRect row = ItemRect(index);
  const bool inGlyphCell =
      UseRightToLeftAlignment() ? x >= row.Right - (GlyphWidth + 4) : x < row.Left + GlyphWidth + 4;
  if (toggleOnItemClick_ || inGlyphCell) {
    toggleArmed_ = true;
    armedIndex_ = ItemIndex();
  }
}

void TNvCheckList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && toggleArmed_) {
    toggleArmed_ = false;
    if (ItemIndex() == armedIndex_ && PtInRect(ClientRect(), TPoint(x, y))) ToggleCheckState();
  }
  TNvCustomTabbedListBox::MouseUp(button, shift, x, y);
}

void TNvCheckList::KeyDown(Word& key, TShiftState shift) {
  TNvCustomTabbedListBox::KeyDown(key, shift);
  if (key == VK_SPACE) {
    toggleArmed_ = true;
    armedIndex_ = ItemIndex();
  }
}

void TNvCheckList::KeyPress(char& key) {
  // Space is the toggle key: no search and no key-press event for it.
  if (key == ' ') {
    key = 0;
    return;
  }
  TNvCustomTabbedListBox::KeyPress(key);
}

void TNvCheckList::KeyUp(Word& key, TShiftState shift) {
  TNvCustomTabbedListBox::KeyUp(key, shift);
  if (key == VK_SPACE && toggleArmed_) {
    toggleArmed_ = false;
    ToggleCheckState();
  }
}

// ---- TNvCheckListStrings ----------------------------------------------------

TNvCheckListStrings::~TNvCheckListStrings() {
  for (int i = 0; i < Count(); ++i) delete SlotAt(i);
}

TNvCheckListStrings::Slot* TNvCheckListStrings::SlotAt(int index) const {
  return static_cast<Slot*>(TStringList::GetObject(index));
}

TPacket& TNvCheckListStrings::Packet(int index) {
  return SlotAt(index)->packet;
}

const TPacket& TNvCheckListStrings::Packet(int index) const {
  return SlotAt(index)->packet;
}

void* TNvCheckListStrings::GetObject(int index) const {
  return SlotAt(index)->object;
}

void TNvCheckListStrings::PutObject(int index, void* object) {
  SlotAt(index)->object = object;
}

void TNvCheckListStrings::Changed(const TStringsChange& change) {
  // A new string gets its record before anyone hears of it.
  if (change.kind == TStringsChange::Inserted) TStringList::PutObject(change.index, new Slot());
  TStringList::Changed(change);
}

void TNvCheckListStrings::Delete(int index) {
  Slot* slot = SlotAt(index);
  TStringList::Delete(index);
  delete slot;
}

void TNvCheckListStrings::Clear() {
  std::vector<Slot*> records;
  for (int i = 0; i < Count(); ++i) records.push_back(SlotAt(i));
  TStringList::Clear();
  for (Slot* slot : records) delete slot;
}

bool TNvCheckListStrings::ItemEnabled(int index) const {
  return owner_->ItemEnabled(index);
}

void TNvCheckListStrings::SetItemEnabled(int index, bool v) {
  owner_->SetItemEnabled(index, v);
}

TCheckBoxState TNvCheckListStrings::ItemState(int index) const {
  return owner_->ItemState(index);
}

void TNvCheckListStrings::SetItemState(int index, TCheckBoxState v) {
  owner_->SetItemState(index, v);
}
