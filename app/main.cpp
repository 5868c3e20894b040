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
  if (options.verbose) {
    // The window's status line keeps its designed texts; the reason a bridge
    // cannot be opened goes to stderr.
    setup.library = std::make_unique<AccessReportingBridgeLibrary>(
        std::move(setup.library),
        [](const std::string& text) { std::cerr << "zn4417config: " << text << std::endl; });
  }
  const QtMessageHandler previous = qInstallMessageHandler(StartUpMessage);
  Application->Initialize(argc, argv);
  qInstallMessageHandler(previous);
  return RunProgram(argc, argv, setup, options.advanced);
}
