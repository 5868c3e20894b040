#include "link/bridge_address.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <vector>

#include "link/decimal_text.h"
#include "link/libusb_bridge.h"
#include "link/multi_bridge.h"
#include "link/sim_bridge.h"
#include "link/tcp_bridge.h"

namespace {

constexpr const char* kUsage =
    "expected usb, sim, sim:N, sim:FILE[,FILE...] or tcp://HOST:PORT[?serial=S]";
constexpr int kMaxSimBridges = 16;

bool ParseHex4(const std::string& text, uint16_t& value) {
  if (text.size() != 4) return false;
  uint16_t v = 0;
  for (char ch : text) {
    if (!std::isxdigit(static_cast<unsigned char>(ch))) return false;
    const int digit = std::isdigit(static_cast<unsigned char>(ch))
                          ? ch - '0'
                          : std::tolower(static_cast<unsigned char>(ch)) - 'a' + 10;
    v = static_cast<uint16_t>(v * 16 + digit);
  }
  value = v;
  return true;
}

bool ParsePort(const std::string& text, uint32_t minPort, uint16_t& port) {
  uint64_t v = 0;
  if (!ParseDecimal(text, 5, v) || v < minPort || v > 65535) return false;
  port = static_cast<uint16_t>(v);
  return true;
}

struct TcpAddress {
  std::string host;
  uint16_t port = 0;
  std::string serial;  // empty: the device tells its own
};

bool ParseSerialQuery(const std::string& query, std::string& serial, std::string& error) {
  const std::string key = "serial=";
  if (query.compare(0, key.size(), key) != 0 || query.find('&') != std::string::npos) {
    error = "unknown option '" + query + "' (only serial=S)";
    return false;
  }
  serial = query.substr(key.size());
  return CheckSerial(serial, error);
}

bool ParseTcpAddress(const std::string& rest, TcpAddress& out, std::string& error) {
  const auto question = rest.find('?');
  if (!ParseHostPort(rest.substr(0, question), 1, out.host, out.port, error)) return false;
  return question == std::string::npos ||
         ParseSerialQuery(rest.substr(question + 1), out.serial, error);
}

// "sim:N": N simulated chips that keep their memories only for the run.
bool ParseSimCount(const std::string& text, int& count) {
  uint64_t v = 0;
  if (!ParseDecimal(text, 2, v)) return false;
  count = static_cast<int>(v);
  return true;
}

std::unique_ptr<BridgeLibrary> SimBridges(int count, const std::string& address,
                                          std::string& error) {
  if (count < 1 || count > kMaxSimBridges) {
    error = "bad bridge address '" + address + "': from 1 to " + std::to_string(kMaxSimBridges) +
            " simulated bridges";
    return nullptr;
  }
  if (count == 1) return std::make_unique<SimBridgeLibrary>();
  std::vector<std::unique_ptr<BridgeLibrary>> members;
  for (int i = 0; i < count; ++i) {
    auto sim = std::make_unique<SimBridgeLibrary>();
    sim->SetNumber(i);
    members.push_back(std::move(sim));
  }
  return std::make_unique<MultiBridgeLibrary>(std::move(members));
}

// Names that lead to the same file give the same key.
std::string SameFileKey(const std::string& file) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, error);
  return error ? file : resolved.string();
}

struct SimFileItem {
  std::string file;
  std::string serial = SimBridgeLibrary::kSerial;
};

// "FILE[?serial=S],FILE...", checked whole before any file is touched.
bool ParseSimFiles(const std::string& list, std::vector<SimFileItem>& items, std::string& why) {
  std::set<std::string> files;  // as the file system resolves them: "a" and "./a" are one file
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma - start);
    const auto question = item.find('?');
    SimFileItem parsed;
    parsed.file = item.substr(0, question);
    if (parsed.file.empty()) {
      why = "an empty file name";
      return false;
    }
    if (!files.insert(SameFileKey(parsed.file)).second) {
      why = "file '" + parsed.file + "' named twice";
      return false;
    }
    if (question != std::string::npos &&
        !ParseSerialQuery(item.substr(question + 1), parsed.serial, why)) {
      return false;
    }
    items.push_back(parsed);
    if (items.size() > static_cast<size_t>(kMaxSimBridges)) {
      why = "at most " + std::to_string(kMaxSimBridges) + " simulated bridges";
      return false;
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

std::unique_ptr<BridgeLibrary> SimFileBridges(const std::string& list, const std::string& address,
                                              std::string& error) {
  std::vector<SimFileItem> items;
  std::string why;
  if (!ParseSimFiles(list, items, why)) {
    error = "bad bridge address '" + address + "': " + why;
    return nullptr;
  }
  std::vector<std::unique_ptr<BridgeLibrary>> members;
  for (const SimFileItem& item : items) {
    auto library = SimBridgeLibrary::WithFile(item.file, error);
    if (!library) return nullptr;
    library->SetSerial(item.serial);
    members.push_back(std::move(library));
  }
  if (members.size() == 1) return std::move(members.front());
  return std::make_unique<MultiBridgeLibrary>(std::move(members));
}

// "tcp://A,tcp://B...": one device emulator per address, in that order.
std::unique_ptr<BridgeLibrary> TcpBridges(const std::string& list, const UsbId& usbId,
                                          std::string& error) {
  const std::string separator = ",tcp://";
  std::vector<std::unique_ptr<BridgeLibrary>> members;
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find(separator, start);
    if (end == std::string::npos) end = list.size();
    auto member = CreateBridgeLibrary(list.substr(start, end - start), usbId, error);
    if (!member) return nullptr;
    members.push_back(std::move(member));
    if (members.size() > static_cast<size_t>(kMaxSimBridges)) {
      error = "bad bridge address '" + list + "': at most " + std::to_string(kMaxSimBridges) +
              " device emulators";
      return nullptr;
    }
    start = end + 1;
  }
  return std::make_unique<MultiBridgeLibrary>(std::move(members));
}

}  // namespace

bool ParseHostPort(const std::string& text, uint16_t minPort, std::string& host, uint16_t& port,
                   std::string& error) {
  std::string name, digits;
  if (!text.empty() && text[0] == '[') {  // [v6-address]:port
    const auto close = text.find(']');
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') {
      error = "no port";
      return false;
    }
    name = text.substr(1, close - 1);
    digits = text.substr(close + 2);
  } else {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
      error = "no port";
      return false;
    }
    name = text.substr(0, colon);
    digits = text.substr(colon + 1);
  }
  if (name.empty()) {
    error = "no host";
    return false;
  }
  if (!ParsePort(digits, minPort, port)) {
    error = "port '" + digits + "' is not a number from " + std::to_string(minPort) + " to 65535";
    return false;
  }
  host = name;
  return true;
}

bool CheckSerial(const std::string& serial, std::string& error) {
  const bool printable = std::all_of(serial.begin(), serial.end(), [](char ch) {
    return static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F;
  });
  if (serial.empty() || serial.size() >= kProductStringSize || !printable) {
    error = "serial must have 1 to 255 characters, none of them a control character";
    return false;
  }
  return true;
}

bool ParseUsbId(const std::string& text, UsbId& id) {
  if (text.size() != 9 || text[4] != ':') return false;
  UsbId parsed;
  if (!ParseHex4(text.substr(0, 4), parsed.vendor) || !ParseHex4(text.substr(5), parsed.product)) {
    return false;
  }
  id = parsed;
  return true;
}

std::unique_ptr<BridgeLibrary> CreateBridgeLibrary(const std::string& address, const UsbId& usbId,
                                                   std::string& error) {
  error.clear();
  if (address == "usb") return std::make_unique<LibUsbBridgeLibrary>(usbId.vendor, usbId.product);
  if (address == "sim") return std::make_unique<SimBridgeLibrary>();
  if (address.rfind("sim:", 0) == 0) {
    const std::string rest = address.substr(4);
    if (rest.empty()) {
      error = "bridge address 'sim:' names no file";
      return nullptr;
    }
    int count = 0;
    if (ParseSimCount(rest, count)) return SimBridges(count, address, error);
    return SimFileBridges(rest, address, error);
  }
  const std::string tcp = "tcp://";
  if (address.rfind(tcp, 0) == 0 && address.find("," + tcp) != std::string::npos) {
    return TcpBridges(address, usbId, error);
  }
  if (address.rfind(tcp, 0) == 0) {
    TcpAddress parsed;
    std::string why;
    if (!ParseTcpAddress(address.substr(tcp.size()), parsed, why)) {
      error = "bad bridge address '" + address + "': " + why;
      return nullptr;
    }
    return std::make_unique<TcpBridgeLibrary>(parsed.host, parsed.port, parsed.serial);
  }
  error = "unknown bridge address '" + address + "' (" + kUsage + ")";
  return nullptr;
}
