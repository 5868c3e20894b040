// File menu: Open, Save, Save As, Quit.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

void BuildFileMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&File");
  THexEditForm* f = &form;
  QAction* open = menu->addAction("&Open...", [f] { f->CommandOpen(); });
  open->setShortcut(QKeySequence("Ctrl+O"));
  QAction* save = menu->addAction("&Save", [f] { f->CommandSave(); });
  save->setShortcut(QKeySequence("Ctrl+S"));
  menu->addAction("Save &As...", [f] { f->CommandSaveAs(); });
  menu->addSeparator();
  QAction* quit = menu->addAction("&Quit", [f] { f->CommandQuit(); });
  quit->setShortcut(QKeySequence("Ctrl+Q"));
}
