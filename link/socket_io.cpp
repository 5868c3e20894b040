#include "link/socket_io.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return 0;
  return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}

namespace {

int ConnectOne(const addrinfo& ai, int timeoutMs) {
  int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, ai.ai_addr, ai.ai_addrlen) != 0) {
    if (errno != EINPROGRESS || !WaitReady(fd, POLLOUT, timeoutMs)) {
      CloseSocket(fd);
      return -1;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
      CloseSocket(fd);
      return -1;
    }
  }
  SetNoDelay(fd);
  return fd;
}

}  // namespace

int ConnectTcp(const std::string& host, uint16_t port, int timeoutMs) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int fd = -1;
  for (addrinfo* ai = found; ai != nullptr && fd < 0; ai = ai->ai_next) {
    fd = ConnectOne(*ai, MillisecondsLeft(deadline));
  }
  ::freeaddrinfo(found);
  return fd;
}

namespace {

// The port a bound socket has, or 0.
uint16_t BoundPort(int fd) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
  }
  return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

int ListenOne(const addrinfo& ai, uint16_t& bound) {
  int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
  if (fd < 0) return -1;
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (ai.ai_family == AF_INET6) ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
  if (::bind(fd, ai.ai_addr, ai.ai_addrlen) != 0 || ::listen(fd, 16) != 0 ||
      (bound = BoundPort(fd)) == 0) {
    const int error = errno;
    CloseSocket(fd);
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace

int ListenTcp(const std::string& host, uint16_t port, uint16_t& bound) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (const int result = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
      result != 0) {
    errno = result == EAI_SYSTEM ? errno : EADDRNOTAVAIL;
    return -1;
  }
  int fd = -1;
  for (addrinfo* ai = found; ai != nullptr && fd < 0; ai = ai->ai_next) fd = ListenOne(*ai, bound);
  const int error = errno;
  ::freeaddrinfo(found);
  errno = error;
  return fd;
}

int ListenLoopback(uint16_t port, uint16_t& bound) {
  return ListenTcp("127.0.0.1", port, bound);
}

int AcceptTcp(int listenFd) {
  const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd >= 0) SetNoDelay(fd);
  return fd;
}

void SetNoDelay(int fd) {
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool WaitReady(int fd, short events, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (n > 0) return true;
    if (n == 0) return false;
    if (errno != EINTR) return false;
  }
}

IoResult SendAll(int fd, const uint8_t* data, size_t count, int timeoutMs, size_t& sent) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  sent = 0;
  while (sent < count) {
    const ssize_t n = ::send(fd, data + sent, count - sent, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      return errno == EPIPE || errno == ECONNRESET ? IoResult::kClosed : IoResult::kError;
    }
    const int left = MillisecondsLeft(deadline);
    if (left == 0 || !WaitReady(fd, POLLOUT, left)) return IoResult::kTimedOut;
  }
  return IoResult::kDone;
}

namespace {

bool ApplyTimeout(int fd, int option, int timeoutMs, int& applied) {
  if (applied == timeoutMs) return true;
  timeval tv{};
  tv.tv_sec = timeoutMs / 1000;
  tv.tv_usec = (timeoutMs % 1000) * 1000;
  if (::setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv) != 0) return false;
  applied = timeoutMs;
  return true;
}

// A zero time-out must not reach SO_*TIMEO, where 0 means "wait for ever".
template <typename Transfer>
IoResult BlockingLoop(int fd, int option, size_t count, int timeoutMs, int& applied, size_t& done,
                      Transfer transfer) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  done = 0;
  int wait = timeoutMs;  // the whole time-out first, so that it is set once and kept
  while (done < count) {
    if (wait > 0 && !ApplyTimeout(fd, option, wait, applied)) return IoResult::kError;
    const ssize_t n = transfer(done, wait > 0 ? 0 : MSG_DONTWAIT);
    wait = MillisecondsLeft(deadline);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n == 0) return IoResult::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return IoResult::kTimedOut;
    return errno == EPIPE || errno == ECONNRESET ? IoResult::kClosed : IoResult::kError;
  }
  return IoResult::kDone;
}

}  // namespace

IoResult ReceiveAny(int fd, uint8_t* buffer, size_t max, int timeoutMs, int& applied, size_t& got) {
  got = 0;
  if (timeoutMs > 0 && !ApplyTimeout(fd, SO_RCVTIMEO, timeoutMs, applied)) return IoResult::kError;
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, max, timeoutMs > 0 ? 0 : MSG_DONTWAIT);
    if (n > 0) {
      got = static_cast<size_t>(n);
      return IoResult::kDone;
    }
    if (n == 0) return IoResult::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return IoResult::kTimedOut;
    return errno == ECONNRESET ? IoResult::kClosed : IoResult::kError;
  }
}

IoResult SendBlocking(int fd, const uint8_t* data, size_t count, int timeoutMs, int& applied,
                      size_t& sent) {
  return BlockingLoop(fd, SO_SNDTIMEO, count, timeoutMs, applied, sent,
                      [&](size_t done, int flags) {
                        return ::send(fd, data + done, count - done, flags | MSG_NOSIGNAL);
                      });
}

bool SetBlocking(int fd, bool blocking) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return false;
  return ::fcntl(fd, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK) == 0;
}

bool DrainReceived(int fd) {
  uint8_t scratch[512];
  for (;;) {
    const ssize_t n = ::recv(fd, scratch, sizeof scratch, MSG_DONTWAIT);
    if (n > 0) continue;
    if (n == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

void CloseSocket(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}
