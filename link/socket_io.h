// Small POSIX socket helpers shared by the TCP bridge, its emulator and the
// link benchmark. All sockets made here are non-blocking and close-on-exec;
// every wait is bounded by a time-out in milliseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A connected TCP socket with TCP_NODELAY, or -1 when no connection could be
// made within `timeoutMs`.
int ConnectTcp(const std::string& host, uint16_t port, int timeoutMs);

// A socket listening on 127.0.0.1:`port` (0 = any free port), or -1.
// `bound` receives the port actually used.
int ListenLoopback(uint16_t port, uint16_t& bound);

// Accepts one pending connection (non-blocking, TCP_NODELAY), or -1.
int AcceptTcp(int listenFd);

void SetNoDelay(int fd);

// Waits until `fd` is ready for `events` (POLLIN/POLLOUT) or the time-out
// ends; true when ready (also on a hang-up, so that the caller sees it).
bool WaitReady(int fd, short events, int timeoutMs);

enum class IoResult { kDone, kTimedOut, kClosed, kError };

// Reads up to `count` bytes, waiting up to `timeoutMs` in all. `got` says
// how many came, whatever the result.
IoResult ReceiveSome(int fd, uint8_t* buffer, size_t count, int timeoutMs, size_t& got);

// Sends all `count` bytes, waiting up to `timeoutMs` in all.
IoResult SendAll(int fd, const uint8_t* data, size_t count, int timeoutMs, size_t& sent);

// Discards every byte already received without waiting; false when the
// peer has closed the connection or it failed.
bool DrainReceived(int fd);

void CloseSocket(int& fd);
