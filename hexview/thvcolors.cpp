// THVColors and the colour arithmetic of selection painting.
#include "hexview/thvcolors.h"

void THVColors::Assign(const THVColors& source) {
  if (&source == this) return;
  const bool backgroundChanged = background_ != source.background_;
  background_ = source.background_;
  changedBackground_ = source.changedBackground_;
  changedText_ = source.changedText_;
  cursorFrame_ = source.cursorFrame_;
  offset_ = source.offset_;
  oddColumn_ = source.oddColumn_;
  evenColumn_ = source.evenColumn_;
  currentOffsetBackground_ = source.currentOffsetBackground_;
  offsetBackGround_ = source.offsetBackGround_;
  currentOffset_ = source.currentOffset_;
  grid_ = source.grid_;
  nonFocusCursorFrame_ = source.nonFocusCursorFrame_;
  if (OnChange) OnChange(*this, backgroundChanged);
}

void THVColors::Set(TColor& field, TColor v, bool isBackground) {
  if (field == v) return;
  field = v;
  if (OnChange) OnChange(*this, isBackground);
}

TColor InvertColor(TColor color) {
  return static_cast<TColor>((static_cast<uint32_t>(ColorToRGB(color)) & 0xFFFFFFu) ^ 0xFFFFFFu);
}

TColor FadeToGray(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const uint32_t sum = 74u * GetRValue(rgb) + 146u * GetGValue(rgb) + 36u * GetBValue(rgb);
  const uint8_t grey = static_cast<uint8_t>((sum % 65536u) / 256u);
  return RGB(grey, grey, grey);
}
