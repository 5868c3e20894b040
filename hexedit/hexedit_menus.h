// The menus of the hex editor, one builder per menu, each in a file of its
// own. BuildHexEditMenus calls them in menu-bar order.
#pragma once

class THexEditForm;

void BuildFileMenu(THexEditForm& form);       // menu_file.cpp
void BuildEditMenu(THexEditForm& form);       // menu_edit.cpp
void BuildViewMenu(THexEditForm& form);       // menu_view.cpp
void BuildBookmarksMenu(THexEditForm& form);  // menu_bookmarks.cpp
void BuildClipboardMenu(THexEditForm& form);  // menu_clipboard.cpp (Edit)
void BuildFindMenu(THexEditForm& form);       // menu_find.cpp (Edit)
// Print, Print Preview and Export as PDF in the File menu (menu_print.cpp).
void BuildPrintMenu(THexEditForm& form);
