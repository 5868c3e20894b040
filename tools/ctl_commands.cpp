#include "tools/ctl_commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "link/bridge_address.h"
#include "link/device_access.h"
#include "tools/ctl_bridges.h"
#include "tools/ctl_report.h"

namespace {

bool LoadImageFile(const std::string& path, std::array<Byte, kRomSize>& image, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open image file '" + path + "'";
    return false;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != static_cast<size_t>(kRomSize)) {
    error = "image file '" + path + "' holds " + std::to_string(bytes.size()) +
            " bytes, not exactly 64";
    return false;
  }
  for (Integer i = 0; i < kRomSize; ++i) image[i] = static_cast<Byte>(bytes[i]);
  return true;
}

bool PrepareRead(const std::vector<std::string>& args, CtlPlan& plan, std::string& error) {
  if (args.empty()) return true;
  if (args.size() == 2 && args[0] == "-o" && !args[1].empty()) {
    if (plan.options.json) {
      error = "read: -o FILE and --json exclude each other";
      return false;
    }
    plan.outFile = args[1];
    return true;
  }
  error = "usage: read [-o FILE]";
  return false;
}

bool PrepareSet(const std::vector<std::string>& args, CtlPlan& plan, std::string& error) {
  if (args.empty()) {
    error = "usage: set NAME=VALUE...";
    return false;
  }
  for (const std::string& arg : args) {
    Assignment a;
    if (!ParseAssignment(arg, a, error)) return false;
    if (!plan.options.clamp && !CheckInRange(a, arg, error)) return false;
    plan.assignments.push_back(a);
  }
  return true;
}

bool ExpectNoArgs(const CtlOptions& options, std::string& error) {
  if (options.args.empty()) return true;
  error = std::string("command '") + CommandName(options.command) + "' takes no arguments";
  return false;
}

bool PrepareImageFile(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  if (options.args.size() != 1) {
    error = std::string("usage: ") + CommandName(options.command) + " FILE";
    return false;
  }
  return LoadImageFile(options.args[0], plan.image, error);
}

// The protocol's texts of one session, echoed on stderr with --verbose.
DiagnosticSink EchoSink(std::ostream& err, bool verbose) {
  if (!verbose) return DiscardingSink();
  return [&err](const std::string& text) { err << text << "\n"; };
}

// The command on the first ZN4417 bridge `library` offers, printed.
BridgeOutcome RunAndPrint(const CtlPlan& plan, BridgeLibrary& library,
                          const SessionOutput& output) {
  const BridgeOutcome outcome =
      RunOnBridge(plan, library, EchoSink(output.err, plan.options.verbose));
  PrintOutcome(plan, outcome, output);
  return outcome;
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

// Why an attached bridge could not be opened, when the reason is permission.
void ReportNoAccess(const BridgeLibrary& library, std::ostream& err) {
  for (const std::string& text : NoAccessTexts(library)) err << kTool << text << "\n";
}

int RunList(const std::vector<BridgeEntry>& bridges, const BridgeLibrary& library,
            std::ostream& out, std::ostream& err) {
  if (bridges.empty()) {
    err << kTool << "no bridge is attached\n";
    return ceNoBridge;
  }
  for (const BridgeEntry& b : bridges) {
    if (!b.readable) {
      out << b.index << " ? (serial string unreadable)\n";
      continue;
    }
    out << b.index << " " << b.serial << (b.ours ? " (ZN4417 bridge)" : " (not a ZN4417 bridge)")
        << "\n";
  }
  ReportNoAccess(library, err);
  return ceDone;
}

// --index N: that bridge, refused with a reason when it is missing or not
// a ZN4417 bridge.
int RunOnIndex(const CtlPlan& plan, const std::vector<BridgeEntry>& bridges, BridgeLibrary& library,
               std::ostream& out, std::ostream& err) {
  const uint32_t index = static_cast<uint32_t>(plan.options.index);
  if (index >= bridges.size()) {
    err << kTool << "there is no bridge " << index << " (" << bridges.size()
        << " attached; see zn4417ctl list)\n";
    return ceNoBridge;
  }
  const BridgeEntry& b = bridges[index];
  if (!b.ours) {
    err << kTool << "bridge " << index << " is not a ZN4417 bridge (serial "
        << (b.readable ? "'" + b.serial + "'" : "unreadable") << ")\n";
    return ceNoBridge;
  }
  OneBridgeLibrary one(library, index);
  return RunAndPrint(plan, one, SessionOutput{out, err, "", false}).code;
}

// --all: every ZN4417 bridge in turn, one result line each; the worst code.
int RunOnAll(const CtlPlan& plan, const std::vector<BridgeEntry>& bridges, BridgeLibrary& library,
             std::ostream& out, std::ostream& err) {
  int worst = ceDone;
  int programmed = 0;
  for (const BridgeEntry& b : bridges) {
    if (!b.ours) continue;
    ++programmed;
    const std::string label = "bridge " + std::to_string(b.index) + ": ";
    OneBridgeLibrary one(library, b.index);
    const BridgeOutcome outcome = RunAndPrint(plan, one, SessionOutput{out, err, label, true});
    out << label << outcome.reason << "\n";
    worst = std::max(worst, outcome.code);
  }
  if (programmed == 0) {
    err << kTool << "no ZN4417 bridge is attached\n";
    return ceNoBridge;
  }
  return worst;
}

}  // namespace

bool PrepareCommand(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  plan.options = options;
  switch (options.command) {
    case ccList:
    case ccDump:
      return ExpectNoArgs(options, error);
    case ccRead:
      return PrepareRead(options.args, plan, error);
    case ccSet:
      return PrepareSet(options.args, plan, error);
    case ccWrite:
    case ccVerify:
      return PrepareImageFile(options, plan, error);
  }
  return false;
}

int RunOnLibrary(const CtlPlan& plan, BridgeLibrary& library, std::ostream& out,
                 std::ostream& err) {
  const CtlOptions& o = plan.options;
  if (o.command != ccList && !o.all && o.index == kNoIndex) {
    return RunAndPrint(plan, library, SessionOutput{out, err, "", false}).code;
  }
  // A library that cannot count its bridges offers none to open.
  std::vector<BridgeEntry> bridges;
  if (!ListBridges(library, bridges)) {
    err << kTool << "the bridge library could not count the bridges\n";
    return ceNoBridge;
  }
  if (o.command == ccList) return RunList(bridges, library, out, err);
  if (o.all) return RunOnAll(plan, bridges, library, out, err);
  return RunOnIndex(plan, bridges, library, out, err);
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
  const int code = RunOnLibrary(plan, *library, out, err);
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
