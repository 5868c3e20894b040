#include "framework/brush.h"

#include "framework/bitmap.h"
#include "framework/property.h"

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

TBrush::TBrush(const TBrush& other) : color_(other.color_), style_(other.style_) {
  if (other.bitmap_) bitmap_ = std::make_unique<TBitmap>(*other.bitmap_);
}

TBrush& TBrush::operator=(const TBrush& other) {
  if (this == &other) return *this;
  color_ = other.color_;
  style_ = other.style_;
  bitmap_ = other.bitmap_ ? std::make_unique<TBitmap>(*other.bitmap_) : nullptr;
  Changed();
  return *this;
}

void TBrush::SetColor(TColor v) {
  if (color_ == v && style_ != bsClear) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (Store(style_, v)) Changed();
}

void TBrush::SetBitmap(const TBitmap* v) {
  bitmap_ = v ? std::make_unique<TBitmap>(*v) : nullptr;
  Changed();
}
