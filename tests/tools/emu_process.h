// zn4417emu started as a process of its own for a test: it listens on a
// free port of 127.0.0.1, and the address it prints is read back.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class EmuProcess {
 public:
  EmuProcess() = default;
  ~EmuProcess();
  EmuProcess(const EmuProcess&) = delete;
  EmuProcess& operator=(const EmuProcess&) = delete;

  // Starts zn4417emu --listen 127.0.0.1:0 with `args`; false unless it
  // printed its address within a few seconds.
  bool Start(const std::vector<std::string>& args);
  // The address it printed ("tcp://127.0.0.1:PORT").
  const std::string& Address() const { return address_; }
  // Sends `signal`, waits for the end; the exit code (-1 unless it exited).
  int Stop(int signal);
  // What it printed on stderr, complete once it has stopped.
  const std::string& Err() const { return err_; }

 private:
  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  std::string address_;
  std::string err_;
};

// True when something accepts TCP connections at a "tcp://HOST:PORT" address.
bool Listening(const std::string& address);
