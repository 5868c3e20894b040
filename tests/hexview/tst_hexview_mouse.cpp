// Hex view widget: press, drag, click on the selection, double click, wheel
// zoom and the gutter menu, through real mouse events.
#include <QMenu>
#include <QtTest>

#include "tests/hexview/hexview_widget_util.h"

namespace {

// Widget coordinates of a point inside a cell (left part of it).
QPoint At(THexViewEx& v, int col, int row, int dx = 2) {
  const TRect r = v.CellRect(col, row);
  const TPoint off = v.ClientOffset();
  return QPoint(off.X + r.Left + dx, off.Y + (r.Top + r.Bottom) / 2);
}

QPoint HexCell(THexViewEx& v, Integer index) {
  const TGridCoord c = v.GetCursorAtPos(index, false);
  return At(v, c.X, c.Y);
}

void Wheel(THexViewEx& v, int delta, Qt::KeyboardModifiers mods) {
  const QPointF p(v.width() / 2.0, v.height() / 2.0);
  QWheelEvent e(p, v.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(&v, &e);
}

void Move(THexViewEx& v, QPoint p) {
  QMouseEvent e(QEvent::MouseMove, p, v.mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                Qt::NoModifier);
  QApplication::sendEvent(&v, &e);
}

}  // namespace

class HexViewMouseTest : public QObject {
  Q_OBJECT

 private slots:
  void pressMovesTheCaretAndDragSelects() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0x11));
    THexViewEx& v = *h.view;
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 10));
    QCOMPARE(v.Data().CaretIndex(), 10);
    QVERIFY(v.Focused());
    QVERIFY(v.Selecting());
    Move(v, HexCell(v, 12));
    Move(v, HexCell(v, 20));
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 20));
    QCOMPARE(v.Data().Selection(), (THVSelection{10, 10, 20}));
    QVERIFY(!v.Selecting());
    // The separator column takes the caret to the last hex digit while dragging.
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 0));
    Move(v, At(v, v.SeparatorColumn(), 3));
    QCOMPARE(v.Col(), v.SeparatorColumn() - 1);
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, At(v, v.SeparatorColumn(), 3));
    QCOMPARE(v.Data().Selection(), (THVSelection{0, 0, 15}));
  }

  // A press on the separator itself, without dragging, puts the caret on
  // the last hex digit of that row; other buttons leave it alone.
  void pressOnTheSeparatorGoesToTheLastHexDigit() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0x11));
    THexViewEx& v = *h.view;
    QTest::mousePress(&v, Qt::RightButton, Qt::NoModifier, At(v, v.SeparatorColumn(), 4));
    QCOMPARE(v.Data().CaretIndex(), 0);
    QTest::mouseRelease(&v, Qt::RightButton, Qt::NoModifier, At(v, v.SeparatorColumn(), 4));
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, At(v, v.SeparatorColumn(), 4));
    QCOMPARE(v.Col(), v.SeparatorColumn() - 1);
    QCOMPARE(v.Row(), 4);
    QCOMPARE(v.Data().CaretIndex(), 2 * 8 + 7);
    QVERIFY(v.Data().CaretOnSecondDigit());
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, At(v, v.SeparatorColumn(), 4));
    QVERIFY(!v.Data().HasSelection());
  }

  void dragBeyondTheBottomScrollsAndKeepsSelecting() {
    ViewHost h(420, 120);
    h.Fill(std::vector<Byte>(400, 0));
    THexViewEx& v = *h.view;
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 0));
    const int lastVisible = 2 + v.VisibleRowCount() - 1;
    Move(v, QPoint(v.width() / 3, v.height() + 30));
    QTest::qWait(400);
    QVERIFY(v.TopRow() > 2);
    QVERIFY(v.Row() > lastVisible);
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, QPoint(v.width() / 3, v.height() + 30));
    const Integer reached = v.Data().CaretIndex();
    QCOMPARE(v.Data().Selection().Low, 0);
    QVERIFY(v.Data().Selection().High >= reached - 1);
    const int top = v.TopRow();
    QTest::qWait(150);
    QCOMPARE(v.TopRow(), top);  // the release stops the scrolling
  }

  void clickOnTheSelectionClearsItOnRelease() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    v.SetSelStart(4);
    v.SetSelEnd(12);
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 9));
    QCOMPARE(v.GetSelCount(), 9);  // still there while pressed
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 9));
    QCOMPARE(v.GetSelCount(), 0);
    QCOMPARE(v.Data().CaretIndex(), 9);
  }

  void doubleClickSelectsExactlyThatByte() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    QTest::mouseDClick(&v, Qt::LeftButton, Qt::NoModifier, HexCell(v, 27));
    QCOMPARE(v.Data().Selection(), (THVSelection{27, 27, 27}));
  }

  void insertModeClickRightOfARowReachesItsEnd() {
    ViewHost h;
    h.Fill(std::vector<Byte>(16, 0));
    THexViewEx& v = *h.view;
    v.SetInsertMode(true);
    const int lastHex = v.SeparatorColumn() - 1;
    QTest::mouseClick(&v, Qt::LeftButton, Qt::NoModifier, At(v, lastHex, 3, v.CharWidth() + 3));
    QCOMPARE(v.Data().CaretIndex(), 16);  // the position after the data
    QCOMPARE(v.Col(), 2);
  }

  void wheelZoomsOrScrolls() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    Wheel(v, 120, Qt::ControlModifier);
    QCOMPARE(v.BytesPerRow(), 9);
    Wheel(v, -120, Qt::ControlModifier);
    QCOMPARE(v.BytesPerRow(), 8);
    const int size = v.Font().Size();
    Wheel(v, 120, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(v.Font().Size(), size + 1);
    v.SetBytesPerRow(1);
    v.Seek(0, 0);
    Wheel(v, -120, Qt::ControlModifier);
    QCOMPARE(v.BytesPerRow(), 1);
    QVERIFY(v.Row() > 2);  // scrolled instead
    v.Font().SetSize(2);
    Wheel(v, -120, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(v.Font().Size(), 2);
    v.SetZoomOnWheel(false);
    Wheel(v, 120, Qt::ControlModifier);
    QCOMPARE(v.BytesPerRow(), 1);
  }

  void wheelWithoutShiftEndsAKeyboardSelection() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(2, 0);
    QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(v.GetSelCount() > 0);
    Wheel(v, -120, Qt::NoModifier);
    QCOMPARE(v.Row(), 3);
    QCOMPARE(v.GetSelCount(), 0);
    QVERIFY(!v.Selecting());
  }

  void gutterMenuOpensOverTheGutterOnly() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    QMenu menu;
    menu.addAction("Offsets");
    int shown = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] { ++shown; });
    v.SetOffsetPopupMenu(&menu);
    const QPoint data = HexCell(v, 3);
    QContextMenuEvent overData(QContextMenuEvent::Mouse, data, v.mapToGlobal(data));
    QApplication::sendEvent(&v, &overData);
    QCOMPARE(shown, 0);
    const QPoint gutter = At(v, 0, 3);
    QContextMenuEvent overGutter(QContextMenuEvent::Mouse, gutter, v.mapToGlobal(gutter));
    QApplication::sendEvent(&v, &overGutter);
    QCOMPARE(shown, 1);
    menu.hide();
  }
};

QTEST_MAIN(HexViewMouseTest)
#include "tst_hexview_mouse.moc"
