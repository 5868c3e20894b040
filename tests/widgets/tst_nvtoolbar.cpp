// TNvToolbar and TNvSpacer: ordering, row layout and wrapping, automatic
// size, the divider rule, the stored control order, the size message to the
// parent, panel enabling, and the painted groove, gradient and spacer line.
#include <QTest>
#include <memory>

#include "framework/imagelist.h"
#include "framework/mainimages.h"
#include "tests/widgets/qt_test_host.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvcustompanel.h"
#include "widgets/tnvspacer.h"
#include "widgets/tnvtoolbar.h"
#include "widgets/tnvtoolbutton.h"

namespace {

// A plain control of a given size to line up.
TGraphicControl* Block(TWinControl* parent, int w, int h, const std::string& name = "") {
  auto* c = new TGraphicControl(parent);
  c->SetBounds(0, 0, w, h);
  c->SetName(name);
  return c;
}

// A parent that records the size messages it receives.
class SizeProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int sizeMessages = 0;
  LPARAM lastSize = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SIZE) {
      ++sizeMessages;
      lastSize = m.LParam;
    }
    TCustomControl::WndProc(m);
  }
};

}  // namespace

class TstNvToolbar : public QObject {
  Q_OBJECT

 private slots:
  void init() { host_ = MakeActiveHost(499, 200); }
  void cleanup() { host_.reset(); }

  void defaultsOfANewToolbar() {
    TNvToolbar tb(host_.get());
    QCOMPARE(tb.Align(), alTop);
    QCOMPARE(tb.BorderOuter(), fsGroove);
    QCOMPARE(tb.BorderInner(), fsNone);
    QCOMPARE(tb.BorderSides(), SideBit(sdTop));
    QVERIFY(tb.AutoStyle());
    QVERIFY(!tb.FullRepaint());
    // Without controls: one row and two top margins.
    tb.Realign();
    QCOMPARE(tb.Height(), 29);
    QCOMPARE(tb.Width(), 499);
  }

  void programToolbarLinesUpSpacersAndButtons() {
    TImageList images;
    AddMainWindowImages(images);
    TNvToolbar tb(host_.get());
    tb.SetImages(&images);
    tb.SetVisualStyle(vsGradient);
    auto* s1 = new TNvSpacer(&tb);
    auto* s2 = new TNvSpacer(&tb);
    auto* edit = new TNvToolButton(&tb);
    edit->SetCaption("Write ");
    edit->SetShowCaption(true);
    edit->SetLayout(blGlyphLeft);
    edit->SetImageIndex(4);
    auto* find = new TNvToolButton(&tb);
    find->SetCaption("Read");
    find->SetShowCaption(true);
    find->SetImageIndex(6);
    QApplication::processEvents();
    QCOMPARE(s1->Left(), 4);
    QCOMPARE(s2->Left(), 12);
    QCOMPARE(edit->Left(), 20);
    QCOMPARE(find->Left(), 20 + edit->Width());
    for (TControl* c : {static_cast<TControl*>(s1), static_cast<TControl*>(s2),
                        static_cast<TControl*>(edit), static_cast<TControl*>(find)})
      QCOMPARE(c->Top(), 2);
    QCOMPARE(edit->Height(), 25);
    QCOMPARE(find->Height(), 25);
    QCOMPARE(tb.Height(), 29);
    QCOMPARE(tb.ToolbarControls().Count(), 4);
    QCOMPARE(tb.ToolbarControls().Controls(3), find);
  }

  void controlsAreCentredInTheirRow() {
    TNvToolbar tb(host_.get());
    auto* c = Block(&tb, 30, 21);
    tb.Realign();
    QCOMPARE(c->Top(), 2 + 12 - 10);
    QCOMPARE(c->Left(), 4);
  }

  void wrappingStartsANewRowAndGrowsTheToolbar() {
    TNvToolbar tb(host_.get());
    tb.SetAlign(alNone);
    tb.SetBounds(0, 0, 100, 32);
    std::vector<TGraphicControl*> blocks;
    for (int i = 0; i < 5; ++i) blocks.push_back(Block(&tb, 25, 25));
    tb.Realign();
    // 4 + 3 x 25 = 79; a fourth block would end at 104 > 100 - 4.
    QCOMPARE(blocks[2]->Left(), 54);
    QCOMPARE(blocks[2]->Top(), 2);
    QCOMPARE(blocks[3]->Left(), 4);
    QCOMPARE(blocks[3]->Top(), 27);
    QCOMPARE(blocks[4]->Left(), 29);
    QCOMPARE(tb.Height(), 2 * 25 + 4);

    tb.SetWrapControls(false);
    QCOMPARE(blocks[4]->Top(), 2);
    QCOMPARE(blocks[4]->Left(), 104);
    QCOMPARE(tb.Height(), 29);
    QVERIFY(tb.PopupButtonShown());
  }

  void theFirstControlNeverWrapsAndNoRowStaysEmpty() {
    TNvToolbar tb(host_.get());
    tb.SetAlign(alNone);
    tb.SetBounds(0, 0, 20, 32);
    auto* wide = Block(&tb, 40, 25);
    tb.Realign();
    QCOMPARE(wide->Top(), 2);
    QCOMPARE(tb.Height(), 29);
    // With a hidden first entry the wide control still takes the first row.
    auto* hiddenFirst = Block(&tb, 10, 25);
    tb.ToolbarControls().Clear();
    tb.ToolbarControls().AddControl(hiddenFirst);
    tb.ToolbarControls().AddControl(wide);
    hiddenFirst->Hide();
    tb.PositionControls();
    QCOMPARE(wide->Top(), 2);
    QCOMPARE(tb.Height(), 29);
  }

  void leftAlignedToolbarsAreSizedToTheirControls() {
    TNvToolbar tb(host_.get());
    Block(&tb, 25, 25);
    Block(&tb, 30, 25);
    tb.SetWrapControls(false);
    tb.SetAlign(alLeft);
    QCOMPARE(tb.BorderSides(), SideBit(sdLeft));
    // Margin + the largest x reached (4 + 25 + 30).
    QCOMPARE(tb.Width(), 4 + 59);
  }

  void dividerFollowsAlignmentUntilBordersAreSetByHand() {
    TNvToolbar tb(host_.get());
    tb.SetAlign(alBottom);
    QCOMPARE(tb.BorderSides(), SideBit(sdBottom));
    tb.SetAlign(alRight);
    QCOMPARE(tb.BorderSides(), SideBit(sdRight));
    tb.SetShowDivider(false);
    QCOMPARE(tb.BorderOuter(), fsNone);
    QVERIFY(tb.AutoStyle());
    tb.SetShowDivider(true);
    tb.SetBorderSides(AllSides);
    QVERIFY(!tb.AutoStyle());
    tb.SetAlign(alTop);
    QCOMPARE(tb.BorderSides(), AllSides);
  }

  void storedOrderIsKeptAndForeignNamesAreDropped() {
    // The toolbar and its controls read from a stored form.
    auto tb = std::make_unique<TNvToolbar>(host_.get());
    auto* a = Block(tb.get(), 25, 25, "A");
    auto* b = Block(tb.get(), 25, 25, "B");
    auto* c = Block(tb.get(), 25, 25, "C");
    host_->BeginLoading();
    tb->ReadToolbarControls({"C", "Missing", "A", "B"});
    host_->EndLoading();
    QApplication::processEvents();
    QCOMPARE(tb->ToolbarControls().Count(), 3);
    QCOMPARE(c->Left(), 4);
    QCOMPARE(a->Left(), 29);
    QCOMPARE(b->Left(), 54);
    QCOMPARE(tb->WriteToolbarControls(), (std::vector<std::string>{"C", "A", "B"}));

    // "Other" sits on the host: its name is dropped and every child not yet
    // listed follows in child order.
    auto tb2 = std::make_unique<TNvToolbar>(host_.get());
    Block(host_.get(), 10, 10, "Other");
    auto* x = Block(tb2.get(), 25, 25, "X");
    auto* y = Block(tb2.get(), 25, 25, "Y");
    auto* z = Block(tb2.get(), 25, 25, "Z");
    host_->BeginLoading();
    tb2->ReadToolbarControls({"Z", "Other"});
    host_->EndLoading();
    QCOMPARE(tb2->ToolbarControls().Controls(0), z);
    QCOMPARE(tb2->ToolbarControls().Controls(1), x);
    QCOMPARE(tb2->ToolbarControls().Controls(2), y);
  }

  void destroyedControlsLeaveTheList() {
    TNvToolbar tb(host_.get());
    auto* a = Block(&tb, 25, 25);
    auto* b = Block(&tb, 25, 25);
    tb.Realign();
    QCOMPARE(b->Left(), 29);
    delete a;
    QCOMPARE(tb.ToolbarControls().Count(), 1);
    QCOMPARE(b->Left(), 4);
  }

  void autoResizePostsTheParentASizeMessage() {
    SizeProbe probe(host_.get());
    probe.SetBounds(0, 0, 300, 120);
    TNvToolbar tb(&probe);
    Block(&tb, 25, 25);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    probe.sizeMessages = 0;
    tb.PositionControls();
    QApplication::processEvents();
    QCOMPARE(probe.sizeMessages, 1);
    QCOMPARE(probe.lastSize & 0xFFFF, 300);
    QCOMPARE((probe.lastSize >> 16) & 0xFFFF, 120);
    tb.SetAutoResize(false);
    probe.sizeMessages = 0;
    tb.PositionControls();
    QApplication::processEvents();
    QCOMPARE(probe.sizeMessages, 0);
  }

  void textOptionsSetButtonStylesAndRowHeight() {
    TNvToolbar tb(host_.get());
    auto* btn = new TNvToolButton(&tb);
    tb.SetTextOptions(ttoShowTextLabels);
    QCOMPARE(tb.ButtonLayout(), blGlyphTop);
    QVERIFY(tb.ShowButtonCaptions());
    QCOMPARE(tb.RowHeight(), 40);
    QCOMPARE(btn->Layout(), blGlyphTop);
    QCOMPARE(btn->Height(), 40);
    QCOMPARE(btn->Width(), 60);
    QCOMPARE(tb.Height(), 44);
    tb.SetButtonWidth(70);
    QCOMPARE(tb.TextOptions(), ttoCustom);
    QCOMPARE(btn->Width(), 70);
  }

  void verticalOrientationTurnsSpacersAndStacksControls() {
    TNvToolbar tb(host_.get());
    tb.SetAlign(alLeft);
    auto* spacer = new TNvSpacer(&tb);
    auto* block = Block(&tb, 25, 25);
    tb.SetOrientation(orVertical);
    QCOMPARE(spacer->Orientation(), orVertical);
    QCOMPARE(spacer->Width(), 25);
    QCOMPARE(spacer->Height(), 8);
    QCOMPARE(spacer->Top(), 4);
    QCOMPARE(block->Top(), 12);
    QCOMPARE(block->Left(), 4);
    QCOMPARE(tb.Width(), 25 + 2 + 2);
  }

  void disablingRemembersWhichChildrenWereEnabled() {
    TNvToolbar tb(host_.get());
    auto* on = Block(&tb, 25, 25);
    auto* off = Block(&tb, 25, 25);
    off->SetEnabled(false);
    tb.SetEnabled(false);
    QVERIFY(!on->Enabled());
    tb.SetEnabled(true);
    QVERIFY(on->Enabled());
    QVERIFY(!off->Enabled());
  }

  void paintsGrooveOnTopAndVerticalGradient() {
    TNvToolbar tb(host_.get());
    tb.SetVisualStyle(vsGradient);
    tb.Realign();
    const QImage img = Render(&tb);
    QCOMPARE(img.width(), 499);
    QCOMPARE(img.height(), 29);
    for (int x : {0, 250, 498}) {
      QCOMPARE_PIXEL(img, x, 0, clBtnShadow);
      QCOMPARE_PIXEL(img, x, 1, clBtnHighlight);
      QCOMPARE_PIXEL(img, x, 2, clWindow);
      QCOMPARE_PIXEL(img, x, 28, DarkerColor(clBtnFace, 10));
    }
  }

  void classicToolbarFillsWithItsColour() {
    TNvToolbar tb(host_.get());
    tb.SetVisualStyle(vsClassic);
    tb.SetColor(clInfoBk);
    tb.Realign();
    const QImage img = Render(&tb);
    QCOMPARE_PIXEL(img, 10, 2, clInfoBk);
    QCOMPARE_PIXEL(img, 10, 28, clInfoBk);
  }

  void groovedSpacerDrawsAnEtchedLine() {
    TNvToolbar tb(host_.get());
    tb.SetVisualStyle(vsClassic);
    auto* spacer = new TNvSpacer(&tb);
    spacer->SetGrooved(true);
    tb.Realign();
    QCOMPARE(spacer->BoundsRect(), Bounds(4, 2, 8, 25));
    const QImage img = Render(&tb);
    for (int y = 1; y <= 24; ++y) {
      QCOMPARE_PIXEL(img, 4 + 3, 2 + y, clBtnShadow);
      QCOMPARE_PIXEL(img, 4 + 4, 2 + y, clBtnHighlight);
    }
    QCOMPARE_PIXEL(img, 4 + 3, 2, clBtnFace);
    QCOMPARE_PIXEL(img, 4 + 2, 12, clBtnFace);
  }

  // ---- the bordered panel --------------------------------------------------------

  void panelChildrenAlignInsideFramesAndBand() {
    TNvCustomPanel panel(host_.get());
    panel.SetBounds(0, 0, 100, 60);
    panel.SetBorderOuter(fsRaised);  // 2
    panel.SetBorderInner(fsFlat);    // 1
    panel.SetBorderWidth(3);
    auto* child = Block(&panel, 10, 10);
    child->SetAlign(alClient);
    QCOMPARE(child->BoundsRect(), Rect(6, 6, 94, 54));
    // Frames count only on the sides in BorderSides; the band on all four.
    panel.SetBorderSides(MakeSides({sdLeft, sdTop}));
    QCOMPARE(child->BoundsRect(), Rect(6, 6, 97, 57));
  }

  void bottomAlignedPanelKeepsItsBottomEdge() {
    host_->DisableAlign();
    TNvCustomPanel panel(host_.get());
    panel.SetAlign(alBottom);
    panel.SetBounds(0, 100, 200, 30);
    panel.SetHeight(50);
    QCOMPARE(panel.Top(), 80);
    QCOMPARE(panel.Top() + panel.Height(), 130);
    host_->EnableAlign();
  }

  void panelGradientUsesItsColourStyle() {
    TNvCustomPanel panel(host_.get());
    panel.SetBounds(0, 0, 50, 30);
    panel.SetBorderOuter(fsNone);
    panel.SetVisualStyle(vsGradient);
    panel.SetGradientColorStyle(gcsCustom);
    panel.SetGradientColorStart(clRed);
    panel.SetGradientColorStop(clBlue);
    QImage img = Render(&panel);
    QCOMPARE_PIXEL(img, 10, 0, clRed);
    QCOMPARE_PIXEL(img, 10, 29, clBlue);
    panel.SetGradientDirection(gdVerticalEnd);
    img = Render(&panel);
    QCOMPARE_PIXEL(img, 0, 10, clRed);
    QCOMPARE_PIXEL(img, 49, 10, clBlue);
  }

  void backgroundBitmapIsTiledInsideTheFrame() {
    TNvToolbar tb(host_.get());
    tb.SetVisualStyle(vsGradient);
    TBitmap tile(10, 6);
    tile.Canvas().Brush().SetColor(clRed);
    tile.Canvas().FillRect(Rect(0, 0, 5, 6));
    tile.Canvas().Brush().SetColor(clBlue);
    tile.Canvas().FillRect(Rect(5, 0, 10, 6));
    tb.SetBackground(tile);
    tb.Realign();
    const QImage img = Render(&tb);
    QCOMPARE_PIXEL(img, 0, 0, clBtnShadow);  // the groove stays
    QCOMPARE_PIXEL(img, 0, 2, clRed);
    QCOMPARE_PIXEL(img, 5, 2, clBlue);
    QCOMPARE_PIXEL(img, 490, 2, clRed);
    QCOMPARE_PIXEL(img, 495, 28, clBlue);
  }

  void controlListKeepsEachControlOnce() {
    TNvToolbarControlList list;
    TNvToolbar tb(host_.get());
    auto* a = Block(&tb, 5, 5, "A");
    QCOMPARE(list.AddControl(a), 0);
    QCOMPARE(list.AddControl(a), 0);
    QCOMPARE(list.AddControlName("B"), 1);
    QCOMPARE(list.AddControlName("B"), 1);
    QCOMPARE(list.IndexOfName("A"), 0);
    list.RemoveControlName("B");
    QCOMPARE(list.Count(), 1);
    list.RemoveControl(a);
    QVERIFY(list.Empty());
  }

 private:
  std::unique_ptr<TCustomControl> host_;
};

QTEST_MAIN(TstNvToolbar)
#include "tst_nvtoolbar.moc"
