#pragma once

#include "editing/checks/Finding.h"
#include "language/ExtraText.h"
#include "site/Site.h"

#include <vector>

namespace zendrik {

class TextTable;

// What only the whole site shows, beside each program's own checks.
enum class SiteCheckId { ProgramCheck,        // a finding of the program's own checks
                         SameBusAddress,      // two devices with the same address on the same connection
                         ProgramMissing,      // program file missing, unreadable or outside the folder
                         ProgramUnfitting,    // program file does not fit the device type (or unknown type)
                         DstDiffers,          // summer/winter rules or tables differ between devices
                         PlacesApart,         // astro places more than 1 degree apart or in another time zone
                         HolidaysDiffer,      // a holiday one device keeps for the year and another does not
                         NeverTransferred,    // never written into the device
                         ChangedSinceTransfer,
                         LastTransferFailed };

struct SiteFinding {
    SiteCheckId id = SiteCheckId::ProgramCheck;
    Severity severity = Severity::Info;
    QString device; // the device the finding names
    QString other;  // the other device of a pair, empty when none
    QString text;   // the message, in the language asked for
    // ProgramCheck: which of the program's checks found it.
    CheckId programCheck = CheckId::SameMinuteClash;
};

// Every finding of the site for a year, each naming its device, grouped by
// device in the order of the site; `progress` (when set) is called per device.
std::vector<SiteFinding> CheckSite(const Site& site, const TextTable& texts, int year, ExtraLanguage language);

// The worst finding of each device (Severity::Info with no finding means none),
// in the order of site.devices; `hasFinding` tells apart "none" from "info".
struct SiteDeviceCheck {
    bool hasFinding = false;
    Severity worst = Severity::Info;
};
std::vector<SiteDeviceCheck> WorstPerDevice(const Site& site, const std::vector<SiteFinding>& findings);

const char* SiteCheckKey(SiteCheckId id); // for --json: "same_bus_address", ...

} // namespace zendrik
