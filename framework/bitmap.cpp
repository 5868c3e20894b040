#include "framework/bitmap.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

QImage NewImage(int width, int height) {
  QImage image(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace

TBitmap::TBitmap() : image_(std::make_unique<QImage>()), canvas_(std::make_unique<TCanvas>()) {}

TBitmap::TBitmap(int width, int height)
    : image_(std::make_unique<QImage>(NewImage(width, height))),
      canvas_(std::make_unique<TCanvas>()) {}

TBitmap::~TBitmap() {
  canvas_->Detach();
}

TBitmap::TBitmap(const TBitmap& other)
    : image_(std::make_unique<QImage>(other.image_->copy())),
      canvas_(std::make_unique<TCanvas>()),
      transparent_(other.transparent_),
      transparentMode_(other.transparentMode_),
      transparentColor_(other.transparentColor_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  canvas_->Detach();
  *image_ = other.image_->copy();
  transparent_ = other.transparent_;
  transparentMode_ = other.transparentMode_;
  transparentColor_ = other.transparentColor_;
  return *this;
}

int TBitmap::Width() const {
  return image_->width();
}
int TBitmap::Height() const {
  return image_->height();
}
void TBitmap::SetWidth(int v) {
  SetSize(v, Height());
}
void TBitmap::SetHeight(int v) {
  SetSize(Width(), v);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) return;
  bool attached = canvas_->HandleAllocated();
  canvas_->Detach();
  QImage next = NewImage(width, height);
  if (!image_->isNull() && width > 0 && height > 0) {
    QPainter p(&next);
    p.drawImage(QPoint(0, 0), *image_);
  }
  *image_ = next;
  if (attached && !image_->isNull()) canvas_->Attach(image_.get());
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_->HandleAllocated() && !image_->isNull()) canvas_->Attach(image_.get());
  return *canvas_;
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
    return ColorToRGB(transparentColor_);
  if (image_->isNull()) return clNone;
  QRgb p = image_->pixel(0, image_->height() - 1);
  return RGB(static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
             static_cast<uint8_t>(qBlue(p)));
}

void TBitmap::SetTransparentColor(TColor v) {
  transparentColor_ = v;
  transparentMode_ = tmFixed;
}

const QImage& TBitmap::Image() const {
  return *image_;
}

void TBitmap::LoadFromImage(const QImage& image) {
  canvas_->Detach();
  *image_ = image.convertToFormat(QImage::Format_RGB32);
}

bool TBitmap::LoadFromFile(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return false;
  LoadFromImage(image);
  return true;
}

bool TBitmap::SaveToFile(const std::string& path) const {
  return image_->save(QString::fromStdString(path));
}

QImage TBitmap::MaskedImage() const {
  if (!transparent_ || image_->isNull()) return *image_;
  QImage out = image_->convertToFormat(QImage::Format_ARGB32);
  TColor key = TransparentColor();
  QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (keyRgb & 0xFFFFFF)) line[x] = 0;
  }
  return out;
}

std::unique_ptr<TBitmap> AllocPatternBitmap(TColor background, TColor foreground) {
  auto bmp = std::make_unique<TBitmap>(8, 8);
  TCanvas& c = bmp->Canvas();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) c.SetPixels(x, y, (x % 2) == (y % 2) ? foreground : background);
  c.Detach();
  return bmp;
}
