#pragma once

#include "editing/PrintDocument.h"

#include <QString>

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
    // the number of pages.
    int paint(QPainter& painter, QPagedPaintDevice& device) const;

private:
    const PrintDocument& document_;
    const TextTable& texts_;
};

// The printout as a PDF file (A4), written atomically. False with the
// reason when the file cannot be written.
bool WritePrintPdf(const PrintDocument& document, const TextTable& texts, const QString& path, QString* error,
                   int* pages = nullptr);

} // namespace zendrik
