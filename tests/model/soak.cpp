#include "tests/model/soak.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>

#include "link/sim_bridge.h"
#include "model/config_controller.h"
#include "model/headless_view.h"

namespace {

enum SoakFault {
  sfNone,
  sfShortReply,   // the command reply is one byte
  sfShortChunk0,  // read chunk 0 comes short
  sfShortChunk1,  // read chunk 1 comes short
  sfWrongAck0,    // write chunk 0 acknowledged wrong
  sfWrongAck1,    // write chunk 1 acknowledged wrong
  sfCorrupt,      // one SFR byte below 63 reads back changed
  sfDrift63,      // offset 63 changes after each write
  sfUnplugged,    // the bridge is pulled out (and plugged back after the cycle)
  sfFaultCount
};

// Counts the success messages instead of keeping each one.
class CountingView : public HeadlessConfigView {
 public:
  void ShowSuccessMessage(const std::string&) override { ++shown; }
  uint64_t shown = 0;
};

struct Soak {
  SimBridgeLibrary library;
  UsbLink link{library};
  CountingView view;
  ConfigController controller{view, link};
  std::mt19937 random;

  explicit Soak(uint32_t seed) : random(seed) {
    controller.SetSleep([](std::chrono::milliseconds) {});
    controller.FormCreate();
  }

  std::array<Byte, kRomSize> Chip() {
    std::array<Byte, kRomSize> b{};
    for (int i = 0; i < kRomSize; ++i) b[i] = library.Chip().Peek(SFR, static_cast<uint16_t>(i));
    return b;
  }

  void Arm(SoakFault fault) {
    SimFaults f;
    switch (fault) {
      case sfShortReply:
        f.shortCommandReply = true;
        break;
      case sfShortChunk0:
        f.shortReadChunk = 0;
        break;
      case sfShortChunk1:
        f.shortReadChunk = 1;
        break;
      case sfWrongAck0:
        f.wrongAckChunk = 0;
        break;
      case sfWrongAck1:
        f.wrongAckChunk = 1;
        break;
      case sfCorrupt:
        f.corruptSfrAddress = static_cast<int>(random() % 63);
        break;
      case sfDrift63:
        f.driftOffset63 = true;
        break;
      case sfUnplugged:
        library.Unplug();
        break;
      default:
        break;
    }
    library.SetFaults(f);
  }

  void Disarm(SoakFault fault) {
    library.SetFaults(SimFaults{});
    if (fault == sfUnplugged) {
      controller.OnDeviceRemoved();
      library.Plug();
      controller.OnDeviceArrived();
    }
  }

  // Random parameters shown in the controls, as a user would have edited them.
  void EditParameters() {
    ParameterSet& p = view.Controls();
    for (int id = 0; id < kNumericCount; ++id) {
      const ParamDescriptor& d = DescriptorOf(static_cast<ParamId>(id));
      const auto span = static_cast<uint32_t>(d.max - d.min) + 1;
      p.SetValue(d.id, d.min + static_cast<long double>(random() % span));
    }
    p.HFD = random() & 1;
    p.nvchckbxINVC = random() & 1;
  }

  // Empty when the Read went as the fault calls for.
  std::string Read(SoakFault fault) {
    const std::array<Byte, kRomSize> before = view.Rom().Bytes();
    const std::array<Byte, kRomSize> chip = Chip();
    const bool ok = controller.ReadConfiguration();
    const bool shouldFail = fault == sfShortReply || fault == sfShortChunk0 ||
                            fault == sfShortChunk1 || fault == sfUnplugged;
    if (ok == shouldFail) return ok ? "read succeeded despite the fault" : "read failed";
    if (!ok) return view.Rom().Bytes() == before ? "" : "failed read changed the image";
    std::array<Byte, kRomSize> seen = chip;
    if (fault == sfCorrupt) {
      int flipped = 0;
      for (int i = 0; i < kRomSize; ++i) flipped += seen[i] != view.Rom().Bytes()[i];
      return flipped == 1 ? "" : "corrupt read shows " + std::to_string(flipped) + " changes";
    }
    return view.Rom().Bytes() == seen ? "" : "read image differs from the chip";
  }

  std::string Write(SoakFault fault) {
    EditParameters();
    const uint64_t messages = view.shown;
    const WriteOutcome outcome = controller.WriteConfiguration();
    const std::array<Byte, kRomSize> sent = view.Rom().Bytes();
    const std::array<Byte, kRomSize> chip = Chip();
    const bool shown = view.shown == messages + 1;
    if (shown != (outcome == woVerified) || view.shown > messages + 1)
      return "message and outcome disagree";
    bool onChip = true;
    for (int i = 0; i < kVerifiedCount; ++i) onChip = onChip && chip[i] == sent[i];
    WriteOutcome expected = woVerified;
    switch (fault) {
      case sfShortReply:
      case sfUnplugged:
      case sfShortChunk0:
        // The read-back fails before it has offsets 0 to 62.
        expected = woTransferFailed;
        break;
      case sfShortChunk1:
        // The read-back fails one byte short: offset 63, which is not
        // compared. Everything compared arrived, so the write is verified.
        expected = woVerified;
        break;
      case sfWrongAck0:
        // Chunk 1 never went: verified only when the chip already held it.
        expected = onChip ? woVerified : woTransferFailed;
        break;
      case sfWrongAck1:
        expected = woVerified;  // every byte arrived; the read-back shows it
        break;
      case sfCorrupt:
        expected = woDiffers;
        break;
      default:
        break;
    }
    if (outcome != expected) {
      return "write outcome " + std::to_string(outcome) + ", expected " + std::to_string(expected);
    }
    if (outcome == woVerified && !onChip) return "verified, but the chip holds something else";
    return "";
  }

  std::string Cycle(SoakFault fault) {
    Arm(fault);
    std::string wrong = random() & 1 ? Read(fault) : Write(fault);
    Disarm(fault);
    return wrong;
  }
};

}  // namespace

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

SoakResult RunSoak(uint64_t cycles, uint64_t warmUp, uint32_t seed) {
  SoakResult result;
  Soak soak(seed);
  auto run = [&](uint64_t n, bool counted) {
    for (uint64_t i = 0; i < n; ++i) {
      // Half the cycles run clean, the rest spread over the faults.
      const auto fault = soak.random() & 1
                             ? sfNone
                             : static_cast<SoakFault>(1 + soak.random() % (sfFaultCount - 1));
      const std::string wrong = soak.Cycle(fault);
      if (!counted) continue;
      ++result.cycles;
      if (fault != sfNone) ++result.faulted;
      if (!wrong.empty() && result.wrong++ == 0) {
        result.firstWrong =
            "cycle " + std::to_string(i) + ", fault " + std::to_string(fault) + ": " + wrong;
      }
    }
  };
  run(warmUp, false);
  result.rssBeforeKb = ResidentKb();
  const auto start = std::chrono::steady_clock::now();
  run(cycles, true);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.rssAfterKb = ResidentKb();
  return result;
}
