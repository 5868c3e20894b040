// Nvcommon: the widget set's shared drawing layer.
//
// This header is the unit's entry point: it brings the vocabulary
// (nvcommon_types.h), the environment decisions and gradient colour sets
// (nvcommon_env.h, nvthemesrv.h) and the frame and border painters
// (nvcommon_frames.h), and declares the colour arithmetic.
//
// Colour functions resolve system colours (0x80000000 + index) to RGB through
// ColorToRGB before they look at channels, and return literal RGB colours.
#pragma once

#include <cstdint>

#include "framework/colors.h"
#include "framework/geometry.h"
#include "widgets/nvcommon_env.h"
#include "widgets/nvcommon_frames.h"
#include "widgets/nvcommon_types.h"
#include "widgets/nvthemesrv.h"

// HSL bytes on a 0..240 scale (hue 240 is the same hue as 0).
void ColorToHSL(TColor color, Byte& H, Byte& S, Byte& L);
Byte ColorHue(TColor color);
Byte ColorSaturation(TColor color);
Byte ColorLuminance(TColor color);
// RGB of an HSL triple; the hue is divided by 239, saturation and luminance by
// 240; channels above 1.0 (luminance bytes above 240) are clamped.
TColor HSLtoColor(Byte H, Byte S, Byte L);

// Luminance lowered by Percent (not below 0) / raised by Percent (not above 255).
TColor DarkerColor(TColor color, Byte percent);
TColor LighterColor(TColor color, Byte percent);
// Negative: darker, positive: lighter, 0: the colour unchanged (a system
// colour stays a system colour). The amount is taken as a byte.
TColor AdjustColor(TColor color, Integer adjustment);
// Fore x Alpha/255 + Back x (1 - Alpha/255) per channel.
TColor BlendColors(TColor fore, TColor back, Byte alpha);
// Hues less than 20 apart and luminances less than 60 apart.
bool ColorsTooClose(TColor c1, TColor c2);
// The hue 120 away at full saturation, with the colour's own luminance or `luminance`.
TColor ComplementaryColor(TColor color);
TColor ComplementaryColor(TColor color, Byte luminance);

// The width x height rectangle centred in `rect` (truncating division).
TRect CenterRect(const TRect& rect, Integer width, Integer height);
