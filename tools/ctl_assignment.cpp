#include "tools/ctl_assignment.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "model/config_controller.h"

namespace {

bool ParseNumber(const std::string& text, long double& value) {
  if (text.empty()) return false;
  if (text.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtold(text.c_str(), &end);
  return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseFlag(const std::string& name, const std::string& text, long double& value,
               std::string& error) {
  if (text != "0" && text != "1") {
    error = "value of " + name + " must be 0 or 1, not '" + text + "'";
    return false;
  }
  value = text == "1" ? 1 : 0;
  return true;
}

bool IsFixedItem(Integer item) {
  return std::find(std::begin(kDisabledFunregItems), std::end(kDisabledFunregItems), item) !=
         std::end(kDisabledFunregItems);
}

bool ParseItem(const std::string& name, Assignment& a, std::string& error) {
  size_t dot = name.find('.');
  std::string base = name.substr(0, dot);
  std::string index = name.substr(dot + 1);
  ParamId id{};
  if (!FindParam(base, id) || DescriptorOf(id).kind != pkItemList) {
    error = "unknown parameter '" + name + "'";
    return false;
  }
  Integer count = DescriptorOf(id).itemCount;
  if (index.empty() || index.size() > 2 ||
      index.find_first_not_of("0123456789") != std::string::npos || std::stoi(index) >= count) {
    error = "unknown item '" + name + "' (" + base + " has items 0 to " +
            std::to_string(count - 1) + ")";
    return false;
  }
  a.id = id;
  a.item = std::stoi(index);
  if (id == piFUNREG && IsFixedItem(a.item)) {
    error = "item '" + name + "' is disabled and cannot be set";
    return false;
  }
  return true;
}

}  // namespace

bool ParseAssignment(const std::string& text, Assignment& a, std::string& error) {
  size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    error = "expected NAME=VALUE, got '" + text + "'";
    return false;
  }
  std::string name = text.substr(0, eq);
  std::string value = text.substr(eq + 1);
  if (name.find('.') != std::string::npos) {
    return ParseItem(name, a, error) && ParseFlag(name, value, a.value, error);
  }
  if (!FindParam(name, a.id)) {
    error = "unknown parameter '" + name + "'";
    return false;
  }
  switch (DescriptorOf(a.id).kind) {
    case pkItemList:
      error = "parameter '" + name + "' is a list: set its items as " + name + ".i=0/1";
      return false;
    case pkFlag:
      return ParseFlag(name, value, a.value, error);
    case pkNumeric:
      break;
  }
  if (!ParseNumber(value, a.value)) {
    error = "value of " + name + " is not a number: '" + value + "'";
    return false;
  }
  return true;
}

void ApplyAssignment(ParameterSet& params, const Assignment& a) {
  bool on = a.value != 0;
  switch (a.id) {
    case piFUNREG:
      params.FUNREG.at(a.item).checked = on;
      return;
    case piFUNREG1:
      params.FUNREG1.at(a.item) = on;
      return;
    case piHFD:
      params.HFD = on;
      return;
    case pinvchckbxLPPMP:
      params.nvchckbxLPPMP = on;
      return;
    case pinvchckbxINVC:
      params.nvchckbxINVC = on;
      return;
    default:
      break;
  }
  const ParamDescriptor& d = DescriptorOf(a.id);
  params.SetValue(a.id, std::round(ClampValue(a.value, d.min, d.max)));
}
