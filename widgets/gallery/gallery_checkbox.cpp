// Gallery page "checkbox": TNvCheckBox in each state, with the classic glyph
// and with hot-tracking glyphs.
#include <QApplication>
#include <QMouseEvent>
#include <functional>

#include "framework/messages.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvradchk.h"

namespace {

void PressInside(TNvCheckBox& box) {
  const QPoint p(30, 8);
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(p), box.mapToGlobal(QPointF(p)), Qt::LeftButton,
                Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &e);
}

void ReleaseOutside(TNvCheckBox& box) {
  const QPoint p(-50, -50);
  QMouseEvent e(QEvent::MouseButtonRelease, QPointF(p), box.mapToGlobal(QPointF(p)), Qt::LeftButton,
                Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &e);
}

// One box on the host, set up by `setup`, grabbed, then removed.
QImage Shot(TCustomControl& host, const std::string& caption,
            const std::function<void(TNvCheckBox&)>& setup) {
  TNvCheckBox box(&host);
  box.SetBounds(4, 4, 145, 17);
  box.SetColor(clSkyBlue);
  box.SetCaption(caption);
  setup(box);
  QImage img = GrabControl(box);
  if (box.PressTracking()) ReleaseOutside(box);
  return img;
}

}  // namespace

GALLERY_PAGE(checkbox) {
  auto host = ctx.NewHost(200, 40);
  GallerySheet sheet(3, 160, 17, "TNvCheckBox (145 x 17, clSkyBlue)");
  auto add = [&](const std::string& name, const std::string& caption,
                 const std::function<void(TNvCheckBox&)>& setup) {
    sheet.Add(Shot(*host, caption, setup), name);
  };
  add("unchecked", "High Freq Driver", [](TNvCheckBox&) {});
  add("checked", "Lose PPM Protect", [](TNvCheckBox& b) { b.InitState(cbChecked); });
  add("grayed", "Inver Control", [](TNvCheckBox& b) { b.InitState(cbGrayed); });
  add("focused", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetFocus();
    QApplication::processEvents();
  });
  add("pressed", "High Freq Driver", [](TNvCheckBox& b) { PressInside(b); });
  add("focused, checked", "&Narrow Band", [](TNvCheckBox& b) {
    b.InitState(cbChecked);
    b.SetFocus();
  });
  add("disabled", "High Freq Driver", [](TNvCheckBox& b) { b.SetEnabled(false); });
  add("disabled, checked", "Lose PPM Protect", [](TNvCheckBox& b) {
    b.InitState(cbChecked);
    b.SetEnabled(false);
  });
  add("disabled, grayed", "Inver Control", [](TNvCheckBox& b) {
    b.InitState(cbGrayed);
    b.SetEnabled(false);
  });
  add("hot-track, normal", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    b.InitState(cbChecked);
  });
  add("hot-track, hot", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    b.Perform(CM_MOUSEENTER, 0, 0);
  });
  add("hot-track, hot frame", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    b.SetHotTrackStyle(htsFrame);
    b.InitState(cbChecked);
    b.Perform(CM_MOUSEENTER, 0, 0);
  });
  add("hot-track, pressed", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    PressInside(b);
  });
  add("hot-track, read-only", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    b.SetReadOnly(true);
    b.InitState(cbChecked);
  });
  add("hot-track, complement", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetHotTrack(true);
    b.SetHotTrackColorType(htctComplement);
    b.InitState(cbGrayed);
    b.Perform(CM_MOUSEENTER, 0, 0);
  });
  add("glyph on the right", "High Freq Driver", [](TNvCheckBox& b) {
    b.SetAlignment(taLeftJustify);
    b.InitState(cbChecked);
  });
  add("raised text", "High Freq Driver", [](TNvCheckBox& b) { b.SetTextStyle(tsRaised); });
  add("shadow text", "High Freq Driver", [](TNvCheckBox& b) { b.SetTextStyle(tsShadow); });
  ctx.SaveImage(sheet.Image(), "checkbox");
}
