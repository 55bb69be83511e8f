#pragma once

#include "model/ImageOptions.h"

#include <QString>

namespace zendrik {

inline constexpr int kFamily731 = 731;
inline constexpr int kFamily738 = 738;
inline constexpr int kFamily752 = 752;

// The frame a program is edited in: the parameters of the chosen device type,
// the device options that the image header carries (the ImageOptions part,
// whose fields are used by name like the others), and the PC-side settings
// remembered in zendrik.ini. Names follow the settings file and the image.
struct DeviceSettings : ImageOptions {
    // The image options alone: what a program step or a recovery copy keeps.
    ImageOptions& image() { return *this; }
    const ImageOptions& image() const { return *this; }

    // Device type (one row of the device-type table).
    int Kanalzahl = 1;
    int Uhrentyp = kFamily731;
    int Busprog = 0; // non-zero: a bus device (written as -1)
    int MaxEintrag = 324;
    int Evu = 0;   // device variant with a meter-pulse channel
    int Bewft = 0; // device variant that handles movable holidays
    int Speichergroesse = 2048;
    int KeineZeit = 1791; // empty astro time of this family
    QString Geraetename;
    int DeviceRow = 1; // row of the device-type table in use, 1..20
    int ChosenRow = 1; // row the user chose (start screen, --type); a loaded file
                       // that does not fit it brings the row it was made for

    // The bus format of the entries (image byte 2), set with the device type.
    int EibFormat = 0;

    // PC side.
    int Lpt = 1;   // 1..3 parallel ports, 4 and 5 the serial ports COM1/COM2
    int Delay = 4; // delay factor as stored: four times the value of the ini file
    int DelayLang = 200;
    int MaxDelay = 20;
    int Zeilen = 50; // printed rows per heading block
    int Sprache = 1; // 1 German, 2 English, 3 French, other: speech.txt
    int JahreFreieFt = 1;
    int BrandIndex = 1;
    // The last summer/winter rule in use that needs no table (0..3), -1 while
    // none is known: what a new program starts with when the rule in force
    // is the table, which a new program does not have.
    int SwRegelOhneTabelle = -1;

    // What COM1 and COM2 stand for on this machine, and the parallel-port adapter tool.
    QString SerialPort1 = QStringLiteral("/dev/ttyS0");
    QString SerialPort2 = QStringLiteral("/dev/ttyS1");
    QString AdapterTool = QStringLiteral("cardio");
    // Command line of the infrared tool, and how long a job may take before
    // "keine Rückmeldung" (seconds).
    QString IrTool = QStringLiteral("irprot");
    int IrTimeout = 120;
    // Read the whole chip back after writing it (off: block 0 only).
    bool VerifyWholeChip = true;
    // The bus connections behind the bus window's two interface choices
    // ("sim:bus-sim.ini" is the simulated bus described in that file).
    QString BusLink1 = QStringLiteral("sim:bus-sim.ini");
    QString BusLink2;

    // Every field, the image options included (without this the options'
    // comparison would be taken for the whole settings).
    bool operator==(const DeviceSettings&) const = default;
};

// Rules that need no table, and the rule value of a first start (no
// settings file yet): a new program then takes its language's rule.
inline constexpr int kSwRegelTabelle = 4;
inline constexpr int kSwRegelUnbekannt = -1;

inline bool IsSwRegelOhneTabelle(int swRegel)
{
    return swRegel >= 0 && swRegel < kSwRegelTabelle;
}

// Remembers a rule in use when it needs no table.
inline void MerkeSwRegel(DeviceSettings& d)
{
    if (IsSwRegelOhneTabelle(d.SwRegel))
        d.SwRegelOhneTabelle = d.SwRegel;
}

// The range of the infrared waiting time (IrTimeout), in seconds.
inline constexpr int kMinIrTimeout = 1;
inline constexpr int kMaxIrTimeout = 3600;

inline int FamilyCapacity(int uhrentyp)
{
    return uhrentyp == kFamily738 ? 500 : uhrentyp == kFamily752 ? 120
                                                                 : 324;
}

inline int FamilyImageSize(int uhrentyp)
{
    return uhrentyp == kFamily738 ? 8192 : 2048;
}

inline int FamilyNoTime(int uhrentyp)
{
    return uhrentyp == kFamily738 ? 1535 : 1791;
}

} // namespace zendrik
