// Choosing a bridge library from a bridge address:
//   usb                       real bridges through libusb (vendor:product id)
//   sim | sim:FILE            the built-in simulated chip (FILE keeps its memories)
//   sim:N                     N simulated chips (1 to 16), each behind its own bridge
//   sim:FILE[?serial=S],FILE  one simulated chip per file, in that order; a bridge
//                             may report another serial string (a bridge of
//                             another kind)
//   tcp://HOST:PORT[?serial=S] a device emulator reached over TCP
//   tcp://HOST:PORT,tcp://...  one device emulator per address, in that order
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

// Creates the library for `address`; null with `error` set for an unknown
// or malformed address.
std::unique_ptr<BridgeLibrary> CreateBridgeLibrary(const std::string& address, const UsbId& usbId,
                                                   std::string& error);
