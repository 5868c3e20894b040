// The window against a device that fails on the wire (a device emulator
// over TCP with short bridge time-outs): pulled out, silent, garbage,
// answering without waiting, at the phases of a Read and of a Write. A
// failed Read leaves the image and the controls as they were, a failed
// Write shows no message, the window answers again at once afterwards, and
// the status line follows the plug.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "link/tcp_bridge.h"
#include "tests/app/window_test_util.h"
#include "widgets/nvspnedt.h"

Q_DECLARE_METATYPE(WireFault)

namespace {

constexpr int kCapMs = 250;

std::vector<uint8_t> ChipPattern() {
  std::vector<uint8_t> block = PatternBlock(0x11);
  const std::vector<uint8_t> powerOn = SimulatedChip::PowerOnSfr();
  std::copy(powerOn.begin() + 10, powerOn.begin() + 33, block.begin() + 10);
  return block;
}

// The window over the emulator, its bridge waiting at most `capMs` (0: the
// designed time-outs).
bool CreateWindow(TcpWindow& w, uint32_t capMs = kCapMs) {
  if (!w.Create()) return false;
  auto* tcp = dynamic_cast<TcpBridgeLibrary*>(w.setup.library.get());
  if (tcp == nullptr) return false;
  tcp->CapTimeouts(capMs);
  w.emulator.WriteMemory(SFR, 0, ChipPattern());
  return w.form->ConnectionText() == "USB Status: Connect!";
}

// Nothing waits for events: a zero-time timer fires at once when the
// window's thread is free.
bool Responsive() {
  bool fired = false;
  QTimer::singleShot(0, [&] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  while (!fired && clock.elapsed() < 200) QApplication::processEvents();
  return fired;
}

// Arms `fault` on the emulator and clicks `button`; how long the click
// held the window's thread.
qint64 ClickWithFault(TcpWindow& w, TNvToolButton* button, const WireFault& fault) {
  w.emulator.SetWireFault(fault);
  QElapsedTimer clock;
  clock.start();
  ClickTool(button);
  return clock.elapsed();
}

void AddFaultRows(std::initializer_list<std::tuple<const char*, WireFault, int>> rows) {
  QTest::addColumn<WireFault>("fault");
  QTest::addColumn<int>("timeouts");
  for (const auto& [name, fault, timeouts] : rows) QTest::newRow(name) << fault << timeouts;
}

}  // namespace

class WindowFaultTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void failedReadChangesNothing_data() {
    AddFaultRows({{"pulled before the command", {waUnplug, 0, 0}, 0},
                  {"pulled during the reply", {waUnplug, 5, 1}, 0},
                  {"pulled during chunk 0", {waUnplug, 5, 12}, 0},
                  {"pulled after ack 0", {waUnplug, 7, 0}, 0},
                  {"pulled in the last byte of chunk 1", {waUnplug, 7, 31}, 0},
                  {"silent after the command", {waSilent, 5, 0}, 1},
                  {"silent before chunk 1", {waSilent, 7, 0}, 1},
                  {"garbage reply", {waGarbage, 5, 0}, 0},
                  {"chunks without waiting", {waEarly, 5, 0}, 1}});
  }

  void failedReadChangesNothing() {
    QFETCH(WireFault, fault);
    QFETCH(int, timeouts);
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(CreateWindow(w));
    TForm1& form = *w.form;
    const std::vector<uint8_t> image = WindowImage(form);
    const std::string db = form.DB->Text();
    const qint64 took = ClickWithFault(w, form.BtnFind, fault);
    QVERIFY(w.emulator.WireFaultFired());
    QVERIFY2(took < timeouts * kCapMs + 1000, qPrintable(QString::number(took)));
    QVERIFY(WindowImage(form) == image);
    QCOMPARE_STR(form.DB->Text(), db);
    QVERIFY(recorder.boxes.empty());
    QVERIFY(Responsive());
  }

  void failedWriteShowsNoMessage_data() {
    AddFaultRows({{"pulled after the command", {waUnplug, 5, 0}, 0},
                  {"pulled during chunk 0", {waUnplug, 20, 0}, 0},
                  {"pulled during ack 0", {waUnplug, 37, 1}, 0},
                  {"pulled before the last ack", {waUnplug, 69, 0}, 0},
                  {"pulled during the wait", {waUnplug, 69, 2}, 0},
                  {"pulled during the read-back", {waUnplug, 74, 20}, 0},
                  {"silent after the command", {waSilent, 5, 0}, 2},
                  {"silent before the last ack", {waSilent, 69, 0}, 2},
                  {"garbage acknowledgement", {waGarbage, 37, 0}, 0},
                  {"garbage in the read-back", {waGarbage, 74, 10}, 0},
                  {"read-back without waiting", {waEarly, 74, 0}, 1}});
  }

  void failedWriteShowsNoMessage() {
    QFETCH(WireFault, fault);
    QFETCH(int, timeouts);
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(CreateWindow(w));
    TForm1& form = *w.form;
    form.DB->SetValue(10);
    const qint64 took = ClickWithFault(w, form.BtnEdit, fault);
    QVERIFY(w.emulator.WireFaultFired());
    QVERIFY2(took < timeouts * kCapMs + 1000, qPrintable(QString::number(took)));
    QVERIFY(recorder.boxes.empty());
    QCOMPARE_STR(form.DB->Text(), "10");
    QVERIFY(Responsive());
  }

  // The designed time-outs: a Read from a device that never answers ends
  // after one read time-out, and the window takes input again.
  void silentDeviceWithTheDesignedTimeouts() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(CreateWindow(w, 0));
    const std::vector<uint8_t> image = WindowImage(*w.form);
    const qint64 took = ClickWithFault(w, w.form->BtnFind, {waSilent, 5, 0});
    qInfo("Read from a silent device failed after %lld ms", took);
    QVERIFY(took >= UsbLink::kReadTimeoutMs - 50);
    QVERIFY(took < UsbLink::kReadTimeoutMs + 1000);
    QVERIFY(WindowImage(*w.form) == image);
    QVERIFY(Responsive());
  }

  // Pulled out in the middle of a Read: the status line says so within a
  // probe interval or two, and once the device is back a Read works.
  void statusFollowsAnUnplugDuringARead() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(CreateWindow(w));
    TForm1& form = *w.form;
    w.emulator.SetWireFault({waUnplug, 5, 20});
    ClickTool(form.BtnFind);
    QTRY_COMPARE_STR_WITH_TIMEOUT(form.ConnectionText(), "USB Status: NO Connect!", 2000);
    QVERIFY(!w.form->Controller().Connected());
    w.emulator.Plug();
    QTRY_COMPARE_STR_WITH_TIMEOUT(form.ConnectionText(), "USB Status: Connect!", 2000);
    ClickTool(form.BtnFind);
    QVERIFY(WindowImage(form) == ChipPattern());
  }

  void statusFollowsAnUnplugAtRest() {
    TcpWindow w;
    QVERIFY(CreateWindow(w));
    w.emulator.Unplug();
    QTRY_COMPARE_STR_WITH_TIMEOUT(w.form->ConnectionText(), "USB Status: NO Connect!", 2000);
    const std::vector<uint8_t> image = WindowImage(*w.form);
    ClickTool(w.form->BtnFind);
    QVERIFY(WindowImage(*w.form) == image);
  }
};

QTEST_MAIN(WindowFaultTest)
#include "window_fault_test.moc"
