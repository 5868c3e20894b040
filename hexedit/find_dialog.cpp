// TFindDialog: layout and answers.
#include "hexedit/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A text field with its hex check box beside it, as one labelled row.
void AddTextRow(QFormLayout* form, const char* caption, QLineEdit* edit, QCheckBox* hex) {
  auto* row = new QHBoxLayout;
  row->addWidget(edit, 1);
  row->addWidget(hex);
  auto* label = new QLabel(caption);
  label->setBuddy(edit);
  form->addRow(label, row);
}

}  // namespace

TFindDialog::TFindDialog(QWidget* owner, const THexEditFindOptions& o, bool replace)
    : QDialog(owner) {
  setWindowTitle(replace ? "Replace" : "Find");
  auto* form = new QFormLayout;
  find_ = new QLineEdit(QString::fromStdString(o.text));
  hex_ = new QCheckBox("&Hex bytes");
  hex_->setChecked(o.hex);
  AddTextRow(form, "Find &what:", find_, hex_);
  if (replace) {
    replacement_ = new QLineEdit(QString::fromStdString(o.replacement));
    replacementHex_ = new QCheckBox("H&ex bytes");
    replacementHex_->setChecked(o.replacementHex);
    AddTextRow(form, "Replace w&ith:", replacement_, replacementHex_);
  }
  AddOptionRows(form, o);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Buttons(replace));
  find_->selectAll();
  find_->setFocus();
}

void TFindDialog::AddOptionRows(QFormLayout* form, const THexEditFindOptions& o) {
  ignoreCase_ = new QCheckBox("Ignore &case");
  ignoreCase_->setChecked(o.ignoreCase);
  useWildcard_ = new QCheckBox("&Wildcard character:");
  useWildcard_->setChecked(o.useWildcard);
  wildcard_ = new QLineEdit(QString::fromStdString(o.wildcard));
  wildcard_->setMaxLength(1);
  wildcard_->setFixedWidth(40);
  auto* options = new QHBoxLayout;
  options->addWidget(ignoreCase_);
  options->addSpacing(16);
  options->addWidget(useWildcard_);
  options->addWidget(wildcard_);
  options->addStretch(1);
  form->addRow(options);
  forward_ = new QRadioButton("&Forward");
  backward_ = new QRadioButton("&Backward");
  (o.backward ? backward_ : forward_)->setChecked(true);
  auto* direction = new QHBoxLayout;
  direction->addWidget(new QLabel("Direction:"));
  direction->addWidget(forward_);
  direction->addWidget(backward_);
  direction->addStretch(1);
  form->addRow(direction);
}

QDialogButtonBox* TFindDialog::Buttons(bool replace) {
  auto* buttons = new QDialogButtonBox;
  auto add = [&](const char* caption, THexEditSearch::TAnswer answer, bool isDefault) {
    QPushButton* b = buttons->addButton(caption, QDialogButtonBox::ActionRole);
    b->setDefault(isDefault);
    connect(b, &QPushButton::clicked, this, [this, answer] { Close(answer); });
  };
  // Enter finds; replacing takes a deliberate click or Alt+R.
  add("Find &Next", THexEditSearch::faFind, true);
  if (replace) {
    add("&Replace", THexEditSearch::faReplace, false);
    add("Replace &All", THexEditSearch::faReplaceAll, false);
  }
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return buttons;
}

void TFindDialog::Close(THexEditSearch::TAnswer answer) {
  answer_ = answer;
  accept();
}

THexEditFindOptions TFindDialog::Options() const {
  THexEditFindOptions o;
  o.text = find_->text().toStdString();
  o.hex = hex_->isChecked();
  o.ignoreCase = ignoreCase_->isChecked();
  o.useWildcard = useWildcard_->isChecked();
  o.wildcard = wildcard_->text().toStdString();
  o.backward = backward_->isChecked();
  if (replacement_) {
    o.replacement = replacement_->text().toStdString();
    o.replacementHex = replacementHex_->isChecked();
  }
  return o;
}
