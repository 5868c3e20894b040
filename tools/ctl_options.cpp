#include "tools/ctl_options.h"

#include "link/bridge_options.h"

bool ParseCommandLine(int argc, char** argv, CtlOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--verbose") {
      options.verbose = true;
      continue;
    }
    const TakeResult taken = TakeBridgeOption(argc, argv, i, options.bridge, options.usbId, error);
    if (taken == trBad) return false;
    if (taken == trTaken) continue;
    if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      error = "unknown option '" + arg + "'";
      return false;
    } else if (options.command.empty()) {
      options.command = arg;
    } else {
      options.args.push_back(arg);
    }
  }
  if (!options.help && options.command.empty()) {
    error = "no command given (try --help)";
    return false;
  }
  return true;
}

const char* HelpText() {
  return R"(Usage: zn4417ctl [--bridge ADDRESS] [--usb-id VVVV:PPPP] [--verbose] COMMAND

Reads and writes the 64-byte configuration block of a ZN4417 chip
(SFR space, address 0) through its USB bridge.

Options:
  --bridge ADDRESS     usb (default): real bridges through libusb;
                       sim or sim:FILE: the built-in simulated chip (FILE keeps
                       its memories between runs);
                       tcp://HOST:PORT[?serial=S]: a device emulator over TCP
  --usb-id VVVV:PPPP   USB vendor and product id of the bridge (default 10C4:EA61)
  --verbose            print the protocol's diagnostic texts on stderr
  --help               print this text and exit

Commands:
  list                 one line per bridge: index, serial string, and whether
                       it is the ZN4417 bridge (serial "tx_v1.0")
  read [-o FILE]       read the block and print eight lines of the form
                       "0x00: 00 01 02 03 04 05 06 07", or write the 64 raw
                       bytes to FILE
  dump                 read the block and print one NAME=VALUE line per
                       parameter (flags as 0 or 1)
  write FILE           take a 64-byte image file as if it had been read, encode
                       it, force offset 20 to 41 and offset 12 to 7, write it,
                       wait 100 ms, read it back and compare offsets 0 to 62;
                       prints "下载成功!" when the read-back matches
  set NAME=VALUE...    read the chip, assign the values (clamped into their
                       ranges and rounded as the controls show them), link the
                       flags after each assignment, then write and verify.
                       Numbers: DB ST BT MDL MDR DZ P1MD P2MD P1T P2T P3T OSC CH
                       CLK edtPMINL edtPMAXL edtPMID.
                       Flags (0 or 1): FUNREG.i (i = 2, 3, 5, 6, 7; items
                       0, 1, 4, 8, 9 are fixed), FUNREG1.i (i = 0..2), HFD,
                       nvchckbxLPPMP, nvchckbxINVC.

Exit codes:
  0   done (and, for write and set, verified)
  1   written, but the read-back differs
  2   no bridge could be opened
  3   a transfer failed
  64  bad usage or bad input (unknown command, option or parameter, a value
      that is not a number, an image file that is not exactly 64 bytes, an
      unknown bridge address); nothing is sent to the chip
)";
}
