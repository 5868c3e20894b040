// Command line of zn4417emu: where to listen, the chip's memories, the
// serial string and the faults.
#pragma once

#include <cstdint>
#include <string>

#include "link/tcp_bridge.h"
#include "tools/emu_faults.h"

// Exit codes of the emulator.
enum EmuExit : int {
  eeDone = 0,          // ended by SIGINT, SIGTERM or SIGHUP; --help, --version
  eeCannotListen = 1,  // the address cannot be listened on
  eeBadUsage = 64,     // bad usage or a bad image file; nothing was served
};

inline constexpr uint16_t kEmuDefaultPort = 4417;

struct EmuOptions {
  std::string host = TcpDeviceEmulator::kLoopback;
  uint16_t port = kEmuDefaultPort;
  std::string image;  // empty: power-on memories
  std::string serial = TcpBridgeLibrary::kDefaultSerial;
  EmuFaults faults;
  bool verbose = false;
  bool help = false;
  bool version = false;
};

// Parses argv; false with `error` naming the problem on bad usage.
bool ParseEmuCommandLine(int argc, char** argv, EmuOptions& options, std::string& error);

// The texts printed by --help and --version.
const char* EmuHelpText();
const char* EmuVersionText();
