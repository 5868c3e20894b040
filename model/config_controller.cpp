#include "model/config_controller.h"

#include <thread>

namespace {

// Offsets that receive the default image at start-up, in ascending order.
bool IsDefaultedOffset(Integer offset) {
  return offset >= 10 && offset <= 32 && offset != 27;
}

void BlockingSleep(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace

ConfigController::ConfigController(ConfigView& view, UsbLink& link, DiagnosticSink sink)
    : view_(view),
      link_(link),
      sink_(sink ? std::move(sink) : DiscardingSink()),
      memory_(link, [this](const std::string& text) { Say(text); }),
      sleep_(BlockingSleep) {}

void ConfigController::Say(const std::string& text) {
  if (sink_) sink_(text);
}

void ConfigController::SetSink(DiagnosticSink sink) {
  sink_ = std::move(sink);
}

void ConfigController::DecodeIntoView() {
  ParameterSet params = view_.ReadParameters();
  DecodeImage(view_.Image(), params);
  view_.ShowParameters(params);
}

void ConfigController::FormCreate() {
  view_.RegisterNotifications();
  Connect();
  ImageStore& image = view_.Image();
  image.SizeToZeroFilled();
  view_.SetConnectionText(connected_ ? kConnectText : kNoConnectText);
  for (Integer offset = 0; offset < kRomSize; ++offset) {
    if (IsDefaultedOffset(offset)) image.SetDataAt(offset, DefaultImage()[offset]);
  }
  for (Integer item : kDisabledFunregItems) view_.SetFunregItemEnabled(item, false);
  DecodeIntoView();
}

bool ConfigController::Connect() {
  connected_ = link_.Open();
  return connected_;
}

void ConfigController::Disconnect() {
  link_.Close();
  connected_ = false;
}

void ConfigController::OnDeviceArrived() {
  // The pane reports whether the bridge could be opened, not merely that one
  // arrived: a bridge that refuses to open is not a connection.
  Connect();
  view_.SetConnectionText(connected_ ? kConnectText : kNoConnectText);
}

void ConfigController::OnDeviceRemoved() {
  Disconnect();
  view_.SetConnectionText(kNoConnectText);
}

bool ConfigController::ReadConfiguration() {
  std::array<Byte, kRomSize> buffer{};
  const bool ok = memory_.ReadMemory(SFR, kConfigAddress, kConfigLength, buffer.data());
  lastRead_ = memory_.LastResult();
  if (!ok) return false;
  LoadImage(buffer);
  return true;
}

void ConfigController::LoadImage(const std::array<Byte, kRomSize>& bytes) {
  ImageStore& image = view_.Image();
  StoreImage(image, bytes);
  image.RequestRepaint();
  DecodeIntoView();
}

std::vector<Integer> DifferingOffsets(const std::array<Byte, kRomSize>& a,
                                      const std::array<Byte, kRomSize>& b, Integer count) {
  std::vector<Integer> offsets;
  for (Integer i = 0; i < count; ++i) {
    if (a[i] != b[i]) offsets.push_back(i);
  }
  return offsets;
}

std::array<Byte, kRomSize> ConfigController::PrepareWriteBlock() {
  ImageStore& image = view_.Image();
  const ParameterSet params = view_.ReadParameters();
  EncodeImage(params, image);
  // What goes to the chip is what the controls show: a value typed beyond
  // its range (in a control not left yet) now shows the bound it became.
  view_.ShowParameters(params);
  image.SetDataAt(kForcedOffset20, kForcedValue20);
  image.SetDataAt(kForcedOffset12, kForcedValue12);
  return CopyImage(image);
}

WriteReport ConfigController::WriteAndReadBack() {
  WriteReport report;
  report.written = PrepareWriteBlock();
  memory_.WriteMemory(SFR, kConfigAddress, kConfigLength, report.written.data());
  report.write = memory_.LastResult();
  sleep_(kSettleTime);
  // Bytes the read-back does not deliver keep their complement and so can
  // never pass for the written bytes.
  for (Integer i = 0; i < kRomSize; ++i) report.readBack[i] = static_cast<Byte>(~report.written[i]);
  memory_.ReadMemory(SFR, kConfigAddress, kConfigLength, report.readBack.data());
  report.read = memory_.LastResult();
  report.differing = DifferingOffsets(report.written, report.readBack);
  return report;
}

WriteOutcome ConfigController::WriteConfiguration() {
  lastWrite_ = WriteAndReadBack();
  if (lastWrite_.differing.empty()) {
    Say(kVerifiedText);
    view_.ShowSuccessMessage(kWriteSuccessText);
    return woVerified;
  }
  return lastWrite_.WriteOk() && lastWrite_.ReadOk() ? woDiffers : woTransferFailed;
}

void ConfigController::DBExit(ParamId source) {
  ParameterSet params = view_.ReadParameters();
  ApplyFlagLinks(params, source);
  view_.ShowFlags(params);
  EncodeImage(params, view_.Image());
}

void ConfigController::ImageEdited() {
  DecodeIntoView();
  EncodeImage(view_.ReadParameters(), view_.Image());
}
