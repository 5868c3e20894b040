// The program's entry: its command line, and how an escaped exception is shown.
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <stdexcept>

#include "framework/exceptions.h"
#include "tests/app/app_test_util.h"

namespace {

struct Run {
  int exitCode;
  QString out;
  QString err;
};

Run RunProgramWith(const QStringList& args) {
  QProcess process;
  process.start(ZN4417CONFIG_PATH, args);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    return {-1, "", "did not finish"};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void frameworkExceptionIsShownWithItsMessage() {
    MessageBoxRecorder recorder;
    ShowEscapedException(std::make_exception_ptr(EOutOfResources("Out of system resources")));
    QCOMPARE(recorder.boxes.size(), size_t(1));
    QCOMPARE_STR(recorder.boxes[0].first, "Out of system resources");
    QCOMPARE_STR(recorder.boxes[0].second, "ZN4417Config");
  }

  void otherExceptionsAreShownWithAnEmptyMessage() {
    MessageBoxRecorder recorder;
    ShowEscapedException(std::make_exception_ptr(std::runtime_error("not shown")));
    ShowEscapedException(std::make_exception_ptr(42));
    QCOMPARE(recorder.boxes.size(), size_t(2));
    QCOMPARE_STR(recorder.boxes[0].first, "");
    QCOMPARE_STR(recorder.boxes[1].first, "");
    QCOMPARE_STR(recorder.boxes[1].second, "ZN4417Config");
  }

  void badBridgeAddressIsOneLineAndExit64() {
    for (const QStringList& args :
         {QStringList{"--bridge", "serial://x"}, QStringList{"--bridge=tcp://host"},
          QStringList{"--usb-id", "10C4-EA61"}, QStringList{"--bridge"},
          QStringList{"--colour=red"}}) {
      const Run run = RunProgramWith(args);
      QCOMPARE(run.exitCode, 64);
      QVERIFY(run.out.isEmpty());
      QVERIFY2(run.err.startsWith("zn4417config: "), qPrintable(run.err));
      QCOMPARE(run.err.count('\n'), 1);
      QVERIFY(run.err.endsWith('\n'));
    }
  }

  void helpTellsTheOptions() {
    const Run run = RunProgramWith({"--help"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("--bridge ADDRESS"));
    QVERIFY(run.out.contains("--usb-id VVVV:PPPP"));
    QVERIFY(run.out.contains("--advanced"));
    QVERIFY(run.out.contains("--verbose"));
    QVERIFY(run.err.isEmpty());
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
