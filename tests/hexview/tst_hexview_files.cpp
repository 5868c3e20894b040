// Hex view widget: the cursor stack around loading and saving, and the
// progress event seen from the widget.
#include <QtTest>
#include <sstream>

#include "hexview/ehexview.h"
#include "tests/hexview/hexview_widget_util.h"

class HexViewFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void nestedWaitCursorsRestoreInReverseOrder() {
    ViewHost h;
    THexViewEx& v = *h.view;
    v.SetCursor(crIBeam);
    v.WaitCursor();
    QCOMPARE(v.Cursor(), crHourGlass);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    v.SetCursor(crCross);  // changed while waiting: the inner pair brings it back
    v.WaitCursor();
    QCOMPARE(v.Cursor(), crHourGlass);
    v.OldCursor();
    QCOMPARE(v.Cursor(), crCross);
    v.OldCursor();
    QCOMPARE(v.Cursor(), crIBeam);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    v.OldCursor();  // nothing left to restore
    QCOMPARE(v.Cursor(), crIBeam);
    QCOMPARE(v.WaitCursorDepth(), 0);
  }

  void loadShowsTheHourglassAndReportsItsProgress() {
    ViewHost h;
    THexViewEx& v = *h.view;
    v.SetCursor(crIBeam);
    std::vector<int> percents;
    std::vector<TCursor> cursors;
    v.OnProgress = [&](TObject* sender, THVProgressKind kind, const std::string&, Byte percent,
                       bool&) {
      QCOMPARE(sender, static_cast<TObject*>(&v));
      QCOMPARE(kind, pkLoad);
      percents.push_back(percent);
      cursors.push_back(v.Cursor());
    };
    std::istringstream in(std::string(200000, 'a'));
    v.LoadFromStream(in);
    QCOMPARE(percents, (std::vector<int>{0, 31, 61, 100}));
    QCOMPARE(cursors, std::vector<TCursor>(4, crHourGlass));
    QCOMPARE(v.Cursor(), crIBeam);
    QCOMPARE(v.DataSize(), 200000);
    QCOMPARE(v.RowCount(), 200000 / 8 + 2);
  }

  void aCancelledLoadStillRestoresTheCursor() {
    ViewHost h;
    THexViewEx& v = *h.view;
    v.SetCursor(crIBeam);
    v.OnProgress = [](TObject*, THVProgressKind, const std::string&, Byte percent, bool& cancel) {
      cancel = percent > 50;
    };
    std::istringstream in(std::string(200000, 'a'));
    QVERIFY_THROWS_EXCEPTION(EHexView, v.LoadFromStream(in));
    QCOMPARE(v.Cursor(), crIBeam);
    QCOMPARE(v.WaitCursorDepth(), 0);
    QCOMPARE(v.DataSize(), 0);
  }
};

QTEST_MAIN(HexViewFilesTest)
#include "tst_hexview_files.moc"
