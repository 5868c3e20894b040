// The main window's built-in 16 x 16 images, compiled in as PNG resources:
//   0 up arrow in blue            1 the same in grey
//   2 down arrow in blue          3 the same in grey
//   4 pen with a blue barrel      5 the same in grey
//   6 torch with a red head       7 the same in grey
#pragma once

class QImage;
class TCustomImageList;

constexpr int MainWindowImageCount = 8;

// Adds the eight images, in order, to `list`.
void AddMainWindowImages(TCustomImageList& list);
// One image (a null image outside 0..7).
QImage MainWindowImage(int index);
