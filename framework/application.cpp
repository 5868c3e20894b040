#include "framework/application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <memory>

#include "framework/forms.h"

namespace {

TApplication gApplication;
TMessageBoxInterceptor gInterceptor;

// The modal OK box. The box settles its final size only when it is shown,
// so it is centred then, just before it appears; its one button carries no
// icon, whatever the style would give a standard button.
class TMessageDialog : public QMessageBox {
 public:
  TMessageDialog(const std::string& text, const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
    setText(QString::fromStdString(text));
    setIcon(QMessageBox::NoIcon);
    setStandardButtons(QMessageBox::Ok);
    if (QAbstractButton* ok = button(QMessageBox::Ok)) ok->setIcon(QIcon());
    setWindowModality(Qt::ApplicationModal);
  }

 protected:
  void showEvent(QShowEvent* e) override {
    QMessageBox::showEvent(e);
    CentreOnScreen();
  }

 private:
  void CentreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // A window's position is that of its frame, the size with the frame
    // where the window manager has told it.
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
  }
};

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
  TMessageDialog box(text, title);
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
