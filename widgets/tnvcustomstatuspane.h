// TNvCustomStatusPane: the windowless pane of a status bar, base of the field
// pane. It draws a frame (in a vsGradient status bar only a divider line at
// its left edge, none for the pane at the bar's left edge) and its caption,
// and can blink its text on the process-wide blink timer.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/types.h"
#include "widgets/nvcommon_types.h"

class TNvCustomStatusPane : public TGraphicControl {
 public:
  explicit TNvCustomStatusPane(TWinControl* parent = nullptr);  // 100 x 20, transparent
  ~TNvCustomStatusPane() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  Integer CaptionOffset() const { return captionOffset_; }
  void SetCaptionOffset(Integer v);
  Integer BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(Integer v);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor v);
  Integer FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(Integer v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor v);  // clears ParentFillColor
  bool ParentFillColor() const { return parentFillColor_; }
  void SetParentFillColor(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  Integer DefaultWidth() const { return defaultWidth_; }
  void SetDefaultWidth(Integer v);
  bool Blinking() const { return blinking_; }
  void SetBlinking(bool v);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor v);
  // Shared by every pane and label.
  Word BlinkIntervalOn() const;
  void SetBlinkIntervalOn(Word ms);
  Word BlinkIntervalOff() const;
  void SetBlinkIntervalOff(Word ms);

  // The colour the caption is drawn in now (font colour or BlinkColor).
  TColor TextColor() const { return textColor_; }

  // Width the caption needs (DefaultWidth for an empty caption).
  virtual Integer GetMinWidth();
  // Applies AutoSize.
  void AdjustBounds();
  virtual TRect GetCaptionRect();

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void DrawStatusBorder();
  virtual void DrawCaption(const std::string& text);
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void Loaded() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // The pane's brush for text backgrounds.
  void SetTextBrush(TCanvas& canvas) const;
  // The vertical position of a line of text in `r`.
  int TextTop(TCanvas& canvas, const TRect& r) const;

 private:
  // True when (x, y) lies in the part of the pane that belongs to the bar's
  // size grip.
  bool OverSizeGrip(int x, int y) const;

  TAlignment alignment_ = taLeftJustify;
  Integer captionOffset_ = 2;
  Integer borderWidth_ = 1;
  TFrameStyle frameStyle_ = fsFlat;
  TColor flatColor_ = clBtnShadow;
  Integer flatColorAdjustment_ = 30;
  bool transparent_ = true;
  TColor fillColor_;
  bool parentFillColor_ = true;
  bool autoSize_ = false;
  Integer defaultWidth_ = 40;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  TColor fontColor_;
  TColor textColor_;
  bool blinkOn_ = false;
};
