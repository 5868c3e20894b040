// THVCanvasPrinter: page layout and drawing of printed hex view pages.
#include "hexview/thvcanvasprinter.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <cmath>
#include <filesystem>

#include "hexview/hexviewex.h"
#include "hexview/hvprintline.h"
#include "hexview/hvtranslation.h"

THVCanvasPrinter::THVCanvasPrinter(THexViewEx& view, TCanvas& canvas, const TRect& rect)
    : view_(view), canvas_(canvas), rect_(rect) {}

void THVCanvasPrinter::ChooseRange() {
  const THexViewData& d = view_.Data();
  const THVPrintOptions& o = view_.PrintOptions();
  start_ = 0;
  end_ = view_.DataSize() - 1;
  if (o.Has(pfSelectionOnly) && d.HasSelection()) {
    start_ = d.Selection().Low;
    end_ = d.Selection().High;
  } else if (o.Has(pfCurrentViewOnly) && view_.DataSize() > 0) {
    start_ = view_.DisplayStart();
    end_ = view_.DisplayEnd();
  }
  const Integer perRow = view_.BytesPerRow();
  rows_ = end_ < start_ ? 0 : (static_cast<Int64>(end_) - start_ + perRow) / perRow;
}

void THVCanvasPrinter::FitFont() {
  if (rows_ == 0) return;
  TFont& f = canvas_.Font();
  const size_t chars = HVPrintLine(view_, start_, end_).Text.size();
  auto width = [&] { return static_cast<Int64>(chars) * canvas_.TextWidth("w"); };
  while (width() > rect_.Width() && std::abs(f.Height()) > 1)
    f.SetHeight(f.Height() < 0 ? f.Height() + 1 : f.Height() - 1);
  cellWidth_ = std::max(1, canvas_.TextWidth("w"));
  const int text = canvas_.TextHeight("Wy");
  lineHeight_ = static_cast<int>(std::lround(text * 1.2));
  if (lineHeight_ == text) ++lineHeight_;
}

int THVCanvasPrinter::DataTop() const {
  return rect_.Top + (view_.PrintOptions().PageHeader().empty() ? 0 : 2 * lineHeight_);
}

int THVCanvasPrinter::UsableBottom() const {
  return rect_.Bottom - (view_.PrintOptions().PageFooter().empty() ? 0 : lineHeight_);
}

Integer THVCanvasPrinter::Layout() {
  ChooseRange();
  FitFont();
  linesPerPage_ = 0;
  const Integer perRow = view_.BytesPerRow();
  // A dry run of page 1: lines that fit while the range has bytes left.
  Int64 first = start_;
  for (int y = DataTop(); rows_ > 0 && y + lineHeight_ <= UsableBottom() && first <= end_;
       y += lineHeight_, first += perRow)
    ++linesPerPage_;
  pages_ = linesPerPage_ == 0 ? 0 : (rows_ + linesPerPage_ - 1) / linesPerPage_;
  laidOut_ = true;
  return pages_;
}

std::string THVCanvasPrinter::Expand(const std::string& text, Integer page) const {
  const TCustomHexView& d = view_;
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    const int kind = d.Translation();
    switch (c) {
      case 'p':
        out += std::to_string(page);
        break;
      case 'P':
        out += std::to_string(pages_);
        break;
      case 'f':
        out += std::filesystem::path(d.FileName()).filename().string();
        break;
      case 'F':
        out += d.FileName();
        break;
      case 'd':
        out += QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
        break;
      case 't':
        out += QLocale().toString(QTime::currentTime(), QLocale::ShortFormat).toStdString();
        break;
      case '<':
        out +=
            d.UnicodeChars() ? (d.UnicodeBigEndian() ? "UBE" : "UC") : HVTranslationDescShort[kind];
        break;
      case '>':
        out += d.UnicodeChars() ? (d.UnicodeBigEndian() ? "Unicode Big Endian" : "Unicode")
                                : HVTranslationDesc[kind];
        break;
      default:
        out += '%';
        out += c;
    }
  }
  return out;
}

void THVCanvasPrinter::DrawFrameText(const std::string& text, int y, Integer page) {
  const std::string expanded = Expand(text, page);
  std::string parts[3];
  size_t from = 0;
  for (int k = 0; k < 3; ++k) {
    const size_t bar = k < 2 ? expanded.find('|', from) : std::string::npos;
    parts[k] = expanded.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
    if (bar == std::string::npos) break;
    from = bar + 1;
  }
  canvas_.Brush().SetStyle(bsClear);
  canvas_.TextOut(rect_.Left, y, parts[0]);
  canvas_.TextOut(rect_.Left + (rect_.Width() - canvas_.TextWidth(parts[1])) / 2, y, parts[1]);
  canvas_.TextOut(rect_.Right - canvas_.TextWidth(parts[2]), y, parts[2]);
}

void THVCanvasPrinter::DrawLine(Integer first, int y) {
  const THVPrintOptions& o = view_.PrintOptions();
  const THVColors& k = view_.Colors();
  const bool mono = o.Has(pfMonochrome);
  const bool bold = o.Has(pfSelectionBold) && !o.Has(pfSelectionOnly);
  const TColor text = canvas_.Font().Color();
  const TFontStyles style = canvas_.Font().Style();
  const TTextWithAttr line = HVPrintLine(view_, first, end_);
  canvas_.Brush().SetStyle(bsClear);
  for (size_t i = 0; i < line.Text.size(); ++i) {
    if (line.Text[i] == U' ') continue;
    const Byte attr = line.Attr[i];
    TColor colour = text;
    if (!mono) {
      switch (attr & 15) {
        case hvaOffset:
          colour = k.Offset();
          break;
        case hvaEvenGroup:
          colour = k.EvenColumn();
          break;
        case hvaOddGroup:
          colour = k.OddColumn();
          break;
        default:
          break;
      }
    }
    canvas_.Font().SetColor(colour);
    canvas_.Font().SetStyle(bold && (attr & hvaBold) ? style | fsBold : style);
    TTextWithAttr one;
    one.Add(line.Text[i], attr);
    canvas_.TextOut(rect_.Left + static_cast<int>(i) * cellWidth_, y, one.Utf8());
  }
  canvas_.Font().SetColor(text);
  canvas_.Font().SetStyle(style);
}

bool THVCanvasPrinter::DrawPage(Integer page) {
  if (!laidOut_) Layout();
  if (page < 1 || page > pages_) return false;
  const THVPrintOptions& o = view_.PrintOptions();
  const bool mono = o.Has(pfMonochrome);
  canvas_.Brush().SetStyle(bsSolid);
  canvas_.Brush().SetColor(mono || !o.Has(pfUseBackgroundColor) ? clWhite
                                                                : view_.Colors().Background());
  if (mono) canvas_.Font().SetColor(clBlack);
  canvas_.FillRect(rect_);
  canvas_.Pen().SetColor(canvas_.Font().Color());
  canvas_.Pen().SetStyle(psSolid);
  canvas_.Pen().SetWidth(std::max(1, lineHeight_ / 16));
  if (!o.PageHeader().empty()) {
    DrawFrameText(o.PageHeader(), rect_.Top, page);
    canvas_.MoveTo(rect_.Left, rect_.Top + lineHeight_);
    canvas_.LineTo(rect_.Right, rect_.Top + lineHeight_);
  }
  const int bottom = UsableBottom();
  if (!o.PageFooter().empty()) {
    canvas_.MoveTo(rect_.Left, bottom);
    canvas_.LineTo(rect_.Right, bottom);
    DrawFrameText(o.PageFooter(), bottom, page);
  }
  const Integer perRow = view_.BytesPerRow();
  Int64 first = start_ + static_cast<Int64>(linesPerPage_) * perRow * (page - 1);
  int drawn = 0;
  for (int y = DataTop(); y + lineHeight_ <= bottom && first <= end_; y += lineHeight_) {
    DrawLine(static_cast<Integer>(first), y);
    first += perRow;
    ++drawn;
  }
  return drawn > 0;
}
