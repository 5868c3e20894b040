// Gallery page "frames": every frame style in system and derived colours,
// the outline painters, the border composer and the owner-drawn check glyph.
#include <functional>

#include "framework/bitmap.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvcommon.h"

namespace {

const char* const kStyleNames[] = {"fsNone",    "fsFlat",       "fsGroove",   "fsBump",
                                   "fsLowered", "fsButtonDown", "fsRaised",   "fsButtonUp",
                                   "fsStatus",  "fsPopup",      "fsFlatBold", "fsFlatRounded"};

// One cell: a w x h picture on `face`, drawn by `paint` on (0, 0, w, h).
QImage Cell(int w, int h, TColor face, const std::function<void(TCanvas&, TRect)>& paint) {
  TBitmap bmp(w, h);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(face);
  c.FillRect(Rect(0, 0, w, h));
  paint(c, Rect(0, 0, w, h));
  return bmp.Image();
}

void FillInside(TCanvas& c, const TRect& r, TColor color) {
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(color);
  c.FillRect(r);
}

void StylesPage(GalleryContext& ctx) {
  GallerySheet sheet(6, 100, 44, "DrawBorder (system colours) and DrawColorBorder (clSkyBlue)");
  for (int s = fsNone; s <= fsFlatBold; ++s) {
    sheet.Add(Cell(88, 40, clBtnFace,
                   [s](TCanvas& c, TRect r) { DrawBorder(c, r, static_cast<TFrameStyleEx>(s)); }),
              kStyleNames[s]);
  }
  sheet.Add(Cell(88, 40, clBtnFace, [](TCanvas&, TRect) {}), "");
  for (int s = fsNone; s <= fsFlatBold; ++s) {
    sheet.Add(Cell(88, 40, clSkyBlue,
                   [s](TCanvas& c, TRect r) {
                     DrawColorBorder(c, r, clSkyBlue, static_cast<TFrameStyleEx>(s));
                   }),
              std::string("color ") + kStyleNames[s]);
  }
  ctx.SaveImage(sheet.Image(), "frames_styles");
}

void OutlinesPage(GalleryContext& ctx) {
  GallerySheet sheet(5, 120, 44, "Outlines, side sets and the border composer");
  auto add = [&](const std::string& name, const std::function<void(TCanvas&, TRect)>& paint) {
    sheet.Add(Cell(108, 40, clBtnFace, paint), name);
  };
  add("DrawBox", [](TCanvas& c, TRect r) { DrawBox(c, r, clHighlight); });
  add("DrawBoxCorners 6", [](TCanvas& c, TRect r) { DrawBoxCorners(c, r, clHighlight, 6); });
  add("DrawDashedBorder", [](TCanvas& c, TRect r) { DrawDashedBorder(c, r, clBtnText); });
  add("DrawFocusBorder", [](TCanvas& c, TRect r) { DrawFocusBorder(c, r); });
  add("RoundedFlatBorder",
      [](TCanvas& c, TRect r) { DrawRoundedFlatBorder(c, r, clBtnShadow, AllSides); });
  add("groove, top only", [](TCanvas& c, TRect r) {
    r = DrawBorderSides(c, r, fsGroove, SideBit(sdTop));
    FillInside(c, r, clWindow);
  });
  add("raised, left+bottom", [](TCanvas& c, TRect r) {
    DrawBorderSides(c, r, fsRaised, MakeSides({sdLeft, sdBottom}));
  });
  add("Ctl3D lowered", [](TCanvas& c, TRect r) {
    r = DrawCtl3DBorder(c, r, true);
    FillInside(c, r, clWindow);
  });
  add("button up, clSkyBlue", [](TCanvas& c, TRect r) {
    r = DrawColorButtonBorder(c, r, clSkyBlue, false);
    FillInside(c, r, clSkyBlue);
  });
  add("button down, clSkyBlue", [](TCanvas& c, TRect r) {
    r = DrawColorButtonBorder(c, r, clSkyBlue, true);
    FillInside(c, r, clSkyBlue);
  });
  add("raised+band+lowered", [](TCanvas& c, TRect r) {
    r = DrawInnerOuterBorders(c, r, fsRaised, fsLowered, 3, AllSides, 1, clBtnFace, clBtnHighlight,
                              clBtnShadow, clBtnShadow, 30, clWindow, clBtnFace, false);
    FillInside(c, r, clWindow);
  });
  add("popup+status bevel 2", [](TCanvas& c, TRect r) {
    r = DrawInnerOuterBorders(c, r, fsPopup, fsStatus, 1, AllSides, 2, clBtnFace, clBtnHighlight,
                              clBtnShadow, clBtnShadow, 30, clWindow, clBtnFace, false);
    FillInside(c, r, clWindow);
  });
  add("flat rounded outer", [](TCanvas& c, TRect r) {
    r = DrawInnerOuterBorders(c, r, fsFlatRounded, fsNone, 0, AllSides, 1, clBtnFace,
                              clBtnHighlight, clBtnShadow, clBtnShadow, -30, clInfoBk, clBtnFace,
                              false);
    FillInside(c, r, clInfoBk);
  });
  add("flat bold + flat inner", [](TCanvas& c, TRect r) {
    r = DrawInnerOuterBorders(c, r, fsFlatBold, fsFlat, 2, AllSides, 1, clWindow, clBtnHighlight,
                              clBtnShadow, clHighlight, 0, clWindow, clBtnFace, false);
    FillInside(c, r, clWindow);
  });
  add("DrawFrame edit", [](TCanvas& c, TRect r) {
    DrawFrame(c, r.Width(), r.Height(), fsLowered, clWindow, clBtnShadow, AllSides);
  });
  ctx.SaveImage(sheet.Image(), "frames_outlines");
}

void CheckGlyphPage(GalleryContext& ctx) {
  GallerySheet sheet(6, 140, 26, "DrawCheckBox glyph (13 x 13, shown at 2x)");
  struct Variant {
    const char* name;
    TNvButtonDisplayState display;
    bool focused;
    TNvButtonHotTrackStyle hot;
  };
  const Variant variants[] = {
      {"normal", bdsNormal, false, htsInterior}, {"focused", bdsNormal, true, htsInterior},
      {"down", bdsDown, true, htsInterior},      {"hot interior", bdsHot, false, htsInterior},
      {"hot frame", bdsHot, false, htsFrame},    {"disabled", bdsDisabled, false, htsInterior}};
  const char* const states[] = {"unchecked", "checked", "grayed"};
  for (int s = cbUnchecked; s <= cbGrayed; ++s) {
    for (const Variant& v : variants) {
      QImage glyph = Cell(13, 13, clBtnFace, [&](TCanvas& c, TRect r) {
        DrawCheckBox(c, r, static_cast<TCheckBoxState>(s), v.display, v.focused, v.hot, clHighlight,
                     RGB(0x21, 0xA1, 0x21), clWindow, RGB(232, 240, 255), clBtnFace,
                     BlendColors(clWhite, 0x149BF0, 190), 0x149BF0, false, false, clInfoBk);
      });
      sheet.Add(glyph.scaled(26, 26), std::string(states[s]) + " " + v.name);
    }
  }
  ctx.SaveImage(sheet.Image(), "frames_checkglyph");
}

}  // namespace

GALLERY_PAGE(frames) {
  StylesPage(ctx);
  OutlinesPage(ctx);
  CheckGlyphPage(ctx);
}
