#include "link/tcp_bridge.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "link/socket_io.h"

// One data connection. `io` is held for the whole of a transfer on it;
// `closed` is set under `io` when the handle is closed.
struct TcpBridgeLibrary::Connection {
  std::mutex io;
  int fd = -1;
  bool closed = false;
  bool dead = false;
  int appliedRead = -1;  // time-outs the socket has now
  int appliedWrite = -1;
  std::vector<uint8_t> pending;  // received, not yet handed to a read
};

namespace {

using Clock = std::chrono::steady_clock;

// The serial string a device gives for the identify request on `fd`, or ""
// when it gives none (it closes, stays silent or says something else).
std::string AskSerial(int fd, int timeoutMs) {
  const std::string request = TcpBridgeLibrary::kIdentifyRequest;
  size_t sent = 0;
  if (SendAll(fd, reinterpret_cast<const uint8_t*>(request.data()), request.size(), timeoutMs,
              sent) != IoResult::kDone) {
    return "";
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const std::string prefix = TcpBridgeLibrary::kIdentifyAnswer;
  std::string line;
  while (line.find('\n') == std::string::npos &&
         line.size() <= prefix.size() + kProductStringSize) {
    if (!WaitReady(fd, POLLIN, MillisecondsLeft(deadline))) return "";
    char chunk[128];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n <= 0) return "";
    line.append(chunk, static_cast<size_t>(n));
  }
  const size_t end = line.find('\n');
  if (end == std::string::npos || line.compare(0, prefix.size(), prefix) != 0) return "";
  const std::string serial = line.substr(prefix.size(), end - prefix.size());
  if (serial.empty() || serial.size() >= kProductStringSize) return "";
  return serial;
}

uint32_t TakePending(std::vector<uint8_t>& pending, uint8_t* buffer, uint32_t max) {
  const auto n = static_cast<uint32_t>(std::min<size_t>(max, pending.size()));
  std::copy_n(pending.begin(), n, buffer);
  pending.erase(pending.begin(), pending.begin() + n);
  return n;
}

// Takes whatever the connection has in one system call where it can (a
// command reply and the first chunk usually arrive together) and keeps the
// rest for the next read.
BridgeStatus Receive(TcpBridgeLibrary::Connection& c, uint8_t* buffer, uint32_t wanted,
                     int timeoutMs, uint32_t& received) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  received = TakePending(c.pending, buffer, wanted);
  int wait = timeoutMs;
  while (received < wanted) {
    uint8_t chunk[512];
    size_t got = 0;
    const IoResult result = ReceiveAny(c.fd, chunk, sizeof chunk, wait, c.appliedRead, got);
    if (result == IoResult::kTimedOut) break;
    if (result != IoResult::kDone) {
      c.dead = true;
      return result == IoResult::kClosed ? TcpBridgeLibrary::kStatusClosedByPeer
                                         : TcpBridgeLibrary::kStatusIoError;
    }
    c.pending.insert(c.pending.end(), chunk, chunk + got);
    received += TakePending(c.pending, buffer + received, wanted - received);
    wait = MillisecondsLeft(deadline);
  }
  return kBridgeOk;
}

}  // namespace

TcpBridgeLibrary::TcpBridgeLibrary(std::string host, uint16_t port, std::string serial)
    : host_(std::move(host)), port_(port), namedSerial_(std::move(serial)) {}

TcpBridgeLibrary::~TcpBridgeLibrary() {
  if (connection_) CloseSocket(connection_->fd);
}

bool TcpBridgeLibrary::Look(int timeoutMs) {
  int fd = ConnectTcp(host_, port_, timeoutMs);
  if (fd < 0) return false;
  const std::string serial = namedSerial_.empty() ? AskSerial(fd, timeoutMs) : namedSerial_;
  CloseSocket(fd);
  std::lock_guard lock(mutex_);
  learnedSerial_ = serial.empty() ? kDefaultSerial : serial;
  looked_ = true;
  return true;
}

std::string TcpBridgeLibrary::Serial() const {
  if (!namedSerial_.empty()) return namedSerial_;
  std::lock_guard lock(mutex_);
  return learnedSerial_;
}

BridgeStatus TcpBridgeLibrary::GetNumDevices(uint32_t& count) {
  {
    std::lock_guard lock(mutex_);
    if (connection_) {
      count = 1;
      return kBridgeOk;
    }
  }
  count = Look(kProbeTimeoutMs) ? 1 : 0;
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::GetProductString(uint32_t index, char* buffer, uint32_t option) {
  if (index != 0) return kStatusBadIndex;
  std::string text = "ZN4417 TCP bridge";
  if (option == kProductSerialNumber) {
    bool looked = false;
    {
      std::lock_guard lock(mutex_);
      looked = looked_ || connection_ != nullptr;
    }
    if (namedSerial_.empty() && !looked && !Look(kProbeTimeoutMs)) return kStatusNoConnection;
    text = Serial();
  }
  std::strncpy(buffer, text.c_str(), kProductStringSize - 1);
  buffer[kProductStringSize - 1] = '\0';
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  if (index != 0) return kStatusBadIndex;
  {
    std::lock_guard lock(mutex_);
    if (connection_ || opening_) return kStatusBusy;
    opening_ = true;  // a second Open meanwhile is refused as busy
  }
  int fd = ConnectTcp(host_, port_, kConnectTimeoutMs);
  if (fd >= 0 && !SetBlocking(fd, true)) CloseSocket(fd);
  std::lock_guard lock(mutex_);
  opening_ = false;
  if (fd < 0) return kStatusNoConnection;
  connection_ = std::make_shared<Connection>();
  connection_->fd = fd;
  // Handles are never reused, so that a stale one can never reach a later connection.
  connectionId_ = nextId_++;
  handle = reinterpret_cast<BridgeHandle>(connectionId_);
  return kBridgeOk;
}

BridgeStatus TcpBridgeLibrary::Close(BridgeHandle handle) {
  std::shared_ptr<Connection> c;
  {
    std::lock_guard lock(mutex_);
    if (!IsCurrent(handle)) return kStatusBadHandle;
    c = std::move(connection_);
  }
  std::lock_guard io(c->io);
  CloseSocket(c->fd);
  c->closed = true;
  return kBridgeOk;
}

bool TcpBridgeLibrary::IsCurrent(BridgeHandle handle) const {
  return connection_ && reinterpret_cast<uintptr_t>(handle) == connectionId_;
}

std::shared_ptr<TcpBridgeLibrary::Connection> TcpBridgeLibrary::Live(BridgeHandle handle) {
  std::lock_guard lock(mutex_);
  return IsCurrent(handle) ? connection_ : nullptr;
}

int TcpBridgeLibrary::ReadTimeout() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(cap_ != 0 && cap_ < readTimeoutMs_ ? cap_ : readTimeoutMs_);
}

int TcpBridgeLibrary::WriteTimeout() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(cap_ != 0 && cap_ < writeTimeoutMs_ ? cap_ : writeTimeoutMs_);
}

BridgeStatus TcpBridgeLibrary::OnConnection(BridgeHandle handle,
                                            const std::function<BridgeStatus(Connection&)>& run) {
  const std::shared_ptr<Connection> c = Live(handle);
  if (c == nullptr) return kStatusBadHandle;
  std::lock_guard io(c->io);
  if (c->closed) return kStatusBadHandle;  // closed while this call waited
  if (c->dead) return kStatusClosedByPeer;
  return run(*c);
}

BridgeStatus TcpBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                                    uint32_t& received) {
  received = 0;
  const int timeout = ReadTimeout();
  return OnConnection(handle,
                      [&](Connection& c) { return Receive(c, buffer, wanted, timeout, received); });
}

BridgeStatus TcpBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                                     uint32_t& written) {
  written = 0;
  const int timeout = WriteTimeout();
  return OnConnection(handle, [&](Connection& c) {
    size_t sent = 0;
    const IoResult result = SendBlocking(c.fd, buffer, count, timeout, c.appliedWrite, sent);
    written = static_cast<uint32_t>(sent);
    if (result == IoResult::kDone || result == IoResult::kTimedOut) return kBridgeOk;
    c.dead = true;
    return result == IoResult::kClosed ? kStatusClosedByPeer : kStatusIoError;
  });
}

BridgeStatus TcpBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t /*flushTransmit*/,
                                            uint8_t flushReceive) {
  return OnConnection(handle, [&](Connection& c) {
    // Nothing is held on the way out: every write is sent before it returns.
    if (flushReceive == 0) return kBridgeOk;
    c.pending.clear();
    if (!DrainReceived(c.fd)) {
      c.dead = true;
      return kStatusClosedByPeer;
    }
    return kBridgeOk;
  });
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
  waiting = 0;
  return OnConnection(handle, [&](Connection& c) {
    int queued = 0;
    if (::ioctl(c.fd, FIONREAD, &queued) != 0) return kStatusIoError;
    waiting = static_cast<uint32_t>(c.pending.size() + static_cast<size_t>(queued));
    return kBridgeOk;
  });
}

std::string TcpBridgeLibrary::AddressOf(const std::string& host, uint16_t port) {
  const bool v6 = host.find(':') != std::string::npos;
  return "tcp://" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string TcpBridgeLibrary::Location(uint32_t index) {
  return index == 0 ? AddressOf(host_, port_) : "";
}

void TcpBridgeLibrary::CapTimeouts(uint32_t ms) {
  std::lock_guard lock(mutex_);
  cap_ = ms;
}
