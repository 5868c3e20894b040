#include "link/bridge_options.h"

namespace {

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

// The value of "--name VALUE" or "--name=VALUE".
bool OptionValue(const std::string& arg, const std::string& name, int argc, char** argv, int& i,
                 std::string& value, std::string& error) {
  if (arg.size() > name.size()) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= argc) {
    error = "option " + name + " needs a value";
    return false;
  }
  value = argv[++i];
  return true;
}

}  // namespace

TakeResult TakeBridgeOption(int argc, char** argv, int& i, std::string& bridge, UsbId& usbId,
                            std::string& error) {
  const std::string arg = argv[i];
  std::string value;
  if (IsOption(arg, "--bridge")) {
    if (!OptionValue(arg, "--bridge", argc, argv, i, value, error)) return trBad;
    bridge = value;
    return trTaken;
  }
  if (IsOption(arg, "--usb-id")) {
    if (!OptionValue(arg, "--usb-id", argc, argv, i, value, error)) return trBad;
    if (!ParseUsbId(value, usbId)) {
      error = "bad USB id '" + value + "' (expected VVVV:PPPP in hex)";
      return trBad;
    }
    return trTaken;
  }
  return trNotMine;
}
