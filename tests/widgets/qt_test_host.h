// Helpers for the QtTest widget tests: an active top-level host for controls,
// a control rendered to an image, and a pixel reader that resolves colours.
#pragma once

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "framework/colors.h"
#include "framework/controls.h"

// A top-level windowed control, shown and made the active window so that its
// children can take the keyboard focus.
inline std::unique_ptr<TCustomControl> MakeActiveHost(int width = 320, int height = 200) {
  auto host = std::make_unique<TCustomControl>();
  host->SetBounds(0, 0, width, height);
  host->show();
  host->activateWindow();
  QApplication::setActiveWindow(host.get());
  if (!QTest::qWaitForWindowActive(host.get())) qWarning("host window did not become active");
  return host;
}

// The control as it paints now.
inline QImage Render(QWidget* w) {
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// "R,G,B" of a pixel, and of a colour (system colours resolved), for
// comparisons that print readably.
inline std::string PixelText(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return std::to_string(qRed(p)) + "," + std::to_string(qGreen(p)) + "," + std::to_string(qBlue(p));
}

inline std::string ColorText(TColor c) {
  c = ColorToRGB(c);
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
         std::to_string(GetBValue(c));
}

#define QCOMPARE_PIXEL(image, x, y, color) QCOMPARE(PixelText((image), (x), (y)), ColorText(color))
