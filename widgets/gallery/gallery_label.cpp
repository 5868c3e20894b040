// Gallery page "label": the main window's parameter labels and the label's
// borders, text styles, rotation, fly-by and blink colours.
#include <QApplication>
#include <functional>

#include "framework/messages.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvblinktimer.h"
#include "widgets/nvlabel.h"

namespace {

TFont ParameterFont() {
  TFont f;
  f.SetName("MS Sans Serif");
  f.SetHeight(-11);
  f.SetStyle(fsBold);
  f.SetColor(clHotLight);
  return f;
}

QImage Shot(TCustomControl& host, const std::string& caption,
            const std::function<void(TNvLabel&)>& setup) {
  TNvLabel label(&host);
  label.SetLeft(4);
  label.SetTop(4);
  label.SetColor(clBtnHighlight);
  label.SetFont(ParameterFont());
  label.SetBorderShadow(clBtnHighlight);
  label.SetFlatColor(clBtnFace);
  label.SetShadowColor(clBtnHighlight);
  label.SetCaption(caption);
  setup(label);
  // The label is windowless: grab its area of the host.
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return host.grab(QRect(0, 0, label.Left() + label.Width() + 4, label.Top() + label.Height() + 4))
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

GALLERY_PAGE(label) {
  auto host = ctx.NewHost(200, 90);
  GallerySheet sheet(4, 130, 54, "TNvLabel");
  auto add = [&](const std::string& name, const std::string& caption,
                 const std::function<void(TNvLabel&)>& setup) {
    sheet.Add(Shot(*host, caption, setup), name);
  };
  add("main window", "DEADBAND", [](TNvLabel&) {});
  add("main window", "STRETCHER", [](TNvLabel&) {});
  add("disabled", "MAXDUTYL", [](TNvLabel& l) { l.SetEnabled(false); });
  add("accelerator", "&PMIN", [](TNvLabel&) {});
  add("fsFlat outer", "BOOST", [](TNvLabel& l) {
    l.SetBorderOuter(fsFlat);
    l.SetFlatColor(clBtnShadow);
  });
  add("raised + lowered", "DEADZONE", [](TNvLabel& l) {
    l.SetBorderOuter(fsRaised);
    l.SetBorderInner(fsLowered);
    l.SetBorderWidth(2);
  });
  add("groove, margin 3", "P1MDUTY", [](TNvLabel& l) {
    l.SetBorderOuter(fsGroove);
    l.SetTextMargin(3);
  });
  add("flat rounded", "P2MDUTY", [](TNvLabel& l) {
    l.SetBorderOuter(fsFlatRounded);
    l.SetFlatColor(clHighlight);
    l.SetFlatColorAdjustment(0);
    l.SetColor(clInfoBk);
  });
  add("tsRaised", "P1WTIME", [](TNvLabel& l) {
    l.SetColor(clBtnFace);
    l.SetTextStyle(tsRaised);
    l.SetShadowColor(clBtnShadow);
  });
  add("tsRecessed", "P2WTIME", [](TNvLabel& l) {
    l.SetColor(clBtnFace);
    l.SetTextStyle(tsRecessed);
    l.SetShadowColor(clBtnShadow);
  });
  add("tsShadow", "P3WTIME", [](TNvLabel& l) {
    l.SetTextStyle(tsShadow);
    l.SetShadowColor(clBtnShadow);
  });
  add("fly-by (pointer over)", "OSC", [](TNvLabel& l) {
    l.SetFlyByEnabled(true);
    l.SetFlyByColor(clRed);
    l.Perform(CM_MOUSEENTER, 0, 0);
  });
  add("blink phase on", "CHANNEL", [](TNvLabel& l) {
    l.SetBlinking(true);
    l.SetBlinkColor(clRed);
    l.Perform(CM_BLINK, bsOn, 0);
  });
  add("rotated 90", "CLK", [](TNvLabel& l) {
    l.SetRotation(roFlat);
    l.SetAngle(90);
  });
  add("rotated 30", "PMAX", [](TNvLabel& l) {
    l.SetRotation(roFlat);
    l.SetAngle(30);
  });
  add("curved", "CHANNEL CURVE", [](TNvLabel& l) {
    l.SetAutoSize(false);
    l.SetBounds(4, 4, 110, 44);
    l.SetRotation(roCurve);
  });
  ctx.SaveImage(sheet.Image(), "label");
}
