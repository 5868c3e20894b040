#include "tests/support/tcp_device_emulator.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/socket_io.h"

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
  }
  for (int fd : clients) CloseSocket(fd);
  std::lock_guard lock(mutex_);
  active_ = -1;
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
    return false;
  }
  if (n < 0) return true;
  uint8_t out[4096];
  size_t produced = 0;
  {
    std::lock_guard lock(mutex_);
    if (active_ != fd) {
      chip_.Abort();
      chip_.DropPending();
      active_ = fd;
    }
    chip_.Feed(in, static_cast<size_t>(n));
    produced = chip_.Take(out, sizeof out);  // a chip answers at most 34 bytes at a time
  }
  if (produced == 0) return true;
  size_t sent = 0;
  const IoResult result = SendAll(fd, out, produced, 2000, sent);
  bytesSent_ += sent;
  return result == IoResult::kDone;
}
