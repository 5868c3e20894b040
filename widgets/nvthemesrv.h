// Nvthemesrv: the process-wide decision whether visual themes are in force.
//
// This platform has no visual-styles library, so StylesLoaded is false and
// ThemesEnabled is false for the whole run: every widget draws its unthemed
// branch. The theme-change notification is kept so widgets that recompute
// theme-dependent values (colour scheme) can subscribe to it.
#pragma once

#include <functional>
#include <map>

#include "framework/object.h"

class TThemeServices : public TObject {
 public:
  TThemeServices();
  ~TThemeServices() override;
  TThemeServices(const TThemeServices&) = delete;
  TThemeServices& operator=(const TThemeServices&) = delete;

  bool StylesLoaded() const { return stylesLoaded_; }
  bool StylesActive() const { return stylesActive_; }
  bool ControlStylesAllowed() const { return controlStylesAllowed_; }
  // StylesLoaded and StylesActive and ControlStylesAllowed.
  bool ThemesEnabled() const { return stylesLoaded_ && stylesActive_ && controlStylesAllowed_; }

  // Re-evaluates StylesActive and ControlStylesAllowed.
  void UpdateThemes();
  // What the theme-changed message does: UpdateThemes, then the theme-change
  // notification (OnThemeChange, then every subscriber in subscription order).
  void ThemeChanged();

  // The theme-change event (sender: this service).
  TNotifyEvent OnThemeChange;
  // Further subscribers (one per widget); the id removes it again.
  int AddThemeChangeHandler(TNotifyEvent handler);
  void RemoveThemeChangeHandler(int id);

 protected:
  void DoOnThemeChange();

 private:
  bool stylesLoaded_ = false;
  bool stylesActive_ = false;
  bool controlStylesAllowed_ = false;
  int nextHandlerId_ = 1;
  std::map<int, TNotifyEvent> handlers_;
};

// The process-wide theme service, created on first use.
TThemeServices& ThemeServices();
// Shorthand for ThemeServices().ThemesEnabled().
bool ThemesEnabled();
