#include "link/tcp_device_emulator.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <cerrno>

#include "link/socket_io.h"
#include "link/tcp_bridge.h"

TcpDeviceEmulator::TcpDeviceEmulator() : serial_(TcpBridgeLibrary::kDefaultSerial) {
  // Called with mutex_ held: the chip is fed only inside Exchange.
  chip_.OnCommand = [this](SimulatedChip&, uint8_t code) { commands_.push_back(code); };
  chip_.OnExchangeEnd = [this](SimulatedChip&, const SimExchange& exchange) {
    if (OnExchange) OnExchange(activeId_, exchange);
  };
}

TcpDeviceEmulator::~TcpDeviceEmulator() {
  Stop();
}

bool TcpDeviceEmulator::Start(const std::string& host, uint16_t port) {
  if (Running()) return true;
  uint16_t bound = 0;
  listenFd_ = ListenTcp(host, port, bound);
  if (listenFd_ < 0) return false;
  if (::pipe2(wake_, O_CLOEXEC) != 0) {
    const int error = errno;
    CloseSocket(listenFd_);
    errno = error;
    return false;
  }
  host_ = host;
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
  std::string address = TcpBridgeLibrary::AddressOf(host_, port_);
  if (!serial.empty()) address += "?serial=" + serial;
  return address;
}

void TcpDeviceEmulator::SetSerial(const std::string& serial) {
  std::lock_guard lock(mutex_);
  serial_ = serial;
}

std::string TcpDeviceEmulator::Serial() const {
  std::lock_guard lock(mutex_);
  return serial_;
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

bool TcpDeviceEmulator::LoadMemory(const std::vector<uint8_t>& memory) {
  std::lock_guard lock(mutex_);
  return chip_.LoadMemory(memory);
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

void TcpDeviceEmulator::SetWireFaults(const std::vector<WireFault>& faults) {
  std::lock_guard lock(mutex_);
  faults_.clear();
  for (const WireFault& f : faults) {
    if (f.action != waNone) faults_.push_back(f);
  }
  firedFaults_ = 0;
  armed_ = !faults_.empty();
}

bool TcpDeviceEmulator::WireFaultFired() const {
  std::lock_guard lock(mutex_);
  return !faults_.empty() && firedFaults_ == faults_.size();
}

const WireFault* TcpDeviceEmulator::ArmedFault() const {
  return armed_ && firedFaults_ < faults_.size() ? &faults_[firedFaults_] : nullptr;
}

void TcpDeviceEmulator::Unplug() {
  Stop();
  unplugged_ = true;
}

void TcpDeviceEmulator::Plug() {
  Stop();
  unplugged_ = false;
  Start(host_, port_);
}

void TcpDeviceEmulator::Serve() {
  std::vector<Client> clients;
  std::vector<pollfd> fds;
  for (;;) {
    fds.assign({{wake_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}});
    for (const Client& c : clients) fds.push_back({c.fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0) continue;
    if (fds[0].revents != 0) break;
    if (fds[1].revents != 0) AcceptPending(clients);
    // Polled in the order of `fds`; clients accepted just now come after them.
    for (size_t i = 2; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      const auto it = std::find_if(clients.begin(), clients.end(),
                                   [&](const Client& c) { return c.fd == fds[i].fd; });
      if (it == clients.end() || ServeClient(*it)) continue;
      CloseSocket(it->fd);
      clients.erase(it);
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

void TcpDeviceEmulator::DropConnections(std::vector<Client>& clients) {
  for (Client& c : clients) CloseSocket(c.fd);
  clients.clear();
  std::lock_guard lock(mutex_);
  active_ = -1;
  silentFd_ = -1;
  chip_.Abort();
  chip_.DropPending();
}

void TcpDeviceEmulator::AcceptPending(std::vector<Client>& clients) {
  for (;;) {
    int fd = AcceptTcp(listenFd_);
    if (fd < 0) return;
    const uint64_t id = ++accepted_;
    if (Faults().refuseOpen) {
      CloseSocket(fd);
    } else {
      clients.push_back({fd, id, false, {}});
    }
  }
}

// The connection `fd` is gone: the chip forgets an exchange it was in.
void TcpDeviceEmulator::Forget(int fd) {
  std::lock_guard lock(mutex_);
  if (active_ == fd) {
    chip_.Abort();
    chip_.DropPending();
    active_ = -1;
  }
  if (silentFd_ == fd) silentFd_ = -1;
}

// False when the connection is finished and must be closed.
bool TcpDeviceEmulator::ServeClient(Client& client) {
  uint8_t buffer[4096];
  const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, MSG_DONTWAIT);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
    Forget(client.fd);
    return false;
  }
  if (n < 0) return true;
  const uint8_t* in = buffer;
  size_t count = static_cast<size_t>(n);
  bool keep = true;
  if (Identified(client, in, count, keep)) return keep;
  return Exchange(client, in, count);
}

// A connection whose first bytes are the identify request gets the serial
// string and is closed; any other start makes it a data connection, and
// the bytes held back so far are handed on in `in` and `n`.
bool TcpDeviceEmulator::Identified(Client& client, const uint8_t*& in, size_t& n, bool& keep) {
  if (client.decided) return false;
  const std::string request = TcpBridgeLibrary::kIdentifyRequest;
  client.start.append(reinterpret_cast<const char*>(in), n);
  const size_t common = std::min(client.start.size(), request.size());
  if (client.start.compare(0, common, request, 0, common) != 0) {
    client.decided = true;
    in = reinterpret_cast<const uint8_t*>(client.start.data());
    n = client.start.size();
    return false;
  }
  keep = client.start.size() < request.size();  // more of the request to come
  if (!keep) {
    const std::string answer = TcpBridgeLibrary::kIdentifyAnswer + Serial() + "\n";
    size_t sent = 0;
    SendAll(client.fd, reinterpret_cast<const uint8_t*>(answer.data()), answer.size(), 2000, sent);
  }
  return true;
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
  const size_t index = firedFaults_;
  const WireFault fault = faults_[index];
  armed_ = false;  // at most one fault per connection
  ++firedFaults_;
  if (OnWireFault) OnWireFault(index, fault, activeId_);
  const size_t keep = std::min<size_t>(fault.deviceBytes, out.size());
  switch (fault.action) {
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
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(keep), fault.extraBytes,
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

// A connection other than the last one starts talking: the chip forgets
// what the last one left, and the next wire fault is armed for it.
void TcpDeviceEmulator::StartTalking(const Client& client) {
  chip_.Abort();
  chip_.DropPending();
  active_ = client.fd;
  activeId_ = client.id;
  hostBytes_ = 0;
  early_ = false;
  earlyAcks_.clear();
  if (firedFaults_ > 0) armed_ = firedFaults_ < faults_.size();
}

bool TcpDeviceEmulator::Exchange(const Client& client, const uint8_t* in, size_t n) {
  const int fd = client.fd;
  std::vector<uint8_t> out;
  bool keepOpen = true;
  {
    std::lock_guard lock(mutex_);
    if (fd == silentFd_) return true;  // takes nothing, answers nothing
    if (active_ != fd) StartTalking(client);
    const size_t skipped = SkipEarlyAcks(in, n);
    in += skipped;
    n -= skipped;
    size_t take = n;
    const WireFault* fault = ArmedFault();
    const bool fire = fault != nullptr && hostBytes_ + n >= fault->afterHostBytes;
    if (fire) take = static_cast<size_t>(fault->afterHostBytes - hostBytes_);
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
