// THexViewEx: update count around painting.
#include "hexview/hexviewex.h"

#include <QPrinter>
#include <memory>

#include "hexview/hvdragdrop.h"

THexViewEx::THexViewEx(TWinControl* parent)
    : TCustomHexView(parent, std::make_unique<THexViewExData>()) {}

THexViewEx::~THexViewEx() = default;

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
