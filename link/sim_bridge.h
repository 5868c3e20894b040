// A bridge library with one simulated ZN4417 behind one bridge whose serial
// string is "tx_v1.0". Reads never wait: the chip only ever answers a
// complete packet, so whatever is not there yet will not come without
// another write. Optionally keeps all chip memories in a file.
//
// Threads: every call but Chip() may come from any thread, also at the same
// time as another; each takes the library's lock for its short while (no
// call waits for the chip). The memory file is written under that lock,
// through a file of its own beside it that is renamed over it, so writers
// of the same file in other libraries or processes never mix their bytes.
// Several SimBridgeLibrary objects share nothing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "link/bridge_library.h"
#include "link/simulated_chip.h"
#include "link/usb_link.h"

class SimBridgeLibrary : public BridgeLibrary {
 public:
  static constexpr const char* kSerial = UsbLink::kSerialString;
  static constexpr const char* kProduct = "ZN4417 simulated bridge";

  // Status codes of failing calls.
  static constexpr BridgeStatus kStatusBadIndex = 2;
  static constexpr BridgeStatus kStatusBadHandle = 3;
  static constexpr BridgeStatus kStatusBusy = 4;
  static constexpr BridgeStatus kStatusRefused = 5;
  static constexpr BridgeStatus kStatusUnplugged = 6;

  // Memories live only as long as this object.
  SimBridgeLibrary();
  // Memories kept in `file`: read now (created with power-on contents when
  // missing) and written back after every completed write. Null with
  // `error` set when the file cannot be read, created or has the wrong size.
  static std::unique_ptr<SimBridgeLibrary> WithFile(const std::string& file, std::string& error);

  BridgeStatus GetNumDevices(uint32_t& count) override;
  BridgeStatus GetProductString(uint32_t index, char* buffer, uint32_t option) override;
  BridgeStatus Open(uint32_t index, BridgeHandle& handle) override;
  BridgeStatus Close(BridgeHandle handle) override;
  BridgeStatus Read(BridgeHandle handle, uint8_t* buffer, uint32_t wanted,
                    uint32_t& received) override;
  BridgeStatus Write(BridgeHandle handle, const uint8_t* buffer, uint32_t count,
                     uint32_t& written) override;
  BridgeStatus FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                            uint8_t flushReceive) override;
  BridgeStatus SetTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
  BridgeStatus CheckReceiveQueue(BridgeHandle handle, uint32_t& waiting) override;
  // The memory file, or without one the chip's number ("sim#0" unless changed).
  std::string Location(uint32_t index) override;
  void SetNumber(int number);

  // The serial string the bridge reports (kSerial unless changed), so that
  // a bridge of another kind can be shown beside the chip's.
  void SetSerial(const std::string& serial);
  std::string Serial() const;

  SimFaults Faults() const;
  void SetFaults(const SimFaults& faults);

  // Unplugged: no device is counted and every handle opened before fails
  // its reads and writes for good, even after the bridge is plugged back.
  void Plug();
  void Unplug();
  bool IsPlugged() const;

  // The chip itself, unlocked: only while no other thread uses the library.
  SimulatedChip& Chip() { return chip_; }
  int OpenHandles() const;
  uint32_t ReadTimeoutMs() const;
  uint32_t WriteTimeoutMs() const;
  const std::string& File() const { return file_; }
  // Empty unless writing the memory file back failed.
  std::string LastFileError() const;

 private:
  BridgeStatus CheckLive(BridgeHandle handle) const;
  void SaveFile();

  mutable std::mutex mutex_;
  SimulatedChip chip_;
  bool plugged_ = true;
  uint64_t plugGeneration_ = 0;
  uintptr_t nextHandle_ = 1;
  std::map<uintptr_t, uint64_t> handles_;  // handle -> plug generation it was opened in
  uint32_t readTimeoutMs_ = 0;
  uint32_t writeTimeoutMs_ = 0;
  std::string serial_ = kSerial;
  int number_ = 0;
  std::string file_;
  std::string fileError_;
};
