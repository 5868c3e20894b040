#include "tools/ctl_report.h"

#include <ostream>

#include "model/image_codec.h"
#include "tools/ctl_format.h"

namespace {

std::string DiffersText(const BridgeOutcome& o) {
  return "the block read back differs at " + std::to_string(o.differing.size()) +
         " of offsets 0 to 62";
}

class Printer {
 public:
  Printer(const CtlPlan& plan, const BridgeOutcome& outcome, const SessionOutput& output)
      : plan_(plan), o_(outcome), out_(output) {}

  void Print();

 private:
  void Error(const std::string& text) { out_.err << kTool << out_.label << text << "\n"; }
  void PrintRead();
  void Done();
  void WriteFailed();
  void VerifyDiffers();

  const CtlPlan& plan_;
  const BridgeOutcome& o_;
  const SessionOutput& out_;
};

// What was read: the hex lines, the JSON, or the parameters (read -o
// FILE prints nothing).
void Printer::PrintRead() {
  const Block& bytes = *o_.before;
  if (o_.command == ccDump) {
    const ParameterSet params = DecodeImage(RomImage(bytes));
    out_.out << (plan_.options.json ? FormatDumpJson(params) : FormatDump(params));
  } else if (plan_.options.json) {
    out_.out << FormatReadJson(bytes);
  } else if (plan_.outFile.empty()) {
    out_.out << FormatHexLines(bytes);
  }
}

void Printer::Done() {
  if (o_.command == ccRead || o_.command == ccDump) return PrintRead();
  if (!out_.summaryOnly) out_.out << o_.reason << "\n";
}

// A failed write is told with what the read-back showed, so that the
// technician knows what the chip holds.
void Printer::WriteFailed() {
  Error(std::string("writing the block failed: ") + TransferResultText(o_.write));
  if (o_.readBack != trOk) {
    Error(std::string("reading the block back failed too: ") + TransferResultText(o_.readBack));
  } else if (o_.differing.empty()) {
    Error("the block read back matches anyway; the write is not counted as done");
  } else {
    Error(DiffersText(o_));
  }
}

void Printer::VerifyDiffers() {
  const std::string list =
      FormatDifferences({"chip", *o_.before}, {"file", *o_.sent}, o_.differing);
  if (out_.summaryOnly) {
    Error(o_.reason + ":");
    out_.err << list;
  } else {
    out_.out << o_.reason << ":\n" << list;
  }
}

void Printer::Print() {
  switch (o_.verdict) {
    case bvDone:
      return Done();
    case bvNotOpened:
      return Error("no ZN4417 bridge could be opened");
    case bvReadFailed:
      return Error(std::string("reading the configuration block failed: ") +
                   TransferResultText(o_.read));
    case bvSaveFailed:
      return Error("writing '" + plan_.outFile + "' failed");
    case bvWriteFailed:
      return WriteFailed();
    case bvReadBackFailed:
      return Error(std::string("reading the block back failed: ") +
                   TransferResultText(o_.readBack) + "; the write is not verified");
    case bvDiffers:
      if (o_.command == ccVerify) return VerifyDiffers();
      Error("written, but " + DiffersText(o_) + ":");
      out_.err << FormatDifferences({"read back", *o_.after}, {"written", *o_.sent}, o_.differing);
      return;
  }
}

}  // namespace

void PrintOutcome(const CtlPlan& plan, const BridgeOutcome& outcome, const SessionOutput& output) {
  Printer(plan, outcome, output).Print();
}
