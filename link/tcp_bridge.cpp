#include "link/tcp_bridge.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "link/socket_io.h"

TcpBridgeLibrary::TcpBridgeLibrary(std::string host, uint16_t port, std::string serial)
    : host_(std::move(host)), port_(port), serial_(std::move(serial)) {}

TcpBridgeLibrary::~TcpBridgeLibrary() {
  if (connection_) CloseSocket(connection_->fd);
}

BridgeStatus TcpBridgeLibrary::GetNumDevices(uint32_t& count) {
  std::lock_guard lock(mutex_);
  if (connection_) {
    count = 1;
    return kBridgeOk;
  }
  int fd = ConnectTcp(host_, port_, kProbeTimeoutMs);
  count = fd >= 0 ? 1 : 0;
  CloseSocket(fd);
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  if (index != 0) return kStatusBadIndex;
  const std::string text = option == kProductSerialNumber ? serial_ : "ZN4417 TCP bridge";
  std::strncpy(buffer, text.c_str(), kProductStringSize - 1);
  buffer[kProductStringSize - 1] = '\0';
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  std::lock_guard lock(mutex_);
  if (index != 0) return kStatusBadIndex;
  if (connection_) return kStatusBusy;
  int fd = ConnectTcp(host_, port_, kConnectTimeoutMs);
  if (fd < 0) return kStatusNoConnection;
  if (!SetBlocking(fd, true)) {
    CloseSocket(fd);
    return kStatusNoConnection;
  }
  connection_ = std::make_unique<Connection>();
  connection_->fd = fd;
  handle = connection_.get();
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::Close(BridgeHandle handle) {
  std::lock_guard lock(mutex_);
  if (!connection_ || handle != connection_.get()) return kStatusBadHandle;
  CloseSocket(connection_->fd);
  connection_.reset();
  return kBridgeOk;
}

TcpBridgeLibrary::Connection* TcpBridgeLibrary::Live(BridgeHandle handle) {
  if (!connection_ || handle != connection_.get()) return nullptr;
  return connection_.get();
}

int TcpBridgeLibrary::ReadTimeout() const {
  return static_cast<int>(cap_ != 0 && cap_ < readTimeoutMs_ ? cap_ : readTimeoutMs_);
}

int TcpBridgeLibrary::WriteTimeout() const {
  return static_cast<int>(cap_ != 0 && cap_ < writeTimeoutMs_ ? cap_ : writeTimeoutMs_);
}

BridgeStatus TcpBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                    uint32_t& received) {
  std::lock_guard lock(mutex_);
  received = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (c->dead) return kStatusClosedByPeer;
  return Receive(*c, buffer, wanted, received);
}

namespace {

uint32_t TakePending(std::vector<uint8_t>& pending, uint8_t* buffer, uint32_t max) {
  const auto n = static_cast<uint32_t>(std::min<size_t>(max, pending.size()));
  std::copy_n(pending.begin(), n, buffer);
  pending.erase(pending.begin(), pending.begin() + n);
  return n;
}

}  // namespace

// Takes whatever the connection has in one system call where it can (a
// command reply and the first chunk usually arrive together) and keeps the
// rest for the next read.
BridgeStatus TcpBridgeLibrary::Receive(Connection& c, uint8_t* buffer, uint32_t wanted,
                                       uint32_t& received) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReadTimeout());
  received = TakePending(c.pending, buffer, wanted);
  int wait = ReadTimeout();
  while (received < wanted) {
    uint8_t chunk[512];
    size_t got = 0;
    const IoResult result = ReceiveAny(c.fd, chunk, sizeof chunk, wait, c.appliedRead, got);
    if (result == IoResult::kTimedOut) break;
    if (result != IoResult::kDone) {
      c.dead = true;
      return result == IoResult::kClosed ? kStatusClosedByPeer : kStatusIoError;
    }
    c.pending.insert(c.pending.end(), chunk, chunk + got);
    received += TakePending(c.pending, buffer + received, wanted - received);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    wait = left > 0 ? static_cast<int>(left) : 0;
  }
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                     uint32_t& written) {
  std::lock_guard lock(mutex_);
  written = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (c->dead) return kStatusClosedByPeer;
  size_t sent = 0;
  const IoResult result = SendBlocking(c->fd, buffer, count, WriteTimeout(), c->appliedWrite, sent);
  written = static_cast<uint32_t>(sent);
  if (result == IoResult::kDone || result == IoResult::kTimedOut) return kBridgeOk;
  c->dead = true;
  return result == IoResult::kClosed ? kStatusClosedByPeer : kStatusIoError;
}

BridgeStatus TcpBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t /*flushTransmit*/,
                                            uint8_t flushReceive) {
  std::lock_guard lock(mutex_);
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (c->dead) return kStatusClosedByPeer;
  // Nothing is held on the way out: every write is sent before it returns.
  if (flushReceive == 0) return kBridgeOk;
  c->pending.clear();
  if (!DrainReceived(c->fd)) {
    c->dead = true;
    return kStatusClosedByPeer;
  }
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
  std::lock_guard lock(mutex_);
  readTimeoutMs_ = readTimeoutMs;
  writeTimeoutMs_ = writeTimeoutMs;
  return kBridgeOk;
}

// What the bridge holds from earlier receives plus what the socket has
// queued, found without waiting.
BridgeStatus TcpBridgeLibrary::CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) {
  std::lock_guard lock(mutex_);
  waiting = 0;
  Connection* c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  if (c->dead) return kStatusClosedByPeer;
  int queued = 0;
  if (::ioctl(c->fd, FIONREAD, &queued) != 0) return kStatusIoError;
  waiting = static_cast<uint32_t>(c->pending.size() + static_cast<size_t>(queued));
  return kBridgeOk;
}

std::string TcpBridgeLibrary::Location(uint32_t index) {
  if (index != 0) return "";
  const bool v6 = host_.find(':') != std::string::npos;
  return "tcp://" + (v6 ? "[" + host_ + "]" : host_) + ":" + std::to_string(port_);
}

void TcpBridgeLibrary::CapTimeouts(uint32_t ms) {
  std::lock_guard lock(mutex_);
  cap_ = ms;
}
