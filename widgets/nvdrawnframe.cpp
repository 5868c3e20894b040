#include "widgets/nvdrawnframe.h"

#include "widgets/nvcommon_frames.h"

void TNvDrawnFrame::Paint(TCanvas& canvas, int width, int height, TColor controlColor,
                          bool hovered) const {
  const bool hot = hotTrack && hovered;
  DrawFrame(canvas, width, height, hot ? hotStyle : style, controlColor, hot ? hotColor : color,
            sides);
}
