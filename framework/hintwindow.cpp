#include "framework/hintwindow.h"

#include "framework/application.h"
#include "framework/drawtext.h"

namespace {

constexpr uint32_t kHintFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

THintWindow::THintWindow() : TCustomControl(nullptr) {
  MarkAsWindow();
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  SetParentColor(false);
  SetColor(Application->HintColor());
  Font().SetColor(clInfoText);
  SetVisible(false);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  TCanvas measure;
  measure.SetFont(Font());
  TRect r = Rect(0, 0, maxWidth, 0);
  DrawText(measure, hint, r, kHintFlags | DT_CALCRECT);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const TRect& screenRect, const std::string& hint) {
  SetColor(Application->HintColor());
  SetCaption(hint);
  SetBounds(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
  SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  SetVisible(false);
}

void THintWindow::Paint() {
  TCanvas& c = Canvas();
  c.Brush().SetColor(clWindowFrame);
  c.FrameRect(ClientRect());
  TRect r = ClientRect();
  InflateRect(r, -2, -1);
  r.Left += 1;
  c.Brush().SetStyle(bsClear);
  DrawText(c, Caption(), r, kHintFlags);
}
