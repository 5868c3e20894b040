// A bridge library that reaches one device emulator over TCP. The bytes on
// the connection are exactly the memory-access protocol's bytes. The device
// counts as attached while a connection to the endpoint can be made.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/bridge_library.h"

class TcpBridgeLibrary : public BridgeLibrary {
 public:
  static constexpr const char* kDefaultSerial = "tx_v1.0";
  static constexpr int kProbeTimeoutMs = 500;
  static constexpr int kConnectTimeoutMs = 1000;

  static constexpr BridgeStatus kStatusBadIndex = 2;
  static constexpr BridgeStatus kStatusBadHandle = 3;
  static constexpr BridgeStatus kStatusBusy = 4;
  static constexpr BridgeStatus kStatusNoConnection = 5;
  static constexpr BridgeStatus kStatusClosedByPeer = 6;
  static constexpr BridgeStatus kStatusIoError = 7;

  TcpBridgeLibrary(std::string host, uint16_t port, std::string serial = kDefaultSerial);
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

  // Never wait longer than `ms` for a read or a write (0: no cap). For tests
  // that provoke time-outs on purpose.
  void CapTimeouts(uint32_t ms);

  const std::string& Host() const { return host_; }
  uint16_t Port() const { return port_; }
  const std::string& Serial() const { return serial_; }

 private:
  struct Connection {
    int fd = -1;
    bool dead = false;
    int appliedRead = -1;  // time-outs the socket has now
    int appliedWrite = -1;
    std::vector<uint8_t> pending;  // received, not yet handed to a read
  };
  Connection* Live(BridgeHandle handle);
  int ReadTimeout() const;
  BridgeStatus Receive(Connection& c, uint8_t* buffer, uint32_t wanted, uint32_t& received);
  int WriteTimeout() const;

  std::mutex mutex_;
  std::string host_;
  uint16_t port_;
  std::string serial_;
  std::unique_ptr<Connection> connection_;
  uint32_t readTimeoutMs_ = 1800;
  uint32_t writeTimeoutMs_ = 500;
  uint32_t cap_ = 0;
};
