#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/forms.h"
#include "framework/listbox.h"

namespace {

class Owner : public TCustomListBox {
 public:
  explicit Owner(TWinControl* parent) : TCustomListBox(parent) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(17);
    SetBorderStyle(bsNone);
  }
  struct Drawn {
    int index;
    TRect rect;
    TOwnerDrawState state;
  };
  std::vector<Drawn> drawn;
  std::vector<std::string> log;
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override {
    drawn.push_back({index, rect, state});
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    log.push_back("down, index " + std::to_string(ItemIndex()));
    TCustomListBox::MouseDown(b, s, x, y);
  }
};

struct ListWindow {
  TForm form;
  Owner list{&form};
  ListWindow() {
    form.SetBounds(0, 0, 300, 200);
    list.SetBounds(0, 0, 100, 51);  // three rows of 17
    list.Items().SetCommaText(
        "\"OverLoad L1 Enable\",\"OverLoad L2 Enable\",\"OverLoad L3 Enable\",x,y");
    list.OnClick = [this](TObject*) { list.log.push_back("click"); };
    form.ShowForm();
    QApplication::setActiveWindow(&form);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
};

}  // namespace

TEST(ListBox, PaintsOnlyVisibleItemsWithRowRectsAndStates) {
  ListWindow w;
  w.list.SetItemIndex(1);
  w.list.SetFocus();
  QApplication::processEvents();
  w.list.drawn.clear();
  w.list.Repaint();
  ASSERT_EQ(w.list.drawn.size(), 3u);
  // Five items in three rows: the vertical scroll bar takes 16 pixels.
  EXPECT_EQ(w.list.ClientWidth(), 84);
  EXPECT_EQ(w.list.drawn[0].rect, Rect(0, 0, 84, 17));
  EXPECT_EQ(w.list.drawn[2].rect, Rect(0, 34, 84, 51));
  EXPECT_EQ(w.list.drawn[0].state, 0u);
  EXPECT_EQ(w.list.drawn[1].state, odSelected | odFocused);
  w.list.drawn.clear();
  w.list.repaint(0, 20, 100, 10);  // an area inside the second row
  ASSERT_EQ(w.list.drawn.size(), 1u);
  EXPECT_EQ(w.list.drawn[0].index, 1);
}

TEST(ListBox, FocusRectangleShowsWhereTheFocusIsAlsoWithoutACurrentItem) {
  ListWindow w;
  auto focusedRows = [&w] {
    w.list.drawn.clear();
    w.list.Repaint();
    std::vector<std::pair<int, TOwnerDrawState>> rows;
    for (const auto& d : w.list.drawn)
      if (d.state & odFocused) rows.emplace_back(d.index, d.state);
    return rows;
  };
  ASSERT_EQ(w.list.ItemIndex(), -1);
  w.list.clearFocus();
  QApplication::processEvents();
  ASSERT_FALSE(w.list.Focused());
  EXPECT_TRUE(focusedRows().empty());
  // Tabbing in with no current item: the focus rectangle is on item 0,
  // which is not selected.
  w.list.SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(w.list.Focused());
  using Rows = std::vector<std::pair<int, TOwnerDrawState>>;
  EXPECT_EQ(focusedRows(), (Rows{{0, odFocused}}));
  // Clearing the current item leaves the rectangle on the item last current.
  w.list.SetItemIndex(2);
  w.list.SetItemIndex(-1);
  EXPECT_EQ(focusedRows(), (Rows{{2, odFocused}}));
  // It follows its item when rows come and go before it.
  w.list.Items().Delete(0);
  EXPECT_EQ(w.list.FocusedItem(), 1);
  w.list.Items().Insert(0, "new");
  EXPECT_EQ(w.list.FocusedItem(), 2);
  w.list.Items().Clear();
  EXPECT_EQ(w.list.FocusedItem(), -1);
  w.list.Items().Add("only");
  EXPECT_EQ(w.list.FocusedItem(), 0);
}

TEST(ListBox, PressSelectsAndClicksBeforeMouseDown) {
  ListWindow w;
  QTest::mousePress(&w.list, Qt::LeftButton, {}, QPoint(30, 20));
  QTest::mouseRelease(&w.list, Qt::LeftButton, {}, QPoint(30, 20));
  EXPECT_EQ(w.list.ItemIndex(), 1);
  EXPECT_EQ(w.list.log, (std::vector<std::string>{"click", "down, index 1"}));
  w.list.log.clear();
  QTest::mouseClick(&w.list, Qt::LeftButton, {}, QPoint(30, 20));  // same item: no click
  EXPECT_EQ(w.list.log, (std::vector<std::string>{"down, index 1"}));
}

TEST(ListBox, KeysMoveTheCurrentItemAndScroll) {
  ListWindow w;
  w.list.SetFocus();
  QApplication::processEvents();
  QTest::keyClick(&w.list, Qt::Key_Down);
  EXPECT_EQ(w.list.ItemIndex(), 0);
  QTest::keyClick(&w.list, Qt::Key_End);
  EXPECT_EQ(w.list.ItemIndex(), 4);
  EXPECT_EQ(w.list.TopIndex(), 2);
  QTest::keyClick(&w.list, Qt::Key_Home);
  EXPECT_EQ(w.list.TopIndex(), 0);
  int clicks = 0;
  for (const std::string& s : w.list.log) clicks += s == "click";
  EXPECT_EQ(clicks, 3);
}

TEST(ListBox, ItemIndexFollowsInsertsAndDeletes) {
  TForm form;
  TListBox l(&form);
  l.Items().SetCommaText("a,b,c");
  l.SetItemIndex(1);
  l.Items().Insert(0, "z");
  EXPECT_EQ(l.ItemIndex(), 2);
  l.Items().Delete(0);
  EXPECT_EQ(l.ItemIndex(), 1);
  l.Items().Delete(1);
  EXPECT_EQ(l.ItemIndex(), -1);
  l.SetItemIndex(7);
  EXPECT_EQ(l.ItemIndex(), -1);
}

TEST(ListBox, GeometryOfSingleAndMultiColumnLists) {
  TForm form;
  Owner l(&form);
  l.SetBounds(0, 0, 100, 51);
  l.Items().SetCommaText("a,b,c,d,e,f,g");
  EXPECT_EQ(l.ItemAtPos({5, 40}, true), 2);
  EXPECT_EQ(l.ItemAtPos({5, 60}, true), -1);
  l.Items().SetCommaText("a,b");
  EXPECT_EQ(l.ItemAtPos({5, 40}, true), -1);
  EXPECT_EQ(l.ItemAtPos({5, 40}, false), 2);
  l.Items().SetCommaText("a,b,c,d,e,f,g");
  l.SetColumns(1);
  l.SetBounds(0, 0, 100, 51 + 16);  // room for the horizontal bar
  EXPECT_EQ(l.RowsPerColumn(), 3);
  EXPECT_EQ(l.ColumnWidth(), 100);
  EXPECT_EQ(l.ItemRect(4), Rect(100, 17, 200, 34));  // second column, off to the right
  l.SetItemIndex(4);
  EXPECT_EQ(l.TopIndex(), 3);
  EXPECT_EQ(l.ItemRect(4), Rect(0, 17, 100, 34));
}

TEST(ListBox, PrefixSearchIgnoresCaseAndWraps) {
  TListBox l;
  l.Items().SetCommaText("Alpha,beta,Bravo,alps");
  EXPECT_EQ(l.FindItemPrefix("b"), 1);
  EXPECT_EQ(l.FindItemPrefix("B", 1), 2);
  EXPECT_EQ(l.FindItemPrefix("al", 0), 3);
  EXPECT_EQ(l.FindItemPrefix("al", 3), 0);
  EXPECT_EQ(l.FindItemPrefix("x"), -1);
}
