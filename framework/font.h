// TFont: a font description in the classic vocabulary.
//
// Height is in pixels: negative = character (em) height, -11 is 11 px, which is
// 8 pt at the layer's fixed 96 logical pixels per inch; positive = cell height
// (em plus internal leading). Size is in points; setting one sets the other.
//
// Family fallback (the classic desktop families are not installed here; the
// metric-compatible Liberation families stand in for them, and every font
// carries WenQuanYi Zen Hei as a second family for Chinese text):
//   "Courier New", "Courier", "Fixedsys", "Lucida Console" -> "Liberation Mono"
//   "MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Verdana",
//   "Segoe UI", "System", "MS Shell Dlg", "MS Shell Dlg 2"  -> "Liberation Sans"
//   "Times New Roman", "MS Serif", "Times"                  -> "Liberation Serif"
//   Chinese family names ("SimSun", "宋体", "SimHei", "黑体", "NSimSun",
//   "Microsoft YaHei", "微软雅黑")                          -> "WenQuanYi Zen Hei"
//   any other name is used as given, with the same fallbacks behind it.
// Fonts are built with full hinting and integer metrics so that measurements are
// the same on every run and on the offscreen platform.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/colors.h"

class QFont;

enum TFontStyle : uint8_t {
  fsBold = 0x01,
  fsItalic = 0x02,
  fsUnderline = 0x04,
  fsStrikeOut = 0x08,
};
using TFontStyles = uint8_t;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GB2312_CHARSET = 134;

// The layer's fixed logical resolution.
constexpr int ScreenPixelsPerInch = 96;

class TFont {
 public:
  TFont();  // "MS Sans Serif", Height -11 (8 pt), clWindowText, no style
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);  // copies the description, fires OnChange

  void Assign(const TFont& source);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t v);
  int32_t Size() const;  // points, derived from Height
  void SetSize(int32_t points);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch v);
  TFontCharset Charset() const { return charset_; }  // stored, otherwise ignored
  void SetCharset(TFontCharset v);

  // Fired after any change of the description (not on a no-op assignment).
  std::function<void(TFont* sender)> OnChange;

  // The Qt font for this description (family fallback applied).
  QFont ToQFont() const;

  friend bool operator==(const TFont& a, const TFont& b);

 private:
  void Changed();
  QFont BuildQFont() const;

  std::string name_;
  int32_t height_;
  TColor color_;
  TFontStyles style_;
  TFontPitch pitch_;
  TFontCharset charset_;
};

// The installed families that stand in for `name`, best first (see above).
std::vector<std::string> MapFontFamily(const std::string& name);
