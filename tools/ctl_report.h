// What zn4417ctl prints of a command's outcome on one bridge: the block or
// the parameters on stdout, and on stderr each error line with the step
// that failed and why.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/ctl_session.h"

// The start of every line the tool prints on stderr of its own.
inline constexpr const char* kTool = "zn4417ctl: ";

// Where an outcome is printed. `label` ("bridge 1: " under --all) starts
// every error line after the tool's name; with `summaryOnly` a verified
// write or a matching verify prints nothing on `out` and a differing verify
// lists its offsets on `err`: the caller prints the reason line instead.
struct SessionOutput {
  std::ostream& out;
  std::ostream& err;
  std::string label;
  bool summaryOnly = false;
};

void PrintOutcome(const CtlPlan& plan, const BridgeOutcome& outcome, const SessionOutput& output);
