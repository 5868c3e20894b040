// The named parameters that the configuration image encodes, each named
// after the window control that holds it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/rom_image.h"

// Every parameter control. The numeric ones come first, in display order.
enum ParamId : int32_t {
  piDB,
  piST,
  piBT,
  piMDL,
  piMDR,
  piDZ,
  piP1MD,
  piP2MD,
  piP1T,
  piP2T,
  piP3T,
  piOSC,
  piCH,
  piCLK,
  piedtPMINL,
  piedtPMAXL,
  piedtPMID,
  piFUNREG,
  piFUNREG1,
  piHFD,
  pinvchckbxLPPMP,
  pinvchckbxINVC
};

inline constexpr Integer kNumericCount = piedtPMID + 1;
inline constexpr Integer kFunregCount = 10;
inline constexpr Integer kFunreg1Count = 3;

enum ParamKind { pkNumeric, pkItemList, pkFlag };

struct ParamDescriptor {
  ParamId id;
  const char* name;     // the control's name
  const char* caption;  // caption shown beside it ("" for list items and hidden ones)
  ParamKind kind;
  long double min;
  long double max;
  long double step;
  Integer itemCount;  // items of a list, 0 otherwise
};

// One entry per ParamId, in ParamId order.
const std::array<ParamDescriptor, pinvchckbxINVC + 1>& ParamDescriptors();
const ParamDescriptor& DescriptorOf(ParamId id);
// Looks a parameter up by its control name; false when there is none.
bool FindParam(const std::string& name, ParamId& id);

// Item captions of the two check lists.
const char* FunregCaption(Integer item);
const char* Funreg1Caption(Integer item);

struct CheckItem {
  bool checked = false;
  bool enabled = true;
  bool operator==(const CheckItem& other) const = default;
};

class ParameterSet {
 public:
  // The controls' initial values: 0 (or the range's minimum), PMIN 900, PMAX 2100.
  ParameterSet();

  long double Value(ParamId id) const { return values_.at(id); }
  // Stores the value clamped into the parameter's range; a NaN (unreadable
  // value) counts as the minimum.
  void SetValue(ParamId id, long double value);

  std::array<CheckItem, kFunregCount> FUNREG;
  std::array<bool, kFunreg1Count> FUNREG1{};
  bool HFD = false;
  bool nvchckbxLPPMP = false;
  bool nvchckbxINVC = false;

  bool operator==(const ParameterSet& other) const = default;

 private:
  std::array<long double, kNumericCount> values_{};
};

// Clamps into [min, max]; NaN becomes min.
long double ClampValue(long double value, long double min, long double max);
