// Edit menu, search part: Find, Find Next (F3), Find Previous (Shift+F3),
// Replace. A search that finds nothing says so in the status line and
// offers to go on from the other end of the data.
#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "framework/messages.h"
#include "hexedit/find_dialog.h"
#include "hexedit/hexedit_menus.h"
#include "hexedit/hexedit_search.h"
#include "hexedit/hexeditform.h"

namespace {

std::string Quoted(const THexEditFindOptions& o) {
  return "\"" + o.text + "\"";
}

// Searches from `from` in the direction asked; a miss is reported and,
// unless the search already began at that end, may go on from the other.
void Run(THexEditForm& form, bool backward, Integer from) {
  THexEditSearch& search = SearchOf(form);
  const Integer last = form.View().DataSize() - 1;
  auto find = [&](Integer at) { return backward ? search.FindBackFrom(at) : search.FindFrom(at); };
  Integer found = from < 0 ? -1 : find(from);
  const bool fromTheEnd = backward ? from >= last : from <= 0;
  if (found < 0 && !search.Cancelled() && !fromTheEnd) {
    form.ShowStatusMessage(Quoted(search.Options()) + " not found before the " +
                           (backward ? "start" : "end"));
    if (search.AskContinue && search.AskContinue(backward)) found = find(backward ? last : 0);
  }
  if (search.Cancelled())
    form.ShowStatusMessage("Search cancelled");
  else if (found < 0)
    form.ShowStatusMessage(Quoted(search.Options()) + " not found");
  else
    form.ShowStatusMessage(std::string());
  if (found < 0 && !search.Cancelled()) MessageBeep(0);
  form.UpdateUi();
}

// Where a search from the caret begins: at the selection (or the caret)
// going forward, just before it going backward.
Integer SearchStart(THexEditForm& form, bool backward, bool next) {
  const THexViewData& d = form.View().Data();
  const Integer at = d.HasSelection() ? d.Selection().Low : std::max(0, d.CaretIndex());
  if (backward) return at - 1;
  return next && d.HasSelection() ? at + 1 : at;
}

void Ask(THexEditForm& form, bool replace) {
  THexEditSearch& search = SearchOf(form);
  THexEditFindOptions options = search.Options();
  const THexEditSearch::TAnswer answer = search.AskOptions(options, replace);
  if (answer == THexEditSearch::faCancel) return;
  search.SetOptions(options);
  if (answer == THexEditSearch::faFind)
    Run(form, options.backward, SearchStart(form, options.backward, false));
  else if (answer == THexEditSearch::faReplace)
    search.ReplaceCurrent();
  else
    search.ReplaceAll();
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
  search.AskContinue = [f](bool backward) {
    const QString question = backward
                                 ? "Not found before the start of the data. Continue from the end?"
                                 : "Not found before the end of the data. Continue from the start?";
    return QMessageBox::question(f, "Find", question) == QMessageBox::Yes;
  };
  menu->addSeparator();
  QAction* find = menu->addAction("&Find...", [f] { Ask(*f, false); });
  find->setShortcut(QKeySequence("Ctrl+F"));
  QAction* next =
      menu->addAction("Find &Next", [f] { Run(*f, false, SearchStart(*f, false, true)); });
  next->setShortcut(QKeySequence("F3"));
  QAction* previous =
      menu->addAction("Find Pre&vious", [f] { Run(*f, true, SearchStart(*f, true, true)); });
  previous->setShortcut(QKeySequence("Shift+F3"));
  QAction* replace = menu->addAction("&Replace...", [f] { Ask(*f, true); });
  replace->setShortcut(QKeySequence("Ctrl+H"));
  form.AddUiUpdater([f, find, next, previous, replace] {
    const bool data = f->View().DataSize() > 0;
    const bool pattern = !SearchOf(*f).Options().text.empty();
    find->setEnabled(data);
    next->setEnabled(data && pattern);
    previous->setEnabled(data && pattern);
    replace->setEnabled(data && !f->View().ReadOnlyView());
  });
}
