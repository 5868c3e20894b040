#include "app/transfer_report.h"

namespace {

// What the read-back of a failed write showed.
std::string ReadBackAfterFailedWrite(const WriteReport& report) {
  if (!report.ReadOk())
    return std::string("the read-back failed too: ") + TransferResultText(report.read);
  if (report.differing.empty()) return "the block read back matches all the same";
  return ReadBackDiffersText(report.differing.size());
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
  if (!report.differing.empty())
    return "Write not verified: " + ReadBackDiffersText(report.differing.size());
  return "";
}
