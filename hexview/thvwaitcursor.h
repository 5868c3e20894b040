// The wait cursor around a long operation of the data side: the view shows
// it (through OnWaitCursor) for as long as the guard lives.
#pragma once

#include "hexview/thexviewdata.h"

class THVWaitCursor {
 public:
  explicit THVWaitCursor(THexViewData& d) : d_(d) {
    if (d_.OnWaitCursor) d_.OnWaitCursor(d_, true);
  }
  ~THVWaitCursor() {
    if (d_.OnWaitCursor) d_.OnWaitCursor(d_, false);
  }
  THVWaitCursor(const THVWaitCursor&) = delete;
  THVWaitCursor& operator=(const THVWaitCursor&) = delete;

 private:
  THexViewData& d_;
};
