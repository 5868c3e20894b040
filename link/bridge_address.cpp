#include "link/bridge_address.h"

#include <cctype>

#include "link/libusb_bridge.h"
#include "link/sim_bridge.h"
#include "link/tcp_bridge.h"

namespace {

constexpr const char* kUsage = "expected usb, sim, sim:FILE or tcp://HOST:PORT[?serial=S]";

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

bool ParsePort(const std::string& text, uint16_t& port) {
  if (text.empty() || text.size() > 5) return false;
  uint32_t v = 0;
  for (char ch : text) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    v = v * 10 + static_cast<uint32_t>(ch - '0');
  }
  if (v == 0 || v > 65535) return false;
  port = static_cast<uint16_t>(v);
  return true;
}

struct TcpAddress {
  std::string host;
  uint16_t port = 0;
  std::string serial = TcpBridgeLibrary::kDefaultSerial;
};

bool SplitHostPort(const std::string& text, TcpAddress& out, std::string& error) {
  std::string host, port;
  if (!text.empty() && text[0] == '[') {  // [v6-address]:port
    const auto close = text.find(']');
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') {
      error = "no port";
      return false;
    }
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
      error = "no port";
      return false;
    }
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  if (host.empty()) {
    error = "no host";
    return false;
  }
  if (!ParsePort(port, out.port)) {
    error = "port '" + port + "' is not a number from 1 to 65535";
    return false;
  }
  out.host = host;
  return true;
}

bool ParseQuery(const std::string& query, TcpAddress& out, std::string& error) {
  const std::string key = "serial=";
  if (query.compare(0, key.size(), key) != 0 || query.find('&') != std::string::npos) {
    error = "unknown option '" + query + "' (only serial=S)";
    return false;
  }
  out.serial = query.substr(key.size());
  if (out.serial.empty() || out.serial.size() >= kProductStringSize) {
    error = "serial must have 1 to 255 characters";
    return false;
  }
  return true;
}

bool ParseTcpAddress(const std::string& rest, TcpAddress& out, std::string& error) {
  const auto question = rest.find('?');
  if (!SplitHostPort(rest.substr(0, question), out, error)) return false;
  return question == std::string::npos || ParseQuery(rest.substr(question + 1), out, error);
}

}  // namespace

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
    const std::string file = address.substr(4);
    if (file.empty()) {
      error = "bridge address 'sim:' names no file";
      return nullptr;
    }
    return SimBridgeLibrary::WithFile(file, error);
  }
  const std::string tcp = "tcp://";
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
