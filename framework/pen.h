// TPen: the line style of a canvas.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/colors.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Raster operations between the pen (or brush) colour and the pixels drawn on.
// pmNot inverts the destination, pmXor xors the colour into it, pmNop leaves
// it, pmBlack and pmWhite set black or white; the others follow their names.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

class TPen {
 public:
  TPen() = default;  // clBlack, width 1, psSolid, pmCopy
  TPen(const TPen& other);
  TPen& operator=(const TPen& other);
  void Assign(const TPen& source) { *this = source; }

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t v);  // values below 1 mean 1
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode v);

  std::function<void(TPen* sender)> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};
