// One command of zn4417ctl run on one bridge: opens it through the same
// controller as the window, runs the command, judges the result strictly
// (a failed transfer is never a success) and closes the bridge again.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "model/rom_image.h"
#include "tools/ctl_assignment.h"
#include "tools/ctl_options.h"

// A command line checked and ready to run.
struct CtlPlan {
  CtlOptions options;
  std::string outFile;                  // read -o FILE
  std::array<Byte, kRomSize> image{};   // write FILE, verify FILE
  std::vector<Assignment> assignments;  // set
};

struct ChipOutcome {
  int code = ceNoBridge;
  std::string summary;  // one line for --all: "下载成功!" or what went wrong
};

// Where a session reports. `label` ("bridge 1: " under --all) starts every
// error line after the tool's name; with `summaryOnly` a verified write
// prints nothing on `out`, the caller prints the summary instead.
struct SessionOutput {
  std::ostream& out;
  std::ostream& err;
  std::string label;
  bool summaryOnly = false;
};

// Runs a prepared read, dump, verify, write or set on the first ZN4417
// bridge that `library` offers.
ChipOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const SessionOutput& output);
