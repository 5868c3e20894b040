// The names zn4417ctl knows for the parameters: the captions the window
// shows (DEADBAND, PMIN, ...) and readable names for the rest (OSC, CH, CLK,
// OVERLOAD1..3, HFD, LPPMP, INVC, FUNREG.i), all matched in any letter case,
// and the controls' own names (DB, edtPMINL, FUNREG1.i, nvchckbxINVC, ...),
// matched exactly, as aliases.
#pragma once

#include <string>

#include "model/parameter_set.h"

// A parameter, or one item of a check list.
struct ParamRef {
  ParamId id = piDB;
  Integer item = -1;  // list item for FUNREG / FUNREG1, -1 otherwise
};

// Looks up a name; false with `error` naming the problem (unknown name, a
// list given without an item, an item that does not exist).
bool LookUpName(const std::string& name, ParamRef& ref, std::string& error);

// The name dump prints: the caption or readable name.
std::string DumpName(const ParamRef& ref);

// The unit the window shows beside the parameter ("us"), or "".
const char* UnitOf(ParamId id);
