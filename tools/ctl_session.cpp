#include "tools/ctl_session.h"

#include <fstream>

#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/headless_view.h"

namespace {

int ExitCodeOf(BridgeVerdict verdict) {
  switch (verdict) {
    case bvDone:
      return ceDone;
    case bvDiffers:
      return ceDiffers;
    case bvNotOpened:
      return ceNoBridge;
    case bvReadFailed:
    case bvWriteFailed:
    case bvReadBackFailed:
      return ceTransfer;
    case bvSaveFailed:
      return ceBadUsage;
  }
  return ceTransfer;
}

std::string ReasonOf(const BridgeOutcome& o) {
  const bool verify = o.command == ccVerify;
  switch (o.verdict) {
    case bvDone:
      if (verify) return "offsets 0 to 62 match the file";
      return o.command == ccWrite || o.command == ccSet ? kWriteSuccessText : "read";
    case bvDiffers:
      if (verify) return std::to_string(o.differing.size()) + " of offsets 0 to 62 differ";
      return "written, but the read-back differs";
    case bvNotOpened:
      return "could not be opened";
    case bvReadFailed:
      return "reading the block failed";
    case bvSaveFailed:
      return "writing the output file failed";
    case bvWriteFailed:
      return "writing the block failed";
    case bvReadBackFailed:
      return "reading the block back failed";
  }
  return "";
}

bool SaveBlock(const std::string& path, const Block& block) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(block.data()), kRomSize);
  return static_cast<bool>(file.flush());
}

class Session {
 public:
  Session(const CtlPlan& plan, BridgeLibrary& library, const DiagnosticSink& sink)
      : plan_(plan), sink_(sink), link_(library), controller_(view_, link_, sink) {
    outcome_.command = plan.options.command;
  }
  ~Session() { link_.Close(); }

  BridgeOutcome Run();

 private:
  BridgeVerdict Verdict();
  bool Read();
  BridgeVerdict Save();
  BridgeVerdict Verify();
  BridgeVerdict Set();
  BridgeVerdict WriteAndReadBack();

  const CtlPlan& plan_;
  const DiagnosticSink& sink_;
  UsbLink link_;
  HeadlessConfigView view_;
  ConfigController controller_;
  BridgeOutcome outcome_;
};

bool Session::Read() {
  const bool ok = controller_.ReadConfiguration();
  outcome_.read = controller_.LastRead();
  if (ok) outcome_.before = view_.Rom().Bytes();
  return ok;
}

BridgeVerdict Session::Save() {
  if (plan_.outFile.empty() || SaveBlock(plan_.outFile, *outcome_.before)) return bvDone;
  return bvSaveFailed;
}

BridgeVerdict Session::Verify() {
  controller_.LoadImage(plan_.image);
  outcome_.sent = controller_.PrepareWriteBlock();
  outcome_.differing = DifferingOffsets(*outcome_.before, *outcome_.sent);
  return outcome_.differing.empty() ? bvDone : bvDiffers;
}

BridgeVerdict Session::Set() {
  for (const Assignment& a : plan_.assignments) {
    ParameterSet params = view_.ReadParameters();
    ApplyAssignment(params, a);
    view_.ShowParameters(params);
    controller_.DBExit(a.id);
  }
  return WriteAndReadBack();
}

// A failed write stays a failure whatever the read-back shows.
BridgeVerdict Session::WriteAndReadBack() {
  const WriteReport report = controller_.WriteAndReadBack();
  outcome_.write = report.write;
  outcome_.readBack = report.read;
  outcome_.sent = report.written;
  outcome_.after = report.readBack;
  outcome_.differing = report.differing;
  if (!report.WriteOk()) return bvWriteFailed;
  if (!report.ReadOk()) return bvReadBackFailed;
  if (!report.differing.empty()) return bvDiffers;
  if (sink_) sink_(kVerifiedText);
  return bvDone;
}

BridgeVerdict Session::Verdict() {
  controller_.FormCreate();
  if (!controller_.Connected()) return bvNotOpened;
  switch (plan_.options.command) {
    case ccList:
      return bvDone;  // the bridge opened; list itself runs on the library
    case ccRead:
      return Read() ? Save() : bvReadFailed;
    case ccDump:
      return Read() ? bvDone : bvReadFailed;
    case ccVerify:
      return Read() ? Verify() : bvReadFailed;
    case ccSet:
      return Read() ? Set() : bvReadFailed;
    case ccWrite:
      controller_.LoadImage(plan_.image);
      return WriteAndReadBack();
  }
  return bvDone;
}

BridgeOutcome Session::Run() {
  outcome_.verdict = Verdict();
  outcome_.code = ExitCodeOf(outcome_.verdict);
  outcome_.reason = ReasonOf(outcome_);
  return outcome_;
}

}  // namespace

BridgeOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const DiagnosticSink& sink) {
  Session session(plan, library, sink);
  return session.Run();
}
