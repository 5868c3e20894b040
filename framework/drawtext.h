// DrawText: formatted text in a rectangle with the classic DT_ flags.
//
// - Horizontal: DT_LEFT (0), DT_CENTER, DT_RIGHT per line.
// - Vertical: DT_TOP (0); DT_VCENTER and DT_BOTTOM apply with DT_SINGLELINE.
// - DT_SINGLELINE: line breaks are shown as spaces. Without it '\n' (and
//   "\r\n") break lines, and DT_WORDBREAK also breaks between words at the
//   rectangle's width (a single word wider than the rectangle stays whole).
// - DT_EXPANDTABS: tabs advance to multiples of 8 average character widths.
// - Prefix: without DT_NOPREFIX "&x" underlines x and "&&" shows "&".
// - DT_END_ELLIPSIS: a line wider than the rectangle is cut and ends in "...".
// - DT_CALCRECT: nothing is drawn; rect.Right becomes Left + the widest line
//   (after word breaking at the given width) and rect.Bottom becomes Top + the
//   text height.
// - DT_NOCLIP: draw outside the rectangle too; otherwise output is clipped to it.
// - DT_RTLREADING: right-to-left reading order.
// The text is drawn in the canvas font; when the brush is not bsClear each line's
// text cell is filled with the brush colour first. Returns the text height.
#pragma once

#include <cstdint>
#include <string>

#include "framework/geometry.h"

class TCanvas;

constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_EXPANDTABS = 0x40;
constexpr uint32_t DT_TABSTOP = 0x80;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_EXTERNALLEADING = 0x200;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_INTERNAL = 0x1000;
constexpr uint32_t DT_EDITCONTROL = 0x2000;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr uint32_t DT_MODIFYSTRING = 0x10000;
constexpr uint32_t DT_RTLREADING = 0x20000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;
constexpr uint32_t DT_HIDEPREFIX = 0x100000;
constexpr uint32_t DT_PREFIXONLY = 0x200000;

int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, uint32_t flags);

// Removes accelerator prefixes: "&x" -> "x", "&&" -> "&"; `underlined` gets the
// byte index (in the result) of the character to underline, or -1.
std::string StripPrefix(const std::string& text, int* underlined = nullptr);
