#include "tools/ctl_names.h"

#include <algorithm>
#include <cctype>

namespace {

struct ReadableName {
  const char* name;
  ParamId id;
  Integer item;
};

// The first name of each parameter is the one dump prints.
const ReadableName kReadable[] = {
    {"DEADBAND", piDB, -1},
    {"STRETCHER", piST, -1},
    {"BOOST", piBT, -1},
    {"MAXDUTYL", piMDL, -1},
    {"MAXDUTYR", piMDR, -1},
    {"DEADZONE", piDZ, -1},
    {"P1MDUTY", piP1MD, -1},
    {"P2MDUTY", piP2MD, -1},
    {"P1WTIME", piP1T, -1},
    {"P2WTIME", piP2T, -1},
    {"P3WTIME", piP3T, -1},
    {"OSC", piOSC, -1},
    {"CH", piCH, -1},
    {"CHANNEL", piCH, -1},
    {"CLK", piCLK, -1},
    {"PMIN", piedtPMINL, -1},
    {"PMAX", piedtPMAXL, -1},
    {"PMID", piedtPMID, -1},
    {"OVERLOAD1", piFUNREG1, 0},
    {"OVERLOAD2", piFUNREG1, 1},
    {"OVERLOAD3", piFUNREG1, 2},
    {"HFD", piHFD, -1},
    {"LPPMP", pinvchckbxLPPMP, -1},
    {"INVC", pinvchckbxINVC, -1},
};

// The check list shown by its readable name as FUNREG.i, in any case.
constexpr const char* kFunregName = "FUNREG";

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

bool FindReadable(const std::string& name, ParamRef& ref) {
  for (const ReadableName& r : kReadable) {
    if (SameIgnoringCase(name, r.name)) {
      ref = ParamRef{r.id, r.item};
      return true;
    }
  }
  return false;
}

// A list named by its readable name (any case) or its control name (exact).
bool FindList(const std::string& base, ParamId& id) {
  if (SameIgnoringCase(base, kFunregName)) {
    id = piFUNREG;
    return true;
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
  const Integer count = DescriptorOf(id).itemCount;
  if (index.empty() || index.size() > 2 ||
      index.find_first_not_of("0123456789") != std::string::npos || std::stoi(index) >= count) {
    error = "unknown item '" + name + "' (" + base + " has items 0 to " +
            std::to_string(count - 1) + ")";
    return false;
  }
  ref = ParamRef{id, std::stoi(index)};
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
  if (ref.id == piFUNREG) return std::string(kFunregName) + "." + std::to_string(ref.item);
  for (const ReadableName& r : kReadable) {
    if (r.id == ref.id && r.item == ref.item) return r.name;
  }
  return DescriptorOf(ref.id).name;
}

const char* UnitOf(ParamId id) {
  return id == piedtPMINL || id == piedtPMAXL ? "us" : "";
}
