// THexViewEx: settings and bookmarks as text.
#include "hexview/hexviewex.h"
#include "hexview/hvproperties.h"

namespace {

// Ends a BeginUpdate however the block is left.
struct UpdateGuard {
  THexViewEx& view;
  explicit UpdateGuard(THexViewEx& v) : view(v) { view.BeginUpdate(); }
  ~UpdateGuard() { view.EndUpdate(); }
};

}  // namespace

bool THexViewEx::IsPropPublic(const std::string& name) {
  bool isPublic = HVIsPublicName(name);
  if (isPublic && OnQueryPublicProperty) OnQueryPublicProperty(this, name, isPublic);
  return isPublic;
}

std::string THexViewEx::GetPropertiesAsString() {
  std::string text;
  for (const THVProperty& p : HVPropertyTable()) {
    if (!IsPropPublic(p.Name)) continue;
    if (!text.empty()) text += "\r\n";
    text += p.Name + "=" + p.Get(*this);
  }
  return text;
}

void THexViewEx::SetPropertiesAsString(const std::string& text) {
  UpdateGuard update(*this);
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = line.substr(0, eq);
    if (!IsPropPublic(name)) continue;
    if (const THVProperty* p = HVFindProperty(name)) p->Set(*this, line.substr(eq + 1));
  }
}

void THexViewEx::SetBookMarksAsString(const std::string& text) {
  UpdateGuard update(*this);
  ExData().SetBookMarksAsString(text);
}
