#include "framework/imagelist.h"

#include <QImage>
#include <QPainter>

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/exceptions.h"

namespace {

// Pixels at or above this luminance count as light and drop out of the
// embossed disabled image.
constexpr int kInkThreshold = 192;

}  // namespace

QImage DisabledImage(const QImage& image) {
  QImage src = image.convertToFormat(QImage::Format_ARGB32);
  QImage out(src.size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  const QRgb hiRgb = qRgb(GetRValue(hi), GetGValue(hi), GetBValue(hi));
  const QRgb shRgb = qRgb(GetRValue(sh), GetGValue(sh), GetBValue(sh));
  auto ink = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= src.width() || y >= src.height()) return false;
    QRgb p = src.pixel(x, y);
    return qAlpha(p) >= 128 && qGray(p) < kInkThreshold;
  };
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      if (ink(x, y))
        out.setPixel(x, y, shRgb);
      else if (ink(x - 1, y - 1))
        out.setPixel(x, y, hiRgb);
    }
  return out;
}

TCustomImageList::TCustomImageList(int width, int height) : width_(width), height_(height) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
  Changed();
}

QImage TCustomImageList::Fit(const QImage& image) const {
  QImage cell(width_, height_, QImage::Format_ARGB32);
  cell.fill(Qt::transparent);
  QPainter p(&cell);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), image.convertToFormat(QImage::Format_ARGB32));
  return cell;
}

int TCustomImageList::Add(const QImage& image) {
  if (image.isNull() || width_ <= 0 || height_ <= 0) return -1;
  const int first = Count();
  const int cells = std::max(1, image.width() / width_);
  for (int i = 0; i < cells; ++i)
    images_.push_back(Fit(image.copy(i * width_, 0, width_, height_)));
  Changed();
  return first;
}

int TCustomImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  TBitmap copy(bitmap);
  copy.SetTransparent(true);
  copy.SetTransparentColor(maskColor);
  return Add(copy.MaskedImage());
}

int TCustomImageList::AddFromFile(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return -1;
  return Add(image);
}

void TCustomImageList::Replace(int index, const QImage& image) {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  images_[index] = Fit(image);
  Changed();
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  images_.erase(images_.begin() + index);
  Changed();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

const QImage& TCustomImageList::Image(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return images_[index];
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  canvas.Draw(x, y, enabled ? images_[index] : DisabledImage(images_[index]));
}
