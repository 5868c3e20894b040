// Serves a SimulatedChip over TCP on 127.0.0.1 from a background thread, so
// that a test can reach a device through "tcp://127.0.0.1:PORT". The bytes
// on each connection are exactly the protocol's bytes. Connections that send
// nothing (device probes) never disturb an exchange; when a different
// connection starts talking, the chip forgets any exchange in progress.
// The chip and its memories outlive Stop(), so a restarted emulator keeps
// what was written to it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/simulated_chip.h"

// Misbehaviour on the wire, armed for the next connection that talks. It
// fires once the host has sent `afterHostBytes` bytes on that connection
// (bytes beyond are not taken); of the chip's answer at that moment the
// first `deviceBytes` still go out as they should, then:
enum WireAction {
  waNone,
  waUnplug,      // the connection drops and the device is gone (connections refused) until Plug()
  waSilent,      // the device takes nothing more and never answers on this connection
  waGarbage,     // the rest of this answer is inverted; the chip carries on
  waExtraBytes,  // `extraBytes` stray bytes go out after the first `deviceBytes`, in one piece
                 // with the rest of the answer
  waEarly,  // from here a read's chunks all go at once, without waiting for the acknowledgements
};

struct WireFault {
  WireAction action = waNone;
  uint64_t afterHostBytes = 0;
  uint64_t deviceBytes = 0;
  uint32_t extraBytes = 3;
};

class TcpDeviceEmulator {
 public:
  TcpDeviceEmulator();
  ~TcpDeviceEmulator();
  TcpDeviceEmulator(const TcpDeviceEmulator&) = delete;
  TcpDeviceEmulator& operator=(const TcpDeviceEmulator&) = delete;

  // Listens on 127.0.0.1:`port` (0: a free port chosen by the system; after
  // a Stop, pass port() to come back on the same one). False when it cannot.
  bool Start(uint16_t port = 0);
  // Closes the listener and every connection and waits for the thread.
  void Stop();
  bool Running() const { return thread_.joinable(); }
  uint16_t port() const { return port_; }
  // "tcp://127.0.0.1:PORT", with "?serial=S" when `serial` is given.
  std::string Address(const std::string& serial = "") const;

  std::vector<uint8_t> ReadMemory(int space, uint16_t address, size_t length) const;
  void WriteMemory(int space, uint16_t address, const std::vector<uint8_t>& bytes);
  SimFaults Faults() const;
  void SetFaults(const SimFaults& faults);

  // Arms a wire fault (waNone disarms); it fires at most once.
  void SetWireFault(const WireFault& fault);
  bool WireFaultFired() const { return fired_; }
  // The device pulled out: every connection drops and new ones are refused.
  void Unplug();
  // Plugged back in on the same port.
  void Plug();
  bool Plugged() const { return !unplugged_; }

  uint64_t BytesSent() const { return bytesSent_; }
  uint64_t ConnectionsAccepted() const { return accepted_; }
  uint64_t CompletedWrites() const;
  // The code of every command packet the chip has taken, in order.
  std::vector<uint8_t> Commands() const;

 private:
  void Serve();
  void AcceptPending(std::vector<int>& clients);
  bool ServeClient(int fd);
  // Feeds the host's bytes to the chip; false when the connection must close.
  bool Exchange(int fd, const uint8_t* in, size_t n);
  bool SendOut(int fd, const std::vector<uint8_t>& out);
  std::vector<uint8_t> TakeAnswer();
  void Fire(int fd, std::vector<uint8_t>& out, bool& keepOpen);
  size_t SkipEarlyAcks(const uint8_t* in, size_t n);
  void DropConnections(std::vector<int>& clients);

  mutable std::mutex mutex_;
  SimulatedChip chip_;
  std::thread thread_;
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  uint16_t port_ = 0;
  int active_ = -1;  // the connection the chip is talking to
  WireFault fault_;
  std::atomic<bool> fired_{false};
  std::atomic<bool> unplugged_{false};
  std::atomic<bool> dropAll_{false};
  int silentFd_ = -1;                // the connection a silent device ignores
  bool early_ = false;               // reads no longer wait for acknowledgements
  std::vector<uint16_t> earlyAcks_;  // acknowledgements already answered early
  uint64_t hostBytes_ = 0;           // host bytes on the active connection
  std::atomic<uint64_t> bytesSent_{0};
  std::atomic<uint64_t> accepted_{0};
  std::vector<uint8_t> commands_;
};
