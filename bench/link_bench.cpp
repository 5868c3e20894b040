// Times the configuration exchanges a verified write makes (a 64-byte SFR
// read, and a 64-byte write followed by its read-back) over the simulated
// bridge and over TCP loopback to the device emulator, and compares the TCP
// figures with a bare exchange of the same six packets over a raw socket to
// a server of the same kind (poll loop, one thread) that knows no protocol.
//
// Every thread of the benchmark runs on one CPU. A wake-up across CPUs costs
// far more than a switch on one (on a virtual machine an idle CPU must be
// woken first), and where the scheduler happens to put each server's thread
// would otherwise decide the ratio: the emulator on another CPU than the
// bare server makes the protocol look 2 to 12 times slower, or faster, with
// the code unchanged.
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/bridge_address.h"
#include "link/memory_access.h"
#include "link/socket_io.h"
#include "link/tcp_device_emulator.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Exchanges {
  std::function<bool()> read;           // one 64-byte SFR read
  std::function<bool()> writeReadBack;  // a 64-byte write and its read-back
};

struct Figures {
  double read = 0;  // medians
  double writeReadBack = 0;
  double readLow = 0;  // 10th percentiles: nearer to what a quiet machine gives
  double writeReadBackLow = 0;
};

double Micros(const std::function<bool()>& once) {
  const auto start = Clock::now();
  if (!once()) {
    std::fprintf(stderr, "exchange failed\n");
    std::exit(1);
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double Percentile(std::vector<double> samples, int percent) {
  const size_t at = samples.size() * percent / 100;
  std::nth_element(samples.begin(), samples.begin() + at, samples.end());
  return samples[at];
}

// Times each set in turn within every round (the order alternating), so
// that all of them meet the same load on a shared machine.
std::vector<Figures> TimeInterleaved(const std::vector<Exchanges*>& sets, int iterations) {
  const size_t n = sets.size();
  std::vector<std::vector<double>> reads(n), writes(n);
  for (int i = 0; i < iterations; ++i) {
    for (size_t k = 0; k < n; ++k) {
      const size_t j = i % 2 == 0 ? k : n - 1 - k;
      reads[j].push_back(Micros(sets[j]->read));
    }
  }
  for (int i = 0; i < iterations; ++i) {
    for (size_t k = 0; k < n; ++k) {
      const size_t j = i % 2 == 0 ? k : n - 1 - k;
      writes[j].push_back(Micros(sets[j]->writeReadBack));
    }
  }
  std::vector<Figures> out(n);
  for (size_t j = 0; j < n; ++j) {
    out[j] = {Percentile(reads[j], 50), Percentile(writes[j], 50), Percentile(reads[j], 10),
              Percentile(writes[j], 10)};
  }
  return out;
}

// UsbLink and MemoryAccess over a bridge library, as a verified write uses them.
class ProtocolClient {
 public:
  explicit ProtocolClient(BridgeLibrary& library) : link_(library) {}
  bool Open() { return link_.Open() && access_.ReadMemory(SFR, 0, 64, block_.data()); }
  Exchanges Make() {
    return {[this] { return access_.ReadMemory(SFR, 0, 64, back_.data()); },
            [this] {
              return access_.WriteMemory(SFR, 0, 64, block_.data()) &&
                     access_.ReadMemory(SFR, 0, 64, back_.data()) && back_ == block_;
            }};
  }

 private:
  UsbLink link_;
  MemoryAccess access_{link_, DiscardingSink()};
  std::vector<uint8_t> block_ = std::vector<uint8_t>(64), back_ = std::vector<uint8_t>(64);
};

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

bool SendPacket(int fd, const uint8_t* data, size_t n) {
  return ::send(fd, data, n, MSG_NOSIGNAL) == static_cast<ssize_t>(n);
}

bool ReceivePacket(int fd, uint8_t* data, size_t n) {
  return ::recv(fd, data, n, MSG_WAITALL) == static_cast<ssize_t>(n);
}

// The same six packets over a plain blocking socket, nothing else.
class BareClient {
 public:
  bool Open(uint16_t port) {
    fd_ = ConnectTcp("127.0.0.1", port, 1000);
    return fd_ >= 0 && SetBlocking(fd_, true);
  }
  ~BareClient() { CloseSocket(fd_); }
  Exchanges Make() {
    return {[this] { return Read(); }, [this] { return Write() && Read(); }};
  }

 private:
  bool Read() {
    static const uint8_t command[5] = {0xCD, 0, 0, 0, 0x40};
    return SendPacket(fd_, command, 5) && ReceivePacket(fd_, buffer_, 2) &&
           ReceivePacket(fd_, buffer_, 32) && SendPacket(fd_, buffer_, 2) &&
           ReceivePacket(fd_, buffer_, 32) && SendPacket(fd_, buffer_, 2);
  }
  bool Write() {
    static const uint8_t command[5] = {0xCB, 0, 0, 0, 0x40};
    return SendPacket(fd_, command, 5) && ReceivePacket(fd_, buffer_, 2) &&
           SendPacket(fd_, buffer_, 32) && ReceivePacket(fd_, buffer_, 2) &&
           SendPacket(fd_, buffer_, 32) && ReceivePacket(fd_, buffer_, 2);
  }
  int fd_ = -1;
  uint8_t buffer_[64] = {};
};

void Print(const char* name, const Figures& f) {
  std::printf("%-28s read %8.2f us (p10 %7.2f)   write+readback %8.2f us (p10 %7.2f)\n", name,
              f.read, f.readLow, f.writeReadBack, f.writeReadBackLow);
}

}  // namespace

// Keeps this thread, and every thread it starts from now on, on the CPU it
// runs on; the CPU, or -1 when that cannot be done.
int StayOnThisCpu() {
  const int cpu = sched_getcpu();
  if (cpu < 0) return -1;
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  return sched_setaffinity(0, sizeof set, &set) == 0 ? cpu : -1;
}

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::max(11, std::atoi(argv[1])) : 3001;
  const int cpu = StayOnThisCpu();
  std::printf("link_bench: medians of %d exchanges (64-byte SFR block), all threads on CPU %d\n",
              iterations, cpu);

  std::string error;
  auto sim = CreateBridgeLibrary("sim", UsbId{}, error);
  ProtocolClient simClient(*sim);
  TcpDeviceEmulator emulator;
  BareServer bareServer;
  if (!simClient.Open() || !emulator.Start() || !bareServer.Start()) {
    std::fprintf(stderr, "cannot set up the bridges\n");
    return 1;
  }
  auto tcp = CreateBridgeLibrary(emulator.Address(), UsbId{}, error);
  ProtocolClient tcpClient(*tcp);
  BareClient bareClient;
  if (!tcpClient.Open() || !bareClient.Open(bareServer.port())) {
    std::fprintf(stderr, "cannot connect\n");
    return 1;
  }
  Exchanges simSet = simClient.Make(), tcpSet = tcpClient.Make(), bareSet = bareClient.Make();
  const auto figures = TimeInterleaved({&simSet, &tcpSet, &bareSet}, iterations);
  Print("sim (in process)", figures[0]);
  Print("tcp loopback, protocol", figures[1]);
  Print("tcp loopback, bare packets", figures[2]);
  std::printf("ratio protocol/bare, medians   read %5.2f   write+readback %5.2f   (goal <= 1.20)\n",
              figures[1].read / figures[2].read,
              figures[1].writeReadBack / figures[2].writeReadBack);
  std::printf("ratio protocol/bare, p10       read %5.2f   write+readback %5.2f\n",
              figures[1].readLow / figures[2].readLow,
              figures[1].writeReadBackLow / figures[2].writeReadBackLow);
  bareServer.Stop();
  emulator.Stop();
  return 0;
}
