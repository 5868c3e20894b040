#include "tools/ctl_commands.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "link/bridge_address.h"
#include "link/device_access.h"
#include "link/usb_link.h"
#include "tools/ctl_bridges.h"
#include "tools/ctl_format.h"
#include "tools/ctl_log.h"
#include "tools/ctl_outcome_json.h"
#include "tools/ctl_parallel.h"
#include "tools/ctl_report.h"

namespace {

// What a run needs besides its bridges: the plan, where its lines go, the log.
struct Runner {
  const CtlPlan& plan;
  std::ostream& out;
  std::ostream& err;
  CtlLog* log;
};

// The protocol's texts of one session, echoed on stderr with --verbose.
DiagnosticSink EchoSink(std::ostream& err, bool verbose) {
  if (!verbose) return DiscardingSink();
  return [&err](const std::string& text) { err << text << "\n"; };
}

// write, set and verify tell each bridge's result as a JSON object under --json.
bool PrintsObject(const CtlOptions& o) {
  return o.json && (o.command == ccWrite || o.command == ccSet || o.command == ccVerify);
}

void LogRun(CtlLog* log, const CtlPlan& plan, BridgeRun& run) {
  if (log == nullptr || !run.identified) return;
  std::string error;
  if (!log->Append(plan, run, error)) run.logError = error;
}

// A run whose log line was lost is not done: the chip is not traceable.
int CodeOf(const BridgeRun& run) {
  if (run.logError.empty()) return run.outcome.code;
  return std::max(run.outcome.code, static_cast<int>(ceTransfer));
}

// The run's result: what PrintOutcome shows, then under --all its result
// line (or under --json its object), then a lost log line.
void PrintRun(const Runner& r, const BridgeRun& run, const std::string& label, bool all) {
  r.err << run.diagnostics;
  PrintOutcome(r.plan, run.outcome, SessionOutput{r.out, r.err, label, all || r.plan.options.json});
  if (PrintsObject(r.plan.options)) {
    r.out << OutcomeJson(r.plan, run) << "\n";
  } else if (all) {
    r.out << label << run.outcome.reason << "\n";
  }
  if (!run.logError.empty()) r.err << kTool << label << run.logError << "\n";
}

int FinishOne(const Runner& r, BridgeRun& run) {
  LogRun(r.log, r.plan, run);
  PrintRun(r, run, "", false);
  return CodeOf(run);
}

// The first ZN4417 bridge the link finds and opens, as the window does.
int RunOnFirst(const Runner& r, BridgeLibrary& library) {
  OpenRecordingLibrary recorder(library);
  BridgeRun run;
  run.outcome = RunOnBridge(r.plan, recorder, EchoSink(r.err, r.plan.options.verbose));
  uint32_t index = 0;
  if (recorder.Opened(index)) {
    run.identified = true;
    run.bridge = BridgeEntry{index, library.Location(index), true, UsbLink::kSerialString, true};
  }
  return FinishOne(r, run);
}

// Why an attached bridge could not be opened, when the reason is permission.
void ReportNoAccess(const BridgeLibrary& library, std::ostream& err) {
  for (const std::string& text : NoAccessTexts(library)) err << kTool << text << "\n";
}

int RunList(const Runner& r, const std::vector<BridgeEntry>& bridges,
            const BridgeLibrary& library) {
  if (bridges.empty()) {
    r.err << kTool << "no bridge is attached\n";
    return ceNoBridge;
  }
  for (const BridgeEntry& b : bridges) {
    if (r.plan.options.json) {
      r.out << ListEntryJson(b) << "\n";
      continue;
    }
    r.out << b.index << " " << (b.location.empty() ? "?" : b.location) << " ";
    if (!b.readable) {
      r.out << "? (serial string unreadable)\n";
    } else {
      r.out << b.serial << (b.ours ? " (ZN4417 bridge)" : " (not a ZN4417 bridge)") << "\n";
    }
  }
  ReportNoAccess(library, r.err);
  return ceDone;
}

// --index N: that bridge, refused with a reason when it is missing or not
// a ZN4417 bridge.
int RunOnIndex(const Runner& r, const std::vector<BridgeEntry>& bridges, BridgeLibrary& library) {
  const uint32_t index = static_cast<uint32_t>(r.plan.options.index);
  if (index >= bridges.size()) {
    r.err << kTool << "there is no bridge " << index << " (" << bridges.size()
          << " attached; see zn4417ctl list)\n";
    return ceNoBridge;
  }
  const BridgeEntry& b = bridges[index];
  if (!b.ours) {
    r.err << kTool << "bridge " << index << " is not a ZN4417 bridge (serial "
          << (b.readable ? "'" + b.serial + "'" : "unreadable") << ")\n";
    return ceNoBridge;
  }
  OneBridgeLibrary one(library, index);
  BridgeRun run;
  run.bridge = b;
  run.identified = true;
  run.outcome = RunOnBridge(r.plan, one, EchoSink(r.err, r.plan.options.verbose));
  return FinishOne(r, run);
}

// "16 bridges: 15 done, 1 failed"; a verify or a dry run tells its
// findings apart from its failures.
std::string Summary(const CtlOptions& o, const std::vector<BridgeRun>& runs) {
  const bool finds = o.dryRun || o.command == ccVerify;  // exit 1 is a finding there
  size_t done = 0, found = 0, failed = 0;
  for (const BridgeRun& run : runs) {
    const int code = CodeOf(run);
    ++(code == ceDone ? done : code == ceDiffers && finds ? found : failed);
  }
  std::string text = Count(runs.size(), "bridge") + ": " + std::to_string(done) +
                     (o.dryRun                ? " unchanged"
                      : o.command == ccVerify ? " match"
                                              : " done");
  if (finds) text += ", " + std::to_string(found) + (o.dryRun ? " would change" : " differ");
  return text + ", " + std::to_string(failed) + " failed";
}

// --all: every ZN4417 bridge at the same time; the results in bridge order
// once all are done, and the worst code.
int RunOnAll(const Runner& r, const std::vector<BridgeEntry>& bridges, BridgeLibrary& library) {
  std::vector<BridgeEntry> ours;
  std::copy_if(bridges.begin(), bridges.end(), std::back_inserter(ours),
               [](const BridgeEntry& b) { return b.ours; });
  if (ours.empty()) {
    r.err << kTool << "no ZN4417 bridge is attached\n";
    return ceNoBridge;
  }
  const std::vector<BridgeRun> runs =
      RunInParallel(r.plan, library, ours, [&r](BridgeRun& run) { LogRun(r.log, r.plan, run); });
  int worst = ceDone;
  for (const BridgeRun& run : runs) {
    PrintRun(r, run, "bridge " + std::to_string(run.bridge.index) + ": ", true);
    worst = std::max(worst, CodeOf(run));
  }
  r.err << kTool << Summary(r.plan.options, runs) << "\n";
  return worst;
}

int RunWith(const Runner& r, BridgeLibrary& library) {
  const CtlOptions& o = r.plan.options;
  if (o.command != ccList && !o.all && o.index == kNoIndex) return RunOnFirst(r, library);
  // A library that cannot count its bridges offers none to open.
  std::vector<BridgeEntry> bridges;
  if (!ListBridges(library, bridges)) {
    r.err << kTool << "the bridge library could not count the bridges\n";
    return ceNoBridge;
  }
  if (o.command == ccList) return RunList(r, bridges, library);
  if (o.all) return RunOnAll(r, bridges, library);
  return RunOnIndex(r, bridges, library);
}

// A file the read output can go to, checked before the chip is read. Returns
// whether it was created here (so that a failed read can remove it again).
bool CheckOutputFile(const std::string& path, bool& created, std::string& error) {
  created = !std::filesystem::exists(path);
  std::ofstream probe(path, std::ios::binary | std::ios::app);
  if (!probe) {
    error = "cannot write output file '" + path + "'";
    return false;
  }
  return true;
}

}  // namespace

int RunOnLibrary(const CtlPlan& plan, BridgeLibrary& library, std::ostream& out, std::ostream& err,
                 CtlLog* log) {
  return RunWith(Runner{plan, out, err, log}, library);
}

int RunCommand(const CtlPlan& plan, std::ostream& out, std::ostream& err) {
  std::string error;
  bool createdOutput = false;
  if (!plan.outFile.empty() && !CheckOutputFile(plan.outFile, createdOutput, error)) {
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  std::unique_ptr<BridgeLibrary> library =
      CreateBridgeLibrary(plan.options.bridge, plan.options.usbId, error);
  if (!library) {
    if (error.empty()) error = "unknown bridge address '" + plan.options.bridge + "'";
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  std::unique_ptr<CtlLog> log;
  if (!plan.options.log.empty() && !(log = CtlLog::Open(plan.options.log, error))) {
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  const int code = RunOnLibrary(plan, *library, out, err, log.get());
  // A bridge that is attached but not ours to open says why after the
  // session's own "no ZN4417 bridge could be opened".
  if (code == ceNoBridge && plan.options.command != ccList) ReportNoAccess(*library, err);
  if (code != ceDone && createdOutput) std::filesystem::remove(plan.outFile);
  return code;
}

int RunTool(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CtlOptions options;
  std::string error;
  if (!ParseCommandLine(argc, argv, options, error)) {
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  if (options.help || options.version) {
    out << (options.help ? HelpText() : VersionText());
    return ceDone;
  }
  CtlPlan plan;
  if (!PrepareCommand(options, plan, error)) {
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  return RunCommand(plan, out, err);
}
