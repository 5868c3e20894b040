// The classic sunken 2-pixel client edge of edits, list boxes and grids:
// outer ring clBtnShadow (left, top) / clBtnHighlight (right, bottom), inner
// ring cl3DDkShadow / cl3DLight.
#pragma once

#include "framework/geometry.h"

class TCanvas;

// Draws the edge on the outermost two pixels of r; returns r shrunk by 2.
TRect DrawClientEdge(TCanvas& canvas, const TRect& r);
