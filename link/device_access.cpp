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
    : ForwardingBridgeLibrary(*inner), inner_(std::move(inner)), report_(std::move(report)) {}

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
