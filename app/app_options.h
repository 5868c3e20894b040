// Command line of zn4417config: the bridge to use, the technician's
// Advanced view and reports on stderr.
#pragma once

#include <string>

#include "link/bridge_address.h"

inline constexpr int kExitBadUsage = 64;

struct AppOptions {
  std::string bridge = "usb";
  UsbId usbId;
  bool help = false;
  bool advanced = false;  // show the "Advanced" group
  bool verbose = false;   // diagnostics on stderr: bridge access, transfers and their failures
};

// Parses argv; false with `error` naming the problem. Arguments that do not
// begin with "--" are left to the window system (e.g. "-platform offscreen").
bool ParseAppCommandLine(int argc, char** argv, AppOptions& options, std::string& error);

// The text printed by --help.
const char* AppHelpText();
