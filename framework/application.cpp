#include "framework/application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <memory>

#include "framework/forms.h"

namespace {

TApplication gApplication;
TMessageBoxInterceptor gInterceptor;

void CentreOnScreen(QWidget& w) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  w.adjustSize();
  QRect area = screen->availableGeometry();
  w.move(area.center() - QPoint(w.width() / 2, w.height() / 2));
}

}  // namespace

TApplication* const Application = &gApplication;

TApplication::TApplication() = default;

TApplication::~TApplication() = default;

void TApplication::Initialize(int& argc, char** argv) {
  // Lives until the process ends: deleting it among the static destructors
  // would run after parts of Qt itself are gone.
  if (!QApplication::instance()) new QApplication(argc, argv);
}

int TApplication::Run() {
  if (!QApplication::instance()) return 0;
  if (mainForm_) mainForm_->ShowForm();
  if (terminated_) return 0;
  return QApplication::exec();
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  const std::string& title = caption.empty() ? title_ : caption;
  if (gInterceptor) return gInterceptor(text, title, flags);
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  box.setIcon(QMessageBox::NoIcon);
  box.setStandardButtons(QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  CentreOnScreen(box);
  box.exec();
  return IDOK;
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException)
    OnException(this, e);
  else
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
  MessageBox(e.what(), title_, MB_OK);
}

int ShowMessageBox(const std::string& text, const std::string& caption) {
  return Application->MessageBox(text, caption, MB_OK);
}

void SetMessageBoxInterceptor(TMessageBoxInterceptor interceptor) {
  gInterceptor = std::move(interceptor);
}
