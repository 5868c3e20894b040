// zn4417hex [FILE]: the hex editor on the hex view component.
#include <iostream>
#include <string>

#include "framework/application.h"
#include "hexedit/hexeditform.h"

int main(int argc, char** argv) {
  if (argc > 2 ||
      (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))) {
    std::cout << "usage: zn4417hex [FILE]\n";
    return argc > 2 ? 64 : 0;
  }
  Application->Initialize(argc, argv);
  Application->SetTitle(kHexEditTitle);
  // The window lives until the process ends.
  auto* form = new THexEditForm();
  if (argc == 2) form->OpenFile(argv[1]);
  Application->SetMainForm(form);
  return Application->Run();
}
