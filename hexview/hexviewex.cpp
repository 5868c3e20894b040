// THexViewEx: update count around painting.
#include "hexview/hexviewex.h"

#include <QPrinter>
#include <memory>

#include "hexview/hvdragdrop.h"

THexViewEx::THexViewEx(TWinControl* parent)
    : TCustomHexView(parent, std::make_unique<THexViewExData>()) {}

// Lets go of the clipboard (flushed with FlushClipboardAtShutDown, else
// emptied); the printer goes with the view.
THexViewEx::~THexViewEx() {
  ReleaseClipboard(flushClipboardAtShutDown_);
}

void THexViewEx::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) Invalidate();
}

void THexViewEx::Paint() {
  // While updating, the screen keeps the last rendered picture.
  if (updateCount_ > 0) {
    PresentBackBuffer();
    return;
  }
  TCustomHexView::Paint();
}
