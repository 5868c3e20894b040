// TCustomHexView: double-buffered painting. Each paint renders the cells of
// the repaint region into a back buffer the size of the client area and
// copies that region to the screen.
#include "hexview/hexview.h"

#include <QPaintEvent>
#include <QPainter>

#include "hexview/hvpainter.h"

void TCustomHexView::paintEvent(QPaintEvent* e) {
  paintRegion_ = e->region();
  TCustomGrid::paintEvent(e);
  paintRegion_ = QRegion();
}

QRegion TCustomHexView::ClientRepaintRegion() const {
  const QRect client(0, 0, ClientWidth(), ClientHeight());
  if (paintRegion_.isEmpty()) return QRegion(client);
  const TPoint off = ClientOffset();
  return paintRegion_.translated(-off.X, -off.Y) & client;
}

void TCustomHexView::EnsureBackBuffer() {
  const QSize size(std::max(1, ClientWidth()), std::max(1, ClientHeight()));
  if (backBuffer_.size() == size) return;
  QImage fresh(size, QImage::Format_RGB32);
  fresh.fill(ColorToQColor(Color()));
  if (!backBuffer_.isNull()) {
    QPainter p(&fresh);
    p.drawImage(0, 0, backBuffer_);
  }
  backBuffer_ = std::move(fresh);
}

void TCustomHexView::Paint() {
  const QRegion region = ClientRepaintRegion();
  Render(region);
  PresentBackBuffer();
}

void TCustomHexView::Render(const QRegion& region) {
  EnsureBackBuffer();
  TCanvas canvas;
  canvas.Attach(&backBuffer_);
  canvas.SetFont(Font());
  THVPainter(*this, canvas, region).Run();
  canvas.Detach();
}

void TCustomHexView::PresentBackBuffer() {
  EnsureBackBuffer();
  QPainter* screen = Canvas().Painter();
  if (!screen) return;
  for (const QRect& r : ClientRepaintRegion()) screen->drawImage(r.topLeft(), backBuffer_, r);
}

TRect TCustomHexView::ScreenRect(const TRect& r) const {
  if (!UseRightToLeftAlignment()) return r;
  const int w = ClientWidth();
  return Rect(w - r.Right, r.Top, w - r.Left, r.Bottom);
}

void TCustomHexView::InvalidateHexCell(int col, int row) {
  InvalidateArea(CellRect(col, row));
}

void TCustomHexView::InvalidateArea(const TRect& r) {
  if (!r.IsEmpty()) InvalidateRect(ScreenRect(r));
}

void TCustomHexView::ShowDropPosition(int col, int row) {
  if (dropShown_) InvalidateHexCell(dropCell_.X, dropCell_.Y);
  dropShown_ = true;
  dropCell_ = TGridCoord{col, row};
  InvalidateHexCell(col, row);
}

void TCustomHexView::HideDropPosition() {
  if (!dropShown_) return;
  dropShown_ = false;
  InvalidateHexCell(dropCell_.X, dropCell_.Y);
}
