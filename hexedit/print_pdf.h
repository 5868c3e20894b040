// Printing the hex editor's document to PDF: the File menu's Export as PDF
// and the command line's --print-pdf.
#pragma once

#include <string>

class THexViewEx;

// Prints every page of the view's document to a PDF file (A4, the view's
// print options). Raises on failure (EHexView and the printer's errors).
void HexEditExportPdf(THexViewEx& view, const std::string& pdfName);

// zn4417hex --print-pdf OUT FILE: FILE printed with the default options to
// OUT. Returns the exit code: 0 done, 1 FILE cannot be read or printing
// failed (the message goes to standard error). The application object must
// exist.
int HexEditPrintFileToPdf(const std::string& fileName, const std::string& pdfName);
