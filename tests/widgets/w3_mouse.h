// Mouse events delivered straight to a control (no window system in
// between), for press-move-release sequences in the toolbar tests.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

inline void DragTo(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}

inline void Release(QWidget* w, QPoint at) {
  SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void ClickAt(QWidget* w, QPoint at) {
  Press(w, at);
  Release(w, at);
}
