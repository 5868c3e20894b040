// zn4417ctl: reads, dumps, sets and writes the ZN4417 configuration block
// from the command line, through the same controller as the window.
#include <iostream>

#include "tools/ctl_commands.h"

int main(int argc, char** argv) {
  return RunTool(argc, argv, std::cout, std::cerr);
}
