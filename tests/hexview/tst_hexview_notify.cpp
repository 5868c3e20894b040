// Hex view widget: coalesced notifications, update count, caret and colours.
#include <QtTest>

#include "framework/caret.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace

class HexViewNotifyTest : public QObject {
  Q_OBJECT

 private slots:
  void selectionChangesAreCoalesced() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0x11));
    THexViewEx& v = *h.view;
    QApplication::processEvents();
    int calls = 0;
    TObject* sender = nullptr;
    v.OnSelectionChanged = [&](TObject* s) { ++calls, sender = s; };
    v.NewSelection(1, 5);
    v.NewSelection(2, 9);
    v.SelectAll();
    v.ResetSelection(true);
    v.SelectionChanged();
    QCOMPARE(calls, 0);  // nothing before the event loop runs
    QVERIFY(v.PendingSelectionChanges() >= 4);
    QApplication::processEvents();
    QCOMPARE(calls, 1);
    QCOMPARE(sender, static_cast<TObject*>(&v));
    QCOMPARE(v.PendingSelectionChanges(), 0);
    QApplication::processEvents();
    QCOMPARE(calls, 1);
    v.FocusCell(6, 4, true);  // a caret move notifies as well
    QApplication::processEvents();
    QCOMPARE(calls, 2);
  }

  void handlerAssignedLaterStillHears() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    v.NewSelection(1, 2);  // no handler yet
    QApplication::processEvents();
    QCOMPARE(v.PendingSelectionChanges(), 0);
    int calls = 0;
    v.OnSelectionChanged = [&](TObject*) { ++calls; };
    v.NewSelection(3, 4);
    QApplication::processEvents();
    QCOMPARE(calls, 1);
  }

  void changedFiresOnChangeThenOneSelectionNotice() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    QApplication::processEvents();
    std::vector<std::string> order;
    v.OnChange = [&](TObject*) { order.push_back("change"); };
    v.OnSelectionChanged = [&](TObject*) { order.push_back("selection"); };
    v.Changed();
    v.Changed();
    QCOMPARE(order, (std::vector<std::string>{"change", "change"}));
    QApplication::processEvents();
    QCOMPARE(order, (std::vector<std::string>{"change", "change", "selection"}));
    int bookmarkCalls = 0;
    v.OnBookmarkChanged = [&](TObject*) { ++bookmarkCalls; };
    v.SetBookmarkVals(2, 10, false);
    QCOMPARE(bookmarkCalls, 1);
  }

  void updateCountHoldsThePicture() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    const TRect cell = v.CellRect(6, 3);  // first digit of byte 10
    const QImage before = h.Render().copy(ToQRect(cell));
    PaintCounter counter;
    v.installEventFilter(&counter);
    v.BeginUpdate();
    v.BeginUpdate();
    v.SetDataAt(10, 0xAB);
    v.SetChanged(10, true);
    v.Invalidate();
    QCOMPARE(h.Render().copy(ToQRect(cell)), before);  // nothing new is rendered
    v.EndUpdate();
    QCOMPARE(v.UpdateCount(), 1);
    QCOMPARE(h.Render().copy(ToQRect(cell)), before);
    counter.count = 0;
    v.EndUpdate();  // the last one repaints
    QApplication::processEvents();
    QVERIFY(counter.count > 0);
    const QImage after = h.Render().copy(ToQRect(cell));
    QVERIFY(after != before);
    QVERIFY(CountColour(after, Rect(0, 0, cell.Width(), cell.Height()), 11075583) > 0);
    v.EndUpdate();  // not below 0
    QCOMPARE(v.UpdateCount(), 0);
    v.BeginUpdate();
    QCOMPARE(v.UpdateCount(), 1);
    v.removeEventFilter(&counter);
  }

  void systemCaretFollowsTheCurrentCell() {
    ViewHost h;
    h.Fill(std::vector<Byte>(64, 0));
    THexViewEx& v = *h.view;
    h.Focus();
    QCOMPARE(CaretOwner(), static_cast<TWinControl*>(&v));
    v.FocusCell(9, 5, true);
    h.Render();
    const TRect cell = v.CellRect(9, 5);
    QCOMPARE(GetCaretPos(), cell.TopLeft());
    QCOMPARE(v.GetCursorPos(), 3 * 8 + 3);
    v.clearFocus();
    QApplication::processEvents();
    QVERIFY(CaretOwner() != static_cast<TWinControl*>(&v));
  }

  void lifecycleStartsAnEmptyDocument() {
    TForm form;
    auto* v = new THexViewEx(&form);
    QCOMPARE(v->FileName(), std::string("Untitled"));
    form.BeginLoading();
    v->SetDataSize(8);
    form.EndLoading();  // read from the description: a new empty document
    QCOMPARE(v->DataSize(), 0);
    QVERIFY(!v->GetModified());
    v->SetDataSize(64);  // the host's bytes after loading survive showing the window
    v->SetDataAt(63, 0x5A);
    form.ShowForm();
    QApplication::processEvents();
    QCOMPARE(v->DataSize(), 64);
    QCOMPARE(v->GetDataAt(63), Byte(0x5A));
    QVERIFY(v->GetModified());
    QCOMPARE(v->RowCount(), 6);
  }

  void coloursReachTheControl() {
    ViewHost h;
    THexViewEx& v = *h.view;
    QCOMPARE(v.Color(), clWindow);
    v.Colors().SetBackground(clCream);
    QCOMPARE(v.Color(), clCream);
    THVColors other;
    QCOMPARE(other.ChangedBackground(), 0xA8FFFF);
    QCOMPARE(other.CurrentOffsetBackground(), clBtnShadow);
    QCOMPARE(other.NonFocusCursorFrame(), clAqua);
    other.SetBackground(clSilver);
    v.SetColors(other);
    QCOMPARE(v.Color(), clSilver);
    QCOMPARE(v.Colors().OddColumn(), clBlue);
  }
};

QTEST_MAIN(HexViewNotifyTest)
#include "tst_hexview_notify.moc"
