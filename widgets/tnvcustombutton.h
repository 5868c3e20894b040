// TNvCustomButton: the widget set's windowed button base (focus, hot-tracking
// notification, text styles). Check boxes build on it through
// TNvCustomGlyphButton.
#pragma once

#include "framework/controls.h"
#include "widgets/nvcommon_types.h"
#include "widgets/nvtextstyle.h"

enum TNvHotTrackColorType { htctComplement, htctActual };

class TNvCustomButton : public TCustomControl {
 public:
  explicit TNvCustomButton(TWinControl* parent = nullptr);  // 115 x 17, TabStop

  TNvAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  void SetAlignmentVertical(TNvAlignmentVertical v);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor v);
  TNvHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TNvHotTrackColorType v);
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor v);
  TTextStyle TextStyle() const { return effects_.style; }
  void SetTextStyle(TTextStyle v);
  bool LightTextStyle() const { return effects_.lightTextStyle; }
  void SetLightTextStyle(bool v);
  int TextShadowDepth() const { return effects_.shadowDepth; }
  void SetTextShadowDepth(int v);
  TColor TextShadowColor() const { return effects_.shadowColor; }
  void SetTextShadowColor(TColor v);
  TColor TextHighlightColor() const { return effects_.highlightColor; }
  void SetTextHighlightColor(TColor v);
  bool ThemeAware() const { return themeAware_; }
  void SetThemeAware(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  // True while the mouse pointer is over the control.
  bool PointerInside() const { return pointerInside_; }

 protected:
  // The caption drawn with word wrapping and tab expansion in `rect`, placed
  // by AlignmentVertical; returns the rectangle actually used.
  TRect Draw3DText(TCanvas& canvas, const TRect& rect, bool rightAligned);
  // The colours of the hot-tracking glyph (start and stop of the hot ring).
  void HotColors(TColor& start, TColor& stop) const;
  void MouseEnter() override;
  void MouseLeave() override;
  // Called when the pointer enters or leaves (PointerInside is already set).
  virtual void HotTrackChanged() {}

 private:
  TNvAlignmentVertical alignmentVertical_ = avCenter;
  bool hotTrack_ = false;
  TColor hotTrackColor_ = 0x149BF0;
  TNvHotTrackColorType hotTrackColorType_ = htctActual;
  TColor highlightColor_ = clHighlight;
  TNvTextEffects effects_;
  bool themeAware_ = true;
  bool transparent_ = false;
  bool pointerInside_ = false;
};
