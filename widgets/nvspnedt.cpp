#include "widgets/nvspnedt.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/messages.h"
#include "framework/property.h"

namespace {

constexpr char kDecimalSeparator = '.';

// FloatToStr's shortest general form (15 significant digits).
std::string GeneralText(long double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, res.ptr);
}

}  // namespace

// ---- TNvSpinButtons ---------------------------------------------------------

TNvSpinButtons::TNvSpinButtons(TWinControl* parent) : TWinControl(parent) {
  upButton_ = new TNvControlButton(this);
  downButton_ = new TNvControlButton(this);
  for (TNvControlButton* b : {upButton_, downButton_}) b->SetRepeatClicks(true);
  upButton_->OnClick = [this](TObject*) {
    if (OnUpClick) OnUpClick(this);
  };
  downButton_->OnClick = [this](TObject*) {
    if (OnDownClick) OnDownClick(this);
  };
  SetBounds(0, 0, 16, 25);
  UpdateStyles();
}

void TNvSpinButtons::SetOrientation(TOrientation v) {
  if (!Store(orientation_, v)) return;
  LayoutButtons();
  Invalidate();
}

void TNvSpinButtons::SetDirection(TSpinDirection v) {
  if (Store(direction_, v)) UpdateStyles();
}

void TNvSpinButtons::SetFlat(bool v) {
  if (!Store(flat_, v)) return;
  upButton_->SetFlat(v);
  downButton_->SetFlat(v);
}

void TNvSpinButtons::SetFocusControl(TWinControl* v) {
  upButton_->SetFocusControl(v);
  downButton_->SetFocusControl(v);
}

void TNvSpinButtons::UpdateStyles() {
  const bool upDown = direction_ == sdUpDown;
  upButton_->SetStyle(upDown ? cbsUp : cbsRight);
  downButton_->SetStyle(upDown ? cbsDown : cbsLeft);
}

void TNvSpinButtons::LayoutButtons() {
  const int w = ClientWidth(), h = ClientHeight();
  if (orientation_ == orVertical) {
    upButton_->SetBounds(0, 0, w, h / 2);
    downButton_->SetBounds(0, h / 2, w, h - h / 2);
  } else {
    downButton_->SetBounds(0, 0, w / 2, h);
    upButton_->SetBounds(w / 2, 0, w - w / 2, h);
  }
}

void TNvSpinButtons::Resize() {
  LayoutButtons();
  TWinControl::Resize();
}

void TNvSpinButtons::EnabledChanged() {
  upButton_->SetEnabled(Enabled());
  downButton_->SetEnabled(Enabled());
  TWinControl::EnabledChanged();
}

// ---- TNvSpinEdit ------------------------------------------------------------

TNvSpinEdit::TNvSpinEdit(TWinControl* parent) : TNvCustomEdit(parent) {
  SetAlignment(taRightJustify);
  buttons_ = new TNvSpinButtons(this);
  buttons_->SetFocusControl(this);
  buttons_->OnUpClick = [this](TObject*) { IncValue(increment_); };
  buttons_->OnDownClick = [this](TObject*) { DecValue(increment_); };
  buttons_->BringToFront();
  SetBounds(Left(), Top(), 47, 21);
  SetText("0");
  UpdateButtons();
  UpdateMargins();
}

// -- value --

long double TNvSpinEdit::CheckValue(long double x) const {
  if (max_ != min_ || checkRange_) {
    if (x < min_) return min_;
    if (x > max_) return max_;
  }
  return x;
}

long double TNvSpinEdit::Value() {
  const std::string text = Text();
  if (text.empty()) {
    if (allowBlank_) return blankValue_;
    SetText(GeneralText(min_));
    return min_;
  }
  long double v = 0;
  return ParseSpinValue(text, v) ? v : min_;
}

void TNvSpinEdit::SetValue(long double v) {
  const std::string text = FormatSpinValue(CheckValue(v), decimals_);
  const std::string old = Text();
  if (text == old) return;
  const bool keepCaret = Parent() != nullptr && SelLength() == 0;
  const int caret = SelStart();
  SetText(text);
  if (!keepCaret) return;
  int pos = caret;
  if (text.size() > old.size()) ++pos;
  if (text.size() < old.size()) --pos;
  SetSelStart(std::clamp(pos, 0, static_cast<int>(text.size())));
}

int32_t TNvSpinEdit::IntValue() {
  const long double r = std::nearbyint(Value());  // ties to even
  if (std::isnan(r)) return 0;
  constexpr long double lo = std::numeric_limits<int32_t>::min();
  constexpr long double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(r, lo, hi));
}

void TNvSpinEdit::SetIntValue(int32_t v) {
  SetValue(v);
}

void TNvSpinEdit::ReapplyValue() {
  SetValue(Value());
}

void TNvSpinEdit::SetMin(long double v) {
  if (!Store(min_, v)) return;
  if (min_ > max_) {
    // Max follows; the collapsed range still holds the value.
    max_ = min_;
    SetValue(min_);
  }
  ReapplyValue();
  Invalidate();
}

void TNvSpinEdit::SetMax(long double v) {
  if (!Store(max_, v)) return;
  if (max_ < min_) {
    min_ = max_;
    SetValue(max_);
  }
  ReapplyValue();
  Invalidate();
}

void TNvSpinEdit::SetCheckRange(bool v) {
  if (Store(checkRange_, v)) ReapplyValue();
}

void TNvSpinEdit::SetDecimals(Byte v) {
  if (Store(decimals_, v)) ReapplyValue();
}

void TNvSpinEdit::SetIntegersOnly(bool v) {
  if (!Store(integersOnly_, v)) return;
  if (!v) return;
  decimals_ = 0;
  SetValue(std::nearbyint(Value()));
}

void TNvSpinEdit::SetAllowKeyEdit(bool v) {
  allowKeyEdit_ = v;
}

// -- steps --

void TNvSpinEdit::Step(long double amount, TSpinButtonType button) {
  if (ReadOnly()) {
    InvalidKeyPressed();
    return;
  }
  const long double next = Value() + amount;
  bool allow = true;
  if (OnChanging) OnChanging(this, next, allow);
  if (!allow) return;
  SetValue(next);
  if (OnButtonClick) OnButtonClick(this, button);
}

void TNvSpinEdit::IncValue(long double amount) {
  Step(amount, sbUp);
}

void TNvSpinEdit::DecValue(long double amount) {
  Step(-amount, sbDown);
}

// -- keyboard and mouse --

bool TNvSpinEdit::IsValidChar(char key) {
  const unsigned char c = static_cast<unsigned char>(key);
  bool valid = key == '+' || key == '-' || (key >= '0' && key <= '9') ||
               (key == kDecimalSeparator && !integersOnly_) || (c < 32 && c != '\r');
  if (!allowKeyEdit_ && (c >= 32 || c == '\b')) valid = false;
  if (!valid) return false;
  const std::string text = Text();
  if (key == kDecimalSeparator)
    return text.find(kDecimalSeparator) == std::string::npos ||
           SelText().find(kDecimalSeparator) != std::string::npos;
  if (key == '+' || key == '-') {
    const bool noSign = text.find_first_of("+-") == std::string::npos;
    return (SelStart() == 0 && noSign) || SelLength() == static_cast<int>(text.size());
  }
  return true;
}

void TNvSpinEdit::KeyDown(Word& key, TShiftState shift) {
  TNvCustomEdit::KeyDown(key, shift);
  switch (key) {
    case VK_DELETE:
      if (!allowKeyEdit_) {
        key = 0;
        InvalidKeyPressed();
      }
      break;
    case VK_PRIOR:
      IncValue(pageSize_);
      key = 0;
      break;
    case VK_NEXT:
      DecValue(pageSize_);
      key = 0;
      break;
    case VK_UP:
      IncValue(increment_);
      key = 0;
      break;
    case VK_DOWN:
      DecValue(increment_);
      key = 0;
      break;
    default:
      break;
  }
}

void TNvSpinEdit::KeyPress(char& key) {
  // The Delete key's character echo: the key itself was judged in KeyDown.
  if (static_cast<unsigned char>(key) == 127) {
    if (!allowKeyEdit_) key = 0;
    return;
  }
  if (!(key == '\r' && TabOnEnter()) && !IsValidChar(key)) {
    key = 0;
    InvalidKeyPressed();
    return;
  }
  TNvCustomEdit::KeyPress(key);
}

bool TNvSpinEdit::DoMouseWheelDown(TShiftState shift, TPoint) {
  DecValue(shift & ssCtrl ? pageSize_ : increment_);
  return true;
}

bool TNvSpinEdit::DoMouseWheelUp(TShiftState shift, TPoint) {
  IncValue(shift & ssCtrl ? pageSize_ : increment_);
  return true;
}

void TNvSpinEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
      // Typing rules cover the clipboard too: no edit by cut, paste or clear.
      if (!allowKeyEdit_ || ReadOnly()) {
        message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TNvCustomEdit::WndProc(message);
}

bool TNvSpinEdit::eventFilter(QObject* watched, QEvent* e) {
  if (watched == Editor()) {
    switch (e->type()) {
      case QEvent::InputMethod:
        return true;  // text only through judged keys
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        if (!allowKeyEdit_) return true;
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        // The middle button pastes the selection: a paste like any other.
        if (!allowKeyEdit_ && static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton)
          return true;
        break;
      default:
        break;
    }
  }
  return TNvCustomEdit::eventFilter(watched, e);
}

// -- focus, state and layout --

void TNvSpinEdit::DoEnter() {
  TNvCustomEdit::DoEnter();
  UpdateMargins();
}

void TNvSpinEdit::DoExit() {
  // OnExit (inside the base) sees the text as the user left it; only then is
  // it read back and clamped.
  TNvCustomEdit::DoExit();
  UpdateMargins();
  if (allowBlank_ && Text().empty()) return;
  ReapplyValue();
}

void TNvSpinEdit::EnabledChanged() {
  TNvCustomEdit::EnabledChanged();
  if (!buttons_) return;
  buttons_->SetEnabled(Enabled());
  UpdateMargins();
}

void TNvSpinEdit::FontChanged() {
  TNvCustomEdit::FontChanged();
  if (!buttons_) return;
  UpdateMargins();
  SetBounds(Left(), Top(), Width(), Height());
}

void TNvSpinEdit::ColorChanged() {
  TNvCustomEdit::ColorChanged();
  if (buttons_) buttons_->SetColor(Color());
}

void TNvSpinEdit::SetReadOnly(bool v) {
  if (ReadOnly() == v) return;
  TNvCustomEdit::SetReadOnly(v);
  UpdateButtons();
  UpdateMargins();
}

void TNvSpinEdit::SetButtonWidth(int v) {
  if (!Store(buttonWidth_, v)) return;
  UpdateButtons();
  UpdateMargins();
}

void TNvSpinEdit::SetBounds(int left, int top, int width, int height) {
  Canvas().SetFont(Font());
  height = std::max(height, Canvas().TextHeight("Wg") + 2);
  TNvCustomEdit::SetBounds(left, top, width, height);
}

void TNvSpinEdit::Resize() {
  TNvCustomEdit::Resize();
  if (buttons_) UpdateButtons();
}

void TNvSpinEdit::UpdateButtons() {
  buttons_->SetVisible(!ReadOnly());
  if (BorderStyle() == bsSingle)
    buttons_->SetBounds(Width() - buttonWidth_ - 4, 0, buttonWidth_, Height() - 4);
  else
    buttons_->SetBounds(Width() - buttonWidth_ - 1, 1, buttonWidth_, Height() - 2);
}

void TNvSpinEdit::UpdateMargins() {
  if (ReadOnly())
    SetMargins(0, 0);
  else
    SetMargins(0, buttonWidth_ + 2);
}
