// TFindDialog: the Find and Replace dialogs of zn4417hex: the text or hex
// bytes to find, ignore case, a wildcard character, the direction and, for
// Replace, what to put in. Find Next is the default button in both.
#pragma once

#include <QDialog>

#include "hexedit/hexedit_search.h"

class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;

class TFindDialog : public QDialog {
 public:
  TFindDialog(QWidget* owner, const THexEditFindOptions& options, bool replace);
  THexEditFindOptions Options() const;
  // The button the dialog was closed with.
  THexEditSearch::TAnswer Answer() const { return answer_; }

  QLineEdit* FindText() const { return find_; }
  QRadioButton* Backward() const { return backward_; }

 private:
  // Ignore case, the wildcard and the direction.
  void AddOptionRows(QFormLayout* form, const THexEditFindOptions& o);
  // Find Next (the default), Replace and Replace All for the Replace dialog, Cancel.
  QDialogButtonBox* Buttons(bool replace);
  void Close(THexEditSearch::TAnswer answer);

  QLineEdit* find_;
  QCheckBox* hex_;
  QCheckBox* ignoreCase_;
  QCheckBox* useWildcard_;
  QLineEdit* wildcard_;
  QRadioButton* forward_;
  QRadioButton* backward_;
  QLineEdit* replacement_ = nullptr;
  QCheckBox* replacementHex_ = nullptr;
  THexEditSearch::TAnswer answer_ = THexEditSearch::faCancel;
};
