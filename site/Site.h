#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zendrik {

// A building site: every time switch of one building (a school, an office)
// kept together in one site file (*.zsite), so that a change of holidays or
// summer time reaches all of them and each can be checked, programmed, read
// back and handed over in one run.

inline constexpr int kSiteFormatVersion = 1;
inline const QString kSiteFileExtension = QStringLiteral(".zsite");

// How a device of the site is reached.
enum class SiteLinkKind { None,
                          Bus,  // physical address on a bus connection (sim:..., knxnetip:...)
                          Chip, // memory chip in the serial programming adapter on a port
                          Ir }; // infrared adapter on port 1 or 2

enum class SiteDirection { Write,
                           Read };

// How a transfer of one device ended.
enum class SiteTransferResult { Ok,       // written (and, when read back, confirmed) or read
                                Differs,  // read: the device holds another program than its file
                                Failed }; // see the site log for the reason

// The last transfer of a device, as the site file keeps it.
struct SiteTransfer {
    QDateTime when; // local time, seconds
    SiteDirection direction = SiteDirection::Write;
    SiteTransferResult result = SiteTransferResult::Ok;
    // The checksum of the image written (ImageChecksum), empty when none was.
    QString checksum;
    // Whether a read-back right after the write found the same program.
    bool confirmed = false;

    bool operator==(const SiteTransfer&) const = default;
};

// Why a device of a loaded site cannot be used as it stands; the site still
// loads and the device is shown marked.
enum class SiteDeviceMark { None,
                            UnknownType,      // the type is no row of the device-type table
                            OutsideFolder,    // the program path leaves the site's folder
                            MissingProgram,   // the program file does not exist
                            UnfittingProgram, // the program cannot be opened as this type
                            UnreadableProgram };

struct SiteDevice {
    QString name;     // unique within the site
    QString location; // room, distribution
    int type = 0;     // row of the device-type table (1..kDeviceTypeRows)
    QString program;  // program file, relative to the site file's folder, '/' separated
    SiteLinkKind link = SiteLinkKind::None;
    QString address;    // Bus: physical address "A.L.D"
    QString connection; // Bus: connection as the bus commands take it (sim:FILE, knxnetip:HOST[:PORT])
    QString port;       // Chip: serial port; Ir: "1" or "2"
    std::optional<SiteTransfer> last;
    SiteDeviceMark mark = SiteDeviceMark::None; // set on loading, never written

    bool operator==(const SiteDevice& other) const
    {
        return name == other.name && location == other.location && type == other.type && program == other.program
               && link == other.link && address == other.address && connection == other.connection
               && port == other.port && last == other.last;
    }
};

struct Site {
    QString name;
    QString address; // postal address of the building, one line
    std::vector<SiteDevice> devices;
    QString path; // the site file (absolute); not written

    // The program file of a device as an absolute path.
    QString programPath(const SiteDevice& device) const;
    // The index of the device of that name, -1 when none.
    int indexOf(const QString& deviceName) const;

    bool operator==(const Site& other) const { return name == other.name && address == other.address && devices == other.devices; }
};

} // namespace zendrik
