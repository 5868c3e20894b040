#include "framework/caret.h"

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "framework/bitmap.h"
#include "framework/controls.h"

namespace {

constexpr int kBlinkMs = 500;

struct Caret {
  QPointer<TWinControl> owner;
  QImage shape;  // white where the caret inverts
  TPoint pos;
  int hideCount = 1;  // visible when 0
  bool blinkOn = true;
  QTimer* timer = nullptr;
};

Caret gCaret;

TRect CaretRect() {
  return Bounds(gCaret.pos.X, gCaret.pos.Y, gCaret.shape.width(), gCaret.shape.height());
}

void InvalidateCaret() {
  if (gCaret.owner) gCaret.owner->InvalidateRect(CaretRect());
}

void EnsureTimer() {
  if (gCaret.timer) return;
  gCaret.timer = new QTimer();
  gCaret.timer->setInterval(kBlinkMs);
  QObject::connect(gCaret.timer, &QTimer::timeout, [] {
    gCaret.blinkOn = !gCaret.blinkOn;
    InvalidateCaret();
  });
}

void RestartBlink() {
  gCaret.blinkOn = true;
  EnsureTimer();
  if (gCaret.owner && gCaret.hideCount == 0)
    gCaret.timer->start();
  else
    gCaret.timer->stop();
}

}  // namespace

bool CreateCaret(TWinControl* owner, const TBitmap* shape, int width, int height) {
  if (!owner) return false;
  DestroyCaret();
  gCaret.owner = owner;
  if (shape && !shape->Empty()) {
    gCaret.shape = shape->Image().convertToFormat(QImage::Format_RGB32);
  } else {
    gCaret.shape = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    gCaret.shape.fill(Qt::white);
  }
  gCaret.hideCount = 1;
  RestartBlink();
  return true;
}

bool DestroyCaret() {
  if (!gCaret.owner) return false;
  InvalidateCaret();
  gCaret.owner = nullptr;
  gCaret.hideCount = 1;
  RestartBlink();
  return true;
}

bool SetCaretPos(int x, int y) {
  if (!gCaret.owner) return false;
  InvalidateCaret();
  gCaret.pos = TPoint(x, y);
  RestartBlink();
  InvalidateCaret();
  return true;
}

TPoint GetCaretPos() {
  return gCaret.pos;
}

bool ShowCaret(TWinControl* owner) {
  if (!gCaret.owner || owner != gCaret.owner) return false;
  if (gCaret.hideCount > 0) --gCaret.hideCount;
  RestartBlink();
  InvalidateCaret();
  return true;
}

bool HideCaret(TWinControl* owner) {
  if (!gCaret.owner || owner != gCaret.owner) return false;
  ++gCaret.hideCount;
  RestartBlink();
  InvalidateCaret();
  return true;
}

TWinControl* CaretOwner() {
  return gCaret.owner.data();
}

bool CaretVisible() {
  return gCaret.owner && gCaret.hideCount == 0;
}

void PaintCaret(TWinControl* owner, TCanvas& canvas) {
  if (owner != gCaret.owner || !CaretVisible() || !gCaret.blinkOn) return;
  QPainter* p = canvas.Painter();
  if (!p) return;
  p->save();
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p->drawImage(QPoint(gCaret.pos.X, gCaret.pos.Y), gCaret.shape);
  p->restore();
}
