// The system caret: one per process, owned by a windowed control. It is drawn
// over the owner's painting by inverting the pixels where its shape is white
// (a solid block when created without a shape) and blinks every 500 ms while
// shown. Positions are client coordinates of the owner.
#pragma once

#include "framework/geometry.h"

class TWinControl;
class TBitmap;
class TCanvas;

// Creates the caret for `owner` (destroying any other). With a shape the caret
// takes its size; otherwise width x height. The new caret is hidden.
bool CreateCaret(TWinControl* owner, const TBitmap* shape, int width, int height);
bool DestroyCaret();
bool SetCaretPos(int x, int y);
TPoint GetCaretPos();
// Show and hide nest like a counter: the caret is visible after as many
// ShowCaret calls as HideCaret calls plus one.
bool ShowCaret(TWinControl* owner);
bool HideCaret(TWinControl* owner);
// The caret's owner (nullptr when there is none) and whether it is visible.
TWinControl* CaretOwner();
bool CaretVisible();
// Paints the caret over `owner`'s client canvas when it is visible there
// (called by the control after Paint).
void PaintCaret(TWinControl* owner, TCanvas& canvas);
