// TCustomPanel: a container with optional bevels and a centred caption.
// Paint draws BevelOuter, a BorderWidth band in Color, BevelInner (each bevel
// BevelWidth pixels of clBtnHighlight/clBtnShadow) and the caption; children
// are aligned inside the bevels and the band.
#pragma once

#include "framework/controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TWinControl* parent = nullptr);  // 185 x 41, clBtnFace

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& r) const override;
  // Total width of bevels and band on each side.
  int FrameWidth() const;

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};
