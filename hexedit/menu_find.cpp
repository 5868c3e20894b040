// Edit menu, search part: Find, Find Next (F3), Replace.
#include <QAction>
#include <QMenu>

#include "framework/messages.h"
#include "hexedit/find_dialog.h"
#include "hexedit/hexedit_menus.h"
#include "hexedit/hexedit_search.h"
#include "hexedit/hexeditform.h"

namespace {

// A search that ends without a match (and was not cancelled) beeps.
void BeepWhenNotFound(THexEditSearch& search, Integer found) {
  if (found < 0 && !search.Cancelled()) MessageBeep(0);
}

void Ask(THexEditForm& form, bool replace) {
  THexEditSearch& search = SearchOf(form);
  THexEditFindOptions options = search.Options();
  const THexEditSearch::TAnswer answer = search.AskOptions(options, replace);
  if (answer == THexEditSearch::faCancel) return;
  search.SetOptions(options);
  if (answer == THexEditSearch::faFind) {
    // A new search starts at the caret.
    const THexViewData& d = form.View().Data();
    BeepWhenNotFound(search, search.FindFrom(d.HasSelection() ? d.Selection().Low
                                                              : std::max(0, d.CaretIndex())));
  } else if (answer == THexEditSearch::faReplace) {
    search.ReplaceCurrent();
  } else {
    search.ReplaceAll();
  }
  form.UpdateUi();
}

}  // namespace

void BuildFindMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&Edit");
  THexEditForm* f = &form;
  THexEditSearch& search = SearchOf(form);
  search.AskOptions = [f](THexEditFindOptions& options, bool replace) {
    TFindDialog dialog(f, options, replace);
    if (dialog.exec() != QDialog::Accepted) return THexEditSearch::faCancel;
    options = dialog.Options();
    return dialog.Answer();
  };
  menu->addSeparator();
  QAction* find = menu->addAction("&Find...", [f] { Ask(*f, false); });
  find->setShortcut(QKeySequence("Ctrl+F"));
  QAction* next = menu->addAction("Find &Next", [f] {
    BeepWhenNotFound(SearchOf(*f), SearchOf(*f).FindNext());
    f->UpdateUi();
  });
  next->setShortcut(QKeySequence("F3"));
  QAction* replace = menu->addAction("&Replace...", [f] { Ask(*f, true); });
  replace->setShortcut(QKeySequence("Ctrl+H"));
  form.AddUiUpdater([f, find, next, replace] {
    const bool data = f->View().DataSize() > 0;
    find->setEnabled(data);
    next->setEnabled(data && !SearchOf(*f).Options().text.empty());
    replace->setEnabled(data && !f->View().ReadOnlyView());
  });
}
