#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/exceptions.h"

namespace {

class Receiver : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TMessage> received;
  bool throwOnTimer = false;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_TIMER && throwOnTimer) throw Exception("timer failed");
    if (m.Msg == WM_TIMER || m.Msg >= WM_USER) {
      received.push_back(m);
      m.Result = 7;
      return;
    }
    TCustomControl::WndProc(m);
  }
  int Count(Cardinal msg) const {
    int n = 0;
    for (const TMessage& m : received) n += m.Msg == msg;
    return n;
  }
};

// Runs the event loop until `done` or the (generous) limit passes.
template <typename F>
bool WaitFor(F done, int limitMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < limitMs) QTest::qWait(5);
  return done();
}

}  // namespace

TEST(PostedMessages, ArriveLaterThroughTheEventLoopInOrder) {
  Receiver r;
  ASSERT_TRUE(PostMessage(&r, WM_USER + 1, 10, -1));
  ASSERT_TRUE(PostMessage(&r, CM_BASE + 256, 7, 0));
  EXPECT_TRUE(r.received.empty());  // not delivered synchronously
  QApplication::processEvents();
  ASSERT_EQ(r.received.size(), 2u);
  EXPECT_EQ(r.received[0].Msg, WM_USER + 1);
  EXPECT_EQ(r.received[0].WParam, 10u);
  EXPECT_EQ(r.received[0].LParam, -1);
  EXPECT_EQ(r.received[1].Msg, 45312u);
  EXPECT_FALSE(PostMessage(nullptr, WM_USER, 0, 0));
}

TEST(PostedMessages, PerformAndSendMessageDeliverAtOnceWithResult) {
  Receiver r;
  EXPECT_EQ(r.Perform(WM_USER + 5, 1, 2), 7);
  EXPECT_EQ(SendMessage(&r, WM_USER + 6, 0, 0), 7);
  EXPECT_EQ(r.received.size(), 2u);
  EXPECT_EQ(SendMessage(nullptr, WM_USER, 0, 0), 0);
}

TEST(PostedMessages, PendingMessagesOfADestroyedControlAreDropped) {
  auto* r = new Receiver();
  PostMessage(r, WM_USER, 0, 0);
  delete r;
  QApplication::processEvents();  // must not touch the dead control
  SUCCEED();
}

TEST(Timers, DeliverWmTimerWithTheIdUntilKilled) {
  Receiver r;
  EXPECT_EQ(SetTimer(&r, 3, 10), 3u);
  EXPECT_EQ(SetTimer(&r, 4, 10), 4u);
  ASSERT_TRUE(WaitFor([&] { return r.Count(WM_TIMER) >= 6; }));
  bool both = false, three = false, four = false;
  for (const TMessage& m : r.received) {
    three |= m.WParam == 3;
    four |= m.WParam == 4;
  }
  both = three && four;
  EXPECT_TRUE(both);
  EXPECT_TRUE(KillTimer(&r, 3));
  EXPECT_TRUE(KillTimer(&r, 4));
  EXPECT_FALSE(KillTimer(&r, 4));
  QApplication::processEvents();
  r.received.clear();
  QTest::qWait(50);
  EXPECT_EQ(r.Count(WM_TIMER), 0);
  EXPECT_EQ(SetTimer(nullptr, 1, 10), 0u);
  EXPECT_EQ(SetTimer(&r, 0, 10), 0u);
}

TEST(Timers, SettingARunningTimerAgainReplacesIt) {
  Receiver r;
  SetTimer(&r, 1, 100000);
  SetTimer(&r, 1, 5);  // restarted with the short interval
  EXPECT_TRUE(WaitFor([&] { return r.Count(WM_TIMER) >= 2; }));
  KillTimer(&r, 1);
}

TEST(Timers, AnExceptionInAHandlerGoesToTheApplicationAndTheLoopGoesOn) {
  Receiver r;
  std::vector<std::string> shown;
  SetMessageBoxInterceptor([&](const std::string& text, const std::string&, uint32_t) {
    shown.push_back(text);
    return IDOK;
  });
  r.throwOnTimer = true;
  SetTimer(&r, 9, 5);
  EXPECT_TRUE(WaitFor([&] { return !shown.empty(); }));
  KillTimer(&r, 9);
  SetMessageBoxInterceptor(nullptr);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], "timer failed");
}

TEST(Keys, QtKeysMapToVirtualKeysAndBack) {
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Up), VK_UP);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_PageUp), VK_PRIOR);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_PageDown), VK_NEXT);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Space), VK_SPACE);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Return), VK_RETURN);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_A), 'A');
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_7), '7');
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F5), VK_F5);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_unknown), 0);
  for (Word vk : {VK_UP, VK_DELETE, VK_ESCAPE, Word('Q'), Word('3'), VK_F12})
    EXPECT_EQ(QtKeyToVirtualKey(VirtualKeyToQtKey(vk)), vk);
}
