// The bridge options shared by the programs: "--bridge ADDRESS" and
// "--usb-id VVVV:PPPP", each also accepted as "--name=VALUE". Keeps no
// state; any thread may call it.
#pragma once

#include <string>

#include "link/bridge_address.h"

enum TakeResult { trNotMine, trTaken, trBad };

// Looks at argv[i]; when it is option `name` ("--name VALUE" or
// "--name=VALUE"), stores its value (advancing i past a separate value) and
// returns trTaken; trBad, with `error` set, when the value is missing.
TakeResult TakeOptionValue(int argc, char** argv, int& i, const std::string& name,
                           std::string& value, std::string& error);

// Looks at argv[i]; when it is one of the bridge options, stores its value
// (advancing i past a separate value) and returns trTaken. trBad sets `error`.
TakeResult TakeBridgeOption(int argc, char** argv, int& i, std::string& bridge, UsbId& usbId,
                            std::string& error);
