// The named parameters that the configuration image encodes, each named
// after the window control that holds it, and the one table of what is known
// about each: the window builds its controls from it (captions, ranges,
// steps, list items) and zn4417ctl takes its names, units and ranges from it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

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
inline constexpr Integer kParamCount = pinvchckbxINVC + 1;
inline constexpr Integer kFunregCount = 10;
inline constexpr Integer kFunreg1Count = 3;

enum ParamKind { pkNumeric, pkItemList, pkFlag };

// One item of a check list.
struct ListItem {
  const char* caption;   // shown in the list
  const char* toolName;  // zn4417ctl's name for it; null: LIST.i after the list's tool name
};

struct ParamDescriptor {
  ParamId id;
  ParamKind kind;
  const char* name;     // the control's name (zn4417ctl takes it too, in its exact case)
  const char* caption;  // the label beside a number, the text of a flag; "" for the lists
  const char* unit;     // the label after a number ("us"), or ""
  // zn4417ctl's name, in any letter case, where the caption is not one: a
  // number is named by its caption and by this name, which dump prints; a
  // flag and a list (as LIST.i) only by this name; "" for none.
  const char* toolName;
  // Numbers only: the range, the spin buttons' step, the value the control
  // holds before start-up decodes the default image, and whether whole
  // numbers may be typed into it.
  long double min;
  long double max;
  long double step;
  long double initial;
  bool typed;
  std::span<const ListItem> items;  // the items of a list, empty otherwise
};

// One entry per ParamId, in ParamId order.
const std::array<ParamDescriptor, kParamCount>& ParamDescriptors();
const ParamDescriptor& DescriptorOf(ParamId id);
// Looks a parameter up by its control name; false when there is none.
bool FindParam(const std::string& name, ParamId& id);

// A parameter, or one item of a check list.
struct ParamRef {
  ParamId id = piDB;
  Integer item = -1;  // list item for FUNREG / FUNREG1, -1 otherwise
};

// Every flag and every list item, in ParamId order (a list's items in
// their order).
const std::vector<ParamRef>& CheckableRefs();

struct CheckItem {
  bool checked = false;
  bool enabled = true;
  bool operator==(const CheckItem& other) const = default;
};

class ParameterSet {
 public:
  // The controls' initial values (the table's `initial`).
  ParameterSet();

  long double Value(ParamId id) const { return values_.at(id); }
  // Stores the value clamped into the parameter's range; a NaN (unreadable
  // value) counts as the minimum.
  void SetValue(ParamId id, long double value);

  // The checked state of a flag or of a list item.
  bool Checked(const ParamRef& ref) const;
  void SetChecked(const ParamRef& ref, bool checked);

  std::array<CheckItem, kFunregCount> FUNREG;
  std::array<bool, kFunreg1Count> FUNREG1{};
  bool HFD = false;
  bool nvchckbxLPPMP = false;
  bool nvchckbxINVC = false;

  bool operator==(const ParameterSet& other) const = default;

 private:
  // The field that holds a flag's or a list item's checked state.
  template <class Self>
  static auto& CheckedOf(Self& self, const ParamRef& ref);

  std::array<long double, kNumericCount> values_{};
};

// Clamps into [min, max]; NaN becomes min.
long double ClampValue(long double value, long double min, long double max);
