// TGotoDialog: layout and the check on OK.
#include "hexedit/goto_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "hexedit/goto_offset.h"

TGotoDialog::TGotoDialog(QWidget* owner, Integer caret, Integer dataSize)
    : QDialog(owner), caret_(caret), dataSize_(dataSize) {
  setWindowTitle("Go to Offset");
  auto* label = new QLabel("&Offset (0x100, 100h, 256; +0x40, -16 from the caret):");
  offset_ = new QLineEdit;
  label->setBuddy(offset_);
  message_ = new QLabel;
  message_->setStyleSheet("color: #a00000");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &TGotoDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(offset_, &QLineEdit::textEdited, message_, &QLabel::clear);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(offset_);
  layout->addWidget(message_);
  layout->addWidget(buttons);
  offset_->setFocus();
}

QString TGotoDialog::Message() const {
  return message_->text();
}

void TGotoDialog::accept() {
  const THexGotoResult r = ParseGotoOffset(offset_->text().toStdString(), caret_, dataSize_);
  if (!r.ok) {
    message_->setText(QString::fromStdString(r.error));
    offset_->selectAll();
    offset_->setFocus();
    return;
  }
  target_ = r.target;
  QDialog::accept();
}
