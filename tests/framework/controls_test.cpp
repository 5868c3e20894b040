#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/controls.h"
#include "framework/forms.h"
#include "framework/panel.h"

namespace {

// A windowed control that records the hooks the layer calls.
class Probe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> log;
  void EnabledChanged() override { log.push_back("enabled"); }
  void ColorChanged() override { log.push_back("color"); }
  void FontChanged() override { log.push_back("font"); }
  void MouseEnter() override { log.push_back("enter"); }
  void MouseLeave() override { log.push_back("leave"); }
  void DoEnter() override {
    log.push_back("DoEnter");
    TCustomControl::DoEnter();
  }
  void DoExit() override {
    log.push_back("DoExit");
    TCustomControl::DoExit();
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("up");
    TCustomControl::MouseUp(b, s, x, y);
  }
  void Click() override {
    log.push_back("click");
    TCustomControl::Click();
  }
};

struct Window {
  TForm form;
  Window() {
    form.SetBounds(0, 0, 300, 200);
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
};

}  // namespace

TEST(Alignment, TopThenBottomThenLeftRightAndClientInDeclarationOrder) {
  TPanel host;
  host.SetBevelOuter(bvNone);
  host.SetBounds(0, 0, 200, 100);
  TPanel client(&host), top1(&host), left(&host), bottom(&host), top2(&host), right(&host);
  client.SetAlign(alClient);
  top1.SetHeight(10);
  top1.SetAlign(alTop);
  left.SetWidth(30);
  left.SetAlign(alLeft);
  bottom.SetHeight(15);
  bottom.SetAlign(alBottom);
  top2.SetHeight(12);
  top2.SetAlign(alTop);
  right.SetWidth(25);
  right.SetAlign(alRight);
  EXPECT_EQ(top1.BoundsRect(), Rect(0, 0, 200, 10));
  EXPECT_EQ(top2.BoundsRect(), Rect(0, 10, 200, 22));  // declared after top1: below it
  EXPECT_EQ(bottom.BoundsRect(), Rect(0, 85, 200, 100));
  EXPECT_EQ(left.BoundsRect(), Rect(0, 22, 30, 85));
  EXPECT_EQ(right.BoundsRect(), Rect(175, 22, 200, 85));
  EXPECT_EQ(client.BoundsRect(), Rect(30, 22, 175, 85));

  host.SetBounds(0, 0, 300, 150);  // follows the container's size
  EXPECT_EQ(bottom.BoundsRect(), Rect(0, 135, 300, 150));
  EXPECT_EQ(client.BoundsRect(), Rect(30, 22, 275, 135));

  top1.SetVisible(false);  // hidden controls take no room
  EXPECT_EQ(top2.BoundsRect(), Rect(0, 0, 300, 12));
  top2.SetHeight(20);  // an aligned control keeps its own height
  EXPECT_EQ(client.BoundsRect(), Rect(30, 20, 275, 135));
}

TEST(Alignment, BevelsAndBorderShrinkTheAlignArea) {
  TPanel host;
  host.SetBounds(0, 0, 100, 60);
  host.SetBevelOuter(bvRaised);
  host.SetBevelInner(bvLowered);
  host.SetBorderWidth(2);
  TPanel child(&host);
  child.SetAlign(alClient);
  EXPECT_EQ(child.BoundsRect(), Rect(4, 4, 96, 56));
}

TEST(TabOrder, SettingTabOrderMovesTheControlInItsParentsList) {
  TForm form;
  TCustomControl a(&form), b(&form), c(&form);
  EXPECT_EQ(a.TabOrder(), 0);
  EXPECT_EQ(c.TabOrder(), 2);
  c.SetTabOrder(0);
  EXPECT_EQ(c.TabOrder(), 0);
  EXPECT_EQ(a.TabOrder(), 1);
  EXPECT_EQ(b.TabOrder(), 2);
  a.SetTabOrder(99);  // out of range: last
  EXPECT_EQ(a.TabOrder(), 2);
  std::vector<TWinControl*> list;
  form.GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{&c, &b, &a}));
}

TEST(TabOrder, TabKeyFollowsTabOrderAcrossContainersAndSkipsTheUnfocusable) {
  Window w;
  TPanel group(&w.form);
  Probe first(&w.form), inner1(&group), inner2(&group), last(&w.form), off(&w.form);
  for (Probe* p : {&first, &inner1, &inner2, &last, &off}) p->SetTabStop(true);
  off.SetEnabled(false);
  group.SetTabOrder(3);  // after `last` among the form's children
  first.SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(first.Focused());
  QTest::keyClick(&first, Qt::Key_Tab);
  EXPECT_TRUE(last.Focused());
  QTest::keyClick(&last, Qt::Key_Tab);
  EXPECT_TRUE(inner1.Focused());
  QTest::keyClick(&inner1, Qt::Key_Tab);
  EXPECT_TRUE(inner2.Focused());
  QTest::keyClick(&inner2, Qt::Key_Tab);  // wraps, skipping the disabled one
  EXPECT_TRUE(first.Focused());
  QTest::keyClick(&first, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(inner2.Focused());
  EXPECT_EQ(first.log, (std::vector<std::string>{"DoEnter", "DoExit", "DoEnter", "DoExit"}));
}

TEST(Focus, EnterAndExitFireOncePerFocusChange) {
  Window w;
  Probe a(&w.form), b(&w.form);
  int enters = 0, exits = 0;
  a.OnEnter = [&](TObject* s) { enters += s == &a; };
  a.OnExit = [&](TObject* s) { exits += s == &a; };
  a.SetFocus();
  a.SetFocus();
  QApplication::processEvents();
  b.SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
}

TEST(ParentSettings, ColourAndFontFollowTheParentUntilSetOwn) {
  TPanel parent;
  parent.SetColor(clInfoBk);
  Probe child(&parent);
  EXPECT_TRUE(child.ParentColor());
  EXPECT_EQ(child.Color(), clInfoBk);
  child.log.clear();
  parent.SetColor(clRed);
  EXPECT_EQ(child.Color(), clRed);
  EXPECT_EQ(child.log, (std::vector<std::string>{"color"}));
  child.SetColor(clRed);  // same value: stays a follower
  EXPECT_TRUE(child.ParentColor());
  child.SetColor(clLime);
  EXPECT_FALSE(child.ParentColor());
  parent.SetColor(clBlue);
  EXPECT_EQ(child.Color(), clLime);
  child.SetParentColor(true);
  EXPECT_EQ(child.Color(), clBlue);

  TFont big;
  big.SetHeight(-20);
  parent.SetFont(big);
  EXPECT_EQ(child.Font().Height(), -20);
  EXPECT_TRUE(child.ParentFont());
  child.Font().SetStyle(fsBold);  // editing the own font stops following
  EXPECT_FALSE(child.ParentFont());
  big.SetHeight(-30);
  parent.SetFont(big);
  EXPECT_EQ(child.Font().Height(), -20);
}

TEST(ControlHooks, EnabledAndMouseNotificationsReachTheHooks) {
  TPanel parent;
  Probe p(&parent);
  p.SetEnabled(true);  // no change, no hook
  p.SetEnabled(false);
  p.Perform(CM_MOUSEENTER, 0, 0);
  p.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(p.log, (std::vector<std::string>{"enabled", "enter", "leave"}));
  EXPECT_FALSE(p.Enabled());
}

TEST(ControlMouse, ClickNeedsPressAndReleaseInsideInClientCoordinates) {
  Window w;
  Probe p(&w.form);
  p.SetBounds(10, 10, 50, 30);
  int clicks = 0;
  p.OnClick = [&](TObject*) { ++clicks; };
  QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(p.log, (std::vector<std::string>{"down 5,6", "click", "up"}));
  QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(GetCaptureControl(), &p);
  QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(80, 6));  // released outside
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST(ControlBounds, SetBoundsAndClientSizes) {
  TForm form;
  form.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(form.ClientRect(), Rect(0, 0, 200, 100));
  Probe p(&form);
  p.SetBounds(3, 4, 20, 10);
  EXPECT_EQ(p.Left(), 3);
  EXPECT_EQ(p.Top(), 4);
  EXPECT_EQ(p.BoundsRect(), Rect(3, 4, 23, 14));
  p.SetClientWidth(40);
  EXPECT_EQ(p.Width(), 40);
  p.SetBounds(1, 1, -5, 3);
  EXPECT_EQ(p.Width(), 0);
}

TEST(ControlLoading, LoadedRunsOncePerControlAfterChildren) {
  struct Loader : TCustomControl {
    using TCustomControl::TCustomControl;
    std::vector<std::string>* order = nullptr;
    std::string name;
    void Loaded() override { order->push_back(name); }
  };
  std::vector<std::string> order;
  Loader parent;
  Loader child(&parent);
  parent.order = child.order = &order;
  parent.name = "parent";
  child.name = "child";
  parent.BeginLoading();
  EXPECT_TRUE(child.ComponentState() & csLoading);
  parent.EndLoading();
  parent.EndLoading();
  EXPECT_EQ(order, (std::vector<std::string>{"child", "parent"}));
  EXPECT_FALSE(child.ComponentState() & csLoading);
}
