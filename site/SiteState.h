#pragma once

#include "language/ExtraText.h"
#include "site/Site.h"

namespace zendrik {

class ProgramModel;

// Whether a device holds what its program file says.
enum class SiteTransferState { UpToDate,     // last write ok and the file's checksum is still the one written
                               ChangedSince, // the program file changed since the last write
                               Never,        // never written
                               Failed };     // the last transfer failed

// Opens a device's program file into slot 0 of `model`, set up for the
// device's type. Returns a LoadResult code of the program loader (LoadOk on
// success), or -1 when the device is marked and cannot be opened.
int LoadSiteProgram(const Site& site, const SiteDevice& device, ProgramModel& model);

// The state of a device; reads its program file for the checksum.
SiteTransferState DeviceTransferState(const Site& site, const SiteDevice& device);
// The same on the device's program already open (its file is not read again).
SiteTransferState DeviceTransferState(const SiteDevice& device, const ProgramModel& opened);
QString TransferStateText(SiteTransferState state, ExtraLanguage language);
// "sim:bus.ini 1.1.5", "chip /dev/ttyUSB0", "ir 1", "none": the LINK column of the device list.
QString SiteLinkText(const SiteDevice& device);

} // namespace zendrik
