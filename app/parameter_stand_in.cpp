#include "app/parameter_stand_in.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kMargin = 8;
constexpr int kColumnWidth = 160;

std::string NumberLine(const ParamDescriptor& d, long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%-9s %ld", d.name, std::lround(static_cast<double>(value)));
  return text;
}

std::string FlagText(const char* name, bool on) {
  return std::string(on ? "[x] " : "[ ] ") + name;
}

std::string FunregLine(const ParameterSet& p) {
  std::string line = "FUNREG   ";
  for (Integer i = 0; i < kFunregCount; ++i) {
    const CheckItem& item = p.FUNREG[i];
    line += item.checked ? (item.enabled ? "X" : "x") : (item.enabled ? "." : "-");
  }
  return line;
}

std::string ImageRow(const RomImage& image, Integer row) {
  char text[64];
  int n = std::snprintf(text, sizeof text, "0x%02X:", row * 8);
  for (Integer i = 0; i < 8; ++i) {
    n += std::snprintf(text + n, sizeof text - n, " %02X", image.GetDataAt(row * 8 + i));
  }
  return text;
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

std::vector<std::string> TParameterStandIn::Lines() const {
  std::vector<std::string> lines;
  for (Integer id = 0; id < kNumericCount; ++id) {
    const ParamDescriptor& d = DescriptorOf(static_cast<ParamId>(id));
    lines.push_back(NumberLine(d, params_.Value(d.id)));
  }
  lines.push_back(FunregLine(params_));
  for (Integer i = 0; i < kFunreg1Count; ++i) {
    lines.push_back(FlagText(Funreg1Caption(i), params_.FUNREG1[i]));
  }
  lines.push_back(FlagText("High Freq Driver", params_.HFD));
  lines.push_back(FlagText("Lose PPM Protect", params_.nvchckbxLPPMP));
  lines.push_back(FlagText("Inver Control", params_.nvchckbxINVC));
  for (Integer row = 0; row < kRomSize / 8; ++row) lines.push_back(ImageRow(image_, row));
  return lines;
}

void TParameterStandIn::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  canvas.Brush().SetStyle(bsClear);
  // The numbers in the left column; flags, list and image rows in the right.
  const std::vector<std::string> lines = Lines();
  const int lineHeight = canvas.TextHeight("Xy") + 1;
  int y = kMargin;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == static_cast<size_t>(kNumericCount)) y = kMargin;
    const bool right = i >= static_cast<size_t>(kNumericCount);
    if (i == lines.size() - kRomSize / 8) y += lineHeight;  // a gap above the image
    canvas.TextOut(right ? kMargin + kColumnWidth : kMargin, y, lines[i]);
    y += lineHeight;
  }
}
