// Command line of zn4417config: the bridge to use, nothing else.
#pragma once

#include <string>

#include "link/bridge_address.h"

inline constexpr int kExitBadUsage = 64;

struct AppOptions {
  std::string bridge = "usb";
  UsbId usbId;
  bool help = false;
};

// Parses argv; false with `error` naming the problem. Arguments that do not
// begin with "--" are left to the window system (e.g. "-platform offscreen").
bool ParseAppCommandLine(int argc, char** argv, AppOptions& options, std::string& error);

// The text printed by --help.
const char* AppHelpText();
