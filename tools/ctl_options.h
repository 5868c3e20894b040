// Command line of zn4417ctl: global options, the command and its arguments.
#pragma once

#include <string>
#include <vector>

#include "link/bridge_address.h"

// Exit codes of the tool.
enum CtlExit : int {
  ceDone = 0,       // done and verified
  ceDiffers = 1,    // written, but the read-back differs
  ceNoBridge = 2,   // no bridge could be opened
  ceTransfer = 3,   // a transfer failed
  ceBadUsage = 64,  // bad usage or bad input; nothing was sent
};

struct CtlOptions {
  std::string bridge = "usb";
  UsbId usbId;
  bool verbose = false;
  bool help = false;
  std::string command;            // list, read, dump, write, set
  std::vector<std::string> args;  // the command's own arguments
};

// Parses argv; false with `error` naming the problem on bad usage.
bool ParseCommandLine(int argc, char** argv, CtlOptions& options, std::string& error);

// The text printed by --help.
const char* HelpText();
