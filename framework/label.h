// TCustomLabel: a windowless text label. Paint fills the client area with Color
// unless Transparent, then calls DoDrawText with the flags of Alignment,
// Layout, WordWrap and ShowAccelChar (disabled labels draw clBtnHighlight
// offset by one pixel under clBtnShadow). With AutoSize the label takes the
// size of its text (measured with DT_CALCRECT) after each change.
#pragma once

#include "framework/controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TWinControl* parent = nullptr);  // 65 x 17, AutoSize true

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v) { focusControl_ = v; }

 protected:
  void Paint() override;
  // Draws (or with DT_CALCRECT measures) the caption in rect.
  virtual void DoDrawText(TRect& rect, uint32_t flags);
  // The DT_ flags for the current settings (without DT_CALCRECT).
  uint32_t DrawTextFlags() const;
  virtual void AdjustBounds();
  void TextChanged() override;
  void FontChanged() override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};
