// Hex view widget: the key table and typing through real key events, one
// group per row family, with the main window's settings (8 bytes per row).
#include <QtTest>

#include "hexview/ehexview.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

using Bytes = std::vector<Byte>;

Bytes Contents(THexViewEx& v) {
  return Bytes(v.GetFastPointer(), v.GetFastPointer() + v.DataSize());
}

void Key(THexViewEx& v, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(&v, static_cast<Qt::Key>(key), mods);
}

void Type(THexViewEx& v, const char* text) {
  QTest::keyClicks(&v, text);
}

// Caret as (byte, in character field, on second digit).
struct Caret {
  Integer index;
  bool inChar;
  bool second;
  bool operator==(const Caret&) const = default;
};

Caret CaretOf(THexViewEx& v) {
  const THexViewData& d = v.Data();
  return {d.CaretIndex(), d.CaretInCharField(), d.CaretOnSecondDigit()};
}

char* toString(const Caret& c) {
  return QTest::toString(QString("byte %1%2%3")
                             .arg(c.index)
                             .arg(c.inChar ? " char" : " hex")
                             .arg(c.second ? " 2nd" : ""));
}

Bytes Counting(int n) {
  Bytes b(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) b[static_cast<size_t>(i)] = static_cast<Byte>(i);
  return b;
}

}  // namespace

class HexViewKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void leftRightWalkDigitsAndCharacters() {
    ViewHost h;
    h.Fill(Counting(20));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(0, 0);
    Key(v, Qt::Key_Right);
    QCOMPARE(CaretOf(v), (Caret{0, false, true}));
    Key(v, Qt::Key_Right);
    QCOMPARE(CaretOf(v), (Caret{1, false, false}));
    Key(v, Qt::Key_Left);
    QCOMPARE(CaretOf(v), (Caret{0, false, true}));
    Key(v, Qt::Key_Left);
    Key(v, Qt::Key_Left);  // nothing before byte 0
    QCOMPARE(CaretOf(v), (Caret{0, false, false}));
    Key(v, Qt::Key_Backspace);  // overwrite mode: moves, deletes nothing
    QCOMPARE(v.DataSize(), 20);
    v.Seek(19, 0);
    Key(v, Qt::Key_Right);
    Key(v, Qt::Key_Right);  // the last byte's second digit is as far as it goes
    QCOMPARE(CaretOf(v), (Caret{19, false, true}));
    Key(v, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(v.Col(), 2);
    Key(v, Qt::Key_Right, Qt::ControlModifier);  // the row's last column lies beyond the data
    QCOMPARE(CaretOf(v), (Caret{19, true, false}));
    v.Seek(10, 0);
    Key(v, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(v.Col(), v.LastCharColumn());
    v.Seek(19, 0);
    v.SetInCharField(true);
    Key(v, Qt::Key_Left);
    QCOMPARE(CaretOf(v), (Caret{18, true, false}));
  }

  void insertModeReachesThePositionAfterTheData() {
    ViewHost h;
    h.Fill(Counting(16));
    h.Focus();
    THexViewEx& v = *h.view;
    Key(v, Qt::Key_Insert);
    QVERIFY(v.GetInsertMode());
    QCOMPARE(v.RowCount(), 5);  // an extra row for the caret after full data
    v.Seek(15, 0);
    Key(v, Qt::Key_Right);
    Key(v, Qt::Key_Right);
    QCOMPARE(CaretOf(v), (Caret{16, false, false}));
    Key(v, Qt::Key_Right);  // no second digit after the data
    QCOMPARE(CaretOf(v), (Caret{16, false, false}));
    Key(v, Qt::Key_Left);
    QCOMPARE(CaretOf(v), (Caret{15, false, true}));
    Key(v, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{16, false, false}));
    Key(v, Qt::Key_Insert);
    QCOMPARE(CaretOf(v), (Caret{15, false, false}));  // back onto the data
  }

  void verticalPagingHomeAndEnd() {
    ViewHost h(420, 120);
    h.Fill(Counting(196));
    h.Focus();
    THexViewEx& v = *h.view;
    const int visible = v.VisibleRowCount();
    QVERIFY(visible >= 3);
    v.Seek(3, 0);
    Key(v, Qt::Key_Up);
    QCOMPARE(v.Row(), 2);
    Key(v, Qt::Key_Down);
    Key(v, Qt::Key_Down, Qt::ControlModifier);  // Ctrl + Down does nothing
    QCOMPARE(CaretOf(v), (Caret{11, false, false}));
    Key(v, Qt::Key_PageDown);
    QCOMPARE(v.Row(), 3 + visible - 1);
    QCOMPARE(v.TopRow(), 2 + visible - 1);
    Key(v, Qt::Key_PageUp);
    QCOMPARE(v.Row(), 3);
    QCOMPARE(v.TopRow(), 2);
    Key(v, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(v.Row(), v.TopRow() + visible - 1);
    Key(v, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(v.Row(), v.TopRow());
    v.Seek(189, 0);
    Key(v, Qt::Key_Down);  // the last row is short: the caret goes to the last byte
    QCOMPARE(CaretOf(v), (Caret{195, false, false}));
    Key(v, Qt::Key_Home);
    QCOMPARE(CaretOf(v), (Caret{192, false, false}));
    Key(v, Qt::Key_End);
    QCOMPARE(CaretOf(v), (Caret{195, false, true}));
    Key(v, Qt::Key_Tab);
    Key(v, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{0, true, false}));
    QCOMPARE(v.TopRow(), 2);
    Key(v, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{195, true, false}));
  }

  void shiftMovesSelectInUnits() {
    ViewHost h;
    h.Fill(Counting(32));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(2, 0);
    Key(v, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(v.Data().Selection(), (THVSelection{2, 2, 7}));
    QCOMPARE(v.GetSelCount(), 6);
    Key(v, Qt::Key_Right);  // without Shift the selection goes
    QCOMPARE(v.GetSelCount(), 0);
    v.Seek(5, 0);
    Key(v, Qt::Key_Left, Qt::ShiftModifier);
    Key(v, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(v.Data().Selection(), (THVSelection{5, 3, 5}));
    QCOMPARE(v.GetSelEnd(), 3);

    v.SetBytesPerUnit(4);
    v.Seek(0, 0);
    Key(v, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(v.Data().CaretIndex(), 4);
    const THVSelection s = v.Data().Selection();
    QCOMPARE(s.Low % 4, 0);
    QCOMPARE((s.High + 1) % 4, 0);
    QVERIFY(s.Low == 0 && s.High >= 3);
  }

  void tabAndCtrlTSwitchFields() {
    ViewHost h;
    h.Fill(Counting(16));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(9, 0);
    Key(v, Qt::Key_Tab);
    QCOMPARE(CaretOf(v), (Caret{9, true, false}));
    Key(v, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(CaretOf(v), (Caret{9, false, false}));
    v.SetWantTabs(false);
    Key(v, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{9, true, false}));
    Key(v, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{9, false, false}));
  }

  // On empty data the two caret cells are the first hex digit and, in the
  // first data row, the first character: Tab and Ctrl+T go between them.
  void fieldSwitchOnEmptyData() {
    ViewHost h;
    h.Fill({});
    h.Focus();
    THexViewEx& v = *h.view;
    QCOMPARE(v.Col(), 2);
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Tab, Qt::NoModifier}, std::pair{Qt::Key_T, Qt::ControlModifier}}) {
      Key(v, key, mods);
      QCOMPARE(v.Col(), v.FirstCharColumn());
      QCOMPARE(v.Row(), 2);
      QVERIFY(v.Data().CaretInCharField());
      Key(v, key, mods);
      QCOMPARE(v.Col(), 2);
      QVERIFY(!v.Data().CaretInCharField());
    }
    // In the character field, insert mode appends typed characters there.
    Key(v, Qt::Key_Tab);
    Key(v, Qt::Key_Insert);
    QTest::keyClicks(&v, "Hi");
    QCOMPARE(v.DataSize(), 2);
    QCOMPARE(v.GetDataAt(0), Byte{'H'});
    QVERIFY(v.GetInCharField());
  }

  void deleteAndBackspace() {
    ViewHost h;
    h.Fill(Counting(12));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(4, 0);
    Key(v, Qt::Key_Delete);  // overwrite mode: nothing
    QCOMPARE(v.DataSize(), 12);
    Key(v, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}));
    QCOMPARE(v.Data().CaretIndex(), 4);
    v.NewSelection(1, 2);
    Key(v, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{0, 3, 5, 6, 7, 8, 9, 10, 11}));

    Key(v, Qt::Key_Insert);
    v.Seek(0, 0);
    Key(v, Qt::Key_Backspace);  // nothing before byte 0
    QCOMPARE(v.DataSize(), 9);
    v.Seek(2, 0);
    Key(v, Qt::Key_Backspace);
    QCOMPARE(Contents(v), (Bytes{0, 5, 6, 7, 8, 9, 10, 11}));
    QCOMPARE(v.Data().CaretIndex(), 1);
    Key(v, Qt::Key_End, Qt::ControlModifier);  // after the data
    Key(v, Qt::Key_Delete);                    // nothing follows the caret there
    QCOMPARE(v.DataSize(), 8);
    Key(v, Qt::Key_Backspace);
    QCOMPARE(Contents(v), (Bytes{0, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(v.Data().CaretIndex(), 7);

    v.SetBytesPerUnit(4);
    v.Seek(4, 0);
    Key(v, Qt::Key_Backspace);
    QCOMPARE(Contents(v), (Bytes{8, 9, 10}));
    v.SetReadOnlyView(true);
    Key(v, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(v.DataSize(), 3);
  }

  void typingHexDigits() {
    ViewHost h;
    h.Fill(Bytes{0x12, 0x34, 0x56, 0x78, 0x9A});
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(0, 0);
    Type(v, "A");
    QCOMPARE(v.GetDataAt(0), Byte{0xA2});
    QCOMPARE(CaretOf(v), (Caret{0, false, true}));
    Type(v, "b");
    QCOMPARE(v.GetDataAt(0), Byte{0xAB});
    QCOMPARE(CaretOf(v), (Caret{1, false, false}));
    QVERIFY(v.HasChanged(0));
    int invalid = 0;
    v.OnInvalidKey = [&](TObject*) { ++invalid; };
    Type(v, "g");
    QCOMPARE(invalid, 1);
    QCOMPARE(v.GetDataAt(1), Byte{0x34});

    v.SetSwapNibbles(true);  // the first column shows and takes the low digit
    Type(v, "F");
    QCOMPARE(v.GetDataAt(1), Byte{0x3F});

    v.Seek(3, 0);
    Key(v, Qt::Key_Insert);
    v.SetSwapNibbles(false);
    Type(v, "A");
    QCOMPARE(Contents(v), (Bytes{0xAB, 0x3F, 0x56, 0xA0, 0x78, 0x9A}));
    QCOMPARE(CaretOf(v), (Caret{3, false, true}));
    Type(v, "B");
    QCOMPARE(Contents(v), (Bytes{0xAB, 0x3F, 0x56, 0xAB, 0x78, 0x9A}));
    Key(v, Qt::Key_End, Qt::ControlModifier);
    Type(v, "7");  // after the data: appends
    QCOMPARE(v.DataSize(), 7);
    QCOMPARE(v.GetDataAt(6), Byte{0x70});

    v.SetReadOnlyView(true);
    v.Seek(0, 0);
    Type(v, "5");
    QCOMPARE(v.GetDataAt(0), Byte{0xAB});
  }

  void typingInTheCharacterField() {
    ViewHost h;
    h.Fill(Bytes{'a', 'b', 'c', 'd'});
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(1, 0);
    v.SetInCharField(true);
    Type(v, "XY");
    QCOMPARE(Contents(v), (Bytes{'a', 'X', 'Y', 'd'}));
    QCOMPARE(CaretOf(v), (Caret{3, true, false}));
    v.SetTranslation(tkASCII);
    int invalid = 0;
    v.OnInvalidKey = [&](TObject*) { ++invalid; };
    QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(&v, &accented);  // no ASCII byte for it
    QCOMPARE(invalid, 1);
    v.SetTranslation(tkAsIs);
    Key(v, Qt::Key_Insert);
    v.Seek(0, 0);
    Type(v, "Z");
    QCOMPARE(Contents(v), (Bytes{'Z', 'a', 'X', 'Y', 'd'}));
    Key(v, Qt::Key_End, Qt::ControlModifier);
    Type(v, "!");
    QCOMPARE(Contents(v), (Bytes{'Z', 'a', 'X', 'Y', 'd', '!'}));
    QCOMPARE(CaretOf(v), (Caret{6, true, false}));

    Key(v, Qt::Key_Insert);
    v.SetBytesPerColumn(2);
    v.SetUnicodeChars(true);
    v.Seek(2, 0);
    v.SetInCharField(true);
    Type(v, "Q");  // one 16-bit character, low byte first
    QCOMPARE(Contents(v), (Bytes{'Z', 'a', 'Q', 0, 'd', '!'}));
  }

  void bookmarksByKey() {
    ViewHost h;
    h.Fill(Counting(40));
    h.Focus();
    THexViewEx& v = *h.view;
    v.Seek(21, 0);
    Key(v, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(v.GetBookmark(3), (THVBookmark{21, false}));
    Key(v, Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier);  // Shift+3 as a symbol
    QCOMPARE(v.GetBookmark(3).Position, -1);
    Key(v, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    v.Seek(0, 0);
    Key(v, Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{21, false, false}));
    QCOMPARE(v.GetDataAt(0), Byte{0});  // nothing typed by the digit
    v.SetInCharField(true);
    Key(v, Qt::Key_7, Qt::ControlModifier | Qt::ShiftModifier);
    v.Seek(0, 0);
    v.SetInCharField(false);
    Key(v, Qt::Key_7, Qt::ControlModifier);
    QCOMPARE(CaretOf(v), (Caret{21, true, false}));
  }

  void extendedViewSelectAllUndoRedo() {
    ViewHost h;
    h.Fill(Bytes{1, 2, 3});
    v_modified_cleared(*h.view);
    h.Focus();
    THexViewEx& v = *h.view;
    Key(v, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(v.GetSelCount(), 3);
    Key(v, Qt::Key_Home, Qt::ControlModifier);
    Type(v, "ff");
    QCOMPARE(Contents(v), (Bytes{0xFF, 2, 3}));
    Key(v, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{0xF1, 2, 3}));
    QCOMPARE(CaretOf(v), (Caret{0, false, true}));
    Key(v, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{1, 2, 3}));
    QVERIFY(!v.GetModified());
    Key(v, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Contents(v), (Bytes{0xF1, 2, 3}));
    Key(v, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // one step only
    QCOMPARE(Contents(v), (Bytes{0xF1, 2, 3}));
  }

  void programMovesScrollAndSync() {
    ViewHost h(420, 120);
    h.Fill(Counting(100));
    THexViewEx& v = *h.view;
    QCOMPARE(v.Seek(10, 0), 10);
    QCOMPARE(v.Seek(-3, 1), 7);
    QCOMPARE(v.Seek(-1, 2), 98);
    QCOMPARE(v.Seek(500, 0), 99);  // clamped into the data
    QCOMPARE(v.Data().CaretIndex(), 99);
    v.SetInsertMode(true);
    v.SeekToEOF();
    QCOMPARE(v.Data().CaretIndex(), 100);
    v.SetInsertMode(false);
    QCOMPARE(v.Data().CaretIndex(), 99);

    v.SetTopLeftPosition(40, false);
    bool inChar = true;
    QCOMPARE(v.TopRow(), 7);
    QCOMPARE(v.GetTopLeftPosition(inChar), 40);
    QVERIFY(!inChar);

    v.Seek(3, 0);
    v.Select(v.Col(), v.Row(), 5,
             4);  // to byte 17 (row 4 starts at 16; column 5 is its second byte)
    QCOMPARE(v.Data().Selection(), (THVSelection{3, 3, 17}));

    ViewHost other(420, 120);
    other.Fill(Counting(100));
    other.view->Seek(55, 0);
    other.view->SetTopRow(5);
    other.view->NewSelection(50, 60);
    v.SyncView(*other.view);
    QCOMPARE(v.TopRow(), 5);
    QCOMPARE(v.Data().CaretIndex(), 55);
    QCOMPARE(v.Data().Selection(), (THVSelection{50, 50, 60}));
    other.view->ResetSelection(true);
    v.SyncView(*other.view);
    QCOMPARE(v.GetSelCount(), 0);
    other.view->SetBytesPerRow(16);
    bool refused = false;
    try {
      v.SyncView(*other.view);
    } catch (const EHexView& e) {
      refused = std::string(e.what()).find("synchronize view") != std::string::npos;
    }
    QVERIFY(refused);
  }

 private:
  static void v_modified_cleared(THexViewEx& v) { v.SetModified(false); }
};

QTEST_MAIN(HexViewKeysTest)
#include "tst_hexview_keys.moc"
