// Gallery page "statusbar": the main window's status bar with "V1.71" and
// the connection pane, and the bar's other looks.
#include <QApplication>

#include "framework/forms.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvblinktimer.h"
#include "widgets/tnvfieldstatus.h"
#include "widgets/tnvstatusbar.h"

namespace {

TNvFieldStatus* Pane(TNvStatusBar* bar, const std::string& caption, int width) {
  auto* p = new TNvFieldStatus(bar);
  p->SetWidth(width);
  p->SetAlign(alLeft);
  p->SetCaption(caption);
  return p;
}

QImage Shot(GalleryContext& ctx, TNvStatusBar* bar) {
  ctx.Settle();
  return GrabControl(*bar);
}

}  // namespace

GALLERY_PAGE(statusbar) {
  auto host = ctx.NewHost(499, 40);
  auto* bar = new TNvStatusBar(host.get());
  bar->SetVisualStyle(vsGradient);
  Pane(bar, "V1.71", 100);
  auto* connection = Pane(bar, "USB Status: Connect!", 221);
  GallerySheet sheet(1, 510, 40, "TNvStatusBar / TNvFieldStatus");
  sheet.Add(Shot(ctx, bar), "main window status bar (499 x 19), connected");
  ctx.SaveWidget(*bar, "statusbar_main");
  connection->SetCaption("USB Status: NO Connect!");
  sheet.Add(Shot(ctx, bar), "not connected");
  connection->SetBlinking(true);
  connection->Perform(CM_BLINK, bsOn, 0);
  sheet.Add(Shot(ctx, bar), "connection pane blinking (BlinkColor phase)");
  connection->SetBlinking(false);
  bar->SetVisualStyle(vsClassic);
  sheet.Add(Shot(ctx, bar), "vsClassic panes with flat frames");
  bar->SetSimpleCaption("Reading the configuration block...");
  bar->SetSimpleStatus(true);
  sheet.Add(Shot(ctx, bar), "vsClassic SimpleStatus");
  bar->SetVisualStyle(vsGradient);
  sheet.Add(Shot(ctx, bar), "vsGradient SimpleStatus");
  bar->SetSimpleStatus(false);
  ctx.SaveImage(sheet.Image(), "statusbar");

  // A sizeable form shows the grip.
  TForm form;
  form.SetBorderStyle(bsSizeable);
  form.SetBounds(0, 0, 300, 60);
  form.show();
  auto* gripBar = new TNvStatusBar(&form);
  gripBar->SetVisualStyle(vsGradient);
  Pane(gripBar, "Ready", 100);
  ctx.Settle();
  GallerySheet grip(1, 310, 40, "TNvStatusBar size grip");
  grip.Add(GrabControl(*gripBar), "vsGradient grip on a sizeable form");
  gripBar->SetVisualStyle(vsClassic);
  grip.Add(Shot(ctx, gripBar), "vsClassic grip");
  ctx.SaveImage(grip.Image(), "statusbar_grip");
}
