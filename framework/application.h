// TApplication: the process-wide application object (`Application`).
//
// Initialize creates the Qt application when none exists yet; Run shows the
// main form and runs the event loop until it closes. Exceptions that escape
// an event handler come to HandleException, which shows their message in a
// message box (OnException, when assigned, replaces that) and the loop goes on.
//
// MessageBox shows a modal box with the text, the caption (the Title when the
// caption is empty), an OK button only and no icon, centred on the screen. For
// tests, SetMessageBoxInterceptor installs a function that receives each box
// instead (nothing is shown and nothing blocks); its result is the result.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "framework/colors.h"
#include "framework/object.h"

class TForm;

constexpr uint32_t MB_OK = 0x0;
constexpr int IDOK = 1;

using TMessageBoxInterceptor =
    std::function<int(const std::string& text, const std::string& caption, uint32_t flags)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TObject {
 public:
  TApplication();
  ~TApplication() override;

  // Creates the Qt application object if there is none (keeps argc/argv).
  void Initialize(int& argc, char** argv);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* v) { mainForm_ = v; }
  // Shows the main form and runs the event loop until it is closed.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the events that are waiting, then returns.
  void ProcessMessages();

  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags = MB_OK);
  void HandleException(const std::exception& e);
  // Shows the exception's message in a message box (caption: the Title).
  void ShowException(const std::exception& e);

  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor v) { hintColor_ = v; }

  TExceptionEvent OnException;

 private:
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  TColor hintColor_ = clInfoBk;
};

// The one application object; never null.
extern TApplication* const Application;

// The modal OK box, captioned with `caption` or, when empty, the Title.
int ShowMessageBox(const std::string& text, const std::string& caption = "");
// Installs (or with an empty function removes) the test interceptor.
void SetMessageBoxInterceptor(TMessageBoxInterceptor interceptor);
