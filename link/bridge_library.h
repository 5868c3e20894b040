// The seam between UsbLink and a bridge library: the nine operations the
// bridge's host-side library offers. Every call returns a status code,
// 0 = success, anything else = failure; callers rely on nothing more of a
// failing call than that it is not 0.
#pragma once

#include <cstdint>
#include <string>

using BridgeStatus = uint32_t;
using BridgeHandle = void*;

inline constexpr BridgeStatus kBridgeOk = 0;
inline constexpr uint32_t kProductStringSize = 256;  // buffer for a product string
inline constexpr uint32_t kProductSerialNumber = 0;  // option: the serial string

class BridgeLibrary {
 public:
  virtual ~BridgeLibrary() = default;

  // Ordinal 1: number of attached bridges.
  virtual BridgeStatus GetNumDevices(uint32_t& count) = 0;
  // Ordinal 2: product string of device `index` (0..count-1) into a
  // kProductStringSize-byte buffer, zero-terminated. Option 0 = serial string.
  virtual BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) = 0;
  // Ordinal 3: open device `index`; success gives a non-null handle.
  virtual BridgeStatus Open(uint32_t index, BridgeHandle& handle) = 0;
  // Ordinal 4: close a handle.
  virtual BridgeStatus Close(BridgeHandle handle) = 0;
  // Ordinal 6: read up to `wanted` bytes; blocks until they come or the read
  // time-out ends. `received` may be below `wanted`.
  virtual BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                            uint32_t& received) = 0;
  // Ordinal 7: write `count` bytes; blocks up to the write time-out.
  virtual BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                             uint32_t& written) = 0;
  // Ordinal 9: flush buffers; 255 flushes the queue. Afterwards no byte
  // received earlier is delivered by a read.
  virtual BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                                    uint8_t flushReceive) = 0;
  // Ordinal 10: read and write time-outs in milliseconds for what follows.
  virtual BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) = 0;
  // Receive queue: the number of bytes received and not yet handed to a
  // read, found without waiting for more to come.
  virtual BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) = 0;

  // Not a call of the bridge library but the tool's own question, asked
  // only to show and log where device `index` (as the last count numbered
  // it) is attached: the USB bus and port path ("usb:1-1.4"), the address
  // of a device emulator ("tcp://HOST:PORT"), a simulated chip's memory
  // file or number ("sim#0"). "" when the library cannot tell. Talks to no
  // device.
  virtual std::string Location(uint32_t /*index*/) { return ""; }
};
