// The faults of zn4417emu as written on its command line: KIND[:N][@AT].
//
// Wire faults fire once each, in the order given (TcpDeviceEmulator's
// SetWireFaults); AT is HOST[+DEVICE]: once the host has sent HOST bytes on
// the connection, of the answer due then DEVICE bytes still go out well:
//   unplug[@AT]  silent[@AT]  garbage[@AT]  extra[:N][@AT]  early[@HOST]
// Chip faults hold for every exchange (SimFaults), each given at most once:
//   stray[:N]@PACKET  short-reply  short-chunk@CHUNK  wrong-ack@CHUNK
//   corrupt@ADDRESS  drift  refuse
#pragma once

#include <string>
#include <vector>

#include "link/tcp_device_emulator.h"

struct EmuFaults {
  std::vector<WireFault> wire;
  std::vector<std::string> wireTexts;  // each wire fault as it was written
  SimFaults chip;
  std::vector<std::string> chipKinds;  // the chip faults given so far
};

// Adds the fault `text` to `faults`; false with `error` naming the problem.
bool AddFault(const std::string& text, EmuFaults& faults, std::string& error);
