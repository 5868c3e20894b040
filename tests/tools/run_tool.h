// Runs the built zn4417ctl binary and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct ToolResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `args` to its end.
ToolResult RunProgram(const std::string& program, const std::vector<std::string>& args);
// RunProgram of zn4417ctl.
ToolResult RunTool(const std::vector<std::string>& args);

// Lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);
