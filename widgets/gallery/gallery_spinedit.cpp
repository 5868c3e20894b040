// Gallery page "spinedit": the numeric entry field as the main window uses
// it (73 x 21), normal, focused, disabled, read-only, with each button held,
// in clInfoBk, and the button column enlarged.
#include <QTest>
#include <functional>

#include "widgets/gallery/gallery.h"
#include "widgets/nvspnedt.h"

namespace {

constexpr int kZoom = 4;

QImage Zoomed(const QImage& image, const TRect& r) {
  return image.copy(r.Left, r.Top, r.Width(), r.Height())
      .scaled(r.Width() * kZoom, r.Height() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

GALLERY_PAGE(spinedit) {
  auto host = ctx.NewHost(200, 80);
  GallerySheet sheet(4, 110, 48, "TNvSpinEdit (73 x 21)");
  GallerySheet zoom(4, 100, 120, "TNvSpinEdit buttons, 4x");

  // Each state on a fresh edit; `prepare` puts it in the state, `after` undoes
  // what must not outlive the picture (a held mouse button).
  auto shoot = [&](const std::string& caption, const std::function<void(TNvSpinEdit&)>& prepare,
                   const std::function<void(TNvSpinEdit&)>& after) {
    TNvSpinEdit edit(host.get());
    edit.SetBounds(10, 10, 73, 21);
    edit.SetMax(255);
    edit.SetValue(7);
    prepare(edit);
    const QImage image = GrabControl(edit);
    sheet.Add(image, caption);
    zoom.Add(Zoomed(image, Bounds(52, 0, 21, 21)), caption);
    if (after) after(edit);
  };
  auto press = [](TNvControlButton* b) {
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(b->Width() / 2, b->Height() / 2));
  };
  auto release = [](TNvControlButton* b) {
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(200, 200));  // outside: no step
  };

  shoot(
      "normal", [](TNvSpinEdit&) {}, nullptr);
  shoot(
      "focused", [](TNvSpinEdit& e) { e.SetFocus(); }, nullptr);
  shoot(
      "disabled", [](TNvSpinEdit& e) { e.SetEnabled(false); }, nullptr);
  shoot(
      "read-only", [](TNvSpinEdit& e) { e.SetReadOnly(true); }, nullptr);
  shoot(
      "up held", [&](TNvSpinEdit& e) { press(e.Buttons()->UpButton()); },
      [&](TNvSpinEdit& e) { release(e.Buttons()->UpButton()); });
  shoot(
      "down held", [&](TNvSpinEdit& e) { press(e.Buttons()->DownButton()); },
      [&](TNvSpinEdit& e) { release(e.Buttons()->DownButton()); });
  shoot(
      "PMIN clInfoBk",
      [](TNvSpinEdit& e) {
        e.SetMax(2500);
        e.SetMin(500);
        e.SetIncrement(20);
        e.SetValue(900);
        e.SetAllowKeyEdit(true);
        e.SetColor(clInfoBk);
      },
      nullptr);
  shoot(
      "PMID -120",
      [](TNvSpinEdit& e) {
        e.SetMin(-120);
        e.SetMax(120);
        e.SetValue(-120);
      },
      nullptr);
  ctx.SaveImage(sheet.Image(), "spinedit");
  ctx.SaveImage(zoom.Image(), "spinedit_buttons_zoom");
}
