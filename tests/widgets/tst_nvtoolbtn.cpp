// TNvToolButton: press-drag-release, toggle groups, the toolbar's styles and
// size, image and caption placement, hot and pressed fills, disabled images
// and the accelerator key.
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <memory>

#include "framework/imagelist.h"
#include "framework/mainimages.h"
#include "tests/widgets/qt_test_host.h"
#include "tests/widgets/w3_mouse.h"
#include "widgets/nvcommon.h"
#include "widgets/tnvtoolbar.h"
#include "widgets/tnvtoolbutton.h"

namespace {

int TextWidthIn(const TFont& font, const std::string& text) {
  TCanvas canvas;
  canvas.SetFont(font);
  return canvas.TextWidth(text);
}

// B of the hot fill: clHighlight blended into clWindow.
TColor HotBase() {
  return BlendColors(clHighlight, clWindow, 77);
}

bool SameRect(const TRect& a, const TRect& b) {
  return a == b;
}

}  // namespace

class TstNvToolButton : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    host_ = MakeActiveHost(499, 200);
    images_ = std::make_unique<TImageList>();
    AddMainWindowImages(*images_);
    toolbar_ = new TNvToolbar(host_.get());
    toolbar_->SetImages(images_.get());
    toolbar_->SetVisualStyle(vsGradient);
  }
  void cleanup() {
    host_.reset();
    images_.reset();
  }

  // ---- mouse -------------------------------------------------------------------

  void pressMoveOffReleaseDoesNotClick() {
    auto* b = Button("Read");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b, {5, 5});
    QCOMPARE(b->State(), tbsDown);
    DragTo(b, {60, 5});
    QCOMPARE(b->State(), tbsUp);
    Release(b, {60, 5});
    QCOMPARE(clicks, 0);
    QCOMPARE(b->State(), tbsUp);
    QVERIFY(!b->Dragging());
  }

  void pressMoveOffAndBackOnReleaseClicks() {
    auto* b = Button("Read");
    int clicks = 0;
    TObject* sender = nullptr;
    b->OnClick = [&](TObject* s) {
      ++clicks;
      sender = s;
    };
    Press(b, {5, 5});
    DragTo(b, {-10, 5});
    QCOMPARE(b->State(), tbsUp);
    DragTo(b, {6, 6});
    QCOMPARE(b->State(), tbsDown);
    Release(b, {6, 6});
    QCOMPARE(clicks, 1);
    QCOMPARE(sender, static_cast<TObject*>(b));
    QCOMPARE(b->State(), tbsUp);
  }

  void disabledButtonsIgnoreTheMouse() {
    auto* b = Button("Read");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetEnabled(false);
    ClickAt(b, {5, 5});
    QCOMPARE(clicks, 0);
    Render(b);
    QCOMPARE(b->State(), tbsDisabled);
    b->SetEnabled(true);
    Render(b);
    QCOMPARE(b->State(), tbsUp);
  }

  void groupKeepsOneButtonDown() {
    auto* a = Button("A");
    auto* b = Button("B");
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicksA = 0, clicksB = 0;
    a->OnClick = [&](TObject*) { ++clicksA; };
    b->OnClick = [&](TObject*) { ++clicksB; };
    ClickAt(a, {5, 5});
    QVERIFY(a->Down());
    QCOMPARE(a->State(), tbsExclusive);
    QCOMPARE(clicksA, 1);
    // Clicking the Down button again changes nothing and does not click.
    ClickAt(a, {5, 5});
    QVERIFY(a->Down());
    QCOMPARE(clicksA, 1);
    // Another button of the group raises the first.
    ClickAt(b, {5, 5});
    QVERIFY(b->Down());
    QVERIFY(!a->Down());
    QCOMPARE(a->State(), tbsUp);
    QCOMPARE(clicksB, 1);
  }

  void allowAllUpLetsTheLastButtonGoUp() {
    auto* a = Button("A");
    auto* b = Button("B");
    a->SetGroupIndex(2);
    b->SetGroupIndex(2);
    a->SetAllowAllUp(true);
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    ClickAt(a, {5, 5});
    // The group takes over the pressed button's AllowAllUp.
    QVERIFY(b->AllowAllUp());
    ClickAt(a, {5, 5});
    QVERIFY(!a->Down());
    QCOMPARE(clicks, 2);
    // A button of another group is left alone.
    auto* other = Button("C");
    other->SetGroupIndex(3);
    other->SetDown(true);
    b->SetDown(true);
    QVERIFY(other->Down());
  }

  void downNeedsAGroup() {
    auto* b = Button("A");
    b->SetDown(true);
    QVERIFY(!b->Down());
    b->SetGroupIndex(1);
    b->SetDown(true);
    QVERIFY(b->Down());
    b->SetToolStyle(tsDropDown);
    QCOMPARE(b->GroupIndex(), 0);
    QVERIFY(!b->Down());
  }

  void accelerators() {
    QVERIFY(IsAccel('w', "&Write"));
    QVERIFY(IsAccel('R', "Re&ad") == false);
    QVERIFY(IsAccel('a', "Re&ad"));
    QVERIFY(!IsAccel('a', "&&a"));
    QVERIFY(!IsAccel('w', "Write "));
    auto* b = Button("&Write");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    QCOMPARE(b->Perform(CM_DIALOGCHAR, 'w', 0), LRESULT(1));
    QCOMPARE(clicks, 1);
    QCOMPARE(b->Perform(CM_DIALOGCHAR, 'x', 0), LRESULT(0));
    b->SetEnabled(false);
    QCOMPARE(b->Perform(CM_DIALOGCHAR, 'w', 0), LRESULT(0));
    QCOMPARE(clicks, 1);
  }

  // ---- toolbar styles and size ----------------------------------------------------

  void programButtonsFitImageAndCaption() {
    auto* edit = Button("Write ");
    edit->SetShowCaption(true);
    edit->SetLayout(blGlyphLeft);
    edit->SetImageIndex(4);
    auto* find = Button("Read");
    find->SetShowCaption(true);
    find->SetImageIndex(6);
    QVERIFY(!edit->UseToolbarShowCaption());
    QVERIFY(!edit->UseToolbarButtonLayout());
    QVERIFY(find->UseToolbarButtonLayout());
    QCOMPARE(edit->Width(), std::max(25, 16 + TextWidthIn(edit->Font(), "Write ") + 12));
    QCOMPARE(find->Width(), std::max(25, 16 + TextWidthIn(find->Font(), "Read") + 12));
    QCOMPARE(edit->Height(), 25);
    QCOMPARE(edit->VisualStyle(), vsGradient);
    QCOMPARE(edit->GradientColorStyle(), gcsSystem);
    // A new caption refits the button.
    const int before = find->Width();
    find->SetCaption("Read it all");
    QVERIFY(find->Width() > before);
    QCOMPARE(find->Width(), 16 + TextWidthIn(find->Font(), "Read it all") + 12);
  }

  void ownValuesClearTheUseSwitches() {
    auto* b = Button("Go");
    b->SetImageIndex(0);
    QVERIFY(!b->ShowCaption());
    toolbar_->SetShowButtonCaptions(true);
    QVERIFY(b->ShowCaption());
    QVERIFY(b->Width() > 25);
    b->SetWidth(40);
    QVERIFY(!b->UseToolbarButtonSize());
    toolbar_->SetButtonHeight(30);
    QCOMPARE(b->Height(), 25);
    QCOMPARE(b->Width(), 40);
    b->SetUseToolbarButtonSize(true);
    QCOMPARE(b->Height(), 30);
    b->SetVisualStyle(vsClassic);
    QVERIFY(!b->UseToolbarVisualStyle());
    toolbar_->SetVisualStyle(vsWinXP);
    QCOMPARE(b->VisualStyle(), vsClassic);
    b->SetUseToolbarVisualStyle(true);
    QCOMPARE(b->VisualStyle(), vsWinXP);
    toolbar_->SetGradientColorStyle(gcsMSOffice);
    QCOMPARE(b->GradientColorStyle(), gcsMSOffice);
    b->SetShowCaption(false);
    toolbar_->SetShowButtonCaptions(false);
    toolbar_->SetShowButtonCaptions(true);
    QVERIFY(!b->ShowCaption());
  }

  void buttonsOutsideAToolbarKeepTheirSettings() {
    TNvToolButton b(host_.get());
    QCOMPARE(b.Width(), 25);
    QCOMPARE(b.VisualStyle(), vsWinXP);
    QCOMPARE(b.ImageList(), static_cast<TCustomImageList*>(nullptr));
    QCOMPARE(b.GetImageSize(), TSize(0, 0));
    TImageList own(24, 24);
    b.SetImages(&own);
    QCOMPARE(b.Width(), 25);
    QCOMPARE(b.Height(), 25);
    TImageList big(32, 30);
    b.SetImages(&big);
    QCOMPARE(b.Width(), 32);
    QCOMPARE(b.Height(), 30);
  }

  // ---- placement -------------------------------------------------------------------

  void glyphLeftAndRightPutCaptionBesideTheImage() {
    auto* b = Button("Read");
    b->SetImageIndex(6);
    b->SetShowCaption(true);
    b->SetUseToolbarButtonSize(false);
    b->SetBounds(0, 0, 80, 25);
    TRect img, cap;
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(img.Width(), 16);
    QCOMPARE(cap.Left, img.Right + 4);
    // Centred as a whole: equal room (within a pixel) left and right.
    QVERIFY(std::abs((img.Left - 2) - (78 - cap.Right)) <= 1);
    QCOMPARE(img.Top, 2 + (21 - 16) / 2);
    b->SetLayout(blGlyphRight);
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(img.Left, cap.Right + 4);
    QVERIFY(std::abs((cap.Left - 2) - (78 - img.Right)) <= 1);
  }

  void glyphTopAndBottomStackImageAndCaption() {
    auto* b = Button("Read");
    b->SetImageIndex(6);
    b->SetShowCaption(true);
    b->SetUseToolbarButtonSize(false);
    b->SetBounds(0, 0, 60, 44);
    b->SetLayout(blGlyphTop);
    TRect img, cap;
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(cap.Top, img.Bottom + 4);
    QCOMPARE(img.Left, 2 + (56 - 16) / 2);
    QVERIFY(std::abs((img.Top - 2) - (42 - cap.Bottom)) <= 1);
    b->SetLayout(blGlyphBottom);
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(img.Top, cap.Bottom + 4);
    QVERIFY(std::abs((cap.Top - 2) - (42 - img.Bottom)) <= 1);
  }

  void emptyCaptionLaysOutLikeNoCaption() {
    auto* b = Button("");
    b->SetImageIndex(6);
    b->SetShowCaption(true);
    b->SetUseToolbarButtonSize(false);
    TRect withCaption, noCaption, cap;
    b->GetImageAndCaptionRects(withCaption, cap);
    QVERIFY(SameRect(cap, Rect(0, 0, 0, 0)));
    b->SetShowCaption(false);
    b->GetImageAndCaptionRects(noCaption, cap);
    QVERIFY(SameRect(withCaption, noCaption));
    QVERIFY(SameRect(noCaption, CenterRect(Rect(2, 2, b->Width() - 2, b->Height() - 2), 16, 16)));
  }

  void alignmentMovesContentToAnEdge() {
    auto* b = Button("");
    b->SetImageIndex(6);
    b->SetUseToolbarButtonSize(false);
    b->SetBounds(0, 0, 60, 25);
    TRect img, cap;
    b->SetAlignment(taLeftJustify);
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(img.Left, 4);
    b->SetAlignment(taRightJustify);
    b->GetImageAndCaptionRects(img, cap);
    QCOMPARE(img.Right, 60 - 4);
  }

  void onlyNonGradientButtonsShiftWhenPressed() {
    auto* b = Button("");
    b->SetImageIndex(6);
    TRect rest, pressed, cap;
    b->GetImageAndCaptionRects(rest, cap);
    Press(b, {5, 5});
    b->GetImageAndCaptionRects(pressed, cap);
    QVERIFY(SameRect(rest, pressed));
    Release(b, {5, 5});
    b->SetVisualStyle(vsClassic);
    Press(b, {5, 5});
    b->GetImageAndCaptionRects(pressed, cap);
    QCOMPARE(pressed.Left, rest.Left + 1);
    QCOMPARE(pressed.Top, rest.Top + 1);
    Release(b, {5, 5});
  }

  // ---- painting --------------------------------------------------------------------

  void restingGradientButtonDrawsNoFrame() {
    auto* b = Button("Read");
    b->SetImageIndex(6);
    const QImage img = Render(toolbar_);
    // Frame corners of the button show the toolbar gradient of their row.
    for (int y : {b->Top(), b->Top() + b->Height() - 1})
      for (int x : {b->Left(), b->Left() + b->Width() - 1})
        QCOMPARE(PixelText(img, x, y), PixelText(img, 498, y));
  }

  void hotAndPressedGradientFills() {
    auto* b = Button("Read");
    b->SetImageIndex(6);
    b->Perform(CM_MOUSEENTER, 0, 0);
    QVERIFY(b->MouseOver());
    const TColor top = LighterColor(HotBase(), 20), bottom = HotBase();
    QImage img = Render(b);
    QCOMPARE_PIXEL(img, 0, 0, clHighlight);
    QCOMPARE_PIXEL(img, 24, 24, clHighlight);
    QCOMPARE_PIXEL(img, 1, 1, top);
    QCOMPARE_PIXEL(img, 1, 23, bottom);
    Press(b, {5, 5});
    img = Render(b);
    QCOMPARE_PIXEL(img, 0, 12, clHighlight);
    QCOMPARE_PIXEL(img, 1, 1, bottom);
    QCOMPARE_PIXEL(img, 1, 23, top);
    Release(b, {100, 100});
    b->Perform(CM_MOUSELEAVE, 0, 0);
    QVERIFY(!b->MouseOver());
    img = Render(b);
    QVERIFY(PixelText(img, 0, 0) != ColorText(clHighlight));
  }

  void classicHotAndPressedFrames() {
    auto* b = Button("Read");
    b->SetVisualStyle(vsClassic);
    b->Perform(CM_MOUSEENTER, 0, 0);
    QImage img = Render(b);
    QCOMPARE_PIXEL(img, 0, 5, clBtnHighlight);  // fsPopup
    QCOMPARE_PIXEL(img, 24, 5, clBtnShadow);
    Press(b, {5, 5});
    img = Render(b);
    QCOMPARE_PIXEL(img, 0, 5, clBtnShadow);  // fsStatus
    QCOMPARE_PIXEL(img, 24, 5, clBtnHighlight);
    Release(b, {5, 5});
  }

  void disabledImages() {
    auto* b = Button("");
    b->SetImageIndex(4);
    TRect img, cap;
    b->GetImageAndCaptionRects(img, cap);
    const QImage normal = MainWindowImage(4);
    const QImage greyed = DisabledImage(normal);
    // A pixel that is opaque ink in the normal image and differs when greyed.
    int px = -1, py = -1;
    for (int y = 0; y < 16 && px < 0; ++y)
      for (int x = 0; x < 16; ++x)
        if (qAlpha(normal.pixel(x, y)) == 255 && qAlpha(greyed.pixel(x, y)) == 255 &&
            normal.pixel(x, y) != greyed.pixel(x, y)) {
          px = x;
          py = y;
          break;
        }
    QVERIFY(px >= 0);
    b->SetEnabled(false);
    QImage shot = Render(b);
    QCOMPARE(shot.pixel(img.Left + px, img.Top + py) & 0xFFFFFF, greyed.pixel(px, py) & 0xFFFFFF);
    // With DisabledIndex the disabled image is drawn as it is.
    b->SetDisabledIndex(5);
    shot = Render(b);
    const QImage five = MainWindowImage(5);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (qAlpha(five.pixel(x, y)) == 255)
          QCOMPARE(shot.pixel(img.Left + x, img.Top + y) & 0xFFFFFF, five.pixel(x, y) & 0xFFFFFF);
  }

  void disabledCaptionIsGrey() {
    auto* b = Button("MMMM");
    b->SetShowCaption(true);
    b->SetVisualStyle(vsClassic);
    b->SetTransparent(false);
    b->SetColor(clWhite);
    b->SetEnabled(false);
    const QImage img = Render(b);
    bool grey = false, black = false;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        grey = grey || PixelText(img, x, y) == ColorText(clBtnShadow);
        black = black || PixelText(img, x, y) == ColorText(clBlack);
      }
    QVERIFY(grey);
    QVERIFY(!black);
  }

  // ---- drop-down part ------------------------------------------------------------

  void arrowPartOpensTheMenuWithoutClicking() {
    auto* b = Button("Go");
    b->SetImageIndex(0);
    b->SetToolStyle(tsDropDown);
    QCOMPARE(b->Width(), 25 + ToolButtonArrowWidth);
    QMenu menu;
    menu.addAction("first");
    b->SetDropDownMenu(&menu);
    int clicks = 0, dropDowns = 0;
    TNvToolButtonState stateInMenu = tbsUp;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnDropDown = [&](TObject*) { ++dropDowns; };
    QTimer::singleShot(30, &menu, [&] {
      stateInMenu = b->State();
      menu.close();
    });
    Press(b, {b->Width() - 5, 5});
    QCOMPARE(dropDowns, 1);
    QCOMPARE(stateInMenu, tbsDropDown);
    Release(b, {b->Width() - 5, 5});
    QCOMPARE(clicks, 0);
    QCOMPARE(b->State(), tbsUp);
    // A press right after the menu closed does not open it again.
    Press(b, {b->Width() - 5, 5});
    QCOMPARE(dropDowns, 1);
    Release(b, {b->Width() - 5, 5});
    QTest::qWait(120);
    // The button part still clicks.
    ClickAt(b, {5, 5});
    QCOMPARE(clicks, 1);
    QCOMPARE(dropDowns, 1);
  }

 private:
  TNvToolButton* Button(const std::string& caption) {
    auto* b = new TNvToolButton(toolbar_);
    b->SetCaption(caption);
    QApplication::processEvents();
    return b;
  }

  std::unique_ptr<TCustomControl> host_;
  std::unique_ptr<TImageList> images_;
  TNvToolbar* toolbar_ = nullptr;
};

QTEST_MAIN(TstNvToolButton)
#include "tst_nvtoolbtn.moc"
