// Runs the built zn4417ctl binary and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct ToolResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ToolResult RunTool(const std::vector<std::string>& args);

// Lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);
