// What zn4417hex does before it has a window: its command line (--help
// with the keys, --version) and opening the display, which without one
// ends in one line on standard error and exit code 1 instead of an abort.
#pragma once

#include <string>

inline constexpr int kHexEditExitNoDisplay = 1;

// The --help text: usage and the keys of the editor.
std::string HexEditHelpText();
// "zn4417hex VERSION"
std::string HexEditVersionText();

// Creates the application object on the display; false (after saying so in
// one line on standard error, prefixed with program) when there is none to
// open. Messages the window system prints while it starts are held back
// and shown only once it has started.
bool HexEditOpenDisplay(int& argc, char** argv, const char* program);
