// The extended hex view's settings as name and text pairs: one entry per
// setting, in the order the settings text lists them. Adding a setting to
// the settings text is adding one entry to the table (hvproperties.cpp).
#pragma once

#include <functional>
#include <string>
#include <vector>

class THexViewEx;

struct THVProperty {
  std::string Name;  // dotted for a property of a sub-object ("Colors.Grid")
  std::function<std::string(const THexViewEx&)> Get;
  // Raises EConvertError for a text that is no value of the property's
  // type, and whatever the property's setter raises.
  std::function<void(THexViewEx&, const std::string&)> Set;
};

const std::vector<THVProperty>& HVPropertyTable();
// The entry of that name (compared without regard to case), or nullptr.
const THVProperty* HVFindProperty(const std::string& name);

// The names that may take part in the settings text at all (before the
// host narrows them).
bool HVIsPublicName(const std::string& name);
