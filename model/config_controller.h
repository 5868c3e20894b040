// ConfigController: start-up, connection, Read and Write of the chip's
// configuration block, shared by the main window and the command-line tool.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "link/diagnostic_sink.h"
#include "link/memory_access.h"
#include "link/usb_link.h"
#include "model/config_view.h"
#include "model/image_codec.h"

inline constexpr const char* kConnectText = "USB Status: Connect!";
inline constexpr const char* kNoConnectText = "USB Status: NO Connect!";
inline constexpr const char* kVerifiedText = "校验成功";
inline constexpr const char* kWriteSuccessText = "下载成功!";
inline constexpr uint16_t kConfigAddress = 0;
inline constexpr uint16_t kConfigLength = kRomSize;
inline constexpr Integer kVerifiedCount = 63;  // offsets 0..62 are compared
inline constexpr std::chrono::milliseconds kSettleTime{100};
// FUNREG items that start-up disables for good: they show what the chip
// holds, but every encode clears them.
inline constexpr Integer kDisabledFunregItems[] = {0, 1, 4, 8, 9};

// How a Write ended. The window only shows the message on woVerified.
enum WriteOutcome {
  woVerified,        // offsets 0..62 read back as written
  woDiffers,         // both transfers went through, the read-back differs
  woTransferFailed,  // the write or the read-back failed and the read-back differs
};

// Everything a Write found out, before any verdict: what was sent, what came
// back, whether each transfer went through and the offsets 0..62 that differ.
struct WriteReport {
  std::array<Byte, kRomSize> written{};
  std::array<Byte, kRomSize> readBack{};
  TransferResult write = trOk;  // how the write and the read-back ended
  TransferResult read = trOk;
  std::vector<Integer> differing;

  bool WriteOk() const { return write == trOk; }
  bool ReadOk() const { return read == trOk; }
};

// Offsets below `count` (0..62 unless told otherwise) at which the two
// blocks differ, in ascending order.
std::vector<Integer> DifferingOffsets(const std::array<Byte, kRomSize>& a,
                                      const std::array<Byte, kRomSize>& b,
                                      Integer count = kVerifiedCount);

// "offsets 0 to 62": the compared offsets as the reports name them.
inline std::string VerifiedOffsetsText() {
  return "offsets 0 to " + std::to_string(kVerifiedCount - 1);
}
// "the block read back differs at N of offsets 0 to 62".
inline std::string ReadBackDiffersText(size_t count) {
  return "the block read back differs at " + std::to_string(count) + " of " + VerifiedOffsetsText();
}

using SleepFunction = std::function<void(std::chrono::milliseconds)>;

class ConfigController {
 public:
  // `link` must outlive the controller. The sink receives the protocol's
  // texts and the verification text; the default discards them.
  ConfigController(ConfigView& view, UsbLink& link, DiagnosticSink sink = DiscardingSink());
  ConfigController(const ConfigController&) = delete;
  ConfigController& operator=(const ConfigController&) = delete;

  // The window's creation sequence: notifications, Connect, 64 zero bytes,
  // connection text, default bytes, five FUNREG items disabled, decode.
  void FormCreate();

  bool Connect();
  void Disconnect();
  bool Connected() const { return connected_; }

  void OnDeviceArrived();
  void OnDeviceRemoved();

  // "Read": true when the block was read and shown; on false nothing changed
  // and LastRead() tells why.
  bool ReadConfiguration();
  TransferResult LastRead() const { return lastRead_; }
  // Takes 64 bytes as if they had just been read from the chip: stores them
  // in the image, asks for a repaint and decodes them into the controls.
  void LoadImage(const std::array<Byte, kRomSize>& bytes);
  // "Write ": encode, force offsets 20 and 12, write, settle, read back,
  // compare; shows the success message only on woVerified. LastWrite()
  // holds what it found out.
  WriteOutcome WriteConfiguration();
  const WriteReport& LastWrite() const { return lastWrite_; }

  // The block a Write would send now: encodes the controls into the image
  // and forces offsets 20 and 12 there, as the Write's first steps do. A
  // control whose value was clamped on the way shows the value encoded.
  std::array<Byte, kRomSize> PrepareWriteBlock();
  // The transfers of a Write (prepare, write, settle, read back, compare)
  // without its verdict: no message and no verification text.
  WriteReport WriteAndReadBack();

  // The handler run when a parameter control is left (LinkFlags).
  void DBExit(ParamId source);

  // The image was edited in place (in the window's hex view): shows what it
  // now says in the controls, then encodes the controls back, so that the
  // image holds exactly what the controls show and what a Write sends
  // (values beyond a control's range come back clamped, bits no parameter
  // keeps come back cleared).
  void ImageEdited();

  void SetSink(DiagnosticSink sink);
  // Replaces the blocking wait between write and read-back.
  void SetSleep(SleepFunction sleep) { sleep_ = std::move(sleep); }

  UsbLink& Link() { return link_; }
  MemoryAccess& Memory() { return memory_; }

 private:
  void Say(const std::string& text);
  void DecodeIntoView();

  ConfigView& view_;
  UsbLink& link_;
  DiagnosticSink sink_;
  MemoryAccess memory_;
  SleepFunction sleep_;
  bool connected_ = false;
  TransferResult lastRead_ = trOk;
  WriteReport lastWrite_;
};
