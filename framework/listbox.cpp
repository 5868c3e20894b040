#include "framework/listbox.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QString>
#include <algorithm>

#include "framework/edges.h"
#include "framework/property.h"
#include "framework/scoped_value.h"

namespace {

constexpr int kEdge = 2;
constexpr int kScrollBarSize = 16;
constexpr int kWheelLines = 3;

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return QString::fromStdString(text).startsWith(QString::fromStdString(prefix),
                                                 Qt::CaseInsensitive);
}

}  // namespace

TCustomListBox::TCustomListBox(TWinControl* parent)
    : TCustomControl(parent), items_(std::make_unique<TStringList>()) {
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetFocusOnClick(true);
  SetControlStyle(ControlStyle() & ~csClickEvents);
  HookItems();
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->hide();
  QObject::connect(scrollBar_, &QScrollBar::valueChanged, [this](int v) {
    if (!updatingScroll_) SetTopIndex(columns_ > 0 ? v * RowsPerColumn() : v);
  });
  SetBounds(0, 0, 121, 97);
  FontChanged();
  LayoutBorder();
}

TCustomListBox::~TCustomListBox() {
  items_->OnChangeEx = nullptr;
}

void TCustomListBox::HookItems() {
  items_->OnChangeEx = [this](const TStringsChange& c) { ItemsChanged(c); };
}

void TCustomListBox::SetItemsObject(std::unique_ptr<TStringList> items) {
  if (!items) return;
  std::unique_ptr<TStringList> old = std::move(items_);
  old->OnChangeEx = nullptr;
  items_ = std::move(items);
  items_->Assign(*old);
  HookItems();
  itemIndex_ = std::min(itemIndex_, Count() - 1);
  caretIndex_ = std::clamp(caretIndex_, 0, std::max(0, Count() - 1));
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::ItemsChanged(const TStringsChange& change) {
  switch (change.kind) {
    case TStringsChange::Inserted:
      if (itemIndex_ >= 0 && change.index <= itemIndex_) ++itemIndex_;
      if (change.index <= caretIndex_ && Count() > 1) ++caretIndex_;
      break;
    case TStringsChange::Deleted:
      if (change.index == itemIndex_)
        itemIndex_ = -1;
      else if (change.index < itemIndex_)
        --itemIndex_;
      if (change.index < caretIndex_) --caretIndex_;
      break;
    case TStringsChange::Cleared:
    case TStringsChange::Sorted:
      itemIndex_ = -1;
      caretIndex_ = 0;
      break;
    default:
      break;
  }
  if (topIndex_ >= Count()) topIndex_ = 0;
  caretIndex_ = std::clamp(caretIndex_, 0, std::max(0, Count() - 1));
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetItemIndex(int v) {
  if (v < -1 || v >= Count()) v = -1;
  if (!Store(itemIndex_, v)) return;
  if (v >= 0) {
    caretIndex_ = v;
    MakeVisible(v);
  }
  Invalidate();
}

int TCustomListBox::FocusedItem() const {
  return Count() > 0 ? caretIndex_ : -1;
}

void TCustomListBox::DoEnter() {
  Invalidate();  // the focus rectangle appears
  TCustomControl::DoEnter();
}

void TCustomListBox::DoExit() {
  TCustomControl::DoExit();
  Invalidate();
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0 || !Store(itemHeight_, v)) return;
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  if (Store(style_, v)) FontChanged();
}

int TCustomListBox::RowsPerColumn() const {
  return std::max(1, ClientHeight() / itemHeight_);
}

int TCustomListBox::ColumnWidth() const {
  return columns_ > 0 ? std::max(1, ClientWidth() / columns_) : ClientWidth();
}

void TCustomListBox::SetTopIndex(int v) {
  const int rows = RowsPerColumn();
  int maxTop;
  if (columns_ > 0) {
    const int totalCols = (Count() + rows - 1) / rows;
    maxTop = std::max(0, totalCols - columns_) * rows;
    v = v / rows * rows;
  } else {
    maxTop = std::max(0, Count() - rows);
  }
  v = std::clamp(v, 0, maxTop);
  if (!Store(topIndex_, v)) return;
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetColumns(int v) {
  v = std::max(0, v);
  if (!Store(columns_, v)) return;
  topIndex_ = 0;
  LayoutBorder();
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  if (Store(borderStyle_, v)) LayoutBorder();
}

TRect TCustomListBox::ItemRect(int index) const {
  const int h = itemHeight_;
  if (columns_ <= 0) return Bounds(0, (index - topIndex_) * h, ClientWidth(), h);
  const int rows = RowsPerColumn(), cw = ColumnWidth();
  const int rel = index - topIndex_;
  const int col = rel >= 0 ? rel / rows : (rel - rows + 1) / rows;
  const int row = rel - col * rows;
  return Bounds(col * cw, row * h, cw, h);
}

int TCustomListBox::ItemAtPos(const TPoint& pos, bool existing) const {
  if (pos.X < 0 || pos.Y < 0 || pos.X >= ClientWidth() || pos.Y >= ClientHeight()) return -1;
  int index;
  if (columns_ <= 0) {
    index = topIndex_ + pos.Y / itemHeight_;
  } else {
    const int rows = RowsPerColumn();
    const int row = pos.Y / itemHeight_;
    if (row >= rows) return -1;
    index = topIndex_ + (pos.X / ColumnWidth()) * rows + row;
  }
  if (index < Count()) return index;
  return existing ? -1 : Count();
}

int TCustomListBox::FindItemPrefix(const std::string& prefix, int start) const {
  const int n = Count();
  for (int step = 1; step <= n; ++step) {
    int i = ((start < 0 ? -1 : start) + step) % n;
    if (StartsWithNoCase(items_->Get(i), prefix)) return i;
  }
  return -1;
}

void TCustomListBox::MakeVisible(int index) {
  if (index < 0) return;
  const int rows = RowsPerColumn();
  if (columns_ <= 0) {
    if (index < topIndex_)
      SetTopIndex(index);
    else if (index >= topIndex_ + rows)
      SetTopIndex(index - rows + 1);
    return;
  }
  const int col = index / rows, first = topIndex_ / rows;
  const int visible = std::max(1, ClientWidth() / ColumnWidth());
  if (col < first)
    SetTopIndex(col * rows);
  else if (col >= first + visible)
    SetTopIndex((col - visible + 1) * rows);
}

void TCustomListBox::SelectByUser(int index) {
  if (index < 0 || index >= Count() || index == itemIndex_) return;
  SetItemIndex(index);
  Click();
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  TCanvas& c = Canvas();
  c.FillRect(rect);
  if (index >= 0 && index < Count()) c.TextOut(rect.Left + 2, rect.Top, items_->Get(index));
  if (state & odFocused) c.DrawFocusRect(rect);
}

void TCustomListBox::Paint() {
  TCanvas& c = Canvas();
  const TRect clip = c.ClipRect();
  std::vector<TRect> covered;
  for (int i = topIndex_; i < Count(); ++i) {
    TRect r = ItemRect(i);
    if (r.Left >= ClientWidth() || (columns_ <= 0 && r.Top >= ClientHeight())) break;
    covered.push_back(r);
    TRect hit;
    if (!IntersectRect(hit, r, clip)) continue;
    TOwnerDrawState state = 0;
    if (i == itemIndex_) state |= odSelected;
    if (i == FocusedItem() && Focused()) state |= odFocused;
    if (!Enabled()) state |= odDisabled;
    c.SetFont(Font());
    c.Brush().SetColor(Color());
    c.Brush().SetStyle(bsSolid);
    if (state & odSelected) {
      c.Brush().SetColor(clHighlight);
      c.Font().SetColor(clHighlightText);
    }
    c.Save();
    c.IntersectClipRect(r);
    DrawItem(i, r, state);
    c.Restore();
  }
  // Background below and beside the items.
  c.Brush().SetColor(Color());
  c.Brush().SetStyle(bsSolid);
  std::vector<TRect> rest{ClientRect()};
  c.Save();
  c.SetClipRect(ClientRect());
  for (const TRect& r : covered) c.ExcludeClipRect(r);
  c.FillRect(ClientRect());
  c.Restore();
}

void TCustomListBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
    TPoint p = ClientPos(e->position());
    SelectByUser(ItemAtPos(p, true));
  }
  TCustomControl::mousePressEvent(e);
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
}

bool TCustomListBox::DefaultKeyDown(Word key, TShiftState shift) {
  (void)shift;
  if (Count() == 0) return false;
  const int rows = RowsPerColumn();
  const int cur = itemIndex_;
  int next;
  switch (key) {
    case VK_UP:
      next = cur < 0 ? 0 : cur - 1;
      break;
    case VK_DOWN:
      next = cur < 0 ? 0 : cur + 1;
      break;
    case VK_PRIOR:
      next = cur - std::max(1, rows - 1);
      break;
    case VK_NEXT:
      next = cur < 0 ? 0 : cur + std::max(1, rows - 1);
      break;
    case VK_HOME:
      next = 0;
      break;
    case VK_END:
      next = Count() - 1;
      break;
    case VK_LEFT:
      if (columns_ <= 0) return false;
      next = cur - rows;
      break;
    case VK_RIGHT:
      if (columns_ <= 0) return false;
      next = cur + rows;
      break;
    default:
      return false;
  }
  SelectByUser(std::clamp(next, 0, Count() - 1));
  return true;
}

bool TCustomListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  int notches = wheelDelta / 120;
  if (notches == 0) notches = wheelDelta > 0 ? 1 : -1;
  const int step = columns_ > 0 ? RowsPerColumn() : kWheelLines;
  SetTopIndex(topIndex_ - notches * step);
  return true;
}

void TCustomListBox::LayoutBorder() {
  const int e = borderStyle_ == bsSingle ? kEdge : 0;
  const bool shown = !scrollBar_->isHidden();
  const bool horizontal = columns_ > 0;
  scrollBar_->setOrientation(horizontal ? Qt::Horizontal : Qt::Vertical);
  SetNonClientInsets(e, e, e + (shown && !horizontal ? kScrollBarSize : 0),
                     e + (shown && horizontal ? kScrollBarSize : 0));
  if (horizontal)
    scrollBar_->setGeometry(e, Height() - e - kScrollBarSize, Width() - 2 * e, kScrollBarSize);
  else
    scrollBar_->setGeometry(Width() - e - kScrollBarSize, e, kScrollBarSize, Height() - 2 * e);
}

void TCustomListBox::UpdateScrollBar() {
  const int rows = RowsPerColumn();
  int range, page, value;
  if (columns_ > 0) {
    const int totalCols = (Count() + rows - 1) / rows;
    range = std::max(0, totalCols - columns_);
    page = columns_;
    value = topIndex_ / rows;
  } else {
    range = std::max(0, Count() - rows);
    page = rows;
    value = topIndex_;
  }
  const bool needed = range > 0;
  if (needed == scrollBar_->isHidden()) {
    scrollBar_->setVisible(needed);
    LayoutBorder();
  }
  TScopedValue updating(updatingScroll_, true);
  scrollBar_->setRange(0, range);
  scrollBar_->setPageStep(page);
  scrollBar_->setValue(value);
}

void TCustomListBox::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ == bsSingle) DrawClientEdge(canvas, Rect(0, 0, Width(), Height()));
}

void TCustomListBox::Resize() {
  LayoutBorder();
  UpdateScrollBar();
  TCustomControl::Resize();
}

void TCustomListBox::FontChanged() {
  if (style_ == lbStandard) {
    TCanvas measure;
    measure.SetFont(Font());
    itemHeight_ = std::max(1, measure.TextHeight("Wg"));
    UpdateScrollBar();
  }
  TCustomControl::FontChanged();
}
