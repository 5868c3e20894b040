// Gallery page "hexview": the main window's raw-image view `Rom` (341 x 299,
// 8 bytes per row, "Courier New" -15, the window's colours) over the 64-byte
// default configuration image, unfocused and focused, with a selection and
// a changed byte; then the ruler, bookmarks, grid lines and the defaults.
#include <QApplication>
#include <array>
#include <functional>

#include "hexview/hexviewex.h"
#include "widgets/gallery/gallery.h"

namespace {

// The configuration block as the program starts with it.
constexpr std::array<Byte, 64> kDefaultImage = {
    0,  0,  0,   0,   0,  0, 0,   0,  0, 0,  0, 0, 7, 1, 2, 248, 0, 8, 244, 244, 41, 128,
    64, 50, 100, 100, 31, 0, 148, 17, 4, 41, 0, 0, 0, 0, 0, 0,   0, 0, 0,   0,   0,  0,
    0,  0,  0,   0,   0,  0, 0,   0,  0, 0,  0, 0, 0, 0, 0, 0,   0, 0, 0,   0};

// The settings the main window gives `Rom`.
void RomSettings(THexViewEx& v) {
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

// A view on the host showing the default image: the user has typed 0x0A
// into the dead band byte (offset 15) and selected offsets 21 to 25.
QImage Shot(TCustomControl& host, int width, int height, bool focused,
            const std::function<void(THexViewEx&)>& setup) {
  THexViewEx view(&host);
  view.SetBounds(0, 0, width, height);
  RomSettings(view);
  view.SetDataSize(64);
  for (Integer i = 0; i < 64; ++i) view.SetDataAt(i, kDefaultImage[i]);
  view.IntChangeByte(view.GetDataAt(15), 0x0A, 15, 0, 0, "");
  view.SetSelStart(23);
  view.NewSelection(21, 25);
  setup(view);
  if (focused) view.SetFocus();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return GrabControl(view);
}

}  // namespace

GALLERY_PAGE(hexview) {
  auto host = ctx.NewHost(700, 420);
  GallerySheet sheet(2, 560, 310, "THexViewEx (Rom)");
  auto none = [](THexViewEx&) {};
  sheet.Add(Shot(*host, 341, 299, false, none), "Rom: 341 x 299, unfocused");
  sheet.Add(Shot(*host, 341, 299, true, none), "Rom focused: caret and its frame");
  sheet.Add(Shot(*host, 420, 299, true,
                 [](THexViewEx& v) {
                   v.SetShowRuler(true);
                   v.SetBookmarkVals(1, 12, false);
                   v.SetBookmarkVals(7, 30, true);
                   v.Data().MoveCaret(30, true);
                 }),
            "ruler, bookmarks 1 (hex) and 7 (characters)");
  sheet.Add(Shot(*host, 420, 299, false,
                 [](THexViewEx& v) {
                   v.SetDrawGridLines(true);
                   v.SetDrawGutter3D(false);
                   v.SetGraySelectionIfNotFocused(true);
                   v.SetShowPositionIfNotFocused(true);
                   v.SetFocusFrame(false);
                 }),
            "grid lines, grey selection, position shown unfocused");
  sheet.Add(Shot(*host, 560, 150, true,
                 [](THexViewEx& v) {
                   v.SetBytesPerRow(16);
                   v.SetBytesPerColumn(2);
                   v.SetShowRuler(true);
                 }),
            "16 bytes per row, 2 per column, ruler");
  sheet.Add(Shot(*host, 560, 150, true,
                 [](THexViewEx& v) {
                   v.SetBytesPerRow(16);
                   v.SetBytesPerColumn(4);
                   v.SetBytesPerBlock(8);
                   v.SetShowRuler(true);
                   v.SetRulerBytesPerUnit(4);
                   v.SetHexLowerCase(true);
                 }),
            "blocks of 8, ruler units of 4, lower case");
  ctx.SaveImage(sheet.Image(), "hexview");
}
