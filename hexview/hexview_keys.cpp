// TCustomHexView: the key table (caret moves, field switch, insert mode,
// deleting, bookmarks).
#include <QKeyEvent>
#include <algorithm>
#include <limits>

#include "hexview/hexview.h"

namespace {

constexpr TShiftState kModifiers = ssShift | ssCtrl | ssAlt;

bool IsMoveKey(Word key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      return true;
    default:
      return false;
  }
}

// With Ctrl + Shift a digit key arrives as its shifted symbol on many
// layouts; the bookmarks want the digit.
int ShiftedDigit(int qtKey) {
  static const int kSymbols[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                 Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                 Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                 Qt::Key_ParenLeft};
  for (int d = 0; d < 10; ++d)
    if (kSymbols[d] == qtKey) return d;
  return -1;
}

}  // namespace

void TCustomHexView::keyPressEvent(QKeyEvent* e) {
  typingSuppressed_ = false;  // KeyDown sets it for the key it sees
  const bool ctrlShift =
      (e->modifiers() & Qt::ControlModifier) && (e->modifiers() & Qt::ShiftModifier);
  const int digit = ctrlShift ? ShiftedDigit(e->key()) : -1;
  if (digit >= 0) {
    QKeyEvent mapped(e->type(), Qt::Key_0 + digit, e->modifiers(), QString(), e->isAutoRepeat());
    TCustomGrid::keyPressEvent(&mapped);
    e->accept();
    return;
  }
  TCustomGrid::keyPressEvent(e);
}

void TCustomHexView::KeyDown(Word& key, TShiftState shift) {
  TCustomGrid::KeyDown(key, shift);  // the framework's key event first
  if (key == 0) return;
  const TShiftState mods = shift & kModifiers;
  inputShift_ = mods;
  // A Ctrl (without Alt) combination never types a character.
  typingSuppressed_ = (mods & ssCtrl) && !(mods & ssAlt);
  if (mods == 0 && key != VK_SHIFT && !GetInsertMode()) ResetSelection(true);
  if (TableKey(key, mods)) key = 0;
}

bool TCustomHexView::TableKey(Word key, TShiftState mods) {
  const bool ctrl = (mods & ssCtrl) != 0;
  const bool selectingMods = mods == ssShift || mods == (ssShift | ssCtrl);
  if (key == VK_SHIFT) {
    if (selectingMods) selecting_ = true;
    return true;
  }
  if (IsMoveKey(key) || (key == VK_BACK && (!GetInsertMode() || ReadOnlyView()))) {
    // Shift held extends (also when its own key-down was not seen).
    selecting_ = selectingMods;
    if (key == VK_BACK && ctrl) return true;  // Ctrl + Backspace does nothing
    return MoveKey(key == VK_BACK ? VK_LEFT : key, mods);
  }
  switch (key) {
    case VK_TAB:
      if (!wantTabs_ || (mods != 0 && mods != ssShift)) return false;
      SwitchField();
      return true;
    case VK_INSERT:
      SetInsertMode(!GetInsertMode());
      return true;
    case VK_DELETE:
      if (!ReadOnlyView() && (GetInsertMode() || mods == ssCtrl)) InternalErase(false);
      return true;
    case VK_BACK:  // insert mode, not read-only: deletes
      InternalErase(true);
      return true;
    default:
      break;
  }
  if (key == 'T' && mods == ssCtrl) {
    SwitchField();
    return true;
  }
  if (key >= '0' && key <= '9' && ctrl) return BookmarkKey(key - '0', mods);
  return false;
}

void TCustomHexView::SwitchField() {
  SetInCharField(Col() < SeparatorColumn());
}

bool TCustomHexView::BookmarkKey(Integer digit, TShiftState mods) {
  if (mods == ssCtrl) {
    GotoBookmark(digit);
    return true;
  }
  if (mods == (ssCtrl | ssShift)) {
    SetBookmarkVals(digit, data_->CaretIndex(), Layout().InCharField(Col()));
    return true;
  }
  return false;
}

bool TCustomHexView::MoveKey(Word key, TShiftState mods) {
  const THVCellLayout layout = Layout();
  const bool ctrl = (mods & ssCtrl) != 0;
  const int row = Row();
  const int firstRow = THVCellLayout::kFirstDataRow;
  const int lastRow = RowCount() - 1;
  const bool inChar = layout.InCharField(Col());
  const int visible = std::max(1, VisibleRowCount());
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
      HorizontalStep(key == VK_RIGHT, ctrl);
      return true;
    case VK_UP:
    case VK_DOWN:
      if (!ctrl) MoveCaretTo(Col(), std::clamp(row + (key == VK_UP ? -1 : 1), firstRow, lastRow));
      return true;
    case VK_PRIOR:
      if (ctrl) {
        MoveCaretTo(Col(), TopRow());
      } else {
        SetTopRow(std::max(firstRow, TopRow() - (visible - 1)));
        MoveCaretTo(Col(), std::max(firstRow, row - (visible - 1)));
      }
      return true;
    case VK_NEXT:
      if (ctrl) {
        MoveCaretTo(Col(), std::min(lastRow, TopRow() + visible - 1));
      } else {
        SetTopRow(std::min(std::max(firstRow, RowCount() - visible), TopRow() + visible - 1));
        MoveCaretTo(Col(), std::min(lastRow, row + visible - 1));
      }
      return true;
    case VK_HOME:
      MoveCaretTo(inChar ? layout.FirstCharColumn() : THVCellLayout::kFirstHexColumn,
                  ctrl ? firstRow : row);
      return true;
    case VK_END: {
      if (ctrl) {
        const TGridCoord c = CellOf(LastValidPos(), inChar);
        MoveCaretTo(c.X, c.Y);
        return true;
      }
      const Integer rowEnd = static_cast<Integer>(
          std::min<Int64>(layout.RowEnd(row), std::numeric_limits<Integer>::max()));
      const Integer index = std::clamp(rowEnd, 0, LastValidPos());
      const TGridCoord c = CellOf(index, inChar, index < DataSize());
      MoveCaretTo(c.X, c.Y);
      return true;
    }
    default:
      return false;
  }
}

void TCustomHexView::HorizontalStep(bool forward, bool ctrl) {
  if (ctrl) {
    MoveCaretTo(forward ? LastCharColumn() : THVCellLayout::kFirstHexColumn, Row());
    return;
  }
  const Integer size = DataSize();
  const Integer unit = std::max(1, BytesPerUnit());
  const Integer index = data_->CaretIndex();
  const int col = Col();
  const bool inChar = Layout().InCharField(col);
  if (inChar) {
    const Integer step = (selecting_ || UnicodeChars()) ? unit : 1;
    const Integer target =
        forward ? std::min(index + step, LastValidPos()) : std::max<Integer>(0, index - step);
    const TGridCoord c = CellOf(target, true);
    MoveCaretTo(c.X, c.Y);
    return;
  }
  if (selecting_) {
    Integer target = forward ? index - index % unit + unit : std::max<Integer>(0, index - unit);
    target -= target % unit;
    target = std::min(target, LastValidPos());
    const TGridCoord c = CellOf(target, false);
    MoveCaretTo(c.X, c.Y);
    return;
  }
  const bool second = THVCellLayout::IsSecondDigit(col);
  if (forward) {
    if (!second && index < size) {
      MoveCaretTo(col + 1, Row());
    } else if (index + 1 <= LastValidPos()) {
      const TGridCoord c = CellOf(index + 1, false);
      MoveCaretTo(c.X, c.Y);
    }
  } else {
    if (second) {
      MoveCaretTo(col - 1, Row());
    } else if (index > 0) {
      const TGridCoord c = CellOf(index - 1, false, true);
      MoveCaretTo(c.X, c.Y);
    }
  }
}
