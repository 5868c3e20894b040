// Small additions to the control layer used by the widget set's check box.
#pragma once

#include "framework/types.h"

// Button message: asks a check box for its state (0 unchecked, 1 checked,
// 2 grayed).
constexpr Cardinal BM_GETCHECK = 0x00F0;
