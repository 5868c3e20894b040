#include "tools/ctl_session.h"

#include <algorithm>
#include <fstream>

#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/headless_view.h"
#include "model/image_codec.h"
#include "tools/ctl_format.h"
#include "tools/ctl_names.h"

namespace {

int ExitCodeOf(BridgeVerdict verdict) {
  switch (verdict) {
    case bvDone:
      return ceDone;
    case bvDiffers:
    case bvWouldChange:
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

std::string ReasonOf(const BridgeOutcome& o, bool dryRun, bool profile) {
  const bool verify = o.command == ccVerify;
  switch (o.verdict) {
    case bvDone:
      if (dryRun) return "nothing would change";
      if (verify)
        return profile ? "the parameters match the profile"
                       : VerifiedOffsetsText() + " match the file";
      return o.command == ccWrite || o.command == ccSet ? kWriteSuccessText : "read";
    case bvWouldChange:
      return "would change " + Count(o.differing.size(), "offset") + " and " +
             Count(o.differingParameters.size(), "parameter");
    case bvDiffers:
      if (verify && profile) {
        const size_t n = o.differingParameters.size();
        return Count(n, "parameter") + " of the profile " + (n == 1 ? "differs" : "differ");
      }
      if (verify)
        return std::to_string(o.differing.size()) + " of " + VerifiedOffsetsText() + " differ";
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

// The parameters among `refs` whose values differ between the two sets, in dump order.
std::vector<ParamDifference> ParameterDifferences(const ParameterSet& chip,
                                                  const ParameterSet& expected,
                                                  const std::vector<ParamRef>& refs) {
  std::vector<ParamDifference> differences;
  for (const ParamRef& ref : DumpRefs()) {
    const bool named = std::any_of(refs.begin(), refs.end(), [&](const ParamRef& r) {
      return r.id == ref.id && r.item == ref.item;
    });
    const long double a = ValueOf(chip, ref), b = ValueOf(expected, ref);
    if (named && a != b) differences.push_back(ParamDifference{ref, a, b});
  }
  return differences;
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
  BridgeVerdict VerifyParameters();
  void Assign();
  BridgeVerdict DryRun();
  BridgeVerdict WriteOrTell();
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

// The assignments as the controls would take them, each followed by the
// control's exit.
void Session::Assign() {
  for (const Assignment& a : plan_.assignments) {
    ParameterSet params = view_.ReadParameters();
    ApplyAssignment(params, a);
    view_.ShowParameters(params);
    controller_.DBExit(a.id);
  }
}

// The chip's parameters against those a set with the profile would write.
BridgeVerdict Session::VerifyParameters() {
  Assign();
  outcome_.sent = controller_.PrepareWriteBlock();
  std::vector<ParamRef> named;
  for (const Assignment& a : plan_.assignments) named.push_back(a.Ref());
  outcome_.differingParameters = ParameterDifferences(DecodeImage(RomImage(*outcome_.before)),
                                                      DecodeImage(RomImage(*outcome_.sent)), named);
  return outcome_.differingParameters.empty() ? bvDone : bvDiffers;
}

// What a write would send against what the chip holds: every offset it
// writes and every parameter.
BridgeVerdict Session::DryRun() {
  outcome_.sent = controller_.PrepareWriteBlock();
  outcome_.differing = DifferingOffsets(*outcome_.before, *outcome_.sent, kRomSize);
  outcome_.differingParameters = ParameterDifferences(
      DecodeImage(RomImage(*outcome_.before)), DecodeImage(RomImage(*outcome_.sent)), DumpRefs());
  return outcome_.differing.empty() ? bvDone : bvWouldChange;
}

BridgeVerdict Session::WriteOrTell() {
  return plan_.options.dryRun ? DryRun() : WriteAndReadBack();
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
      if (!Read()) return bvReadFailed;
      return plan_.options.from.empty() ? Verify() : VerifyParameters();
    case ccSet:
      if (!Read()) return bvReadFailed;
      Assign();
      return WriteOrTell();
    case ccWrite:
      // A dry run reads what the chip holds; a write sends the file unread.
      if (plan_.options.dryRun && !Read()) return bvReadFailed;
      controller_.LoadImage(plan_.image);
      return WriteOrTell();
  }
  return bvDone;
}

BridgeOutcome Session::Run() {
  outcome_.verdict = Verdict();
  outcome_.code = ExitCodeOf(outcome_.verdict);
  outcome_.reason = ReasonOf(outcome_, plan_.options.dryRun, !plan_.options.from.empty());
  return outcome_;
}

}  // namespace

BridgeOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const DiagnosticSink& sink) {
  Session session(plan, library, sink);
  return session.Run();
}
