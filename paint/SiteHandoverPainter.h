#pragma once

#include "site/SiteHandover.h"

#include <QString>

#include <functional>

namespace zendrik {

class TextTable;

// Writes a site's hand-over record as one PDF (the cover, then each
// device's record); false with `error` set when the file cannot be written.
bool WriteSiteHandoverPdf(const SiteHandoverDocument& document, const TextTable& texts, const QString& path,
                          QString* error, const std::function<void(int, int)>& progress = {});

} // namespace zendrik
