// TFormatSelDialog: "Select Data Format", asked when pasted or dropped data
// offers several accepted formats. Built at run time: a quarter of the
// screen wide and high, centred on its owner's window; the list of offered
// formats, the "Hex Text" check box (enabled for text only), "OK" and
// "Cancel". The format chosen last is preselected the next time (kept
// while the program runs).
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "hexview/hvclipformats.h"

class QCheckBox;
class QListWidget;
class QPushButton;

class TFormatSelDialog : public QDialog {
 public:
  TFormatSelDialog(QWidget* owner, const std::vector<THVClipFormat>& formats, bool hexText);

  // Modal; true when the user accepted with a format selected. Then the
  // choice is remembered for the next time.
  bool Execute();
  THVClipFormat Selected() const;
  bool HexText() const;

  QListWidget* List() const { return list_; }
  QCheckBox* HexTextBox() const { return hexText_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Replaces the modal loop (for tests and scripted use): gets the laid
  // out dialog and answers whether it was accepted.
  using TExecuteInterceptor = std::function<bool(TFormatSelDialog&)>;
  static void SetExecuteInterceptor(TExecuteInterceptor interceptor);
  // Forgets the last choice.
  static void ResetLastChoice();

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void LayOut();
  void UpdateControls();

  std::vector<THVClipFormat> formats_;
  QListWidget* list_;
  QCheckBox* hexText_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
