// Store: the first step of every property setter. A setter stores only a
// value that differs from the one it holds and reacts (repaint, new layout,
// notifications) only then:
//
//   void TNvSpacer::SetGrooved(bool v) {
//     if (Store(grooved_, v)) Invalidate();
//   }
#pragma once

#include <type_traits>

// Stores `v` in `field` when it differs; true when the field changed. The
// field alone gives the type, so `v` may be anything that converts to it.
template <class T>
bool Store(T& field, const std::type_identity_t<T>& v) {
  if (field == v) return false;
  field = v;
  return true;
}
