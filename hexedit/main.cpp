// zn4417hex [FILE]: the hex editor on the hex view component.
#include <iostream>
#include <string>

#include "framework/application.h"
#include "hexedit/hexeditform.h"
#include "hexedit/print_pdf.h"
#include "hexedit/start_up.h"

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--print-pdf") {
    if (argc != 4) {
      std::cerr << "usage: zn4417hex --print-pdf OUT.pdf FILE\n";
      return 64;
    }
    // Pages need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      qputenv("QT_QPA_PLATFORM", "offscreen");
    Application->Initialize(argc, argv);
    return HexEditPrintFileToPdf(argv[3], argv[2]);
  }
  if (first == "--help" || first == "-h") {
    std::cout << HexEditHelpText();
    return 0;
  }
  if (first == "--version") {
    std::cout << HexEditVersionText();
    return 0;
  }
  if (argc > 2 || (first.size() > 1 && first[0] == '-')) {
    std::cerr << "zn4417hex: " << (argc > 2 ? "one FILE at most" : "unknown option " + first)
              << " (zn4417hex --help lists options and keys)\n";
    return 64;
  }
  if (!HexEditOpenDisplay(argc, argv, "zn4417hex")) return kHexEditExitNoDisplay;
  Application->SetTitle(kHexEditTitle);
  // The window lives until the process ends.
  auto* form = new THexEditForm();
  form->SetSettingsFile(THexEditFileSettings::DefaultFile());
  form->SetPreferencesFile(THexEditPreferences::DefaultFile());
  if (argc == 2) form->OpenFileOrNew(argv[1]);
  form->RestoreWindow();  // after the file: its offsets set the gutter's width
  Application->SetMainForm(form);
  return Application->Run();
}
