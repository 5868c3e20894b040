// zn4417hex: Go to Offset, the value inspector, Paste Over, the File menu's
// New, Revert and Open Recent, and what the window says about its file.
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "hexedit/goto_dialog.h"
#include "hexedit/goto_offset.h"
#include "hexedit/hexeditform.h"
#include "hexedit/inspector_panel.h"
#include "hexedit/value_inspector.h"

namespace {

using Bytes = std::vector<Byte>;

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

struct Editor {
  THexEditForm form;
  std::vector<std::string> questions;
  bool answer = false;
  explicit Editor(const std::string& preferences = std::string()) {
    form.ShowError = [](const std::string& m) { QFAIL(m.c_str()); };
    form.AskYesNo = [this](const std::string& q) {
      questions.push_back(q);
      return answer;
    };
    form.AskSaveChanges = [](const std::string&) { return saDiscard; };
    form.SetPreferencesFile(preferences);
    form.ShowForm();
    QApplication::processEvents();
  }
  THexViewEx& View() { return form.View(); }
  void Fill(const std::string& text) {
    View().SetDataSize(0);
    View().SetDataSize(static_cast<Integer>(text.size()));
    for (size_t i = 0; i < text.size(); ++i)
      View().SetDataAt(static_cast<Integer>(i), static_cast<Byte>(text[i]));
    View().SetModified(false);
    form.UpdateUi();
  }
  std::string Text() {
    return std::string(View().GetFastPointer(), View().GetFastPointer() + View().DataSize());
  }
  void Trigger(const char* menu, const char* item) {
    QAction* a = form.FindAction(menu, item);
    QVERIFY2(a && a->isEnabled(), item);
    a->trigger();
    QApplication::processEvents();
  }
};

std::string Value(const std::vector<THexInspectorRow>& rows, const std::string& name) {
  for (const THexInspectorRow& r : rows)
    if (r.name == name) return r.value;
  return "(no row " + name + ")";
}

}  // namespace

class HexEditToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void gotoOffsetText() {
    struct Case {
      const char* text;
      Integer expected;  // -1: refused
    };
    // Caret on byte 0x20 of 0x100 bytes.
    for (const Case& c : {Case{"0x100", -1}, Case{"0xFF", 255}, Case{"100h", -1}, Case{"80h", 128},
                          Case{" 64 ", 64}, Case{"$10", 16}, Case{"+0x40", 0x60}, Case{"-16", 0x10},
                          Case{"- 0x20", 0}, Case{"-0x21", -1}, Case{"0x", -1}, Case{"12g", -1},
                          Case{"", -1}, Case{"+-3", -1}, Case{"99999999999999999999", -1}}) {
      const THexGotoResult r = ParseGotoOffset(c.text, 0x20, 0x100);
      QVERIFY2(r.ok == (c.expected >= 0), c.text);
      if (r.ok) QCOMPARE(r.target, c.expected);
      QVERIFY2(r.ok == r.error.empty(), c.text);
    }
    QVERIFY(!ParseGotoOffset("0", 0, 0).ok);  // no data
  }

  void gotoOffsetDialogAndMenu() {
    TGotoDialog dialog(nullptr, 0, 0x100);
    dialog.OffsetText()->setText("0x100");
    dialog.accept();
    QVERIFY(dialog.result() != QDialog::Accepted);
    QVERIFY(dialog.Message().contains("outside the data"));
    dialog.OffsetText()->setText("+0x40");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Target(), 0x40);

    Editor e;
    e.Fill(std::string(0x10000, 'x'));
    e.View().SetInCharField(true);
    e.form.AskOffset = [](Integer& target) {
      target = 0x8000;
      return true;
    };
    e.Trigger("Edit", "Go to Offset...");
    QCOMPARE(e.View().Data().CaretIndex(), 0x8000);
    QVERIFY(e.View().GetInCharField());  // in the field it was in
    const int row = e.View().Row();
    QVERIFY(row >= e.View().TopRow() && row < e.View().TopRow() + e.View().VisibleRowCount());
    QCOMPARE(e.form.FindAction("Edit", "Go to Offset...")->shortcut(), QKeySequence("Ctrl+G"));
  }

  void inspectorValues() {
    const Bytes b = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88};
    auto rows = InspectBytes(b.data(), b.size(), "x");
    QCOMPARE(Value(rows, "Int8"), std::string("1"));
    QCOMPARE(Value(rows, "Int16 LE"), std::string("513"));
    QCOMPARE(Value(rows, "Int16 BE"), std::string("258"));
    QCOMPARE(Value(rows, "UInt32 LE"), std::string("67305985"));
    QCOMPARE(Value(rows, "UInt32 BE"), std::string("16909060"));
    QCOMPARE(Value(rows, "Int64 LE"), std::string("-8644934341102468607"));
    QCOMPARE(Value(rows, "UInt64 LE"), std::string("9801809732607083009"));
    QCOMPARE(Value(rows, "Int64 BE"), std::string("72623859790382984"));
    QCOMPARE(Value(rows, "Binary"), std::string("00000001"));
    QCOMPARE(Value(rows, "Character"), std::string("x"));
    const Bytes f = {0x00, 0x00, 0x80, 0x3F, 0xC0, 0x00, 0x00, 0x00};
    rows = InspectBytes(f.data(), f.size(), "");
    QCOMPARE(Value(rows, "Float32 LE"), std::string("1"));
    QCOMPARE(Value(rows, "Float32 BE"), std::string("4.60060299e-41"));
    QCOMPARE(Value(rows, "Float64 LE"), std::string("4.0794954629004437e-312"));
    const Bytes g = {0x3F, 0xF8, 0, 0, 0, 0, 0, 0};
    QCOMPARE(Value(InspectBytes(g.data(), 8, ""), "Float64 BE"), std::string("1.5"));
    const Bytes ff = {0xFF, 0xFE};
    rows = InspectBytes(ff.data(), 2, "");
    QCOMPARE(Value(rows, "Int8"), std::string("-1"));
    QCOMPARE(Value(rows, "UInt8"), std::string("255"));
    QCOMPARE(Value(rows, "Int16 LE"), std::string("-257"));
    QCOMPARE(Value(rows, "UInt16 BE"), std::string("65534"));
    QCOMPARE(Value(rows, "Int32 LE"), std::string(kHexInspectorMissing));  // two bytes only
    QCOMPARE(Value(rows, "Float32 BE"), std::string(kHexInspectorMissing));
    QCOMPARE(Value(rows, "Binary"), std::string("11111111"));
    rows = InspectBytes(nullptr, 0, "");
    QCOMPARE(Value(rows, "Int8"), std::string(kHexInspectorMissing));
    QCOMPARE(Value(rows, "Character"), std::string(kHexInspectorMissing));
  }

  void inspectorFollowsTheCaretAndIsRemembered() {
    QTemporaryDir dir;
    const std::string prefs = dir.filePath("window.ini").toStdString();
    {
      Editor e(prefs);
      e.Fill("AB\x01\x02");
      auto* panel = dynamic_cast<TInspectorPanel*>(e.form.findChild<QWidget*>("inspector"));
      QVERIFY(panel && !panel->isVisible());
      e.Trigger("View", "Inspector");
      QVERIFY(panel->isVisible());
      QVERIFY(e.View().Width() < e.form.ClientWidth() - TInspectorPanel::kWidth / 2);
      auto cell = [&](int row, int col) { return panel->Table().item(row, col)->text(); };
      QCOMPARE(cell(0, 0), QString("Int8"));
      QCOMPARE(cell(0, 1), QString("65"));
      QCOMPARE(cell(static_cast<int>(panel->Table().rowCount()) - 1, 1), QString("A"));
      e.View().Data().MoveCaret(2, false);
      e.form.UpdateUi();
      QCOMPARE(panel->Position(), 2);
      QCOMPARE(cell(2, 1), QString("513"));  // Int16 LE of 01 02
      e.View().SetSelection(1, 1, 3);        // the selection start counts
      e.form.UpdateUi();
      QCOMPARE(panel->Position(), 1);
    }
    Editor next(prefs);
    QVERIFY(next.form.InspectorShown());
    QVERIFY(next.form.findChild<QWidget*>("inspector")->isVisible());
  }

  // Shown near the screen's right edge, the panel moves the window left
  // instead of pushing it off the screen; hidden again, the view keeps the
  // width the panel had taken.
  void inspectorKeepsTheWindowOnTheScreen() {
    Editor e;
    const QRect area = e.form.screen()->availableGeometry();
    e.form.SetBounds(area.right() - 420, area.top() + 40, 400, 300);
    QApplication::processEvents();
    const int viewWidth = e.View().Width();
    e.Trigger("View", "Inspector");
    QCOMPARE(e.form.geometry().width(), 400 + TInspectorPanel::kWidth);
    QVERIFY2(e.form.frameGeometry().right() <= area.right(), "off the right edge");
    QVERIFY(e.form.frameGeometry().left() >= area.left());
    QCOMPARE(e.View().Width(), viewWidth);
    e.Trigger("View", "Inspector");
    QCOMPARE(e.form.geometry().width(), 400);
  }

  void pasteOverOverwritesAndAsksBeforeGrowing() {
    Editor e;
    e.Fill("abcdef");
    QGuiApplication::clipboard()->setText("XYZ");
    e.View().Data().MoveCaret(1, false);
    e.form.UpdateUi();
    e.Trigger("Edit", "Paste Over");
    QCOMPARE(e.Text(), std::string("aXYZef"));
    QCOMPARE(e.View().Data().Selection(), (THVSelection{1, 1, 3}));
    QVERIFY(e.questions.empty());
    e.View().ResetSelection(false);
    e.View().Data().MoveCaret(4, false);
    e.form.UpdateUi();
    e.Trigger("Edit", "Paste Over");  // one byte beyond the end: asked, refused
    QCOMPARE(int(e.questions.size()), 1);
    QCOMPARE(e.Text(), std::string("aXYZef"));
    e.answer = true;
    e.Trigger("Edit", "Paste Over");
    QCOMPARE(e.Text(), std::string("aXYZXYZ"));
    e.View().Undo();
    QCOMPARE(e.Text(), std::string("aXYZef"));
    e.View().SetNoSizeChange(true);  // a fixed size takes what fits, without asking
    e.View().Data().MoveCaret(4, false);
    e.form.UpdateUi();
    e.Trigger("Edit", "Paste Over");
    QCOMPARE(e.Text(), std::string("aXYZXY"));
    QCOMPARE(int(e.questions.size()), 2);
    QCOMPARE(e.form.FindAction("Edit", "Paste Over")->shortcut(), QKeySequence("Ctrl+B"));
  }

  void newRevertRecentAndMissingFiles() {
    QTemporaryDir dir;
    const std::string prefs = dir.filePath("window.ini").toStdString();
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
      names.push_back(dir.filePath(QString("f%1.bin").arg(i)).toStdString());
      WriteFile(names.back(), "0123");
    }
    Editor e(prefs);
    for (const std::string& n : names) QVERIFY(e.form.OpenFile(n));
    const std::vector<std::string> recent = e.form.Preferences().RecentFiles();
    QCOMPARE(int(recent.size()), THexEditPreferences::kMaxRecent);
    QCOMPARE(recent.front(), names.back());
    QCOMPARE(recent.back(), names[2]);
    QMenu* menu = nullptr;
    for (QAction* a : e.form.Menu("&File")->actions())
      if (a->menu() && a->text().remove('&') == "Open Recent") menu = a->menu();
    QVERIFY(menu);
    emit menu->aboutToShow();
    QCOMPARE(int(menu->actions().size()), THexEditPreferences::kMaxRecent);
    menu->actions()[3]->trigger();  // the fourth most recent
    QCOMPARE(e.form.DocumentName(), names[6]);

    // Revert: the file as it is on disk, after asking.
    QTest::keyClicks(&e.View(), "ff");
    QCOMPARE(e.Text(), std::string("\xFF"
                                   "123"));
    e.answer = true;
    e.Trigger("File", "Revert");
    QCOMPARE(e.Text(), std::string("0123"));
    QVERIFY(!e.View().GetModified());

    e.Trigger("File", "New");
    QCOMPARE(e.View().DataSize(), 0);
    QVERIFY(e.form.DocumentName().empty());
    QVERIFY(!e.form.FindAction("File", "Revert")->isEnabled());

    // A file named on the command line that does not exist yet.
    const std::string fresh = dir.filePath("new.bin").toStdString();
    e.form.OpenFileOrNew(fresh);
    QVERIFY(e.form.StatusMessage().find("does not exist") != std::string::npos);
    QVERIFY(QString::fromStdString(e.form.Caption()).startsWith("new.bin"));
    QTest::keyClick(&e.View(), Qt::Key_Insert);
    QTest::keyClicks(&e.View(), "4142");
    QVERIFY(e.form.Save());
    std::ifstream saved(fresh, std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(saved), {}), std::string("AB"));
  }

  void aFileOpensInOverwriteModeAndSaysWhenReadOnly() {
    QTemporaryDir dir;
    const std::string settings = dir.filePath("files.ini").toStdString();
    const std::string name = dir.filePath("a.bin").toStdString();
    WriteFile(name, "abcd");
    {
      Editor e;
      e.form.SetSettingsFile(settings);
      QVERIFY(e.form.OpenFile(name));
      e.View().SetInsertMode(true);
      e.form.RememberDocument();  // the settings now say insert mode
    }
    Editor e;
    e.form.SetSettingsFile(settings);
    QVERIFY(e.form.OpenFile(name));
    QVERIFY(!e.View().GetInsertMode());
    QVERIFY(!QString::fromStdString(e.form.Caption()).contains("read-only"));
    e.View().Data().ForceReadOnlyFile(true);  // as a file without write permission loads
    e.form.UpdateUi();
    QVERIFY(QString::fromStdString(e.form.Caption()).contains("(read-only)"));
    QVERIFY(e.form.StatusText().find("read-only") != std::string::npos);
  }

  void undoEntryNamesItsStepOnlyWhenThereIsOne() {
    Editor e;
    e.Fill("ab");
    QAction* undo = e.form.FindAction("Edit", "Undo");
    QVERIFY(undo && !undo->isEnabled());
    QTest::keyClicks(&e.View(), "1");
    e.form.UpdateUi();
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QString("&Undo Change Byte(s)\tCtrl+Z"));
    e.View().Undo();
    e.form.UpdateUi();
    QCOMPARE(undo->text(), QString("&Undo\tCtrl+Z"));
    QVERIFY(e.form.FindAction("Edit", "Redo")->isEnabled());
  }
};

QTEST_MAIN(HexEditToolsTest)
#include "tst_hexedit_tools.moc"
