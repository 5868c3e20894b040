#include <gtest/gtest.h>

#include "framework/application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include <stdexcept>

#include "framework/canvas.h"
#include "framework/exceptions.h"
#include "framework/hintwindow.h"

namespace {

struct Box {
  std::string text, caption;
  uint32_t flags = 99;
};

}  // namespace

TEST(MessageBox, InterceptorSeesTextAndTheTitleAsDefaultCaption) {
  std::vector<Box> boxes;
  SetMessageBoxInterceptor([&](const std::string& t, const std::string& c, uint32_t f) {
    boxes.push_back({t, c, f});
    return IDOK;
  });
  Application->SetTitle("ZN4417Config");
  EXPECT_EQ(ShowMessageBox("下载成功!"), IDOK);
  EXPECT_EQ(ShowMessageBox("text", "Other"), IDOK);
  SetMessageBoxInterceptor(nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "下载成功!");
  EXPECT_EQ(boxes[0].caption, "ZN4417Config");
  EXPECT_EQ(boxes[0].flags, MB_OK);
  EXPECT_EQ(boxes[1].caption, "Other");
}

TEST(MessageBox, ExceptionsAreShownWithTheirMessageOrHandedToOnException) {
  std::vector<Box> boxes;
  SetMessageBoxInterceptor([&](const std::string& t, const std::string& c, uint32_t) {
    boxes.push_back({t, c});
    return IDOK;
  });
  Application->SetTitle("App");
  Application->HandleException(Exception("Invalid bytes per line argument"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Invalid bytes per line argument");
  EXPECT_EQ(boxes[0].caption, "App");
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  Application->HandleException(std::runtime_error("x"));
  Application->OnException = nullptr;
  SetMessageBoxInterceptor(nullptr);
  EXPECT_EQ(seen, "x");
  EXPECT_EQ(boxes.size(), 1u);
}

TEST(MessageBox, ShownBoxIsModalCentredOnTheScreenWithOneOkButtonWithoutIcon) {
  Application->SetTitle("ZN4417Config");
  struct Seen {
    bool found = false, modal = false, iconless = false;
    int buttons = 0;
    QString title, text;
    QRect frame, screen;
  } seen;
  // Looks at the box once it is up, then presses its button.
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen.found = true;
    seen.modal = box->isModal() && box->windowModality() == Qt::ApplicationModal;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.frame = box->frameGeometry();
    seen.screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QList<QAbstractButton*> buttons = box->buttons();
    seen.buttons = static_cast<int>(buttons.size());
    seen.iconless = box->icon() == QMessageBox::NoIcon && !buttons.empty() &&
                    buttons.front()->icon().isNull() && box->iconPixmap().isNull();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(ShowMessageBox("下载成功!"), IDOK);
  ASSERT_TRUE(seen.found);
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.title, QString("ZN4417Config"));
  EXPECT_EQ(seen.text, QString::fromUtf8("下载成功!"));
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_TRUE(seen.iconless);
  // Centred in whole pixels: the two margins differ by at most one.
  const int left = seen.frame.left() - seen.screen.left();
  const int right = seen.screen.right() - seen.frame.right();
  const int top = seen.frame.top() - seen.screen.top();
  const int bottom = seen.screen.bottom() - seen.frame.bottom();
  EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
  EXPECT_LE(std::abs(top - bottom), 1) << top << " " << bottom;
}

TEST(HintWindow, ShowsTheTextInTheHintColourWithAFrame) {
  THintWindow hint;
  TRect size = hint.CalcHintRect(1000, "OverLoad L1 Enable");
  TCanvas measure;
  measure.SetFont(hint.Font());
  EXPECT_EQ(size,
            Rect(0, 0, measure.TextWidth("OverLoad L1 Enable") + 6, measure.TextHeight("O") + 2));
  hint.ActivateHint(Bounds(50, 60, size.Width(), size.Height()), "OverLoad L1 Enable");
  EXPECT_TRUE(hint.Active());
  EXPECT_EQ(hint.BoundsRect(), Bounds(50, 60, size.Width(), size.Height()));
  QImage img = hint.grab().toImage();
  EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 0));                        // frame
  EXPECT_EQ(img.pixelColor(1, size.Height() - 2), QColor(255, 255, 225));  // clInfoBk
  hint.ReleaseHandle();
  EXPECT_FALSE(hint.Active());
}
