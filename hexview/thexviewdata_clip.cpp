// THexViewData: placing pasted and dropped bytes.
#include <algorithm>
#include <vector>

#include "hexview/thexviewdata.h"

void THexViewData::PasteData(const Byte* buffer, Integer count, const std::string& description) {
  if (!buffer || count <= 0) return;
  if (!HasSelection()) {
    const Integer unit = std::max(1, bytesPerUnit_);
    const Integer caret = std::max(0, caretIndex_);
    MoveCaret(caret - caret % unit, caretInCharField_);
    if (IsFileSizeFixed()) {
      if (caretIndex_ >= DataSize()) return;  // nothing to overwrite
      SetSelection(caretIndex_, caretIndex_, std::min(DataSize() - 1, caretIndex_ + count - 1));
    }
  }
  ReplaceSelection(buffer, count, description, true);
}

bool THexViewData::DropData(const Byte* buffer, Integer count, Integer position, bool ownMove,
                            const std::string& description) {
  if (!buffer || count <= 0 || position < 0) return false;
  // The bytes may be the selection itself, which the move deletes first.
  const std::vector<Byte> bytes(buffer, buffer + count);
  if (ownMove && HasSelection()) {
    movingOwnData_ = true;
    struct Restore {
      bool& flag;
      ~Restore() { flag = false; }
    } restore{movingOwnData_};
    const Integer low = selection_.Low, high = selection_.High;
    if (position > high)
      position -= high - low + 1;
    else if (position > low)
      position = low;  // inside the selection: where it starts
    DeleteSelection(description);
    if (position >= DataSize())
      AppendBuffer(bytes.data(), count, description, true);
    else
      InsertBuffer(bytes.data(), count, position, description, true);
    return true;
  }
  if (position >= DataSize()) {
    if (IsFileSizeFixed()) return false;
    AppendBuffer(bytes.data(), count, description, true);
  } else if (IsSelected(position)) {
    ReplaceSelection(bytes.data(), count, description, true);
  } else if (!IsFileSizeFixed()) {
    InsertBuffer(bytes.data(), count, position, description, true);
  } else {
    Replace(bytes.data(), position, count, count, description, false);
  }
  return true;
}
