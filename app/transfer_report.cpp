#include "app/transfer_report.h"

namespace {

std::string DiffersText(const WriteReport& report) {
  return "the block read back differs at " + std::to_string(report.differing.size()) +
         " of offsets 0 to 62";
}

// What the read-back of a failed write showed.
std::string ReadBackAfterFailedWrite(const WriteReport& report) {
  if (!report.ReadOk())
    return std::string("the read-back failed too: ") + TransferResultText(report.read);
  if (report.differing.empty()) return "the block read back matches all the same";
  return DiffersText(report);
}

}  // namespace

std::string ReadFailureLine(TransferResult result) {
  return std::string("Read failed: ") + TransferResultText(result);
}

std::string WriteFailureLine(const WriteReport& report) {
  if (!report.WriteOk()) {
    return std::string("Write failed in the write: ") + TransferResultText(report.write) + "; " +
           ReadBackAfterFailedWrite(report);
  }
  if (!report.ReadOk()) {
    return std::string("Write not verified: the read-back failed: ") +
           TransferResultText(report.read);
  }
  if (!report.differing.empty()) return "Write not verified: " + DiffersText(report);
  return "";
}
