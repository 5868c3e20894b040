// NAME=VALUE assignments of the `set` command.
#pragma once

#include <string>

#include "model/parameter_set.h"

struct Assignment {
  ParamId id = piDB;
  Integer item = -1;  // list item for FUNREG / FUNREG1, -1 otherwise
  long double value = 0;

  ParamRef Ref() const { return ParamRef{id, item}; }
};

// Parses and checks one assignment: a name zn4417ctl knows (see
// ctl_names.h) and a value of the right kind; a fixed FUNREG item only at
// 0, the value every write gives it. False with `error` naming the problem.
// Numbers outside their range pass here; see CheckInRange.
bool ParseAssignment(const std::string& text, Assignment& assignment, std::string& error);

// False, with `error` such as "DB=300 is outside 0..255", when a number lies
// outside its parameter's range; `text` is the assignment as typed.
bool CheckInRange(const Assignment& assignment, const std::string& text, std::string& error);

// Assigns the value as its control would take it: numbers clamped into the
// range and rounded to the whole number the control shows.
void ApplyAssignment(ParameterSet& params, const Assignment& assignment);

// ApplyAssignment, then the flag links a control's exit runs, without an image.
void ApplyAndLink(ParameterSet& params, const Assignment& assignment);

// A number's value, or a flag's or list item's 1 or 0.
long double ValueOf(const ParameterSet& params, const ParamRef& ref);
