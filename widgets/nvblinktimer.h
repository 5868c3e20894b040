// The process-wide blink list shared by labels and status panes.
//
// The first control registered starts one timer (500 ms per phase by
// default); every tick flips the phase and asks each registered control with
// CM_GETBLINKING whether it blinks; a control that answers 1 receives
// CM_BLINK with the new phase (WParam) and repaints itself. The list and its
// timer are freed when the last control leaves.
#pragma once

#include "framework/messages.h"
#include "framework/types.h"

class TControl;

enum TBlinkState { bsOn, bsOff };

// Control messages of the blink list.
constexpr Cardinal CM_GETBLINKING = 0xB3E8;  // Result 1: the control blinks
constexpr Cardinal CM_BLINK = 0xB3E9;        // WParam: the new TBlinkState

class TNvBlinkList {
 public:
  // Adds / removes a control (a control is registered at most once).
  static void Register(TControl* control);
  static void Unregister(TControl* control);
  static bool IsRegistered(const TControl* control);
  // True while the list (and its timer) exists.
  static bool Active();
  static int Count();
  static TBlinkState Phase();

  // Phase lengths in milliseconds, shared by every registered control.
  static Word IntervalOn();
  static Word IntervalOff();
  static void SetIntervalOn(Word ms);
  static void SetIntervalOff(Word ms);

  // One tick, as the timer does it.
  static void Tick();
};
