#pragma once

#include "editing/HandoverDocument.h"
#include "language/ExtraText.h"
#include "site/Site.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace zendrik {

class TextTable;

// The hand-over record of a whole site: a cover naming the site and every
// device (name, location, type, address, last transfer and its result) with
// the signature lines, then each device's own hand-over record.
struct SiteHandoverDocument {
    QString heading;                      // "Übergabeprotokoll Anlage"
    QString siteName;
    QString siteAddress;
    QStringList columns;                  // captions of the device table
    std::vector<QStringList> rows;        // one per device, as `columns`
    QString signatureNote;
    QStringList signatures;
    QString placeAndDate;
    std::vector<HandoverDocument> devices; // devices whose program could be opened, in site order
    QStringList skipped;                   // "Flur EG: Programmdatei fehlt" for the others
};

// The last transfer of a device as the hand-over record proves it: the site
// file's `last` with the way and address of the device's link.
std::optional<TransferRecord> SiteTransferRecord(const SiteDevice& device);

// Builds the record for a year; `progress(done, count)` is called per device.
SiteHandoverDocument BuildSiteHandover(const Site& site, const TextTable& texts, int year, ExtraLanguage language,
                                       const std::function<void(int, int)>& progress = {});

} // namespace zendrik
