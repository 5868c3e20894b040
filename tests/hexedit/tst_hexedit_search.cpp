// zn4417hex: Find, Find Next, Replace, Replace All with progress and
// cancel, and the clipboard entries of the Edit menu.
#include <QAction>
#include <QClipboard>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <random>

#include "framework/panel.h"
#include "hexedit/find_dialog.h"
#include "hexedit/hexedit_search.h"
#include "hexedit/hexeditform.h"
#include "hexview/hvclipformats.h"

namespace {

using Bytes = std::vector<Byte>;

struct Editor {
  THexEditForm form;
  Editor() {
    form.ShowForm();
    QApplication::processEvents();
  }
  THexViewEx& View() { return form.View(); }
  THexViewData& Data() { return form.View().Data(); }
  void Fill(const std::string& text) {
    View().SetDataSize(static_cast<Integer>(text.size()));
    for (size_t i = 0; i < text.size(); ++i)
      View().SetDataAt(static_cast<Integer>(i), static_cast<Byte>(text[i]));
    form.View().SetModified(false);
    Data().MoveCaret(0, false);
    View().ResetSelection(false);
    form.UpdateUi();
  }
  std::string Text() {
    return std::string(View().GetFastPointer(), View().GetFastPointer() + View().DataSize());
  }
  void Trigger(const std::string& item) {
    QAction* a = form.FindAction("Edit", item);
    QVERIFY2(a, item.c_str());
    QVERIFY2(a->isEnabled(), item.c_str());
    a->trigger();
    QApplication::processEvents();
  }
  THVSelection Selection() { return Data().Selection(); }
};

THexEditFindOptions Text(const std::string& text, bool ignoreCase = false) {
  THexEditFindOptions o;
  o.text = text;
  o.ignoreCase = ignoreCase;
  return o;
}

}  // namespace

class HexEditSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void findFromTheCaretAndFindNext() {
    Editor e;
    e.Fill("abc ABC abc xbc");
    THexEditSearch& s = SearchOf(e.form);
    s.SetOptions(Text("abc", true));
    e.Data().MoveCaret(2, false);
    QCOMPARE(s.FindFrom(2), 4);
    QCOMPARE(e.Selection(), (THVSelection{4, 4, 6}));
    QCOMPARE(s.FindNext(), 8);
    QCOMPARE(s.FindNext(), -1);
    s.SetOptions(Text("abc"));
    QCOMPARE(s.FindFrom(1), 8);  // case counts
    THexEditFindOptions wild = Text("?bc");
    wild.useWildcard = true;
    s.SetOptions(wild);
    QCOMPARE(s.FindFrom(9), 12);  // xbc
    THexEditFindOptions hex = Text("41 42");
    hex.hex = true;
    s.SetOptions(hex);
    QCOMPARE(s.FindFrom(0), 4);
  }

  void findThroughTheMenuAndF3() {
    Editor e;
    e.Fill("..needle..needle");
    THexEditSearch& s = SearchOf(e.form);
    int asked = 0;
    bool replaceDialog = true;
    s.AskOptions = [&](THexEditFindOptions& o, bool replace) {
      ++asked;
      replaceDialog = replace;
      o = Text("NEEDLE", true);
      return THexEditSearch::faFind;
    };
    e.Trigger("Find...");
    QCOMPARE(asked, 1);
    QVERIFY(!replaceDialog);
    QCOMPARE(e.Selection().Low, 2);
    e.Trigger("Find Next");
    QCOMPARE(e.Selection().Low, 10);
    QCOMPARE(e.form.FindAction("Edit", "Find Next")->shortcut(), QKeySequence("F3"));
  }

  void replaceAndReplaceAllOneStepEach() {
    Editor e;
    e.Fill("a-b-a-b-a");
    THexEditSearch& s = SearchOf(e.form);
    THexEditFindOptions o = Text("a");
    o.replacement = "xyz";
    s.SetOptions(o);
    QCOMPARE(s.FindFrom(0), 0);
    QVERIFY(s.ReplaceCurrent());  // the selection was a match
    QCOMPARE(e.Text(), std::string("xyz-b-a-b-a"));
    QCOMPARE(e.Selection().Low, 6);  // and the next one is selected
    const Integer before = e.Data().UndoStorage().Count();
    QCOMPARE(s.ReplaceAll(), 2);
    QCOMPARE(e.Text(), std::string("xyz-b-xyz-b-xyz"));
    QCOMPARE(e.Data().UndoStorage().Count(), before + 1);  // one step for all of them
    QCOMPARE(e.form.StatusMessage(), std::string("Replaced 2 occurrences"));
    e.View().Undo();
    QCOMPARE(e.Text(), std::string("xyz-b-a-b-a"));
    QVERIFY(e.View().Redo());
    QCOMPARE(e.Text(), std::string("xyz-b-xyz-b-xyz"));

    // The replacement containing the pattern is not searched again.
    e.Fill("aa");
    o.text = "a";
    o.replacement = "aa";
    s.SetOptions(o);
    QCOMPARE(s.ReplaceAll(), 2);
    QCOMPARE(e.Text(), std::string("aaaa"));

    // Hex replacement under a fixed size: counts are equalised.
    e.Fill("12345");
    e.View().SetNoSizeChange(true);
    o.text = "3132";
    o.hex = true;
    o.replacement = "00";
    o.replacementHex = true;
    s.SetOptions(o);
    QCOMPARE(s.ReplaceAll(), 1);
    QCOMPARE(e.Text(), std::string("\0"
                                   "2345",
                                   5));
  }

  void piecesProgressAndCancel() {
    Editor e;
    std::string text(100000, '.');
    text.replace(49998, 6, "needle");  // across the boundary of two pieces
    e.Fill(text);
    THexEditSearch& s = SearchOf(e.form);
    s.SetPieceSize(50000);
    s.SetProgressFrom(1000);
    s.SetOptions(Text("needle"));
    std::vector<int> percents;
    bool barShown = false;
    s.OnPiece = [&](int percent) {
      percents.push_back(percent);
      const auto bars = e.form.StatusPanel().findChildren<QProgressBar*>();
      barShown = !bars.isEmpty() && bars[0]->isVisible() && !e.View().isEnabled();
    };
    QCOMPARE(s.FindFrom(0), 49998);
    QVERIFY(percents.empty());  // found in the first piece
    s.SetPieceSize(10000);
    QCOMPARE(s.FindFrom(0), 49998);
    QCOMPARE(percents.size(), 4u);  // pieces 0, 1, 2, 3 passed
    QVERIFY(barShown);
    QCOMPARE(percents.back(), 40);
    const auto bars = e.form.StatusPanel().findChildren<QProgressBar*>();
    QVERIFY(!bars.isEmpty() && !bars[0]->isVisible());
    QVERIFY(e.View().isEnabled());

    percents.clear();
    s.OnPiece = [&](int percent) {
      percents.push_back(percent);
      if (percent >= 20) s.Cancel();
    };
    e.View().ResetSelection(false);
    QCOMPARE(s.FindFrom(0), -1);
    QVERIFY(s.Cancelled());
    QCOMPARE(percents.size(), 2u);
    QVERIFY(!e.Data().HasSelection());
    s.OnPiece = nullptr;
  }

  // Backward search by pieces against a plain scan from the end.
  void findBackwardAgreesWithAPlainScan() {
    Editor e;
    std::mt19937 rng(21);
    std::string text(3000, 'x');
    for (char& c : text) c = "abAB?x"[rng() % 6];
    e.Fill(text);
    THexEditSearch& s = SearchOf(e.form);
    s.SetPieceSize(97);  // many pieces, hits across their edges
    s.SetProgressFrom(1000);
    for (int round = 0; round < 300; ++round) {
      THexEditFindOptions o = Text(std::string(1 + rng() % 3, 'a'), rng() % 2);
      for (char& c : o.text) c = "abAB?"[rng() % 5];
      o.useWildcard = rng() % 3 == 0;
      s.SetOptions(o);
      const Integer from = static_cast<Integer>(rng() % 3100) - 50;
      const std::vector<Byte> pattern = s.Pattern();
      const auto& table = e.View().Data().FindTable(o.ignoreCase);
      const Integer m = static_cast<Integer>(pattern.size());
      Integer expected = -1;
      for (Integer at = std::min<Integer>(from, e.View().DataSize() - m); at >= 0 && expected < 0;
           --at) {
        Integer k = 0;
        while (k < m && ((o.useWildcard && pattern[k] == '?') ||
                         table[static_cast<Byte>(text[at + k])] == pattern[k]))
          ++k;
        if (k == m) expected = at;
      }
      QCOMPARE(s.FindBackFrom(from), expected);
      if (expected >= 0)
        QCOMPARE(e.Selection(), (THVSelection{expected, expected, expected + m - 1}));
    }
  }

  void findPreviousAndAMissThatWrapsAround() {
    Editor e;
    e.Fill("ab..ab..ab");
    THexEditSearch& s = SearchOf(e.form);
    s.SetOptions(Text("ab"));
    e.form.UpdateUi();
    int asked = 0;
    bool askedBackward = false, answer = false;
    s.AskContinue = [&](bool backward) {
      ++asked;
      askedBackward = backward;
      return answer;
    };
    e.Data().MoveCaret(9, false);
    e.Trigger("Find Previous");
    QCOMPARE(e.Selection().Low, 8);
    e.Trigger("Find Previous");
    QCOMPARE(e.Selection().Low, 4);
    e.Trigger("Find Previous");
    QCOMPARE(e.Selection().Low, 0);
    e.Trigger("Find Previous");  // nothing before: asked, declined
    QCOMPARE(asked, 1);
    QVERIFY(askedBackward);
    QCOMPARE(e.Selection().Low, 0);
    QVERIFY(e.form.StatusMessage().find("not found") != std::string::npos);
    answer = true;
    e.Trigger("Find Previous");  // and again from the end
    QCOMPARE(e.Selection().Low, 8);
    e.Trigger("Find Next");  // nothing after: from the start
    QCOMPARE(asked, 3);
    QVERIFY(!askedBackward);
    QCOMPARE(e.Selection().Low, 0);
    QCOMPARE(e.form.FindAction("Edit", "Find Previous")->shortcut(), QKeySequence("Shift+F3"));
    // The dialog's direction: backward from the caret.
    s.AskOptions = [](THexEditFindOptions& o, bool) {
      o = Text("ab");
      o.backward = true;
      return THexEditSearch::faFind;
    };
    e.View().ResetSelection(false);
    e.Data().MoveCaret(7, false);
    e.Trigger("Find...");
    QCOMPARE(e.Selection().Low, 4);
  }

  // Enter in either dialog finds; it never replaces.
  void findNextIsTheDefaultButton() {
    for (const bool replace : {false, true}) {
      TFindDialog dialog(nullptr, Text("x"), replace);
      QStringList defaults;
      for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->isDefault()) defaults << b->text();
      QCOMPARE(defaults, QStringList{"Find &Next"});
    }
  }

  void replaceAllCancelledChangesNothing() {
    Editor e;
    std::string text(200000, '.');
    for (size_t i = 0; i < text.size(); i += 1000) text[i] = 'a';
    e.Fill(text);
    THexEditSearch& s = SearchOf(e.form);
    s.SetProgressFrom(1000);
    THexEditFindOptions o = Text("a");
    o.replacement = "bb";
    s.SetOptions(o);
    std::vector<int> percents;
    bool barShown = false;
    s.OnPiece = [&](int percent) {
      percents.push_back(percent);
      const auto bars = e.form.StatusPanel().findChildren<QProgressBar*>();
      barShown = barShown || (!bars.isEmpty() && bars[0]->isVisible());
      if (percent >= 20) s.Cancel();
    };
    QCOMPARE(s.ReplaceAll(), 0);
    QVERIFY(s.Cancelled());
    QVERIFY(barShown);
    QVERIFY(!percents.empty() && percents.back() < 50);
    QCOMPARE(e.Text(), text);
    QCOMPARE(e.Data().UndoStorage().Count(), 0);
    QVERIFY(!e.View().GetModified());
    QVERIFY(e.form.StatusMessage().find("cancelled") != std::string::npos);
    s.OnPiece = nullptr;
    QCOMPARE(s.ReplaceAll(), 200);
    QCOMPARE(e.View().DataSize(), 200200);
    QVERIFY(e.View().isEnabled());
  }

  void clipboardEntries() {
    Editor e;
    e.Fill(std::string("AB\0C", 4));
    e.View().SetSelection(0, 0, 3);
    e.form.UpdateUi();
    e.Trigger("Copy as Hex Text");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("41420043"));
    QVERIFY(!e.View().ClipboardAsHexText());  // only for that command
    e.Trigger("Copy");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("AB"));
    QGuiApplication::clipboard()->setText("0a 1B");
    e.View().ResetSelection(false);
    e.Data().MoveCaret(0, false);
    e.form.UpdateUi();
    e.Trigger("Paste as Hex Text");
    QCOMPARE(e.Text(), std::string("\x0A\x1B"
                                   "AB\0C",
                                   6));
    e.View().SetSelection(0, 0, 1);
    e.form.UpdateUi();
    e.Trigger("Cut");
    QCOMPARE(e.Text(), std::string("AB\0C", 4));
    QVERIFY(e.View().OleDragDrop());  // bytes and files can be dropped on the window
  }
};

QTEST_MAIN(HexEditSearchTest)
#include "tst_hexedit_search.moc"
