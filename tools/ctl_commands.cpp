#include "tools/ctl_commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "link/bridge_address.h"
#include "link/device_access.h"
#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/headless_view.h"
#include "tools/ctl_format.h"

namespace {

const char* const kTool = "zn4417ctl: ";

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
    plan.assignments.push_back(a);
  }
  return true;
}

bool ExpectNoArgs(const CtlOptions& options, std::string& error) {
  if (options.args.empty()) return true;
  error = "command '" + options.command + "' takes no arguments";
  return false;
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

int RunList(BridgeLibrary& library, std::ostream& out, std::ostream& err) {
  uint32_t count = 0;
  if (library.GetNumDevices(count) != kBridgeOk) {
    err << kTool << "the bridge library could not count the bridges\n";
    return ceTransfer;
  }
  for (uint32_t i = 0; i < count; ++i) {
    char serial[kProductStringSize] = {};
    if (library.GetProductString(i, serial, kProductSerialNumber) != kBridgeOk) {
      out << i << " ? (serial string unreadable)\n";
      continue;
    }
    serial[kProductStringSize - 1] = 0;
    bool ours = std::string(serial) == UsbLink::kSerialString;
    out << i << " " << serial << (ours ? " (ZN4417 bridge)" : " (not a ZN4417 bridge)") << "\n";
  }
  ReportNoAccess(library, err);
  return ceDone;
}

int ReportWrite(WriteOutcome outcome, const HeadlessConfigView& view, std::ostream& out,
                std::ostream& err) {
  for (const std::string& message : view.Messages()) out << message << "\n";
  switch (outcome) {
    case woVerified:
      return ceDone;
    case woDiffers:
      err << kTool << "written, but the block read back differs\n";
      return ceDiffers;
    case woTransferFailed:
      break;
  }
  err << kTool << "a transfer failed; the write is not verified\n";
  return ceTransfer;
}

int ReadFailed(std::ostream& err) {
  err << kTool << "reading the configuration block failed\n";
  return ceTransfer;
}

int RunOnChip(const CtlPlan& plan, ConfigController& controller, HeadlessConfigView& view,
              std::ostream& out, std::ostream& err) {
  const std::string& command = plan.options.command;
  if (command == "write") {
    controller.LoadImage(plan.image);
    return ReportWrite(controller.WriteConfiguration(), view, out, err);
  }
  if (!controller.ReadConfiguration()) return ReadFailed(err);
  if (command == "dump") {
    out << FormatDump(view.Parameters());
    return ceDone;
  }
  if (command == "set") {
    for (const Assignment& a : plan.assignments) {
      ParameterSet params = view.ReadParameters();
      ApplyAssignment(params, a);
      view.ShowParameters(params);
      controller.DBExit(a.id);
    }
    return ReportWrite(controller.WriteConfiguration(), view, out, err);
  }
  // read
  if (plan.outFile.empty()) {
    out << FormatHexLines(view.Rom().Bytes());
    return ceDone;
  }
  std::ofstream file(plan.outFile, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(view.Rom().Bytes().data()), kRomSize);
  if (!file.flush()) {
    err << kTool << "writing '" << plan.outFile << "' failed\n";
    return ceBadUsage;
  }
  return ceDone;
}

}  // namespace

bool PrepareCommand(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  plan.options = options;
  const std::string& command = options.command;
  if (command == "list" || command == "dump") return ExpectNoArgs(options, error);
  if (command == "read") return PrepareRead(options.args, plan, error);
  if (command == "set") return PrepareSet(options.args, plan, error);
  if (command == "write") {
    if (options.args.size() != 1) {
      error = "usage: write FILE";
      return false;
    }
    return LoadImageFile(options.args[0], plan.image, error);
  }
  error = "unknown command '" + command + "' (try --help)";
  return false;
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
  if (plan.options.command == "list") return RunList(*library, out, err);

  DiagnosticSink sink = DiscardingSink();
  if (plan.options.verbose) sink = [&err](const std::string& text) { err << text << "\n"; };
  UsbLink link(*library);
  HeadlessConfigView view;
  ConfigController controller(view, link, sink);
  controller.FormCreate();
  int code = ceNoBridge;
  if (controller.Connected()) {
    code = RunOnChip(plan, controller, view, out, err);
  } else {
    err << kTool << "no ZN4417 bridge could be opened\n";
    ReportNoAccess(*library, err);
  }
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
  if (options.help) {
    out << HelpText();
    return ceDone;
  }
  CtlPlan plan;
  if (!PrepareCommand(options, plan, error)) {
    err << kTool << error << "\n";
    return ceBadUsage;
  }
  return RunCommand(plan, out, err);
}
