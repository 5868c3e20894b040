// Choosing a bridge library from a bridge address:
//   usb                       real bridges through libusb (vendor:product id)
//   sim | sim:FILE            the built-in simulated chip (FILE keeps its memories)
//   sim:N                     N simulated chips (1 to 16), each behind its own bridge
//   sim:FILE[?serial=S],FILE  one simulated chip per file, in that order; a bridge
//                             may report another serial string (a bridge of
//                             another kind)
//   tcp://HOST:PORT[?serial=S] a device emulator reached over TCP (without
//                             ?serial=S the emulator tells its serial string)
//   tcp://HOST:PORT,tcp://...  one device emulator per address, in that order
//
// Threads: the functions here keep no state; any thread may call them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/bridge_library.h"

struct UsbId {
  uint16_t vendor = 0x10C4;
  uint16_t product = 0xEA61;
};

// Parses "VVVV:PPPP" (hex); false on bad input.
bool ParseUsbId(const std::string& text, UsbId& id);

// "HOST:PORT" or "[IPV6-ADDRESS]:PORT" with a port from `minPort` to 65535;
// false with `error` saying what is wrong.
bool ParseHostPort(const std::string& text, uint16_t minPort, std::string& host, uint16_t& port,
                   std::string& error);

// A serial string a bridge can report: 1 to 255 characters, no control
// characters; false with `error` saying so.
bool CheckSerial(const std::string& serial, std::string& error);

// Creates the library for `address`; null with `error` set for an unknown
// or malformed address.
std::unique_ptr<BridgeLibrary> CreateBridgeLibrary(const std::string& address, const UsbId& usbId,
                                                   std::string& error);
