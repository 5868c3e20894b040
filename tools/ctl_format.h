// Text output of zn4417ctl.
#pragma once

#include <array>
#include <string>

#include "model/parameter_set.h"

// Eight lines "0x00: 00 01 02 03 04 05 06 07", upper-case hex, each ending in '\n'.
std::string FormatHexLines(const std::array<Byte, kRomSize>& bytes);

// One NAME=VALUE line per parameter: the numbers in display order, then
// FUNREG.0..9, FUNREG1.0..2, HFD, nvchckbxLPPMP, nvchckbxINVC as 0 or 1.
std::string FormatDump(const ParameterSet& params);
