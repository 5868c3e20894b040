#include "tests/support/tcp_device_emulator.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/socket_io.h"

TcpDeviceEmulator::TcpDeviceEmulator() {
  // Called with mutex_ held: the chip is fed only inside Exchange.
  chip_.OnCommand = [this](SimulatedChip&, uint8_t code) { commands_.push_back(code); };
}

TcpDeviceEmulator::~TcpDeviceEmulator() {
  Stop();
}

bool TcpDeviceEmulator::Start(uint16_t port) {
  if (Running()) return true;
  uint16_t bound = 0;
  listenFd_ = ListenLoopback(port, bound);
  if (listenFd_ < 0) return false;
  if (::pipe(wake_) != 0) {
    CloseSocket(listenFd_);
    return false;
  }
  port_ = bound;
  thread_ = std::thread([this] { Serve(); });
  return true;
}

void TcpDeviceEmulator::Stop() {
  if (!Running()) return;
  const char stop = 'x';
  [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
  thread_.join();
  CloseSocket(listenFd_);
  CloseSocket(wake_[0]);
  CloseSocket(wake_[1]);
}

std::string TcpDeviceEmulator::Address(const std::string& serial) const {
  std::string address = "tcp://127.0.0.1:" + std::to_string(port_);
  if (!serial.empty()) address += "?serial=" + serial;
  return address;
}

std::vector<uint8_t> TcpDeviceEmulator::ReadMemory(int space, uint16_t address,
                                                   size_t length) const {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> out(length);
  for (size_t i = 0; i < length; ++i) {
    out[i] = chip_.Peek(space, static_cast<uint16_t>(address + i));
  }
  return out;
}

void TcpDeviceEmulator::WriteMemory(int space, uint16_t address,
                                    const std::vector<uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  for (size_t i = 0; i < bytes.size(); ++i) {
    chip_.Poke(space, static_cast<uint16_t>(address + i), bytes[i]);
  }
}

SimFaults TcpDeviceEmulator::Faults() const {
  std::lock_guard lock(mutex_);
  return chip_.Faults();
}

void TcpDeviceEmulator::SetFaults(const SimFaults& faults) {
  std::lock_guard lock(mutex_);
  chip_.SetFaults(faults);
}

uint64_t TcpDeviceEmulator::CompletedWrites() const {
  std::lock_guard lock(mutex_);
  return chip_.CompletedWrites();
}

std::vector<uint8_t> TcpDeviceEmulator::Commands() const {
  std::lock_guard lock(mutex_);
  return commands_;
}

void TcpDeviceEmulator::SetWireFault(const WireFault& fault) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
  fired_ = false;
}

void TcpDeviceEmulator::Unplug() {
  Stop();
  unplugged_ = true;
}

void TcpDeviceEmulator::Plug() {
  Stop();
  unplugged_ = false;
  Start(port_);
}

void TcpDeviceEmulator::Serve() {
  std::vector<int> clients;
  std::vector<pollfd> fds;
  for (;;) {
    fds.assign({{wake_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}});
    for (int fd : clients) fds.push_back({fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0) continue;
    if (fds[0].revents != 0) break;
    if (fds[1].revents != 0) AcceptPending(clients);
    for (size_t i = 2; i < fds.size(); ++i) {
      if (fds[i].revents == 0 || ServeClient(fds[i].fd)) continue;
      int fd = fds[i].fd;
      clients.erase(std::find(clients.begin(), clients.end(), fd));
      CloseSocket(fd);
    }
    if (dropAll_) {
      // Pulled out: no connection survives and none is taken until Plug().
      DropConnections(clients);
      CloseSocket(listenFd_);
      dropAll_ = false;
    }
  }
  DropConnections(clients);
}

void TcpDeviceEmulator::DropConnections(std::vector<int>& clients) {
  for (int fd : clients) CloseSocket(fd);
  clients.clear();
  std::lock_guard lock(mutex_);
  active_ = -1;
  silentFd_ = -1;
  chip_.Abort();
  chip_.DropPending();
}

void TcpDeviceEmulator::AcceptPending(std::vector<int>& clients) {
  for (;;) {
    int fd = AcceptTcp(listenFd_);
    if (fd < 0) return;
    ++accepted_;
    if (Faults().refuseOpen) {
      CloseSocket(fd);
    } else {
      clients.push_back(fd);
    }
  }
}

// False when the connection is finished and must be closed.
bool TcpDeviceEmulator::ServeClient(int fd) {
  uint8_t in[4096];
  const ssize_t n = ::recv(fd, in, sizeof in, MSG_DONTWAIT);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
    std::lock_guard lock(mutex_);
    if (active_ == fd) {
      active_ = -1;
      chip_.Abort();
      chip_.DropPending();
    }
    if (silentFd_ == fd) silentFd_ = -1;
    return false;
  }
  if (n < 0) return true;
  return Exchange(fd, in, static_cast<size_t>(n));
}

std::vector<uint8_t> TcpDeviceEmulator::TakeAnswer() {
  std::vector<uint8_t> out(chip_.Pending());
  out.resize(chip_.Take(out.data(), out.size()));
  // A device that does not wait: every chunk of a read goes at once, and
  // the acknowledgements the host sends for them later are let through.
  for (int32_t ack = chip_.ExpectedReadAck(); early_ && ack >= 0; ack = chip_.ExpectedReadAck()) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(ack >> 8), static_cast<uint8_t>(ack & 0xFF)};
    chip_.Feed(bytes, 2);
    earlyAcks_.push_back(static_cast<uint16_t>(ack));
    const size_t at = out.size();
    out.resize(at + chip_.Pending());
    out.resize(at + chip_.Take(out.data() + at, out.size() - at));
  }
  return out;
}

size_t TcpDeviceEmulator::SkipEarlyAcks(const uint8_t* in, size_t n) {
  size_t skipped = 0;
  while (!earlyAcks_.empty() && n - skipped >= 2 &&
         (in[skipped] << 8 | in[skipped + 1]) == earlyAcks_.front()) {
    earlyAcks_.erase(earlyAcks_.begin());
    skipped += 2;
  }
  if (skipped == 0) earlyAcks_.clear();  // the host has moved on
  return skipped;
}

void TcpDeviceEmulator::Fire(int fd, std::vector<uint8_t>& out, bool& keepOpen) {
  fired_ = true;
  const size_t keep = std::min<size_t>(fault_.deviceBytes, out.size());
  switch (fault_.action) {
    case waUnplug:
      out.resize(keep);
      unplugged_ = true;
      dropAll_ = true;
      keepOpen = false;
      break;
    case waSilent:
      out.resize(keep);
      silentFd_ = fd;
      break;
    case waGarbage:
      for (size_t i = keep; i < out.size(); ++i) out[i] = static_cast<uint8_t>(~out[i]);
      break;
    case waExtraBytes:
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(keep), fault_.extraBytes,
                 SimulatedChip::kStrayByte);
      break;
    case waEarly: {
      early_ = true;
      const std::vector<uint8_t> more = TakeAnswer();
      out.insert(out.end(), more.begin(), more.end());
      break;
    }
    case waNone:
      break;
  }
}

bool TcpDeviceEmulator::Exchange(int fd, const uint8_t* in, size_t n) {
  if (fd == silentFd_) return true;  // takes nothing, answers nothing
  std::vector<uint8_t> out;
  bool keepOpen = true;
  {
    std::lock_guard lock(mutex_);
    if (active_ != fd) {
      chip_.Abort();
      chip_.DropPending();
      active_ = fd;
      hostBytes_ = 0;
      early_ = false;
      earlyAcks_.clear();
    }
    const size_t skipped = SkipEarlyAcks(in, n);
    in += skipped;
    n -= skipped;
    size_t take = n;
    const bool fire = fault_.action != waNone && !fired_ && hostBytes_ + n >= fault_.afterHostBytes;
    if (fire) take = static_cast<size_t>(fault_.afterHostBytes - hostBytes_);
    chip_.Feed(in, take);
    hostBytes_ += take;
    out = TakeAnswer();
    if (fire) {
      Fire(fd, out, keepOpen);
      if (keepOpen && fd != silentFd_ && take < n) {
        chip_.Feed(in + take, n - take);  // the rest of what came, as usual
        hostBytes_ += n - take;
        const std::vector<uint8_t> more = TakeAnswer();
        out.insert(out.end(), more.begin(), more.end());
      }
    }
  }
  return SendOut(fd, out) && keepOpen;
}

bool TcpDeviceEmulator::SendOut(int fd, const std::vector<uint8_t>& out) {
  if (out.empty()) return true;
  size_t sent = 0;
  const IoResult result = SendAll(fd, out.data(), out.size(), 2000, sent);
  bytesSent_ += sent;
  return result == IoResult::kDone;
}
