// Wall time of "zn4417ctl write FILE --all" run as a program on 1, 4 and 16
// simulated chips, and the ratio of 16 chips to one chip measured in the
// same run: every chip has its own 100 ms settle time, so chips programmed
// one after the other would give about 16; at the same time, about 1.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "link/simulated_chip.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;

// Seconds one run of the tool takes; exits when the tool fails.
double RunOnce(const std::string& bridge, const std::string& image) {
  const std::vector<std::string> args = {ZN4417CTL_PATH, "--bridge", bridge,
                                         "write",        image,      "--all"};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 0;
  if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) != 0 ||
      waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "zn4417ctl --bridge %s write --all failed\n", bridge.c_str());
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&quiet);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(const std::string& bridge, const std::string& image) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) times.push_back(RunOnce(bridge, image));
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

}  // namespace

int main() {
  char pattern[] = "/tmp/zn4417ctl-bench-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) return 1;
  close(fd);
  const std::vector<uint8_t> sfr = SimulatedChip::PowerOnSfr();  // the chip's block first
  std::ofstream(pattern, std::ios::binary).write(reinterpret_cast<const char*>(sfr.data()), 64);

  std::printf("zn4417ctl write FILE --all, median of %d runs each\n", kRuns);
  std::fflush(stdout);
  double one = 0, sixteen = 0;
  for (int chips : {1, 4, 16}) {
    const double t = Median("sim:" + std::to_string(chips), pattern);
    std::printf("  sim:%-3d %7.3f s\n", chips, t);
    std::fflush(stdout);
    if (chips == 1) one = t;
    if (chips == 16) sixteen = t;
  }
  std::printf("  ratio 16:1  %.2f (goal <= 1.5)\n", sixteen / one);
  std::remove(pattern);
  return 0;
}
