// Nvcommon: frames and borders drawn with lines and pixels.
//
// Rectangles are half-open (Right and Bottom one past the last pixel). A line
// from (x1, y1) to (x2, y2) is drawn with a 1-pixel pen and leaves out its end
// point. A colour argument of clNone suppresses the lines it would colour.
// The border painters return the rectangle left inside what they drew, so
// callers chain them: outer frame, band, inner frame, client fill. Empty or
// inverted rectangles draw nothing visible and come back shrunk.
#pragma once

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/geometry.h"
#include "framework/types.h"
#include "widgets/nvcommon_types.h"

class TControl;

// Upper-left (left and top sides) and lower-right (right and bottom sides)
// frame colours by TFrameStyle (fsNone..fsFlatBold).
extern const TColor ULFrameColor[FrameStyleCount];
extern const TColor LRFrameColor[FrameStyleCount];

// Pixels a style takes from each side it is drawn on: fsNone 0, fsFlat 1,
// fsStatus and fsPopup bevelWidth, every other style 2.
Integer FrameStyleWidth(TFrameStyleEx style, Integer bevelWidth);

// One 1-pixel ring on `sides` (UL on left/top, LR on right/bottom, drawn last).
TRect DrawSides(TCanvas& canvas, const TRect& rect, TColor ulColor, TColor lrColor, TSides sides);
// `width` rings of DrawSides, each inside the previous one.
TRect DrawBevel(TCanvas& canvas, const TRect& rect, TColor ulColor, TColor lrColor, Integer width,
                TSides sides);
// Two rings of the 3-D edge (raised or lowered).
TRect DrawCtl3DBorder(TCanvas& canvas, const TRect& rect, bool lowered);
TRect DrawCtl3DBorderSides(TCanvas& canvas, const TRect& rect, bool lowered, TSides sides);
// Two rings of the push-button edge (up or down).
TRect DrawButtonBorder(TCanvas& canvas, const TRect& rect, bool down);
TRect DrawButtonBorderSides(TCanvas& canvas, const TRect& rect, bool down, TSides sides);
// A button edge whose colours derive from one colour.
TRect DrawColorButtonBorder(TCanvas& canvas, const TRect& rect, TColor color, bool down);
TRect DrawColorButtonBorderSides(TCanvas& canvas, const TRect& rect, TColor color, bool down,
                                 TSides sides);
// A frame style in system colours (fsNone..fsFlatBold).
TRect DrawBorder(TCanvas& canvas, const TRect& rect, TFrameStyleEx style);
TRect DrawBorderSides(TCanvas& canvas, const TRect& rect, TFrameStyleEx style, TSides sides);
// A frame style in colours derived from `color` (fsNone..fsFlatBold).
TRect DrawColorBorder(TCanvas& canvas, const TRect& rect, TColor color, TFrameStyleEx style);
TRect DrawColorBorderSides(TCanvas& canvas, const TRect& rect, TColor color, TFrameStyleEx style,
                           TSides sides);
// A 1-pixel outline.
TRect DrawBox(TCanvas& canvas, const TRect& rect, TColor color);
// The four corners of an outline, each leg `length` pixels.
TRect DrawBoxCorners(TCanvas& canvas, const TRect& rect, TColor color, Integer length);
// A dotted outline (leaves the canvas pen dotted).
TRect DrawDashedBorder(TCanvas& canvas, const TRect& rect, TColor color);
// Every second pixel of the outline, starting with the second, set to black.
TRect DrawFocusBorder(TCanvas& canvas, const TRect& rect);
// A flat outline whose corners are cut by one pixel.
TRect DrawRoundedFlatBorder(TCanvas& canvas, const TRect& rect, TColor color, TSides sides);

// The border composer of panels, labels, toolbars, status bars and the group
// bar: outer style, a band of borderWidth in borderColor, inner style.
// The flat styles use AdjustColor(flatColor, flatColorAdjustment).
TRect DrawInnerOuterBorders(TCanvas& canvas, const TRect& rect, TFrameStyleEx borderOuter,
                            TFrameStyleEx borderInner, Integer borderWidth, TSides borderSides,
                            Integer bevelWidth, TColor borderColor, TColor borderHighlight,
                            TColor borderShadow, TColor flatColor, Integer flatColorAdjustment,
                            TColor color, TColor parentColor, bool transparent,
                            bool softFlat = false);

// The non-client frame of an edit or list box on the canvas of the whole
// window (0, 0, width, height).
void DrawFrame(TCanvas& canvas, Integer width, Integer height, TFrameStyleEx style, TColor color,
               TColor frameColor, TSides sides, bool keepBackground = false);

// Asks for a repaint of the window's frame area `rect` (whole-control
// coordinates) when the window is on screen.
void InvalidateWindowFrame(TControl* window, const TRect& rect);

// A 2-pixel gradient ring just inside `rect`; nothing on a 256-colour screen.
// Leaves the canvas without clipping.
void DrawHighlightBox(TCanvas& canvas, const TRect& rect, TGradientDirection direction,
                      TColor startColor, TColor stopColor);

// The check mark: seven columns (x+3 .. x+9) three pixels deep, lowest at
// column x+5 (rows y+7 .. y+9); (x, y) is the glyph's top-left corner.
void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color);

// The owner-drawn check-box glyph in `rect` (13 x 13 in this program): frame,
// fill by display state, tick or grey square, hot ring.
void DrawCheckBox(TCanvas& canvas, const TRect& rect, TCheckBoxState state,
                  TNvButtonDisplayState displayState, bool focused,
                  TNvButtonHotTrackStyle hotTrackStyle, TColor frameColor, TColor checkColor,
                  TColor fillColor, TColor focusColor, TColor disabledColor, TColor hotStartColor,
                  TColor hotStopColor, bool readOnly, bool readOnlyColorOnFocus,
                  TColor readOnlyColor);
