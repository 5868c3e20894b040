#include "model/headless_view.h"

void HeadlessConfigView::ShowParameters(const ParameterSet& params) {
  std::array<CheckItem, kFunregCount> items = params_.FUNREG;
  params_ = params;
  for (Integer i = 0; i < kFunregCount; ++i) params_.FUNREG[i].enabled = items[i].enabled;
}

void HeadlessConfigView::ShowFlags(const ParameterSet& params) {
  for (const ParamRef& ref : CheckableRefs()) params_.SetChecked(ref, params.Checked(ref));
}
