// Bookmarks menu: toggle bookmark n at the caret (Ctrl+Shift+n) and go to
// bookmark n (Ctrl+n); the view handles the keys, the menu shows them.
#include <QAction>
#include <QMenu>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"

void BuildBookmarksMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&Bookmarks");
  THexEditForm* f = &form;
  THexViewEx* view = &form.View();
  QMenu* toggle = menu->addMenu("&Toggle");
  QMenu* go = menu->addMenu("&Go to");
  std::vector<QAction*> goActions;
  for (int i = 0; i < kHVBookmarkCount; ++i) {
    toggle->addAction(QString("Bookmark &%1\tCtrl+Shift+%1").arg(i), [f, view, i] {
      view->SetBookmarkVals(i, view->Data().CaretIndex(), view->GetInCharField());
      f->UpdateUi();
    });
    goActions.push_back(go->addAction(QString("Bookmark &%1\tCtrl+%1").arg(i), [f, view, i] {
      view->GotoBookmark(i);
      f->UpdateUi();
    }));
  }
  form.AddUiUpdater([view, goActions] {
    for (int i = 0; i < kHVBookmarkCount; ++i)
      goActions[i]->setEnabled(view->GetBookmark(i).Position >= 0);
  });
}
