#include "model/parameter_set.h"

#include <cmath>

namespace {

const std::array<ParamDescriptor, pinvchckbxINVC + 1> kDescriptors = {{
    {piDB, "DB", "DEADBAND", pkNumeric, 0, 255, 1, 0},
    {piST, "ST", "STRETCHER", pkNumeric, 0, 7, 1, 0},
    {piBT, "BT", "BOOST", pkNumeric, 0, 255, 1, 0},
    {piMDL, "MDL", "MAXDUTYL", pkNumeric, 0, 255, 1, 0},
    {piMDR, "MDR", "MAXDUTYR", pkNumeric, 0, 255, 1, 0},
    {piDZ, "DZ", "DEADZONE", pkNumeric, 0, 63, 1, 0},
    {piP1MD, "P1MD", "P1MDUTY", pkNumeric, 0, 255, 1, 0},
    {piP2MD, "P2MD", "P2MDUTY", pkNumeric, 0, 255, 1, 0},
    {piP1T, "P1T", "P1WTIME", pkNumeric, 0, 255, 1, 0},
    {piP2T, "P2T", "P2WTIME", pkNumeric, 0, 255, 1, 0},
    {piP3T, "P3T", "P3WTIME", pkNumeric, 0, 255, 1, 0},
    {piOSC, "OSC", "OSC", pkNumeric, 0, 127, 1, 0},
    {piCH, "CH", "CHANNEL", pkNumeric, 0, 15, 1, 0},
    {piCLK, "CLK", "CLK", pkNumeric, 0, 7, 1, 0},
    {piedtPMINL, "edtPMINL", "PMIN", pkNumeric, 500, 2500, 20, 0},
    {piedtPMAXL, "edtPMAXL", "PMAX", pkNumeric, 500, 2500, 20, 0},
    {piedtPMID, "edtPMID", "PMID", pkNumeric, -120, 120, 1, 0},
    {piFUNREG, "FUNREG", "", pkItemList, 0, 1, 1, kFunregCount},
    {piFUNREG1, "FUNREG1", "", pkItemList, 0, 1, 1, kFunreg1Count},
    {piHFD, "HFD", "High Freq Driver", pkFlag, 0, 1, 1, 0},
    {pinvchckbxLPPMP, "nvchckbxLPPMP", "Lose PPM Protect", pkFlag, 0, 1, 1, 0},
    {pinvchckbxINVC, "nvchckbxINVC", "Inver Control", pkFlag, 0, 1, 1, 0},
}};

const char* const kFunregCaptions[kFunregCount] = {
    "NF",           "DC MOTOR",     "PPM Lose",     "PWM High Frq Driver", "100% PWM",
    "Over Load L1", "Over Load L2", "Over Load L3", "ASIC Control",        "SEL IRQ"};

const char* const kFunreg1Captions[kFunreg1Count] = {"OverLoad L1 Enable", "OverLoad L2 Enable",
                                                     "OverLoad L3 Enable"};

}  // namespace

const std::array<ParamDescriptor, pinvchckbxINVC + 1>& ParamDescriptors() {
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

const char* FunregCaption(Integer item) {
  return kFunregCaptions[item];
}
const char* Funreg1Caption(Integer item) {
  return kFunreg1Captions[item];
}

long double ClampValue(long double value, long double min, long double max) {
  if (std::isnan(value) || value < min) return min;
  if (value > max) return max;
  return value;
}

ParameterSet::ParameterSet() {
  for (Integer i = 0; i < kNumericCount; ++i) SetValue(static_cast<ParamId>(i), 0);
  SetValue(piedtPMINL, 900);
  SetValue(piedtPMAXL, 2100);
}

void ParameterSet::SetValue(ParamId id, long double value) {
  const ParamDescriptor& d = DescriptorOf(id);
  values_.at(id) = ClampValue(value, d.min, d.max);
}
