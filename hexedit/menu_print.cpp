// File menu, printing: Print (the printer dialog), Print Preview and Export
// as PDF, placed before Quit.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <filesystem>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"
#include "hexedit/print_pdf.h"

namespace {

// Runs a print job on printer, telling the user when it fails.
void PrintOn(THexEditForm& form, QPrinter& printer) {
  THexViewEx& view = form.View();
  view.SetPrinter(&printer);
  try {
    view.PrintDocument();
  } catch (const std::exception& e) {
    form.ShowError(e.what());
  }
  view.SetPrinter(nullptr);
}

void CommandPrint(THexEditForm& form) {
  QPrinter printer(QPrinter::HighResolution);
  form.View().SetPrinter(&printer);
  const Integer pages = form.View().PrintNumPages();
  form.View().SetPrinter(nullptr);
  QPrintDialog dialog(&printer, &form);
  dialog.setMinMax(1, std::max<Integer>(1, pages));
  if (dialog.exec() == QDialog::Accepted) PrintOn(form, printer);
}

void CommandPreview(THexEditForm& form) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, &form);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&form](QPrinter* p) { PrintOn(form, *p); });
  dialog.exec();
}

void CommandExportPdf(THexEditForm& form) {
  const std::string doc =
      form.DocumentName().empty() ? form.View().FileName() : form.DocumentName();
  const std::string suggested = std::filesystem::path(doc).replace_extension(".pdf").string();
  const std::string name = form.AskFileName(true, suggested);
  if (name.empty()) return;
  try {
    HexEditExportPdf(form.View(), name);
  } catch (const std::exception& e) {
    form.ShowError(e.what());
  }
}

}  // namespace

void BuildPrintMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&File");
  THexEditForm* f = &form;
  QAction* quit = form.FindAction("&File", "Quit");
  // Before the separator above Quit, or at the end.
  QAction* before = nullptr;
  const QList<QAction*> actions = menu->actions();
  const qsizetype at = actions.indexOf(quit);
  if (at > 0) before = actions[at - 1]->isSeparator() ? actions[at - 1] : quit;
  auto* print = new QAction("&Print...", menu);
  print->setShortcut(QKeySequence("Ctrl+P"));
  QObject::connect(print, &QAction::triggered, [f] { CommandPrint(*f); });
  auto* preview = new QAction("Print Pre&view...", menu);
  QObject::connect(preview, &QAction::triggered, [f] { CommandPreview(*f); });
  auto* pdf = new QAction("&Export as PDF...", menu);
  QObject::connect(pdf, &QAction::triggered, [f] { CommandExportPdf(*f); });
  menu->insertAction(before, print);
  menu->insertAction(before, preview);
  menu->insertAction(before, pdf);
  menu->insertSeparator(before);
}
