// zn4417hex [FILE]: the hex editor on the hex view component.
#include <iostream>
#include <string>

#include "framework/application.h"
#include "hexedit/hexeditform.h"
#include "hexedit/print_pdf.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--print-pdf") {
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
  if (argc > 2 ||
      (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))) {
    std::cout << "usage: zn4417hex [FILE]\n"
                 "       zn4417hex --print-pdf OUT.pdf FILE   (FILE printed to OUT.pdf)\n";
    return argc > 2 ? 64 : 0;
  }
  Application->Initialize(argc, argv);
  Application->SetTitle(kHexEditTitle);
  // The window lives until the process ends.
  auto* form = new THexEditForm();
  form->SetSettingsFile(THexEditFileSettings::DefaultFile());
  if (argc == 2) form->OpenFile(argv[1]);
  Application->SetMainForm(form);
  return Application->Run();
}
