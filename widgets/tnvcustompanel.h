// TNvCustomPanel: the widget set's bordered panel, base of the toolbar and the
// status bar.
//
// The panel draws its own frame (an outer style, a BorderWidth band and an
// inner style through DrawInnerOuterBorders) on the sides in BorderSides, then
// fills the inside with Color (vsClassic, vsWinXP) or a gradient (vsGradient),
// an optional design grid, its caption and finally OnPaint. Children aligned
// inside it are laid out inside the frames and the band.
//
// A panel that is disabled remembers which children were enabled and gives
// them back their state when it is enabled again. A bottom-aligned panel
// keeps its bottom edge when its height changes, a right-aligned one its right
// edge. Without FullRepaint only the strips uncovered at the right and bottom
// edges are repainted on a resize.
#pragma once

#include <QPointer>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "widgets/nvcommon_types.h"

enum TNvGridStyle : uint8_t { gsLines, gsDots };

class TNvCustomPanel : public TCustomControl {
 public:
  explicit TNvCustomPanel(TWinControl* parent = nullptr);
  ~TNvCustomPanel() override;

  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  void SetBorderOuter(TFrameStyleEx v);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  void SetBorderInner(TFrameStyleEx v);
  TSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TSides v);
  Integer BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(Integer v);
  Integer BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(Integer v);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v);
  TColor BorderHighlight() const { return borderHighlight_; }
  void SetBorderHighlight(TColor v);
  TColor BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(TColor v);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor v);
  Integer FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(Integer v);

  TNvVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TNvVisualStyle v);
  TNvGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TNvGradientColorStyle v);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor v);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor v);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection v);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool PaintClientArea() const { return paintClientArea_; }
  void SetPaintClientArea(bool v);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool v);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TNvAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  void SetAlignmentVertical(TNvAlignmentVertical v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  Integer TextMargin() const { return textMargin_; }
  void SetTextMargin(Integer v);
  Integer TextMarginVertical() const { return textMarginVertical_; }
  void SetTextMarginVertical(Integer v);

  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool v);
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor v);
  TNvGridStyle GridStyle() const { return gridStyle_; }
  void SetGridStyle(TNvGridStyle v);
  Integer GridXSize() const { return gridXSize_; }
  void SetGridXSize(Integer v);
  Integer GridYSize() const { return gridYSize_; }
  void SetGridYSize(Integer v);

  void SetEnabled(bool v) override;
  void SetBounds(int left, int top, int width, int height) override;

  // The colour of flat frames: the gradient frame colour for vsGradient with
  // a non-custom colour style (adjustment 0), else FlatColor with
  // FlatColorAdjustment.
  void GetFrameColor(TColor& color, Integer& adjustment) const;
  // The rectangle inside the frames (not the BorderWidth band).
  TRect InsideFrameRect() const;

  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& r) const override;
  bool ErasesBackground() const override;
  // The two colours of the vsGradient fill (top or left first).
  virtual void GetGradientColors(TColor& start, TColor& stop) const;
  // Called after BorderOuter, BorderInner or BorderSides took a new value.
  virtual void BordersChanged() {}
  // Called after VisualStyle or GradientColorStyle took a new value.
  virtual void VisualStyleChanged() {}
  // The strip width (x) and height (y) repainted at the right and bottom
  // edges after a resize without FullRepaint.
  virtual TPoint ResizeStripSize() const { return {1, 1}; }
  // Draws the frames and the inside; returns the rectangle inside the frames.
  TRect PaintPanel();
  void DrawGrid(const TRect& r);
  void DrawCaptionText(const TRect& r);
  // Repaints and lays the children out again (geometry changed).
  void FrameGeometryChanged();

 private:
  void RecordChildrenAndDisable();
  void RestoreChildren();
  void InvalidateResizeStrips(int oldWidth, int oldHeight);

  TFrameStyleEx borderOuter_ = fsRaised;
  TFrameStyleEx borderInner_ = fsNone;
  TSides borderSides_ = AllSides;
  Integer borderWidth_ = 0;
  Integer bevelWidth_ = 1;
  TColor borderColor_ = clBtnFace;
  TColor borderHighlight_ = clBtnHighlight;
  TColor borderShadow_ = clBtnShadow;
  TColor flatColor_ = clBtnShadow;
  Integer flatColorAdjustment_ = 30;
  TNvVisualStyle visualStyle_ = vsWinXP;
  TNvGradientColorStyle gradientColorStyle_ = gcsSystem;
  TColor gradientColorStart_ = clWhite;
  TColor gradientColorStop_ = clBtnFace;
  TGradientDirection gradientDirection_ = gdHorizontalEnd;
  bool transparent_ = false;
  bool paintClientArea_ = true;
  bool fullRepaint_ = true;
  TAlignment alignment_ = taCenter;
  TNvAlignmentVertical alignmentVertical_ = avCenter;
  bool wordWrap_ = true;
  Integer textMargin_ = 0;
  Integer textMarginVertical_ = 0;
  bool showGrid_ = false;
  TColor gridColor_ = clBtnShadow;
  TNvGridStyle gridStyle_ = gsDots;
  Integer gridXSize_ = 8;
  Integer gridYSize_ = 8;
  // Children and whether each was enabled when the panel was disabled.
  std::vector<std::pair<QPointer<TControl>, bool>> enabledChildren_;
  int themeHandler_ = 0;
};
