// The program's course from entry to the end of the event loop.
#pragma once

#include <exception>

#include "app/bridge_setup.h"
#include "link/diagnostic_sink.h"

inline constexpr const char* kApplicationTitle = "ZN4417Config";

// Initialises the application, titles it "ZN4417Config", creates the main
// window (which runs FormCreate) and runs the event loop until the window is
// closed. An exception that escapes is shown in a message box. Returns 0.
// Nothing is closed, unregistered or saved at the end. `advanced` shows the
// window's "Advanced" group; `diagnostics`, when given, receives the
// window's diagnostic texts (the protocol's, and why a Read or Write failed).
int RunProgram(int& argc, char** argv, BridgeSetup& setup, bool advanced = false,
               DiagnosticSink diagnostics = nullptr);

// Shows an escaped exception: a framework exception with its message, any
// other one as a framework exception with an empty message.
void ShowEscapedException(std::exception_ptr error);
