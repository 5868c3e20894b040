// TRomImageStore: the configuration image as the hex view `Rom` holds it.
//
// The image is the view's own data buffer: bytes are read and written raw
// (no change marks, undo entries or modified flag), the one sizing grows the
// empty buffer to 64 zero bytes as an "Append Buffer" step of the view, and a
// repaint request repaints the view.
//
// The view could change its buffer's size by its own commands (deleting,
// inserting, undoing the sizing). After the sizing the view's data size is
// fixed and insert mode is switched off; should the buffer still come to hold
// other than 64 bytes, the next access gives it back exactly 64 (bytes kept
// from the start, any missing ones 0), so that no access ever goes beyond it.
#pragma once

#include "model/rom_image.h"

class THexViewEx;

class TRomImageStore : public ImageStore {
 public:
  // The view may be set later (the window creates it after the store).
  explicit TRomImageStore(THexViewEx* view = nullptr) : view_(view) {}

  THexViewEx* View() const { return view_; }
  void SetView(THexViewEx* view) { view_ = view; }

  Byte GetDataAt(Integer offset) const override;
  void SetDataAt(Integer offset, Byte value) override;
  void SizeToZeroFilled() override;
  void RequestRepaint() override;

 private:
  // Gives the buffer exactly kRomSize bytes when it has any other count.
  void KeepSize() const;

  THexViewEx* view_;
};
