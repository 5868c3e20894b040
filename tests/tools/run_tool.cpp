#include "tests/tools/run_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

// Far beyond any run of the programs under test (the longest waits a few
// time-outs of two seconds); a run still going then is stuck.
constexpr auto kStuckAfter = std::chrono::seconds(60);

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Where each thread of a stuck process waits, so that the failure says more
// than "timed out".
std::string WhereStuck(pid_t pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  std::string text = "stuck after " + std::to_string(kStuckAfter.count()) + " s; wchan " +
                     FileText(proc + "/wchan") + ", syscall " + FileText(proc + "/syscall");
  const std::string gdb = "timeout 20 gdb -batch -nx -p " + std::to_string(pid) +
                          " -ex 'thread apply all bt' 2>/dev/null";
  if (FILE* pipe = ::popen(gdb.c_str(), "r")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    ::pclose(pipe);
  }
  return text;
}

// Collects both pipes until the child closes them; false (both closed)
// when it is stuck.
bool Drain(int fds[2], std::string& out, std::string& err) {
  pollfd polls[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
  std::string* targets[2] = {&out, &err};
  const auto deadline = Clock::now() + kStuckAfter;
  int open = 2;
  char buffer[4096];
  while (open > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      for (pollfd& p : polls) {
        if (p.fd >= 0) close(p.fd);
      }
      return false;
    }
    if (poll(polls, 2, static_cast<int>(left)) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (polls[i].fd < 0 || polls[i].revents == 0) continue;
      ssize_t n = read(polls[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        targets[i]->append(buffer, static_cast<size_t>(n));
      } else {
        close(polls[i].fd);
        polls[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args) {
  return RunProgram(ZN4417CTL_PATH, args);
}

ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  ToolResult result;
  // Everything the child needs is made before the fork: between fork and
  // exec it may only make system calls, as other threads (a device
  // emulator's) may hold locks that nobody releases in the child.
  std::vector<std::string> copy = args;
  std::string tool = program;
  std::vector<char*> argv{tool.data()};
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  // Close-on-exec, so that no other program started meanwhile holds them open.
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0) return result;
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    close(outPipe[0]);
    close(outPipe[1]);
    return result;
  }
  pid_t pid = fork();
  if (pid == 0) {
    dup2(outPipe[1], 1);  // the copies lose close-on-exec
    dup2(errPipe[1], 2);
    execv(tool.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  int fds[2] = {outPipe[0], errPipe[0]};
  if (!Drain(fds, result.out, result.err)) {
    result.err += WhereStuck(pid);
    kill(pid, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}
