// TScopedValue: gives a variable a value for the extent of a scope and puts
// its previous value back when the scope ends, also when an exception
// leaves it. It is how this tree marks "inside this operation" (the flags
// that keep a handler from answering a change the code itself is making,
// the name shown while a file is read): plain C++ without Qt, so that the
// hex view's data side can use it as well as the framework and the widgets.
//
//   TScopedValue guard(positioning_, true);
#pragma once

#include <utility>

template <typename T>
class TScopedValue {
 public:
  TScopedValue(T& target, T value)
      : target_(target), saved_(std::exchange(target, std::move(value))) {}
  ~TScopedValue() { target_ = std::move(saved_); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& target_;
  T saved_;
};
