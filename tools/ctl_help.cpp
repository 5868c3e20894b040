// The --help text. Its shape (a name line, "Usage:", headed sections, each
// option on a line of its own) also lets a manual page be made from it.
#include "tools/ctl_options.h"

const char* HelpText() {
  return R"(zn4417ctl - read, check and program the configuration block of ZN4417 chips
Usage: zn4417ctl [OPTION]... COMMAND [ARGUMENT]...

Reads, checks and writes the 64-byte configuration block of a ZN4417 chip
(SFR space, address 0) through its USB bridge, through the same controller
as the configurator window. A write counts as done only when both transfers
went through and offsets 0 to 62 read back as written.

Options:
  --bridge ADDRESS      usb (default): real bridges through libusb;
                        sim: the built-in simulated chip;
                        sim:N: N simulated chips (1 to 16), each behind a
                        bridge of its own;
                        sim:FILE[,FILE]...: one simulated chip per FILE, which
                        keeps its memories between runs (FILE?serial=S makes
                        that bridge report serial S);
                        tcp://HOST:PORT[?serial=S]: a device emulator over TCP
                        (see zn4417emu); tcp://HOST:PORT,tcp://HOST:PORT...:
                        one emulator per address, each a bridge of its own
  --usb-id VVVV:PPPP    USB vendor and product id of the bridge (default
                        10C4:EA61)
  --index N             use the N-th bridge, counted from 0 as list shows
                        (default: the first ZN4417 bridge)
  --all                 write, set, verify: every ZN4417 bridge at the same
                        time, each with its own exchange and 100 ms wait; one
                        result line each in bridge order once all are done,
                        then a summary line on stderr:
                        "16 bridges: 15 done, 1 failed"
  --from FILE           set, verify: take the parameters from a profile FILE
                        (see Profiles)
  --dry-run             write, set: read the chip and print what a write
                        would change (offsets and parameters, old and new);
                        sends no write; exit 0 when nothing would change, 1
                        when something would
  --log FILE            append one JSON line per chip touched to FILE (see
                        Log); a FILE that cannot be opened for appending stops
                        the command before anything is sent (exit 64)
  --clamp               set: clamp numbers into their ranges instead of
                        refusing them (as the window's controls do)
  --json                read, dump: print one JSON object; write, set, verify,
                        list: one JSON object per bridge, a line each (see
                        JSON results)
  --verbose             print the protocol's diagnostic texts on stderr
  --help                print this text and exit
  --version             print the version and exit

Commands:
  list                  one line per bridge: index, location (usb:BUS-PORTS,
                        tcp://HOST:PORT, the sim memory file or sim#N), serial
                        string, and whether it is a ZN4417 bridge (serial
                        "tx_v1.0")
  read [-o FILE]        read the block and print eight lines of the form
                        "0x00: 00 01 02 03 04 05 06 07", or write the 64 raw
                        bytes to FILE; with --json
                        {"hex": "...", "bytes": [...]}
  dump                  read the block and print one NAME=VALUE line per
                        parameter, named as below (flags 0 or 1); with --json
                        {"parameters": {...}, "units": {...}}, flags as
                        true/false
  verify FILE           read the chip and compare offsets 0 to 62 with the
                        64-byte FILE as write would send it (encoded, offsets
                        12 and 20 forced); print each differing offset with
                        both bytes (the first 16, then a count of the rest);
                        writes nothing; exit 1 when they differ, 3 when the
                        chip could not be read
  verify --from FILE [NAME=VALUE]...
                        read the chip and compare the parameters the profile
                        (and the assignments) name with those set --from would
                        write; print each differing one by name with both
                        values; writes nothing; exit 0 or 1 as above
  write FILE            take a 64-byte image file as if it had been read,
                        encode it, force offset 20 to 41 and offset 12 to 7,
                        write it, wait 100 ms, read it back and compare
                        offsets 0 to 62; prints "下载成功!" when verified
  set NAME=VALUE...     read the chip, assign the values, link the flags after
                        each assignment, then write and verify as write does
  set --from FILE [NAME=VALUE]...
                        the same with the profile's assignments first, then
                        those given after it

Parameters:
  Names are matched in any letter case. A number outside its range is refused
  (exit 64) unless --clamp is given; fractions are rounded to whole numbers.

  DEADBAND              dead band, 0..255
  STRETCHER             0..7
  BOOST                 0..255
  MAXDUTYL, MAXDUTYR    maximum duty left and right, 0..255
  DEADZONE              0..63
  P1MDUTY, P2MDUTY      duty values, 0..255
  P1WTIME, P2WTIME, P3WTIME
                        wait times, 0..255
  OSC                   0..127
  CH, CHANNEL           0..15
  CLK                   0..7 (every write sends 7 all the same)
  PMIN, PMAX            pulse limits in microseconds (us), 500..2500
  PMID                  centre offset, -120..120
  OVERLOAD1..OVERLOAD3  flags (0 or 1): overload levels L1 to L3
  HFD                   flag: high frequency driver
  LPPMP                 flag: lose PPM protect
  INVC                  flag: inverted control
  FUNREG.i              flag: function register item i (2, 3, 5, 6 or 7;
                        items 0, 1, 4, 8 and 9 are fixed)

  The window controls' names are accepted too, in their exact case: DB ST BT
  MDL MDR DZ P1MD P2MD P1T P2T P3T OSC CH CLK edtPMINL edtPMAXL edtPMID
  FUNREG1.i nvchckbxLPPMP nvchckbxINVC.

Profiles:
  A profile holds NAME=VALUE lines as dump prints them: names as set takes
  them, values checked as set checks them, blank lines and # comments allowed.
  The JSON object dump --json prints is a profile too. Fixed items may appear
  at 0, the value every write gives them. A line that a later one undoes (the
  same parameter, or the same flag under its other name, with another value)
  is refused. A bad profile is named with its line and the problem
  ("p.txt:3: unknown parameter 'BOST' ..."); nothing is sent (exit 64).
  dump > p.txt; set --from p.txt gives another chip the same parameters.

JSON results:
  With --json, write, set and verify print for every bridge one object:
  {"index", "location", "serial", "command", "exit_code", "reason"}, with
  "dry_run": true under --dry-run, and where there are any
  "differing_offsets": [{"offset", "chip", "expected"}, ...] and
  "differing_parameters": [{"name", "chip", "expected"}, ...]. "chip" is what
  the chip holds (after a write: what was read back), "expected" what was
  written, the file, the profile, or what a dry run would write. list prints
  {"index", "location", "serial", "zn4417", "exit_code", "reason"} per bridge.

Log:
  --log FILE appends for every chip a command touches one JSON object on a
  line of its own, written in one piece as soon as that chip is done:
  {"time" (UTC, ISO 8601), "version", "index", "location", "serial",
  "command", "profile" or "image", "exit_code", "reason", "sha256_before",
  "sha256_after"}. The digests are those of the 64-byte block read before
  anything was written and of the block read back after a write; each is
  absent when that block was not read. A log line that cannot be written
  makes the command fail (exit 3 at least).

Examples:
  zn4417ctl list        show the bridges and their indices
  zn4417ctl read        print the block as hex lines
  zn4417ctl read --json
                        print the block as JSON
  zn4417ctl read -o block.bin
                        save the block to block.bin
  zn4417ctl dump        print every parameter
  zn4417ctl dump --json
                        print every parameter as JSON
  zn4417ctl verify block.bin
                        compare the chip with block.bin, writing nothing
  zn4417ctl write block.bin
                        program the chip with block.bin and verify it
  zn4417ctl write block.bin --all
                        program every connected chip with block.bin
  zn4417ctl set DEADBAND=10 PMIN=1000 OVERLOAD2=1
                        change three parameters and verify the write
  zn4417ctl --index 1 set boost=9
                        change BOOST on the chip behind bridge 1
  zn4417ctl set DEADBAND=300 --clamp
                        set DEADBAND to 255, as the window would
  zn4417ctl --bridge sim:2 list
                        try the tool on two simulated chips
  zn4417ctl dump > line.profile
                        keep a chip's parameters as a profile
  zn4417ctl set --from line.profile --all --dry-run
                        show what programming every chip would change
  zn4417ctl set --from line.profile --all --log line.jsonl --json
                        program every chip in parallel, log each, JSON out
  zn4417ctl verify --from line.profile --all
                        check every chip against the profile
  zn4417ctl --bridge tcp://127.0.0.1:4417,tcp://127.0.0.1:4418 list
                        two zn4417emu device emulators as two bridges: try a
                        line script without hardware

Exit status:
  0     done: read, or written and verified; verify: the chip matches FILE
  1     written, but the block read back differs; verify: the chip differs;
        --dry-run: a write would change the chip
  2     no bridge could be opened (list: no bridge attached)
  3     a transfer failed (the write, the read or the read-back), even if the
        block read back matched; also when the chip answered with more bytes
        than were asked for (such a block is never printed, saved or sent),
        and when a log line could not be written
  64    bad usage or bad input (unknown command, option or parameter, a value
        outside its range or not a number, an image file that is not exactly
        64 bytes, a bad profile, a log that cannot be opened, an unknown
        bridge address); nothing is sent to the chip
  With --all the worst (highest) code of all bridges.
)";
}
