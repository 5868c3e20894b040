// Gallery page "checklist": the three-line flag list of the main window in
// its look (no border, clGradientActiveCaption, green ticks, clHighlight item
// frames) with checked, unchecked, grayed, disabled and selected items,
// focused and not; and the ten-line function list in the widget's defaults.
#include <functional>

#include "widgets/gallery/gallery.h"
#include "widgets/nvchklst.h"

namespace {

constexpr int kZoom = 4;

void OverloadLook(TNvCheckList& list) {
  list.SetBounds(10, 10, 145, 65);
  list.SetBorderStyle(bsNone);
  list.SetColumns(1);
  list.SetColor(clGradientActiveCaption);
  list.SetHighlightColor(2203937);
  list.SetItemFrameColor(clHighlight);
  list.SetItemHeight(17);
  for (const char* s : {"OverLoad L1 Enable", "OverLoad L2 Enable", "OverLoad L3 Enable"})
    list.Items().Add(s);
}

}  // namespace

GALLERY_PAGE(checklist) {
  auto host = ctx.NewHost(360, 220);
  GallerySheet sheet(3, 170, 100, "TNvCheckList, the OverLoad list's look");
  GallerySheet zoom(3, 250, 90, "TNvCheckList glyphs, 4x");

  auto shoot = [&](const std::string& caption, const std::function<void(TNvCheckList&)>& prepare) {
    TNvCheckList list(host.get());
    OverloadLook(list);
    prepare(list);
    const QImage image = GrabControl(list);
    sheet.Add(image, caption);
    zoom.Add(image.copy(0, 0, 60, 20)
                 .scaled(60 * kZoom, 20 * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation),
             caption);
  };

  shoot("unchecked", [](TNvCheckList&) {});
  shoot("L1, L3 checked", [](TNvCheckList& l) {
    l.SetItemChecked(0, true);
    l.SetItemChecked(2, true);
  });
  shoot("L2 selected", [](TNvCheckList& l) {
    l.SetItemChecked(0, true);
    l.SetItemIndex(1);
  });
  shoot("focused, L1 current", [](TNvCheckList& l) {
    l.SetItemChecked(0, true);
    l.SetItemIndex(0);
    l.SetFocus();
  });
  shoot("L1 disabled+checked, L2 disabled", [](TNvCheckList& l) {
    l.SetItemChecked(0, true);
    l.SetItemEnabled(0, false);
    l.SetItemEnabled(1, false);
  });
  shoot("list disabled", [](TNvCheckList& l) {
    l.SetItemChecked(1, true);
    l.SetEnabled(false);
  });
  shoot("L1 grayed", [](TNvCheckList& l) {
    l.SetAllowGrayed(true);
    l.SetItemState(0, cbGrayed);
    l.SetItemChecked(2, true);
  });
  ctx.SaveImage(sheet.Image(), "checklist");
  ctx.SaveImage(zoom.Image(), "checklist_glyphs_zoom");

  // The function list: widget defaults, ten items, the last five disabled.
  TNvCheckList funreg(host.get());
  funreg.SetBounds(0, 20, 137, 181);
  for (const char* s : {"NF", "DC MOTOR", "PPM Lose", "PWM High Frq Driver", "100% PWM",
                        "Over Load L1", "Over Load L2", "Over Load L3", "ASIC Control", "SEL IRQ"})
    funreg.Items().Add(s);
  for (int i = 5; i < 10; ++i) funreg.SetItemEnabled(i, false);
  funreg.SetItemChecked(1, true);
  funreg.SetItemChecked(6, true);
  funreg.SetItemIndex(3);
  ctx.SaveWidget(funreg, "checklist_funreg");
}
