#include "tools/ctl_session.h"

#include <fstream>
#include <ostream>
#include <utility>

#include "link/usb_link.h"
#include "model/config_controller.h"
#include "model/headless_view.h"
#include "tools/ctl_format.h"

namespace {

const char* const kTool = "zn4417ctl: ";

// The protocol's texts of one session, echoed on stderr with --verbose.
DiagnosticSink EchoSink(std::ostream& err, bool verbose) {
  if (!verbose) return DiscardingSink();
  return [&err](const std::string& text) { err << text << "\n"; };
}

class Session {
 public:
  Session(const CtlPlan& plan, BridgeLibrary& library, const SessionOutput& output)
      : plan_(plan),
        o_(output),
        echo_(EchoSink(output.err, plan.options.verbose)),
        link_(library),
        controller_(view_, link_, echo_) {}
  ~Session() { link_.Close(); }

  ChipOutcome Run();

 private:
  void Error(const std::string& text) { o_.err << kTool << o_.label << text << "\n"; }
  ChipOutcome Done(int code, std::string summary) { return {code, std::move(summary)}; }
  bool Read(ChipOutcome& failure);
  ChipOutcome Judge(const WriteReport& report);
  ChipOutcome WriteFailed(const WriteReport& report);
  ChipOutcome RunRead();
  ChipOutcome RunDump();
  ChipOutcome RunVerify();
  ChipOutcome RunSet();

  const CtlPlan& plan_;
  SessionOutput o_;
  DiagnosticSink echo_;
  UsbLink link_;
  HeadlessConfigView view_;
  ConfigController controller_;
};

bool Session::Read(ChipOutcome& failure) {
  if (controller_.ReadConfiguration()) return true;
  Error(std::string("reading the configuration block failed: ") +
        TransferResultText(controller_.LastRead()));
  failure = Done(ceTransfer, "reading the block failed");
  return false;
}

std::string DiffersText(const WriteReport& report) {
  return "the block read back differs at " + std::to_string(report.differing.size()) +
         " of offsets 0 to 62";
}

// A failed write stays a failure whatever the read-back shows; it is told
// all the same, so that the technician knows what the chip holds.
ChipOutcome Session::WriteFailed(const WriteReport& report) {
  Error(std::string("writing the block failed: ") + TransferResultText(report.write));
  if (!report.ReadOk()) {
    Error(std::string("reading the block back failed too: ") + TransferResultText(report.read));
  } else if (report.differing.empty()) {
    Error("the block read back matches anyway; the write is not counted as done");
  } else {
    Error(DiffersText(report));
  }
  return Done(ceTransfer, "writing the block failed");
}

ChipOutcome Session::Judge(const WriteReport& report) {
  if (!report.WriteOk()) return WriteFailed(report);
  if (!report.ReadOk()) {
    Error(std::string("reading the block back failed: ") + TransferResultText(report.read) +
          "; the write is not verified");
    return Done(ceTransfer, "reading the block back failed");
  }
  if (!report.differing.empty()) {
    Error("written, but " + DiffersText(report) + ":");
    o_.err << FormatDifferences({"read back", report.readBack}, {"written", report.written},
                                report.differing);
    return Done(ceDiffers, "written, but the read-back differs");
  }
  echo_(kVerifiedText);
  if (!o_.summaryOnly) o_.out << kWriteSuccessText << "\n";
  return Done(ceDone, kWriteSuccessText);
}

ChipOutcome Session::RunRead() {
  ChipOutcome failure;
  if (!Read(failure)) return failure;
  const std::array<Byte, kRomSize>& bytes = view_.Rom().Bytes();
  if (plan_.options.json) {
    o_.out << FormatReadJson(bytes);
  } else if (plan_.outFile.empty()) {
    o_.out << FormatHexLines(bytes);
  } else {
    std::ofstream file(plan_.outFile, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), kRomSize);
    if (!file.flush()) {
      Error("writing '" + plan_.outFile + "' failed");
      return Done(ceBadUsage, "writing the output file failed");
    }
  }
  return Done(ceDone, "read");
}

ChipOutcome Session::RunDump() {
  ChipOutcome failure;
  if (!Read(failure)) return failure;
  o_.out << (plan_.options.json ? FormatDumpJson(view_.Parameters())
                                : FormatDump(view_.Parameters()));
  return Done(ceDone, "read");
}

ChipOutcome Session::RunVerify() {
  ChipOutcome failure;
  if (!Read(failure)) return failure;
  const std::array<Byte, kRomSize> chip = view_.Rom().Bytes();
  controller_.LoadImage(plan_.image);
  const std::array<Byte, kRomSize> expected = controller_.PrepareWriteBlock();
  const std::vector<Integer> differing = DifferingOffsets(chip, expected);
  if (differing.empty()) {
    if (!o_.summaryOnly) o_.out << "offsets 0 to 62 match the file\n";
    return Done(ceDone, "offsets 0 to 62 match the file");
  }
  const std::string count = std::to_string(differing.size()) + " of offsets 0 to 62 differ";
  if (o_.summaryOnly) {
    Error(count + ":");
    o_.err << FormatDifferences({"chip", chip}, {"file", expected}, differing);
  } else {
    o_.out << count << ":\n" << FormatDifferences({"chip", chip}, {"file", expected}, differing);
  }
  return Done(ceDiffers, count);
}

ChipOutcome Session::RunSet() {
  ChipOutcome failure;
  if (!Read(failure)) return failure;
  for (const Assignment& a : plan_.assignments) {
    ParameterSet params = view_.ReadParameters();
    ApplyAssignment(params, a);
    view_.ShowParameters(params);
    controller_.DBExit(a.id);
  }
  return Judge(controller_.WriteAndReadBack());
}

ChipOutcome Session::Run() {
  controller_.FormCreate();
  if (!controller_.Connected()) {
    Error("no ZN4417 bridge could be opened");
    return Done(ceNoBridge, "could not be opened");
  }
  const std::string& command = plan_.options.command;
  if (command == "read") return RunRead();
  if (command == "dump") return RunDump();
  if (command == "verify") return RunVerify();
  if (command == "set") return RunSet();
  controller_.LoadImage(plan_.image);  // write
  return Judge(controller_.WriteAndReadBack());
}

}  // namespace

ChipOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const SessionOutput& output) {
  Session session(plan, library, output);
  return session.Run();
}
