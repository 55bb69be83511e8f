#pragma once

#include "editing/HandoverDocument.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace zendrik {

class TextTable;

// Paints the hand-over record: the cover with the signature lines, the
// printout of every list and the device properties, then one page per
// channel with its year chart (a row per day, a column per minute, the
// day's priority in a strip beside it) and its yearly operating hours.
// Returns the number of pages; they are numbered from `firstPage` on, for a
// record that continues a document (a site's).
int PaintHandover(const HandoverDocument& document, const TextTable& texts, QPainter& painter,
                  QPagedPaintDevice& device, int firstPage = 1);

// The note what the signatures confirm and a signature line for the
// installer and the customer, at the foot of the page; it takes
// SignatureBlockHeight() above the page's lower margin.
void PaintSignatureBlock(QPainter& painter, QPagedPaintDevice& device, const QString& note,
                         const QStringList& signatures, const QString& placeAndDate);
int SignatureBlockHeight(const QPagedPaintDevice& device);

// The record as a PDF file (A4), written atomically. False with the reason
// when the file cannot be written.
bool WriteHandoverPdf(const HandoverDocument& document, const TextTable& texts, const QString& path,
                      QString* error, int* pages = nullptr);

} // namespace zendrik
