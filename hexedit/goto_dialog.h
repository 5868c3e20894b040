// TGotoDialog: Edit -> Go to Offset of zn4417hex. Takes an offset in hex,
// decimal or relative to the caret; OK with an offset outside the data (or
// no offset at all) keeps the dialog open and says why beneath the field.
#pragma once

#include <QDialog>

#include "hexview/hvtypes.h"

class QLabel;
class QLineEdit;

class TGotoDialog : public QDialog {
 public:
  TGotoDialog(QWidget* owner, Integer caret, Integer dataSize);
  // The byte to go to, once accepted.
  Integer Target() const { return target_; }
  QLineEdit* OffsetText() const { return offset_; }
  // The refusal shown beneath the field ("" while none).
  QString Message() const;

  void accept() override;

 private:
  QLineEdit* offset_;
  QLabel* message_;
  Integer caret_;
  Integer dataSize_;
  Integer target_ = -1;
};
