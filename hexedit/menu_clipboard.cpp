// Edit menu, clipboard part: Cut, Copy, Paste, and copying and pasting hex
// text. The view handles Ctrl+X, Ctrl+C and Ctrl+V itself; the menu shows
// them as hints. Bytes and files can also be dragged onto the window and
// the selection dragged out of it.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

namespace {

// Runs a clipboard command with ClipboardAsHexText set for its duration.
template <typename Command>
void AsHexText(THexViewEx& view, Command command) {
  const bool before = view.ClipboardAsHexText();
  view.SetClipboardAsHexText(true);
  command();
  view.SetClipboardAsHexText(before);
}

}  // namespace

void BuildClipboardMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&Edit");
  THexEditForm* f = &form;
  THexViewEx* view = &form.View();
  view->SetOleDragDrop(true);
  menu->addSeparator();
  QAction* cut = menu->addAction("Cu&t\tCtrl+X", [f, view] {
    view->CBCut();
    f->UpdateUi();
  });
  QAction* copy = menu->addAction("&Copy\tCtrl+C", [f, view] {
    view->CBCopy();
    f->UpdateUi();
  });
  QAction* paste = menu->addAction("&Paste\tCtrl+V", [f, view] {
    view->CBPaste();
    f->UpdateUi();
  });
  QAction* copyHex = menu->addAction("Copy as &Hex Text", [f, view] {
    AsHexText(*view, [view] { view->CBCopy(); });
    f->UpdateUi();
  });
  QAction* pasteHex = menu->addAction("Paste as He&x Text", [f, view] {
    AsHexText(*view, [view] { view->CBPaste(); });
    f->UpdateUi();
  });
  // Another program may fill the clipboard at any time.
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, menu,
                   [f] { f->UpdateUi(); });
  form.AddUiUpdater([view, cut, copy, paste, copyHex, pasteHex] {
    cut->setEnabled(view->CanCut());
    copy->setEnabled(view->CanCopy());
    copyHex->setEnabled(view->CanCopy());
    const bool canPaste = view->CanPaste();
    paste->setEnabled(canPaste);
    pasteHex->setEnabled(canPaste);
  });
}
