// Hex text: bytes as two hex digits each, no separators.
#pragma once

#include <string>
#include <vector>

#include "hexview/hvtypes.h"

// Upper-case digits, high digit first (low digit first with swapNibbles).
std::string ConvertBinToHex(const Byte* data, Integer count, bool swapNibbles);
// Takes every hex digit of either case, skips everything else, pairs digits
// in order (first of a pair is the high digit, or the low one when swapped);
// a last unpaired digit is dropped.
std::vector<Byte> ConvertHexToBin(const std::string& text, bool swapNibbles);
