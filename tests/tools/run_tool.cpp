#include "tests/tools/run_tool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace {

void Drain(int fds[2], std::string& out, std::string& err) {
  pollfd polls[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
  std::string* targets[2] = {&out, &err};
  int open = 2;
  char buffer[4096];
  while (open > 0) {
    if (poll(polls, 2, -1) < 0) break;
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
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args) {
  return RunProgram(ZN4417CTL_PATH, args);
}

ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  ToolResult result;
  int outPipe[2], errPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return result;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    close(outPipe[0]);
    close(errPipe[0]);
    close(outPipe[1]);
    close(errPipe[1]);
    std::vector<char*> argv;
    std::string tool = program;
    argv.push_back(tool.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(tool.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  int fds[2] = {outPipe[0], errPipe[0]};
  Drain(fds, result.out, result.err);
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
