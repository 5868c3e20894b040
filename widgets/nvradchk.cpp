#include "widgets/nvradchk.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <cctype>

#include "framework/property.h"
#include "widgets/nvcommon.h"

namespace {

// The accelerator character of a caption ("&x"), or 0.
char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

// The sunken classic box: 2-pixel lowered edge, white inside (face colour
// while pushed, disabled or grayed), black tick (grey when disabled or grayed).
void DrawClassicGlyph(TCanvas& c, const TRect& r, TCheckBoxState state, bool pushed, bool enabled) {
  const TRect inner = DrawCtl3DBorder(c, r, true);
  const bool dim = pushed || !enabled || state == cbGrayed;
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(dim ? clBtnFace : clWindow);
  c.FillRect(inner);
  if (state == cbUnchecked) return;
  const bool grey = !enabled || state == cbGrayed;
  DrawCheckMark(c, r.Left, r.Top, grey ? clBtnShadow : clWindowText);
}

}  // namespace

TNvCustomCheckBox::TNvCustomCheckBox(TWinControl* parent) : TNvCustomGlyphButton(parent) {
  SetAlignmentVertical(avTop);
}

TNvCustomCheckBox::~TNvCustomCheckBox() = default;

void TNvCustomCheckBox::SetState(TCheckBoxState v) {
  if (!Store(state_, v)) return;
  Repaint();
  if (!clickSuppressed_) Click();
}

void TNvCustomCheckBox::InitState(TCheckBoxState v) {
  state_ = v;
  Repaint();
}

void TNvCustomCheckBox::ChangeState(bool fromMouse) {
  if (fromMouse && ReadOnly()) return;
  switch (state_) {
    case cbUnchecked:
      SetState(allowGrayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

void TNvCustomCheckBox::SetDrawPressed(bool v) {
  if (Store(drawPressed_, v)) Repaint();
}

TNvButtonDisplayState TNvCustomCheckBox::DisplayState() const {
  if (!Enabled()) return bdsDisabled;
  if (drawPressed_) return bdsDown;
  if (PointerInside()) return bdsHot;
  return bdsNormal;
}

int TNvCustomCheckBox::GlyphIndex() const {
  return static_cast<int>(state_) + (Enabled() ? 0 : 3);
}

void TNvCustomCheckBox::DrawGlyph(TCanvas& canvas, const TRect& rect) {
  if (UseCustomGlyphs()) {
    DrawCustomGlyph(canvas, rect, GlyphIndex());
  } else if (HotTrack()) {
    TColor hotStart, hotStop;
    HotColors(hotStart, hotStop);
    DrawCheckBox(canvas, rect, state_, DisplayState(), Focused(), HotTrackStyle(), FrameColor(),
                 HighlightColor(), FillColor(), FocusColor(), DisabledColor(), hotStart, hotStop,
                 ReadOnly(), ReadOnlyColorOnFocus(), ReadOnlyColor());
  } else {
    DrawClassicGlyph(canvas, rect, state_, drawPressed_, Enabled());
  }
}

void TNvCustomCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled()) {
    if (CanFocus()) SetFocus();
    if (Focused()) {
      pressTracking_ = true;
      SetDrawPressed(true);
    }
  }
  TNvCustomGlyphButton::MouseDown(button, shift, x, y);
}

void TNvCustomCheckBox::MouseMove(TShiftState shift, int x, int y) {
  if (pressTracking_) SetDrawPressed(PtInRect(ClientRect(), TPoint(x, y)));
  TNvCustomGlyphButton::MouseMove(shift, x, y);
}

void TNvCustomCheckBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressTracking_) {
    pressTracking_ = false;
    drawPressed_ = false;
    if (PtInRect(ClientRect(), TPoint(x, y))) ChangeState(true);
    Repaint();
  }
  TNvCustomGlyphButton::MouseUp(button, shift, x, y);
}

void TNvCustomCheckBox::KeyDown(Word& key, TShiftState shift) {
  TNvCustomGlyphButton::KeyDown(key, shift);
  if (ReadOnly()) return;
  if (key == VK_SPACE) {
    spaceArmed_ = true;
    drawPressed_ = false;
    SetDrawPressed(true);
  } else if (key == VK_ESCAPE && (spaceArmed_ || drawPressed_)) {
    spaceArmed_ = false;
    SetDrawPressed(false);
  }
}

void TNvCustomCheckBox::KeyUp(Word& key, TShiftState shift) {
  TNvCustomGlyphButton::KeyUp(key, shift);
  if (ReadOnly() || key != VK_SPACE) return;
  drawPressed_ = false;
  const bool armed = spaceArmed_;
  spaceArmed_ = false;
  if (armed) ChangeState(false);
  Repaint();
}

void TNvCustomCheckBox::keyReleaseEvent(QKeyEvent* e) {
  // A held key repeats its presses only; the toggle waits for the real release.
  if (e->isAutoRepeat()) {
    e->accept();
    return;
  }
  TNvCustomGlyphButton::keyReleaseEvent(e);
}

void TNvCustomCheckBox::DoEnter() {
  TNvCustomGlyphButton::DoEnter();
  Repaint();
}

void TNvCustomCheckBox::DoExit() {
  TNvCustomGlyphButton::DoExit();
  drawPressed_ = false;
  spaceArmed_ = false;
  Repaint();
}

bool TNvCustomCheckBox::HandleAccelerator(char key) {
  const char accel = AcceleratorOf(Caption());
  if (!accel || std::toupper(static_cast<unsigned char>(accel)) !=
                    std::toupper(static_cast<unsigned char>(key)))
    return false;
  if (CanFocus()) SetFocus();
  if (Focused() && !ReadOnly()) ChangeState(false);
  return true;
}

void TNvCustomCheckBox::TextChanged() {
  const char accel = AcceleratorOf(Caption());
  if (!accel) {
    delete accelerator_;
    accelerator_ = nullptr;
  } else {
    if (!accelerator_) {
      accelerator_ = new QShortcut(this);
      accelerator_->setContext(Qt::WindowShortcut);
      QObject::connect(accelerator_, &QShortcut::activated, [this] {
        const char a = AcceleratorOf(Caption());
        if (a) Perform(CM_DIALOGCHAR, static_cast<unsigned char>(a), 0);
      });
    }
    const int letter = std::toupper(static_cast<unsigned char>(accel));
    accelerator_->setKey(QKeySequence(static_cast<int>(Qt::ALT) | letter));
  }
  TNvCustomGlyphButton::TextChanged();
}

void TNvCustomCheckBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case BM_GETCHECK:
      message.Result = static_cast<LRESULT>(state_);
      return;
    case CM_DIALOGCHAR:
      if (HandleAccelerator(static_cast<char>(message.WParam))) {
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TNvCustomGlyphButton::WndProc(message);
}
