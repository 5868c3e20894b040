#include "framework/pen.h"

#include "framework/property.h"

TPen::TPen(const TPen& other)
    : color_(other.color_), width_(other.width_), style_(other.style_), mode_(other.mode_) {}

TPen& TPen::operator=(const TPen& other) {
  if (this == &other) return *this;
  bool differs = color_ != other.color_ || width_ != other.width_ || style_ != other.style_ ||
                 mode_ != other.mode_;
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  mode_ = other.mode_;
  if (differs) Changed();
  return *this;
}

void TPen::SetColor(TColor v) {
  if (Store(color_, v)) Changed();
}

void TPen::SetWidth(int32_t v) {
  if (v < 1) v = 1;
  if (Store(width_, v)) Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (Store(style_, v)) Changed();
}

void TPen::SetMode(TPenMode v) {
  if (Store(mode_, v)) Changed();
}
