// TNvCheckList: toggling by mouse and Space, disabled items, the order of
// OnClick and the toggle, incremental search and its reset, item records
// through list changes, the stored item properties, colours and glyph pixels.
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/messages.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvchklst.h"

namespace {

// Counts the invalid-key reactions (each one is a beep).
class CountingCheckList : public TNvCheckList {
 public:
  using TNvCheckList::TNvCheckList;
  int beeps = 0;

 protected:
  void InvalidKeyPressed() override { ++beeps; }
};

constexpr TColor kTickGreen = 2203937;  // 0x21A121

QPoint GlyphPoint(TNvCheckList* list, int index) {
  const TRect g = list->GlyphRect(index);
  return QPoint(g.Left + 6, g.Top + 6);
}

QPoint TextPoint(TNvCheckList* list, int index) {
  const TRect r = list->ItemRect(index);
  return QPoint(r.Left + 60, r.Top + 8);
}

}  // namespace

class TstNvCheckList : public QObject {
  Q_OBJECT

 private slots:
  void init() { host_ = MakeActiveHost(); }
  void cleanup() { host_.reset(); }

  void glyphClickTogglesOnRelease();
  void textClickSelectsWithoutToggle();
  void clickSeesStatesBeforeToggle();
  void releaseElsewhereDoesNotToggle();
  void spaceTogglesCurrentItem();
  void disabledItemsDoNotToggle();
  void changingCanRefuseAndGrayedCycles();
  void enablingListReenablesItems();
  void incrementalSearch();
  void searchBackspaceAndEscape();
  void searchResetsAfterDelay();
  void mouseLeaveEventFires();
  void itemHintsShowTooWideTexts();
  void recordsFollowTheirStrings();
  void indexOutsideListRaises();
  void storedItemProperties();
  void focusColoursAndItemHeight();
  void glyphAndTextPixels();
  void selectedAndDisabledPixels();

 private:
  CountingCheckList* NewList() {
    auto* list = new CountingCheckList(host_.get());
    list->SetBounds(10, 10, 145, 65);
    list->SetBorderStyle(bsNone);
    list->SetColumns(1);
    list->SetColor(clGradientActiveCaption);
    list->SetHighlightColor(kTickGreen);
    list->SetItemFrameColor(clHighlight);
    for (const char* s : {"OverLoad L1 Enable", "OverLoad L2 Enable", "OverLoad L3 Enable"})
      list->Items().Add(s);
    return list;
  }

  std::unique_ptr<TCustomControl> host_;
};

void TstNvCheckList::glyphClickTogglesOnRelease() {
  auto* list = NewList();
  std::vector<std::string> log;
  list->OnChange = [&](TObject*, int index, TCheckBoxState s) {
    log.push_back("change " + std::to_string(index) + "=" + std::to_string(s));
  };
  QTest::mousePress(list, Qt::LeftButton, {}, GlyphPoint(list, 1));
  QCOMPARE(list->ItemIndex(), 1);
  QCOMPARE(list->ItemState(1), cbUnchecked);  // not yet: the release toggles
  QTest::mouseRelease(list, Qt::LeftButton, {}, GlyphPoint(list, 1));
  QVERIFY(list->ItemChecked(1));
  QCOMPARE(log, std::vector<std::string>{"change 1=1"});
  QTest::mouseClick(list, Qt::LeftButton, {}, GlyphPoint(list, 1));
  QCOMPARE(list->ItemState(1), cbUnchecked);
  QCOMPARE(list->ItemsChecked(), 0);
}

void TstNvCheckList::textClickSelectsWithoutToggle() {
  auto* list = NewList();
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  QTest::mouseClick(list, Qt::LeftButton, {}, TextPoint(list, 2));
  QCOMPARE(list->ItemIndex(), 2);
  QCOMPARE(clicks, 1);
  QCOMPARE(list->ItemState(2), cbUnchecked);

  list->SetToggleOnItemClick(true);
  QTest::mouseClick(list, Qt::LeftButton, {}, TextPoint(list, 2));
  QCOMPARE(list->ItemState(2), cbChecked);
  QCOMPARE(clicks, 1);  // the selection did not change: no click event

  QTest::mouseClick(list, Qt::RightButton, {}, TextPoint(list, 0));
  QCOMPARE(list->ItemIndex(), 0);
  QCOMPARE(clicks, 2);
  QCOMPARE(list->ItemState(0), cbUnchecked);
}

void TstNvCheckList::clickSeesStatesBeforeToggle() {
  auto* list = NewList();
  std::vector<bool> seen;
  list->OnClick = [&](TObject*) { seen.push_back(list->ItemChecked(0)); };
  QTest::mouseClick(list, Qt::LeftButton, {}, GlyphPoint(list, 0));
  QCOMPARE(seen, std::vector<bool>{false});
  QVERIFY(list->ItemChecked(0));
}

void TstNvCheckList::releaseElsewhereDoesNotToggle() {
  auto* list = NewList();
  QTest::mousePress(list, Qt::LeftButton, {}, GlyphPoint(list, 0));
  QTest::mouseRelease(list, Qt::LeftButton, {}, QPoint(200, 8));  // outside the client area
  QCOMPARE(list->ItemState(0), cbUnchecked);
  QTest::mousePress(list, Qt::LeftButton, {}, GlyphPoint(list, 0));
  list->SetItemIndex(1);  // the current item moved away before the release
  QTest::mouseRelease(list, Qt::LeftButton, {}, GlyphPoint(list, 0));
  QCOMPARE(list->ItemState(0), cbUnchecked);
  QCOMPARE(list->ItemState(1), cbUnchecked);
}

void TstNvCheckList::spaceTogglesCurrentItem() {
  auto* list = NewList();
  int keyPresses = 0;
  list->OnKeyPress = [&](TObject*, char&) { ++keyPresses; };
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QTest::keyClick(list, Qt::Key_Space);  // no current item: nothing
  QCOMPARE(list->ItemsChecked(), 0);
  list->SetItemIndex(2);
  QTest::keyPress(list, Qt::Key_Space);
  QCOMPARE(list->ItemState(2), cbUnchecked);
  QTest::keyRelease(list, Qt::Key_Space);
  QCOMPARE(list->ItemState(2), cbChecked);
  QCOMPARE(keyPresses, 0);  // Space is not passed on
  QVERIFY(list->SearchText().empty());
  QCOMPARE(list->beeps, 0);
}

void TstNvCheckList::disabledItemsDoNotToggle() {
  auto* list = NewList();
  list->SetItemEnabled(1, false);
  int changes = 0;
  list->OnChange = [&](TObject*, int, TCheckBoxState) { ++changes; };
  QTest::mouseClick(list, Qt::LeftButton, {}, GlyphPoint(list, 1));
  QCOMPARE(list->ItemIndex(), 1);  // still selectable
  QCOMPARE(list->ItemState(1), cbUnchecked);
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QTest::keyClick(list, Qt::Key_Space);
  QCOMPARE(list->ItemState(1), cbUnchecked);
  list->ToggleCheckState();
  QCOMPARE(changes, 0);
  list->SetItemChecked(1, true);  // code may still set it
  QVERIFY(list->ItemChecked(1));
}

void TstNvCheckList::changingCanRefuseAndGrayedCycles() {
  auto* list = NewList();
  list->SetItemIndex(0);
  bool allow = false;
  std::vector<int> asked;
  list->OnChanging = [&](TObject*, int index, TCheckBoxState s, bool& allowChange) {
    asked.push_back(index * 10 + s);
    allowChange = allow;
  };
  list->ToggleCheckState();
  QCOMPARE(list->ItemState(0), cbUnchecked);
  allow = true;
  list->SetAllowGrayed(true);
  list->ToggleCheckState();
  QCOMPARE(list->ItemState(0), cbGrayed);
  list->ToggleCheckState();
  QCOMPARE(list->ItemState(0), cbChecked);
  list->ToggleCheckState();
  QCOMPARE(list->ItemState(0), cbUnchecked);
  QCOMPARE(asked, (std::vector<int>{1, 2, 1, 0}));
}

void TstNvCheckList::enablingListReenablesItems() {
  auto* list = NewList();
  list->SetItemEnabled(0, false);
  list->SetEnabled(false);
  QCOMPARE(list->Color(), clBtnFace);
  QVERIFY(!list->ItemEnabled(2));
  list->SetEnabled(true);
  for (int i = 0; i < 3; ++i) QVERIFY(list->ItemEnabled(i));
  QCOMPARE(list->Color(), clGradientActiveCaption);
}

void TstNvCheckList::incrementalSearch() {
  auto* list = new CountingCheckList(host_.get());
  list->SetBounds(10, 10, 145, 120);
  for (const char* s : {"NF", "DC MOTOR", "PPM Lose", "PWM High Frq Driver", "Over Load L1"})
    list->Items().Add(s);
  std::vector<std::string> log;
  list->OnClick = [&](TObject*) { log.push_back("click " + std::to_string(list->ItemIndex())); };
  list->OnKeyPress = [&](TObject*, char& k) { log.push_back(std::string("key ") + k); };
  list->OnMatch = [&](TObject*) { log.push_back("match"); };
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QTest::keyClicks(list, "pw");
  QCOMPARE(list->ItemIndex(), 3);
  QCOMPARE(list->SearchText(), std::string("pw"));
  QCOMPARE(log,
           (std::vector<std::string>{"click 2", "key p", "match", "click 3", "key w", "match"}));
  log.clear();
  QTest::keyClick(list, 'x');  // a miss beeps and keeps everything
  QCOMPARE(list->beeps, 1);
  QCOMPARE(list->ItemIndex(), 3);
  QCOMPARE(list->SearchText(), std::string("pw"));
  QVERIFY(log.empty());

  QTest::keyClick(list, Qt::Key_Home);  // movement keys forget the search
  QVERIFY(list->SearchText().empty());
  QTest::keyClicks(list, "o");
  QCOMPARE(list->ItemIndex(), 4);
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(40, 5));  // so does a click
  QVERIFY(list->SearchText().empty());
}

void TstNvCheckList::searchBackspaceAndEscape() {
  auto* list = NewList();
  list->Items().Add("Other");
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QTest::keyClicks(list, "Ot");
  QCOMPARE(list->ItemIndex(), 3);
  QTest::keyClick(list, Qt::Key_Backspace);
  QCOMPARE(list->SearchText(), std::string("O"));
  QCOMPARE(list->ItemIndex(), 0);  // "O" finds the first item again
  clicks = 0;
  QTest::keyClick(list, Qt::Key_Backspace);  // the last one: item 0, a click, no text
  QVERIFY(list->SearchText().empty());
  QCOMPARE(list->ItemIndex(), 0);
  QCOMPARE(clicks, 1);
  QCOMPARE(list->beeps, 0);
  QTest::keyClick(list, Qt::Key_Backspace);  // on nothing: a beep
  QCOMPARE(list->beeps, 1);
  QTest::keyClick(list, Qt::Key_Escape);
  QCOMPARE(list->ItemIndex(), -1);
}

void TstNvCheckList::searchResetsAfterDelay() {
  auto* list = NewList();
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QTest::keyClicks(list, "Ov");  // one after the other, no event loop between
  QCOMPARE(list->ItemIndex(), 0);
  QCOMPARE(list->SearchText(), std::string("Ov"));
  list->Perform(WM_TIMER, 1, 0);  // the reset timer's expiry
  QVERIFY(list->SearchText().empty());
  QTest::keyClick(list, 'O');
  QCOMPARE(list->SearchText(), std::string("O"));
  QTRY_VERIFY_WITH_TIMEOUT(list->SearchText().empty(), 10000);  // the real timer
}

void TstNvCheckList::mouseLeaveEventFires() {
  auto* list = NewList();
  int leaves = 0;
  list->OnMouseLeave = [&](TObject* sender) {
    QCOMPARE(sender, static_cast<TObject*>(list));
    ++leaves;
  };
  list->Perform(CM_MOUSEENTER, 0, 0);
  QCOMPARE(leaves, 0);
  list->Perform(CM_MOUSELEAVE, 0, 0);
  QCOMPARE(leaves, 1);
}

void TstNvCheckList::itemHintsShowTooWideTexts() {
  auto* list = NewList();
  list->Items().Add("Hi");
  list->SetBounds(10, 10, 80, 90);  // too narrow for "OverLoad L1 Enable"
  QTest::mouseMove(list, TextPoint(list, 3));
  QVERIFY(!list->ItemHintShowing());  // "Hi" fits
  QTest::mouseMove(list, QPoint(40, 8));
  QVERIFY(list->ItemHintShowing());
  QCOMPARE(list->ItemHintText(), std::string("OverLoad L1 Enable"));
  list->Perform(CM_MOUSELEAVE, 0, 0);
  QVERIFY(!list->ItemHintShowing());
  list->SetShowItemHints(false);
  QTest::mouseMove(list, QPoint(40, 25));
  QVERIFY(!list->ItemHintShowing());
}

void TstNvCheckList::recordsFollowTheirStrings() {
  auto* list = NewList();
  list->SetItemChecked(0, true);
  list->SetItemEnabled(2, false);
  int payload = 7;
  list->Items().SetObjects(1, &payload);
  list->Items().Insert(0, "New");
  QCOMPARE(list->ItemState(0), cbUnchecked);
  QVERIFY(list->ItemChecked(1));
  QCOMPARE(list->Items().Objects(2), static_cast<void*>(&payload));
  list->Items().Move(1, 3);  // "OverLoad L1" now last
  QVERIFY(list->ItemChecked(3));
  QVERIFY(!list->ItemEnabled(2));
  list->Items().Exchange(0, 3);
  QVERIFY(list->ItemChecked(0));
  list->SetItemIndex(0);
  list->Items().SetStrings(0, "Renamed");  // keeps its record and the selection
  QVERIFY(list->ItemChecked(0));
  QCOMPARE(list->ItemIndex(), 0);
  list->Items().Delete(0);
  QCOMPARE(list->ItemsChecked(), 0);
  list->Items().SetSorted(true);  // sorting carries the records along
  const int l3 = list->Items().IndexOf("OverLoad L3 Enable");
  QVERIFY(!list->ItemEnabled(l3));
  QCOMPARE(list->Items().Objects(list->Items().IndexOf("OverLoad L2 Enable")),
           static_cast<void*>(&payload));
  const int added = list->AddEx("Added", true, false);
  QCOMPARE(list->Items().Get(added), std::string("Added"));
  QVERIFY(list->ItemChecked(added));
  QVERIFY(!list->ItemEnabled(added));
  list->Items().Clear();
  QCOMPARE(list->Count(), 0);
}

void TstNvCheckList::indexOutsideListRaises() {
  auto* list = NewList();
  QVERIFY_THROWS_EXCEPTION(EStringListError, list->ItemState(3));
  QVERIFY_THROWS_EXCEPTION(EStringListError, list->SetItemEnabled(-1, false));
  QVERIFY_THROWS_EXCEPTION(EStringListError, list->Items().Get(5));
}

void TstNvCheckList::storedItemProperties() {
  auto* list = NewList();
  QVERIFY(list->Items().StoresItemProperties());
  QCOMPARE(list->Items().ItemEnabledText(), std::string("(True True True)"));
  QCOMPARE(list->Items().ItemStateText(), std::string("(0 0 0)"));
  list->SetItemState(1, cbGrayed);
  list->SetItemEnabled(0, false);
  QCOMPARE(list->Items().StoredItemState(), (std::vector<int>{0, 2, 0}));
  QCOMPARE(list->Items().ItemEnabledText(), std::string("(False True True)"));

  // Reading assigns by position; fewer values leave the rest as they are.
  auto* read = NewList();
  QVERIFY(read->Items().ReadItemStateText("(\n  1\n  2)"));
  QCOMPARE(read->Items().StoredItemState(), (std::vector<int>{1, 2, 0}));
  QVERIFY(read->Items().ReadItemEnabledText("(False true)"));
  QCOMPARE(read->Items().StoredItemEnabled(), (std::vector<bool>{false, true, true}));
  QVERIFY(read->Items().ReadItemStateText("(0 0 1 1 1)"));  // extra values have no item
  QCOMPARE(read->Items().StoredItemState(), (std::vector<int>{0, 0, 1}));
  read->Items().ReadItemState({7});  // not a state: unchecked
  QCOMPARE(read->ItemState(0), cbUnchecked);
  for (const char* bad : {"1 2", "(1 x)", "(1", "", "(True)"}) {
    QVERIFY(!read->Items().ReadItemStateText(bad));
  }
  QVERIFY(!read->Items().ReadItemEnabledText("(1 0)"));
  QCOMPARE(read->Items().StoredItemState(), (std::vector<int>{0, 0, 1}));  // unchanged

  auto* empty = new TNvCheckList(host_.get());
  QVERIFY(!empty->Items().StoresItemProperties());
}

void TstNvCheckList::focusColoursAndItemHeight() {
  auto* list = NewList();
  auto* other = NewList();
  QCOMPARE(list->ItemHeight(), 17);
  TFont big;
  big.SetHeight(-24);
  other->SetFont(big);
  QVERIFY(other->ItemHeight() > 24);  // follows the font
  list->SetFocus();
  QTRY_VERIFY(list->Focused());
  QCOMPARE(list->Color(), clGradientActiveCaption);  // the focus colour followed
  list->SetFocusColor(clYellow);
  QCOMPARE(list->Color(), clYellow);
  std::vector<std::string> log;
  list->OnExit = [&](TObject*) {
    log.push_back("exit " + std::string(ColorToIdent(list->Color())));
  };
  other->SetFocus();
  QTRY_VERIFY(other->Focused());
  QCOMPARE(log, std::vector<std::string>{"exit clYellow"});  // colours change after OnExit
  QCOMPARE(list->Color(), clGradientActiveCaption);
}

void TstNvCheckList::glyphAndTextPixels() {
  auto* list = NewList();
  list->SetItemChecked(0, true);
  for (bool focused : {false, true}) {
    if (focused) {
      list->SetFocus();
      QTRY_VERIFY(list->Focused());
    }
    const QImage img = Render(list);
    // Glyph of item 0 at (4, 2): clHighlight frame, clWindow inside, the tick
    // in 0x21A121 (column 3 of the box holds rows 5..7).
    QCOMPARE_PIXEL(img, 4, 2, clHighlight);
    QCOMPARE_PIXEL(img, 16, 14, clHighlight);
    QCOMPARE_PIXEL(img, 5, 3, clWindow);
    QCOMPARE_PIXEL(img, 4 + 3, 2 + 5, kTickGreen);
    QCOMPARE_PIXEL(img, 4 + 3, 2 + 7, kTickGreen);
    QCOMPARE_PIXEL(img, 4 + 3, 2 + 8, clWindow);
    QCOMPARE_PIXEL(img, 4 + 5, 2 + 9, kTickGreen);
    QCOMPARE_PIXEL(img, 4 + 9, 2 + 3, kTickGreen);
    // Unchecked item 1: no tick.
    QCOMPARE_PIXEL(img, 4 + 5, 17 + 2 + 9, clWindow);
    // The list colour around the glyph and behind the text.
    QCOMPARE_PIXEL(img, 1, 8, clGradientActiveCaption);
    QCOMPARE_PIXEL(img, 19, 8, clGradientActiveCaption);
    QCOMPARE_PIXEL(img, 140, 20, clGradientActiveCaption);
  }
  // Some text pixels of item 0 are dark (window text on the list colour).
  const QImage img = Render(list);
  bool dark = false;
  for (int x = 23; x < 120; ++x)
    for (int y = 1; y < 16; ++y)
      if (qGray(img.pixel(x, y)) < 64) dark = true;
  QVERIFY(dark);
}

void TstNvCheckList::selectedAndDisabledPixels() {
  auto* list = NewList();
  list->SetItemIndex(1);
  list->SetItemEnabled(2, false);
  list->SetItemChecked(2, true);
  const QImage img = Render(list);
  // Selected row: clHighlight behind the text from x = 21, the glyph keeps
  // its own colours and the gap left of the glyph the list colour.
  QCOMPARE_PIXEL(img, 21, 17 + 1, clHighlight);
  QCOMPARE_PIXEL(img, 140, 17 + 16, clHighlight);
  QCOMPARE_PIXEL(img, 2, 17 + 8, clGradientActiveCaption);
  QCOMPARE_PIXEL(img, 5, 17 + 3, clWindow);
  // Disabled checked item: button-face fill and a shadow tick.
  QCOMPARE_PIXEL(img, 5, 34 + 3, clBtnFace);
  QCOMPARE_PIXEL(img, 4 + 3, 34 + 2 + 6, clBtnShadow);
  // Its text is grey: ink no darker than the shadow colour, and some of it.
  int darkest = 255;
  for (int x = 23; x < 120; ++x)
    for (int y = 35; y < 50; ++y) darkest = std::min(darkest, qGray(img.pixel(x, y)));
  QVERIFY2(darkest >= 120 && darkest <= 136, std::to_string(darkest).c_str());
}

QTEST_MAIN(TstNvCheckList)
#include "tst_nvchklst.moc"
