#include "link/bridge_options.h"

TakeResult TakeOptionValue(int argc, char** argv, int& i, const std::string& name,
                           std::string& value, std::string& error) {
  const std::string arg = argv[i];
  if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    return trTaken;
  }
  if (arg != name) return trNotMine;
  if (i + 1 >= argc) {
    error = "option " + name + " needs a value";
    return trBad;
  }
  value = argv[++i];
  return trTaken;
}

TakeResult TakeBridgeOption(int argc, char** argv, int& i, std::string& bridge, UsbId& usbId,
                            std::string& error) {
  std::string value;
  TakeResult taken = TakeOptionValue(argc, argv, i, "--bridge", value, error);
  if (taken == trTaken) bridge = value;
  if (taken != trNotMine) return taken;
  taken = TakeOptionValue(argc, argv, i, "--usb-id", value, error);
  if (taken == trTaken) {
    if (!ParseUsbId(value, usbId)) {
      error = "bad USB id '" + value + "' (expected VVVV:PPPP in hex)";
      return trBad;
    }
  }
  return taken;
}
