#include "app/app_options.h"

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

bool ParseAppCommandLine(int argc, char** argv, AppOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string value;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (IsOption(arg, "--bridge")) {
      if (!OptionValue(arg, "--bridge", argc, argv, i, value, error)) return false;
      options.bridge = value;
    } else if (IsOption(arg, "--usb-id")) {
      if (!OptionValue(arg, "--usb-id", argc, argv, i, value, error)) return false;
      if (!ParseUsbId(value, options.usbId)) {
        error = "bad USB id '" + value + "' (expected VVVV:PPPP in hex)";
        return false;
      }
    } else if (arg.rfind("--", 0) == 0) {
      error = "unknown option '" + arg + "' (try --help)";
      return false;
    }
  }
  return true;
}

const char* AppHelpText() {
  return R"(Usage: zn4417config [--bridge ADDRESS] [--usb-id VVVV:PPPP]

Opens the ZN4417 configuration window: "Read" fetches the chip's 64-byte
configuration block, "Write " stores it back and verifies it. The status line
follows the bridge as it is plugged in and pulled out.

Options:
  --bridge ADDRESS     usb (default): real bridges through libusb;
                       sim or sim:FILE: the built-in simulated chip (FILE keeps
                       its memories between runs);
                       tcp://HOST:PORT[?serial=S]: a device emulator over TCP
  --usb-id VVVV:PPPP   USB vendor and product id of the bridge (default 10C4:EA61)
  --help               print this text and exit

Exit code 64 for a bad option, bridge address or USB id.
)";
}
