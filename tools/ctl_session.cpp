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
const char* const kReadTextPrefix = "读数据:";

// The protocol's failure texts and what they mean to the technician.
const std::pair<const char*, const char*> kFailureTexts[] = {
    {"命令无响应", "the command could not be sent"},
    {"ERROR:命令响应超时", "the chip did not answer the command"},
    {"ERROR:数据写入超时", "a data chunk could not be sent"},
    {"ERROR:数据响应超时，没有完成下载", "a data chunk was not acknowledged"},
    {"ERROR:数据响应错误，没有完成下载", "a data chunk was acknowledged with a wrong count"},
    {"ERROR:数据读入超时", "a data chunk did not come in full"},
    {"ERROR:数据响应超时，没有完成读出", "a data chunk could not be acknowledged"},
};

// The protocol's texts of one session, echoed on stderr with --verbose.
class TransferLog {
 public:
  TransferLog(std::ostream& err, bool verbose) : err_(err), verbose_(verbose) {}
  DiagnosticSink Sink() {
    return [this](const std::string& text) {
      texts_.push_back(text);
      if (verbose_) err_ << text << "\n";
    };
  }
  size_t Mark() const { return texts_.size(); }
  std::vector<std::string> Since(size_t mark, size_t end) const {
    return {texts_.begin() + static_cast<long>(mark), texts_.begin() + static_cast<long>(end)};
  }
  // The texts of the read-back after `mark`: from its read announcement on.
  size_t ReadStart(size_t mark) const {
    for (size_t i = mark; i < texts_.size(); ++i) {
      if (texts_[i].rfind(kReadTextPrefix, 0) == 0) return i;
    }
    return texts_.size();
  }

 private:
  std::ostream& err_;
  bool verbose_;
  std::vector<std::string> texts_;
};

class Session {
 public:
  Session(const CtlPlan& plan, BridgeLibrary& library, const SessionOutput& output)
      : plan_(plan),
        o_(output),
        log_(output.err, plan.options.verbose),
        link_(library),
        controller_(view_, link_, log_.Sink()) {}
  ~Session() { link_.Close(); }

  ChipOutcome Run();

 private:
  void Error(const std::string& text) { o_.err << kTool << o_.label << text << "\n"; }
  ChipOutcome Done(int code, std::string summary) { return {code, std::move(summary)}; }
  std::string Why(size_t from, size_t to) const;
  bool Read(ChipOutcome& failure);
  ChipOutcome Judge(const WriteReport& report, size_t mark);
  ChipOutcome WriteFailed(const WriteReport& report, size_t mark, size_t readStart);
  ChipOutcome RunRead();
  ChipOutcome RunDump();
  ChipOutcome RunVerify();
  ChipOutcome RunSet();

  const CtlPlan& plan_;
  SessionOutput o_;
  TransferLog log_;
  UsbLink link_;
  HeadlessConfigView view_;
  ConfigController controller_;
};

std::string Session::Why(size_t from, size_t to) const {
  const std::string reason = FailureReason(log_.Since(from, to));
  return reason.empty() ? "the chip answered the command with another length" : reason;
}

bool Session::Read(ChipOutcome& failure) {
  const size_t mark = log_.Mark();
  if (controller_.ReadConfiguration()) return true;
  Error("reading the configuration block failed: " + Why(mark, log_.Mark()));
  failure = Done(ceTransfer, "reading the block failed");
  return false;
}

std::string DiffersText(const WriteReport& report) {
  return "the block read back differs at " + std::to_string(report.differing.size()) +
         " of offsets 0 to 62";
}

// A failed write stays a failure whatever the read-back shows; it is told
// all the same, so that the technician knows what the chip holds.
ChipOutcome Session::WriteFailed(const WriteReport& report, size_t mark, size_t readStart) {
  Error("writing the block failed: " + Why(mark, readStart));
  if (!report.readOk) {
    Error("reading the block back failed too: " + Why(readStart, log_.Mark()));
  } else if (report.differing.empty()) {
    Error("the block read back matches anyway; the write is not counted as done");
  } else {
    Error(DiffersText(report));
  }
  return Done(ceTransfer, "writing the block failed");
}

ChipOutcome Session::Judge(const WriteReport& report, size_t mark) {
  const size_t readStart = log_.ReadStart(mark);
  if (!report.writeOk) return WriteFailed(report, mark, readStart);
  if (!report.readOk) {
    Error("reading the block back failed: " + Why(readStart, log_.Mark()) +
          "; the write is not verified");
    return Done(ceTransfer, "reading the block back failed");
  }
  if (!report.differing.empty()) {
    Error("written, but " + DiffersText(report) + ":");
    o_.err << FormatDifferences({"read back", report.readBack}, {"written", report.written},
                                report.differing);
    return Done(ceDiffers, "written, but the read-back differs");
  }
  log_.Sink()(kVerifiedText);
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
  const size_t mark = log_.Mark();
  return Judge(controller_.WriteAndReadBack(), mark);
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
  const size_t mark = log_.Mark();
  return Judge(controller_.WriteAndReadBack(), mark);
}

}  // namespace

std::string FailureReason(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    for (const auto& [failure, meaning] : kFailureTexts) {
      if (text == failure) return meaning;
    }
  }
  return "";
}

ChipOutcome RunOnBridge(const CtlPlan& plan, BridgeLibrary& library, const SessionOutput& output) {
  Session session(plan, library, output);
  return session.Run();
}
