// PDF output of the hex editor.
#include "hexedit/print_pdf.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <iostream>

#include "hexedit/hexeditform.h"
#include "hexview/ehexview.h"

void HexEditExportPdf(THexViewEx& view, const std::string& pdfName) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdfName));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QFileInfo(QString::fromStdString(view.FileName())).fileName());
  view.SetPrinter(&printer);
  try {
    view.PrintDocument();
  } catch (...) {
    view.SetPrinter(nullptr);
    throw;
  }
  view.SetPrinter(nullptr);
  if (!QFileInfo(QString::fromStdString(pdfName)).isFile())
    throw EHexView("Cannot write " + pdfName);
}

int HexEditPrintFileToPdf(const std::string& fileName, const std::string& pdfName) {
  // The editor's window, never shown: its view carries the editor's layout
  // and the default print options.
  THexEditForm form;
  std::string error;
  form.ShowError = [&error](const std::string& message) { error = message; };
  if (!form.OpenFile(fileName)) {
    std::cerr << "zn4417hex: " << error << "\n";
    return 1;
  }
  try {
    HexEditExportPdf(form.View(), pdfName);
  } catch (const std::exception& e) {
    std::cerr << "zn4417hex: " << pdfName << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
