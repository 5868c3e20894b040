#include "widgets/nvthemesrv.h"

#include <memory>
#include <utility>

TThemeServices::TThemeServices() {
  // No visual-styles library exists on this platform: nothing can be loaded,
  // so the styles stay unloaded and themes stay off.
  stylesLoaded_ = false;
  UpdateThemes();
}

TThemeServices::~TThemeServices() = default;

void TThemeServices::UpdateThemes() {
  // Active styles need the loaded library (and, where one exists, an active
  // theme with a new enough common-controls library).
  stylesActive_ = stylesLoaded_;
  controlStylesAllowed_ = stylesActive_;
}

void TThemeServices::ThemeChanged() {
  UpdateThemes();
  DoOnThemeChange();
}

void TThemeServices::DoOnThemeChange() {
  if (OnThemeChange) OnThemeChange(this);
  // Copy first: a handler may unsubscribe itself.
  const std::map<int, TNotifyEvent> handlers = handlers_;
  for (const auto& [id, handler] : handlers) {
    if (handlers_.count(id) && handler) handler(this);
  }
}

int TThemeServices::AddThemeChangeHandler(TNotifyEvent handler) {
  const int id = nextHandlerId_++;
  handlers_.emplace(id, std::move(handler));
  return id;
}

void TThemeServices::RemoveThemeChangeHandler(int id) {
  handlers_.erase(id);
}

TThemeServices& ThemeServices() {
  static TThemeServices service;
  return service;
}

bool ThemesEnabled() {
  return ThemeServices().ThemesEnabled();
}
