// Texts of EHexView that carry a value.
#include "hexview/ehexview.h"

#include <cstdio>

namespace {

std::string UpperHex(unsigned long long value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", value);
  return buf;
}

}  // namespace

std::string HVMsgInvalidBytesPerUnit(long long value) {
  return "Invalid bytes per unit value " + std::to_string(value) + ", allowed: 1,2,4,8";
}

std::string HVMsgInvalidRulerBytesPerUnit(long long value) {
  return "Invalid ruler bytes per unit value " + std::to_string(value) + ", allowed: -1,1,2,4,8";
}

std::string HVMsgMissingChar(const std::string& what) {
  return "Missing char in offset format: " + what;
}

std::string HVMsgInvalidOffsetRadix(unsigned long long radix) {
  return "Invalid radix in offset format (" + UpperHex(radix) + "h), allowed: 02h..10h";
}

std::string HVMsgInvalidCharForRadix(const std::string& ch, unsigned radix) {
  return "Invalid character " + ch + ", cannot convert using radix " + UpperHex(radix) + "h";
}

std::string HVMsgInvalidRadix(long long radix) {
  std::string shown = radix < 0 ? "-" + UpperHex(static_cast<unsigned long long>(-radix))
                                : UpperHex(static_cast<unsigned long long>(radix));
  return "Invalid radix " + shown + "h, allowed: 02h..10h";
}

std::string HVMsgCannotOpen(const std::string& name, const std::string& reason) {
  return "Cannot open " + name + ".\r\n(" + reason + ".)";
}

std::string HVMsgCannotSaveReadOnly(const std::string& name) {
  return "Cannot save readonly file " + name + ".";
}

std::string HVMsgCannotDeleteBackup(const std::string& name, const std::string& reason) {
  return "Cannot delete previous backup " + name + ". (" + reason + ")";
}

std::string HVMsgCannotCreateBackup(const std::string& name, const std::string& reason) {
  return "Cannot create backup " + name + ". (" + reason + ")";
}

std::string HVMsgTooLarge(long long size) {
  return "Cannot load " + std::to_string(size) +
         " bytes: the hex view holds at most 2147483647 bytes";
}
