// The main window as it is painted: the status bar's gradient and divider,
// where the spin edits end their text, the focus in the flag list, a tool
// button dragged off, the unit labels beside the pulse edits, the label
// boxes in the dialog font, and maximising.
#include <QApplication>
#include <QTest>

#include "tests/app/window_panels.h"
#include "tests/app/window_test_util.h"
#include "widgets/nvchklst.h"
#include "widgets/nvcommon.h"
#include "widgets/nvlabel.h"
#include "widgets/nvspnedt.h"

namespace {

TColor Pixel(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)), static_cast<Byte>(qBlue(p)));
}

// The window as it is on the screen.
QImage Shot(TForm1& form) {
  QApplication::processEvents();
  return form.grab().toImage();
}

QPoint InWindow(TForm1& form, TControl* control, int x, int y) {
  return control->mapTo(&form, QPoint(x, y));
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// Pixels of `color` inside a control's bounds in a shot of the window.
int CountIn(TForm1& form, const QImage& shot, TControl* control, TColor color) {
  int n = 0;
  for (int y = 0; y < control->Height(); ++y)
    for (int x = 0; x < control->Width(); ++x) {
      const QPoint p = InWindow(form, control, x, y);
      n += Pixel(shot, p.x(), p.y()) == color;
    }
  return n;
}

}  // namespace

class WindowPixelsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void statusBarRunsItsGradientWithOneDivider() {
    SimWindow w;
    TForm1& form = w.Create();
    QCOMPARE(form.NvStatusBar1->VisualStyle(), vsGradient);
    QCOMPARE(form.NvStatusBar1->BorderWidth(), 0);
    const QImage shot = Shot(form);
    const int top = form.NvStatusBar1->Top();  // 368
    // Top row to bottom row: DarkerColor(clBtnFace, 20) to clWindow, growing
    // lighter row by row, the same across the bar where no text is.
    QCOMPARE(Pixel(shot, 450, top), ColorToRGB(DarkerColor(clBtnFace, 20)));
    QCOMPARE(Pixel(shot, 450, top + 18), ColorToRGB(clWindow));
    for (int y = top + 1; y < top + 19; ++y) {
      QVERIFY(GetGValue(Pixel(shot, 450, y)) >= GetGValue(Pixel(shot, 450, y - 1)));
      QCOMPARE(Pixel(shot, 330, y), Pixel(shot, 450, y));
    }
    // The second pane draws its divider at bar x = 101 from y = 2 to 16;
    // the first pane none, and no pane a frame.
    const TColor divider = ColorToRGB(DarkerColor(clBtnFace, 40));
    for (int y = 0; y < 19; ++y) {
      const bool onLine = y >= 2 && y <= 16;
      QCOMPARE(Pixel(shot, 101, top + y) == divider, onLine);
      for (int x : {0, 1, 2, 99, 100, 102, 320, 321})
        QCOMPARE(Pixel(shot, x, top + y), Pixel(shot, 450, top + y));
    }
  }

  void spinEditTextEndsAtTheRightMargin() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.FUNREG1));  // no edit shows a selection
    TNvSpinEdit* edits[] = {form.DB,  form.ST,       form.BT,       form.MDL,    form.MDR,
                            form.DZ,  form.P1MD,     form.P2MD,     form.P1T,    form.P2T,
                            form.P3T, form.edtPMINL, form.edtPMAXL, form.edtPMID};
    // Every text ends in a "4": 244, 4, or 1004 and 2004 for the pulse limits.
    for (TNvSpinEdit* edit : edits) edit->SetValue(edit->Max() >= 244 ? 244 : 4);
    form.edtPMINL->SetValue(1004);
    form.edtPMAXL->SetValue(2004);
    const QFontMetrics fm(form.DB->Font().ToQFont());
    const int bearing = fm.horizontalAdvance('4') - 1 - fm.boundingRect(QChar('4')).right();
    const QImage shot = Shot(form);
    for (TNvSpinEdit* edit : edits) {
      int last = -1;
      for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 52; ++x) {  // the client left of the buttons
          const QPoint p = InWindow(form, edit, 2 + x, 2 + y);
          if (qGray(shot.pixel(p)) < 128) last = std::max(last, x);
        }
      // 19 pixels of margin in a 69-pixel client: the text ends at x = 50.
      QVERIFY2(std::abs(last - (49 - bearing)) <= 1, edit->Name().c_str());
      QVERIFY2(last < 50, edit->Name().c_str());
    }
  }

  void tabbingIntoTheFlagListShowsTheFocusOnItsFirstItem() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(FocusOn(form, form.P1MD));
    QCOMPARE(form.FUNREG1->ItemIndex(), -1);
    const QImage before = Shot(form);
    PressKey(Qt::Key_Tab);
    QCOMPARE(FocusedControl(), static_cast<TWinControl*>(form.FUNREG1));
    QCOMPARE(form.FUNREG1->ItemIndex(), -1);  // nothing selected by the focus
    const QImage after = Shot(form);
    // The dotted rectangle on item 0's row right of the glyph (x 21..144,
    // y 0..16) and nowhere in the other rows.
    auto changed = [&](int x0, int y0, int x1, int y1) {
      int n = 0;
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
          const QPoint p = InWindow(form, form.FUNREG1, x, y);
          n += before.pixel(p) != after.pixel(p);
        }
      return n;
    };
    QVERIFY(changed(21, 0, 144, 0) > 40);    // top edge, every other pixel
    QVERIFY(changed(21, 16, 144, 16) > 40);  // bottom edge
    QVERIFY(changed(21, 1, 21, 15) > 5);     // left edge
    QCOMPARE(changed(0, 17, 144, 64), 0);
  }

  void toolButtonDraggedOffWithTheButtonHeldIsDrawnUp() {
    SimWindow w;
    TForm1& form = w.Create();
    TNvToolButton* read = form.BtnFind;
    const TColor frame = ColorToRGB(clHighlight);
    QCOMPARE(CountIn(form, Shot(form), read, frame), 0);  // at rest
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(read, &enter);
    SendMouse(read, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(CountIn(form, Shot(form), read, frame) > 50);  // pressed: the box
    SendMouse(read, QEvent::MouseMove, {10, 60}, Qt::NoButton, Qt::LeftButton);
    const QImage off = Shot(form);
    QCOMPARE(CountIn(form, off, read, frame), 0);  // no hot box
    // No hot fill either: the button shows the toolbar's own gradient.
    const QPoint inside = InWindow(form, read, read->Width() - 3, 4);
    const QPoint beside = InWindow(form, form.NvToolbar1, 300, inside.y());
    QCOMPARE(Pixel(off, inside.x(), inside.y()), Pixel(off, beside.x(), beside.y()));
    // Back on it, still held: pressed again.
    SendMouse(read, QEvent::MouseMove, {12, 10}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(CountIn(form, Shot(form), read, frame) > 50);
    SendMouse(read, QEvent::MouseMove, {12, 70}, Qt::NoButton, Qt::LeftButton);
    SendMouse(read, QEvent::MouseButtonRelease, {12, 70}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(CountIn(form, Shot(form), read, frame), 0);
  }

  void unitLabelsStayBeneathThePulseEdits() {
    SimWindow w;
    TForm1& form = w.Create();
    const QImage shot = Shot(form);
    for (auto [edit, label] : {std::pair{form.edtPMINL, form.lbl4}, {form.edtPMAXL, form.lbl5}}) {
      QCOMPARE(label->Left(), edit->Left() + edit->Width() - 1);  // one column shared
      // The edit's right column is its sunken edge from top to bottom, with
      // no ink of the label's "us" in it.
      for (int y = 1; y < edit->Height(); ++y) {
        const QPoint p = InWindow(form, edit, edit->Width() - 1, y);
        QCOMPARE(Pixel(shot, p.x(), p.y()), ColorToRGB(clBtnHighlight));
      }
      // The label itself shows right of it.
      int ink = 0;
      for (int y = 0; y < label->Height(); ++y)
        for (int x = 1; x < label->Width(); ++x) {
          const QPoint p = InWindow(form, label, x, y);
          ink += Pixel(shot, p.x(), p.y()) != ColorToRGB(clBtnHighlight);
        }
      QVERIFY(ink > 10);
    }
  }

  void labelBoxesComeWithinAFewPixelsOfTheirDesign() {
    SimWindow w;
    TForm1& form = w.Create();
    struct Row {
      TNvLabel* label;
      int width;
    } rows[] = {
        {form.NvLabel1, 69},  {form.NvLabel2, 76},  {form.NvLabel3, 43},  {form.NvLabel4, 68},
        {form.NvLabel5, 70},  {form.NvLabel6, 69},  {form.lbl1, 32},      {form.lbl7, 35},
        {form.lbl3, 32},      {form.lbl4, 14},      {form.lbl5, 14},      {form.NvLabel11, 60},
        {form.NvLabel12, 60}, {form.NvLabel13, 58}, {form.NvLabel14, 58}, {form.NvLabel15, 58},
        {form.NvLabel16, 26}, {form.NvLabel17, 59}, {form.NvLabel18, 24}};
    const QImage shot = Shot(form);
    const TColor white = ColorToRGB(clBtnHighlight);
    for (const Row& row : rows) {
      TNvLabel* label = row.label;
      QVERIFY(label->AutoSize());  // sized by the font, not set by hand
      QCOMPARE(label->Height(), 13);
      QVERIFY2(std::abs(label->Width() - row.width) <= 3, label->Name().c_str());
      if (!label->Showing()) continue;
      // The painted white box: its top row is as wide as the label.
      const QPoint origin = InWindow(form, label, 0, 0);
      int width = 0;
      while (Pixel(shot, origin.x() + width, origin.y()) == white) ++width;
      QVERIFY2(std::abs(width - row.width) <= 3, label->Name().c_str());
    }
  }

  void maximisingLetsTheBarsFollowAndRestoringReturnsToTheDesign() {
    SimWindow w;
    TForm1& form = w.Create();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.showMaximized();
    QTRY_VERIFY(form.ClientWidth() > 499 && form.ClientHeight() > 387);
    const int width = form.ClientWidth(), height = form.ClientHeight();
    QCOMPARE(form.NvToolbar1->BoundsRect(), Rect(0, 0, width, 29));
    QCOMPARE(form.NvStatusBar1->BoundsRect(), Rect(0, height - 19, width, height));
    QCOMPARE(form.NvGroupBar1->BoundsRect(), Rect(0, 29, width, height - 19));
    form.showNormal();
    QTRY_COMPARE(form.ClientWidth(), 499);
    QCOMPARE(form.ClientHeight(), 387);
    QCOMPARE(form.NvStatusBar1->BoundsRect(), Rect(0, 368, 499, 387));
  }
};

QTEST_MAIN(WindowPixelsTest)
#include "window_pixels_test.moc"
