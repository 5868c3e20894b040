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

class TcpDeviceEmulator {
 public:
  TcpDeviceEmulator() = default;
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

  uint64_t BytesSent() const { return bytesSent_; }
  uint64_t ConnectionsAccepted() const { return accepted_; }
  uint64_t CompletedWrites() const;

 private:
  void Serve();
  void AcceptPending(std::vector<int>& clients);
  bool ServeClient(int fd);

  mutable std::mutex mutex_;
  SimulatedChip chip_;
  std::thread thread_;
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  uint16_t port_ = 0;
  int active_ = -1;  // the connection the chip is talking to
  std::atomic<uint64_t> bytesSent_{0};
  std::atomic<uint64_t> accepted_{0};
};
