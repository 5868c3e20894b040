#include "tests/app/window_test_util.h"

#include "tests/app/window_panels.h"

void ClickTool(TNvToolButton* button) {
  Click(button);
}

std::string FieldCaption(TNvFieldStatus* pane) {
  return pane->Caption();
}
