// TNvCustomGlyphButton: a button with a 13 x 13 glyph beside its caption
// (check boxes). Paints double-buffered: a cached background in Color (or
// the parent's image when Transparent), the glyph, the caption and the focus
// outline, copied to the screen in one operation.
#pragma once

#include <QImage>

#include "framework/bitmap.h"
#include "widgets/tnvcustombutton.h"

constexpr int NvGlyphSize = 13;

class TNvCustomGlyphButton : public TNvCustomButton {
 public:
  explicit TNvCustomGlyphButton(TWinControl* parent = nullptr);

  // taRightJustify: glyph on the left, caption on the right.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor v);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor v);
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor v);
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor v);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool v);
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor v);
  TColor WinMaskColor() const { return winMaskColor_; }
  void SetWinMaskColor(TColor v);
  TNvButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TNvButtonHotTrackStyle v);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  void SetUseCustomGlyphs(bool v);
  // A strip of 13 x 13 cells (see GlyphIndex); TransparentColor pixels show
  // the background.
  const QImage& CustomGlyphs() const { return customGlyphs_; }
  void SetCustomGlyphs(const QImage& strip);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool v);

  // The glyph's rectangle in client coordinates.
  TRect GlyphRect() const;
  // The caption's rectangle (client inflated by -1, beside the glyph).
  TRect CaptionRect() const;

 protected:
  void Paint() override;
  // Draws the glyph in `rect` (13 x 13).
  virtual void DrawGlyph(TCanvas& canvas, const TRect& rect) = 0;
  // The custom-glyph cell for the current state.
  virtual int GlyphIndex() const { return 0; }
  void DrawCustomGlyph(TCanvas& canvas, const TRect& rect, int index) const;
  bool GlyphOnLeft() const;

  void Resize() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void FontChanged() override { Invalidate(); }
  void TextChanged() override { Invalidate(); }
  void KeyDown(Word& key, TShiftState shift) override;
  void HotTrackChanged() override;
  void MarkBackgroundStale() { backgroundStale_ = true; }

 private:
  void PaintBackground(TCanvas& canvas);
  void PaintFocus(TCanvas& canvas, const TRect& captionRect);

  TAlignment alignment_ = taRightJustify;
  TColor frameColor_ = clBtnShadow;
  TColor disabledColor_ = clBtnFace;
  TColor focusColor_ = clWindow;
  TColor fillColor_ = clWindow;
  bool readOnly_ = false;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor transparentColor_ = 0x008080;
  TColor winMaskColor_ = 0x00FF00;
  TNvButtonHotTrackStyle hotTrackStyle_ = htsInterior;
  bool useCustomGlyphs_ = false;
  QImage customGlyphs_;
  bool tabOnEnter_ = false;
  TBitmap background_;
  bool backgroundStale_ = true;
};
