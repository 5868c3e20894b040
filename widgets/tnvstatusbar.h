// TNvStatusBar: the strip at the bottom of a window. A bordered panel that
// paints a vertical gradient (vsGradient), holds status panes aligned inside
// it, can show one SimpleCaption instead of its panes, and draws a size grip
// at its bottom-right corner when its form can be resized.
#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "widgets/tnvcustompanel.h"

class TForm;

// The area in which the panes of a status bar are aligned, for a bar whose
// client rectangle is `client`: unchanged (inset by 1 on the left, top and
// right with SimpleStatus) when the platform's visual-styles library is
// present; otherwise one pixel taller, with the top at 2 (SimpleStatus) or at
// 1 and one pixel wider on either side.
TRect StatusBarClientRect(const TRect& client, bool stylesLibraryPresent, bool simpleStatus);

class TNvStatusBar : public TNvCustomPanel {
 public:
  explicit TNvStatusBar(TWinControl* parent = nullptr);  // bottom-aligned, 19 high
  ~TNvStatusBar() override;

  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool v);
  bool ShowSizeGrip() const { return showSizeGrip_; }
  void SetShowSizeGrip(bool v);
  bool SimpleStatus() const { return simpleStatus_; }
  void SetSimpleStatus(bool v);
  const std::string& SimpleCaption() const { return simpleCaption_; }
  void SetSimpleCaption(const std::string& v);
  TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
  void SetSimpleFrameStyle(TFrameStyle v);
  bool AutoScalePanes() const { return autoScalePanes_; }
  void SetAutoScalePanes(bool v);

  // (Width - 13, 0, Width, Height).
  TRect SizeGripRect() const { return Rect(Width() - 13, 0, Width(), Height()); }
  // The grip is valid when the form can be sized by its border and is not
  // maximised.
  void ValidateSizeGrip();
  bool SizeGripValid() const { return sizeGripValid_; }
  // Over a shown, valid grip (bar client coordinates).
  bool OverSizeGrip(const TPoint& p) const;
  // Releases the mouse and lets the form be sized from its bottom-right corner.
  void StartGripSizing();
  // The standard frame and height: no frame, 19 high, no band.
  void AdjustStyle();
  void PaintSizeGrip(const TRect& r);
  void DrawSimpleStatusBorder(const TRect& r);
  // The pane area (see StatusBarClientRect).
  void AdjustStatusClientRect(TRect& r) const;

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& r) const override;
  void GetGradientColors(TColor& start, TColor& stop) const override;
  void BordersChanged() override;
  void Loaded() override;
  void Resize() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void showEvent(QShowEvent* e) override;

 private:
  TForm* ParentForm() const;
  void ScalePanes(int oldWidth, int newWidth);
  void PaintSimpleCaption();

  bool autoStyle_ = true;
  bool showSizeGrip_ = true;
  bool simpleStatus_ = false;
  std::string simpleCaption_;
  TFrameStyle simpleFrameStyle_ = fsFlat;
  bool autoScalePanes_ = false;
  bool sizeGripValid_ = false;
  bool adjusting_ = false;
  bool firstResize_ = true;
  int previousWidth_ = 0;
  // Children that were visible when SimpleStatus hid them.
  std::vector<QPointer<TControl>> hiddenPanes_;
};
