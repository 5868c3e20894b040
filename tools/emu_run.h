// zn4417emu from its command line to its end: the image, the emulator, the
// address it prints, the lines of --verbose, and the signals that end it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "link/simulated_chip.h"

// One --verbose line (without its line end) for an exchange that ended.
std::string ExchangeLine(uint64_t connection, const SimExchange& exchange);

// Runs the program; its exit code (EmuExit).
int RunEmulator(int argc, char** argv, std::ostream& out, std::ostream& err);
