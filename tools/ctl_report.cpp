#include "tools/ctl_report.h"

#include <ostream>

#include "model/config_controller.h"
#include "model/image_codec.h"
#include "tools/ctl_format.h"

namespace {

void Error(const SessionOutput& out, const std::string& text) {
  out.err << kTool << out.label << text << "\n";
}

// What was read: the hex lines, the JSON, or the parameters (read -o
// FILE prints nothing).
void PrintRead(const CtlPlan& plan, const BridgeOutcome& o, std::ostream& out) {
  const Block& bytes = *o.before;
  if (o.command == ccDump) {
    const ParameterSet params = DecodeImage(RomImage(bytes));
    out << (plan.options.json ? FormatDumpJson(params) : FormatDump(params));
  } else if (plan.options.json) {
    out << FormatReadJson(bytes);
  } else if (plan.outFile.empty()) {
    out << FormatHexLines(bytes);
  }
}

// A failed write is told with what the read-back showed, so that the
// technician knows what the chip holds.
void PrintWriteFailed(const BridgeOutcome& o, const SessionOutput& out) {
  Error(out, std::string("writing the block failed: ") + TransferResultText(o.write));
  if (o.readBack != trOk) {
    Error(out, std::string("reading the block back failed too: ") + TransferResultText(o.readBack));
  } else if (o.differing.empty()) {
    Error(out, "the block read back matches anyway; the write is not counted as done");
  } else {
    Error(out, ReadBackDiffersText(o.differing.size()));
  }
}

// A list of differences after the reason: on stdout, or under --all and
// --json on stderr after the reason as an error line.
void PrintList(const BridgeOutcome& o, const SessionOutput& out, const std::string& list) {
  if (out.summaryOnly) {
    Error(out, o.reason + ":");
    out.err << list;
  } else {
    out.out << o.reason << ":\n" << list;
  }
}

void PrintDiffers(const BridgeOutcome& o, const SessionOutput& out) {
  if (o.command != ccVerify) {
    Error(out, "written, but " + ReadBackDiffersText(o.differing.size()) + ":");
    out.err << FormatDifferences({"read back", *o.after}, {"written", *o.sent}, o.differing);
    return;
  }
  if (!o.differingParameters.empty()) {
    return PrintList(o, out, FormatParamDifferences(o.differingParameters, "chip", "profile"));
  }
  PrintList(o, out, FormatDifferences({"chip", *o.before}, {"file", *o.sent}, o.differing));
}

}  // namespace

void PrintOutcome(const CtlPlan& plan, const BridgeOutcome& o, const SessionOutput& out) {
  switch (o.verdict) {
    case bvDone:
      if (o.command == ccRead || o.command == ccDump) return PrintRead(plan, o, out.out);
      if (!out.summaryOnly) out.out << o.reason << "\n";
      return;
    case bvNotOpened:
      return Error(out, "no ZN4417 bridge could be opened");
    case bvReadFailed:
      return Error(out, std::string("reading the configuration block failed: ") +
                            TransferResultText(o.read));
    case bvSaveFailed:
      return Error(out, "writing '" + plan.outFile + "' failed");
    case bvWriteFailed:
      return PrintWriteFailed(o, out);
    case bvReadBackFailed:
      return Error(out, std::string("reading the block back failed: ") +
                            TransferResultText(o.readBack) + "; the write is not verified");
    case bvDiffers:
      return PrintDiffers(o, out);
    case bvWouldChange:
      return PrintList(
          o, out,
          FormatDifferences({"chip", *o.before}, {"new", *o.sent}, o.differing, kRomSize) +
              FormatParamDifferences(o.differingParameters, "chip", "new"));
  }
}
