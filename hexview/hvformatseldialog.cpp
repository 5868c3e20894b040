// TFormatSelDialog: layout and choice.
#include "hexview/hvformatseldialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <optional>

namespace {

std::optional<THVClipFormat> lastChoice;
TFormatSelDialog::TExecuteInterceptor interceptor;

}  // namespace

TFormatSelDialog::TFormatSelDialog(QWidget* owner, const std::vector<THVClipFormat>& formats,
                                   bool hexText)
    : QDialog(owner ? owner->window() : nullptr), formats_(formats) {
  setWindowTitle("Select Data Format");
  list_ = new QListWidget(this);
  for (THVClipFormat f : formats_) list_->addItem(QString::fromStdString(HVClipFormatName(f)));
  hexText_ = new QCheckBox("Hex Text", this);
  hexText_->setChecked(hexText);
  ok_ = new QPushButton("OK", this);
  ok_->setDefault(true);
  cancel_ = new QPushButton("Cancel", this);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });

  int row = 0;
  for (size_t i = 0; i < formats_.size(); ++i)
    if (lastChoice && formats_[i] == *lastChoice) row = static_cast<int>(i);
  if (!formats_.empty()) list_->setCurrentRow(row);

  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  resize(area.width() / 4, area.height() / 4);
  const QWidget* form = owner ? owner->window() : nullptr;
  const QRect around = form ? form->frameGeometry() : area;
  move(around.center() - rect().center());
  LayOut();
  UpdateControls();
}

void TFormatSelDialog::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  LayOut();
}

void TFormatSelDialog::LayOut() {
  const int w = width(), h = height();
  const int buttonHeight = ok_->sizeHint().height();
  const int boxHeight = hexText_->sizeHint().height();
  list_->setGeometry(0, 0, w, std::max(0, h - buttonHeight - boxHeight - 24));
  hexText_->setGeometry(16, list_->height() + 8, w - 32, boxHeight);
  const int buttonWidth = std::max(0, w / 2 - 32);
  const int top = h - 8 - buttonHeight;
  ok_->setGeometry(16, top, buttonWidth, buttonHeight);
  cancel_->setGeometry(w - 16 - buttonWidth, top, buttonWidth, buttonHeight);
}

void TFormatSelDialog::UpdateControls() {
  const int row = list_->currentRow();
  ok_->setEnabled(list_->count() > 0);
  hexText_->setEnabled(row >= 0 && HVIsTextClipFormat(formats_[row]));
}

THVClipFormat TFormatSelDialog::Selected() const {
  const int row = list_->currentRow();
  return row >= 0 ? formats_[row] : hcfPrivate;
}

bool TFormatSelDialog::HexText() const {
  return hexText_->isChecked();
}

bool TFormatSelDialog::Execute() {
  const bool accepted = interceptor ? interceptor(*this) : exec() == QDialog::Accepted;
  if (!accepted || list_->currentRow() < 0) return false;
  lastChoice = Selected();
  return true;
}

void TFormatSelDialog::SetExecuteInterceptor(TExecuteInterceptor i) {
  interceptor = std::move(i);
}

void TFormatSelDialog::ResetLastChoice() {
  lastChoice.reset();
}
