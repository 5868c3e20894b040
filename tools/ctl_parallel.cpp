#include "tools/ctl_parallel.h"

#include <system_error>
#include <thread>

namespace {

void RunOne(const CtlPlan& plan, BridgeLibrary& library, BridgeRun& run, const RunDone& done) {
  OneBridgeLibrary one(library, run.bridge.index);
  // The texts are kept with the run, to be shown with its result and never
  // mixed with another bridge's.
  DiagnosticSink sink = DiscardingSink();
  if (plan.options.verbose) {
    sink = [&run](const std::string& text) { run.diagnostics += text + "\n"; };
  }
  run.outcome = RunOnBridge(plan, one, sink);
  if (done) done(run);
}

}  // namespace

std::vector<BridgeRun> RunInParallel(const CtlPlan& plan, BridgeLibrary& library,
                                     const std::vector<BridgeEntry>& bridges, const RunDone& done) {
  std::vector<BridgeRun> runs(bridges.size());
  std::vector<std::thread> workers;
  for (size_t i = 0; i < bridges.size(); ++i) {
    runs[i].bridge = bridges[i];
    runs[i].identified = true;
    try {
      workers.emplace_back(RunOne, std::cref(plan), std::ref(library), std::ref(runs[i]),
                           std::cref(done));
    } catch (const std::system_error&) {
      RunOne(plan, library, runs[i], done);  // no thread to be had: this bridge in turn
    }
  }
  for (std::thread& worker : workers) worker.join();
  return runs;
}
