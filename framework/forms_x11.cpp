// The border of a bsSingle window under X11.
//
// Window managers take two hints: the size limits, and the Motif hints that
// list the decorations (border, sizing handles, title, buttons) and the
// functions (move, size, minimise, maximise, close) a window asks for. A
// window whose least and greatest sizes are equal cannot be maximised in any
// of the common window managers, and most of them also refuse to maximise a
// window that does not allow the size function. What remains to tell a
// maximisable window from one whose border sizes it is the decoration list:
// the window asks for a border without sizing handles. Window managers that
// draw their own borders whatever they are asked keep them sizeable (then the
// designed size is still the least the window can have). Wayland offers only
// the least and greatest sizes, so there the border sizes such a window.
#include <QGuiApplication>
#include <QWidget>

#include "framework/forms.h"

#ifdef ZN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#ifdef ZN_HAVE_XCB

constexpr uint32_t kHintsFunctions = 1u << 0;
constexpr uint32_t kHintsDecorations = 1u << 1;
constexpr uint32_t kFuncResize = 1u << 1;
constexpr uint32_t kFuncMove = 1u << 2;
constexpr uint32_t kFuncMinimize = 1u << 3;
constexpr uint32_t kFuncMaximize = 1u << 4;
constexpr uint32_t kFuncClose = 1u << 5;
constexpr uint32_t kDecorBorder = 1u << 1;
constexpr uint32_t kDecorTitle = 1u << 3;
constexpr uint32_t kDecorMenu = 1u << 4;
constexpr uint32_t kDecorMinimize = 1u << 5;
constexpr uint32_t kDecorMaximize = 1u << 6;

xcb_atom_t MotifHintsAtom(xcb_connection_t* connection) {
  static const char kName[] = "_MOTIF_WM_HINTS";
  xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kName)), kName);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (!reply) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

void SetBorderWithoutSizingHandles(QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t atom = MotifHintsAtom(connection);
  if (atom == XCB_ATOM_NONE) return;
  const Qt::WindowFlags flags = window.windowFlags();
  uint32_t functions = kFuncMove | kFuncResize | kFuncClose;
  uint32_t decorations = kDecorBorder | kDecorTitle;
  if (flags & Qt::WindowSystemMenuHint) decorations |= kDecorMenu;
  if (flags & Qt::WindowMinimizeButtonHint) {
    functions |= kFuncMinimize;
    decorations |= kDecorMinimize;
  }
  if (flags & Qt::WindowMaximizeButtonHint) {
    functions |= kFuncMaximize;
    decorations |= kDecorMaximize;
  }
  // flags, functions, decorations, input mode, status
  const uint32_t hints[5] = {kHintsFunctions | kHintsDecorations, functions, decorations, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                      atom, atom, 32, 5, hints);
  xcb_flush(connection);
}

#endif

}  // namespace

void TForm::KeepBorderFromSizing() {
#ifdef ZN_HAVE_XCB
  if (borderStyle_ != bsSingle || !isWindow() || !testAttribute(Qt::WA_WState_Created)) return;
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  SetBorderWithoutSizingHandles(*this);
#endif
}
