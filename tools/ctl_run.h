// One command's run on one bridge: which bridge it was, what happened, and
// what the protocol said on the way.
#pragma once

#include <string>

#include "tools/ctl_bridges.h"
#include "tools/ctl_session.h"

struct BridgeRun {
  BridgeEntry bridge;
  bool identified = false;  // false: no bridge could be opened, so none is named
  BridgeOutcome outcome;
  std::string diagnostics;  // --verbose under --all: the protocol's texts, a line each
  std::string logError;     // empty unless its log line could not be written
};
