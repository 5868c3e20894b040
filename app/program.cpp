#include "app/program.h"

#include "app/unit1.h"
#include "framework/application.h"
#include "framework/exceptions.h"

void ShowEscapedException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    Application->ShowException(e);
  } catch (...) {
    Application->ShowException(Exception(""));
  }
}

int RunProgram(int& argc, char** argv, BridgeSetup& setup, bool advanced,
               DiagnosticSink diagnostics) {
  try {
    Application->Initialize(argc, argv);
    Application->SetTitle(kApplicationTitle);
    // The window lives until the process ends; it is never destroyed.
    auto* form = new TForm1(*setup.library, setup.notifier.get());
    if (advanced) form->ShowAdvanced();
    if (diagnostics) {
      form->OnDiagnostic = [diagnostics](TObject*, const std::string& text) { diagnostics(text); };
    }
    Application->SetMainForm(form);
    Application->Run();
  } catch (...) {
    ShowEscapedException(std::current_exception());
  }
  return 0;
}
