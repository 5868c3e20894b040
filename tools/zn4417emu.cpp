// zn4417emu: a simulated ZN4417 chip served over TCP, for trying zn4417ctl
// and zn4417config (--bridge tcp://HOST:PORT) without hardware.
#include <iostream>

#include "tools/emu_run.h"

int main(int argc, char** argv) {
  return RunEmulator(argc, argv, std::cout, std::cerr);
}
