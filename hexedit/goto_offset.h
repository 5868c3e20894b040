// The Go to Offset text: an offset in hex ("0x100", "100h", "$100") or
// decimal ("256"), or relative to the caret with a sign ("+0x40", "-16").
// Plain C++.
#pragma once

#include <string>

#include "hexview/hvtypes.h"

struct THexGotoResult {
  bool ok = false;
  Integer target = 0;  // the byte index, when ok
  std::string error;   // why not, when !ok
};

// The byte the text names, for data of dataSize bytes with the caret on
// byte caret. Refused: text that is no number, and offsets outside the data.
THexGotoResult ParseGotoOffset(const std::string& text, Integer caret, Integer dataSize);
