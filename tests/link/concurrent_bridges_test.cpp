// Several threads at once on the bridge libraries, as a tool that works on
// every bridge in parallel uses them: each thread has a UsbLink of its own
// over a shared library (or a library of its own per emulator), opens the
// first free bridge, writes a block only it writes, reads it back and
// closes. Every read-back must be the thread's own block, and at the end
// every chip must hold exactly one thread's block, never a mixture.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <thread>

#include "link/bridge_address.h"
#include "link/memory_access.h"
#include "link/multi_bridge.h"
#include "link/sim_bridge.h"
#include "link/tcp_bridge.h"
#include "link/tcp_device_emulator.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr int kRounds = 12;

// A block only `thread` writes in `round`: its first two bytes name both,
// the rest follows from them.
Bytes Pattern(int thread, int round) {
  Bytes block(64);
  block[0] = static_cast<uint8_t>(thread);
  block[1] = static_cast<uint8_t>(round);
  for (int i = 2; i < 64; ++i) block[i] = static_cast<uint8_t>(thread * 31 + round * 7 + i * 13);
  return block;
}

bool IsPattern(const Bytes& block) {
  return block.size() == 64 && block == Pattern(block[0], block[1]);
}

struct Worker {
  int opens = 0;     // sessions that got a bridge
  int failures = 0;  // transfers that failed or read back another block
  Bytes last;        // the block of its last session
};

// One session: the first free bridge of `library`, `rounds` writes each
// read back, then closed; `opened` runs once the bridge is open. False
// when no bridge was free.
bool Session(BridgeLibrary& library, int thread, int firstRound, int rounds, Worker& w,
             const std::function<void()>& opened = {}) {
  UsbLink link(library);
  const bool open = link.Open();
  if (opened) opened();
  if (!open) return false;
  ++w.opens;
  MemoryAccess access(link, nullptr);
  for (int r = firstRound; r < firstRound + rounds; ++r) {
    Bytes block = Pattern(thread, r), back(64);
    if (!access.WriteMemory(SFR, 0, 64, block.data()) ||
        !access.ReadMemory(SFR, 0, 64, back.data()) || back != block) {
      ++w.failures;
    }
    w.last = block;
  }
  link.Close();
  return true;
}

// `threads` workers at once, started together; `run` is one worker's life.
std::vector<Worker> RunTogether(int threads, const std::function<void(int, Worker&)>& run) {
  std::vector<Worker> workers(static_cast<size_t>(threads));
  std::atomic<int> ready{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      ++ready;
      while (ready < threads) std::this_thread::yield();
      run(t, workers[static_cast<size_t>(t)]);
    });
  }
  for (std::thread& th : pool) th.join();
  return workers;
}

// Each worker holds one bridge for all its rounds, and none starts its
// rounds before all have opened theirs.
std::vector<Worker> HoldOneEach(BridgeLibrary& library, int threads) {
  std::atomic<int> opened{0};
  const auto allOpen = [&] {
    ++opened;
    while (opened < threads) std::this_thread::yield();
  };
  return RunTogether(threads,
                     [&](int t, Worker& w) { Session(library, t, 0, kRounds, w, allOpen); });
}

// The chips hold exactly the workers' last blocks, one each.
void ExpectOneBlockPerChip(const std::vector<Worker>& workers, const std::vector<Bytes>& chips) {
  std::multiset<Bytes> expected, held(chips.begin(), chips.end());
  for (const Worker& w : workers) {
    EXPECT_EQ(w.opens, 1);
    EXPECT_EQ(w.failures, 0);
    expected.insert(w.last);
  }
  EXPECT_TRUE(held == expected) << "every chip holds the block of the one worker that had it";
}

Bytes SimBlock(SimBridgeLibrary& sim) {
  Bytes block(64);
  for (int i = 0; i < 64; ++i) block[i] = sim.Chip().Peek(SimulatedChip::kSfrSpace, i);
  return block;
}

std::unique_ptr<BridgeLibrary> Create(const std::string& address) {
  std::string error;
  auto library = CreateBridgeLibrary(address, UsbId{}, error);
  EXPECT_NE(library, nullptr) << error;
  return library;
}

TEST(ConcurrentBridges, SimulatedChipsEachGetTheirOwnBlock) {
  constexpr int kChips = 8;
  auto library = Create("sim:" + std::to_string(kChips));
  auto& multi = dynamic_cast<MultiBridgeLibrary&>(*library);
  const std::vector<Worker> workers = HoldOneEach(*library, kChips);
  std::vector<Bytes> chips;
  for (size_t i = 0; i < multi.MemberCount(); ++i) {
    chips.push_back(SimBlock(dynamic_cast<SimBridgeLibrary&>(multi.Member(i))));
  }
  ExpectOneBlockPerChip(workers, chips);
}

// More workers than chips, each opening and closing for every round: a
// bridge is never given to two at once, and no block is ever mixed.
TEST(ConcurrentBridges, OpenAndCloseChurnNeverSharesABridge) {
  auto library = Create("sim:3");
  auto& multi = dynamic_cast<MultiBridgeLibrary&>(*library);
  const std::vector<Worker> workers = RunTogether(6, [&](int t, Worker& w) {
    for (int r = 0; r < kRounds; ++r) {
      while (!Session(*library, t, r, 1, w)) std::this_thread::yield();
    }
  });
  for (const Worker& w : workers) {
    EXPECT_EQ(w.opens, kRounds);
    EXPECT_EQ(w.failures, 0);
  }
  const Bytes sfr = SimulatedChip::PowerOnSfr();
  const Bytes untouched(sfr.begin(), sfr.begin() + 64);  // no session needed that chip
  for (size_t i = 0; i < multi.MemberCount(); ++i) {
    auto& sim = dynamic_cast<SimBridgeLibrary&>(multi.Member(i));
    const Bytes block = SimBlock(sim);
    EXPECT_TRUE(IsPattern(block) || block == untouched) << "chip " << i;
    EXPECT_EQ(sim.OpenHandles(), 0);
  }
}

// Chips kept in files: each file ends up with its chip's block, whole, and
// nothing is left beside the files.
TEST(ConcurrentBridges, SimulatedChipFilesKeepTheirOwnBlock) {
  const TempDir temp("zn4417-concurrent");
  const fs::path& dir = temp.Path();
  std::string list;
  for (int i = 0; i < 4; ++i)
    list += (i ? "," : "") + (dir / ("chip" + std::to_string(i))).string();
  {
    auto library = Create("sim:" + list);
    const std::vector<Worker> workers = HoldOneEach(*library, 4);
    std::vector<Bytes> files;
    for (int i = 0; i < 4; ++i) {
      std::ifstream in(dir / ("chip" + std::to_string(i)), std::ios::binary);
      const Bytes memory{std::istreambuf_iterator<char>(in), {}};
      ASSERT_EQ(memory.size(), SimulatedChip::kMemorySize);
      const auto sfr = memory.begin() + SimulatedChip::kSfrSpace * SimulatedChip::kSpaceSize;
      files.emplace_back(sfr, sfr + 64);
    }
    ExpectOneBlockPerChip(workers, files);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}

// Two chips kept in one file (two programs on the same sim:FILE): every
// write goes through to the file, which holds one chip's block whole.
TEST(ConcurrentBridges, TwoChipsOnOneFileNeverMixIt) {
  const TempDir temp("zn4417-concurrent");
  const fs::path& dir = temp.Path();
  const std::string file = (dir / "chip").string();
  std::vector<std::unique_ptr<SimBridgeLibrary>> chips;
  for (int i = 0; i < 2; ++i) {
    std::string error;
    chips.push_back(SimBridgeLibrary::WithFile(file, error));
    ASSERT_NE(chips.back(), nullptr) << error;
  }
  const std::vector<Worker> workers = RunTogether(
      2, [&](int t, Worker& w) { Session(*chips[static_cast<size_t>(t)], t, 0, kRounds, w); });
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(workers[static_cast<size_t>(i)].failures, 0);
    EXPECT_EQ(chips[static_cast<size_t>(i)]->LastFileError(), "");
  }
  std::ifstream in(file, std::ios::binary);
  const Bytes memory{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(memory.size(), SimulatedChip::kMemorySize);
  const auto sfr = memory.begin() + SimulatedChip::kSfrSpace * SimulatedChip::kSpaceSize;
  EXPECT_TRUE(IsPattern(Bytes(sfr, sfr + 64)));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

constexpr int kEmulators = 4;

// Device emulators on free ports, each with a TCP bridge library of its own.
struct Emulators {
  std::vector<std::unique_ptr<TcpDeviceEmulator>> devices;
  std::vector<std::unique_ptr<BridgeLibrary>> libraries;

  bool Start(int count) {
    for (int i = 0; i < count; ++i) {
      devices.push_back(std::make_unique<TcpDeviceEmulator>());
      if (!devices.back()->Start()) return false;
      libraries.push_back(Create(devices.back()->Address()));
    }
    return true;
  }
  Bytes Block(int i) const {
    return devices[static_cast<size_t>(i)]->ReadMemory(SimulatedChip::kSfrSpace, 0, 64);
  }
};

// Emulators of their own, a library each, one worker each, while another
// thread keeps counting the devices and asking their serial strings.
TEST(ConcurrentBridges, TcpEmulatorsEachGetTheirOwnBlock) {
  Emulators emulators;
  ASSERT_TRUE(emulators.Start(kEmulators));
  const auto& libraries = emulators.libraries;
  std::atomic<bool> done{false};
  std::thread looker([&] {
    while (!done) {
      for (auto& library : libraries) {
        uint32_t count = 0;
        char serial[kProductStringSize];
        library->GetNumDevices(count);
        library->GetProductString(0, serial, kProductSerialNumber);
      }
    }
  });
  const std::vector<Worker> workers = RunTogether(kEmulators, [&](int t, Worker& w) {
    Session(*libraries[static_cast<size_t>(t)], t, 0, kRounds, w);
  });
  done = true;
  looker.join();
  for (int i = 0; i < kEmulators; ++i) {
    const Worker& w = workers[static_cast<size_t>(i)];
    EXPECT_EQ(w.opens, 1);
    EXPECT_EQ(w.failures, 0);
    EXPECT_EQ(emulators.Block(static_cast<size_t>(i)), w.last);
  }
}

// The emulators behind one multi-bridge shared by every worker.
TEST(ConcurrentBridges, MultiBridgeOverTcpEmulators) {
  Emulators emulators;
  ASSERT_TRUE(emulators.Start(kEmulators));
  MultiBridgeLibrary multi(std::move(emulators.libraries));
  const std::vector<Worker> workers = HoldOneEach(multi, kEmulators);
  std::vector<Bytes> chips;
  for (int i = 0; i < kEmulators; ++i) chips.push_back(emulators.Block(i));
  ExpectOneBlockPerChip(workers, chips);
}

// Workers that open one TCP bridge at the same moment: exactly one gets it.
TEST(ConcurrentBridges, OneTcpBridgeGoesToOneWorker) {
  TcpDeviceEmulator emulator;
  ASSERT_TRUE(emulator.Start());
  auto library = Create(emulator.Address());
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::vector<BridgeHandle> handles(4, nullptr);
    RunTogether(4, [&](int t, Worker&) {
      BridgeHandle h = nullptr;
      if (library->Open(0, h) == kBridgeOk) handles[static_cast<size_t>(t)] = h;
    });
    const auto opened =
        std::count_if(handles.begin(), handles.end(), [](BridgeHandle h) { return h != nullptr; });
    EXPECT_EQ(opened, 1);
    for (BridgeHandle h : handles) {
      if (h != nullptr) {
        EXPECT_EQ(library->Close(h), kBridgeOk);
      }
    }
  }
}

}  // namespace
