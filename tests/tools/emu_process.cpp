#include "tests/tools/emu_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "link/socket_io.h"

namespace {

// Reads from `fd` until a line is complete or `timeoutMs` has passed.
std::string ReadLine(int fd, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string text;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  return text.substr(0, text.find('\n'));
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

}  // namespace

EmuProcess::~EmuProcess() {
  if (pid_ > 0) Stop(SIGKILL);
}

bool EmuProcess::Start(const std::vector<std::string>& args) {
  // Made before the fork, after which the child only makes system calls.
  std::vector<std::string> all = {ZN4417EMU_PATH, "--listen", "127.0.0.1:0"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  // Close-on-exec, so that no program started later holds them open.
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return false;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return false;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], 1);  // the copies lose close-on-exec
    ::dup2(err[1], 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  address_ = ReadLine(outFd_, 5000);
  return address_.rfind("tcp://127.0.0.1:", 0) == 0;
}

int EmuProcess::Stop(int signal) {
  if (pid_ <= 0) return -1;
  ::kill(pid_, signal);
  err_ = ReadAll(errFd_);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  CloseSocket(outFd_);
  CloseSocket(errFd_);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Listening(const std::string& address) {
  const std::string hostPort = address.substr(address.find("//") + 2);
  const size_t colon = hostPort.rfind(':');
  int fd = ConnectTcp(hostPort.substr(0, colon),
                      static_cast<uint16_t>(std::stoi(hostPort.substr(colon + 1))), 500);
  const bool listening = fd >= 0;
  CloseSocket(fd);
  return listening;
}
