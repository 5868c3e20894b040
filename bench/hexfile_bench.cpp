// Loading and saving files with the hex view, side by side with `cp`, and
// the memory a view of a large file needs.
//
// Part 1 (speed): a file of 256 MiB (page cache warm) is copied with `cp`,
// loaded with LoadFromFile and saved with SaveToFile, each several times;
// the medians and the ratios cp / load and cp / save are printed (1.0 means
// as fast as cp, above 1 faster). Saving syncs the new file to disk before
// it replaces the old one, which cp does not, so the save is also set
// against `cp` followed by `sync` of the copy.
//
// Part 2 (memory): in a fresh child process, a shown THexViewEx loads a file
// of 1 GiB; the peak resident memory before and after and the time per GiB
// are printed, and setting a 1 GiB size on the view is timed against
// writing 1 GiB of bytes (memset into a new block).
//
// Usage: hexfile_bench [speed-MiB] [memory-MiB] [folder]   (256 1024 /tmp)
// HEXFILE_BENCH_ROUNDS=1 prints the load time of each round as well.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "hexview/hexviewex.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

double Seconds(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void MakeFile(const fs::path& path, size_t mib) {
  std::vector<char> block(1 << 20);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
  std::ofstream out(path, std::ios::binary);
  for (size_t i = 0; i < mib; ++i)
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// Written out to disk first, so that no write-back of the new file runs
// during the measurements; then read once into the page cache.
void WarmCache(const fs::path& path) {
  if (std::system(("sync '" + path.string() + "'").c_str()) != 0)
    std::fprintf(stderr, "sync failed\n");
  std::ifstream in(path, std::ios::binary);
  std::vector<char> block(1 << 20);
  while (in.read(block.data(), static_cast<std::streamsize>(block.size()))) {
  }
}

double TimeCommand(const std::string& command) {
  const auto t0 = Clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return Seconds(t0);
}

long PeakRssKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

long CurrentRssKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

void SpeedPart(const fs::path& folder, size_t mib) {
  const fs::path src = folder / "hexfile_bench_src.bin";
  const fs::path dst = folder / "hexfile_bench_dst.bin";
  MakeFile(src, mib);
  WarmCache(src);
  std::vector<double> cp, cpSync, load, save;
  const std::string cpCmd = "cp '" + src.string() + "' '" + dst.string() + "'";
  for (int round = 0; round < kRounds; ++round) {
    fs::remove(dst);
    cp.push_back(TimeCommand(cpCmd));
    fs::remove(dst);
    cpSync.push_back(TimeCommand(cpCmd + " && sync '" + dst.string() + "'"));
    fs::remove(dst);
    THexViewExData d;
    auto t0 = Clock::now();
    d.LoadFromFile(src.string());
    load.push_back(Seconds(t0));
    if (std::getenv("HEXFILE_BENCH_ROUNDS"))
      std::printf("  round %d: load %.3f s\n", round, load.back());
    t0 = Clock::now();
    d.SaveToFile(dst.string(), false);
    save.push_back(Seconds(t0));
  }
  fs::remove(dst);
  fs::remove(src);
  const double c = Median(cp), cs = Median(cpSync), l = Median(load), s = Median(save);
  std::printf("speed: %zu MiB, median of %d rounds, page cache warm\n", mib, kRounds);
  std::printf("  cp              %8.3f s  (%7.0f MiB/s)\n", c, mib / c);
  std::printf("  cp + sync       %8.3f s  (%7.0f MiB/s)\n", cs, mib / cs);
  std::printf("  LoadFromFile    %8.3f s  (%7.0f MiB/s)\n", l, mib / l);
  std::printf("  SaveToFile      %8.3f s  (%7.0f MiB/s, synced)\n", s, mib / s);
  std::printf("  ratio load / cp speed        %.2f  (goal >= 0.8)\n", c / l);
  std::printf("  ratio save / cp speed        %.2f  (goal >= 0.8)\n", c / s);
  std::printf("  ratio save / (cp+sync) speed %.2f\n", cs / s);
}

int MemoryPart(const fs::path& folder, size_t mib, int argc, char** argv) {
  const fs::path src = folder / "hexfile_bench_big.bin";
  MakeFile(src, mib);
  WarmCache(src);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    QApplication app(argc, argv);
    TForm form;
    form.SetBounds(0, 0, 640, 480);
    auto* view = new THexViewEx(&form);
    view->SetBounds(0, 0, 640, 480);
    form.ShowForm();
    QApplication::processEvents();
    const long before = CurrentRssKiB();
    const auto t0 = Clock::now();
    view->LoadFromFile(src.string());
    view->Repaint();
    QApplication::processEvents();
    const double t = Seconds(t0);
    const long peak = PeakRssKiB();
    const double gib = static_cast<double>(mib) / 1024;
    std::printf("memory: a shown view loads %zu MiB\n", mib);
    std::printf("  resident before %7.0f MiB, peak %7.0f MiB, peak - before %7.0f MiB\n",
                before / 1024.0, peak / 1024.0, (peak - before) / 1024.0);
    std::printf("  goal: peak <= 1.1 x %zu MiB + 64 MiB = %.0f MiB\n", mib, 1.1 * mib + 64);
    std::printf("  load time %.3f s, %.3f s per GiB\n", t, t / gib);
    view->CreateEmptyFile("");
    const auto tAgain = Clock::now();
    view->LoadFromFile(src.string());
    const double again = Seconds(tAgain);
    std::printf("  loading it again %.3f s, %.3f s per GiB (peak now %.0f MiB)\n", again,
                again / gib, PeakRssKiB() / 1024.0);
    view->CreateEmptyFile("");
    const auto t1 = Clock::now();
    view->SetDataSize(static_cast<Integer>(mib << 20));
    const double sizeTime = Seconds(t1);
    view->CreateEmptyFile("");
    const auto t2 = Clock::now();
    {
      std::unique_ptr<char[]> block(new char[mib << 20]);
      std::memset(block.get(), 0x5A, mib << 20);
      volatile char sink = block[(mib << 20) - 1];
      (void)sink;
    }
    const double writeTime = Seconds(t2);
    std::printf("  SetDataSize(%zu MiB) %.3f s, writing %zu MiB %.3f s, ratio %.2f\n", mib,
                sizeTime, mib, writeTime, sizeTime / writeTime);
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  fs::remove(src);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t speedMiB = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
  const size_t memoryMiB = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1024;
  const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (speedMiB > 0) SpeedPart(folder, speedMiB);
  if (memoryMiB > 0) return MemoryPart(folder, memoryMiB, argc, argv);
  return 0;
}
