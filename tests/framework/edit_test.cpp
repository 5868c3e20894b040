#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "framework/edit.h"
#include "framework/forms.h"

namespace {

// Accepts only digits and refuses paste, the way a numeric field would.
class DigitsEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  int refused = 0;
  std::vector<Word> keys;
  void KeyDown(Word& key, TShiftState shift) override {
    keys.push_back(key);
    if (key == VK_UP) key = 0;  // swallowed
    TCustomEdit::KeyDown(key, shift);
  }
  void KeyPress(char& key) override {
    if (key >= 32 && (key < '0' || key > '9')) {
      key = 0;
      ++refused;
    }
    TCustomEdit::KeyPress(key);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_PASTE) {
      ++refused;
      return;
    }
    TCustomEdit::WndProc(m);
  }
  QLineEdit* Inner() const { return Editor(); }
};

struct EditWindow {
  TForm form;
  DigitsEdit edit{&form};
  EditWindow() {
    form.SetBounds(0, 0, 200, 100);
    edit.SetBounds(10, 10, 73, 21);
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    edit.SetFocus();
    QApplication::processEvents();
  }
};

}  // namespace

TEST(Edit, SunkenEdgeLeavesATwoPixelBorder) {
  TForm form;
  TEdit e(&form);
  e.SetBounds(0, 0, 73, 21);
  EXPECT_EQ(e.ClientRect(), Rect(0, 0, 69, 17));
  e.SetBorderStyle(bsNone);
  EXPECT_EQ(e.ClientRect(), Rect(0, 0, 73, 21));
  EXPECT_EQ(e.Color(), clWindow);
  EXPECT_TRUE(e.TabStop());
}

TEST(Edit, RightAlignedTextEndsAtTheRightMargin) {
  TForm form;
  form.SetBounds(0, 0, 200, 100);
  TEdit e(&form);
  e.SetBounds(10, 10, 73, 21);
  e.SetAlignment(taRightJustify);
  e.SetText("244");
  form.ShowForm();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  e.clearFocus();  // no caret beside the text
  QApplication::processEvents();
  ASSERT_FALSE(e.Focused());
  // The last column with ink, in client coordinates.
  auto lastInk = [&e] {
    const QImage img = e.grab().toImage();
    int last = -1;
    for (int y = 2; y < img.height() - 2; ++y)
      for (int x = 2; x < img.width() - 2; ++x)
        if (qGray(img.pixel(x, y)) < 128) last = std::max(last, x - 2);
    return last;
  };
  const QFontMetrics fm(e.Font().ToQFont());
  const int bearing = fm.horizontalAdvance('4') - 1 - fm.boundingRect(QChar('4')).right();
  for (int margin : {19, 0, 7}) {
    e.SetMargins(0, margin);
    QApplication::processEvents();
    // The text's advance ends at ClientWidth - margin (69 - 19 = 50 for the
    // spin edits); the ink stops the digit's right bearing before that.
    const int end = e.ClientWidth() - margin;
    EXPECT_NEAR(lastInk(), end - 1 - bearing, 1) << "margin " << margin;
    EXPECT_LT(lastInk(), end) << "margin " << margin;
  }
  // Left-aligned text keeps its place.
  e.SetAlignment(taLeftJustify);
  e.SetMargins(0, 19);
  QApplication::processEvents();
  EXPECT_LT(lastInk(), 3 * fm.horizontalAdvance('4') + 4);
}

TEST(Edit, TextChangesFireOnChangeOnlyWhenDifferent) {
  TEdit e;
  int changes = 0;
  e.OnChange = [&](TObject*) { ++changes; };
  e.SetText("900");
  e.SetText("900");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(e.Text(), "900");
  e.SetMaxLength(2);
  e.SetText("12345");
  EXPECT_EQ(e.Text(), "12");
  e.SetText("下载");
  EXPECT_EQ(e.Text(), "下载");
}

TEST(Edit, SelectionByCharacters) {
  TEdit e;
  e.SetText("abcdef");
  e.SetSelStart(2);
  e.SetSelLength(3);
  EXPECT_EQ(e.SelStart(), 2);
  EXPECT_EQ(e.SelLength(), 3);
  EXPECT_EQ(e.SelText(), "cde");
  e.SetSelText("X");
  EXPECT_EQ(e.Text(), "abXf");
  e.SelectAll();
  e.ClearSelection();
  EXPECT_EQ(e.Text(), "");
}

TEST(Edit, KeysPassThroughKeyDownAndKeyPressFirst) {
  EditWindow w;
  w.edit.SetText("");
  QTest::keyClicks(w.edit.Inner(), "1a2");
  EXPECT_EQ(w.edit.Text(), "12");
  EXPECT_EQ(w.edit.refused, 1);
  w.edit.SetSelStart(2);
  QTest::keyClick(w.edit.Inner(), Qt::Key_Up);
  QTest::keyClick(w.edit.Inner(), Qt::Key_Left);
  EXPECT_EQ(w.edit.SelStart(), 1);  // Up was swallowed, Left moved the caret
  EXPECT_EQ(w.edit.keys.back(), VK_LEFT);
}

TEST(Edit, ClipboardRequestsCanBeRefusedBySubclasses) {
  EditWindow w;
  w.edit.SetText("12");
  QApplication::clipboard()->setText("99");
  w.edit.SetSelStart(2);
  QTest::keyClick(w.edit.Inner(), Qt::Key_V, Qt::ControlModifier);
  w.edit.PasteFromClipboard();
  EXPECT_EQ(w.edit.Text(), "12");
  EXPECT_EQ(w.edit.refused, 2);
  TEdit plain;
  plain.SetText("ab");
  plain.SelectAll();
  plain.CutToClipboard();
  EXPECT_EQ(plain.Text(), "");
  plain.PasteFromClipboard();
  plain.PasteFromClipboard();
  EXPECT_EQ(plain.Text(), "abab");
  plain.SetReadOnly(true);
  plain.PasteFromClipboard();
  EXPECT_EQ(plain.Text(), "abab");
}

TEST(Edit, FocusOfTheInnerEditorCountsAsTheControls) {
  EditWindow w;
  TEdit other(&w.form);
  other.SetBounds(10, 40, 73, 21);
  int enters = 0, exits = 0;
  w.edit.OnExit = [&](TObject*) { ++exits; };
  other.OnEnter = [&](TObject*) { ++enters; };
  EXPECT_TRUE(w.edit.Focused());
  QTest::keyClick(w.edit.Inner(), Qt::Key_Tab);
  EXPECT_TRUE(other.Focused());
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
}

TEST(Edit, InputMethodTextPassesThroughKeyPress) {
  EditWindow w;
  w.edit.SetText("");
  QInputMethodEvent commit;
  commit.setCommitString("4x2");
  QCoreApplication::sendEvent(w.edit.Inner(), &commit);
  EXPECT_EQ(w.edit.Text(), "42");
  EXPECT_EQ(w.edit.refused, 1);
}

TEST(Edit, MiddleButtonPasteIsAPasteRequestAndMouseReachesTheHooks) {
  EditWindow w;
  w.edit.SetText("12");
  QTest::mouseClick(w.edit.Inner(), Qt::MiddleButton, {}, QPoint(3, 3));
  EXPECT_EQ(w.edit.refused, 1);  // WM_PASTE, refused by the subclass
  EXPECT_EQ(w.edit.Text(), "12");
  std::vector<std::pair<int, int>> downs;
  int clicks = 0;
  w.edit.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    downs.emplace_back(x, y);
  };
  w.edit.OnClick = [&](TObject*) { ++clicks; };
  QTest::mouseClick(w.edit.Inner(), Qt::LeftButton, {}, QPoint(7, 4));
  EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{7, 4}}));  // client coordinates
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(w.edit.Inner()->acceptDrops());
}
