// Windowless controls beneath windowed siblings, the pointer leaving a
// pressed control, and the top-level window's size limits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "framework/forms.h"
#include "framework/panel.h"
#include "tests/framework/test_support.h"

namespace {

// A windowless control that fills itself with its colour.
class Patch : public TGraphicControl {
 public:
  explicit Patch(TWinControl* parent, TColor color) : TGraphicControl(parent) { SetColor(color); }
  std::vector<std::string> log;

 protected:
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(ClientRect());
  }
  void MouseEnter() override { log.push_back("enter"); }
  void MouseLeave() override { log.push_back("leave"); }
};

// A windowed control that fills itself with its colour.
class Box : public TCustomControl {
 public:
  explicit Box(TWinControl* parent, TColor color) : TCustomControl(parent) { SetColor(color); }
};

struct Window {
  TForm form;
  Window() {
    form.SetBounds(0, 0, 200, 120);
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  TColor At(int x, int y) { return PixelAt(form.grab().toImage(), x, y); }
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(Stacking, WindowlessControlsLieBeneathWindowedSiblingsWhateverTheOrder) {
  Window w;
  Box edit(&w.form, clWhite);
  edit.SetBounds(10, 10, 73, 21);
  // Made after the edit and overlapping its right column, as a unit label
  // beside an edit: the edit still shows over it.
  Patch label(&w.form, clNavy);
  label.SetBounds(82, 12, 14, 13);
  Patch later(&w.form, clRed);
  later.SetBounds(90, 14, 10, 5);
  QApplication::processEvents();
  EXPECT_EQ(w.At(82, 15), clWhite);  // the edit's last column
  EXPECT_EQ(w.At(83, 13), clNavy);   // the label beside it
  EXPECT_EQ(w.At(92, 15), clRed);    // windowless ones keep their own order
  // Bringing a windowless control to the front lifts it over the other
  // windowless ones only.
  label.BringToFront();
  QApplication::processEvents();
  EXPECT_EQ(w.At(92, 15), clNavy);
  EXPECT_EQ(w.At(82, 15), clWhite);
  // Sending the windowed control to the back keeps it over them.
  edit.SendToBack();
  QApplication::processEvents();
  EXPECT_EQ(w.At(82, 15), clWhite);
  // A windowless control moved into a parent goes beneath its windowed children.
  Patch moved(nullptr, clLime);
  moved.SetParent(&w.form);
  moved.SetBounds(5, 12, 10, 5);
  QApplication::processEvents();
  EXPECT_EQ(w.At(12, 14), clWhite);
  EXPECT_EQ(w.At(7, 14), clLime);
}

TEST(HeldPointer, LeavingAndComingBackWithTheButtonHeldAreReportedOnce) {
  Window w;
  Patch button(&w.form, clSilver);
  button.SetBounds(20, 20, 40, 25);
  QApplication::processEvents();
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(&button, &enter);
  SendMouse(&button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&button, QEvent::MouseMove, {10, 5}, Qt::NoButton, Qt::LeftButton);
  SendMouse(&button, QEvent::MouseMove, {60, 5}, Qt::NoButton, Qt::LeftButton);  // off
  SendMouse(&button, QEvent::MouseMove, {70, 5}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(button.log, (std::vector<std::string>{"enter", "leave"}));
  SendMouse(&button, QEvent::MouseMove, {6, 6}, Qt::NoButton, Qt::LeftButton);  // back on
  EXPECT_EQ(button.log, (std::vector<std::string>{"enter", "leave", "enter"}));
  SendMouse(&button, QEvent::MouseMove, {-3, 6}, Qt::NoButton, Qt::LeftButton);
  SendMouse(&button, QEvent::MouseButtonRelease, {-3, 6}, Qt::LeftButton, Qt::NoButton);
  // The window system's own leave after the release was already reported.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(button.log, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
  // Without a held button, leaving is the window system's to report.
  QApplication::sendEvent(&button, &enter);
  SendMouse(&button, QEvent::MouseMove, {90, 6}, Qt::NoButton, Qt::NoButton);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(button.log.size(), 6u);
  EXPECT_EQ(button.log.back(), "leave");
}

TEST(FormBorder, SingleBorderWindowCanBeMaximisedAndRestoredToItsSize) {
  TForm form;
  form.SetBorderStyle(bsSingle);
  form.SetBounds(30, 40, 320, 200);
  TPanel bar(&form);
  bar.SetAlign(alBottom);
  bar.SetHeight(19);
  // A window manager offers maximising only when the size may grow; the set
  // size is the least.
  EXPECT_EQ(form.minimumSize(), QSize(320, 200));
  EXPECT_EQ(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  form.ShowForm();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.showMaximized();
  QTRY_VERIFY(form.Width() > 320);
  EXPECT_EQ(bar.Width(), form.ClientWidth());  // aligned controls follow
  EXPECT_EQ(bar.Top(), form.ClientHeight() - 19);
  form.showNormal();
  QTRY_COMPARE(form.Width(), 320);
  EXPECT_EQ(form.Height(), 200);
  EXPECT_EQ(bar.Width(), 320);
  // Dialog borders stay fixed.
  TForm dialog;
  dialog.SetBorderStyle(bsDialog);
  dialog.SetBounds(0, 0, 150, 90);
  EXPECT_EQ(dialog.minimumSize(), QSize(150, 90));
  EXPECT_EQ(dialog.maximumSize(), QSize(150, 90));
}
