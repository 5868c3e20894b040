#include "widgets/gallery/gallery.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "framework/drawtext.h"

namespace {

std::vector<GalleryPage>& Registry() {
  static std::vector<GalleryPage> pages;
  return pages;
}

}  // namespace

GalleryRegistrar::GalleryRegistrar(const char* name, GalleryRender render) {
  Registry().push_back({name, std::move(render)});
}

std::vector<GalleryPage> GalleryPages() {
  std::vector<GalleryPage> pages = Registry();
  std::sort(pages.begin(), pages.end(),
            [](const GalleryPage& a, const GalleryPage& b) { return a.name < b.name; });
  return pages;
}

std::unique_ptr<TCustomControl> GalleryContext::NewHost(int width, int height) {
  auto host = std::make_unique<TCustomControl>();
  host->SetBounds(0, 0, width, height);
  host->show();
  host->activateWindow();
  QApplication::setActiveWindow(host.get());
  if (!QTest::qWaitForWindowActive(host.get(), 1000))
    std::fprintf(stderr, "gallery: host window not active\n");
  return host;
}

void GalleryContext::Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

bool GalleryContext::SaveImage(const QImage& image, const std::string& name) {
  const QString path =
      QDir(QString::fromStdString(outDir_)).filePath(QString::fromStdString(name) + ".png");
  const bool ok = image.save(path, "PNG");
  if (ok)
    written_.push_back(path.toStdString());
  else
    failed_ = true;
  return ok;
}

bool GalleryContext::SaveWidget(QWidget& widget, const std::string& name) {
  Settle();
  return SaveImage(widget.grab().toImage().convertToFormat(QImage::Format_RGB32), name);
}

bool GalleryContext::SaveBitmap(const TBitmap& bitmap, const std::string& name) {
  return SaveImage(bitmap.Image(), name);
}

void GalleryCaption(TCanvas& canvas, int x, int y, const std::string& text) {
  canvas.Font() = TFont();
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(x, y, text);
}

GallerySheet::GallerySheet(int columns, int cellWidth, int cellHeight, const std::string& title)
    : columns_(columns), cellWidth_(cellWidth), cellHeight_(cellHeight), title_(title) {}

void GallerySheet::Add(const QImage& picture, const std::string& caption) {
  cells_.emplace_back(picture, caption);
}

QImage GallerySheet::Image() const {
  const int margin = 10, titleHeight = 24, captionHeight = 16;
  const int rows = (static_cast<int>(cells_.size()) + columns_ - 1) / columns_;
  TBitmap bmp(2 * margin + columns_ * cellWidth_,
              titleHeight + margin + rows * (cellHeight_ + captionHeight + margin));
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clBtnFace);
  c.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
  c.Font() = TFont();
  c.Font().SetStyle(fsBold);
  c.Brush().SetStyle(bsClear);
  c.TextOut(margin, 6, title_);
  for (size_t i = 0; i < cells_.size(); ++i) {
    const int col = static_cast<int>(i) % columns_, row = static_cast<int>(i) / columns_;
    const int x = margin + col * cellWidth_;
    const int y = titleHeight + margin + row * (cellHeight_ + captionHeight + margin);
    c.Draw(x, y, cells_[i].first);
    GalleryCaption(c, x, y + cellHeight_ + 2, cells_[i].second);
  }
  return bmp.Image();
}

QImage GrabControl(QWidget& widget) {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
