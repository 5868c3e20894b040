// The names zn4417ctl knows for the parameters, all from the parameter
// table: a number's caption (DEADBAND, PMIN, ...) and its tool name where it
// has one (CH), a flag's tool name (HFD, LPPMP, INVC), the overload items'
// names (OVERLOAD1..3) and FUNREG.i, all matched in any letter case; and the
// controls' own names (DB, edtPMINL, FUNREG1.i, nvchckbxINVC, ...), matched
// exactly, as aliases.
#pragma once

#include <string>
#include <vector>

#include "model/parameter_set.h"

// Looks up a name; false with `error` naming the problem (unknown name, a
// list given without an item, an item that does not exist).
bool LookUpName(const std::string& name, ParamRef& ref, std::string& error);

// The name dump prints: the tool name, else the caption; a list item by its
// own name, else as LIST.i.
std::string DumpName(const ParamRef& ref);

// Every parameter in the order dump prints them: the numbers in display
// order, then every flag and list item (CheckableRefs).
const std::vector<ParamRef>& DumpRefs();

// The unit the window shows beside the parameter ("us"), or "".
const char* UnitOf(ParamId id);
