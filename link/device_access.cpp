#include "link/device_access.h"

#include <cstdio>

std::string UsbDeviceNode(int bus, int address) {
  char node[32];
  std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", bus, address);
  return node;
}

std::string NoAccessText(const std::string& node) {
  return "the bridge's device node " + node +
         " is not accessible (permission denied); install the udev rule " + kUdevRuleName +
         " (package zn4417config, or see \"Using a real bridge on Linux\" in the README), "
         "then unplug and replug the bridge";
}

std::vector<std::string> NoAccessTexts(const BridgeLibrary& library) {
  std::vector<std::string> texts;
  if (const auto* access = dynamic_cast<const DeviceAccessReport*>(&library)) {
    for (const std::string& node : access->InaccessibleNodes()) texts.push_back(NoAccessText(node));
  }
  return texts;
}

AccessReportingBridgeLibrary::AccessReportingBridgeLibrary(std::unique_ptr<BridgeLibrary> inner,
                                                           Report report)
    : inner_(std::move(inner)), report_(std::move(report)) {}

void AccessReportingBridgeLibrary::ReportNewNodes() {
  const auto* access = dynamic_cast<const DeviceAccessReport*>(inner_.get());
  if (access == nullptr || !report_) return;
  std::vector<std::string> fresh;
  {
    std::lock_guard lock(mutex_);
    for (const std::string& node : access->InaccessibleNodes()) {
      if (reported_.insert(node).second) fresh.push_back(node);
    }
  }
  for (const std::string& node : fresh) report_(NoAccessText(node));
}

BridgeStatus AccessReportingBridgeLibrary::GetNumDevices(uint32_t& count) {
  {
    std::lock_guard lock(mutex_);
    reported_.clear();
  }
  return inner_->GetNumDevices(count);
}

BridgeStatus AccessReportingBridgeLibrary::GetProductString(uint32_t index, char* buffer,
                                                            uint32_t option) {
  const BridgeStatus status = inner_->GetProductString(index, buffer, option);
  if (status != kBridgeOk) ReportNewNodes();
  return status;
}

BridgeStatus AccessReportingBridgeLibrary::Open(uint32_t index, BridgeHandle& handle) {
  const BridgeStatus status = inner_->Open(index, handle);
  if (status != kBridgeOk) ReportNewNodes();
  return status;
}

BridgeStatus AccessReportingBridgeLibrary::Close(BridgeHandle handle) {
  return inner_->Close(handle);
}

BridgeStatus AccessReportingBridgeLibrary::Read(BridgeHandle handle, uint8_t* buffer,
                                                uint32_t wanted, uint32_t& received) {
  return inner_->Read(handle, buffer, wanted, received);
}

BridgeStatus AccessReportingBridgeLibrary::Write(BridgeHandle handle, const uint8_t* buffer,
                                                 uint32_t count, uint32_t& written) {
  return inner_->Write(handle, buffer, count, written);
}

BridgeStatus AccessReportingBridgeLibrary::FlushBuffers(BridgeHandle handle, uint8_t flushTransmit,
                                                        uint8_t flushReceive) {
  return inner_->FlushBuffers(handle, flushTransmit, flushReceive);
}

BridgeStatus AccessReportingBridgeLibrary::SetTimeouts(uint32_t readTimeoutMs,
                                                       uint32_t writeTimeoutMs) {
  return inner_->SetTimeouts(readTimeoutMs, writeTimeoutMs);
}

BridgeStatus AccessReportingBridgeLibrary::CheckReceiveQueue(BridgeHandle handle,
                                                             uint32_t& waiting) {
  return inner_->CheckReceiveQueue(handle, waiting);
}
