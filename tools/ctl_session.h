// One command of zn4417ctl run on one bridge: opens it through the same
// controller as the window, runs the command, judges the result strictly
// (a failed transfer is never a success), closes the bridge again and gives
// back what happened as a value. Nothing here prints; ctl_report.h does.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "link/diagnostic_sink.h"
#include "link/transfer_result.h"
#include "model/rom_image.h"
#include "tools/ctl_assignment.h"
#include "tools/ctl_options.h"

using Block = std::array<Byte, kRomSize>;

// A command line checked and ready to run.
struct CtlPlan {
  CtlOptions options;
  std::string outFile;  // read -o FILE
  Block image{};        // write FILE, verify FILE
  // set, verify --from: the profile's assignments, then the command line's.
  std::vector<Assignment> assignments;
};

// How a command ended on one bridge.
enum BridgeVerdict {
  bvDone,            // read or dumped; verify: the chip matches; write, set: written and verified
  bvNotOpened,       // no ZN4417 bridge could be opened
  bvReadFailed,      // the first read failed; nothing was written
  bvSaveFailed,      // read -o FILE: the block could not be saved
  bvWriteFailed,     // write, set: the write failed, whatever the read-back showed
  bvReadBackFailed,  // write, set: written, but the read-back failed
  bvDiffers,         // write, set: the read-back differs; verify: the chip differs from the file
  bvWouldChange,     // --dry-run: a write would change the chip
};

// A parameter whose value on the chip is not the one aimed for (the
// profile's, or the one a write would give it).
struct ParamDifference {
  ParamRef ref;
  long double chip = 0;
  long double expected = 0;
};

// What a command did on one bridge.
struct BridgeOutcome {
  CtlCommand command = ccRead;
  BridgeVerdict verdict = bvNotOpened;
  int code = ceNoBridge;           // the exit code of the verdict
  std::string reason;              // one line for --all: "下载成功!" or what went wrong
  TransferResult read = trOk;      // the first read (read, dump, verify, set)
  TransferResult write = trOk;     // write, set: the write
  TransferResult readBack = trOk;  // write, set: the read-back
  std::optional<Block> before;     // the block read before anything was written
  // write, set: the block written (--dry-run: that would be); verify: the
  // file, or the chip under the profile, as a write would send it.
  std::optional<Block> sent;
  std::optional<Block> after;  // write, set: the block read back after the write
  // Offsets 0 to 62 at which `after` (verify: `before`) differs from `sent`;
  // --dry-run: offsets 0 to 63 at which `before` differs from `sent`.
  std::vector<Integer> differing;
  // verify --from: the profile's parameters that the chip does not hold;
  // --dry-run: every parameter a write would change.
  std::vector<ParamDifference> differingParameters;
};

// Runs a prepared read, dump, verify, write or set on the first ZN4417
// bridge that `library` offers. The protocol's texts, and the verification
// text of a verified write, go to `sink`.
BridgeOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const DiagnosticSink& sink);
