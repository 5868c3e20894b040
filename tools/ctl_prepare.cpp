// Checking a command line and loading what it names, before any bridge is touched.
#include "tools/ctl_commands.h"

#include <fstream>
#include <iterator>

#include "tools/ctl_profile.h"

namespace {

bool LoadImageFile(const std::string& path, std::array<Byte, kRomSize>& image, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open image file '" + path + "'";
    return false;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != static_cast<size_t>(kRomSize)) {
    error = "image file '" + path + "' holds " + std::to_string(bytes.size()) +
            " bytes, not exactly 64";
    return false;
  }
  for (Integer i = 0; i < kRomSize; ++i) image[i] = static_cast<Byte>(bytes[i]);
  return true;
}

bool PrepareRead(const std::vector<std::string>& args, CtlPlan& plan, std::string& error) {
  if (args.empty()) return true;
  if (args.size() == 2 && args[0] == "-o" && !args[1].empty()) {
    if (plan.options.json) {
      error = "read: -o FILE and --json exclude each other";
      return false;
    }
    plan.outFile = args[1];
    return true;
  }
  error = "usage: read [-o FILE]";
  return false;
}

bool PrepareAssignments(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  if (!options.from.empty() && !LoadProfile(options.from, options.clamp, plan.assignments, error)) {
    return false;
  }
  for (const std::string& arg : options.args) {
    Assignment a;
    if (!ParseAssignment(arg, a, error)) return false;
    if (!options.clamp && !CheckInRange(a, arg, error)) return false;
    plan.assignments.push_back(a);
  }
  if (plan.assignments.empty()) {
    error = "usage: set NAME=VALUE... or set --from FILE [NAME=VALUE...]";
    return false;
  }
  return true;
}

bool ExpectNoArgs(const CtlOptions& options, std::string& error) {
  if (options.args.empty()) return true;
  error = std::string("command '") + CommandName(options.command) + "' takes no arguments";
  return false;
}

bool PrepareImageFile(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  if (options.args.size() != 1) {
    error = std::string("usage: ") + CommandName(options.command) + " FILE";
    return false;
  }
  return LoadImageFile(options.args[0], plan.image, error);
}

}  // namespace

bool PrepareCommand(const CtlOptions& options, CtlPlan& plan, std::string& error) {
  plan.options = options;
  switch (options.command) {
    case ccList:
    case ccDump:
      return ExpectNoArgs(options, error);
    case ccRead:
      return PrepareRead(options.args, plan, error);
    case ccSet:
      return PrepareAssignments(options, plan, error);
    case ccVerify:
      if (!options.from.empty()) return PrepareAssignments(options, plan, error);
      return PrepareImageFile(options, plan, error);
    case ccWrite:
      return PrepareImageFile(options, plan, error);
  }
  return false;
}
