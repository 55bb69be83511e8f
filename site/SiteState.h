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

// Opens a device's program as LoadSiteProgram does and tells why it did not
// open by the mark it earns (None when it opened): the one reading of a
// failed open that the site file, the checks, the runs, the changes and the
// hand-over record share.
SiteDeviceMark OpenSiteProgram(const Site& site, const SiteDevice& device, ProgramModel& model);

// Why a device cannot join a site.
enum class SiteAddRefusal { None,
                            NoName,
                            DuplicateName,
                            BadAddress,       // a bus device without a readable physical address
                            OutsideFolder,    // the program does not lie in the site's folder
                            MissingProgram,
                            UnfittingProgram, // the program does not open as the device's type
                            UnreadableProgram };

struct SiteAddCheck {
    SiteAddRefusal refusal = SiteAddRefusal::None;
    int loadResult = 0; // UnreadableProgram: the program loader's result
};

// Checks a device before it joins the site, with `programFile` its program
// as an absolute path; on success device.program holds that path relative
// to the site's folder, as the site file keeps it.
SiteAddCheck CheckNewSiteDevice(const Site& site, SiteDevice& device, const QString& programFile);

// The state of a device; reads its program file for the checksum.
SiteTransferState DeviceTransferState(const Site& site, const SiteDevice& device);
// The same on the device's program already open (its file is not read again).
SiteTransferState DeviceTransferState(const SiteDevice& device, const ProgramModel& opened);
QString TransferStateText(SiteTransferState state, ExtraLanguage language);
// "sim:bus.ini 1.1.5", "chip /dev/ttyUSB0", "ir 1", "none": the LINK column of the device list.
QString SiteLinkText(const SiteDevice& device);

} // namespace zendrik
