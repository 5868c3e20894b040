// Encoding between the parameters and the configuration image, and the
// rules that keep flags shown twice in step.
#pragma once

#include "model/parameter_set.h"
#include "model/rom_image.h"

// Writes offsets 10 to 19, 21 to 26 and 28 to 32 from the parameters and
// leaves every other byte; ends by asking for a repaint. Every numeric value
// is clamped into its range first, so the chip never receives an
// out-of-range value.
void EncodeImage(const ParameterSet& params, ImageStore& image);

// Sets every flag and numeric parameter from the image. Enabled states are
// left as they are.
void DecodeImage(const ImageStore& image, ParameterSet& params);
ParameterSet DecodeImage(const ImageStore& image);

// The flag rules alone: `source` is the control just left or clicked; only
// FUNREG, FUNREG1 or "anything else" matters.
void ApplyFlagLinks(ParameterSet& params, ParamId source);

// The flag rules followed by EncodeImage.
void LinkFlags(ParameterSet& params, ParamId source, ImageStore& image);
