// Text and JSON output of zn4417ctl.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/parameter_set.h"
#include "tools/ctl_session.h"

// "1 offset", "3 offsets": a count and its thing, plural unless one.
std::string Count(size_t n, const char* thing);

// A value as dump prints it: a whole number without a point, else up to six digits.
std::string FormatValue(long double value);

// Eight lines "0x00: 00 01 02 03 04 05 06 07", upper-case hex, each ending in '\n'.
std::string FormatHexLines(const std::array<Byte, kRomSize>& bytes);

// One NAME=VALUE line per parameter, named as dump names them: the numbers
// in display order, then FUNREG.0..9, OVERLOAD1..3, HFD, LPPMP, INVC as 0 or 1.
std::string FormatDump(const ParameterSet& params);

// {"parameters": {NAME: value, ...}, "units": {...}} on one line: the names
// and order of FormatDump, flags as true/false.
std::string FormatDumpJson(const ParameterSet& params);

// {"hex": "0001...", "bytes": [0, 1, ...]} on one line: the 64 bytes.
std::string FormatReadJson(const std::array<Byte, kRomSize>& bytes);

// Two blocks side by side, each with the name shown before its bytes.
struct NamedBlock {
  const char* name;
  const std::array<Byte, kRomSize>& bytes;
};

// The given differing offsets, one line each ("0x0F: chip F8, file F5"),
// at most `shown` of them, then a line counting the rest.
std::string FormatDifferences(const NamedBlock& a, const NamedBlock& b,
                              const std::vector<Integer>& offsets, size_t shown = 16);

// One line per parameter, named as dump names it: "BOOST: chip 8, profile 9".
std::string FormatParamDifferences(const std::vector<ParamDifference>& differences,
                                   const char* chipName, const char* expectedName);
