// The commands of zn4417ctl. Everything the user gave is checked before a
// bridge is touched; only then is the chip read or written.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/rom_image.h"
#include "tools/ctl_assignment.h"
#include "tools/ctl_options.h"

// A command line checked and ready to run.
struct CtlPlan {
  CtlOptions options;
  std::string outFile;                  // read -o FILE
  std::array<Byte, kRomSize> image{};   // write FILE
  std::vector<Assignment> assignments;  // set
};

// Checks the command and its arguments and loads what they name; false with
// `error` naming the problem.
bool PrepareCommand(const CtlOptions& options, CtlPlan& plan, std::string& error);

// Runs a prepared command; returns the exit code.
int RunCommand(const CtlPlan& plan, std::ostream& out, std::ostream& err);

// The whole tool: parse, prepare, run.
int RunTool(int argc, char** argv, std::ostream& out, std::ostream& err);
