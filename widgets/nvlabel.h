// Nvlabel: the widget set's label. The framework's label extended with the
// border composer, text styles, rotation, fly-by colour and blinking.
#pragma once

#include <cstdint>

#include "framework/label.h"
#include "framework/types.h"
#include "widgets/nvcommon_types.h"
#include "widgets/nvtextstyle.h"

enum TNvCondenseCaption { ccNone, ccAtEnd, ccWithinPath };
enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
  cpUpperLeft,
  cpUpperCenter,
  cpUpperRight,
  cpLeftCenter,
  cpCenter,
  cpRightCenter,
  cpLowerLeft,
  cpLowerCenter,
  cpLowerRight
};

// DrawText flags by TAlignment (taLeftJustify, taRightJustify, taCenter).
extern const uint32_t DrawTextAlignments[3];
// DrawText flag for WordWrap false / true.
extern const uint32_t DrawTextWordWrap[2];
// DrawText flags by TNvCondenseCaption.
extern const uint32_t CondenseCaptionFlags[3];

class TNvLabel : public TCustomLabel {
 public:
  explicit TNvLabel(TWinControl* parent = nullptr);
  ~TNvLabel() override;

  // Border.
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyleEx v);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  void SetBorderInner(TFrameStyleEx v);
  TSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TSides v);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v);
  TColor BorderHighlight() const { return borderHighlight_; }
  void SetBorderHighlight(TColor v);
  TColor BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(TColor v);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor v);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int v);

  // Text.
  TTextStyle TextStyle() const { return effects_.style; }
  void SetTextStyle(TTextStyle v);
  bool LightTextStyle() const { return effects_.lightTextStyle; }
  void SetLightTextStyle(bool v);
  TColor ShadowColor() const { return effects_.shadowColor; }
  void SetShadowColor(TColor v);
  int ShadowDepth() const { return effects_.shadowDepth; }
  void SetShadowDepth(int v);
  TColor HighlightColor() const { return effects_.highlightColor; }
  void SetHighlightColor(TColor v);
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int v);
  TNvCondenseCaption CondenseCaption() const { return condenseCaption_; }
  void SetCondenseCaption(TNvCondenseCaption v);

  // Rotation.
  TRotation Rotation() const { return rotation_; }
  void SetRotation(TRotation v);
  int Angle() const { return angle_; }  // degrees
  void SetAngle(int v);
  TCenterPoint CenterPoint() const { return centerPoint_; }
  void SetCenterPoint(TCenterPoint v);

  // Effects.
  bool FlyByEnabled() const { return flyByEnabled_; }
  void SetFlyByEnabled(bool v);
  TColor FlyByColor() const { return flyByColor_; }
  void SetFlyByColor(TColor v);
  bool Blinking() const { return blinking_; }
  void SetBlinking(bool v);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor v);
  // Shared by every label and status pane.
  Word BlinkIntervalOn() const;
  void SetBlinkIntervalOn(Word ms);
  Word BlinkIntervalOff() const;
  void SetBlinkIntervalOff(Word ms);

  // The colour the caption is drawn in now (font colour, BlinkColor during
  // a blink phase, FlyByColor under the pointer).
  TColor CurrentTextColor() const;
  // One blink phase, as the shared blink list delivers it.
  void Blink(bool on);

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void AdjustBounds() override;
  void Loaded() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The client rectangle less the band, the border styles on BorderSides and
  // TextMargin.
  TRect TextRect() const;
  uint32_t LabelTextFlags() const;

 private:
  int SideInset(TSide side) const;
  void DrawFlatText(TCanvas& canvas, const TRect& rect);
  void DrawRotatedText(TCanvas& canvas, const TRect& rect);
  void DrawCurvedText(TCanvas& canvas, const TRect& rect);
  void Changed(bool resize);

  TFrameStyleEx borderOuter_ = fsNone;
  TFrameStyleEx borderInner_ = fsNone;
  TSides borderSides_ = AllSides;
  int borderWidth_ = 0;
  int bevelWidth_ = 1;
  TColor borderColor_ = clBtnFace;
  TColor borderHighlight_ = clBtnHighlight;
  TColor borderShadow_ = clBtnShadow;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TNvTextEffects effects_;
  int textMargin_ = 0;
  TNvCondenseCaption condenseCaption_ = ccNone;
  TRotation rotation_ = roNone;
  int angle_ = 0;
  TCenterPoint centerPoint_ = cpCenter;
  bool flyByEnabled_ = false;
  TColor flyByColor_ = clHighlight;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  bool blinkOn_ = false;
  bool pointerOver_ = false;
};
