// Where the protocol's status texts go. The program's own sink discards them.
#pragma once

#include <functional>
#include <string>

using DiagnosticSink = std::function<void(const std::string& text)>;

inline DiagnosticSink DiscardingSink() {
  return [](const std::string&) {};
}
