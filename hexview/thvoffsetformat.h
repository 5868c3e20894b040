// THVOffsetFormat: the offset column's format language, e.g. "-!10:0x|":
// [unit%][width!][radix:]prefix|suffix, numbers in hexadecimal.
#pragma once

#include <string>

#include "hexview/hvtypes.h"

enum THVOffsetFormatFlag : uint8_t { offCalcWidth, offCalcRow, offCalcColumn, offBytesPerUnit };
using THVOffsetFormatFlags = uint8_t;  // bit n for THVOffsetFormatFlag n
constexpr THVOffsetFormatFlags OffsetFlagBit(THVOffsetFormatFlag f) {
  return static_cast<THVOffsetFormatFlags>(1u << f);
}

// What the unit of the format may refer to at parse time.
struct THVOffsetUnits {
  Integer BytesPerRow = 16;
  Integer BytesPerColumn = 2;
  Integer RulerUnit = 1;  // the ruler unit U (RulerBytesPerUnit, or BytesPerUnit when -1)
};

inline constexpr const char* kHVDefaultOffsetFormat = "-!10:0x|";

class THVOffsetFormat {
 public:
  THVOffsetFormat();  // parses the default "-!10:0x|" with the default units

  // Parses and takes the text. On a refusal (EHexView with the exact
  // message) the previous format stays in force and the error propagates.
  // An empty text is allowed: the offset text becomes empty.
  void SetFormat(const std::string& text, const THVOffsetUnits& units);

  const std::string& Format() const { return format_; }
  const std::string& Prefix() const { return prefix_; }
  const std::string& Suffix() const { return suffix_; }
  Integer MinWidth() const { return minWidth_; }
  Integer Radix() const { return radix_; }
  Integer Unit() const { return unit_; }
  THVOffsetFormatFlags Flags() const { return flags_; }
  bool HasFlag(THVOffsetFormatFlag f) const { return (flags_ & OffsetFlagBit(f)) != 0; }

  // Later changes of the referenced settings move the unit without a check.
  void BytesPerRowChanged(Integer bytesPerRow);
  void BytesPerColumnChanged(Integer bytesPerColumn);
  void RulerUnitChanged(Integer rulerUnit);

  // With offCalcWidth: the digit count becomes that of the largest offset
  // (the last data row's offset divided by the unit) in the radix.
  void CalcWidth(Int64 lastRowOffset);

  // The gutter text of a byte offset: empty for an empty format; otherwise
  // prefix + (offset div unit) in the radix padded to the digit count
  // (nothing for digit count 0 and offset 0) + suffix.
  std::string OffsetText(Int64 offset, bool hexLowerCase) const;
  // OffsetText, or the offset in plain upper-case hex for an empty format.
  std::string AnyOffsetText(Int64 offset, bool hexLowerCase) const;

 private:
  void Parse(const std::string& text, const THVOffsetUnits& units);

  std::string format_;
  std::string prefix_;
  std::string suffix_;
  Integer minWidth_ = 1;
  Integer radix_ = 16;
  Integer unit_ = 1;
  THVOffsetFormatFlags flags_ = 0;
};
