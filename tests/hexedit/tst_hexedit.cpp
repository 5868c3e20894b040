// zn4417hex driven as a user would: open a file, type, undo, redo, insert,
// delete, save; the file on disk holds exactly the expected bytes.
#include <QAction>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "framework/application.h"
#include "hexedit/hexeditform.h"

namespace {

using Bytes = std::vector<Byte>;

void WriteFile(const std::string& name, const Bytes& bytes) {
  std::ofstream f(name, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct Editor {
  THexEditForm form;
  std::vector<std::string> errors;
  int questions = 0;
  THexEditSaveAnswer answer = saCancel;
  std::string saveName;

  Editor() {
    form.ShowError = [this](const std::string& m) { errors.push_back(m); };
    form.AskSaveChanges = [this](const std::string&) {
      ++questions;
      return answer;
    };
    form.AskFileName = [this](bool, const std::string&) { return saveName; };
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
  }
  THexViewEx& View() { return form.View(); }
  void Keys(const char* text) { QTest::keyClicks(&View(), text); }
  void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&View(), k, m); }
  void Shortcut(Qt::Key k, Qt::KeyboardModifiers m) {
    QTest::keyClick(&form, k, m);
    QApplication::processEvents();
  }
  void Trigger(const std::string& menu, const std::string& item) {
    QAction* a = form.FindAction(menu, item);
    QVERIFY2(a, item.c_str());
    a->trigger();
    QApplication::processEvents();
  }
  Bytes Contents() {
    return Bytes(View().GetFastPointer(), View().GetFastPointer() + View().DataSize());
  }
};

}  // namespace

class HexEditTest : public QObject {
  Q_OBJECT

 private slots:
  void editAndSaveAFile() {
    QTemporaryDir dir;
    const std::string name = dir.filePath("img.bin").toStdString();
    WriteFile(name, Bytes{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77});
    Editor e;
    QVERIFY(e.form.OpenFile(name));
    THexViewEx& v = e.View();
    QCOMPARE(v.Data().CaretIndex(), 0);
    QCOMPARE(v.Col(), 2);  // first digit of byte 0 in the hex field
    QVERIFY(!v.GetInsertMode());
    QVERIFY(v.Focused());
    QCOMPARE(QString::fromStdString(e.form.Caption()), QString("img.bin - ZN4417 Hex Editor"));

    e.Keys("ab");
    QCOMPARE(e.Contents(), (Bytes{0xAB, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}));
    QApplication::processEvents();
    QVERIFY(QString::fromStdString(e.form.Caption()).startsWith("img.bin *"));
    QVERIFY(QString::fromStdString(e.form.StatusText()).contains("Modified"));
    QVERIFY(QString::fromStdString(e.form.StatusText()).contains("Offset: 0x00000001"));

    e.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e.Contents()[0], Byte{0xA0});
    e.Trigger("Edit", "Undo Change Byte(s)");
    QCOMPARE(e.Contents()[0], Byte{0x00});
    e.Trigger("Edit", "Redo");
    QCOMPARE(e.Contents()[0], Byte{0xA0});
    e.Keys("b");
    QCOMPARE(e.Contents()[0], Byte{0xAB});

    e.Trigger("Edit", "Insert Mode");  // caret on byte 1
    QVERIFY(v.GetInsertMode());
    QVERIFY(QString::fromStdString(e.form.StatusText()).contains("Insert"));
    e.Keys("cd");
    QCOMPARE(e.Contents(), (Bytes{0xAB, 0xCD, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}));
    e.Key(Qt::Key_Right);
    e.Key(Qt::Key_Right);  // onto byte 3
    e.Key(Qt::Key_Delete);
    QCOMPARE(e.Contents(), (Bytes{0xAB, 0xCD, 0x11, 0x33, 0x44, 0x55, 0x66, 0x77}));
    e.Key(Qt::Key_Backspace);
    QCOMPARE(e.Contents(), (Bytes{0xAB, 0xCD, 0x33, 0x44, 0x55, 0x66, 0x77}));

    e.Shortcut(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(e.errors.empty());
    QCOMPARE(ReadFile(name), (Bytes{0xAB, 0xCD, 0x33, 0x44, 0x55, 0x66, 0x77}));
    QCOMPARE(QString::fromStdString(e.form.Caption()), QString("img.bin - ZN4417 Hex Editor"));
    QVERIFY(!v.GetModified());

    // Save As writes elsewhere and makes that file the document.
    e.Key(Qt::Key_End, Qt::ControlModifier);
    e.Keys("9");
    e.saveName = dir.filePath("copy.bin").toStdString();
    e.Trigger("File", "Save As...");
    QCOMPARE(ReadFile(e.saveName), (Bytes{0xAB, 0xCD, 0x33, 0x44, 0x55, 0x66, 0x77, 0x90}));
    QCOMPARE(ReadFile(name), (Bytes{0xAB, 0xCD, 0x33, 0x44, 0x55, 0x66, 0x77}));
    QVERIFY(QString::fromStdString(e.form.Caption()).startsWith("copy.bin - "));
  }

  void quittingAsksBeforeLosingChanges() {
    QTemporaryDir dir;
    const std::string name = dir.filePath("a.bin").toStdString();
    WriteFile(name, Bytes{1, 2, 3});
    Editor e;
    QVERIFY(e.form.OpenFile(name));
    e.Shortcut(Qt::Key_Q, Qt::ControlModifier);  // nothing changed: closes without asking
    QCOMPARE(e.questions, 0);
    QVERIFY(!e.form.isVisible());

    Editor f;
    QVERIFY(f.form.OpenFile(name));
    f.Keys("f");
    f.answer = saCancel;
    f.Shortcut(Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(f.questions, 1);
    QVERIFY(f.form.isVisible());
    f.answer = saSave;
    f.Trigger("File", "Quit");
    QCOMPARE(f.questions, 2);
    QVERIFY(!f.form.isVisible());
    QCOMPARE(ReadFile(name), (Bytes{0xF1, 2, 3}));
  }

  void openingAMissingFileTellsTheUser() {
    Editor e;
    QVERIFY(!e.form.OpenFile("/nonexistent/dir/file.bin"));
    QCOMPARE(e.errors.size(), size_t{1});
    QCOMPARE(e.View().DataSize(), 0);
    QVERIFY(QString::fromStdString(e.form.Caption()).startsWith("Untitled"));
  }

  void viewMenuChangesTheLayout() {
    Editor e;
    e.Trigger("View", "32 bytes per row");
    QCOMPARE(e.View().BytesPerRow(), 32);
    e.Trigger("View", "Decimal");
    QCOMPARE(QString::fromStdString(e.View().OffsetFormat()), QString("-!A:|"));
    e.Trigger("View", "EBCDIC Codepage 38");
    QCOMPARE(e.View().Translation(), tkBCD);
  }
};

QTEST_MAIN(HexEditTest)
#include "tst_hexedit.moc"
