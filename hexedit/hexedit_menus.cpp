// The menu bar of the hex editor, in order. A feature with a menu of its
// own adds its builder here; one that extends a menu calls form.Menu(title)
// from its own file.
#include "hexedit/hexedit_menus.h"

#include "hexedit/hexeditform.h"
#include "hexedit/inspector_panel.h"

void BuildHexEditMenus(THexEditForm& form) {
  BuildFileMenu(form);
  BuildEditMenu(form);
  BuildClipboardMenu(form);
  BuildFindMenu(form);
  BuildViewMenu(form);
  BuildInspector(form);
  BuildBookmarksMenu(form);
  BuildPrintMenu(form);
}
