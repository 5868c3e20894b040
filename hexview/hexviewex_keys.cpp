// THexViewEx: keys added to the view's table (select all, undo, redo).
#include "hexview/hexviewex.h"

void THexViewEx::KeyDown(Word& key, TShiftState shift) {
  TCustomHexView::KeyDown(key, shift);
  if (key == 0) return;
  const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
  if (key == 'A' && mods == ssCtrl) {
    SelectAll();
    key = 0;
  } else if (key == 'Z' && mods == ssCtrl) {
    if (GetCanUndo()) Undo();
    key = 0;
  } else if (key == 'Z' && mods == (ssCtrl | ssShift)) {
    if (GetCanRedo()) Redo();
    key = 0;
  }
}
