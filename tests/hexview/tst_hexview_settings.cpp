// Hex view settings as text: the round trip between two views, the host's
// narrowing of the public names, values of the wrong form, and the text's
// own form.
#include <QtTest>
#include <set>

#include "framework/exceptions.h"
#include "hexview/ehexview.h"
#include "hexview/hvproperties.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t from = 0; from <= text.size();) {
    const size_t end = std::min(text.find("\r\n", from), text.size());
    lines.push_back(text.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  const std::vector<std::string> lines = Lines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

class HexViewSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void anotherViewTakesOverEverySetting() {
    ViewHost a, b(420, 240, false);
    THexViewEx& v = *a.view;
    v.SetShowRuler(true);
    v.SetCreateBackup(false);
    v.SetBackupExtension(".old");
    v.SetTranslation(tkMac);
    v.SetCaretKind(ckLeft);
    v.SetMaskChar('*');
    v.SetHexLowerCase(true);
    v.SetMaxUndo(4096);
    v.SetBytesPerBlock(4);
    v.Colors().SetOffset(clRed);
    v.Colors().SetGrid(0x123456);
    v.Font().SetStyle(fsBold | fsItalic);
    v.PrintFont().SetName("Times New Roman");
    v.PrintFont().SetSize(14);
    v.PrintOptions().SetMarginLeft(7);
    v.PrintOptions().SetPageHeader("%f|%p of %P|%d");
    v.PrintOptions().SetFlags(pfSelectionOnly | pfUseBackgroundColor);
    v.SetUseEditorFontForPrinting(false);
    v.SetOleDragDrop(true);
    v.SetClipboardAsHexText(true);
    v.SetFlushClipboardAtShutDown(true);
    v.SetSupportsOtherClipFormats(false);
    const std::string text = v.GetPropertiesAsString();
    THexViewEx& w = *b.view;
    QVERIFY(w.GetPropertiesAsString() != text);
    w.SetPropertiesAsString(text);
    QCOMPARE(w.GetPropertiesAsString(), text);
    QCOMPARE(w.BytesPerRow(), 8);
    QCOMPARE(w.OffsetFormat(), std::string("-!10:0x|"));
    QCOMPARE(w.Translation(), tkMac);
    QCOMPARE(int(w.MaskChar()), int('*'));
    QCOMPARE(w.Colors().Offset(), clRed);
    QCOMPARE(w.Colors().Grid(), TColor(0x123456));
    QCOMPARE(int(w.Font().Style()), int(fsBold | fsItalic));
    QCOMPARE(w.Font().Height(), -15);
    QCOMPARE(w.PrintFont().Name(), std::string("Times New Roman"));
    QCOMPARE(w.PrintOptions(), v.PrintOptions());
    QCOMPARE(w.BackupExtension(), std::string(".old"));
    QVERIFY(!w.UseEditorFontForPrinting());
    QVERIFY(w.OleDragDrop());
    QVERIFY(w.ClipboardAsHexText());
    QVERIFY(w.FlushClipboardAtShutDown());
    QVERIFY(!w.SupportsOtherClipFormats());
    QCOMPARE(w.UpdateCount(), 0);
  }

  void theTextNamesEachSettingOnceInItsForm() {
    ViewHost h;
    const std::string text = h.view->GetPropertiesAsString();
    const std::vector<std::string> lines = Lines(text);
    QCOMPARE(lines.size(), HVPropertyTable().size());
    std::set<std::string> names;
    for (const std::string& line : lines) {
      const std::string name = line.substr(0, line.find('='));
      QVERIFY2(HVIsPublicName(name), line.c_str());
      QVERIFY2(names.insert(name).second, line.c_str());
    }
    QVERIFY(HasLine(text, "Translation=tkAsIs"));
    QVERIFY(HasLine(text, "Colors.Offset=clBlack"));
    // A sub-object's lines come in its class's declared order.
    std::vector<std::string> colours;
    for (const std::string& line : lines)
      if (line.rfind("Colors.", 0) == 0) colours.push_back(line.substr(7, line.find('=') - 7));
    QCOMPARE(colours, (std::vector<std::string>{"Background", "ChangedBackground", "ChangedText",
                                                "CursorFrame", "Offset", "OddColumn", "EvenColumn",
                                                "CurrentOffsetBackground", "OffsetBackGround",
                                                "CurrentOffset", "Grid", "NonFocusCursorFrame"}));
    QVERIFY(HasLine(text, "PrintOptions.Flags=[pfSelectionBold,pfMonochrome]"));
    QVERIFY(HasLine(text, "PrintOptions.MarginBottom=25"));
    QVERIFY(HasLine(text, "MaskChar=."));
    QVERIFY(HasLine(text, "BackupExtension=.bak"));
    QVERIFY(HasLine(text, "ShowRuler=False"));
  }

  void theHostCanKeepASettingOut() {
    ViewHost h;
    THexViewEx& v = *h.view;
    std::vector<std::string> asked;
    v.OnQueryPublicProperty = [&](TObject* sender, const std::string& name, bool& isPublic) {
      QCOMPARE(sender, static_cast<TObject*>(&v));
      asked.push_back(name);
      if (name == "Font.Size") isPublic = false;
    };
    const std::string text = v.GetPropertiesAsString();
    QVERIFY(text.find("\nFont.Size=") == std::string::npos);
    QVERIFY(text.find("\nFont.Name=") != std::string::npos);
    QVERIFY(text.find("\nPrintFont.Size=") != std::string::npos);
    const int32_t size = v.Font().Size();
    v.SetPropertiesAsString("Font.Size=30\r\nBytesPerRow=4");
    QCOMPARE(v.Font().Size(), size);
    QCOMPARE(v.BytesPerRow(), 4);
    QVERIFY(!v.IsPropPublic("Font.Size"));
    QVERIFY(!v.IsPropPublic("Left"));  // not a setting of the text at all
    QVERIFY(std::find(asked.begin(), asked.end(), "Left") == asked.end());
  }

  void badTextsAreRefusedAndOthersIgnored() {
    ViewHost h;
    THexViewEx& v = *h.view;
    // Unknown names and lines without "=" are skipped; names in any case.
    v.SetPropertiesAsString("Width=3\nnonsense\nbytesperrow=16\nCOLORS.GRID=$00FF0000");
    QCOMPARE(v.BytesPerRow(), 16);
    QCOMPARE(v.Colors().Grid(), TColor(0xFF0000));
    QCOMPARE(v.Width(), 420);
    try {
      v.SetPropertiesAsString("BytesPerUnit=3");
      QFAIL("accepted");
    } catch (const EHexView& e) {
      QCOMPARE(std::string(e.what()),
               std::string("Invalid bytes per unit value 3, allowed: 1,2,4,8"));
    }
    QCOMPARE(v.UpdateCount(), 0);  // painting resumes after a failure
    for (const char* bad : {"BytesPerRow=twelve", "ShowRuler=yes", "Translation=tkKlingon",
                            "Colors.Offset=clPurpleish", "PrintOptions.Flags=pfMonochrome",
                            "Font.Style=[fsBold,fsShadow]", "MaskChar=ab"}) {
      QVERIFY_THROWS_EXCEPTION(EConvertError, v.SetPropertiesAsString(bad));
    }
    QCOMPARE(v.BytesPerRow(), 16);
    QVERIFY_THROWS_EXCEPTION(EHexView, v.SetPropertiesAsString("BytesPerRow=0"));
  }

  void bookmarksAsTextOnTheWidget() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill(std::vector<Byte>(256, 0));
    v.SetBookmarkVals(3, 0x40, false);
    QCOMPARE(v.GetBookmarksAsString(), std::string("000003C703000000000000004000"));
    int notes = 0;
    v.OnBookmarkChanged = [&](TObject*) { ++notes; };
    QVERIFY_THROWS_EXCEPTION(EHexView, v.SetBookMarksAsString("000003C803000000000000004000"));
    QCOMPARE(v.GetBookmark(3).Position, -1);
    QCOMPARE(notes, 1);
    QCOMPARE(v.UpdateCount(), 0);
    v.SetBookMarksAsString("000003C703000000000000004000");
    QCOMPARE(v.GetBookmark(3).Position, 0x40);
  }
};

QTEST_MAIN(HexViewSettingsTest)
#include "tst_hexview_settings.moc"
