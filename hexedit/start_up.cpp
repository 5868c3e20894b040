// zn4417hex before its window: help, version and the display.
#include "hexedit/start_up.h"

#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/application.h"

#ifndef ZN_VERSION
#define ZN_VERSION "unknown"
#endif

namespace {

const char* gProgram = "";
std::vector<std::pair<QtMsgType, QString>>* gHeld = nullptr;

// While the application object is made: a fatal message means the window
// system could not be reached (Qt would abort next); the rest waits.
void StartUpMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s: cannot open a window: no display could be opened (is DISPLAY set?)\n",
                 gProgram);
    std::fflush(stderr);
    std::_Exit(kHexEditExitNoDisplay);
  }
  if (gHeld) gHeld->emplace_back(type, text);
}

}  // namespace

std::string HexEditHelpText() {
  return "usage: zn4417hex [FILE]\n"
         "       zn4417hex --print-pdf OUT.pdf FILE   (FILE printed to OUT.pdf, no window)\n"
         "       zn4417hex --help | --version\n"
         "\n"
         "A hex editor. FILE opens in overwrite mode; a FILE that does not exist\n"
         "starts an empty document that Save writes under that name.\n"
         "\n"
         "Keys in the view:\n"
         "  0-9 a-f               type hex digits (characters after Tab)\n"
         "  Tab, Ctrl+T           switch between hex digits and characters\n"
         "  Insert                toggle insert and overwrite mode\n"
         "  Ctrl+Delete           delete the byte or the selection (Delete in insert mode)\n"
         "  Backspace             delete before the caret in insert mode\n"
         "  Shift+movement        select\n"
         "  Ctrl+A                select all\n"
         "  Ctrl+Z, Ctrl+Shift+Z  undo, redo the step just undone\n"
         "  Ctrl+C, Ctrl+X        copy, cut\n"
         "  Ctrl+V, Ctrl+B        paste (inserting), paste over (overwriting)\n"
         "  Ctrl+Shift+0..9       toggle bookmark 0..9 at the caret\n"
         "  Ctrl+0..9             go to bookmark 0..9\n"
         "  Ctrl+wheel            bytes per row; Ctrl+Shift+wheel: font size\n"
         "Keys of the window:\n"
         "  Ctrl+N, Ctrl+O        new, open\n"
         "  Ctrl+S                save (the old file kept as FILE.bak)\n"
         "  Ctrl+P                print\n"
         "  Ctrl+F, Ctrl+H        find, replace\n"
         "  F3, Shift+F3          find next, find previous\n"
         "  Ctrl+G                go to offset (0x100, 100h, 256, +0x40, -16)\n"
         "  Ctrl+Q                quit\n";
}

std::string HexEditVersionText() {
  return std::string("zn4417hex ") + ZN_VERSION + "\n";
}

bool HexEditOpenDisplay(int& argc, char** argv, const char* program) {
  gProgram = program;
  std::vector<std::pair<QtMsgType, QString>> held;
  gHeld = &held;
  const QtMessageHandler previous = qInstallMessageHandler(StartUpMessage);
  Application->Initialize(argc, argv);
  qInstallMessageHandler(previous);
  gHeld = nullptr;
  for (const auto& [type, text] : held) qt_message_output(type, QMessageLogContext(), text);
  return QApplication::instance() != nullptr;
}
