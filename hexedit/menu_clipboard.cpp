// Edit menu, clipboard part: Cut, Copy, Paste, Paste Over (Ctrl+B:
// overwriting from the caret), and copying and pasting hex text. The view
// handles Ctrl+X, Ctrl+C and Ctrl+V itself; the menu shows them as hints.
// Bytes and files can also be dragged onto the window and the selection
// dragged out of it.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <algorithm>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

namespace {

constexpr const char* kPasteOverDescription = "Paste Over";

// Runs a clipboard command with ClipboardAsHexText set for its duration.
template <typename Command>
void AsHexText(THexViewEx& view, Command command) {
  const bool before = view.ClipboardAsHexText();
  view.SetClipboardAsHexText(true);
  command();
  view.SetClipboardAsHexText(before);
}

// Overwrites from the selection start (or the caret) with the clipboard's
// bytes, as one undo step; asks before the data grows beyond its end (a
// fixed size takes only what fits).
void PasteOver(THexEditForm& form) {
  THexViewEx& view = form.View();
  std::vector<Byte> bytes;
  if (!view.ClipboardBytes(bytes)) return;
  const THexViewData& d = view.Data();
  Integer at =
      d.HasSelection() ? d.Selection().Low : std::clamp(d.CaretIndex(), 0, view.DataSize());
  at -= at % std::max(1, view.BytesPerUnit());
  Integer count = static_cast<Integer>(bytes.size());
  const Integer room = view.DataSize() - at;
  if (count > room && view.NoSizeChange()) count = room;
  if (count <= 0) return;
  if (count > room && !form.AskYesNo("The pasted bytes reach " + std::to_string(count - room) +
                                     " byte(s) beyond the end of the data. Let the file grow?"))
    return;
  view.Replace(bytes.data(), at, std::min(count, room), count, kPasteOverDescription, true);
  const Integer last = at + count - 1;
  view.Data().MoveCaret(last, d.CaretInCharField());
  view.SetSelection(at, at, last);
  view.Invalidate();
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
  QAction* pasteOver = menu->addAction("Paste &Over", [f] {
    PasteOver(*f);
    f->UpdateUi();
  });
  pasteOver->setShortcut(QKeySequence("Ctrl+B"));
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
  form.AddUiUpdater([view, cut, copy, paste, pasteOver, copyHex, pasteHex] {
    cut->setEnabled(view->CanCut());
    copy->setEnabled(view->CanCopy());
    copyHex->setEnabled(view->CanCopy());
    const bool canPaste = view->CanPaste();
    paste->setEnabled(canPaste);
    pasteOver->setEnabled(canPaste);
    pasteHex->setEnabled(canPaste);
  });
}
