// zn4417hex: printing from the File menu and the command line, and the view
// settings and bookmarks each file keeps between runs.
#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "hexedit/hexeditform.h"

namespace {

void WriteFile(const QString& name, int size, int first) {
  std::ofstream f(name.toStdString(), std::ios::binary);
  for (int i = 0; i < size; ++i) f.put(static_cast<char>(first + i));
}

std::string PdfText(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  p.waitForFinished(30000);
  std::string text;
  for (char c : p.readAllStandardOutput().toStdString())
    if (c != ' ' || text.empty() || text.back() != ' ') text += c;  // runs of spaces made one
  return text;
}

struct Run {
  int code = -1;
  std::string err, out;
};

// Runs a program; withoutDisplay: with no display and no platform set.
Run Program(const QStringList& args, bool withoutDisplay = false,
            const QString& program = ZN4417HEX_PATH) {
  QProcess p;
  if (withoutDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    p.setProcessEnvironment(env);
  }
  p.start(program, args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          p.readAllStandardError().toStdString(), p.readAllStandardOutput().toStdString()};
}

struct Editor {
  THexEditForm form;
  std::vector<std::string> errors;
  std::string saveName;
  explicit Editor(const QString& settings = QString()) {
    form.ShowError = [this](const std::string& m) { errors.push_back(m); };
    form.AskFileName = [this](bool, const std::string&) { return saveName; };
    form.AskSaveChanges = [](const std::string&) { return saDiscard; };
    if (!settings.isEmpty()) form.SetSettingsFile(settings.toStdString());
  }
};

}  // namespace

class HexEditPrintTest : public QObject {
  Q_OBJECT

 private slots:
  void theFileMenuPrintsBeforeQuit() {
    Editor e;
    QMenu* file = e.form.Menu("&File");
    QStringList texts;
    for (QAction* a : file->actions())
      if (!a->isSeparator()) texts << a->text().remove('&');
    QCOMPARE(texts, (QStringList{"New", "Open...", "Open Recent", "Save", "Save As...", "Revert",
                                 "Print...", "Print Preview...", "Export as PDF...", "Quit"}));
  }

  void exportAsPdfFromTheMenu() {
    QTemporaryDir dir;
    const QString bin = dir.filePath("data.bin"), pdf = dir.filePath("data.pdf");
    WriteFile(bin, 40, 0x41);
    Editor e;
    QVERIFY(e.form.OpenFile(bin.toStdString()));
    e.saveName = pdf.toStdString();
    e.form.FindAction("&File", "Export as PDF...")->trigger();
    QVERIFY(e.errors.empty());
    const std::string text = PdfText(pdf);
    QVERIFY2(text.find("0x00: 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 ABCDEFGHIJKLMNOP") !=
                 std::string::npos,
             text.c_str());
    QVERIFY2(text.find("0x20: 61 62 63 64 65 66 67 68 abcdefgh") != std::string::npos,
             text.c_str());
    e.saveName = dir.filePath("no/such/folder/x.pdf").toStdString();
    e.form.FindAction("&File", "Export as PDF...")->trigger();
    QCOMPARE(int(e.errors.size()), 1);
  }

  void printPdfFromTheCommandLine() {
    QTemporaryDir dir;
    const QString bin = dir.filePath("rom.bin"), pdf = dir.filePath("rom.pdf");
    WriteFile(bin, 64, 0x30);
    Run r = Program({"--print-pdf", pdf, bin});
    QCOMPARE(r.code, 0);
    const std::string text = PdfText(pdf);
    QVERIFY2(text.find("0x00: 30 31 32 33") != std::string::npos, text.c_str());
    QVERIFY2(text.find("0x30: 60 61") != std::string::npos, text.c_str());
    // The default page header: the file name and the page count.
    QVERIFY2(text.find("rom.bin") != std::string::npos, text.c_str());
    QVERIFY2(text.find("Page 1 of 1") != std::string::npos, text.c_str());
    r = Program({"--print-pdf", dir.filePath("x.pdf"), dir.filePath("missing.bin")});
    QVERIFY(r.code != 0);
    QVERIFY2(r.err.find("Cannot open") != std::string::npos, r.err.c_str());
    QVERIFY(!QFile::exists(dir.filePath("x.pdf")));
    QCOMPARE(Program({"--print-pdf", pdf}).code, 64);
  }

  // --help and --version need no window; without a display a window
  // program says so in one line and exits 1 (no abort).
  void commandLineWithoutAWindow() {
    Run r = Program({"--version"}, true);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, std::string("zn4417hex 1.71\n"));
    r = Program({"--help"}, true);
    QCOMPARE(r.code, 0);
    for (const char* key : {"Ctrl+G", "Shift+F3", "Ctrl+B", "Ctrl+Z", "Tab"})
      QVERIFY2(r.out.find(key) != std::string::npos, key);
    QCOMPARE(Program({"--no-such-option"}, true).code, 64);
    for (const QString& program : {QString(ZN4417HEX_PATH), QString(ZN4417CONFIG_PATH)}) {
      r = Program({}, true, program);
      QCOMPARE(r.code, 1);
      QCOMPARE(std::count(r.err.begin(), r.err.end(), '\n'), 1L);
      QVERIFY2(r.err.find("no display") != std::string::npos, r.err.c_str());
    }
  }

  void eachFileKeepsItsViewSettingsAndBookmarks() {
    QTemporaryDir dir;
    const QString settings = dir.filePath("conf/files.ini");
    const QString a = dir.filePath("a.bin"), b = dir.filePath("b.bin");
    WriteFile(a, 256, 0);
    WriteFile(b, 256, 0);
    {
      Editor e(settings);
      QVERIFY(e.form.OpenFile(a.toStdString()));
      e.form.View().SetBytesPerRow(8);
      e.form.View().SetTranslation(tkMac);
      e.form.View().SetBookmarkVals(2, 0x21, false);
      QVERIFY(e.form.OpenFile(b.toStdString()));  // a's settings are stored now
      e.form.View().SetBookmarkVals(5, 0x10, true);
      e.form.View().SetBytesPerRow(32);
      e.form.Close();  // and b's when the window closes
    }
    Editor next(settings);  // the next run
    THexViewEx& v = next.form.View();
    QVERIFY(next.form.OpenFile(a.toStdString()));
    QCOMPARE(v.BytesPerRow(), 8);
    QCOMPARE(v.Translation(), tkMac);
    QCOMPARE(v.GetBookmark(2).Position, 0x21);
    QCOMPARE(v.GetBookmark(5).Position, -1);
    QVERIFY(next.form.OpenFile(b.toStdString()));
    QCOMPARE(v.BytesPerRow(), 32);
    QCOMPARE(v.GetBookmark(5), (THVBookmark{0x10, true}));
    QCOMPARE(v.GetBookmark(2).Position, -1);
    // A file never seen keeps what the view shows.
    const QString c = dir.filePath("c.bin");
    WriteFile(c, 16, 0);
    Editor other;  // no settings file: nothing is kept or read
    QVERIFY(other.form.OpenFile(a.toStdString()));
    QCOMPARE(other.form.View().BytesPerRow(), 16);
  }
};

QTEST_MAIN(HexEditPrintTest)
#include "tst_hexedit_print.moc"
