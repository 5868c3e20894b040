// Edit menu: Undo, Redo, Select All, Insert mode, Go to Offset. The view
// handles its own keys (Ctrl+Z, Ctrl+Shift+Z, Ctrl+A, Insert); the menu
// shows them as hints.
#include <QAction>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

namespace {

// "Undo" alone while there is nothing to undo, else "Undo <step>".
QString StepText(const char* command, bool possible, const std::string& step, const char* keys) {
  std::string text = command;
  if (possible && !step.empty()) text += " " + step;
  return QString::fromStdString(text + "\t" + keys);
}

}  // namespace

void BuildEditMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&Edit");
  THexEditForm* f = &form;
  THexViewEx* view = &form.View();
  QAction* undo = menu->addAction("&Undo\tCtrl+Z", [f, view] {
    if (view->GetCanUndo()) view->Undo();
    f->UpdateUi();
  });
  QAction* redo = menu->addAction("&Redo\tCtrl+Shift+Z", [f, view] {
    view->Redo();
    f->UpdateUi();
  });
  menu->addSeparator();
  menu->addAction("Select &All\tCtrl+A", [f, view] {
    view->SelectAll();
    f->UpdateUi();
  });
  QAction* insert = menu->addAction("&Insert Mode\tIns", [f, view] {
    view->SetInsertMode(!view->GetInsertMode());
    f->UpdateUi();
  });
  insert->setCheckable(true);
  QAction* go = menu->addAction("&Go to Offset...", [f, view] {
    Integer target = 0;
    if (!f->AskOffset(target)) return;
    view->ResetSelection(true);
    view->Data().MoveCaret(target, view->Data().CaretInCharField());
    view->SetFocus();
    f->UpdateUi();
  });
  go->setShortcut(QKeySequence("Ctrl+G"));
  form.AddUiUpdater([view, undo, redo, insert, go] {
    undo->setEnabled(view->GetCanUndo());
    undo->setText(StepText("&Undo", view->GetCanUndo(), view->GetUndoDescription(), "Ctrl+Z"));
    redo->setEnabled(view->GetCanRedo());
    insert->setEnabled(view->IsInsertModePossible());
    insert->setChecked(view->GetInsertMode());
    go->setEnabled(view->DataSize() > 0);
  });
}
