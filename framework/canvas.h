// TCanvas: classic drawing surface over a QPainter.
//
// A canvas is either bound to a painter (inside a control's paint, or on a
// TBitmap's image) or unbound; an unbound canvas still measures text with its
// Font, and its drawing calls do nothing.
//
// Pixel conventions (antialiasing is always off, no half-pixel offsets):
// - MoveTo/LineTo with a 1-pixel pen draws from the start point up to but not
//   including the end point: (0,0)-(10,0) sets pixels 0..9 of row 0.
// - Rectangle(x1, y1, x2, y2): with a visible pen the outline covers columns
//   x1 and x2-1 and rows y1 and y2-1 and the brush fills the inside; with a
//   psClear pen only the brush is painted, on x1..x2-2 by y1..y2-2.
// - FillRect and FrameRect cover Left..Right-1 by Top..Bottom-1 with the brush
//   (FrameRect: a 1-pixel outline in the brush colour).
// - Ellipse and RoundRect fit inside x1..x2-1 by y1..y2-1.
// - Text: TextOut draws with the top of the character cell at y; when the brush
//   is not bsClear the text's cell is first filled with the brush colour.
// - Styled 1-pixel pens repeat: psDash 18 on 6 off, psDot 3 on 3 off,
//   psDashDot 9-6-3-6, psDashDotDot 9-3-3-3-3-3 (counted along the line).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/brush.h"
#include "framework/colors.h"
#include "framework/font.h"
#include "framework/geometry.h"
#include "framework/pen.h"

class QPainter;
class QPaintDevice;
class QImage;
class TBitmap;

class TCanvas {
 public:
  TCanvas();
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Binding. BeginPaint uses a painter owned by someone else (a paint event);
  // Attach opens and owns a painter on `device` (an image). `clip` is the area
  // being repainted, in canvas coordinates, reported by ClipRect.
  void BeginPaint(QPainter* painter, const TRect& clip);
  void EndPaint();
  void Attach(QPaintDevice* device);
  void Detach();
  bool HandleAllocated() const { return painter_ != nullptr; }
  QPainter* Painter() const { return painter_; }

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetPen(const TPen& v) { pen_ = v; }
  void SetBrush(const TBrush& v) { brush_ = v; }
  void SetFont(const TFont& v) { font_ = v; }

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // Lines and shapes.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  // Dotted focus outline: every second pixel, starting at (Left, Top), inverted.
  void DrawFocusRect(const TRect& r);

  // Pixels. Reading works on images only (clNone elsewhere).
  TColor Pixels(int x, int y) const;
  void SetPixels(int x, int y, TColor color);

  // Text (UTF-8).
  void TextOut(int x, int y, const std::string& text);
  // Draws text at (x, y) clipped to r; fills r with the brush unless bsClear.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  TSize TextExtent(const std::string& text) const;

  // Images.
  void Draw(int x, int y, const TBitmap& bitmap);  // honours bitmap transparency
  void Draw(int x, int y, const QImage& image);    // alpha-blended
  void StretchDraw(const TRect& r, const TBitmap& bitmap);
  // Copies `source`'s pixels in sourceRect (an image canvas) scaled to dest.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  // Clipping, in canvas coordinates. ClipRect is the bounding box of what may
  // currently be painted (the repaint area intersected with any clip set).
  TRect ClipRect() const;
  void SetClipRect(const TRect& r);                     // replaces the clip region
  void IntersectClipRect(const TRect& r);               // narrows it
  void ExcludeClipRect(const TRect& r);                 // removes r from it
  void SetClipRegion(const std::vector<TRect>& rects);  // union of rects
  void ResetClip();                                     // back to the whole repaint area

  // Coordinate origin and state.
  void OffsetOrigin(int dx, int dy);  // shifts what (0,0) means by (dx, dy)
  TPoint Origin() const { return origin_; }
  void Save();     // pushes pen, brush, font, clip and origin
  void Restore();  // pops them

  // Image this canvas draws on (nullptr for a paint-event canvas).
  QImage* Image() const { return image_; }

 private:
  struct State;
  void ApplyPenMode(TPenMode mode);
  void PlotSpan(int x1, int y1, int x2, int y2, bool last);
  void StyledLine(int x1, int y1, int x2, int y2);
  bool PenVisible() const;
  void FillWithBrush(const TRect& r);
  void DrawTextCell(int x, int y, const std::string& text);

  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  TPoint origin_;
  TRect paintClip_;
  QPainter* painter_ = nullptr;
  std::unique_ptr<QPainter> ownPainter_;
  QImage* image_ = nullptr;
  std::vector<State> stack_;
};
