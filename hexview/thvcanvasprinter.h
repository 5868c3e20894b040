// THVCanvasPrinter: lays the hex view's data out as printed pages on a
// canvas and a rectangle, and draws a page.
//
// The range is the selection (pfSelectionOnly, when there is one), the rows
// the view shows (pfCurrentViewOnly) or the whole data. Lines are
// round(text height x 1.2) high (one pixel more when that rounds to the text
// height); the font shrinks until the first line fits the width. A header
// takes two line heights at the top (text and a rule below it), a footer one
// at the bottom (a rule and the text below it). Header and footer texts
// expand %p (page), %P (pages), %f (file name), %F (with path), %d and %t
// (date and time, short formats), %< and %> (short and long translation
// name); "|" splits them into a left, a centred and a right part.
#pragma once

#include <string>

#include "framework/canvas.h"
#include "framework/geometry.h"
#include "hexview/hvtypes.h"

class THexViewEx;

class THVCanvasPrinter {
 public:
  // The canvas's font is the one to print with (already scaled).
  THVCanvasPrinter(THexViewEx& view, TCanvas& canvas, const TRect& rect);

  // Measures; returns the page count (0 when no line fits or nothing is to print).
  Integer Layout();
  // Draws page (1 .. PageCount); false when it holds no line.
  bool DrawPage(Integer page);

  Integer PageCount() const { return pages_; }
  Integer LinesPerPage() const { return linesPerPage_; }
  int LineHeight() const { return lineHeight_; }
  Integer RangeStart() const { return start_; }
  Integer RangeEnd() const { return end_; }
  // The header or footer text with its placeholders filled in.
  std::string Expand(const std::string& text, Integer page) const;

 private:
  void ChooseRange();
  void FitFont();
  int DataTop() const;
  int UsableBottom() const;
  void DrawFrameText(const std::string& text, int y, Integer page);
  void DrawLine(Integer first, int y);

  THexViewEx& view_;
  TCanvas& canvas_;
  TRect rect_;
  Integer start_ = 0;
  Integer end_ = -1;
  Integer rows_ = 0;
  Integer linesPerPage_ = 0;
  Integer pages_ = 0;
  int lineHeight_ = 1;
  int cellWidth_ = 1;
  bool laidOut_ = false;
};
