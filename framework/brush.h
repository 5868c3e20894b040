// TBrush: the fill style of a canvas. A brush with a Bitmap paints that bitmap
// as a repeating pattern aligned to the canvas origin (pixel (x, y) of the fill
// takes bitmap pixel (x mod w, y mod h)); see AllocPatternBitmap.
#pragma once

#include <functional>
#include <memory>

#include "framework/colors.h"

class TBitmap;

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush {
 public:
  TBrush();  // clWhite, bsSolid, no bitmap
  ~TBrush();
  TBrush(const TBrush& other);
  TBrush& operator=(const TBrush& other);
  void Assign(const TBrush& source) { *this = source; }

  TColor Color() const { return color_; }
  void SetColor(TColor v);  // also sets Style to bsSolid when it was bsClear
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);
  // Pattern bitmap; the brush keeps its own copy. nullptr removes it.
  const TBitmap* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(const TBitmap* v);

  std::function<void(TBrush* sender)> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  std::unique_ptr<TBitmap> bitmap_;
};
