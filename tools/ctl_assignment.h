// NAME=VALUE assignments of the `set` command.
#pragma once

#include <string>

#include "model/parameter_set.h"

struct Assignment {
  ParamId id = piDB;
  Integer item = -1;  // list item for FUNREG / FUNREG1, -1 otherwise
  long double value = 0;
};

// Parses and checks one assignment; false with `error` naming the problem.
bool ParseAssignment(const std::string& text, Assignment& assignment, std::string& error);

// Assigns the value as its control would take it: numbers clamped into the
// range and rounded to the whole number the control shows.
void ApplyAssignment(ParameterSet& params, const Assignment& assignment);
