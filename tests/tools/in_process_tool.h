// zn4417ctl's commands run in-process on a bridge library of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/ctl_commands.h"

struct InProcessResult {
  int code = -1;
  std::string out;
  std::string err;
};

// Parses and prepares `args` as the tool would (a refusal fails the test),
// then runs them on `library`, logging to `log` when given.
inline InProcessResult RunInProcess(std::vector<std::string> args, BridgeLibrary& library,
                                    CtlLog* log = nullptr) {
  args.insert(args.begin(), "zn4417ctl");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  CtlOptions options;
  CtlPlan plan;
  std::string error;
  InProcessResult r;
  if (!ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error) ||
      !PrepareCommand(options, plan, error)) {
    ADD_FAILURE() << error;
    return r;
  }
  std::ostringstream out, err;
  r.code = RunOnLibrary(plan, library, out, err, log);
  r.out = out.str();
  r.err = err.str();
  return r;
}
