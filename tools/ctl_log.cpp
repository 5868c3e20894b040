#include "tools/ctl_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include "tools/ctl_outcome_json.h"

std::unique_ptr<CtlLog> CtlLog::Open(const std::string& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = "cannot open log file '" + path + "': " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<CtlLog>(new CtlLog(fd, path));
}

CtlLog::~CtlLog() {
  ::close(fd_);
}

bool CtlLog::Append(const CtlPlan& plan, const BridgeRun& run, std::string& error) {
  const std::string line = LogLineJson(plan, run, UtcTimeNow()) + "\n";
  std::lock_guard lock(mutex_);
  size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = "writing the log file '" + path_ +
              "' failed: " + (n < 0 ? std::strerror(errno) : "nothing written");
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string UtcTimeNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  std::snprintf(text + n, sizeof text - n, ".%03dZ", static_cast<int>(ms.count()));
  return text;
}
