// File menu: New, Open, Open Recent (the last 8 files), Save, Save As,
// Revert, Quit.
#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

namespace {

// Fills the submenu with the recent files, most recent first; a file that
// is gone is dropped from the list when chosen.
void FillRecent(THexEditForm& form, QMenu* recent) {
  recent->clear();
  const std::vector<std::string> files = form.Preferences().RecentFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    const QString name = QString::fromStdString(files[i]);
    const QString caption = QString("&%1 %2").arg(i + 1).arg(QFileInfo(name).fileName());
    QAction* a = recent->addAction(caption, [&form, file = files[i]] {
      if (!QFileInfo::exists(QString::fromStdString(file))) {
        form.Preferences().RemoveRecentFile(file);
        form.ShowError("Cannot open " + file + ": it no longer exists");
        return;
      }
      if (form.ConfirmDiscard()) form.OpenFile(file);
    });
    a->setToolTip(name);
  }
  if (files.empty()) recent->addAction("(none)")->setEnabled(false);
}

}  // namespace

void BuildFileMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&File");
  THexEditForm* f = &form;
  QAction* create = menu->addAction("&New", [f] { f->CommandNew(); });
  create->setShortcut(QKeySequence("Ctrl+N"));
  QAction* open = menu->addAction("&Open...", [f] { f->CommandOpen(); });
  open->setShortcut(QKeySequence("Ctrl+O"));
  QMenu* recent = menu->addMenu("Open &Recent");
  QObject::connect(recent, &QMenu::aboutToShow, recent, [f, recent] { FillRecent(*f, recent); });
  FillRecent(form, recent);
  QAction* save = menu->addAction("&Save", [f] { f->CommandSave(); });
  save->setShortcut(QKeySequence("Ctrl+S"));
  menu->addAction("Save &As...", [f] { f->CommandSaveAs(); });
  QAction* revert = menu->addAction("Re&vert", [f] { f->CommandRevert(); });
  menu->addSeparator();
  QAction* quit = menu->addAction("&Quit", [f] { f->CommandQuit(); });
  quit->setShortcut(QKeySequence("Ctrl+Q"));
  form.AddUiUpdater([f, revert] { revert->setEnabled(!f->DocumentName().empty()); });
}
