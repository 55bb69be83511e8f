#pragma once

#include "editing/PrintDocument.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace zendrik {

class TextTable;

// Lays the printout out on pages of a printer or a PDF: the title block and
// the headings of each section, the rows in columns as the list weighs them
// (a text longer than its column is cut short with an ellipsis, never run
// into the next column), a new page with the headings again where the
// printout asks for one or the page is full, and "Seite n" under each page.
class PrintPainter {
public:
    PrintPainter(const PrintDocument& document, const TextTable& texts);

    // Paints every page on `device` through `painter` (begun on it); returns
    // the number of pages. The pages are numbered from `firstPage` on, for a
    // printout that continues a document.
    int paint(QPainter& painter, QPagedPaintDevice& device, int firstPage = 1) const;

private:
    const PrintDocument& document_;
    const TextTable& texts_;
};

// The page frame every printed page shares: 15 mm margins all round and
// "Seite n" centred under the page.
int PageMargin(const QPagedPaintDevice& device);
int PageFooterHeight(const QPagedPaintDevice& device);
void PaintPageFooter(QPainter& painter, QPagedPaintDevice& device, const TextTable& texts, int page);

// Paints a document through `paint` (which returns its page count) into an
// A4 PDF and writes it atomically.
bool WritePdfFile(const QString& path, const QString& title,
                  const std::function<int(QPainter&, QPagedPaintDevice&)>& paint, QString* error, int* pages);

// The printout as a PDF file (A4), written atomically. False with the
// reason when the file cannot be written.
bool WritePrintPdf(const PrintDocument& document, const TextTable& texts, const QString& path, QString* error,
                   int* pages = nullptr);

} // namespace zendrik
