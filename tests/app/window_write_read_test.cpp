// "Read" and "Write " from the window to a device and back: a device
// emulator over TCP started by the test, and the simulated chip.
#include <QApplication>
#include <QTest>

#include "tests/app/window_test_util.h"
#include "widgets/nvchklst.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"

namespace {

// A block whose parameters all lie inside their ranges, with every other
// byte recognisable.
std::vector<uint8_t> ChipBlock() {
  std::vector<uint8_t> block = PatternBlock(0x31);
  const std::pair<int, uint8_t> fields[] = {
      {10, 0xA4}, {11, 0x40}, {12, 3},    {13, 100},  {14, 9},    {15, 200},  {16, 5},
      {17, 17},   {18, 99},   {19, 98},   {21, 1},    {22, 2},    {23, 3},    {24, 4},
      {25, 5},    {26, 63},   {28, 0xC4}, {29, 0x09}, {30, 0xD4}, {31, 0x30}, {32, 0xF6}};
  for (const auto& [offset, value] : fields) block[offset] = value;
  return block;
}

std::string Text(TNvSpinEdit* edit) {
  return edit->Text();
}

}  // namespace

class WindowWriteReadTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Application->SetTitle(kApplicationTitle); }

  void readShowsTheDevicesBytesAndValues() {
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    QCOMPARE_STR(form.ConnectionText(), "USB Status: Connect!");
    const std::vector<uint8_t> block = ChipBlock();
    w.emulator.WriteMemory(SFR, 0, block);
    ClickTool(form.BtnFind);
    QVERIFY(WindowImage(form) == block);
    const std::pair<ParamId, const char*> shown[] = {
        {piDB, "55"},         {piST, "5"},       {piBT, "17"},   {piMDL, "99"}, {piMDR, "98"},
        {piP1MD, "1"},        {piP2MD, "2"},     {piP1T, "3"},   {piP2T, "4"},  {piP3T, "5"},
        {piDZ, "63"},         {piCLK, "3"},      {piOSC, "100"}, {piCH, "9"},   {piedtPMINL, "500"},
        {piedtPMAXL, "2500"}, {piedtPMID, "-10"}};
    for (const auto& [id, text] : shown) QCOMPARE_STR(Text(form.SpinEditOf(id)), text);
    // 0xA4: items 2, 5 and 7; 0x40 in byte 11: Inver Control.
    QVERIFY(form.nvchckbxLPPMP->Checked());
    QVERIFY(!form.HFD->Checked());
    QVERIFY(form.nvchckbxINVC->Checked());
    QVERIFY(form.FUNREG1->ItemChecked(0) && !form.FUNREG1->ItemChecked(1));
    QVERIFY(form.FUNREG1->ItemChecked(2));
    QVERIFY(form.FUNREG->ItemChecked(5) && form.FUNREG->ItemChecked(7));
  }

  void writeSendsTheEncodedBlockAndShowsTheMessageOnce() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    w.emulator.WriteMemory(SFR, 0, ChipBlock());
    ClickTool(form.BtnFind);
    form.DB->SetValue(10);
    ClickTool(form.BtnEdit);
    QCOMPARE(recorder.boxes.size(), size_t(1));
    QCOMPARE_STR(recorder.boxes[0].first, "下载成功!");
    QCOMPARE_STR(recorder.boxes[0].second, "ZN4417Config");
    const std::vector<uint8_t> sent = w.ChipBlock();
    QCOMPARE(int(sent[12]), 7);  // CLK showed 3
    QCOMPARE(int(sent[20]), 41);
    QCOMPARE_STR(Text(form.CLK), "3");
    QCOMPARE(int(sent[15]), 245);  // the DB set while DB never had the focus
    // Everything else went back as read, minus the bits encoding clears.
    std::vector<uint8_t> expected = ChipBlock();
    expected[12] = 7;
    expected[15] = 245;
    expected[20] = 41;
    QVERIFY(sent == expected);
    QVERIFY(WindowImage(form) == sent);
  }

  void readBackDifferingAtOffsetFiveShowsNothing() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    SimFaults faults;
    faults.corruptSfrAddress = 5;
    w.emulator.SetFaults(faults);
    ClickTool(w.form->BtnEdit);
    QVERIFY(recorder.boxes.empty());
    // The write itself went through.
    QCOMPARE(int(w.ChipBlock()[15]), 248);
  }

  void readBackDifferingOnlyAtOffset63StillSucceeds() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    SimFaults faults;
    faults.driftOffset63 = true;
    w.emulator.SetFaults(faults);
    ClickTool(w.form->BtnEdit);
    QCOMPARE(recorder.boxes.size(), size_t(1));
    QCOMPARE_STR(recorder.boxes[0].first, "下载成功!");
  }

  void withNoDeviceNothingIsShownOrChanged() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create(false));
    TForm1& form = *w.form;
    QCOMPARE_STR(form.ConnectionText(), "USB Status: NO Connect!");
    const std::vector<uint8_t> before = WindowImage(form);
    ClickTool(form.BtnFind);
    QVERIFY(WindowImage(form) == before);
    QCOMPARE_STR(Text(form.DB), "7");
    ClickTool(form.BtnEdit);
    QVERIFY(recorder.boxes.empty());
  }

  void typedPulseWrittenAtOnceIsSentClamped() {
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    QVERIFY(FocusOn(form, form.edtPMINL));
    ReplaceText("3000");
    // The tool button takes no focus: the edit is not left before the write.
    ClickTool(form.BtnEdit);
    QVERIFY(form.edtPMINL->Focused());
    const std::vector<uint8_t> sent = w.ChipBlock();
    QCOMPARE(PulseAt(sent, 28), 12500);
    QCOMPARE(recorder.boxes.size(), size_t(1));
  }

  // A value beyond its control's range, written without leaving the field,
  // reaches the chip clamped; the field then shows what the chip holds. DB
  // and PMID take no typing: their text is put there directly.
  void writtenAtOnceTheFieldShowsWhatTheChipReceived_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("sent");  // the byte at `offset`, the pulse count for PMIN and PMAX
    QTest::newRow("PMIN above") << int(piedtPMINL) << "3000"
                                << "2500" << 28 << 12500;
    QTest::newRow("PMAX below") << int(piedtPMAXL) << "100"
                                << "500" << 30 << 2500;
    QTest::newRow("PMID above") << int(piedtPMID) << "200"
                                << "120" << 32 << 120;
    QTest::newRow("PMID below") << int(piedtPMID) << "-121"
                                << "-120" << 32 << 0x88;
    QTest::newRow("DEADBAND above") << int(piDB) << "300"
                                    << "255" << 15 << 0;
  }

  void writtenAtOnceTheFieldShowsWhatTheChipReceived() {
    QFETCH(int, id);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, offset);
    QFETCH(int, sent);
    MessageBoxRecorder recorder;
    TcpWindow w;
    QVERIFY(w.Create());
    TForm1& form = *w.form;
    TNvSpinEdit* edit = form.SpinEditOf(static_cast<ParamId>(id));
    QVERIFY(FocusOn(form, edit));
    if (edit->AllowKeyEdit()) {
      ReplaceText(typed.toUtf8().constData());
    } else {
      edit->SetText(typed.toStdString());
    }
    QCOMPARE(QString::fromStdString(Text(edit)), typed);
    ClickTool(form.BtnEdit);
    QVERIFY(edit->Focused());
    QCOMPARE(recorder.boxes.size(), size_t(1));
    const std::vector<uint8_t> chip = w.ChipBlock();
    QCOMPARE(offset == 28 || offset == 30 ? PulseAt(chip, offset) : int(chip[offset]), sent);
    QCOMPARE(QString::fromStdString(Text(edit)), shown);
    // Another Read shows the same.
    ClickTool(form.BtnFind);
    QCOMPARE(QString::fromStdString(Text(edit)), shown);
  }

  void simulatedChipGetsTheSameBlockAsTheWindowHolds() {
    MessageBoxRecorder recorder;
    SimWindow w;
    TForm1& form = w.Create();
    form.Controller().SetSleep([](std::chrono::milliseconds) {});
    QVERIFY(FocusOn(form, form.edtPMAXL));
    ReplaceText("1234");
    PressKey(Qt::Key_Tab);
    ClickTool(form.BtnEdit);
    QCOMPARE(recorder.boxes.size(), size_t(1));
    const std::vector<uint8_t> sent = SfrBlock(w.library.Chip());
    QCOMPARE(PulseAt(sent, 30), 6170);
    QVERIFY(WindowImage(form) == sent);
  }
};

QTEST_MAIN(WindowWriteReadTest)
#include "window_write_read_test.moc"
