// The traceability log of --log FILE: one JSON object per line for every
// chip a command touches, appended to the file and never truncated. Each
// line goes out in one write as soon as its chip is done, so workers on
// several bridges (and other processes logging to the same file) never mix
// parts of their lines.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "tools/ctl_run.h"

class CtlLog {
 public:
  // Opens `path` for appending, creating it when missing; null with
  // `error` saying why it cannot be written.
  static std::unique_ptr<CtlLog> Open(const std::string& path, std::string& error);
  ~CtlLog();
  CtlLog(const CtlLog&) = delete;
  CtlLog& operator=(const CtlLog&) = delete;

  // Appends the line for `run` with the time now; any thread may call it.
  // False with `error` when the line could not be written whole.
  bool Append(const CtlPlan& plan, const BridgeRun& run, std::string& error);

  const std::string& Path() const { return path_; }

 private:
  CtlLog(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  int fd_;
  std::string path_;
  std::mutex mutex_;
};

// The current UTC time in ISO 8601 with milliseconds: "2025-03-01T12:34:56.789Z".
std::string UtcTimeNow();
