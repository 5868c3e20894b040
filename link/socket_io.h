// Small POSIX socket helpers shared by the TCP bridge, its emulator and the
// link benchmark. Sockets are made non-blocking and close-on-exec;
// every wait is bounded by a time-out in milliseconds.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// A connected TCP socket with TCP_NODELAY, or -1 when no connection could be
// made within `timeoutMs`.
int ConnectTcp(const std::string& host, uint16_t port, int timeoutMs);

// A socket listening on `host`:`port` (0 = any free port), or -1 with
// errno telling why. `host` is a numeric IPv4 or IPv6 address or a name;
// the first of its addresses that can be bound is used. `bound` receives
// the port actually used.
int ListenTcp(const std::string& host, uint16_t port, uint16_t& bound);
// ListenTcp on 127.0.0.1.
int ListenLoopback(uint16_t port, uint16_t& bound);

// Accepts one pending connection (non-blocking, TCP_NODELAY), or -1.
int AcceptTcp(int listenFd);

void SetNoDelay(int fd);

// Milliseconds from now until `deadline`; 0 once it has passed.
int MillisecondsLeft(std::chrono::steady_clock::time_point deadline);

// Waits until `fd` is ready for `events` (POLLIN/POLLOUT) or the time-out
// ends; true when ready (also on a hang-up, so that the caller sees it).
bool WaitReady(int fd, short events, int timeoutMs);

enum class IoResult { kDone, kTimedOut, kClosed, kError };

// Sends all `count` bytes, waiting up to `timeoutMs` in all.
IoResult SendAll(int fd, const uint8_t* data, size_t count, int timeoutMs, size_t& sent);

// Blocking-socket variants: one system call per transfer in the usual case,
// the wait bounded by SO_RCVTIMEO / SO_SNDTIMEO, set only when `timeoutMs`
// differs from `applied` (what the socket has now; start it at -1).
// One receive on a blocking socket: whatever has come (at least one byte),
// or kTimedOut when nothing came within `timeoutMs`.
IoResult ReceiveAny(int fd, uint8_t* buffer, size_t max, int timeoutMs, int& applied, size_t& got);
// Sends all `count` bytes within `timeoutMs`.
IoResult SendBlocking(int fd, const uint8_t* data, size_t count, int timeoutMs, int& applied,
                      size_t& sent);

bool SetBlocking(int fd, bool blocking);

// Discards every byte already received without waiting; false when the
// peer has closed the connection or it failed.
bool DrainReceived(int fd);

void CloseSocket(int& fd);
