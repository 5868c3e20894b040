// THVColors: the twelve colours of the hex view. Each setter stores the new
// value and, through OnChange, has the owning view repaint; a new Background
// also becomes the view's own colour.
#pragma once

#include <functional>

#include "framework/colors.h"

class THVColors {
 public:
  THVColors() = default;
  THVColors(const THVColors&) = delete;
  THVColors& operator=(const THVColors&) = delete;

  // Copies all twelve colours and notifies once.
  void Assign(const THVColors& source);

  TColor Background() const { return background_; }
  void SetBackground(TColor v) { Set(background_, v, true); }
  TColor ChangedBackground() const { return changedBackground_; }
  void SetChangedBackground(TColor v) { Set(changedBackground_, v); }
  TColor ChangedText() const { return changedText_; }
  void SetChangedText(TColor v) { Set(changedText_, v); }
  TColor CursorFrame() const { return cursorFrame_; }
  void SetCursorFrame(TColor v) { Set(cursorFrame_, v); }
  TColor Offset() const { return offset_; }
  void SetOffset(TColor v) { Set(offset_, v); }
  TColor OddColumn() const { return oddColumn_; }
  void SetOddColumn(TColor v) { Set(oddColumn_, v); }
  TColor EvenColumn() const { return evenColumn_; }
  void SetEvenColumn(TColor v) { Set(evenColumn_, v); }
  TColor CurrentOffsetBackground() const { return currentOffsetBackground_; }
  void SetCurrentOffsetBackground(TColor v) { Set(currentOffsetBackground_, v); }
  TColor OffsetBackGround() const { return offsetBackGround_; }
  void SetOffsetBackGround(TColor v) { Set(offsetBackGround_, v); }
  TColor CurrentOffset() const { return currentOffset_; }
  void SetCurrentOffset(TColor v) { Set(currentOffset_, v); }
  TColor Grid() const { return grid_; }
  void SetGrid(TColor v) { Set(grid_, v); }
  TColor NonFocusCursorFrame() const { return nonFocusCursorFrame_; }
  void SetNonFocusCursorFrame(TColor v) { Set(nonFocusCursorFrame_, v); }

  // Sender first; backgroundChanged tells the view to take Background as
  // its own colour.
  std::function<void(THVColors& sender, bool backgroundChanged)> OnChange;

 private:
  void Set(TColor& field, TColor v, bool isBackground = false);

  TColor background_ = clWindow;
  TColor changedBackground_ = 0xA8FFFF;
  TColor changedText_ = clMaroon;
  TColor cursorFrame_ = clNavy;
  TColor offset_ = clBlack;
  TColor oddColumn_ = clBlue;
  TColor evenColumn_ = clNavy;
  TColor currentOffsetBackground_ = clBtnShadow;
  TColor offsetBackGround_ = clBtnFace;
  TColor currentOffset_ = clBtnHighlight;
  TColor grid_ = clBtnFace;
  TColor nonFocusCursorFrame_ = clAqua;
};

// The colour's red-green-blue value with all 24 bits flipped (selection).
TColor InvertColor(TColor color);
// The grey of equal brightness: ((74 R + 146 G + 36 B) mod 65536) div 256
// for all three components.
TColor FadeToGray(TColor color);
