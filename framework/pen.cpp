#include "framework/pen.h"

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
  if (color_ == v) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int32_t v) {
  if (v < 1) v = 1;
  if (width_ == v) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (style_ == v) return;
  style_ = v;
  Changed();
}

void TPen::SetMode(TPenMode v) {
  if (mode_ == v) return;
  mode_ = v;
  Changed();
}
