#pragma once

#include "site/SiteHandover.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace zendrik {

class TextTable;

// Paints the cover of a site's record: the site, a table of its devices
// (continued on further pages when they do not fit), the signature lines
// under it. Returns the number of pages; they are numbered from `firstPage`.
int PaintSiteHandoverCover(const SiteHandoverDocument& document, const TextTable& texts, QPainter& painter,
                           QPagedPaintDevice& device, int firstPage = 1);

// The cover, then each device's record, on one device; `progress(done,
// count)` after each device's record. Returns the number of pages.
int PaintSiteHandover(const SiteHandoverDocument& document, const TextTable& texts, QPainter& painter,
                      QPagedPaintDevice& device, const std::function<void(int, int)>& progress = {});

// Writes a site's hand-over record as one PDF (the cover, then each
// device's record), atomically; false with `error` set when the file cannot
// be written. `pages` gets the number of pages.
bool WriteSiteHandoverPdf(const SiteHandoverDocument& document, const TextTable& texts, const QString& path,
                          QString* error, const std::function<void(int, int)>& progress = {}, int* pages = nullptr);

} // namespace zendrik
