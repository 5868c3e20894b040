#include "app/parameter_stand_in.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kMargin = 8;
constexpr int kColumnWidth = 200;

constexpr int kValueOffset = 80;

TStandInLine NumberLine(const ParamDescriptor& d, long double value) {
  return {d.name, std::to_string(std::lround(static_cast<double>(value)))};
}

TStandInLine FlagLine(const char* name, bool on) {
  return {on ? "[x]" : "[ ]", name};
}

// The checked items of the function list by number ("2 5"), or "none".
TStandInLine FunregLine(const ParameterSet& p) {
  std::string on;
  for (Integer i = 0; i < kFunregCount; ++i) {
    if (!p.FUNREG[i].checked) continue;
    if (!on.empty()) on += " ";
    on += std::to_string(i);
  }
  return {"FUNREG", on.empty() ? "none" : on};
}

TStandInLine ImageRow(const RomImage& image, Integer row) {
  char label[8];
  std::snprintf(label, sizeof label, "0x%02X:", row * 8);
  std::string bytes;
  for (Integer i = 0; i < 8; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", image.GetDataAt(row * 8 + i));
    if (i > 0) bytes += " ";
    bytes += hex;
  }
  return {label, bytes};
}

}  // namespace

TParameterStandIn::TParameterStandIn(TWinControl* parent) : TCustomControl(parent) {
  image_.OnRepaint = [this] { Invalidate(); };
}

void TParameterStandIn::SetParameters(const ParameterSet& v) {
  if (v == params_) return;
  params_ = v;
  Invalidate();
}

void TParameterStandIn::SetFunregItemEnabled(Integer item, bool enabled) {
  CheckItem& target = params_.FUNREG.at(item);
  if (target.enabled == enabled) return;
  target.enabled = enabled;
  Invalidate();
}

std::vector<TStandInLine> TParameterStandIn::Lines() const {
  std::vector<TStandInLine> lines;
  for (Integer id = 0; id < kNumericCount; ++id) {
    const ParamDescriptor& d = DescriptorOf(static_cast<ParamId>(id));
    lines.push_back(NumberLine(d, params_.Value(d.id)));
  }
  lines.push_back(FunregLine(params_));
  for (Integer i = 0; i < kFunreg1Count; ++i) {
    lines.push_back(FlagLine(Funreg1Caption(i), params_.FUNREG1[i]));
  }
  lines.push_back(FlagLine("High Freq Driver", params_.HFD));
  lines.push_back(FlagLine("Lose PPM Protect", params_.nvchckbxLPPMP));
  lines.push_back(FlagLine("Inver Control", params_.nvchckbxINVC));
  for (Integer row = 0; row < kRomSize / 8; ++row) lines.push_back(ImageRow(image_, row));
  return lines;
}

void TParameterStandIn::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  canvas.Brush().SetStyle(bsClear);
  // The numbers in the left column; flags, list and image rows in the right.
  const std::vector<TStandInLine> lines = Lines();
  const int lineHeight = canvas.TextHeight("Xy") + 1;
  int y = kMargin;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == static_cast<size_t>(kNumericCount)) y = kMargin;
    const bool right = i >= static_cast<size_t>(kNumericCount);
    if (i == lines.size() - kRomSize / 8) y += lineHeight;  // a gap above the image
    const int x = right ? kMargin + kColumnWidth : kMargin;
    canvas.TextOut(x, y, lines[i].label);
    // Numbers line up in a column; the rest follow their label.
    const int valueX = right ? canvas.TextWidth(lines[i].label + "  ") : kValueOffset;
    canvas.TextOut(x + valueX, y, lines[i].value);
    y += lineHeight;
  }
}
