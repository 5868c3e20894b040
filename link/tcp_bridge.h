// A bridge library that reaches one device emulator over TCP. The bytes on
// a data connection are exactly the memory-access protocol's bytes. The
// device counts as attached while a connection to the endpoint can be made.
//
// The serial string is the one the address names (?serial=S); without one
// the device is asked on a connection of its own: the host sends the line
// kIdentifyRequest, the device answers one line "serial=S" and closes. A
// device that does not answer reports kDefaultSerial.
//
// Threads: every call may come from any thread, also at the same time as
// another. The library holds one connection; a read or a write waits only
// for another transfer on that same connection, never for a count or a
// serial query, and a Close waits for the transfer in progress on its
// handle. Using a handle after it was closed fails with kStatusBadHandle.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/bridge_library.h"
#include "link/usb_link.h"

class TcpBridgeLibrary : public BridgeLibrary {
 public:
  static constexpr const char* kDefaultSerial = UsbLink::kSerialString;
  static constexpr const char* kIdentifyRequest = "ZN4417?\n";
  static constexpr const char* kIdentifyAnswer = "serial=";  // then the serial and "\n"
  static constexpr int kProbeTimeoutMs = 500;
  static constexpr int kConnectTimeoutMs = 1000;

  static constexpr BridgeStatus kStatusBadIndex = 2;
  static constexpr BridgeStatus kStatusBadHandle = 3;
  static constexpr BridgeStatus kStatusBusy = 4;
  static constexpr BridgeStatus kStatusNoConnection = 5;
  static constexpr BridgeStatus kStatusClosedByPeer = 6;
  static constexpr BridgeStatus kStatusIoError = 7;

  // An empty `serial` asks the device for its own.
  TcpBridgeLibrary(std::string host, uint16_t port, std::string serial = "");
  ~TcpBridgeLibrary() override;
  TcpBridgeLibrary(const TcpBridgeLibrary&) = delete;
  TcpBridgeLibrary& operator=(const TcpBridgeLibrary&) = delete;

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  BridgeStatus Close(BridgeHandle handle) override;
  BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                    uint32_t& received) override;
  BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written) override;
  BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                            uint8_t flushReceive) override;
  BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
  BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) override;
  // "tcp://HOST:PORT", an IPv6 host in brackets.
  std::string Location(uint32_t index) override;
  static std::string AddressOf(const std::string& host, uint16_t port);

  // Never wait longer than `ms` for a read or a write (0: no cap). For tests
  // that provoke time-outs on purpose.
  void CapTimeouts(uint32_t ms);

  const std::string& Host() const { return host_; }
  uint16_t Port() const { return port_; }
  // The serial string the address names, else the one the device gave at
  // the last look (kDefaultSerial before the first).
  std::string Serial() const;

  struct Connection;

 private:
  std::shared_ptr<Connection> Live(BridgeHandle handle);
  // Runs `run` on the live connection of `handle` with the connection's lock held.
  BridgeStatus OnConnection(BridgeHandle handle,
                            const std::function<BridgeStatus(Connection&)>& run);
  bool IsCurrent(BridgeHandle handle) const;  // with mutex_ held
  // Connects, asks for the serial string when the address names none, and
  // closes again; false when no connection could be made.
  bool Look(int timeoutMs);
  int ReadTimeout() const;
  int WriteTimeout() const;

  const std::string host_;
  const uint16_t port_;
  const std::string namedSerial_;  // from the address; empty: ask the device
  mutable std::mutex mutex_;       // guards what follows, never held while waiting
  std::shared_ptr<Connection> connection_;
  uintptr_t connectionId_ = 0;  // the handle of connection_
  uintptr_t nextId_ = 1;
  bool opening_ = false;  // an Open is connecting
  std::string learnedSerial_ = kDefaultSerial;
  bool looked_ = false;  // a look has asked the device (or found it silent)
  uint32_t readTimeoutMs_ = 1800;
  uint32_t writeTimeoutMs_ = 500;
  uint32_t cap_ = 0;
};
