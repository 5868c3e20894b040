#include "tools/ctl_assignment.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "model/config_controller.h"
#include "model/image_codec.h"
#include "tools/ctl_names.h"

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

}  // namespace

bool ParseAssignment(const std::string& text, Assignment& a, std::string& error) {
  size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    error = "expected NAME=VALUE, got '" + text + "'";
    return false;
  }
  std::string name = text.substr(0, eq);
  std::string value = text.substr(eq + 1);
  ParamRef ref;
  if (!LookUpName(name, ref, error)) return false;
  a.id = ref.id;
  a.item = ref.item;
  if (DescriptorOf(a.id).kind != pkNumeric) {
    if (!ParseFlag(name, value, a.value, error)) return false;
    // A fixed item may be named at the value every write gives it, as dump prints it.
    if (a.id == piFUNREG && IsFixedItem(a.item) && a.value != 0) {
      error = "item '" + name + "' is disabled and cannot be set to 1 (every write clears it)";
      return false;
    }
    return true;
  }
  if (!ParseNumber(value, a.value)) {
    error = "value of " + name + " is not a number: '" + value + "'";
    return false;
  }
  return true;
}

bool CheckInRange(const Assignment& a, const std::string& text, std::string& error) {
  const ParamDescriptor& d = DescriptorOf(a.id);
  if (d.kind != pkNumeric || (a.value >= d.min && a.value <= d.max)) return true;
  const std::string unit = UnitOf(a.id);
  error = text + " is outside " + std::to_string(static_cast<long long>(d.min)) + ".." +
          std::to_string(static_cast<long long>(d.max)) + (unit.empty() ? "" : " " + unit);
  return false;
}

void ApplyAssignment(ParameterSet& params, const Assignment& a) {
  const ParamDescriptor& d = DescriptorOf(a.id);
  if (d.kind != pkNumeric) return params.SetChecked(ParamRef{a.id, a.item}, a.value != 0);
  params.SetValue(a.id, std::round(ClampValue(a.value, d.min, d.max)));
}

void ApplyAndLink(ParameterSet& params, const Assignment& a) {
  ApplyAssignment(params, a);
  ApplyFlagLinks(params, a.id);
}

long double ValueOf(const ParameterSet& params, const ParamRef& ref) {
  if (DescriptorOf(ref.id).kind == pkNumeric) return params.Value(ref.id);
  return params.Checked(ref) ? 1 : 0;
}
