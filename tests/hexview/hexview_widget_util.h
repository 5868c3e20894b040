// Helpers shared by the hex view widget tests: a form holding a view with
// the main window's settings, rendering, and pixel checks.
#pragma once

#include <QApplication>
#include <QImage>
#include <memory>
#include <vector>

#include "framework/colors.h"
#include "framework/forms.h"
#include "hexview/hexviewex.h"

// The settings the main window gives its view `Rom`.
inline void ApplyRomSettings(THexViewEx& v) {
  v.SetBytesPerRow(8);
  v.SetBytesPerColumn(1);
  v.SetTranslation(tkAsIs);
  v.SetOffsetFormat("-!10:0x|");
  v.Font().SetName("Courier New");
  v.Font().SetHeight(-15);
  v.SetCursor(crIBeam);
  v.SetFocusFrame(true);
  v.SetDrawGridLines(false);
  THVColors& c = v.Colors();
  c.SetBackground(clWindow);
  c.SetChangedBackground(11075583);
  c.SetChangedText(clMaroon);
  c.SetCursorFrame(clNavy);
  c.SetNonFocusCursorFrame(clAqua);
  c.SetOffset(clBlack);
  c.SetOffsetBackGround(clBtnFace);
  c.SetCurrentOffset(clBtnHighlight);
  c.SetCurrentOffsetBackground(clBtnShadow);
  c.SetOddColumn(clBlue);
  c.SetEvenColumn(clNavy);
  c.SetGrid(clBtnFace);
}

// A shown form with one hex view filling width x height pixels.
struct ViewHost {
  std::unique_ptr<TForm> form;
  THexViewEx* view = nullptr;

  explicit ViewHost(int width = 420, int height = 240, bool romSettings = true) {
    form = std::make_unique<TForm>();
    form->SetBounds(0, 0, width + 20, height + 20);
    view = new THexViewEx(form.get());
    view->SetBounds(10, 10, width, height);
    if (romSettings) ApplyRomSettings(*view);
    form->ShowForm();
    QApplication::processEvents();
  }
  void Fill(const std::vector<Byte>& bytes) {
    view->SetDataSize(static_cast<Integer>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) view->SetDataAt(static_cast<Integer>(i), bytes[i]);
    view->Invalidate();
  }
  void Focus() {
    QApplication::setActiveWindow(form.get());
    view->SetFocus();
    QApplication::processEvents();
  }
  // The view's client area as rendered now.
  QImage Render() {
    QApplication::processEvents();
    const TPoint off = view->ClientOffset();
    const QImage whole = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return whole.copy(off.X, off.Y, view->ClientWidth(), view->ClientHeight());
  }
};

// The pixel as a TColor (0x00BBGGRR).
inline TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
             static_cast<uint8_t>(qBlue(p)));
}

// Number of pixels within `tolerance` per channel of a colour inside a
// rectangle (text is anti-aliased, so its ink is checked with a tolerance).
inline int CountNear(const QImage& image, const TRect& r, TColor colour, int tolerance = 48) {
  const TColor rgb = ColorToRGB(colour);
  int n = 0;
  for (int y = std::max(0, r.Top); y < std::min(image.height(), r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(image.width(), r.Right); ++x) {
      const TColor p = PixelAt(image, x, y);
      if (std::abs(GetRValue(p) - GetRValue(rgb)) <= tolerance &&
          std::abs(GetGValue(p) - GetGValue(rgb)) <= tolerance &&
          std::abs(GetBValue(p) - GetBValue(rgb)) <= tolerance)
        ++n;
    }
  return n;
}

// Number of pixels of a colour inside a rectangle.
inline int CountColour(const QImage& image, const TRect& r, TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  int n = 0;
  for (int y = std::max(0, r.Top); y < std::min(image.height(), r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(image.width(), r.Right); ++x)
      if (PixelAt(image, x, y) == rgb) ++n;
  return n;
}
