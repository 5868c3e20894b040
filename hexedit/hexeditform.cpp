// THexEditForm: window layout, document commands, title and status line.
#include "hexedit/hexeditform.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <filesystem>

#include "framework/application.h"
#include "framework/panel.h"
#include "framework/strings.h"
#include "hexedit/goto_dialog.h"
#include "hexview/ehexview.h"

namespace {

constexpr int kStatusHeight = 22;
constexpr int kDefaultWidth = 720;
constexpr int kDefaultHeight = 520;

std::string Plain(const QString& text) {
  QString t = text;
  t.remove('&');
  const int tab = t.indexOf('\t');
  if (tab >= 0) t.truncate(tab);
  return t.toStdString();
}

std::string HexOffset(Integer value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(value));
  return buf;
}

}  // namespace

THexEditForm::THexEditForm(TWinControl* parent) : TForm(parent) {
  SetBorderStyle(bsSizeable);
  SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
  menuBar_ = new QMenuBar(this);
  status_ = new TPanel(this);
  status_->SetAlign(alBottom);
  status_->SetHeight(kStatusHeight);
  status_->SetBevelOuter(bvLowered);
  status_->SetAlignment(taLeftJustify);
  CreateView();
  OnClose = [this](TObject*, TCloseAction& action) {
    if (!ConfirmDiscard())
      action = caNone;
    else
      RememberDocument();
  };
  HookDialogs();
  BuildHexEditMenus(*this);
  PlaceMenuBar();
  Realign();
  UpdateUi();
}

void THexEditForm::CreateView() {
  view_ = new THexViewEx(this);
  view_->SetAlign(alClient);
  view_->SetBytesPerRow(16);
  view_->SetBytesPerColumn(1);
  view_->SetShowRuler(true);
  view_->SetOffsetFormat("-!10:0x|");
  SetActiveControl(view_);

  view_->OnSelectionChanged = [this](TObject*) { UpdateUi(); };
  view_->OnChange = [this](TObject*) { UpdateUi(); };
  view_->OnBookmarkChanged = [this](TObject*) { UpdateUi(); };
  view_->OnKeyUp = [this](TObject*, Word&, TShiftState) { UpdateUi(); };
  // A message in the status line stays until the user goes on in the view.
  view_->OnKeyDown = [this](TObject*, Word&, TShiftState) { statusMessage_.clear(); };
  view_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    ShowStatusMessage(std::string());
  };
  // Printed pages name the file and count themselves (the print options
  // of a file, kept with its settings, may say otherwise).
  view_->PrintOptions().SetPageHeader(kHexEditPageHeader);
}

void THexEditForm::HookDialogs() {
  AskFileName = [this](bool save, const std::string& current) {
    const QString dir = QString::fromStdString(current);
    const QString name = save ? QFileDialog::getSaveFileName(this, "Save As", dir)
                              : QFileDialog::getOpenFileName(this, "Open", dir);
    return name.toStdString();
  };
  AskSaveChanges = [this](const std::string& name) {
    const auto answer = QMessageBox::question(
        this, QString::fromStdString(kHexEditTitle),
        QString::fromStdString("Save changes to " + name + "?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return saSave;
    if (answer == QMessageBox::Discard) return saDiscard;
    return saCancel;
  };
  ShowError = [](const std::string& message) { ShowMessageBox(message, kHexEditTitle); };
  AskYesNo = [this](const std::string& question) {
    return QMessageBox::question(this, QString::fromStdString(kHexEditTitle),
                                 QString::fromStdString(question)) == QMessageBox::Yes;
  };
  AskOffset = [this](Integer& target) {
    TGotoDialog dialog(this, view_->GetCursorPos(), view_->DataSize());
    if (dialog.exec() != QDialog::Accepted) return false;
    target = dialog.Target();
    return true;
  };
}

THexEditForm::~THexEditForm() {
  // The view's events point back here.
  view_->OnSelectionChanged = nullptr;
  view_->OnChange = nullptr;
  view_->OnBookmarkChanged = nullptr;
  view_->OnKeyUp = nullptr;
  view_->OnKeyDown = nullptr;
  view_->OnMouseDown = nullptr;
}

// ---- Layout ----

void THexEditForm::AdjustClientRect(TRect& r) const {
  TForm::AdjustClientRect(r);
  if (menuBar_) r.Top += menuBar_->sizeHint().height();
}

void THexEditForm::PlaceMenuBar() {
  if (menuBar_) menuBar_->setGeometry(0, 0, ClientWidth(), menuBar_->sizeHint().height());
}

void THexEditForm::Resize() {
  PlaceMenuBar();
  TForm::Resize();
}

// ---- Menus ----

QMenu* THexEditForm::Menu(const std::string& title) {
  const std::string wanted = Plain(QString::fromStdString(title));
  for (QAction* a : menuBar_->actions())
    if (a->menu() && Plain(a->text()) == wanted) return a->menu();
  return menuBar_->addMenu(QString::fromStdString(title));
}

QAction* THexEditForm::FindAction(const std::string& menuTitle, const std::string& text) {
  const std::string wanted = Plain(QString::fromStdString(menuTitle));
  // Searches a menu and its submenus.
  std::function<QAction*(QMenu*)> search = [&](QMenu* menu) -> QAction* {
    for (QAction* item : menu->actions()) {
      if (item->menu()) {
        if (QAction* found = search(item->menu())) return found;
      } else if (Plain(item->text()) == text) {
        return item;
      }
    }
    return nullptr;
  };
  for (QAction* a : menuBar_->actions())
    if (a->menu() && Plain(a->text()) == wanted) return search(a->menu());
  return nullptr;
}

void THexEditForm::AddUiUpdater(std::function<void()> updater) {
  uiUpdaters_.push_back(std::move(updater));
}

// ---- Document ----

std::string THexEditForm::DocumentName() const {
  return view_->HasFile() ? view_->FileName() : std::string();
}

void THexEditForm::SetSettingsFile(const std::string& file) {
  fileSettings_ = std::make_unique<THexEditFileSettings>(file);
}

void THexEditForm::RememberDocument() {
  if (fileSettings_) fileSettings_->Remember(*view_, DocumentName());
  // Only a window that was shown has a place worth keeping.
  if (isVisible()) preferences_.SetWindowGeometry(saveGeometry());
}

bool THexEditForm::OpenFile(const std::string& fileName) {
  RememberDocument();
  newFileName_.clear();
  statusMessage_.clear();
  try {
    view_->LoadFromFile(fileName);
    // The bookmarks of the file shown before do not belong to this one.
    view_->SetBookMarksAsString("");
    if (fileSettings_) fileSettings_->Recall(*view_, fileName);
  } catch (const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    view_->CreateEmptyFile(kHVUntitled);
    ShowError(memory ? "Not enough memory to open " + fileName : std::string(e.what()));
    UpdateUi();
    return false;
  }
  // Whatever the file's settings say, typing first overwrites.
  view_->SetInsertMode(false);
  preferences_.AddRecentFile(fileName);
  view_->SetFocus();
  UpdateUi();
  return true;
}

void THexEditForm::OpenFileOrNew(const std::string& fileName) {
  if (std::filesystem::exists(fileName)) {
    OpenFile(fileName);
    return;
  }
  RememberDocument();
  view_->CreateEmptyFile(fileName);
  // No file of that name to protect: Save may create it.
  view_->Data().ForceReadOnlyFile(false);
  newFileName_ = fileName;
  ShowStatusMessage(fileName + " does not exist: a new document, saved under that name");
  UpdateUi();
}

bool THexEditForm::Revert() {
  const std::string name = DocumentName();
  if (name.empty()) return false;
  view_->SetModified(false);  // nothing left to remember or ask about
  return OpenFile(name);
}

bool THexEditForm::SaveAs(const std::string& fileName) {
  if (fileName.empty()) return false;
  try {
    view_->SaveToFile(fileName, true);
  } catch (const std::exception& e) {
    ShowError(e.what());
    UpdateUi();
    return false;
  }
  newFileName_.clear();
  preferences_.AddRecentFile(fileName);
  UpdateUi();
  return true;
}

bool THexEditForm::Save() {
  const std::string name = DocumentName().empty() ? newFileName_ : DocumentName();
  if (name.empty()) return SaveAs(AskFileName(true, std::string()));
  return SaveAs(name);
}

bool THexEditForm::ConfirmDiscard() {
  if (!view_->GetModified()) return true;
  const std::string name = DocumentName().empty() ? view_->FileName() : DocumentName();
  switch (AskSaveChanges(std::filesystem::path(name).filename().string())) {
    case saSave:
      return Save();
    case saDiscard:
      return true;
    default:
      return false;
  }
}

void THexEditForm::CommandNew() {
  if (!ConfirmDiscard()) return;
  RememberDocument();
  newFileName_.clear();
  view_->CreateEmptyFile(kHVUntitled);
  ShowStatusMessage(std::string());
  view_->SetFocus();
  UpdateUi();
}

void THexEditForm::CommandRevert() {
  const std::string name = DocumentName();
  if (name.empty()) return;
  if (view_->GetModified() &&
      !AskYesNo("Revert to the saved " + std::filesystem::path(name).filename().string() +
                "? The changes are lost."))
    return;
  Revert();
}

void THexEditForm::CommandOpen() {
  if (!ConfirmDiscard()) return;
  const std::string name = AskFileName(false, DocumentName());
  if (!name.empty()) OpenFile(name);
}

void THexEditForm::CommandSave() {
  Save();
}

void THexEditForm::CommandSaveAs() {
  SaveAs(AskFileName(true, DocumentName()));
}

void THexEditForm::CommandQuit() {
  Close();
}

// ---- Title and status ----

bool THexEditForm::ReadOnlyDocument() const {
  return view_->HasFile() && view_->ReadOnlyFile();
}

std::string THexEditForm::StatusText() const {
  std::string text = "Offset: 0x" + HexOffset(view_->Data().CaretIndex());
  text += "   Selection: " + std::to_string(view_->GetSelCount());
  text += view_->GetInsertMode() ? "   Insert" : "   Overwrite";
  if (view_->GetModified()) text += "   Modified";
  if (ReadOnlyDocument()) text += "   read-only";
  if (!statusMessage_.empty()) text += "   " + statusMessage_;
  return text;
}

void THexEditForm::ShowStatusMessage(const std::string& message) {
  statusMessage_ = message;
  UpdateStatus();
}

void THexEditForm::UpdateStatus() {
  status_->SetCaption(" " + StatusText());
}

void THexEditForm::UpdateTitle() {
  const std::string name = DocumentName().empty() ? view_->FileName() : DocumentName();
  std::string title = std::filesystem::path(name).filename().string();
  if (ReadOnlyDocument()) title += " (read-only)";
  if (view_->GetModified()) title += " *";
  SetCaption(title + " - " + kHexEditTitle);
}

// ---- Window ----

void THexEditForm::SetPreferencesFile(const std::string& file) {
  preferences_ = THexEditPreferences(file);
  inspectorShown_ = preferences_.InspectorShown();
  UpdateUi();
}

void THexEditForm::SetInspectorShown(bool shown) {
  if (shown == inspectorShown_) return;
  inspectorShown_ = shown;
  preferences_.SetInspectorShown(shown);
  UpdateUi();
}

int THexEditForm::WidthForRows() const {
  int columns = 0;
  for (int c = 0; c < view_->ColCount(); ++c) columns += view_->ColWidths(c);
  // The view's border and scroll bar, and whatever the window puts beside it.
  return columns + (view_->Width() - view_->ClientWidth()) + (ClientWidth() - view_->Width());
}

void THexEditForm::RestoreWindow() {
  if (restoreGeometry(preferences_.WindowGeometry())) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const int width = std::min(std::max(kDefaultWidth, WidthForRows()), area.width());
  const int height = std::min(kDefaultHeight, area.height());
  SetBounds(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width,
            height);
}

void THexEditForm::UpdateUi() {
  UpdateTitle();
  UpdateStatus();
  for (auto& updater : uiUpdaters_) updater();
}
