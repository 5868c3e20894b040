#include "framework/drawtext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <vector>

#include "framework/canvas.h"

namespace {

struct Line {
  QString text;
  int underline = -1;  // index in text of the accelerator character
  int width = 0;
};

struct Layout {
  QFontMetrics fm;
  bool expandTabs;
  int tabWidth;

  // Width of text with tabs expanded to multiples of tabWidth (from x = 0).
  int Advance(const QString& text) const {
    if (!expandTabs || !text.contains('\t')) return fm.horizontalAdvance(text);
    int x = 0;
    const QStringList parts = text.split('\t');
    for (int i = 0; i < parts.size(); ++i) {
      x += fm.horizontalAdvance(parts[i]);
      if (i + 1 < parts.size()) x = (x / tabWidth + 1) * tabWidth;
    }
    return x;
  }
};

QString StripPrefixQ(const QString& text, int* underlined) {
  QString out;
  int mark = -1;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out += '&';
        ++i;
      } else if (i + 1 < text.size()) {
        mark = static_cast<int>(out.size());
      }
      continue;
    }
    out += text[i];
  }
  if (underlined) *underlined = mark;
  return out;
}

// Breaks one paragraph (starting at character `offset` of the whole text)
// into lines no wider than `width` where spaces allow it.
void BreakParagraph(const Layout& lay, const QString& para, int offset, int width, int underline,
                    bool wordBreak, std::vector<Line>& lines) {
  auto push = [&](int from, int to) {
    Line l;
    l.text = para.mid(from, to - from);
    if (underline >= offset + from && underline < offset + to)
      l.underline = underline - offset - from;
    l.width = lay.Advance(l.text);
    lines.push_back(l);
  };
  if (!wordBreak) {
    push(0, static_cast<int>(para.size()));
    return;
  }
  int start = 0;
  const int n = static_cast<int>(para.size());
  while (true) {
    int lastFit = -1;  // end of the longest run of whole words that fits
    int i = start;
    while (i <= n) {
      if (i == n || para[i] == ' ') {
        if (lay.Advance(para.mid(start, i - start)) <= width || lastFit < 0)
          lastFit = i;
        else
          break;
        if (i == n) break;
      }
      ++i;
    }
    if (lastFit < 0) lastFit = n;
    push(start, lastFit);
    if (lastFit >= n) break;
    start = lastFit;
    while (start < n && para[start] == ' ') ++start;
    if (start >= n) break;
  }
}

void ApplyEllipsis(const Layout& lay, Line& line, int width) {
  if (line.width <= width) return;
  const QString dots = QStringLiteral("...");
  QString t = line.text;
  while (!t.isEmpty() && lay.Advance(t + dots) > width) t.chop(1);
  line.text = t + dots;
  if (line.underline >= t.size()) line.underline = -1;
  line.width = lay.Advance(line.text);
}

void DrawLine(QPainter* p, const Layout& lay, const Line& line, int x, int y, bool hideUnderline) {
  if (!lay.expandTabs || !line.text.contains('\t')) {
    p->drawText(QPoint(x, y + lay.fm.ascent()), line.text);
  } else {
    int cx = 0;
    const QStringList parts = line.text.split('\t');
    for (int i = 0; i < parts.size(); ++i) {
      p->drawText(QPoint(x + cx, y + lay.fm.ascent()), parts[i]);
      cx += lay.fm.horizontalAdvance(parts[i]);
      if (i + 1 < parts.size()) cx = (cx / lay.tabWidth + 1) * lay.tabWidth;
    }
  }
  if (line.underline >= 0 && !hideUnderline) {
    int ux = x + lay.Advance(line.text.left(line.underline));
    int uw = lay.fm.horizontalAdvance(line.text.mid(line.underline, 1));
    int uy = y + lay.fm.ascent() + std::max(1, lay.fm.underlinePos());
    p->fillRect(QRect(ux, uy, uw, 1), p->pen().color());
  }
}

// The lines `text` takes in `width` pixels: accelerator marks taken out
// (unless DT_NOPREFIX), broken at line ends and, with DT_WORDBREAK, at spaces,
// and shortened with an ellipsis under DT_END_ELLIPSIS.
std::vector<Line> BreakText(const Layout& lay, const std::string& text, int width, uint32_t flags) {
  QString all = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const bool single = flags & DT_SINGLELINE;
  if (single) all.replace('\n', ' ').replace('\r', ' ');
  int underline = -1;
  if (!(flags & DT_NOPREFIX)) all = StripPrefixQ(all, &underline);
  if (flags & DT_PREFIXONLY) all.clear();

  std::vector<Line> lines;
  int offset = 0;
  for (const QString& para : all.split('\n')) {
    BreakParagraph(lay, para, offset, width, underline, (flags & DT_WORDBREAK) && !single, lines);
    offset += static_cast<int>(para.size()) + 1;
  }
  if (flags & DT_END_ELLIPSIS)
    for (Line& l : lines) ApplyEllipsis(lay, l, width);
  return lines;
}

// Paints the lines into `rect`, each on the brush colour unless the brush is
// clear; a single line may be centred vertically or put at the bottom.
void PaintLines(TCanvas& canvas, const QFont& font, const Layout& lay,
                const std::vector<Line>& lines, const TRect& rect, uint32_t flags) {
  QPainter* p = canvas.Painter();
  if (!p) return;
  const int lineHeight = lay.fm.height();
  const bool single = flags & DT_SINGLELINE;
  int y = rect.Top;
  if (single && (flags & DT_VCENTER))
    y = rect.Top + (rect.Height() - lineHeight) / 2;
  else if (single && (flags & DT_BOTTOM))
    y = rect.Bottom - lineHeight;

  p->save();
  if (!(flags & DT_NOCLIP)) p->setClipRect(ToQRect(rect), Qt::IntersectClip);
  p->setFont(font);
  p->setLayoutDirection((flags & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
  const bool opaque = canvas.Brush().Style() != bsClear;
  for (const Line& l : lines) {
    int x = rect.Left;
    if (flags & DT_CENTER)
      x = rect.Left + (rect.Width() - l.width) / 2;
    else if (flags & DT_RIGHT)
      x = rect.Right - l.width;
    if (opaque)
      p->fillRect(QRect(x, y, l.width, lineHeight), ColorToQColor(canvas.Brush().Color()));
    p->setPen(ColorToQColor(canvas.Font().Color()));
    DrawLine(p, lay, l, x, y, flags & DT_HIDEPREFIX);
    y += lineHeight;
  }
  p->restore();
}

}  // namespace

std::string StripPrefix(const std::string& text, int* underlined) {
  int mark = -1;
  QString out = StripPrefixQ(QString::fromStdString(text), &mark);
  std::string result = out.toStdString();
  if (underlined)
    *underlined = mark < 0 ? -1 : static_cast<int>(out.left(mark).toStdString().size());
  return result;
}

int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, uint32_t flags) {
  const QFont font = canvas.Font().ToQFont();
  Layout lay{QFontMetrics(font), (flags & DT_EXPANDTABS) != 0, 0};
  lay.tabWidth = std::max(1, 8 * lay.fm.averageCharWidth());
  const std::vector<Line> lines = BreakText(lay, text, rect.Width(), flags);
  const int total = lay.fm.height() * static_cast<int>(lines.size());
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const Line& l : lines) widest = std::max(widest, l.width);
    rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + total;
  } else {
    PaintLines(canvas, font, lay, lines, rect, flags);
  }
  return total;
}
