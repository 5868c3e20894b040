// Hex view widget: grid layout, metrics, offsets, ruler and position mapping.
#include <QtTest>

#include "hexview/ehexview.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

std::vector<Byte> Bytes(int n) {
  std::vector<Byte> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<Byte>(i);
  return v;
}

std::string Refusal(const std::function<void()>& action) {
  try {
    action();
  } catch (const EHexView& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

class HexViewLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void romSettingsGiveTenRowsAnd27Columns() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    QCOMPARE(v.RowCount(), 10);
    QCOMPARE(v.ColCount(), 27);
    QCOMPARE(v.FixedCols(), 2);
    QCOMPARE(v.FixedRows(), 2);
    std::vector<std::string> offsets;
    for (int r = 2; r < v.RowCount(); ++r) offsets.push_back(v.GetOffsetString((r - 2) * 8));
    QCOMPARE(offsets, (std::vector<std::string>{"0x00", "0x08", "0x10", "0x18", "0x20", "0x28",
                                                "0x30", "0x38"}));
    TCanvas measure;
    measure.SetFont(v.Font());
    const int cw = measure.TextWidth("w");
    QCOMPARE(v.CharWidth(), cw);
    QCOMPARE(v.RowHeight(), measure.TextHeight("yY") + 2);
    QCOMPARE(v.ColWidths(0), 5 * cw + 21);
  }

  void romSettingsColumnWidths() {
    ViewHost h;
    h.Fill(Bytes(64));
    THexViewEx& v = *h.view;
    const int cw = v.CharWidth();
    QCOMPARE(v.ColWidths(1), 6);
    // One byte per column: a gap after every byte's second digit.
    for (int c = 2; c <= 15; ++c) QCOMPARE(v.ColWidths(c), c % 2 == 0 ? cw : 2 * cw);
    QCOMPARE(v.ColWidths(17), 2 * cw);  // last hex digit
    QCOMPARE(v.ColWidths(18), cw);      // separator
    for (int c = 19; c <= 25; ++c) QCOMPARE(v.ColWidths(c), cw + 1);
    QCOMPARE(v.ColWidths(26), 2 * cw + 1);  // last character
    QCOMPARE(v.RowHeights(0), 0);
    QCOMPARE(v.RowHeights(1), 0);
    for (int r = 2; r < v.RowCount(); ++r) QCOMPARE(v.RowHeights(r), v.RowHeight());
  }

  void rowCountFollowsDataAndInsertMode() {
    ViewHost h;
    THexViewEx& v = *h.view;
    QCOMPARE(v.RowCount(), 3);  // empty data: one empty row
    QCOMPARE(v.GetOffsetString(0), std::string("0x0"));
    QCOMPARE(v.ColWidths(0), 4 * v.CharWidth() + 21);
    h.Fill(Bytes(64));
    v.SetInsertMode(true);
    QCOMPARE(v.RowCount(), 11);  // room for the caret after the last byte
    v.SetInsertMode(false);
    QCOMPARE(v.RowCount(), 10);
    v.SetDataSize(61);
    QCOMPARE(v.RowCount(), 10);
    v.SetInsertMode(true);
    QCOMPARE(v.RowCount(), 10);  // the partial last row has room already
  }

  void defaultSettingsGroupAndBlockWidths() {
    ViewHost h(600, 200, false);
    THexViewEx& v = *h.view;
    h.Fill(Bytes(64));
    QCOMPARE(v.BytesPerRow(), 16);
    QCOMPARE(v.BytesPerColumn(), 2);
    QCOMPARE(v.RowCount(), 6);
    QCOMPARE(v.ColCount(), 51);
    const int cw = v.CharWidth();
    // Two bytes per column: the gap follows every fourth digit.
    QCOMPARE(v.ColWidths(2), cw);
    QCOMPARE(v.ColWidths(3), cw);
    QCOMPARE(v.ColWidths(5), 2 * cw);
    QCOMPARE(v.ColWidths(9), 2 * cw);
    v.SetBytesPerBlock(4);  // another cw after every fourth byte, also in the characters
    QCOMPARE(v.ColWidths(9), 3 * cw);
    QCOMPARE(v.ColWidths(5), 2 * cw);
    QCOMPARE(v.ColWidths(35 + 3), 2 * cw + 1);
    QCOMPARE(v.ColWidths(35 + 2), cw + 1);
    v.SetSeparateBlocksInCharField(false);
    QCOMPARE(v.ColWidths(35 + 3), cw + 1);
    v.SetRulerBytesPerUnit(2);  // a half-character gap after each ruler unit
    QCOMPARE(v.ColWidths(35 + 1), 3 * cw / 2 + 1);
    QCOMPARE(v.ColWidths(35), cw + 1);
    v.SetGutterWidth(40);
    QCOMPARE(v.ColWidths(0), 40);
    v.SetShowRuler(true);
    QCOMPARE(v.RowHeights(0), v.RowHeight() + 3);
  }

  void unicodeLayoutAndRefusals() {
    ViewHost h(600, 200, false);
    THexViewEx& v = *h.view;
    h.Fill(Bytes(64));
    v.SetUnicodeChars(true);
    QCOMPARE(v.ColCount(), 2 * 16 + 8 + 3);
    QCOMPARE(v.BytesPerUnit(), 2);
    QCOMPARE(v.GetCursorAtPos(5, true).X, 2 + 35);
    QCOMPARE(v.GetPosAtCursor(35 + 3, 2), 6);
    QCOMPARE(v.GetOtherFieldCol(35 + 3), 14);
    QCOMPARE(v.GetOtherFieldCol(14), 35 + 3);
    QCOMPARE(Refusal([&] { v.SetBytesPerRow(7); }), std::string(kHVInvalidBytesPerLine));
    QCOMPARE(Refusal([&] { v.SetBytesPerColumn(3); }), std::string(kHVInvalidBytesPerColumn));
    QCOMPARE(v.BytesPerRow(), 16);
    v.SetUnicodeChars(false);
    v.SetBytesPerRow(7);
    QCOMPARE(Refusal([&] { v.SetUnicodeChars(true); }), std::string(kHVInvalidBytesPerLine));
    v.SetBytesPerRow(8);
    v.SetBytesPerColumn(3);
    QCOMPARE(Refusal([&] { v.SetUnicodeChars(true); }), std::string(kHVInvalidBytesPerColumn));
    v.SetBytesPerColumn(2);
    v.SetDataSize(63);
    QCOMPARE(Refusal([&] { v.SetUnicodeChars(true); }), std::string(kHVOddSizeUnicode));
    QVERIFY(!v.UnicodeChars());
    QCOMPARE(Refusal([&] { v.SetBytesPerRow(0); }), std::string(kHVInvalidBytesPerLine));
    QCOMPARE(Refusal([&] { v.SetBytesPerRow(257); }), std::string(kHVInvalidBytesPerLine));
    QCOMPARE(Refusal([&] { v.SetRulerBytesPerUnit(3); }),
             std::string("Invalid ruler bytes per unit value 3, allowed: -1,1,2,4,8"));
  }

  void offsetFormatInTheView() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Bytes(0xB0));
    v.SetHexLowerCase(true);
    QCOMPARE(v.GetOffsetString(0xA8), std::string("0xa8"));
    v.SetHexLowerCase(false);
    const int gutter = v.ColWidths(0);
    QVERIFY(Refusal([&] { v.SetOffsetFormat("-!11:0x|"); }) != "accepted");
    QCOMPARE(v.OffsetFormat(), std::string("-!10:0x|"));
    QCOMPARE(v.GetOffsetString(0xA8), std::string("0xA8"));
    QCOMPARE(v.ColWidths(0), gutter);
    // Row numbers in decimal; the unit follows later changes of BytesPerRow.
    v.SetOffsetFormat("r%-!A:|");
    QCOMPARE(v.GetOffsetString(0x10), std::string("02"));  // 22 rows: two digits
    v.SetBytesPerRow(4);
    QCOMPARE(v.GetOffsetString(0x10), std::string("04"));
    QCOMPARE(v.ColWidths(0), 3 * v.CharWidth() + 21);
    v.SetBytesPerRow(16);
    v.SetOffsetFormat("-!10:0x|");
    QCOMPARE(Refusal([&] { v.SetOffsetFormat("r%-!A:|"); }),
             std::string("Invalid bytes per unit value 16, allowed: 1,2,4,8"));
  }

  void hostSuppliesOffsetTexts() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Bytes(64));
    std::vector<Int64> asked;
    v.OnGetOffsetText = [&](TObject*, Int64 number, std::string& text) {
      asked.push_back(number);
      text = "row " + v.GetOffsetString(number);  // a nested request uses the format
    };
    v.UpdateGetOffsetText();
    QCOMPARE(v.GetOffsetString(8), std::string("row 0x08"));
    QVERIFY(std::find(asked.begin(), asked.end(), 56) != asked.end());
    QCOMPARE(v.ColWidths(0), 9 * v.CharWidth() + 21);  // "row 0x38" plus one
  }

  void rulerString() {
    ViewHost h(600, 200, false);
    THexViewEx& v = *h.view;
    QCOMPARE(v.RulerString(), std::string("000102030405060708090A0B0C0D0E0F"));
    v.SetHexLowerCase(true);
    QCOMPARE(v.RulerString().substr(20), std::string("0a0b0c0d0e0f"));
    v.SetHexLowerCase(false);
    v.SetRulerBytesPerUnit(2);
    QCOMPARE(v.RulerString(), std::string("00000001000200030004000500060007"));
    // A ruler unit smaller than the caret unit still labels every column.
    v.SetRulerBytesPerUnit(1);
    v.SetBytesPerUnit(4);
    QCOMPARE(v.RulerString().size(), size_t(2 * 16));
    QCOMPARE(v.RulerString().substr(28), std::string("0E0F"));
  }

  void positionMappingRoundTrips() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Bytes(64));
    for (Integer i = 0; i < 64; ++i) {
      const TGridCoord hex = v.GetCursorAtPos(i, false);
      const TGridCoord chr = v.GetCursorAtPos(i, true);
      QCOMPARE(hex.Y, i / 8 + 2);
      QCOMPARE(hex.X, (i % 8) * 2 + 2);
      QCOMPARE(chr.X, i % 8 + 19);
      QCOMPARE(v.GetPosAtCursor(hex.X, hex.Y), i);
      QVERIFY(!v.LastPosInCharField());
      QCOMPARE(v.GetPosAtCursor(hex.X + 1, hex.Y), i);
      QCOMPARE(v.GetPosAtCursor(chr.X, chr.Y), i);
      QVERIFY(v.LastPosInCharField());
      QCOMPARE(v.GetOtherFieldCol(hex.X), chr.X);
      QCOMPARE(v.GetOtherFieldCol(hex.X + 1), chr.X);
      QCOMPARE(v.GetOtherFieldCol(chr.X), hex.X);
      QCOMPARE(v.GetRow(i), hex.Y);
    }
    QCOMPARE(v.GetCursorAtPos(-1, true), (TGridCoord{2, 2}));
    QCOMPARE(v.GetPosAtCursor(0, 2), 0);  // negative results give 0
  }

  void displayRangeFollowsScrolling() {
    ViewHost h(420, 100);
    THexViewEx& v = *h.view;
    QCOMPARE(v.DisplayStart(), -1);
    QCOMPARE(v.DisplayEnd(), -1);
    h.Fill(Bytes(200));
    const int visible = v.VisibleRowCount();
    QVERIFY(visible > 0 && visible < 25);
    QCOMPARE(v.DisplayStart(), 0);
    QCOMPARE(v.DisplayEnd(), visible * 8 - 1);
    v.SetTopRow(5);
    QCOMPARE(v.DisplayStart(), 24);
    v.SetTopRow(1000);
    QCOMPARE(v.DisplayEnd(), 199);
  }

  void bytesPerRowKeepsCaretAndSelection() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Bytes(64));
    v.FocusCell(v.GetCursorAtPos(13, false).X + 1, v.GetCursorAtPos(13, false).Y, true);
    v.NewSelection(5, 9);
    v.SetBytesPerRow(4);
    const TGridCoord at = v.GetCursorAtPos(13, false);
    QCOMPARE(v.Row(), at.Y);
    QCOMPARE(v.Col(), at.X + 1);  // still on the second digit
    QCOMPARE(v.GetSelStart(), 5);
    QCOMPARE(v.GetSelEnd(), 9);
    QCOMPARE(v.RowCount(), 18);
  }

  void caretCellsAreChecked() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(Bytes(60));
    v.FocusCell(v.SeparatorColumn(), 3, true);  // the separator is never a caret cell
    QVERIFY(v.Col() != v.SeparatorColumn());
    v.FocusCell(2 + 2 * 6, 9, true);  // byte 62 lies beyond the data
    QCOMPARE(v.GetCursorPos(), 59);
    QCOMPARE(v.Row(), v.GetCursorAtPos(59, false).Y);
    v.FocusCell(v.GetCursorAtPos(20, true).X, 4, true);
    QCOMPARE(v.GetCursorPos(), 20);
    QVERIFY(v.GetInCharField());
    v.SetSelStart(33);  // the data side moves the caret; the cell follows
    QCOMPARE(v.Col(), v.GetCursorAtPos(33, true).X);
    QCOMPARE(v.Row(), v.GetCursorAtPos(33, true).Y);
  }
};

QTEST_MAIN(HexViewLayoutTest)
#include "tst_hexview_layout.moc"
