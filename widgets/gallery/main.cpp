// widget-gallery --out DIR [--page NAME]: renders every registered gallery
// page (widgets in their states, frame styles, gradients) to PNG files.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <string>

#include "widgets/gallery/gallery.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: widget-gallery --out DIR [--page NAME] | --list\n");
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, only;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
      out = argv[++i];
    } else if (!std::strcmp(argv[i], "--page") && i + 1 < argc) {
      only = argv[++i];
    } else if (!std::strcmp(argv[i], "--list")) {
      list = true;
    } else {
      return Usage();
    }
  }
  if (list) {
    for (const GalleryPage& p : GalleryPages()) std::printf("%s\n", p.name.c_str());
    return 0;
  }
  if (out.empty()) return Usage();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (!QDir().mkpath(QString::fromStdString(out))) {
    std::fprintf(stderr, "widget-gallery: cannot create %s\n", out.c_str());
    return 1;
  }
  GalleryContext ctx(out);
  int pages = 0;
  for (const GalleryPage& p : GalleryPages()) {
    if (!only.empty() && p.name != only) continue;
    p.render(ctx);
    ++pages;
  }
  for (const std::string& f : ctx.Written()) std::printf("%s\n", f.c_str());
  if (pages == 0) {
    std::fprintf(stderr, "widget-gallery: no page named %s\n", only.c_str());
    return 64;
  }
  return ctx.Failed() ? 1 : 0;
}
