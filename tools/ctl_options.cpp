#include "tools/ctl_options.h"

#include <iterator>

#include "link/bridge_options.h"
#include "link/decimal_text.h"

namespace {

constexpr const char* kCommandNames[] = {"list", "read", "dump", "verify", "write", "set"};
static_assert(std::size(kCommandNames) == ccSet + 1);

constexpr int kMaxIndex = 9999;

bool ParseIndex(const std::string& text, int& index) {
  uint64_t v = 0;
  if (!ParseDecimal(text, 4, v) || v > kMaxIndex) return false;
  index = static_cast<int>(v);
  return true;
}

// The value of "--name VALUE" or "--name=VALUE", which must not be empty.
TakeResult TakeValue(int argc, char** argv, int& i, const std::string& name, std::string& value,
                     std::string& error) {
  const TakeResult taken = TakeOptionValue(argc, argv, i, name, value, error);
  if (taken != trTaken || !value.empty()) return taken;
  error = "option " + name + " needs a value";
  return trBad;
}

// --index N, --log FILE, --from FILE.
TakeResult TakeValueOption(int argc, char** argv, int& i, CtlOptions& o, std::string& error) {
  std::string value;
  TakeResult taken = TakeValue(argc, argv, i, "--index", value, error);
  if (taken == trTaken && !ParseIndex(value, o.index)) {
    error = "bad bridge index '" + value + "' (expected a number from 0, as list shows)";
    return trBad;
  }
  if (taken == trNotMine) taken = TakeValue(argc, argv, i, "--log", o.log, error);
  if (taken == trNotMine) taken = TakeValue(argc, argv, i, "--from", o.from, error);
  return taken;
}

bool TakeSwitch(const std::string& arg, CtlOptions& o) {
  if (arg == "--help" || arg == "-h") return o.help = true;
  if (arg == "--version") return o.version = true;
  if (arg == "--verbose") return o.verbose = true;
  if (arg == "--json") return o.json = true;
  if (arg == "--all") return o.all = true;
  if (arg == "--clamp") return o.clamp = true;
  if (arg == "--dry-run") return o.dryRun = true;
  return false;
}

bool Refuse(std::string& error, const std::string& text) {
  error = text;
  return false;
}

bool Writes(CtlCommand c) {
  return c == ccWrite || c == ccSet;
}

bool CheckFits(const CtlOptions& o, std::string& error) {
  const CtlCommand c = o.command;
  if (o.clamp && c != ccSet) return Refuse(error, "--clamp goes with set");
  if (o.dryRun && !Writes(c)) return Refuse(error, "--dry-run goes with write and set");
  if (!o.from.empty() && c != ccSet && c != ccVerify) {
    return Refuse(error, "--from goes with set and verify");
  }
  if (!o.log.empty() && c == ccList) return Refuse(error, "list touches no chip: no --log");
  if (o.all && !Writes(c) && c != ccVerify) {
    return Refuse(error, "--all goes with write, set and verify");
  }
  if (o.all && o.index != kNoIndex) return Refuse(error, "--all and --index exclude each other");
  if (c == ccList && o.index != kNoIndex) {
    return Refuse(error, "list shows every bridge: no --index");
  }
  return true;
}

}  // namespace

const char* CommandName(CtlCommand command) {
  return kCommandNames[command];
}

bool ParseCommand(const std::string& word, CtlCommand& command) {
  for (size_t i = 0; i < std::size(kCommandNames); ++i) {
    if (word == kCommandNames[i]) {
      command = static_cast<CtlCommand>(i);
      return true;
    }
  }
  return false;
}

bool ParseCommandLine(int argc, char** argv, CtlOptions& options, std::string& error) {
  std::string command;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (TakeSwitch(arg, options)) continue;
    TakeResult taken = TakeBridgeOption(argc, argv, i, options.bridge, options.usbId, error);
    if (taken == trNotMine) taken = TakeValueOption(argc, argv, i, options, error);
    if (taken == trBad) return false;
    if (taken == trTaken) continue;
    if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      error = "unknown option '" + arg + "'";
      return false;
    } else if (command.empty()) {
      command = arg;
    } else {
      options.args.push_back(arg);
    }
  }
  if (options.help || options.version) return true;
  if (command.empty()) return Refuse(error, "no command given (try --help)");
  if (!ParseCommand(command, options.command)) {
    return Refuse(error, "unknown command '" + command + "' (try --help)");
  }
  return CheckFits(options, error);
}

const char* ToolVersion() {
  return ZN_TOOL_VERSION;
}

const char* VersionText() {
  return "zn4417ctl (ZN4417 configurator) " ZN_TOOL_VERSION "\n";
}
