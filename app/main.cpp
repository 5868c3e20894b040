// zn4417config: the ZN4417 configuration window.
#include <iostream>

#include "app/app_options.h"
#include "app/bridge_setup.h"
#include "app/program.h"
#include "link/device_access.h"

int main(int argc, char** argv) {
  AppOptions options;
  std::string error;
  if (!ParseAppCommandLine(argc, argv, options, error)) {
    std::cerr << "zn4417config: " << error << "\n";
    return kExitBadUsage;
  }
  if (options.help) {
    std::cout << AppHelpText();
    return 0;
  }
  BridgeSetup setup;
  if (!CreateBridgeSetup(options.bridge, options.usbId, setup, error)) {
    std::cerr << "zn4417config: " << error << "\n";
    return kExitBadUsage;
  }
  if (options.verbose) {
    // The window's status line keeps its designed texts; the reason a bridge
    // cannot be opened goes to stderr.
    setup.library = std::make_unique<AccessReportingBridgeLibrary>(
        std::move(setup.library),
        [](const std::string& text) { std::cerr << "zn4417config: " << text << std::endl; });
  }
  return RunProgram(argc, argv, setup, options.advanced);
}
