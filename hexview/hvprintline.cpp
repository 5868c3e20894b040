// Building a printed line of the hex view.
#include "hexview/hvprintline.h"

#include "hexview/hexview.h"
#include "hexview/hvtranslation.h"

namespace {

std::u32string Decode(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (int k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    out += cp;
    i += len;
  }
  return out;
}

char32_t HexDigit(int v, bool lower) {
  return static_cast<char32_t>((lower ? "0123456789abcdef" : "0123456789ABCDEF")[v & 15]);
}

void AddOffset(TTextWithAttr& line, TCustomHexView& view, Integer first) {
  const Integer caret = view.GetCursorPos();
  const bool caretRow = caret >= first && caret < first + view.BytesPerRow();
  const Byte attr = hvaOffset | (caretRow ? hvaBold : 0);
  const std::u32string text = Decode(view.GetOffsetString(first));
  const size_t width = Decode(view.GetOffsetString(view.DataSize())).size();
  for (size_t i = text.size(); i < width; ++i) line.Add(U' ', attr);
  for (char32_t c : text) line.Add(c, attr);
  line.Add(": ", attr);
}

void AddHex(TTextWithAttr& line, TCustomHexView& view, Integer first, Integer last) {
  const TCustomHexView& d = view;
  const Integer perRow = view.BytesPerRow(), perColumn = view.BytesPerColumn();
  const Integer perBlock = view.BytesPerBlock();
  for (Integer k = 0; k < perRow; ++k) {
    const Integer index = first + k;
    Byte attr = (k / perColumn) % 2 == 0 ? hvaOddGroup : hvaEvenGroup;
    if (index <= last) {
      if (d.IsSelected(index)) attr |= hvaBold;
      const Byte b = d.GetDataAt(index);
      const int hi = d.SwapNibbles() ? b & 15 : b >> 4, lo = d.SwapNibbles() ? b >> 4 : b & 15;
      line.Add(HexDigit(hi, view.HexLowerCase()), attr);
      line.Add(HexDigit(lo, view.HexLowerCase()), attr);
    } else {
      line.Add("  ", attr);
    }
    if (k == perRow - 1) break;
    if (perBlock > 1 && (k + 1) % perBlock == 0) line.Add(U' ', attr & ~hvaBold);
    if ((k + 1) % perColumn == 0) line.Add(U' ', attr & ~hvaBold);
  }
}

char32_t CharOf(const TCustomHexView& d, Integer index, Integer last) {
  if (!d.UnicodeChars()) return Cp1252ToUnicode(d.TranslateToAnsiChar(d.GetDataAt(index)));
  const Byte b = d.GetDataAt(index);
  const Byte next = index + 1 <= last ? d.GetDataAt(index + 1) : 0;
  char32_t value = d.UnicodeBigEndian() ? (b << 8) | next : b | (next << 8);
  if (value < 32) value = Cp1252ToUnicode(d.MaskChar());
  if (value >= 0xD800 && value <= 0xDFFF) value = 0xFFFD;
  return value;
}

void AddChars(TTextWithAttr& line, TCustomHexView& view, Integer first, Integer last) {
  const TCustomHexView& d = view;
  const bool unicode = d.UnicodeChars();
  const Integer step = unicode ? 2 : 1, perRow = view.BytesPerRow();
  const Integer perBlock = view.BytesPerBlock(), unit = d.BytesPerUnit();
  for (Integer k = 0; k < perRow; k += step) {
    const Integer index = first + k;
    if (index <= last)
      line.Add(CharOf(d, index, last), hvaChar | (d.IsSelected(index) ? hvaBold : 0));
    else
      line.Add(U' ', hvaChar);
    const Integer done = k + step;
    if (done >= perRow) break;
    if (perBlock > 1 && view.SeparateBlocksInCharField() && done % perBlock == 0)
      line.Add(U' ', hvaCharSeparator);
    if (unit != 1 && !(unicode && unit == 2) && done % unit == 0) line.Add(U' ', hvaCharSeparator);
  }
}

}  // namespace

std::string TTextWithAttr::Utf8() const {
  std::string s;
  for (char32_t cp : Text) {
    if (cp < 0x80) {
      s += static_cast<char>(cp);
    } else if (cp < 0x800) {
      s += static_cast<char>(0xC0 | (cp >> 6));
      s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      s += static_cast<char>(0xE0 | (cp >> 12));
      s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (cp >> 18));
      s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return s;
}

TTextWithAttr HVPrintLine(TCustomHexView& view, Integer first, Integer last) {
  TTextWithAttr line;
  AddOffset(line, view, first);
  AddHex(line, view, first, last);
  line.Add("  ", hvaOffset);
  AddChars(line, view, first, last);
  return line;
}
