#include "framework/messages.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>

#include "framework/controls.h"
#include "framework/posted_event.h"

namespace {

struct KeyPair {
  int qt;
  Word vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},     {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},         {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},   {Qt::Key_Print, VK_PRINT},       {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},     {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Menu, VK_APPS},         {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},        {Qt::Key_Minus, VK_SUBTRACT},    {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
};

}  // namespace

Word QtKeyToVirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<Word>('0' + qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Word>('A' + qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
    return static_cast<Word>(VK_F1 + qtKey - Qt::Key_F1);
  for (const KeyPair& k : kKeys)
    if (k.qt == qtKey) return k.vk;
  return 0;
}

int VirtualKeyToQtKey(Word vk) {
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
  for (const KeyPair& k : kKeys)
    if (k.vk == vk) return k.qt;
  return 0;
}

bool PostMessage(TControl* control, Cardinal msg, WPARAM wParam, LPARAM lParam) {
  if (!control) return false;
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  QCoreApplication::postEvent(control, new TPostedMessageEvent(m));
  return true;
}

LRESULT SendMessage(TControl* control, Cardinal msg, WPARAM wParam, LPARAM lParam) {
  return control ? control->Perform(msg, wParam, lParam) : 0;
}

uintptr_t SetTimer(TControl* control, uintptr_t id, uint32_t ms) {
  if (!control || id == 0) return 0;
  auto it = control->timers_.find(id);
  if (it != control->timers_.end()) control->killTimer(it->second);
  control->timers_[id] = control->startTimer(static_cast<int>(ms), Qt::PreciseTimer);
  return id;
}

bool KillTimer(TControl* control, uintptr_t id) {
  if (!control) return false;
  auto it = control->timers_.find(id);
  if (it == control->timers_.end()) return false;
  control->killTimer(it->second);
  control->timers_.erase(it);
  return true;
}

void MessageBeep(uint32_t) {
  QApplication::beep();
}

TPoint GetCursorPos() {
  return FromQPoint(QCursor::pos());
}

TControl* FindControlAtPos(const TPoint& screenPos) {
  for (QWidget* w = QApplication::widgetAt(ToQPoint(screenPos)); w; w = w->parentWidget())
    if (auto* c = dynamic_cast<TControl*>(w)) return c;
  return nullptr;
}

int16_t GetKeyState(int vk) {
  const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
  const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
  bool down = false;
  switch (vk) {
    case VK_SHIFT:
      down = mods & Qt::ShiftModifier;
      break;
    case VK_CONTROL:
      down = mods & Qt::ControlModifier;
      break;
    case VK_MENU:
      down = mods & Qt::AltModifier;
      break;
    case VK_LBUTTON:
      down = buttons & Qt::LeftButton;
      break;
    case VK_RBUTTON:
      down = buttons & Qt::RightButton;
      break;
    case VK_MBUTTON:
      down = buttons & Qt::MiddleButton;
      break;
    default:
      break;
  }
  return down ? static_cast<int16_t>(0x8000) : 0;
}
