// The --help text. Its shape (a name line, "Usage:", headed sections, each
// option on a line of its own) also lets a manual page be made from it.
#include "tools/emu_options.h"

const char* EmuHelpText() {
  return R"(zn4417emu - a simulated ZN4417 chip served over TCP, with faults on demand
Usage: zn4417emu [OPTION]...

Serves a simulated ZN4417 chip behind a bridge on TCP: the bytes on each
connection are the chip's memory-access protocol, so that zn4417ctl and
zn4417config reach it with --bridge tcp://HOST:PORT as they reach a chip
through its USB bridge. Once it listens, it prints that bridge address on a
line of its own on standard output. It serves until SIGINT (Ctrl+C), SIGTERM
or SIGHUP, then closes every connection and exits 0. The chip's memories
live only as long as the program.

Options:
  --listen HOST:PORT    where to listen (default 127.0.0.1:4417); HOST is an
                        IPv4 or IPv6 address ([::1]:4417) or a name; port 0
                        takes a free port, which the printed address shows
  --image FILE          the chip's memories at start: a 64-byte file (as
                        zn4417ctl read -o writes it) is the configuration
                        block, SFR offsets 0 to 63, over the power-on
                        contents; a 393216-byte file (as --bridge sim:FILE
                        keeps it) is all six memory spaces. FILE is only
                        read, never written: what the host writes stays in
                        the program (read it back with zn4417ctl read -o)
  --serial S            the serial string the bridge reports (default
                        tx_v1.0, the ZN4417 bridge's); the host asks for it
                        when its address carries no ?serial=S
  --fault KIND[:N][@AT]
                        misbehave as KIND says (see Faults); may be given
                        more than once
  --verbose             print one line per exchange on stderr: the
                        connection, the command, its space, address and
                        length, and how it ended; and each fault as it fires
  --help                print this text and exit
  --version             print the version and exit

Faults:
  Wire faults fire once each, in the order given. Each counts the host's
  bytes on every connection that talks, anew for each connection, and fires
  on the first that reaches its point; the next is armed from the next
  connection that starts talking after that (zn4417ctl makes one such
  connection per run). AT is HOST or HOST+DEVICE (default 0): the fault
  fires once the host has sent HOST bytes on the connection, and of the
  answer due at that moment the first DEVICE bytes still go out as they
  should. A 64-byte read has sent 5 bytes after its command, 7 and 9 after
  its acknowledgements; a 64-byte write 5 after its command and 37 and 69
  after its chunks, and its read-back 74 after the command.

  unplug[@AT]           the connection drops and the device is gone: every
                        later connection is refused until the program ends
  silent[@AT]           the device takes nothing more and never answers on
                        that connection
  garbage[@AT]          the rest of that answer comes bitwise inverted
  extra[:N][@AT]        N stray bytes 0xEE (1 to 255, default 1) go out in
                        one piece with the rest of that answer
  early[@HOST]          from there a read sends all its chunks at once,
                        without waiting for the acknowledgements

  Chip faults hold for every exchange; each may be given once.

  stray[:N]@PACKET      N stray bytes 0xEE (1 to 255, default 1) follow
                        packet PACKET of every exchange: 0 is the command
                        reply, then each read chunk or write acknowledgement
  short-reply           the command reply carries one byte only
  short-chunk@CHUNK     read chunk CHUNK (from 0) comes one byte short
  wrong-ack@CHUNK       write chunk CHUNK is acknowledged one too low
  corrupt@ADDRESS       SFR byte ADDRESS (0 to 65535) reads with its lowest
                        bit inverted
  drift                 SFR byte 63 counts up after every completed write
  refuse                every connection is closed as soon as it is made

Examples:
  zn4417emu             serve on 127.0.0.1:4417
  zn4417ctl --bridge tcp://127.0.0.1:4417 read
                        read the emulated chip's block (in another shell)
  zn4417emu --listen 127.0.0.1:0 --image block.bin
                        serve block.bin on a free port and print its address
  zn4417emu --fault extra:2@5+2 --verbose
                        put two stray bytes after the first read's reply
  zn4417emu --fault unplug@37
                        pull the device out after the first chunk of a write
  zn4417emu --serial tx_v2.0
                        a bridge of another kind: zn4417ctl list shows it
                        as not a ZN4417 bridge

Exit status:
  0     ended by SIGINT, SIGTERM or SIGHUP (also --help and --version)
  1     the address cannot be listened on (in use, or not an address of
        this machine)
  64    bad usage (unknown option, a bad fault, address or serial) or an
        image file that cannot be read or has another size; nothing was
        served
)";
}
