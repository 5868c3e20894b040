// A ConfigView without a window: a plain image, a parameter set standing in
// for the controls, and a record of what would have been shown.
#pragma once

#include <string>
#include <vector>

#include "model/config_view.h"

class HeadlessConfigView : public ConfigView {
 public:
  ImageStore& Image() override { return image_; }
  void RegisterNotifications() override { ++notificationRegistrations_; }
  void SetConnectionText(const std::string& text) override { connectionText_ = text; }
  void ShowSuccessMessage(const std::string& text) override { messages_.push_back(text); }
  ParameterSet ReadParameters() override { return params_; }
  void ShowParameters(const ParameterSet& params) override;
  void ShowFlags(const ParameterSet& params) override;
  void SetFunregItemEnabled(Integer item, bool enabled) override {
    params_.FUNREG.at(item).enabled = enabled;
  }

  RomImage& Rom() { return image_; }
  const ParameterSet& Parameters() const { return params_; }
  // Direct access to the stand-in controls (as a user's edit would change them).
  ParameterSet& Controls() { return params_; }
  const std::string& ConnectionText() const { return connectionText_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  int NotificationRegistrations() const { return notificationRegistrations_; }

 private:
  RomImage image_;
  ParameterSet params_;
  std::string connectionText_;
  std::vector<std::string> messages_;
  int notificationRegistrations_ = 0;
};
