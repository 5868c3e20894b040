// zn4417config: the ZN4417 configuration window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/app_options.h"
#include "app/bridge_setup.h"
#include "app/program.h"
#include "framework/application.h"
#include "link/device_access.h"

namespace {

// While the application object is made, a fatal message means the display
// could not be opened (Qt would abort next): one line and exit 1 instead.
void StartUpMessage(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  std::fputs("zn4417config: cannot open a window: no display could be opened (is DISPLAY set?)\n",
             stderr);
  std::_Exit(1);
}

}  // namespace

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
  const QtMessageHandler previous = qInstallMessageHandler(StartUpMessage);
  Application->Initialize(argc, argv);
  qInstallMessageHandler(previous);
  return RunProgram(argc, argv, setup, options.advanced, diagnostics);
}
