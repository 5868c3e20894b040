// THexEditForm: the window of the hex editor `zn4417hex`. One THexViewEx
// fills it between a menu bar and a status line.
//
// The menus are built by one function per menu (menu_file.cpp,
// menu_edit.cpp, ...), listed in hexedit_menus.cpp; a feature adds its own
// menu file and one line there, or appends entries to an existing menu
// through Menu(title). Dialogs go through replaceable functions so that
// tests can answer them.
#pragma once

#include <functional>
#include <string>

#include <memory>

#include "framework/forms.h"
#include "hexedit/file_settings.h"
#include "hexedit/preferences.h"
#include "hexview/hexviewex.h"

class QAction;
class QMenu;
class QMenuBar;
class TPanel;

// Answer of the question before changes would be lost.
enum THexEditSaveAnswer { saSave, saDiscard, saCancel };

inline constexpr const char* kHexEditTitle = "ZN4417 Hex Editor";
// The page header printing starts with: the file name left, "Page N of M" right.
inline constexpr const char* kHexEditPageHeader = "%f||Page %p of %P";

class THexEditForm : public TForm {
 public:
  explicit THexEditForm(TWinControl* parent = nullptr);
  ~THexEditForm() override;

  THexViewEx& View() { return *view_; }
  QMenuBar& MenuBar() { return *menuBar_; }
  // The top-level menu with this title; created (at the end of the bar)
  // when it does not exist yet. "&" marks the mnemonic and is ignored when
  // titles are compared.
  QMenu* Menu(const std::string& title);
  // An action of a menu by its text (without "&" and shortcut hint), or nullptr.
  QAction* FindAction(const std::string& menuTitle, const std::string& text);

  // ---- Document ----
  // Loads a file; false (after telling the user) when it cannot be read.
  // A file always opens in overwrite mode.
  bool OpenFile(const std::string& fileName);
  // The command line's file: opened, or, when there is no such file, an
  // empty document of that name (said so in the status line) that Save
  // writes there.
  void OpenFileOrNew(const std::string& fileName);
  // Reloads the current file (the changes are lost); false without a file
  // or when it cannot be read.
  bool Revert();
  // Saves to the current file, or asks for a name when there is none.
  bool Save();
  bool SaveAs(const std::string& fileName);
  // Asks to save when there are unsaved changes; false when the user cancels
  // or saving fails.
  bool ConfirmDiscard();
  // The document's file name ("" for a new document).
  std::string DocumentName() const;

  // ---- View settings and bookmarks of each file, kept between runs ----
  // "" (the default) keeps nothing; the program sets
  // THexEditFileSettings::DefaultFile().
  void SetSettingsFile(const std::string& file);
  // Stores the current document's settings (done before another file is
  // opened and when the window closes).
  void RememberDocument();

  // ---- Window and preferences kept between runs ----
  // "" (the default) keeps nothing; the program sets
  // THexEditPreferences::DefaultFile().
  void SetPreferencesFile(const std::string& file);
  THexEditPreferences& Preferences() { return preferences_; }
  // Before the window is first shown: the size and place it had when it was
  // closed last, else wide enough for the rows and centred on the screen.
  void RestoreWindow();
  // The window width that shows every column of the view's rows.
  int WidthForRows() const;
  // Whether the value inspector is shown (kept in the preferences).
  bool InspectorShown() const { return inspectorShown_; }
  void SetInspectorShown(bool shown);

  // ---- Menu commands (also used by the menu files) ----
  void CommandNew();
  void CommandRevert();
  void CommandOpen();
  void CommandSave();
  void CommandSaveAs();
  void CommandQuit();

  // ---- Status line and title ----
  // The panel of the status line (for progress shown there).
  TPanel& StatusPanel() { return *status_; }
  std::string StatusText() const;
  // A message after the fields of the status line (a search that found
  // nothing, how many Replace All replaced), until the next message or the
  // next key or click in the view; "" removes it.
  void ShowStatusMessage(const std::string& message);
  const std::string& StatusMessage() const { return statusMessage_; }
  void UpdateStatus();
  void UpdateTitle();
  // Called after every command and on the view's notifications: refreshes
  // title, status line and the menu entries' enabled and checked states.
  void UpdateUi();
  // Menu files register how their entries follow the document's state.
  void AddUiUpdater(std::function<void()> updater);

  // ---- Dialogs (tests replace these) ----
  // A file name to open (save == false) or save to; "" when cancelled.
  std::function<std::string(bool save, const std::string& current)> AskFileName;
  std::function<THexEditSaveAnswer(const std::string& name)> AskSaveChanges;
  std::function<void(const std::string& message)> ShowError;
  // A yes/no question; true for yes.
  std::function<bool(const std::string& question)> AskYesNo;
  // The offset to go to (Go to Offset); false when cancelled.
  std::function<bool(Integer& target)> AskOffset;

 protected:
  void AdjustClientRect(TRect& r) const override;
  void Resize() override;

 private:
  // The hex view with its settings and the events that keep the window in step.
  void CreateView();
  // The questions the window asks through dialogs (file names, saving, offsets).
  void HookDialogs();
  void PlaceMenuBar();
  // Whether the document's file may not be written (its read-only flag).
  bool ReadOnlyDocument() const;

  QMenuBar* menuBar_ = nullptr;
  THexViewEx* view_ = nullptr;
  TPanel* status_ = nullptr;
  std::vector<std::function<void()>> uiUpdaters_;
  std::unique_ptr<THexEditFileSettings> fileSettings_;
  THexEditPreferences preferences_;
  std::string statusMessage_;
  std::string newFileName_;  // where Save writes a new document of a given name
  bool inspectorShown_ = false;
};

// Builds every menu of the window (hexedit_menus.cpp).
void BuildHexEditMenus(THexEditForm& form);
