// TInspectorPanel: layout and rows.
#include "hexedit/inspector_panel.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QString>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>

#include "hexedit/hexeditform.h"
#include "hexedit/value_inspector.h"
#include "hexview/hvtranslation.h"

namespace {

constexpr int kMargin = 4;
constexpr int kHeadingHeight = 20;
constexpr size_t kWidestType = 8;  // bytes of the widest type shown
constexpr int kNameWidth = 96;     // "UInt16 BE" and the like

// Shown or hidden by the user: the window grows or shrinks by the panel,
// so that the view keeps its width. A window that has no room to grow to
// the right moves left, and one wider than the screen is narrowed, so that
// its frame stays on the screen.
void FitWindow(THexEditForm& form, bool shown) {
  if (form.isMaximized() || form.isFullScreen()) return;
  const QRect client = form.geometry();  // SetBounds places the client area
  const QRect frame = form.frameGeometry();
  const int leftBorder = client.left() - frame.left();
  const int rightBorder = frame.right() - client.right();
  int width = client.width() + (shown ? TInspectorPanel::kWidth : -TInspectorPanel::kWidth);
  int left = client.left();
  if (const QScreen* screen = form.screen()) {
    const QRect area = screen->availableGeometry();
    width = std::min(width, area.width() - leftBorder - rightBorder);
    left = std::min(left, area.right() - rightBorder - width + 1);
    left = std::max(left, area.left() + leftBorder);
  }
  form.SetBounds(left, client.top(), std::max(TInspectorPanel::kWidth, width), client.height());
}

std::string Utf8(char32_t c) {
  return QString::fromUcs4(&c, 1).toStdString();
}

}  // namespace

TInspectorPanel::TInspectorPanel(THexEditForm& form) : TPanel(&form), form_(form) {
  setObjectName("inspector");
  SetAlign(alRight);
  SetWidth(kWidth);
  SetBevelOuter(bvNone);
  heading_ = new QLabel(this);
  table_ = new QTableWidget(this);
  table_->setColumnCount(2);
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
}

void TInspectorPanel::Resize() {
  TPanel::Resize();
  heading_->setGeometry(kMargin, kMargin, Width() - 2 * kMargin, kHeadingHeight);
  const int top = kMargin + kHeadingHeight;
  table_->setGeometry(kMargin, top, Width() - 2 * kMargin, Height() - top - kMargin);
  table_->setColumnWidth(0, kNameWidth);
}

std::string TInspectorPanel::Character(Integer at) const {
  const THexViewEx& v = form_.View();
  if (!v.UnicodeChars()) return Utf8(Cp1252ToUnicode(v.TranslateToAnsiChar(v.GetDataAt(at))));
  if (at + 1 >= v.DataSize()) return kHexInspectorMissing;
  const Byte a = v.GetDataAt(at), b = v.GetDataAt(at + 1);
  const char32_t c = v.UnicodeBigEndian() ? (a << 8 | b) : (b << 8 | a);
  return c < 32 ? Utf8(Cp1252ToUnicode(v.MaskChar())) : Utf8(c);
}

void TInspectorPanel::Refresh() {
  if (!isVisible()) return;
  const THexViewEx& v = form_.View();
  const THexViewData& d = v.Data();
  position_ = d.HasSelection() ? d.Selection().Low : d.CaretIndex();
  const Integer size = v.DataSize();
  const size_t available =
      position_ >= 0 && position_ < size ? std::min<size_t>(kWidestType, size - position_) : 0;
  Byte bytes[kWidestType] = {};
  if (available > 0) v.ReadBuffer(bytes, position_, static_cast<Integer>(available));
  char heading[64];
  std::snprintf(heading, sizeof heading, "Bytes at 0x%08X", static_cast<unsigned>(position_));
  heading_->setText(available > 0 ? heading : "No byte at the caret");
  const std::vector<THexInspectorRow> rows =
      InspectBytes(bytes, available, available > 0 ? Character(position_) : std::string());
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < 2; ++c) {
      const std::string& text = c == 0 ? rows[r].name : rows[r].value;
      QTableWidgetItem* item = table_->item(r, c);
      if (!item) table_->setItem(r, c, item = new QTableWidgetItem);
      item->setText(QString::fromStdString(text));
    }
  }
  table_->resizeRowsToContents();
}

void BuildInspector(THexEditForm& form) {
  auto* panel = new TInspectorPanel(form);
  panel->SetVisible(false);
  THexEditForm* f = &form;
  QAction* shown = form.Menu("&View")->addAction("&Inspector", [f, panel](bool on) {
    FitWindow(*f, on);
    f->SetInspectorShown(on);
    panel->Refresh();
  });
  shown->setCheckable(true);
  form.AddUiUpdater([f, panel, shown] {
    const bool on = f->InspectorShown();
    shown->setChecked(on);
    if (panel->isVisible() != on) {
      panel->SetVisible(on);
      f->Realign();
    }
    panel->Refresh();
  });
}
