// The JSON zn4417ctl prints for scripts (--json with write, set, verify and
// list: one object per bridge, on a line of its own) and writes to its log.
#pragma once

#include <string>

#include "tools/ctl_run.h"

// {"index", "location", "serial", "command", "dry_run", "exit_code",
// "reason"} and, where there are any, "differing_offsets" ([{"offset",
// "chip", "expected"}]) and "differing_parameters" ([{"name", "chip",
// "expected"}]). `chip` is what the chip holds (after a write: what was read
// back); `expected` what was written, the file, the profile, or what a dry
// run would write.
std::string OutcomeJson(const CtlPlan& plan, const BridgeRun& run);

// {"time", "version", "command", "dry_run", "image" or "profile", "index",
// "location", "serial", "exit_code", "reason", "sha256_before",
// "sha256_after"}: the digests of the block read before anything was
// written and of the block read back after a write, each only when it was
// read.
std::string LogLineJson(const CtlPlan& plan, const BridgeRun& run, const std::string& utcTime);

// {"index", "location", "serial", "zn4417", "exit_code", "reason"} for list.
std::string ListEntryJson(const BridgeEntry& bridge);
