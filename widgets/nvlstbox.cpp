#include "widgets/nvlstbox.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "framework/application.h"
#include "framework/drawtext.h"
#include "framework/messages.h"
#include "framework/property.h"
#include "framework/scoped_value.h"
#include "widgets/nvcommon_frames.h"
#include "widgets/nvgrafx.h"

namespace {

constexpr uintptr_t kSearchTimerId = 1;

}  // namespace

// The small window over a list item that shows the item's full text.
class TNvItemHintWindow : public QWidget {
 public:
  TNvItemHintWindow()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
  }

  void ShowText(const std::string& text, const TFont& font, const TPoint& screenPos, int height) {
    text_ = text;
    font_ = font;
    TCanvas measure;
    measure.SetFont(font);
    setGeometry(screenPos.X, screenPos.Y, measure.TextWidth(text) + 6, height);
    show();
    update();
  }

  const std::string& Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter painter(this);
    TCanvas canvas;
    canvas.BeginPaint(&painter, FromQRect(e->rect()));
    canvas.SetFont(font_);
    canvas.Font().SetColor(clInfoText);
    canvas.Brush().SetColor(Application->HintColor());
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(0, 0, width(), height());
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(3, (height() - canvas.TextHeight(text_)) / 2, text_);
    canvas.EndPaint();
  }

 private:
  std::string text_;
  TFont font_;
};

// ---- TNvCustomListBox -------------------------------------------------------

TNvCustomListBox::TNvCustomListBox(TWinControl* parent) : TCustomListBox(parent) {
  restColor_ = Color();
  focusColor_ = clWindow;
  groupFont_.SetStyle(fsBold);
  groupFont_.SetColor(clHighlight);
  groupFont_.OnChange = [this](TFont*) { Invalidate(); };
}

TNvCustomListBox::~TNvCustomListBox() = default;

void TNvCustomListBox::SetFocusColor(TColor v) {
  if (Store(focusColor_, v)) UpdateColors();
}

void TNvCustomListBox::SetDisabledColor(TColor v) {
  if (Store(disabledColor_, v)) UpdateColors();
}

void TNvCustomListBox::SetFrameVisible(bool v) {
  if (!Store(frame_.visible, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameStyle(TFrameStyle v) {
  if (!Store(frame_.style, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameColor(TColor v) {
  if (!Store(frame_.color, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameHotTrack(bool v) {
  if (!Store(frame_.hotTrack, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameHotStyle(TFrameStyle v) {
  if (!Store(frame_.hotStyle, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameHotColor(TColor v) {
  if (!Store(frame_.hotColor, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetFrameSides(TSides v) {
  if (!Store(frame_.sides, v)) return;
  Invalidate();
}

void TNvCustomListBox::SetIncrementalSearch(bool v) {
  if (Store(incrementalSearch_, v)) ClearSearch();
}

void TNvCustomListBox::SetShowItemHints(bool v) {
  if (!Store(showItemHints_, v)) return;
  if (!v) HideItemHint();
}

void TNvCustomListBox::SetShowGroups(bool v) {
  if (Store(showGroups_, v)) Invalidate();
}

void TNvCustomListBox::SetGroupPrefix(const std::string& v) {
  if (Store(groupPrefix_, v)) Invalidate();
}

void TNvCustomListBox::SetGroupColor(TColor v) {
  if (Store(groupColor_, v)) Invalidate();
}

void TNvCustomListBox::SetGroupFont(const TFont& v) {
  groupFont_.Assign(v);
}

void TNvCustomListBox::SetUseGradients(bool v) {
  if (Store(useGradients_, v)) Invalidate();
}

void TNvCustomListBox::SetOwnerDrawIndent(int v) {
  if (Store(ownerDrawIndent_, v)) Invalidate();
}

bool TNvCustomListBox::IsGroupLine(int index) const {
  if (!showGroups_ || groupPrefix_.empty() || index < 0 || index >= Count()) return false;
  return Items().Get(index).starts_with(groupPrefix_);
}

// -- colours --

void TNvCustomListBox::UpdateColors() {
  TColor c = !Enabled() ? disabledColor_ : hasFocus_ ? focusColor_ : restColor_;
  TScopedValue setting(settingColor_, true);
  SetColor(c);
}

void TNvCustomListBox::ColorChanged() {
  TCustomListBox::ColorChanged();
  if (settingColor_) return;
  // A colour set from outside is the normal colour; the focus colour follows
  // it when the two were the same.
  if (focusColor_ == restColor_) focusColor_ = Color();
  restColor_ = Color();
}

void TNvCustomListBox::DoEnter() {
  hasFocus_ = true;
  UpdateColors();
  Invalidate();
  TCustomListBox::DoEnter();
}

void TNvCustomListBox::DoExit() {
  TCustomListBox::DoExit();
  hasFocus_ = false;
  UpdateColors();
  Invalidate();
}

void TNvCustomListBox::EnabledChanged() {
  TCustomListBox::EnabledChanged();
  UpdateColors();
}

void TNvCustomListBox::InvalidKeyPressed() {
  if (beepOnInvalidKey_) MessageBeep(0);
}

// -- incremental search --

void TNvCustomListBox::ClearSearch() {
  searchText_.clear();
  if (searchTimerRunning_) KillTimer(this, kSearchTimerId);
  searchTimerRunning_ = false;
}

void TNvCustomListBox::RestartSearchTimer() {
  SetTimer(this, kSearchTimerId, IncrementalSearchResetDelay);
  searchTimerRunning_ = true;
}

void TNvCustomListBox::SelectFromSearch(int index) {
  if (index == ItemIndex()) return;
  SetItemIndex(index);
  Click();
}

void TNvCustomListBox::SearchFor(const std::string& text, char key) {
  const int index = FindItemPrefix(text, -1);
  if (index < 0) {
    InvalidKeyPressed();
    return;
  }
  searchText_ = text;
  SelectFromSearch(index);
  TCustomListBox::KeyPress(key);
  if (OnMatch) OnMatch(this);
}

void TNvCustomListBox::SearchBackspace() {
  if (searchText_.empty()) InvalidKeyPressed();
  if (searchText_.size() > 1) {
    searchText_.pop_back();
    const int index = FindItemPrefix(searchText_, -1);
    if (index >= 0) SelectFromSearch(index);
    return;
  }
  // Nothing left to look for: back to the first item.
  ClearSearch();
  if (Count() > 0) {
    SetItemIndex(0);
    Click();
  }
}

void TNvCustomListBox::KeyDown(Word& key, TShiftState shift) {
  TCustomListBox::KeyDown(key, shift);
  switch (key) {
    case VK_ESCAPE:
      ClearSearch();
      SetItemIndex(-1);
      break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      ClearSearch();
      break;
    default:
      break;
  }
}

void TNvCustomListBox::KeyPress(char& key) {
  const unsigned char c = static_cast<unsigned char>(key);
  if (c == '\r') {
    if (tabOnEnter_) {
      key = 0;
      TWinControl* root = this;
      while (root->Parent()) root = root->Parent();
      root->SelectNext(this, true, true);
      return;
    }
    TCustomListBox::KeyPress(key);
    return;
  }
  if (!incrementalSearch_) {
    TCustomListBox::KeyPress(key);
    return;
  }
  if (c == 27) {  // Escape was handled as a key
    key = 0;
    return;
  }
  if (c == '\b') {
    RestartSearchTimer();
    SearchBackspace();
    key = 0;
    return;
  }
  if (c < 32) {
    TCustomListBox::KeyPress(key);
    return;
  }
  RestartSearchTimer();
  SearchFor(searchText_ + key, key);
  key = 0;
}

void TNvCustomListBox::WndProc(TMessage& message) {
  if (message.Msg == WM_TIMER && message.WParam == kSearchTimerId) {
    ClearSearch();
    return;
  }
  TCustomListBox::WndProc(message);
}

// -- mouse and item hints --

void TNvCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) ClearSearch();
  HideItemHint();
  TCustomListBox::MouseDown(button, shift, x, y);
}

void TNvCustomListBox::MouseMove(TShiftState shift, int x, int y) {
  UpdateItemHint(x, y);
  TCustomListBox::MouseMove(shift, x, y);
}

void TNvCustomListBox::MouseEnter() {
  mouseInControl_ = true;
  if (frame_.TracksHot()) Invalidate();
  TCustomListBox::MouseEnter();
}

void TNvCustomListBox::MouseLeave() {
  mouseInControl_ = false;
  HideItemHint();
  if (frame_.TracksHot()) Invalidate();
  TCustomListBox::MouseLeave();
}

bool TNvCustomListBox::ItemHintShowing() const {
  return hint_ && hint_->isVisible();
}

std::string TNvCustomListBox::ItemHintText() const {
  return ItemHintShowing() ? hint_->Text() : std::string();
}

void TNvCustomListBox::UpdateItemHint(int x, int y) {
  const int index = showItemHints_ ? ItemAtPos(TPoint(x, y), true) : -1;
  bool wanted = index >= 0 && QGuiApplication::applicationState() == Qt::ApplicationActive;
  std::string text;
  if (wanted) {
    text = Items().Get(index);
    Canvas().SetFont(Font());
    wanted = Canvas().TextWidth(text) > ClientWidth() - ItemIndent() - 2;
  }
  if (!wanted) {
    HideItemHint();
    return;
  }
  if (index == hintIndex_ && ItemHintShowing()) return;
  if (!hint_) hint_ = std::make_unique<TNvItemHintWindow>();
  const TRect item = ItemRect(index);
  const int height = Canvas().TextHeight(text) + 2;
  const int top = item.Top + (item.Height() - height) / 2 - 2;
  hint_->ShowText(text, Font(), ClientToScreen(TPoint(item.Left + ItemIndent() - 1, top)), height);
  hintIndex_ = index;
}

void TNvCustomListBox::HideItemHint() {
  if (hint_) hint_->hide();
  hintIndex_ = -1;
}

// -- drawing --

void TNvCustomListBox::DrawGroupLine(int index, const TRect& rect, TOwnerDrawState state) {
  TCanvas& canvas = Canvas();
  if (useGradients_)
    PaintGradient(canvas, rect, gdVerticalEnd, groupColor_, Color());
  else {
    canvas.Brush().SetColor(groupColor_);
    canvas.FillRect(rect);
  }
  canvas.SetFont(groupFont_);
  canvas.Brush().SetStyle(bsClear);
  TRect r = rect;
  r.Left += 2;
  DrawText(canvas, Items().Get(index).substr(groupPrefix_.size()), r,
           DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  canvas.Brush().SetStyle(bsSolid);
  if (state & odFocused) canvas.DrawFocusRect(rect);
}

void TNvCustomListBox::PaintNonClient(TCanvas& canvas) {
  if (!frame_.visible) {
    TCustomListBox::PaintNonClient(canvas);
    return;
  }
  frame_.Paint(canvas, Width(), Height(), Color(), mouseInControl_ || hasFocus_);
}

// ---- TNvCustomTabbedListBox -------------------------------------------------

void TNvCustomTabbedListBox::DrawTabbedText(TCanvas& canvas, const std::string& text, int x, int y,
                                            const TRect& clip) {
  TRect r(x, y, clip.Right, clip.Bottom);
  DrawText(canvas, text, r, DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
}
