// Hex view printing: printed lines, page layout, header and footer, flags,
// page errors; pages printed to PDF and read back with pdftotext/pdffonts.
#include <QDate>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "hexview/ehexview.h"
#include "hexview/hvprintline.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

std::string Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0)
    return "<" + program.toStdString() + " failed>";
  return p.readAllStandardOutput().toStdString();
}

// Prints the whole document of v into a PDF and returns its path.
QString PrintPdf(THexViewEx& v, const QTemporaryDir& dir, const char* name = "out.pdf") {
  const QString path = dir.filePath(name);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  v.SetPrinter(&printer);
  v.PrintDocument();
  v.SetPrinter(nullptr);
  return path;
}

// The text of the PDF (or one page) in layout order, runs of spaces made one
// (the exact spacing of a line is checked on HVPrintLine).
std::string PdfText(const QString& pdf, int page = 0) {
  QStringList args{"-layout"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  const std::string raw = Run("pdftotext", args << pdf << "-");
  std::string text;
  for (char c : raw)
    if (c != ' ' || text.empty() || text.back() != ' ') text += c;
  return text;
}

int PdfPages(const QString& pdf) {
  const std::string info = Run("pdfinfo", {pdf});
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

bool HasBoldFont(const QString& pdf) {
  return Run("pdffonts", {pdf}).find("Bold") != std::string::npos;
}

std::vector<std::string> DataLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find("0x") != std::string::npos) lines.push_back(line);
  return lines;
}

std::vector<Byte> Counting(int n) {
  std::vector<Byte> bytes(n);
  for (int i = 0; i < n; ++i) bytes[i] = static_cast<Byte>(i);
  return bytes;
}

}  // namespace

class HexViewPrintTest : public QObject {
  Q_OBJECT

 private slots:
  void printedLinesFollowTheLayoutSettings() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Counting(64));
    QCOMPARE(HVPrintLine(v, 0, 63).Utf8(), std::string("0x00: 00 01 02 03 04 05 06 07  ........"));
    QCOMPARE(HVPrintLine(v, 0x38, 63).Utf8(),
             std::string("0x38: 38 39 3A 3B 3C 3D 3E 3F  89:;<=>?"));
    // Beyond the range: two spaces per byte and a space per character.
    QCOMPARE(HVPrintLine(v, 0x3C, 63).Utf8(),
             std::string("0x3C: 3C 3D 3E 3F              <=>?    "));
    v.SetBytesPerColumn(2);
    v.SetBytesPerBlock(4);
    v.SetHexLowerCase(true);
    v.SetSwapNibbles(true);
    v.SetBytesPerUnit(2);
    QCOMPARE(HVPrintLine(v, 0x28, 63).Utf8(),
             std::string("0x14: 8292 a2b2  c2d2 e2f2  () *+  ,- ./"));  // offsets in units
    const TTextWithAttr line = HVPrintLine(v, 0x28, 63);
    QCOMPARE(int(line.Attr[6]), int(hvaOddGroup));    // first column group
    QCOMPARE(int(line.Attr[11]), int(hvaEvenGroup));  // second
    QCOMPARE(int(line.Attr[line.Text.find(U')') + 1]), int(hvaCharSeparator));
    QCOMPARE(int(line.Attr.back()), int(hvaChar));
  }

  void caretRowAndSelectionCarryTheBoldMark() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Counting(64));
    v.Data().MoveCaret(9, false);
    v.NewSelection(9, 10);
    QCOMPARE(v.GetCursorPos(), 9);
    const TTextWithAttr caretRow = HVPrintLine(v, 8, 63);
    const TTextWithAttr other = HVPrintLine(v, 16, 63);
    QVERIFY((caretRow.Attr[0] & hvaBold) != 0);  // the caret sits on byte 9
    QVERIFY((other.Attr[0] & hvaBold) == 0);
    QVERIFY((caretRow.Attr[6] & hvaBold) == 0);   // byte 8: not selected
    QVERIFY((caretRow.Attr[9] & hvaBold) != 0);   // byte 9
    QVERIFY((caretRow.Attr[12] & hvaBold) != 0);  // byte 10
    QVERIFY((caretRow.Attr[31] & hvaBold) == 0);  // byte 8's character
    QVERIFY((caretRow.Attr[32] & hvaBold) != 0);  // byte 9's
  }

  void aRomImagePrintsEightLinesOnOnePage() {
    QTemporaryDir dir;
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Counting(64));
    QCOMPARE(v.PrintNumPages(), 1);
    const QString pdf = PrintPdf(v, dir);
    QCOMPARE(PdfPages(pdf), 1);
    const std::vector<std::string> lines = DataLines(PdfText(pdf));
    QCOMPARE(int(lines.size()), 8);
    QVERIFY2(lines[0].find("0x00: 00 01 02 03 04 05 06 07") != std::string::npos, lines[0].c_str());
    QVERIFY2(lines[7].find("0x38: 38 39 3A 3B 3C 3D 3E 3F 89:;<=>?") != std::string::npos,
             lines[7].c_str());
  }

  void pagesFollowOneAnotherAndTheCountMatches() {
    QTemporaryDir dir;
    ViewHost h(420, 240, false);
    THexViewEx& v = *h.view;
    h.Fill(Counting(4096));  // 256 rows of 16
    const Integer pages = v.PrintNumPages();
    QVERIFY(pages > 1);
    const QString pdf = PrintPdf(v, dir);
    QCOMPARE(PdfPages(pdf), pages);
    const int perPage = int(DataLines(PdfText(pdf, 1)).size());
    QCOMPARE(pages, (256 + perPage - 1) / perPage);
    const std::vector<std::string> second = DataLines(PdfText(pdf, 2));
    char expected[16];
    std::snprintf(expected, sizeof expected, "%X", perPage * 16);
    QVERIFY2(second.at(0).find(expected) != std::string::npos, second.at(0).c_str());
    const std::vector<std::string> last = DataLines(PdfText(pdf, pages));
    QCOMPARE(int(last.size()), 256 - (pages - 1) * perPage);
    QVERIFY2(last.back().find("FF0:") != std::string::npos, last.back().c_str());
  }

  void headerAndFooterFillTheirPlaceholders() {
    QTemporaryDir dir;
    ViewHost h;
    THexViewEx& v = *h.view;
    const QString file = dir.filePath("image.bin");
    {
      QFile f(file);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(QByteArray(64, 'A'));
    }
    v.LoadFromFile(file.toStdString());
    v.PrintOptions().SetPageHeader("%f|Page %p of %P|%d");
    v.PrintOptions().SetPageFooter("%<|%F|%> %x");
    const std::string text = PdfText(PrintPdf(v, dir));
    const std::string date =
        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    std::istringstream in(text);
    std::string header;
    while (header.empty() || header.find_first_not_of(' ') == std::string::npos)
      std::getline(in, header);
    QVERIFY2(header.find("image.bin") < header.find("Page 1 of 1"), header.c_str());
    QVERIFY2(header.find("Page 1 of 1") < header.find(date), header.c_str());
    QVERIFY2(text.find("WIN") != std::string::npos, text.c_str());
    QVERIFY2(text.find("Windows") != std::string::npos, text.c_str());
    QVERIFY2(text.find(file.toStdString()) != std::string::npos, text.c_str());
    QVERIFY2(text.find("Windows %x") != std::string::npos, text.c_str());
    QCOMPARE(int(DataLines(text).size()), 8);
  }

  void selectionOnlyAndBoldSelectionFlags() {
    QTemporaryDir dir;
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Counting(64));
    v.PrintOptions().SetFlags(pfSelectionOnly | pfMonochrome);
    QCOMPARE(int(DataLines(PdfText(PrintPdf(v, dir, "a.pdf"))).size()), 8);  // no selection
    v.NewSelection(0x12, 0x15);
    std::vector<std::string> lines = DataLines(PdfText(PrintPdf(v, dir, "b.pdf")));
    QCOMPARE(int(lines.size()), 1);
    QVERIFY2(lines[0].find("0x12: 12 13 14 15") != std::string::npos, lines[0].c_str());
    QVERIFY(!HasBoldFont(dir.filePath("b.pdf")));
    v.PrintOptions().SetFlags(pfSelectionBold | pfMonochrome);
    QVERIFY(HasBoldFont(PrintPdf(v, dir, "c.pdf")));
    QCOMPARE(int(DataLines(PdfText(dir.filePath("c.pdf"))).size()), 8);
    v.PrintOptions().SetFlags(pfMonochrome);
    QVERIFY(!HasBoldFont(PrintPdf(v, dir, "d.pdf")));
  }

  void previewPicturesHaveThePrintersSizeAndCountThePages() {
    ViewHost h(420, 240, false);
    THexViewEx& v = *h.view;
    h.Fill(Counting(4096));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    v.SetPrinter(&printer);
    const Integer pages = v.PrintNumPages();
    const QPicture page2 = v.PrintPreview(2);
    QCOMPARE(v.LastPageCount(), pages);
    QCOMPARE(page2.boundingRect(), QRect(0, 0, printer.width(), printer.height()));
    QVERIFY(page2.size() > v.PrintPreview(0).size());  // a page holds drawing, a count none
    const TRect margins = v.PrinterMarginRect();       // 20, 15, 25, 25 mm at 1200 dpi
    QCOMPARE(margins, Rect(945, 709, printer.width() - 1181, printer.height() - 1181));
    QVERIFY_THROWS_EXCEPTION(EHexView, v.PrintPreview(pages + 1));
    v.SetPrinter(nullptr);
  }

  void pageIndexErrorsAndTheFontThatShrinks() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Counting(64));
    QImage image(800, 600, QImage::Format_RGB32);
    TCanvas canvas;
    canvas.Attach(&image);
    canvas.Font().SetHeight(-9);
    const TRect wide = Rect(0, 0, 800, 600);
    QCOMPARE(v.PrintToCanvas(canvas, 1, wide), 1);
    QCOMPARE(canvas.Font().Height(), -9);  // restored
    QCOMPARE(image.pixelColor(799, 599), QColor(Qt::white));
    for (Integer bad : {-1, 2}) {
      try {
        v.PrintToCanvas(canvas, bad, wide);
        QFAIL("no error");
      } catch (const EHexView& e) {
        QCOMPARE(std::string(e.what()), std::string("Invalid Page Index"));
      }
    }
    QVERIFY_THROWS_EXCEPTION(EHexView, v.Print(0));
    // The line does not fit 120 pixels at the view's font: the font
    // shrinks, so more lines fit a short page than at full width.
    v.PrintOptions().SetFlags(pfMonochrome);
    h.Fill(Counting(1024));
    const TRect shortWide = Rect(0, 0, 800, 150), shortNarrow = Rect(0, 0, 120, 150);
    const Integer widePages = v.PrintToCanvas(canvas, 0, shortWide);
    const Integer narrowPages = v.PrintToCanvas(canvas, 0, shortNarrow);
    QVERIFY2(narrowPages < widePages,
             (std::to_string(narrowPages) + " / " + std::to_string(widePages)).c_str());
    // No line fits at all: no pages, and page 1 does not exist.
    QCOMPARE(v.PrintToCanvas(canvas, 0, Rect(0, 0, 800, 3)), 0);
    QVERIFY_THROWS_EXCEPTION(EHexView, v.PrintToCanvas(canvas, 1, Rect(0, 0, 800, 3)));
  }
};

QTEST_MAIN(HexViewPrintTest)
#include "tst_hexview_print.moc"
