// Command line of zn4417ctl: global options, the command and its arguments.
#pragma once

#include <string>
#include <vector>

#include "link/bridge_address.h"

// Exit codes of the tool. With --all the worst (highest) code of any bridge.
enum CtlExit : int {
  ceDone = 0,       // done and verified (verify: the chip matches the file)
  ceDiffers = 1,    // written, but the read-back differs (verify: the chip differs)
  ceNoBridge = 2,   // no bridge could be opened
  ceTransfer = 3,   // a transfer failed
  ceBadUsage = 64,  // bad usage or bad input; nothing was sent
};

inline constexpr int kNoIndex = -1;

enum CtlCommand { ccList, ccRead, ccDump, ccVerify, ccWrite, ccSet };

// The command's word on the command line ("list", "read", ...).
const char* CommandName(CtlCommand command);
// The command a word names; false for a word that names none.
bool ParseCommand(const std::string& word, CtlCommand& command);

struct CtlOptions {
  std::string bridge = "usb";
  UsbId usbId;
  bool verbose = false;
  bool help = false;
  bool version = false;
  bool json = false;     // one JSON object on stdout (per bridge for write, set, verify, list)
  bool all = false;      // write, set, verify: every ZN4417 bridge at the same time
  bool clamp = false;    // set: clamp values into their ranges instead of refusing them
  bool dryRun = false;   // write, set: read and tell what would change, write nothing
  int index = kNoIndex;  // --index N: the N-th bridge instead of the first ZN4417 bridge
  std::string log;       // --log FILE: one JSON line per chip touched, appended
  std::string from;      // --from FILE: set, verify: a profile of NAME=VALUE lines or JSON
  CtlCommand command = ccList;
  std::vector<std::string> args;  // the command's own arguments
};

// Parses argv; false with `error` naming the problem on bad usage (an
// unknown command among them). Checks also that the options fit the command.
bool ParseCommandLine(int argc, char** argv, CtlOptions& options, std::string& error);

// The tool's version number ("1.71"); VersionText carries it.
const char* ToolVersion();

// The texts printed by --help and --version.
const char* HelpText();
const char* VersionText();
