// The widget gallery: every page is a render function registered from its
// own source file with GALLERY_PAGE; `widget-gallery --out DIR` runs them all
// and writes PNG files.
//
//   GALLERY_PAGE(checkbox) {
//     auto host = ctx.NewHost(300, 200);
//     ... create widgets on *host ...
//     ctx.SaveWidget(*host, "checkbox");
//   }
#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/controls.h"

class GalleryContext {
 public:
  explicit GalleryContext(std::string outDir) : outDir_(std::move(outDir)) {}

  // A shown top-level window (clBtnFace) of the given client size, made
  // active so its children can show the focus.
  std::unique_ptr<TCustomControl> NewHost(int width, int height);
  // Writes `name`.png into the output folder; false on failure.
  bool SaveImage(const QImage& image, const std::string& name);
  bool SaveWidget(QWidget& widget, const std::string& name);
  bool SaveBitmap(const TBitmap& bitmap, const std::string& name);
  // Lets queued paints and posted messages run.
  void Settle();

  const std::vector<std::string>& Written() const { return written_; }
  bool Failed() const { return failed_; }

 private:
  std::string outDir_;
  std::vector<std::string> written_;
  bool failed_ = false;
};

// Draws a caption with the default font (for naming cells on a bitmap).
void GalleryCaption(TCanvas& canvas, int x, int y, const std::string& text);

// A page assembled from cells: each cell is a picture with a caption under
// it, laid out left to right in rows of `columns`.
class GallerySheet {
 public:
  GallerySheet(int columns, int cellWidth, int cellHeight, const std::string& title);
  // Adds a cell; the picture is placed at the cell's top-left.
  void Add(const QImage& picture, const std::string& caption);
  QImage Image() const;

 private:
  int columns_, cellWidth_, cellHeight_;
  std::string title_;
  std::vector<std::pair<QImage, std::string>> cells_;
};

// The control as it paints now (after pending events ran).
QImage GrabControl(QWidget& widget);

using GalleryRender = std::function<void(GalleryContext&)>;

struct GalleryPage {
  std::string name;
  GalleryRender render;
};

// All registered pages, sorted by name.
std::vector<GalleryPage> GalleryPages();

class GalleryRegistrar {
 public:
  GalleryRegistrar(const char* name, GalleryRender render);
};

#define GALLERY_PAGE(id)                                                         \
  static void GalleryRender_##id(GalleryContext& ctx);                           \
  static const GalleryRegistrar galleryRegistrar_##id(#id, &GalleryRender_##id); \
  static void GalleryRender_##id(GalleryContext& ctx)
