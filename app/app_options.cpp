#include "app/app_options.h"

#include "link/bridge_options.h"

bool ParseAppCommandLine(int argc, char** argv, AppOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--advanced") {
      options.advanced = true;
      continue;
    }
    if (arg == "--verbose") {
      options.verbose = true;
      continue;
    }
    const TakeResult taken = TakeBridgeOption(argc, argv, i, options.bridge, options.usbId, error);
    if (taken == trBad) return false;
    if (taken == trTaken) continue;
    if (arg.rfind("--", 0) == 0) {
      error = "unknown option '" + arg + "' (try --help)";
      return false;
    }
  }
  return true;
}

const char* AppHelpText() {
  return R"(Usage: zn4417config [--bridge ADDRESS] [--usb-id VVVV:PPPP] [--advanced] [--verbose]

Opens the ZN4417 configuration window: "Read" fetches the chip's 64-byte
configuration block, "Write " stores it back and verifies it. The status line
follows the bridge as it is plugged in and pulled out.

Options:
  --bridge ADDRESS     usb (default): real bridges through libusb;
                       sim or sim:FILE: the built-in simulated chip (FILE keeps
                       its memories between runs);
                       tcp://HOST:PORT[?serial=S]: a device emulator over TCP
  --usb-id VVVV:PPPP   USB vendor and product id of the bridge (default 10C4:EA61)
  --advanced           show the "Advanced" group: the 64-byte image in a hex
                       view, the function list and OSC, CHANNEL and CLK; a
                       byte edited there reaches the parameters when the hex
                       view is left
  --verbose            say on stderr why a bridge that is attached cannot be
                       opened (e.g. no permission for its USB device node),
                       print the protocol's diagnostic texts of every Read and
                       Write, and one line naming the step that failed when a
                       Read or a Write did not succeed
  --help               print this text and exit

Exit code 64 for a bad option, bridge address or USB id.
)";
}
