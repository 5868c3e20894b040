// The text of one printed line of the hex view (TTextWithAttr): the offset,
// the hex digits and the characters, with one attribute code per character.
#pragma once

#include <string>
#include <vector>

#include "hexview/hvtypes.h"

class TCustomHexView;

// Attribute codes: the low bits choose the colour, hvaBold marks bold.
enum THVPrintAttr : Byte {
  hvaOffset = 0,
  hvaEvenGroup = 1,  // hex digits of the 2nd, 4th ... column group
  hvaOddGroup = 2,   // hex digits of the 1st, 3rd ... column group
  hvaChar = 3,
  hvaCharSeparator = 4,
  hvaBold = 16,
};

struct TTextWithAttr {
  std::u32string Text;
  std::vector<Byte> Attr;  // one per character of Text

  void Add(char32_t ch, Byte attr) {
    Text += ch;
    Attr.push_back(attr);
  }
  void Add(const std::string& latin, Byte attr) {
    for (unsigned char c : latin) Add(static_cast<char32_t>(c), attr);
  }
  std::string Utf8() const;
};

// The line holding the bytes from `first` (at most BytesPerRow of them, none
// after `last`, the range's end).
TTextWithAttr HVPrintLine(TCustomHexView& view, Integer first, Integer last);
