// Gallery page "toolbar": the main window's toolbar (two spacers, "Write "
// and "Read") at rest, hot and pressed, and the toolbar's other looks.
#include <QApplication>
#include <QMouseEvent>
#include <functional>
#include <memory>

#include "framework/imagelist.h"
#include "framework/mainimages.h"
#include "widgets/gallery/gallery.h"
#include "widgets/tnvspacer.h"
#include "widgets/tnvtoolbar.h"
#include "widgets/tnvtoolbutton.h"

namespace {

struct MainToolbar {
  TNvToolbar* bar;
  TNvToolButton* edit;
  TNvToolButton* find;
};

// The toolbar as the main window sets it up.
MainToolbar BuildMainToolbar(TWinControl* host, TCustomImageList* images) {
  auto* bar = new TNvToolbar(host);
  bar->SetImages(images);
  bar->SetVisualStyle(vsGradient);
  bar->SetBorderOuter(fsGroove);
  bar->SetBorderInner(fsNone);
  bar->SetBorderSides(SideBit(sdTop));
  new TNvSpacer(bar);
  new TNvSpacer(bar);
  auto* edit = new TNvToolButton(bar);
  edit->SetCaption("Write ");
  edit->SetShowCaption(true);
  edit->SetLayout(blGlyphLeft);
  edit->SetImageIndex(4);
  edit->SetDisabledIndex(5);
  auto* find = new TNvToolButton(bar);
  find->SetCaption("Read");
  find->SetShowCaption(true);
  find->SetImageIndex(6);
  find->SetDisabledIndex(7);
  return {bar, edit, find};
}

void Press(TNvToolButton* b) {
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(b->mapToGlobal(QPoint(5, 5))),
                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(b, &e);
}

void Release(TNvToolButton* b) {
  QMouseEvent e(QEvent::MouseButtonRelease, QPointF(-50, -50),
                QPointF(b->mapToGlobal(QPoint(-50, -50))), Qt::LeftButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(b, &e);
}

QImage Shot(GalleryContext& ctx, TNvToolbar* bar) {
  ctx.Settle();
  return GrabControl(*bar);
}

}  // namespace

GALLERY_PAGE(toolbar) {
  TImageList images;
  AddMainWindowImages(images);
  auto host = ctx.NewHost(499, 60);
  MainToolbar t = BuildMainToolbar(host.get(), &images);
  GallerySheet sheet(1, 510, 48, "TNvToolbar / TNvToolButton");
  sheet.Add(Shot(ctx, t.bar), "main window toolbar at rest (499 x 29)");
  ctx.SaveWidget(*t.bar, "toolbar_main");
  t.edit->Perform(CM_MOUSEENTER, 0, 0);
  sheet.Add(Shot(ctx, t.bar), "\"Write \" hot");
  Press(t.edit);
  sheet.Add(Shot(ctx, t.bar), "\"Write \" pressed");
  Release(t.edit);
  t.edit->Perform(CM_MOUSELEAVE, 0, 0);
  t.find->Perform(CM_MOUSEENTER, 0, 0);
  sheet.Add(Shot(ctx, t.bar), "\"Read\" hot");
  Press(t.find);
  sheet.Add(Shot(ctx, t.bar), "\"Read\" pressed");
  Release(t.find);
  t.find->Perform(CM_MOUSELEAVE, 0, 0);
  t.edit->SetEnabled(false);
  t.find->SetEnabled(false);
  sheet.Add(Shot(ctx, t.bar), "both disabled (images 5 and 7)");
  t.edit->SetEnabled(true);
  t.find->SetEnabled(true);
  t.bar->SetVisualStyle(vsClassic);
  t.find->SetGroupIndex(1);
  t.find->SetDown(true);
  t.edit->Perform(CM_MOUSEENTER, 0, 0);
  sheet.Add(Shot(ctx, t.bar), "vsClassic: \"Write \" hot, \"Read\" toggled down");
  t.edit->Perform(CM_MOUSELEAVE, 0, 0);
  t.bar->SetVisualStyle(vsGradient);
  t.bar->SetTextOptions(ttoShowTextLabels);
  sheet.Add(Shot(ctx, t.bar), "ttoShowTextLabels (glyph on top, 60 x 40)");
  ctx.SaveImage(sheet.Image(), "toolbar");
}
