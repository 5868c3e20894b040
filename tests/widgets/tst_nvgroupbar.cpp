// TNvGroupBar and TNvGroup: Outlook layout, opening by the caption, vetoes,
// hidden groups, removal, GroupIndex and parent errors, the other styles'
// layout and scrolling, items with click, hot-tracking and selection, the
// repeating item scroll buttons and loading (the colours and the drawing at
// chosen pixels are in tst_nvgroupbar_paint.cpp).
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/edit.h"
#include "framework/exceptions.h"
#include "framework/imagelist.h"
#include "framework/messages.h"
#include "tests/widgets/groupbar_test_util.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvcommon.h"
#include "widgets/nvcommon_groupbar.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvrapidfirebutton.h"

class TstNvGroupBar : public QObject, public GroupBarFixture {
  Q_OBJECT

 private slots:
  void init() { Init(); }
  void cleanup() { Cleanup(); }

  void programLayoutOpenGroupFillsClientArea();
  void destroyedWhileAChildHasTheFocus();
  void outlookThreeGroupsAndCaptionClick();
  void openGroupCaptionClickChangesNothing();
  void releaseOutsideCaptionDoesNotToggle();
  void vetoLeavesLayoutUnchanged();
  void openGroupFollowsResize();
  void hiddenGroupTakesNoRoom();
  void removingOpenGroupOpensNeighbour();
  void groupIndexMovesAndRejects();
  void groupOnlyInGroupBar();
  void captionHeightMinimumAndChildLayout();
  void openedHeightRulesAndUpdateNesting();
  void styleChangesSetDefaults();
  void stackedLayoutAndScrolling();
  void focusIntoClosedGroupOpensIt();
  void captionHotTrackingAndCursor();
  void itemClickHotTrackingAndSelection();
  void itemScrollButtonsRepeat();
  void loadingKeepsStoredStateAndJoinsAfterwards();
};

void TstNvGroupBar::programLayoutOpenGroupFillsClientArea() {
  TNvGroup *basic, *advanced;
  TNvGroupBar* bar = ProgramBar(basic, advanced);
  QVERIFY(basic->Opened());
  QVERIFY(!advanced->Opened());
  QCOMPARE(bar->ClientWidth(), kW);
  QCOMPARE(Bounds(basic), Rect(0, 0, kW, kH));
  QCOMPARE(advanced->Height(), 0);
  QVERIFY(!advanced->Showing());
  QVERIFY(!bar->ScrollBarVisible());
  QCOMPARE(basic->OpenedHeight(), 339);
  QCOMPARE(bar->GetTotalHeight(), kH - 1);
  QCOMPARE(basic->GroupIndex(), 0);
  QCOMPARE(advanced->GroupIndex(), 1);
  // Outlook captions are regular weight in the window text colour.
  QCOMPARE(int(basic->CaptionFont().Style() & fsBold), 0);
  QCOMPARE(basic->Color(), clBtnShadow);
}

void TstNvGroupBar::outlookThreeGroupsAndCaptionClick() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  TNvGroup* c = NewGroup(bar, "C");
  QCOMPARE(Bounds(a), Rect(0, 0, kW, kH - 40));
  QCOMPARE(Bounds(b), Rect(0, kH - 40, kW, kH - 20));
  QCOMPARE(Bounds(c), Rect(0, kH - 20, kW, kH));

  std::vector<std::string> events;
  for (TNvGroup* g : {a, b, c}) {
    g->OnClose = [&events](TObject* s) {
      events.push_back("close " + static_cast<TNvGroup*>(s)->Caption());
    };
    g->OnOpen = [&events](TObject* s) {
      events.push_back("open " + static_cast<TNvGroup*>(s)->Caption());
    };
  }
  QTest::mouseClick(b, Qt::LeftButton, {}, CaptionPoint(b));
  QVERIFY(b->Opened());
  QVERIFY(!a->Opened());
  QVERIFY(!c->Opened());
  QCOMPARE(Bounds(a), Rect(0, 0, kW, 20));
  QCOMPARE(Bounds(b), Rect(0, 20, kW, kH - 20));
  QCOMPARE(Bounds(c), Rect(0, kH - 20, kW, kH));
  // Only the group that really closed hears OnClose; the opened one OnOpen.
  QCOMPARE(events, (std::vector<std::string>{"close A", "open B"}));

  // With a gap: B = 5 around and between the groups.
  bar->SetGroupBorderSize(5);
  const int w = kW - 10;
  QCOMPARE(Bounds(a), Rect(5, 5, 5 + w, 25));
  QCOMPARE(Bounds(b), Rect(5, 30, 5 + w, 30 + kH - (20 + 5 + 20 + 5 + 10)));
  QCOMPARE(c->Top(), b->Top() + b->Height() + 5);
  QCOMPARE(c->Top() + c->Height(), kH - 5);
}

void TstNvGroupBar::openGroupCaptionClickChangesNothing() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  int asked = 0, closed = 0;
  a->OnCanClose = [&](TObject*, bool& allowed) {
    ++asked;
    QVERIFY(allowed);
  };
  a->OnClose = [&](TObject*) { ++closed; };
  const TRect before = Bounds(a);
  QTest::mouseClick(a, Qt::LeftButton, {}, CaptionPoint(a));
  QCOMPARE(asked, 1);
  QCOMPARE(closed, 0);
  QVERIFY(a->Opened());
  QVERIFY(!b->Opened());
  QCOMPARE(Bounds(a), before);
}

void TstNvGroupBar::releaseOutsideCaptionDoesNotToggle() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  QTest::mousePress(b, Qt::LeftButton, {}, CaptionPoint(b));
  QCOMPARE(b->CaptionState(), csDown);
  QTest::mouseMove(b, QPoint(10, 40));
  QCOMPARE(b->CaptionState(), csNormal);  // pressed, but outside the caption
  QTest::mouseMove(b, CaptionPoint(b));
  QCOMPARE(b->CaptionState(), csDown);
  QTest::mouseMove(b, QPoint(10, -30));
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, -30));
  QVERIFY(a->Opened());
  QVERIFY(!b->Opened());
  // A later plain click still works.
  QTest::mouseClick(b, Qt::LeftButton, {}, CaptionPoint(b));
  QVERIFY(b->Opened());
}

void TstNvGroupBar::vetoLeavesLayoutUnchanged() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  int opened = 0;
  b->OnCanOpen = [](TObject*, bool& allowed) { allowed = false; };
  b->OnOpen = [&](TObject*) { ++opened; };
  const TRect ra = Bounds(a), rb = Bounds(b);
  b->Open();
  QVERIFY(!b->Opened());
  QVERIFY(a->Opened());
  QCOMPARE(opened, 0);
  QCOMPARE(Bounds(a), ra);
  QCOMPARE(Bounds(b), rb);

  // A group without a bar takes Opened silently and is laid out on joining.
  auto* loose = new TNvGroup();
  loose->SetOpened(false);
  QVERIFY(!loose->Opened());
  loose->SetOpened(true);
  QVERIFY(loose->Opened());
  bar->AddGroup(loose);
  QVERIFY(!loose->Opened());  // Outlook: only the first group is open
  QCOMPARE(loose->Top(), kH - 20);
  QCOMPARE(a->Height(), kH - 40);
}

void TstNvGroupBar::openGroupFollowsResize() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  b->Open();
  bar->SetBounds(0, 0, 300, 420);
  QCOMPARE(Bounds(a), Rect(0, 0, 300, 20));
  QCOMPARE(Bounds(b), Rect(0, 20, 300, 420));
  bar->SetHeight(100);
  QCOMPARE(b->Height(), 80);
  // The bar lays out again when a group is moved by anyone else.
  b->SetBounds(0, 50, 300, 10);
  QCOMPARE(Bounds(b), Rect(0, 20, 300, 100));
}

void TstNvGroupBar::hiddenGroupTakesNoRoom() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  TNvGroup* c = NewGroup(bar, "C");
  b->SetVisible(false);
  QCOMPARE(Bounds(a), Rect(0, 0, kW, kH - 20));
  QCOMPARE(b->Height(), 0);
  QCOMPARE(Bounds(c), Rect(0, kH - 20, kW, kH));
  // A hidden group before the open one shows no header either.
  c->Open();
  QCOMPARE(Bounds(a), Rect(0, 0, kW, 20));
  QCOMPARE(b->Height(), 0);
  QCOMPARE(Bounds(c), Rect(0, 20, kW, kH));
  b->SetVisible(true);
  QCOMPARE(Bounds(b), Rect(0, 20, kW, 40));
  QCOMPARE(Bounds(c), Rect(0, 40, kW, kH));
}

void TstNvGroupBar::removingOpenGroupOpensNeighbour() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  TNvGroup* c = NewGroup(bar, "C");
  c->Open();
  bar->RemoveGroup(c);  // the group before it opens
  QCOMPARE(bar->GetGroupCount(), 2);
  QVERIFY(b->Opened());
  QVERIFY(!c->Visible());
  QVERIFY(c->Parent() == nullptr);
  QCOMPARE(Bounds(b), Rect(0, 20, kW, kH));
  bar->RemoveGroup(a);  // a closed group: the open one stays
  QVERIFY(b->Opened());
  QCOMPARE(Bounds(b), Rect(0, 0, kW, kH));
  bar->AddGroup(a);
  a->Open();
  bar->RemoveGroup(b);  // b is now first and closed
  bar->InsertGroup(0, b);
  QCOMPARE(b->GroupIndex(), 0);
  bar->RemoveGroup(a);  // the open group is the last one: b before it opens
  QVERIFY(b->Opened());
  // Deleting the open first group opens the new first group.
  TNvGroup* d = NewGroup(bar, "D");
  delete b;
  QCOMPARE(bar->GetGroupCount(), 1);
  QVERIFY(d->Opened());
  QCOMPARE(Bounds(d), Rect(0, 0, kW, kH));
  delete a;
  delete c;
}

void TstNvGroupBar::groupIndexMovesAndRejects() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  TNvGroup* c = NewGroup(bar, "C");
  try {
    c->SetGroupIndex(3);
    QFAIL("no error");
  } catch (const EListError& e) {
    QCOMPARE(std::string(e.what()),
             std::string("3 is an invalid GroupIndex value. GroupIndex must be between 0 and 2"));
  }
  QVERIFY_THROWS_EXCEPTION(EListError, c->SetGroupIndex(-1));
  QCOMPARE(bar->GetGroup(2), c);
  // The list order, not the creation order, is the layout order.
  c->SetGroupIndex(0);
  QCOMPARE(bar->GetGroup(0), c);
  QCOMPARE(a->GroupIndex(), 1);
  QCOMPARE(b->GroupIndex(), 2);
  QCOMPARE(c->Top(), 0);
  QCOMPARE(a->Top(), 20);  // a stays open below c's caption
  QCOMPARE(Bounds(b), Rect(0, kH - 20, kW, kH));
  QVERIFY_THROWS_EXCEPTION(EListError, bar->GetGroup(3));
}

void TstNvGroupBar::groupOnlyInGroupBar() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  auto* panel = new TCustomControl(host_.get());
  try {
    a->SetParent(panel);
    QFAIL("no error");
  } catch (const ENvGroupBarError& e) {
    QCOMPARE(std::string(e.what()),
             std::string("TNvGroup components can only be placed in a TNvGroupBar component"));
  }
  QVERIFY(a->Parent() == bar);
  QCOMPARE(bar->GetGroupCount(), 1);
  // Moving to another bar leaves the first one.
  TNvGroupBar* other = NewBar();
  a->SetParent(other);
  QCOMPARE(bar->GetGroupCount(), 0);
  QCOMPARE(other->GetGroupCount(), 1);
  QVERIFY(a->GroupBar() == other);
}

void TstNvGroupBar::captionHeightMinimumAndChildLayout() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  b->SetCaptionHeight(10);
  QCOMPARE(b->CaptionHeight(), 16);
  QCOMPARE(Bounds(b), Rect(0, kH - 16, kW, kH));
  QCOMPARE(a->Height(), kH - 16);
  auto* child = new TCustomControl(a);
  child->SetAlign(alClient);
  QCOMPARE(Bounds(child), Rect(0, 20, kW, kH - 16));
  a->SetCaptionHeight(30);
  QCOMPARE(child->Top(), 30);
  // A child placed in a closed group lies outside its (caption-high) area.
  auto* placed = new TCustomControl(b);
  placed->SetBounds(10, 32, 40, 20);
  QVERIFY(placed->Top() >= b->Height());
  bar->SetStyle(gbsCategoryView);  // inset by 1 on left, right and bottom
  QCOMPARE(child->Left(), 1);
  QCOMPARE(child->Width(), a->Width() - 2);
  QCOMPARE(child->Top() + child->Height(), a->Height() - 1);
}

void TstNvGroupBar::openedHeightRulesAndUpdateNesting() {
  TNvGroupBar* bar = NewBar(gbsCategoryView);
  TNvGroup* a = NewGroup(bar, "A");
  a->SetOpenedHeight(120);  // nothing in it: back to 50
  QCOMPARE(a->OpenedHeight(), 50);
  new TCustomControl(a);
  a->SetOpenedHeight(120);
  QCOMPARE(a->OpenedHeight(), 120);
  QCOMPARE(a->Height(), 120);

  TNvGroup* b = NewGroup(bar, "B");
  const int bTop = b->Top();
  QCOMPARE(bTop, 8 + 120 + 8);
  bar->BeginUpdateLayout();
  bar->BeginUpdateLayout();
  a->Close();
  QCOMPARE(b->Top(), bTop);  // no layout inside the brackets
  bar->EndUpdateLayout();
  QCOMPARE(b->Top(), bTop);
  bar->EndUpdateLayout();
  QCOMPARE(b->Top(), 8 + 20 + 8);
  bar->EndUpdateLayout();  // clamped at 0: still lays out
  a->Open();
  QCOMPARE(b->Top(), bTop);
}

void TstNvGroupBar::styleChangesSetDefaults() {
  TNvGroupBar* bar = NewBar(gbsCategoryView);
  QCOMPARE(bar->GroupBorderSize(), 8);
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  QVERIFY(a->Opened() && b->Opened());
  QCOMPARE(a->Color(), clBtnFace);
  QCOMPARE(a->CaptionColor(), clHighlightText);
  QVERIFY(a->CaptionFont().Style() & fsBold);
  QCOMPARE(a->CaptionFont().Color(), clHighlight);

  bar->SetStyle(gbsTaskList);
  QCOMPARE(bar->Color(), clWindow);
  QCOMPARE(bar->GroupBorderSize(), 4);
  QVERIFY(!a->CanClose());
  QVERIFY(a->DividerVisible());
  QVERIFY(a->ParentColor());
  QCOMPARE(a->Color(), clWindow);
  QCOMPARE(a->CaptionColor(), clWindow);
  a->Close();  // a task list keeps every group open
  QVERIFY(a->Opened());

  bar->SetStyle(gbsOutlook);
  QCOMPARE(bar->GroupBorderSize(), 0);
  QVERIFY(a->Opened());
  QVERIFY(!b->Opened());
  QVERIFY(a->CanClose());
  QCOMPARE(a->Color(), clBtnShadow);
  QCOMPARE(int(a->CaptionFont().Style() & fsBold), 0);

  // A user's colours survive style changes; coming back from Outlook opens.
  b->SetColor(clYellow);
  QVERIFY(!b->ColorDefault());
  b->CaptionFont().SetStyle(fsItalic);
  bar->SetStyle(gbsCategoryView);
  QCOMPARE(b->Color(), clYellow);
  QCOMPARE(int(b->CaptionFont().Style()), int(fsItalic));
  QVERIFY(b->Opened());
  QVERIFY(!b->DividerVisible());
  QCOMPARE(bar->GroupBorderSize(), 8);
}

void TstNvGroupBar::stackedLayoutAndScrolling() {
  TNvGroupBar* bar = NewBar(gbsCategoryView, 200, 150);
  std::vector<TNvGroup*> groups;
  for (const char* name : {"A", "B", "C"}) {
    TNvGroup* g = NewGroup(bar, name);
    new TCustomControl(g);
    g->SetOpenedHeight(80);
    groups.push_back(g);
  }
  // 8 + 80 + 8 + 80 + 8 + 80 + 8 = 272 > 150: a scroll bar takes 16 pixels.
  // The last group laid out was shown whole, which scrolled to the end.
  QCOMPARE(bar->ScrollPosition(), 272 - 150);
  QCOMPARE(groups[2]->Top() + groups[2]->Height(), 150 - 8);
  bar->Perform(UM_RESETSCROLLPOSITION, 0, 0);
  QCOMPARE(bar->ScrollPosition(), 0);
  QCOMPARE(bar->GetTotalHeight(), 272);
  QVERIFY(bar->ScrollBarVisible());
  QCOMPARE(bar->ClientWidth(), 200 - 16);
  QCOMPARE(groups[0]->Width(), 200 - 16 - 16);
  QCOMPARE(groups[1]->Top(), 96);

  bar->Perform(WM_VSCROLL, ScrollCode(1), 0);  // line down
  QCOMPARE(bar->ScrollPosition(), 10);
  QCOMPARE(groups[0]->Top(), -2);
  QCOMPARE(groups[1]->Top(), 86);
  bar->Perform(WM_VSCROLL, ScrollCode(7), 0);  // bottom
  QCOMPARE(bar->ScrollPosition(), 272 - 150);
  QCOMPARE(groups[2]->Top() + groups[2]->Height(), 150 - 8);
  bar->Perform(WM_VSCROLL, ScrollCode(0), 0);  // line up
  QCOMPARE(bar->ScrollPosition(), 112);
  bar->Perform(WM_VSCROLL, ScrollCode(5, 30), 0);  // thumb track
  QCOMPARE(bar->ScrollPosition(), 30);
  bar->SetScrollPosition(5000);  // clamped to Max - Page
  QCOMPARE(bar->ScrollPosition(), 122);
  bar->SetScrollPosition(-4);
  QCOMPARE(bar->ScrollPosition(), 0);

  // The wheel moves 10 pixels a notch.
  QWheelEvent wheel(QPointF(20, 50), groups[0]->mapToGlobal(QPointF(20, 50)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(groups[0], &wheel);
  QCOMPARE(bar->ScrollPosition(), 10);

  // Scrolled to the end, closing a group pulls the others down.
  bar->SetScrollPosition(122);
  groups[2]->Close();
  QCOMPARE(bar->GetTotalHeight(), 8 + 80 + 8 + 80 + 8 + 20 + 8);
  QCOMPARE(groups[2]->Top() + groups[2]->Height(), 150 - 8);
  // Everything fits again: back to the top, no scroll bar, full width.
  bar->CloseAllGroups();
  QCOMPARE(bar->ScrollPosition(), 0);
  QVERIFY(!bar->ScrollBarVisible());
  QCOMPARE(groups[0]->Top(), 8);
  QCOMPARE(groups[0]->Width(), 200 - 16);
  // Opening a group shows it whole: its bottom comes B above the client bottom.
  groups[2]->Open();
  QCOMPARE(groups[2]->Top() + groups[2]->Height(), 150 - 8);
  bar->OpenAllGroups();
  QVERIFY(groups[0]->Opened() && groups[1]->Opened());
  bar->Perform(UM_RESETSCROLLPOSITION, 0, 0);
  QCOMPARE(bar->ScrollPosition(), 0);

  // Exclusive mode: opening one closes the others.
  bar->SetExclusiveMode(true);
  groups[1]->Close();
  groups[1]->Open();
  QVERIFY(!groups[0]->Opened() && !groups[2]->Opened());

  // Outlook never scrolls.
  TNvGroupBar* outlook = NewBar(gbsOutlook, 200, 150);
  NewGroup(outlook, "X");
  outlook->SetScrollPosition(40);
  QCOMPARE(outlook->ScrollPosition(), 0);
  QVERIFY(!outlook->ScrollBarVisible());
}

// Deleting the bar's children moves the focus after the bar itself is gone;
// the bar must not be told of it then (the sanitized build reports the
// call on the half-destroyed object).
void TstNvGroupBar::destroyedWhileAChildHasTheFocus() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* group = NewGroup(bar, "A");
  auto* edit = new TEdit(group);
  edit->SetBounds(10, 30, 73, 21);
  edit->SetFocus();
  QTRY_VERIFY(edit->Focused());
  QPointer<QWidget> watched(edit);
  delete bar;
  QApplication::processEvents();
  QVERIFY(watched.isNull());
  QVERIFY(QApplication::focusWidget() == nullptr ||
          QApplication::focusWidget()->window() == host_->window());
}

void TstNvGroupBar::focusIntoClosedGroupOpensIt() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  auto* edit = new TEdit(b);
  edit->SetBounds(10, 30, 73, 21);
  QVERIFY(!b->Opened());
  edit->SetFocus();
  QTRY_VERIFY(b->Opened());
  QVERIFY(!a->Opened());
}

void TstNvGroupBar::captionHotTrackingAndCursor() {
  TNvGroupBar* bar = NewBar();
  TNvGroup* a = NewGroup(bar, "A");
  int enters = 0, leaves = 0;
  a->OnMouseEnter = [&](TObject*) { ++enters; };
  a->OnMouseLeave = [&](TObject*) { ++leaves; };
  QTest::mouseMove(a, CaptionPoint(a));
  QCOMPARE(a->CaptionState(), csHot);
  QVERIFY(a->HandCursorShown());
  QCOMPARE(a->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(a, QPoint(30, 100));
  QCOMPARE(a->CaptionState(), csNormal);
  QVERIFY(!a->HandCursorShown());
  QTest::mouseMove(a, CaptionPoint(a));
  QCOMPARE(a->CaptionState(), csHot);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(a, &leave);
  QCOMPARE(a->CaptionState(), csNormal);
  QCOMPARE(leaves, 1);
  const int entersBefore = enters;
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), a->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(a, &enter);
  QCOMPARE(enters, entersBefore + 1);
}

void TstNvGroupBar::itemClickHotTrackingAndSelection() {
  TNvGroupBar* bar = NewBar();
  TImageList images;
  QImage square(16, 16, QImage::Format_ARGB32);
  square.fill(Qt::red);
  images.Add(square);
  bar->SetSmallImages(&images);
  TNvGroup* a = NewGroup(bar, "A");
  TNvGroup* b = NewGroup(bar, "B");
  b->Open();
  int clicks = 0;
  std::vector<TNvGroupItem*> over;
  b->OnMouseOverItem = [&](TObject*, TNvGroupItem* item) { over.push_back(item); };
  TNvGroupItem* first = b->Items().Add("First");
  first->SetImageIndex(0);
  first->OnClick = [&](TObject*) { ++clicks; };
  TNvGroupItem* plain = b->Items().Add("No handler");
  TNvGroupItem* off = b->Items().Add("Disabled");
  off->OnClick = [&](TObject*) { clicks += 100; };
  off->SetEnabled(false);
  TNvItemAction action;
  int actions = 0;
  action.OnExecute = [&](TObject*) { ++actions; };
  TNvGroupItem* viaAction = b->Items().Add("Action");
  viaAction->SetAction(&action);
  b->Repaint();

  // Layout: images at x 8, text after the 16-pixel image + 12; rows of 20.
  QCOMPARE(first->ImageRect().Left, 8);
  QCOMPARE(first->CaptionRect().Left, 16 + 12);
  QCOMPARE(plain->CaptionRect().Top - first->CaptionRect().Top, 20);

  QTest::mouseMove(b, Centre(first->CaptionRect()));
  QCOMPARE(first->State(), csHot);
  QVERIFY(b->HandCursorShown());
  QCOMPARE(over.size(), size_t(1));
  QCOMPARE(over.back(), first);
  QTest::mouseMove(b, Centre(plain->CaptionRect()));
  QCOMPARE(first->State(), csNormal);
  QCOMPARE(plain->State(), csNormal);  // nothing to click: no hot state
  QVERIFY(!b->HandCursorShown());
  QCOMPARE(over.back(), static_cast<TNvGroupItem*>(nullptr));

  QTest::mouseClick(b, Qt::LeftButton, {}, Centre(first->ImageRect()));
  QCOMPARE(clicks, 1);
  QTest::mouseClick(b, Qt::LeftButton, {}, Centre(off->CaptionRect()));
  QCOMPARE(clicks, 1);
  QTest::mouseClick(b, Qt::LeftButton, {}, Centre(viaAction->CaptionRect()));
  QCOMPARE(actions, 1);
  // Pressing on an item and releasing elsewhere does not click.
  QTest::mousePress(b, Qt::LeftButton, {}, Centre(first->CaptionRect()));
  QCOMPARE(first->State(), csDown);
  QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(300, 200));
  QCOMPARE(clicks, 1);

  // Selection: a click selects; the selected item ignores further clicks.
  b->SetShowItemSelection(true);
  QTest::mouseClick(b, Qt::LeftButton, {}, Centre(first->CaptionRect()));
  QCOMPARE(clicks, 2);
  QVERIFY(first->Selected());
  QCOMPARE(b->SelectedIndex(), 0);
  QTest::mouseClick(b, Qt::LeftButton, {}, Centre(first->CaptionRect()));
  QCOMPARE(clicks, 2);
  viaAction->SetSelected(true);
  QVERIFY(!first->Selected());
  QCOMPARE(b->SelectedIndex(), 3);

  // Unique selection across groups.
  a->SetShowItemSelection(true);
  TNvGroupItem* other = a->Items().Add("Other");
  other->SetSelected(true);
  QVERIFY(viaAction->Selected());
  bar->SetUniqueItemSelection(true);
  QVERIFY(!viaAction->Selected() && !other->Selected());
  other->SetSelected(true);
  viaAction->SetSelected(true);
  QVERIFY(!other->Selected());
  QCOMPARE(a->SelectedIndex(), -1);

  // Deleting items keeps the bookkeeping sane.
  b->Items().Delete(3);
  QCOMPARE(b->SelectedIndex(), -1);
  QVERIFY_THROWS_EXCEPTION(EListError, b->Items().Items(3));
}

void TstNvGroupBar::itemScrollButtonsRepeat() {
  TNvGroupBar* bar = NewBar(gbsOutlook, 200, 150);
  TNvGroup* a = NewGroup(bar, "A");
  for (int i = 0; i < 20; ++i) a->Items().Add("Item " + std::to_string(i));
  TNvRapidFireButton* up = a->ScrollUpButton();
  TNvRapidFireButton* down = a->ScrollDownButton();
  QVERIFY(!up->Visible());
  QVERIFY(down->Visible());
  QCOMPARE(Bounds(up), Rect(200 - 21, 24, 200 - 4, 41));
  QCOMPARE(Bounds(down), Rect(200 - 21, 150 - 21, 200 - 4, 150 - 4));
  QCOMPARE(a->ItemsVisible(), 150 / (a->CalculateHeight(200) / 20));

  const QPoint mid(8, 8);
  QElapsedTimer clock;
  clock.start();
  QTest::mousePress(down, Qt::LeftButton, {}, mid);
  QCOMPARE(a->TopItem(), 0);  // a press alone does not scroll
  QCOMPARE(down->RepeatInterval(), 400u);
  QTest::qWait(200);
  if (clock.elapsed() < 380) QCOMPARE(a->TopItem(), 0);  // nothing before 400 ms
  QTRY_VERIFY_WITH_TIMEOUT(a->TopItem() >= 1, 5000);
  QCOMPARE(down->RepeatInterval(), 100u);
  QTRY_VERIFY_WITH_TIMEOUT(a->TopItem() >= 3, 5000);
  QVERIFY(up->Visible());
  QTest::mouseRelease(down, Qt::LeftButton, {}, mid);
  const int released = a->TopItem();
  QCOMPARE(down->RepeatInterval(), 0u);
  QTest::qWait(250);
  QVERIFY(a->TopItem() <= released + 1);
  QCOMPARE(a->TopItem(), released);  // stopped (the release click came before)

  // Driven tick by tick: one step per tick, then one more on release.
  const int start = a->TopItem();
  QTest::mousePress(up, Qt::LeftButton, {}, mid);
  up->Perform(WM_TIMER, 1, 0);
  QCOMPARE(a->TopItem(), start - 1);
  QCOMPARE(up->RepeatInterval(), 100u);
  up->Perform(WM_TIMER, 1, 0);
  QTest::mouseRelease(up, Qt::LeftButton, {}, mid);
  QCOMPARE(a->TopItem(), start - 3);

  // The top item stays inside the list; a closed group hides its buttons.
  a->SetTopItem(19);
  QCOMPARE(a->TopItem(), 19);
  a->SetTopItem(20);
  a->SetTopItem(-1);
  QCOMPARE(a->TopItem(), 19);
  QTest::mouseClick(down, Qt::LeftButton, {}, mid);
  QCOMPARE(a->TopItem(), 19);
  NewGroup(bar, "B")->Open();
  QVERIFY(!up->Visible() && !down->Visible());
}

void TstNvGroupBar::loadingKeepsStoredStateAndJoinsAfterwards() {
  auto* bar = new TNvGroupBar(host_.get());
  bar->SetAlign(alNone);
  bar->SetBounds(0, 0, kW, kH);
  bar->BeginLoading();
  bar->SetStyle(gbsOutlook);
  bar->SetGroupBorderSize(0);
  auto* first = new TNvGroup(bar);
  first->SetCaption("Basic");
  first->SetOpened(false);  // as stored: the second group is the open one
  auto* second = new TNvGroup(bar);
  second->SetCaption("Advanced");
  QCOMPARE(bar->GetGroupCount(), 0);  // groups join once they are read
  bar->EndLoading();
  QCOMPARE(bar->GetGroupCount(), 2);
  QCOMPARE(first->GroupIndex(), 0);
  QVERIFY(!first->Opened());
  QVERIFY(second->Opened());
  QCOMPARE(Bounds(first), Rect(0, 0, kW, 20));
  QCOMPARE(Bounds(second), Rect(0, 20, kW, kH));
  QTest::qWait(1);  // the posted scroll reset arrives harmlessly
  QCOMPARE(bar->ScrollPosition(), 0);
}

QTEST_MAIN(TstNvGroupBar)
#include "tst_nvgroupbar.moc"
