// --all: one worker thread per bridge, each with its own link, controller
// and view, so that every bridge sees exactly the exchange it would see
// alone (its own 100 ms wait included) while the others run theirs.
#pragma once

#include <functional>
#include <vector>

#include "link/bridge_library.h"
#include "tools/ctl_run.h"

// Called on the worker's thread as soon as its bridge is done.
using RunDone = std::function<void(BridgeRun& run)>;

// Runs `plan` on every bridge of `bridges` at the same time and returns the
// runs in the order of `bridges`, once all are done. `library` must allow
// calls from several threads.
std::vector<BridgeRun> RunInParallel(const CtlPlan& plan, BridgeLibrary& library,
                                     const std::vector<BridgeEntry>& bridges, const RunDone& done);
