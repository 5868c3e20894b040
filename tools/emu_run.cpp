#include "tools/emu_run.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "link/memory_access.h"
#include "link/tcp_device_emulator.h"
#include "tools/emu_options.h"

namespace {

constexpr const char* kTool = "zn4417emu: ";
constexpr size_t kBlockSize = 64;

std::string Hex(unsigned value, int digits) {
  char text[8];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

// The chip's memories from `file`: a 64-byte configuration block or every
// memory space. The file is only read.
bool LoadImage(const std::string& file, TcpDeviceEmulator& emulator, std::string& error) {
  std::error_code code;
  const bool regular = std::filesystem::is_regular_file(file, code);
  const uintmax_t size = regular ? std::filesystem::file_size(file, code) : 0;
  if (!regular || code) {
    error = "cannot read image file '" + file + "'";
    return false;
  }
  if (size != kBlockSize && size != SimulatedChip::kMemorySize) {
    error = "image file '" + file + "' has " + std::to_string(size) + " bytes, expected " +
            std::to_string(kBlockSize) + " (a configuration block) or " +
            std::to_string(SimulatedChip::kMemorySize) + " (every memory space)";
    return false;
  }
  std::vector<uint8_t> bytes(size);
  std::ifstream in(file, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!in || static_cast<uintmax_t>(in.gcount()) != size) {
    error = "cannot read image file '" + file + "'";
    return false;
  }
  if (size == kBlockSize) {
    emulator.WriteMemory(SimulatedChip::kSfrSpace, 0, bytes);
    return true;
  }
  return emulator.LoadMemory(bytes);
}

void Prepare(const EmuOptions& o, std::ostream& err, TcpDeviceEmulator& emulator) {
  emulator.SetSerial(o.serial);
  emulator.SetFaults(o.faults.chip);
  emulator.SetWireFaults(o.faults.wire);
  if (!o.verbose) return;
  emulator.OnExchange = [&err](uint64_t connection, const SimExchange& exchange) {
    err << kTool << ExchangeLine(connection, exchange) << std::endl;
  };
  emulator.OnWireFault = [&err, texts = o.faults.wireTexts](size_t index, const WireFault&,
                                                            uint64_t connection) {
    err << kTool << "connection " << connection << ": fault " << texts.at(index) << " fires"
        << std::endl;
  };
}

// The signals that end the program, blocked in every thread (the
// emulator's thread is started after this) and awaited by the main one.
sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, signal);
  return set;
}

int Serve(const EmuOptions& o, std::ostream& out, std::ostream& err) {
  TcpDeviceEmulator emulator;
  std::string error;
  if (!o.image.empty() && !LoadImage(o.image, emulator, error)) {
    err << kTool << error << "\n";
    return eeBadUsage;
  }
  Prepare(o, err, emulator);
  const sigset_t signals = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  if (!emulator.Start(o.host, o.port)) {
    err << kTool << "cannot listen on " << o.host << ":" << o.port << ": " << std::strerror(errno)
        << "\n";
    return eeCannotListen;
  }
  // A reader of the address that has gone away must not end the serving.
  std::signal(SIGPIPE, SIG_IGN);
  out << emulator.Address() << std::endl;
  int signal = 0;
  while (sigwait(&signals, &signal) != 0) {
  }
  emulator.Stop();
  if (o.verbose) err << kTool << "ended by SIG" << sigabbrev_np(signal) << "\n";
  return eeDone;
}

}  // namespace

std::string ExchangeLine(uint64_t connection, const SimExchange& e) {
  std::string line = "connection " + std::to_string(connection) + ": ";
  if (e.space < 0) return line + "0x" + Hex(e.code, 2) + " is no command, ignored";
  line += std::string(e.write ? "write " : "read ") +
          MemorySpaceName(static_cast<MemorySpace>(e.space)) + " 0x" + Hex(e.address, 4) + "+" +
          std::to_string(e.length) + ": ";
  if (e.complete) return line + "done";
  return line + std::to_string(e.done) + " of " + std::to_string(e.length) + " bytes " +
         (e.write ? "stored" : "acknowledged") + ", not completed";
}

int RunEmulator(int argc, char** argv, std::ostream& out, std::ostream& err) {
  EmuOptions options;
  std::string error;
  if (!ParseEmuCommandLine(argc, argv, options, error)) {
    err << kTool << error << "\n";
    return eeBadUsage;
  }
  if (options.help || options.version) {
    out << (options.help ? EmuHelpText() : EmuVersionText());
    return eeDone;
  }
  return Serve(options, out, err);
}
