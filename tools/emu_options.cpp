#include "tools/emu_options.h"

#include "link/bridge_options.h"

namespace {

bool TakeSwitch(const std::string& arg, EmuOptions& o) {
  if (arg == "--help" || arg == "-h") return o.help = true;
  if (arg == "--version") return o.version = true;
  if (arg == "--verbose") return o.verbose = true;
  return false;
}

// One option with a value, checked; trNotMine for any other argument.
TakeResult TakeValue(int argc, char** argv, int& i, EmuOptions& o, std::string& error) {
  std::string value;
  TakeResult taken = TakeOptionValue(argc, argv, i, "--listen", value, error);
  if (taken == trTaken) {
    std::string why;
    if (!ParseHostPort(value, 0, o.host, o.port, why)) {
      error = "bad listen address '" + value + "': " + why + " (expected HOST:PORT)";
      return trBad;
    }
    return trTaken;
  }
  if (taken == trNotMine) taken = TakeOptionValue(argc, argv, i, "--image", o.image, error);
  if (taken == trTaken && o.image.empty()) {
    error = "option --image names no file";
    return trBad;
  }
  if (taken != trNotMine) return taken;
  taken = TakeOptionValue(argc, argv, i, "--serial", value, error);
  if (taken == trTaken) {
    if (!CheckSerial(value, error)) return trBad;
    o.serial = value;
    return trTaken;
  }
  if (taken != trNotMine) return taken;
  taken = TakeOptionValue(argc, argv, i, "--fault", value, error);
  if (taken == trTaken && !AddFault(value, o.faults, error)) return trBad;
  return taken;
}

}  // namespace

bool ParseEmuCommandLine(int argc, char** argv, EmuOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (TakeSwitch(arg, options)) continue;
    const TakeResult taken = TakeValue(argc, argv, i, options, error);
    if (taken == trBad) return false;
    if (taken == trTaken) continue;
    error = arg.rfind("-", 0) == 0 ? "unknown option '" + arg + "'"
                                   : "unexpected argument '" + arg + "' (try --help)";
    return false;
  }
  return true;
}

const char* EmuVersionText() {
  return "zn4417emu (ZN4417 configurator) " ZN_VERSION "\n";
}
