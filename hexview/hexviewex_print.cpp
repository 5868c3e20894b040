// THexViewEx: printing to a canvas, a preview picture and the printer.
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "hexview/ehexview.h"
#include "hexview/hexviewex.h"
#include "hexview/thvcanvasprinter.h"

void THexViewEx::SetPrintFont(const TFont& v) {
  printFont_.Assign(v);
  useEditorFontForPrinting_ = false;
}

const TFont& THexViewEx::FontForPrinting() const {
  return useEditorFontForPrinting_ ? Font() : printFont_;
}

QPrinter& THexViewEx::Printer() {
  if (printer_) return *printer_;
  if (!ownPrinter_) ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *ownPrinter_;
}

Integer THexViewEx::PrintScaled(TCanvas& canvas, Integer page, const TRect& rect, double scale) {
  if (page < 0) throw EHexView(kHVInvalidPageIndex);
  const TFont saved = canvas.Font();
  canvas.Font().Assign(FontForPrinting());
  if (scale != 1.0)
    canvas.Font().SetHeight(static_cast<int32_t>(std::lround(canvas.Font().Height() * scale)));
  Integer pages = 0;
  try {
    THVCanvasPrinter printer(*this, canvas, rect);
    pages = printer.Layout();
    if (page > pages) throw EHexView(kHVInvalidPageIndex);
    if (page > 0 && !printer.DrawPage(page)) throw EHexView(kHVPrintingFailed);
  } catch (...) {
    canvas.Font().Assign(saved);
    throw;
  }
  canvas.Font().Assign(saved);
  return pages;
}

Integer THexViewEx::PrintToCanvas(TCanvas& canvas, Integer page, const TRect& rect) {
  return PrintScaled(canvas, page, rect, 1.0);
}

TRect THexViewEx::PrinterMarginRect() {
  QPrinter& p = Printer();
  if (p.printerState() != QPrinter::Active && !p.fullPage()) p.setFullPage(true);
  auto px = [](Integer mm, int dpi) { return static_cast<int>(std::lround(mm / 25.4 * dpi)); };
  const int dx = p.logicalDpiX(), dy = p.logicalDpiY();
  return Rect(px(printOptions_.MarginLeft(), dx), px(printOptions_.MarginTop(), dy),
              p.width() - px(printOptions_.MarginRight(), dx),
              p.height() - px(printOptions_.MarginBottom(), dy));
}

void THexViewEx::RenderPrinterPage(QPainter& painter, Integer page) {
  QPrinter& p = Printer();
  const TRect margins = PrinterMarginRect();
  TCanvas canvas;
  canvas.BeginPaint(&painter, Rect(0, 0, p.width(), p.height()));
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, p.width(), p.height()));
  try {
    lastPageCount_ = PrintScaled(canvas, page, margins,
                                 static_cast<double>(p.logicalDpiY()) / ScreenPixelsPerInch);
  } catch (...) {
    canvas.EndPaint();
    throw;
  }
  canvas.EndPaint();
}

QPicture THexViewEx::PrintPreview(Integer page) {
  QPrinter& p = Printer();
  if (p.printerState() != QPrinter::Active && !p.fullPage()) p.setFullPage(true);
  QPicture picture;
  picture.setBoundingRect(QRect(0, 0, p.width(), p.height()));
  QPainter painter(&picture);
  RenderPrinterPage(painter, page);
  painter.end();
  return picture;
}

Integer THexViewEx::PrintNumPages() {
  PrintPreview(0);
  return lastPageCount_;
}

void THexViewEx::Print(Integer page) {
  if (page < 1) throw EHexView(kHVInvalidPageIndex);
  QPrinter& p = Printer();
  QPainter* painter = p.paintEngine() ? p.paintEngine()->painter() : nullptr;
  if (!painter || !painter->isActive()) throw EHexView(kHVPrintingFailed);
  RenderPrinterPage(*painter, page);
}

Integer THexViewEx::PrintDocument() {
  const Integer pages = PrintNumPages();
  QPrinter& p = Printer();
  const Integer from = p.fromPage() > 0 ? p.fromPage() : 1;
  const Integer to = p.toPage() > 0 ? std::min<Integer>(p.toPage(), pages) : pages;
  QPainter painter;
  if (!painter.begin(&p)) throw EHexView(kHVPrintingFailed);
  try {
    for (Integer page = from; page <= to; ++page) {
      if (page > from) p.newPage();
      Print(page);
    }
  } catch (...) {
    painter.end();
    throw;
  }
  if (!painter.end()) throw EHexView(kHVPrintingFailed);
  return pages;
}
