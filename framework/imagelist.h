// TCustomImageList: a list of equally sized images (16 x 16 by default) with
// alpha; Draw paints one onto a canvas.
//
// Disabled drawing is the classic embossed look: every opaque pixel darker than
// luminance 192 is "ink"; the ink shape is drawn once in clBtnHighlight shifted
// one pixel right and down, then in clBtnShadow at the position itself. Light
// pixels and transparent ones are left out.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/colors.h"
#include "framework/exceptions.h"
#include "framework/object.h"

class QImage;
class TBitmap;
class TCanvas;

class TCustomImageList : public TObject {
 public:
  explicit TCustomImageList(int width = 16, int height = 16);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);  // clears the list when it changes
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds the image, cut into Width-wide cells when it is wider (a strip);
  // returns the index of the first image added, or -1 for an empty image.
  int Add(const QImage& image);
  // Adds a bitmap whose `maskColor` pixels become transparent.
  int AddMasked(const TBitmap& bitmap, TColor maskColor);
  // Loads a PNG (or any Qt-readable file or ":/" resource) and adds it; -1 on error.
  int AddFromFile(const std::string& path);
  void Replace(int index, const QImage& image);
  void Delete(int index);
  void Clear();
  // The image at index (EListError "List index out of bounds (%d)" outside).
  const QImage& Image(int index) const;

  // Draws image `index` with its top-left at (x, y); nothing for an index
  // outside the list.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

  TNotifyEvent OnChange;

 private:
  void Changed();
  QImage Fit(const QImage& image) const;
  int width_;
  int height_;
  std::vector<QImage> images_;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

// Greys a 32-bit image the way disabled Draw does (returns a new image of the
// same size: highlight and shadow ink on transparent).
QImage DisabledImage(const QImage& image);
