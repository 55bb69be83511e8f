#pragma once

#include "language/ExtraText.h"
#include "site/Site.h"

#include <QByteArray>
#include <QString>

namespace zendrik {

// Reading and writing site files: plain UTF-8 text a person can read, edit
// and compare (see docs/site.md for the layout).

enum class SiteLoadCode { Ok,
                          Unreadable,      // cannot be opened
                          Empty,           // no content
                          NotASite,        // first line is not the site header
                          NewerVersion,    // written by a newer version of this program
                          BadLine,         // a line that is no "key = value", no section
                          UnknownKey,      // a key this version does not know
                          BadValue,        // a value that cannot be read (type, link, date ...)
                          DuplicateDevice, // two devices with the same name
                          MissingName,     // a device without a name
                          DuplicateKey };  // a key given twice in one section

struct SiteLoadResult {
    SiteLoadCode code = SiteLoadCode::Ok;
    int line = 0;   // 1-based line of the fault, 0 when none
    QString detail; // the key, value or name at fault
    bool ok() const { return code == SiteLoadCode::Ok; }
};

// Reads a site file into `site` (which is left untouched on failure). The
// devices are marked (SiteDevice::mark) by what their program files show.
SiteLoadResult LoadSite(const QString& path, Site& site);
SiteLoadResult ParseSite(const QByteArray& text, const QString& path, Site& site);
// Sets every device's mark from its type and program file.
void MarkSiteDevices(Site& site);

// Whether a program path written in a site file leaves the site's folder
// (absolute, a drive, or ".." climbing above it): such a program would not
// travel with the folder and is never opened.
bool SiteProgramLeavesFolder(const QString& program);

// The text of a site file.
QByteArray SiteText(const Site& site);
// Writes the site atomically to site.path; false with `error` set when the
// file cannot be written (the old file stays as it was).
bool SaveSite(const Site& site, QString* error);

// The message for a load failure, naming the file and the line.
QString SiteLoadMessage(const SiteLoadResult& result, const QString& path, ExtraLanguage language);
// A short text for a device mark ("Programmdatei fehlt").
QString SiteDeviceMarkText(SiteDeviceMark mark, ExtraLanguage language);

} // namespace zendrik
