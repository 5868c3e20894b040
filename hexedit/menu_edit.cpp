// Edit menu: Undo, Redo, Select All, Insert mode. The view handles the keys
// itself (Ctrl+Z, Ctrl+Shift+Z, Ctrl+A, Insert); the menu shows them as hints.
#include <QAction>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

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
  form.AddUiUpdater([view, undo, redo, insert] {
    undo->setEnabled(view->GetCanUndo());
    undo->setText(QString::fromStdString("&Undo " + view->GetUndoDescription() + "\tCtrl+Z"));
    redo->setEnabled(view->GetCanRedo());
    insert->setEnabled(view->Data().IsInsertModePossible());
    insert->setChecked(view->GetInsertMode());
  });
}
