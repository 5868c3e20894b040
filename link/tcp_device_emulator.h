// A device emulator: a SimulatedChip served over TCP from a thread of its
// own, so that a host reaches it through "tcp://HOST:PORT" (TcpBridgeLibrary).
// The bytes on each data connection are exactly the protocol's bytes.
// Connections that send nothing (device probes) never disturb an exchange,
// nor do identify requests (TcpBridgeLibrary::kIdentifyRequest as the first
// bytes of a connection), which get the serial string and are closed; when a
// different connection starts talking, the chip forgets any exchange in
// progress. The chip and its memories outlive Stop(), so a restarted
// emulator keeps what was written to it.
//
// Threads: every public call may come from any thread. The events are
// called on the emulator's thread with its lock held: they must not call
// back into the emulator; set them before Start().
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/simulated_chip.h"

// Misbehaviour on the wire. It fires once the host has sent
// `afterHostBytes` bytes on the connection (bytes beyond are not taken); of
// the chip's answer at that moment the first `deviceBytes` still go out as
// they should, then:
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
  static constexpr const char* kLoopback = "127.0.0.1";

  TcpDeviceEmulator();
  ~TcpDeviceEmulator();
  TcpDeviceEmulator(const TcpDeviceEmulator&) = delete;
  TcpDeviceEmulator& operator=(const TcpDeviceEmulator&) = delete;

  // Listens on `host`:`port` (port 0: a free port chosen by the system;
  // after a Stop, pass port() to come back on the same one). False, with
  // errno telling why, when it cannot.
  bool Start(const std::string& host, uint16_t port);
  bool Start(uint16_t port = 0) { return Start(kLoopback, port); }
  // Closes the listener and every connection and waits for the thread.
  void Stop();
  bool Running() const { return thread_.joinable(); }
  uint16_t port() const { return port_; }
  const std::string& host() const { return host_; }
  // "tcp://HOST:PORT" ("tcp://[HOST]:PORT" for IPv6), with "?serial=S"
  // when `serial` is given.
  std::string Address(const std::string& serial = "") const;

  // The serial string an identify request gets (default "tx_v1.0").
  void SetSerial(const std::string& serial);
  std::string Serial() const;

  std::vector<uint8_t> ReadMemory(int space, uint16_t address, size_t length) const;
  void WriteMemory(int space, uint16_t address, const std::vector<uint8_t>& bytes);
  // All six memories at once; false (nothing changed) unless `memory` has
  // SimulatedChip::kMemorySize bytes.
  bool LoadMemory(const std::vector<uint8_t>& memory);
  SimFaults Faults() const;
  void SetFaults(const SimFaults& faults);

  // Arms wire faults (waNone entries are left out; an empty list disarms).
  // Each fires once, in order: the first on the connection that talks now
  // or next, each later one on the next connection that starts talking
  // after the one before has fired.
  void SetWireFaults(const std::vector<WireFault>& faults);
  void SetWireFault(const WireFault& fault) { SetWireFaults({fault}); }
  // True once every armed wire fault has fired.
  bool WireFaultFired() const;
  size_t WireFaultsFired() const { return firedFaults_; }
  // The device pulled out: every connection drops and new ones are refused.
  void Unplug();
  // Plugged back in on the same port.
  void Plug();
  bool Plugged() const { return !unplugged_; }

  // Protocol bytes sent (identify answers are not counted).
  uint64_t BytesSent() const { return bytesSent_; }
  uint64_t ConnectionsAccepted() const { return accepted_; }
  uint64_t CompletedWrites() const;
  // The code of every command packet the chip has taken, in order.
  std::vector<uint8_t> Commands() const;

  // Every exchange, when it ends, with the number of its connection
  // (counted from 1 in the order accepted).
  std::function<void(uint64_t connection, const SimExchange& exchange)> OnExchange;
  // A wire fault has fired: its place in the list given, the fault, the connection.
  std::function<void(size_t index, const WireFault& fault, uint64_t connection)> OnWireFault;

 private:
  struct Client {
    int fd = -1;
    uint64_t id = 0;
    bool decided = false;  // known to be a data connection or not
    std::string start;     // first bytes, while they may be an identify request
  };
  void Serve();
  void AcceptPending(std::vector<Client>& clients);
  bool ServeClient(Client& client);
  // Identify requests; true when `client` has been answered and is done.
  bool Identified(Client& client, const uint8_t*& in, size_t& n, bool& keep);
  // Feeds the host's bytes to the chip; false when the connection must close.
  bool Exchange(const Client& client, const uint8_t* in, size_t n);
  void StartTalking(const Client& client);
  bool SendOut(int fd, const std::vector<uint8_t>& out);
  std::vector<uint8_t> TakeAnswer();
  const WireFault* ArmedFault() const;
  void Fire(int fd, std::vector<uint8_t>& out, bool& keepOpen);
  size_t SkipEarlyAcks(const uint8_t* in, size_t n);
  void DropConnections(std::vector<Client>& clients);
  void Forget(int fd);

  mutable std::mutex mutex_;
  SimulatedChip chip_;
  std::string serial_;  // TcpBridgeLibrary::kDefaultSerial unless changed
  std::thread thread_;
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  std::string host_ = kLoopback;
  uint16_t port_ = 0;
  int active_ = -1;  // the connection the chip is talking to
  uint64_t activeId_ = 0;
  std::vector<WireFault> faults_;
  std::atomic<size_t> firedFaults_{0};
  bool armed_ = false;  // faults_[firedFaults_] may fire on the active connection
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
