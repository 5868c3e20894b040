// The window's handling of the device-change message: what reaches the
// controller, and what the controller then does with the link and the pane.
#include <QApplication>
#include <QTest>

#include "app/device_filter.h"
#include "tests/app/app_test_util.h"
#include "tests/support/recording_bridge_library.h"

namespace {

using Op = RecordingBridgeLibrary::Op;

const std::string kBridgePath = MakeDevicePath(0x10C4, 0xEA61, "tx_v1.0");

LRESULT SendDeviceChange(TForm1& form, uint32_t event, uint32_t type, const std::string& path) {
  const DeviceBroadcast record{type, path};
  return SendMessage(&form, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&record));
}

size_t CountOf(const RecordingBridgeLibrary& library, Op op) {
  return library.CallsOf(op).size();
}

}  // namespace

class DeviceMessageTest : public QObject {
  Q_OBJECT

 private slots:
  void arrivalOfTheBridgeConnectsOnce() {
    RecordingBridgeLibrary library;
    TForm1 form(library, nullptr);
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    library.AddDevice("tx_v1.0");
    library.ClearCalls();
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kBridgePath),
             LRESULT(0));
    QCOMPARE(CountOf(library, Op::kGetNumDevices), size_t(1));
    QCOMPARE(CountOf(library, Op::kOpen), size_t(1));
    QVERIFY(form.Connected());
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
  }

  void ignoredMessagesLeaveTheLinkAlone() {
    RecordingBridgeLibrary library;
    library.AddDevice("tx_v1.0");
    TForm1 form(library, nullptr);
    QVERIFY(form.Connected());
    library.ClearCalls();
    const std::string otherCase = MakeDevicePath(0x10C4, 0xEA61, "TX_V1.0");
    const std::string otherDevice = MakeDevicePath(0x10C4, 0xEA61, "other");
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEARRIVAL, 5, otherCase), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, 5, otherCase), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, 5, otherDevice), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEQUERYREMOVE, 5, kBridgePath), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEREMOVEPENDING, 5, kBridgePath), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, kBridgePath), LRESULT(0));
    QCOMPARE(SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_VOLUME, kBridgePath),
             LRESULT(0));
    QCOMPARE(SendMessage(&form, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0), LRESULT(0));
    QVERIFY2(library.calls.empty(), library.Trace().c_str());
    QVERIFY(form.Connected());
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
  }

  void removalOfTheBridgeClosesTheLink() {
    RecordingBridgeLibrary library;
    library.AddDevice("tx_v1.0");
    TForm1 form(library, nullptr);
    QVERIFY(form.Link().IsOpen());
    library.ClearCalls();
    SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, 5, kBridgePath);
    QCOMPARE(CountOf(library, Op::kClose), size_t(1));
    QVERIFY(!form.Link().IsOpen());
    QVERIFY(form.Link().Handle() == nullptr);
    QVERIFY(!form.Connected());
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    // A second removal finds nothing to close but says the same.
    SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, 5, kBridgePath);
    QCOMPARE(CountOf(library, Op::kClose), size_t(1));
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
  }

  void arrivalWhoseOpenFailsIsNoConnection() {
    RecordingBridgeLibrary library;
    TForm1 form(library, nullptr);
    library.AddDevice("tx_v1.0");
    library.devices[0].openStatus = 5;
    SendDeviceChange(form, DBT_DEVICEARRIVAL, 5, kBridgePath);
    QVERIFY(!form.Connected());
    QVERIFY(!form.Link().IsOpen());
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    // The next arrival tries again.
    library.devices[0].openStatus = kBridgeOk;
    SendDeviceChange(form, DBT_DEVICEARRIVAL, 5, kBridgePath);
    QVERIFY(form.Connected());
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
  }

  void arrivalWhileOpenDoesNotReopen() {
    RecordingBridgeLibrary library;
    library.AddDevice("tx_v1.0");
    TForm1 form(library, nullptr);
    const BridgeHandle handle = form.Link().Handle();
    library.ClearCalls();
    SendDeviceChange(form, DBT_DEVICEARRIVAL, 5, kBridgePath);
    QCOMPARE(CountOf(library, Op::kOpen), size_t(0));
    QCOMPARE(CountOf(library, Op::kClose), size_t(0));
    QVERIFY(form.Link().Handle() == handle);
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
  }

  void repeatedEventsAreEachHandledInFull() {
    RecordingBridgeLibrary library;
    library.AddDevice("tx_v1.0");
    TForm1 form(library, nullptr);
    library.ClearCalls();
    for (int i = 0; i < 3; ++i) {
      SendDeviceChange(form, DBT_DEVICEREMOVECOMPLETE, 5, kBridgePath);
      QVERIFY(!form.Link().IsOpen());
      SendDeviceChange(form, DBT_DEVICEARRIVAL, 5, kBridgePath);
      QVERIFY(form.Link().IsOpen());
    }
    QCOMPARE(CountOf(library, Op::kClose), size_t(3));
    QCOMPARE(CountOf(library, Op::kOpen), size_t(3));
  }

  void otherMessagesStillReachTheWindow() {
    RecordingBridgeLibrary library;
    TForm1 form(library, nullptr);
    int exits = 0;
    form.OnExit = [&](TObject* sender) {
      QVERIFY(sender == &form);
      ++exits;
    };
    SendMessage(&form, CM_EXIT, 0, 0);
    QCOMPARE(exits, 1);
  }
};

QTEST_MAIN(DeviceMessageTest)
#include "device_message_test.moc"
