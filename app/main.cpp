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
  DiagnosticSink diagnostics;
  if (options.verbose) {
    // The window keeps its designed silence and status texts; why a bridge
    // cannot be opened, the protocol's texts and why a Read or a Write
    // failed go to stderr.
    diagnostics = [](const std::string& text) {
      std::cerr << "zn4417config: " << text << std::endl;
    };
    setup.library =
        std::make_unique<AccessReportingBridgeLibrary>(std::move(setup.library), diagnostics);
  }
  return RunProgram(argc, argv, setup, options.advanced, diagnostics);
}
