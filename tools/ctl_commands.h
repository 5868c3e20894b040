// The commands of zn4417ctl. Everything the user gave is checked before a
// bridge is touched; only then is the chip read or written.
#pragma once

#include <iosfwd>
#include <string>

#include "link/bridge_library.h"
#include "tools/ctl_session.h"

// Checks the command and its arguments and loads what they name; false with
// `error` naming the problem.
bool PrepareCommand(const CtlOptions& options, CtlPlan& plan, std::string& error);

class CtlLog;

// Runs a prepared command on the bridges of `library`: list, one bridge
// (the first ZN4417 bridge, or --index N), or every ZN4417 bridge at the
// same time (--all), each through RunOnBridge and PrintOutcome, with a line
// in `log` for every bridge a session ran on. Returns the exit code; a
// library that cannot count its bridges gives ceNoBridge, as any run that
// finds no bridge to open.
int RunOnLibrary(const CtlPlan& plan, BridgeLibrary& library, std::ostream& out, std::ostream& err,
                 CtlLog* log = nullptr);

// Runs a prepared command on the bridges its --bridge address names.
int RunCommand(const CtlPlan& plan, std::ostream& out, std::ostream& err);

// The whole tool: parse, prepare, run.
int RunTool(int argc, char** argv, std::ostream& out, std::ostream& err);
