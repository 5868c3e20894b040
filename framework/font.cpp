#include "framework/font.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "framework/property.h"

namespace {

constexpr const char* kMono = "Liberation Mono";
constexpr const char* kSans = "Liberation Sans";
// The stand-in for the classic 8-point dialog font: of the sans-serif faces
// packaged for the system, the one whose bold and regular widths and heights
// at 11 pixels come closest to the window's designed label and button sizes
// (tests/framework/font_test.cpp keeps the measured table).
constexpr const char* kDialogSans = "DejaVu Sans";
constexpr const char* kSerif = "Liberation Serif";
constexpr const char* kCjk = "WenQuanYi Zen Hei";

std::string Lower(const std::string& s) {
  std::string r = s;
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

// Rounds a*b/c half away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  return static_cast<int32_t>(std::lround(static_cast<double>(a) * b / c));
}

const char* Substitute(const std::string& name) {
  static const std::pair<const char*, const char*> kMap[] = {
      {"courier new", kMono},
      {"courier", kMono},
      {"fixedsys", kMono},
      {"lucida console", kMono},
      {"ms sans serif", kDialogSans},
      {"microsoft sans serif", kDialogSans},
      {"tahoma", kSans},
      {"arial", kSans},
      {"verdana", kSans},
      {"segoe ui", kSans},
      {"system", kSans},
      {"ms shell dlg", kDialogSans},
      {"ms shell dlg 2", kSans},
      {"times new roman", kSerif},
      {"ms serif", kSerif},
      {"times", kSerif},
      {"simsun", kCjk},
      {"宋体", kCjk},
      {"simhei", kCjk},
      {"黑体", kCjk},
      {"nsimsun", kCjk},
      {"microsoft yahei", kCjk},
      {"微软雅黑", kCjk},
  };
  std::string key = Lower(name);
  for (const auto& [from, to] : kMap)
    if (key == from) return to;
  return nullptr;
}

}  // namespace

std::vector<std::string> MapFontFamily(const std::string& name) {
  std::vector<std::string> result;
  const char* sub = Substitute(name);
  result.push_back(sub ? sub : name);
  if (result.front() != kSans) result.push_back(kSans);
  if (result.front() != kCjk) result.push_back(kCjk);
  return result;
}

TFont::TFont()
    : name_("MS Sans Serif"),
      height_(-11),
      color_(clWindowText),
      style_(0),
      pitch_(fpDefault),
      charset_(DEFAULT_CHARSET) {}

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_),
      pitch_(other.pitch_),
      charset_(other.charset_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TFont::Assign(const TFont& source) {
  if (*this == source) return;
  name_ = source.name_;
  height_ = source.height_;
  color_ = source.color_;
  style_ = source.style_;
  pitch_ = source.pitch_;
  charset_ = source.charset_;
  Changed();
}

bool operator==(const TFont& a, const TFont& b) {
  return a.name_ == b.name_ && a.height_ == b.height_ && a.color_ == b.color_ &&
         a.style_ == b.style_ && a.pitch_ == b.pitch_ && a.charset_ == b.charset_;
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& v) {
  if (!v.empty() && Store(name_, v)) Changed();
}

void TFont::SetHeight(int32_t v) {
  if (Store(height_, v)) Changed();
}

int32_t TFont::Size() const {
  return -MulDiv(height_, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int32_t points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72));
}

void TFont::SetColor(TColor v) {
  if (Store(color_, v)) Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (Store(style_, v)) Changed();
}

void TFont::SetPitch(TFontPitch v) {
  if (Store(pitch_, v)) Changed();
}

void TFont::SetCharset(TFontCharset v) {
  if (Store(charset_, v)) Changed();
}

QFont TFont::ToQFont() const {
  // Painting asks for the same few fonts over and over: keep the last ones.
  struct Entry {
    TFont font;
    QFont qfont;
  };
  static thread_local std::vector<Entry> cache;
  for (const Entry& e : cache)
    if (e.font == *this) return e.qfont;
  QFont f = BuildQFont();
  if (cache.size() >= 16) cache.erase(cache.begin());
  cache.push_back({*this, f});
  return f;
}

QFont TFont::BuildQFont() const {
  QFont f;
  QStringList families;
  for (const std::string& fam : MapFontFamily(name_)) families << QString::fromStdString(fam);
  f.setFamilies(families);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  f.setBold(style_ & fsBold);
  f.setItalic(style_ & fsItalic);
  f.setUnderline(style_ & fsUnderline);
  f.setStrikeOut(style_ & fsStrikeOut);
  if (pitch_ == fpFixed) f.setFixedPitch(true);
  int pixels = height_ < 0 ? -height_ : 11;
  if (height_ > 0) {
    // A positive height is the cell height: scale the em size to match it.
    QFont probe = f;
    probe.setPixelSize(100);
    QFontMetrics fm(probe);
    pixels = std::max(1, static_cast<int>(std::lround(height_ * 100.0 / std::max(1, fm.height()))));
  }
  f.setPixelSize(std::max(1, pixels));
  return f;
}
