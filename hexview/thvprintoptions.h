// THVPrintOptions: how the hex view prints: margins in millimetres, a header
// and a footer (with placeholders, see THVCanvasPrinter) and the flags.
#pragma once

#include <cstdint>
#include <string>

#include "hexview/hvtypes.h"

enum THVPrintFlag : uint32_t {
  pfSelectionOnly = 0x01,       // only the selection (ignored without one)
  pfSelectionBold = 0x02,       // selected bytes and the caret row's offset in bold
  pfMonochrome = 0x04,          // black text on white
  pfUseBackgroundColor = 0x08,  // fill with Colors.Background unless monochrome
  pfCurrentViewOnly = 0x10,     // only the rows the view shows
};
using THVPrintFlags = uint32_t;

class THVPrintOptions {
 public:
  Integer MarginLeft() const { return marginLeft_; }
  void SetMarginLeft(Integer v) { marginLeft_ = v; }
  Integer MarginTop() const { return marginTop_; }
  void SetMarginTop(Integer v) { marginTop_ = v; }
  Integer MarginRight() const { return marginRight_; }
  void SetMarginRight(Integer v) { marginRight_ = v; }
  Integer MarginBottom() const { return marginBottom_; }
  void SetMarginBottom(Integer v) { marginBottom_ = v; }
  const std::string& PageHeader() const { return pageHeader_; }
  void SetPageHeader(const std::string& v) { pageHeader_ = v; }
  const std::string& PageFooter() const { return pageFooter_; }
  void SetPageFooter(const std::string& v) { pageFooter_ = v; }
  THVPrintFlags Flags() const { return flags_; }
  void SetFlags(THVPrintFlags v) { flags_ = v; }
  bool Has(THVPrintFlag f) const { return (flags_ & f) != 0; }

  void Assign(const THVPrintOptions& source) { *this = source; }
  friend bool operator==(const THVPrintOptions&, const THVPrintOptions&) = default;

 private:
  Integer marginLeft_ = 20;
  Integer marginTop_ = 15;
  Integer marginRight_ = 25;
  Integer marginBottom_ = 25;
  std::string pageHeader_;
  std::string pageFooter_;
  THVPrintFlags flags_ = pfSelectionBold | pfMonochrome;
};
