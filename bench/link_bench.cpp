// Times the configuration exchanges a verified write makes (a 64-byte SFR
// read, and a 64-byte write followed by its read-back) over the simulated
// bridge and over TCP loopback to the device emulator, and compares the TCP
// figures with a bare exchange of the same six packets over a raw socket to
// a server of the same kind (poll loop, one thread) that knows no protocol.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/bridge_address.h"
#include "link/memory_access.h"
#include "link/socket_io.h"
#include "tests/support/tcp_device_emulator.h"

namespace {

using Clock = std::chrono::steady_clock;

double MedianMicros(int iterations, const std::function<bool()>& once) {
  std::vector<double> samples;
  samples.reserve(iterations);
  for (int i = 0; i < iterations; ++i) {
    const auto start = Clock::now();
    if (!once()) {
      std::fprintf(stderr, "exchange failed at iteration %d\n", i);
      return -1;
    }
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::nth_element(samples.begin(), samples.begin() + iterations / 2, samples.end());
  return samples[iterations / 2];
}

struct Figures {
  double read = 0;
  double writeReadBack = 0;
};

Figures TimeProtocol(BridgeLibrary& library, int iterations) {
  UsbLink link(library);
  if (!link.Open()) {
    std::fprintf(stderr, "cannot open the bridge\n");
    return {-1, -1};
  }
  MemoryAccess access(link, DiscardingSink());
  std::vector<uint8_t> block(64), back(64);
  access.ReadMemory(SFR, 0, 64, block.data());
  Figures f;
  f.read = MedianMicros(iterations, [&] { return access.ReadMemory(SFR, 0, 64, back.data()); });
  f.writeReadBack = MedianMicros(iterations, [&] {
    return access.WriteMemory(SFR, 0, 64, block.data()) &&
           access.ReadMemory(SFR, 0, 64, back.data()) && back == block;
  });
  link.Close();
  return f;
}

// A server of the emulator's kind (one thread, poll loop) that answers the
// six packets of a read or a write by their sizes alone.
class BareServer {
 public:
  bool Start() {
    listen_ = ListenLoopback(0, port_);
    if (listen_ < 0 || ::pipe(wake_) != 0) return false;
    thread_ = std::thread([this] { Serve(); });
    return true;
  }
  void Stop() {
    const char x = 'x';
    [[maybe_unused]] ssize_t n = ::write(wake_[1], &x, 1);
    thread_.join();
    CloseSocket(listen_);
    CloseSocket(wake_[0]);
    CloseSocket(wake_[1]);
  }
  uint16_t port() const { return port_; }

 private:
  void Serve() {
    int client = -1;
    std::vector<uint8_t> in;
    size_t step = 0;
    bool reading = true;
    for (;;) {
      pollfd fds[3] = {{wake_[0], POLLIN, 0}, {listen_, POLLIN, 0}, {client, POLLIN, 0}};
      if (::poll(fds, client >= 0 ? 3 : 2, -1) < 0) continue;
      if (fds[0].revents != 0) break;
      if (fds[1].revents != 0 && client < 0) client = AcceptTcp(listen_);
      if (client < 0 || fds[2].revents == 0) continue;
      uint8_t buffer[256];
      const ssize_t n = ::recv(client, buffer, sizeof buffer, MSG_DONTWAIT);
      if (n <= 0) break;
      in.insert(in.end(), buffer, buffer + n);
      Answer(client, in, step, reading);
    }
    CloseSocket(client);
  }

  static void Answer(int client, std::vector<uint8_t>& in, size_t& step, bool& reading) {
    static const size_t kReadIn[] = {5, 2, 2}, kReadOut[] = {34, 32, 0};
    static const size_t kWriteIn[] = {5, 32, 32}, kWriteOut[] = {2, 2, 2};
    for (;;) {
      if (step == 0 && !in.empty()) reading = in[0] == 0xCD;
      const size_t want = reading ? kReadIn[step] : kWriteIn[step];
      if (in.size() < want) return;
      in.erase(in.begin(), in.begin() + want);
      const size_t reply = reading ? kReadOut[step] : kWriteOut[step];
      uint8_t out[64] = {};
      size_t sent = 0;
      if (reply > 0) SendAll(client, out, reply, 1000, sent);
      step = (step + 1) % 3;
    }
  }

  int listen_ = -1;
  int wake_[2] = {-1, -1};
  uint16_t port_ = 0;
  std::thread thread_;
};

bool SendBlocking(int fd, const uint8_t* data, size_t n) {
  return ::send(fd, data, n, MSG_NOSIGNAL) == static_cast<ssize_t>(n);
}

bool ReceiveBlocking(int fd, uint8_t* data, size_t n) {
  return ::recv(fd, data, n, MSG_WAITALL) == static_cast<ssize_t>(n);
}

Figures TimeBare(int iterations) {
  BareServer server;
  if (!server.Start()) return {-1, -1};
  int fd = ConnectTcp("127.0.0.1", server.port(), 1000);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  uint8_t buffer[64] = {};
  const uint8_t readCommand[5] = {0xCD, 0, 0, 0, 0x40}, writeCommand[5] = {0xCB, 0, 0, 0, 0x40};
  const auto bareRead = [&] {
    return SendBlocking(fd, readCommand, 5) && ReceiveBlocking(fd, buffer, 2) &&
           ReceiveBlocking(fd, buffer, 32) && SendBlocking(fd, buffer, 2) &&
           ReceiveBlocking(fd, buffer, 32) && SendBlocking(fd, buffer, 2);
  };
  const auto bareWrite = [&] {
    return SendBlocking(fd, writeCommand, 5) && ReceiveBlocking(fd, buffer, 2) &&
           SendBlocking(fd, buffer, 32) && ReceiveBlocking(fd, buffer, 2) &&
           SendBlocking(fd, buffer, 32) && ReceiveBlocking(fd, buffer, 2);
  };
  Figures f;
  f.read = MedianMicros(iterations, bareRead);
  f.writeReadBack = MedianMicros(iterations, [&] { return bareWrite() && bareRead(); });
  CloseSocket(fd);
  server.Stop();
  return f;
}

void Print(const char* name, const Figures& f) {
  std::printf("%-28s read %9.2f us   write+readback %9.2f us\n", name, f.read, f.writeReadBack);
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::max(11, std::atoi(argv[1])) : 3001;
  std::printf("link_bench: medians of %d exchanges (64-byte SFR block)\n", iterations);

  std::string error;
  auto sim = CreateBridgeLibrary("sim", UsbId{}, error);
  Print("sim (in process)", TimeProtocol(*sim, iterations));

  TcpDeviceEmulator emulator;
  if (!emulator.Start()) {
    std::fprintf(stderr, "cannot start the emulator\n");
    return 1;
  }
  auto tcp = CreateBridgeLibrary(emulator.Address(), UsbId{}, error);
  const Figures protocol = TimeProtocol(*tcp, iterations);
  emulator.Stop();
  const Figures bare = TimeBare(iterations);
  Print("tcp loopback, protocol", protocol);
  Print("tcp loopback, bare packets", bare);
  std::printf(
      "ratio protocol/bare          read %9.2f      write+readback %9.2f   (goal <= 1.20)\n",
      protocol.read / bare.read, protocol.writeReadBack / bare.writeReadBack);
  return 0;
}
