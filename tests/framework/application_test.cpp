#include <gtest/gtest.h>

#include "framework/application.h"

#include <QImage>
#include <QPixmap>

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
