#include "app/rom_image_store.h"

#include <stdexcept>

#include "hexview/hexviewex.h"

namespace {

// Grows or cuts the buffer to exactly kRomSize bytes, with the size policy
// opened only for that one change.
void ResizeToRom(THexViewEx& view) {
  view.SetNoSizeChange(false);
  view.SetDataSize(kRomSize);
  view.SetNoSizeChange(true);
  view.SetAllowInsertMode(false);
}

void CheckOffset(Integer offset) {
  if (offset < 0 || offset >= kRomSize) throw std::out_of_range("image offset");
}

}  // namespace

void TRomImageStore::KeepSize() const {
  if (view_->DataSize() != kRomSize) ResizeToRom(*view_);
}

Byte TRomImageStore::GetDataAt(Integer offset) const {
  CheckOffset(offset);
  KeepSize();
  return view_->GetDataAt(offset);
}

void TRomImageStore::SetDataAt(Integer offset, Byte value) {
  CheckOffset(offset);
  KeepSize();
  view_->SetDataAt(offset, value);
}

void TRomImageStore::SizeToZeroFilled() {
  if (view_->DataSize() == 0) {
    // The view's one recorded size change: "Append Buffer" of 64 zero bytes.
    view_->SetDataSize(kRomSize);
  } else {
    KeepSize();
    for (Integer i = 0; i < kRomSize; ++i) view_->SetDataAt(i, 0);
  }
  view_->SetNoSizeChange(true);
  view_->SetAllowInsertMode(false);
}

void TRomImageStore::RequestRepaint() {
  view_->Invalidate();
}
