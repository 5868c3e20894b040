#include "tools/ctl_names.h"
#include "link/decimal_text.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

bool Names(const std::string& name, const char* readable) {
  return readable != nullptr && *readable != 0 && SameIgnoringCase(name, readable);
}

// A number by its caption or tool name, a flag by its tool name, a list
// item by its own name; lists themselves are named only with an item.
bool FindReadable(const std::string& name, ParamRef& ref) {
  for (const ParamDescriptor& d : ParamDescriptors()) {
    const bool named = (d.kind == pkNumeric && Names(name, d.caption)) ||
                       (d.kind != pkItemList && Names(name, d.toolName));
    if (named) {
      ref = ParamRef{d.id, -1};
      return true;
    }
    for (size_t i = 0; i < d.items.size(); ++i) {
      if (Names(name, d.items[i].toolName)) {
        ref = ParamRef{d.id, static_cast<Integer>(i)};
        return true;
      }
    }
  }
  return false;
}

// A list named by its tool name (any case) or its control name (exact).
bool FindList(const std::string& base, ParamId& id) {
  for (const ParamDescriptor& d : ParamDescriptors()) {
    if (d.kind == pkItemList && Names(base, d.toolName)) {
      id = d.id;
      return true;
    }
  }
  return FindParam(base, id) && DescriptorOf(id).kind == pkItemList;
}

std::string UnknownName(const std::string& name) {
  std::string error = "unknown parameter '" + name + "'";
  for (const ParamDescriptor& d : ParamDescriptors()) {
    if (SameIgnoringCase(name, d.name)) {
      return error + " (did you mean " + d.name + "?)";
    }
  }
  return error + " (zn4417ctl --help lists the names)";
}

bool LookUpItem(const std::string& name, size_t dot, ParamRef& ref, std::string& error) {
  const std::string base = name.substr(0, dot);
  const std::string index = name.substr(dot + 1);
  ParamId id{};
  if (!FindList(base, id)) {
    error = UnknownName(name);
    return false;
  }
  const Integer count = static_cast<Integer>(DescriptorOf(id).items.size());
  uint64_t item = 0;
  if (!ParseDecimal(index, 2, item) || item >= static_cast<uint64_t>(count)) {
    error = "unknown item '" + name + "' (" + base + " has items 0 to " +
            std::to_string(count - 1) + ")";
    return false;
  }
  ref = ParamRef{id, static_cast<Integer>(item)};
  return true;
}

}  // namespace

bool LookUpName(const std::string& name, ParamRef& ref, std::string& error) {
  const size_t dot = name.find('.');
  if (dot != std::string::npos) return LookUpItem(name, dot, ref, error);
  if (FindReadable(name, ref)) return true;
  ParamId id{};
  if (!FindParam(name, id)) {
    error = UnknownName(name);
    return false;
  }
  if (DescriptorOf(id).kind == pkItemList) {
    error = "parameter '" + name + "' is a list: set its items as " + name + ".i=0/1";
    return false;
  }
  ref = ParamRef{id, -1};
  return true;
}

std::string DumpName(const ParamRef& ref) {
  const ParamDescriptor& d = DescriptorOf(ref.id);
  if (ref.item >= 0) {
    const char* own = d.items[ref.item].toolName;
    return own != nullptr ? own : std::string(d.toolName) + "." + std::to_string(ref.item);
  }
  return *d.toolName != 0 ? d.toolName : d.caption;
}

const std::vector<ParamRef>& DumpRefs() {
  static const std::vector<ParamRef> refs = [] {
    std::vector<ParamRef> all;
    for (Integer i = 0; i < kNumericCount; ++i)
      all.push_back(ParamRef{static_cast<ParamId>(i), -1});
    all.insert(all.end(), CheckableRefs().begin(), CheckableRefs().end());
    return all;
  }();
  return refs;
}

const char* UnitOf(ParamId id) {
  return DescriptorOf(id).unit;
}
