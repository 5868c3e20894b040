#include "model/parameter_set.h"

#include <cmath>
#include <stdexcept>

namespace {

const ListItem kFunregItems[kFunregCount] = {
    {"NF", nullptr},           {"DC MOTOR", nullptr},
    {"PPM Lose", nullptr},     {"PWM High Frq Driver", nullptr},
    {"100% PWM", nullptr},     {"Over Load L1", nullptr},
    {"Over Load L2", nullptr}, {"Over Load L3", nullptr},
    {"ASIC Control", nullptr}, {"SEL IRQ", nullptr}};

const ListItem kFunreg1Items[kFunreg1Count] = {{"OverLoad L1 Enable", "OVERLOAD1"},
                                               {"OverLoad L2 Enable", "OVERLOAD2"},
                                               {"OverLoad L3 Enable", "OVERLOAD3"}};

// A number stepping by 1 from `min` to `max`, with no typing.
constexpr ParamDescriptor Number(ParamId id, const char* name, const char* caption, long double min,
                                 long double max, const char* toolName = "") {
  return {id, pkNumeric, name, caption, "", toolName, min, max, 1, 0, false, {}};
}

// A number over the whole byte, 0..255.
constexpr ParamDescriptor WholeByte(ParamId id, const char* name, const char* caption) {
  return Number(id, name, caption, 0, 255);
}

// A pulse limit: 500..2500 us in steps of 20, typed whole numbers allowed.
constexpr ParamDescriptor Pulse(ParamId id, const char* name, const char* caption,
                                long double initial) {
  return {id, pkNumeric, name, caption, "us", "", 500, 2500, 20, initial, true, {}};
}

constexpr ParamDescriptor Flag(ParamId id, const char* name, const char* caption,
                               const char* toolName) {
  return {id, pkFlag, name, caption, "", toolName, 0, 0, 0, 0, false, {}};
}

constexpr ParamDescriptor List(ParamId id, const char* name, const char* toolName,
                               std::span<const ListItem> items) {
  return {id, pkItemList, name, "", "", toolName, 0, 0, 0, 0, false, items};
}

const std::array<ParamDescriptor, kParamCount> kDescriptors = {{
    WholeByte(piDB, "DB", "DEADBAND"),
    Number(piST, "ST", "STRETCHER", 0, 7),
    WholeByte(piBT, "BT", "BOOST"),
    WholeByte(piMDL, "MDL", "MAXDUTYL"),
    WholeByte(piMDR, "MDR", "MAXDUTYR"),
    Number(piDZ, "DZ", "DEADZONE", 0, 63),
    WholeByte(piP1MD, "P1MD", "P1MDUTY"),
    WholeByte(piP2MD, "P2MD", "P2MDUTY"),
    WholeByte(piP1T, "P1T", "P1WTIME"),
    WholeByte(piP2T, "P2T", "P2WTIME"),
    WholeByte(piP3T, "P3T", "P3WTIME"),
    Number(piOSC, "OSC", "OSC", 0, 127),
    Number(piCH, "CH", "CHANNEL", 0, 15, "CH"),
    Number(piCLK, "CLK", "CLK", 0, 7),
    Pulse(piedtPMINL, "edtPMINL", "PMIN", 900),
    Pulse(piedtPMAXL, "edtPMAXL", "PMAX", 2100),
    Number(piedtPMID, "edtPMID", "PMID", -120, 120),
    List(piFUNREG, "FUNREG", "FUNREG", kFunregItems),
    List(piFUNREG1, "FUNREG1", "", kFunreg1Items),
    Flag(piHFD, "HFD", "High Freq Driver", "HFD"),
    Flag(pinvchckbxLPPMP, "nvchckbxLPPMP", "Lose PPM Protect", "LPPMP"),
    Flag(pinvchckbxINVC, "nvchckbxINVC", "Inver Control", "INVC"),
}};

}  // namespace

const std::array<ParamDescriptor, kParamCount>& ParamDescriptors() {
  return kDescriptors;
}

const ParamDescriptor& DescriptorOf(ParamId id) {
  return kDescriptors.at(id);
}

bool FindParam(const std::string& name, ParamId& id) {
  for (const ParamDescriptor& d : kDescriptors) {
    if (name == d.name) {
      id = d.id;
      return true;
    }
  }
  return false;
}

const std::vector<ParamRef>& CheckableRefs() {
  static const std::vector<ParamRef> refs = [] {
    std::vector<ParamRef> all;
    for (const ParamDescriptor& d : kDescriptors) {
      if (d.kind == pkFlag) all.push_back({d.id, -1});
      for (Integer i = 0; i < static_cast<Integer>(d.items.size()); ++i) all.push_back({d.id, i});
    }
    return all;
  }();
  return refs;
}

long double ClampValue(long double value, long double min, long double max) {
  if (std::isnan(value) || value < min) return min;
  if (value > max) return max;
  return value;
}

ParameterSet::ParameterSet() {
  for (Integer i = 0; i < kNumericCount; ++i) {
    const ParamDescriptor& d = kDescriptors[i];
    SetValue(d.id, d.initial);
  }
}

void ParameterSet::SetValue(ParamId id, long double value) {
  const ParamDescriptor& d = DescriptorOf(id);
  values_.at(id) = ClampValue(value, d.min, d.max);
}

template <class Self>
auto& ParameterSet::CheckedOf(Self& self, const ParamRef& ref) {
  switch (ref.id) {
    case piFUNREG:
      return self.FUNREG.at(ref.item).checked;
    case piFUNREG1:
      return self.FUNREG1.at(ref.item);
    case piHFD:
      return self.HFD;
    case pinvchckbxLPPMP:
      return self.nvchckbxLPPMP;
    case pinvchckbxINVC:
      return self.nvchckbxINVC;
    default:
      throw std::out_of_range("parameter is neither a flag nor a list");
  }
}

bool ParameterSet::Checked(const ParamRef& ref) const {
  return CheckedOf(*this, ref);
}

void ParameterSet::SetChecked(const ParamRef& ref, bool checked) {
  CheckedOf(*this, ref) = checked;
}
