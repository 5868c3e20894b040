// What the controller needs of the window that shows the configuration:
// the image, the parameter controls, the connection pane and the success
// message. The main window implements it over its widgets and hex view;
// HeadlessConfigView implements it without any window.
#pragma once

#include <string>

#include "model/parameter_set.h"
#include "model/rom_image.h"

class ConfigView {
 public:
  virtual ~ConfigView() = default;

  // The configuration image (in the window: the hex view's data buffer).
  virtual ImageStore& Image() = 0;

  // Registers for the bridge's arrival and removal notifications.
  virtual void RegisterNotifications() = 0;

  // Caption of the connection pane.
  virtual void SetConnectionText(const std::string& text) = 0;

  // Shows the success message of a verified write; returns when it is closed.
  virtual void ShowSuccessMessage(const std::string& text) = 0;

  // Reads every parameter from its control (values, checked and enabled states).
  virtual ParameterSet ReadParameters() = 0;

  // Shows the values and checked states in the controls without raising any
  // change or exit event. Enabled states are not touched.
  virtual void ShowParameters(const ParameterSet& params) = 0;

  // Shows only the checked states of the flag controls (what the flag links
  // change), without raising events; numeric controls keep their text.
  virtual void ShowFlags(const ParameterSet& params) = 0;

  // Enables or disables one item of the function list FUNREG.
  virtual void SetFunregItemEnabled(Integer item, bool enabled) = 0;
};
