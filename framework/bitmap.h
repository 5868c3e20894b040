// TBitmap: an offscreen 32-bit image that owns a canvas. New pixels are white.
// With Transparent set, Draw leaves out the pixels of TransparentColor
// (tmAuto: the colour of the bottom-left pixel; tmFixed: TransparentColor).
#pragma once

#include <memory>
#include <string>

#include "framework/canvas.h"
#include "framework/colors.h"

class QImage;

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  void Assign(const TBitmap& source) { *this = source; }

  int Width() const;
  int Height() const;
  void SetWidth(int v);
  void SetHeight(int v);
  void SetSize(int width, int height);  // keeps the overlapping pixels
  bool Empty() const { return Width() == 0 || Height() == 0; }

  TCanvas& Canvas();

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode v) { transparentMode_ = v; }
  // The colour treated as see-through (resolved for tmAuto).
  TColor TransparentColor() const;
  void SetTransparentColor(TColor v);  // also switches to tmFixed

  // The pixels (opaque 32-bit RGB; drawing so far is included).
  const QImage& Image() const;
  void LoadFromImage(const QImage& image);
  bool LoadFromFile(const std::string& path);      // any format Qt reads; false on error
  bool SaveToFile(const std::string& path) const;  // format from the extension

  // The image with TransparentColor pixels made fully transparent when
  // Transparent is set (otherwise the image itself).
  QImage MaskedImage() const;

 private:
  std::unique_ptr<QImage> image_;
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
};

// An 8 x 8 two-colour checkerboard for pattern brushes: pixel (x, y) is
// foreground when x and y are both even or both odd, else background.
std::unique_ptr<TBitmap> AllocPatternBitmap(TColor background, TColor foreground);
