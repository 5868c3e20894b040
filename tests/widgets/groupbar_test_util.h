// What the group bar's test programs share: sizes, pixel helpers and the
// bars they build on a fresh host for each test.
#pragma once

#include <QImage>
#include <QPoint>
#include <memory>
#include <vector>

#include "framework/edit.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvgroupbar.h"

inline constexpr int kW = 499;
inline constexpr int kH = 339;

inline QPoint CaptionPoint(TNvGroup* g) {
  return QPoint(g->Width() / 2, g->CaptionHeight() / 2);
}

inline QPoint Centre(const TRect& r) {
  return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

inline TRect Bounds(TControl* c) {
  return c->BoundsRect();
}

// The darkest pixel of `rect` (text is the darkest thing on a caption).
inline QRgb Darkest(const QImage& image, const TRect& rect) {
  QRgb best = qRgb(255, 255, 255);
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qGray(p) < qGray(best)) best = p;
    }
  return best;
}

inline int Distance(QRgb p, TColor c) {
  c = ColorToRGB(c);
  const int dr = qRed(p) - GetRValue(c), dg = qGreen(p) - GetGValue(c),
            db = qBlue(p) - GetBValue(c);
  return dr * dr + dg * dg + db * db;
}

// Index of the candidate colour nearest to the darkest pixel of `rect`
// (antialiased text shows its own colour only approximately).
inline int NearestTextColour(const QImage& image, const TRect& rect,
                             std::vector<TColor> candidates) {
  const QRgb p = Darkest(image, rect);
  int best = 0;
  for (int i = 1; i < static_cast<int>(candidates.size()); ++i)
    if (Distance(p, candidates[i]) < Distance(p, candidates[best])) best = i;
  return best;
}

// True when some pixel of `rect` is darker than the lighter of the two
// gradient ends could ever be (something was drawn there).
inline bool HasInk(const QImage& image, const TRect& rect) {
  return qGray(Darkest(image, rect)) < 150;
}

// WParam of the vertical scroll message.
inline WPARAM ScrollCode(int code, int pos = 0) {
  return static_cast<WPARAM>(code | (pos << 16));
}

// Base of the test classes: a host made in init(), the schemes put back
// in cleanup().
class GroupBarFixture {
 protected:
  void Init() { host_ = MakeActiveHost(640, 480); }
  void Cleanup() {
    CurrentXPColorScheme = xpcsBlue;
    FullColorSupported = true;
    host_.reset();
  }
  TNvGroupBar* NewBar(TNvGroupBarStyle style = gbsOutlook, int w = kW, int h = kH) {
    auto* bar = new TNvGroupBar(host_.get());
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, w, h);
    bar->SetStyle(style);
    return bar;
  }
  TNvGroup* NewGroup(TNvGroupBar* bar, const char* caption) {
    auto* g = new TNvGroup(bar);
    g->SetCaption(caption);
    return g;
  }
  // The main window's bar: "Basic" open with controls, "Advanced" hidden.
  TNvGroupBar* ProgramBar(TNvGroup*& basic, TNvGroup*& advanced) {
    TNvGroupBar* bar = NewBar();
    bar->SetGradientColorStyle(gcsMSOffice);
    bar->SetGradientColorStart(clBtnFace);
    bar->SetGradientColorStop(clBtnShadow);
    bar->SetColor(clBtnShadow);
    bar->SetGroupBorderSize(0);
    basic = NewGroup(bar, "Basic");
    basic->SetSpecial(true);
    auto* edit = new TEdit(basic);
    edit->SetBounds(89, 32, 73, 21);
    basic->SetOpenedHeight(339);
    advanced = NewGroup(bar, "Advanced");
    advanced->SetVisible(false);
    return bar;
  }
  std::unique_ptr<TCustomControl> host_;
};
