#include "model/DeviceTypes.h"

#include "model/ProgramSlot.h"

#include <algorithm>

namespace zendrik {

const std::array<DeviceTypeRow, kDeviceTypeRows>& DeviceTypeTable()
{
    static const std::array<DeviceTypeRow, kDeviceTypeRows> table = {{
        {1, 731, 0, 72, 324, 0, 0, 2048},
        {2, 731, 0, 72, 324, 0, 0, 2048},
        {3, 731, 0, 72, 324, 0, 0, 2048},
        {4, 731, 0, 72, 324, 0, 0, 2048},
        {4, 731, -1, 72, 324, 0, 0, 2048},
        {1, 731, 0, 72, 324, 1, 0, 2048},
        {2, 731, 0, 72, 324, 1, 0, 2048},
        {3, 731, 0, 72, 324, 1, 0, 2048},
        {4, 731, 0, 72, 324, 1, 0, 2048},
        {1, 731, 0, 73, 324, 0, 1, 2048},
        {2, 731, 0, 73, 324, 0, 1, 2048},
        {3, 731, 0, 73, 324, 0, 1, 2048},
        {4, 731, 0, 73, 324, 0, 1, 2048},
        {4, 731, -1, 73, 324, 0, 1, 2048},
        {1, 731, 0, 73, 324, 1, 1, 2048},
        {2, 731, 0, 73, 324, 1, 1, 2048},
        {3, 731, 0, 73, 324, 1, 1, 2048},
        {4, 731, 0, 73, 324, 1, 1, 2048},
        {2, 752, 0, 80, 120, 0, 0, 2048},
        {16, 738, -1, 74, 500, 0, 1, 8192},
    }};
    return table;
}

namespace {

QString channels(int n)
{
    return n == 1 ? QStringLiteral("1 Kanal") : QStringLiteral("%1 Kanäle").arg(n);
}

// Neutral names: kind of switch, channel count and variant in plain words.
QString neutralName(int row)
{
    const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    if (r.Uhrentyp == kFamily752)
        return QStringLiteral("Astroschaltuhr ") + channels(r.Kanalzahl);
    if (r.Uhrentyp == kFamily738)
        return QStringLiteral("Bus-Astroschaltuhr ") + channels(r.Kanalzahl);
    QString name = r.Bewft ? QStringLiteral("Jahresschaltuhr ") : QStringLiteral("Wochenschaltuhr ");
    if (r.Busprog)
        name = QStringLiteral("Bus-") + name;
    name += channels(r.Kanalzahl);
    if (r.Evu)
        name += QStringLiteral(" mit Messimpuls");
    return name;
}

} // namespace

QString DeviceTypeName(int row, int brandIndex)
{
    (void)brandIndex;
    if (row < 1 || row > kDeviceTypeRows)
        return QString();
    return neutralName(row);
}

QString Family731Name(int brandIndex)
{
    (void)brandIndex;
    return QStringLiteral("Wochen-/Jahresschaltuhr 1-4 Kanäle");
}

QStringList OfferedDeviceTypeNames(int brandIndex)
{
    QStringList names;
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        const QString name = DeviceTypeName(row, brandIndex);
        if (name != QStringLiteral("entfällt"))
            names << name;
    }
    return names;
}

int DeviceTypeRowByName(const QString& name, int brandIndex)
{
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        if (DeviceTypeName(row, brandIndex) == name)
            return row;
    }
    return 0;
}

void ApplyDeviceTypeRow(DeviceSettings& d, int row)
{
    if (row < 1 || row > kDeviceTypeRows)
        return;
    const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    d.DeviceRow = row;
    d.Kanalzahl = r.Kanalzahl;
    d.Uhrentyp = r.Uhrentyp;
    d.Busprog = r.Busprog;
    d.Geraetekennung = r.Geraetekennung;
    d.MaxEintrag = r.MaxEintrag;
    d.Evu = r.Evu;
    d.Bewft = r.Bewft;
    d.Speichergroesse = r.Speichergroesse;
    d.KeineZeit = FamilyNoTime(r.Uhrentyp);
    d.Geraetename = DeviceTypeName(row, d.BrandIndex);
    if (r.Uhrentyp == kFamily738)
        d.EibFormat = 0;
}

bool ApplyDeviceType(DeviceSettings& device, const QString& name)
{
    const int row = DeviceTypeRowByName(name, device.BrandIndex);
    if (row == 0)
        return false;
    ApplyDeviceTypeRow(device, row);
    return true;
}

int DefaultDeviceTypeRow(const DeviceSettings& d)
{
    if (d.Uhrentyp == kFamily752)
        return 19;
    if (d.Uhrentyp == kFamily738)
        return 20;
    if (d.Busprog != 0)
        return d.Bewft ? 14 : 5;
    const int channelsOffset = std::clamp(d.Kanalzahl, 1, 4) - 1;
    int base = 1;
    if (d.Evu)
        base = d.Bewft ? 15 : 6;
    else if (d.Bewft)
        base = 10;
    return base + channelsOffset;
}

int DeviceRowFromImage(const DeviceSettings& d, const ProgramSlot& slot)
{
    if (d.Uhrentyp == kFamily752)
        return 19;
    if (d.Uhrentyp == kFamily738)
        return 20;
    DeviceSettings probe;
    probe.Uhrentyp = kFamily731;
    probe.Kanalzahl = d.Kanalzahl;
    probe.Bewft = (d.Geraetekennung & 0x7F) == 73 ? 1 : 0;
    probe.Evu = d.MessKanal != 0 ? 1 : 0;
    // Only the four-channel bus switches carry a program number.
    probe.Busprog = (d.Kanalzahl == 4 && slot.ProgNr <= 999999 && !probe.Evu) ? -1 : 0;
    return DefaultDeviceTypeRow(probe);
}

QString DeviceNameFromImage(const DeviceSettings& d, const ProgramSlot& slot)
{
    return DeviceTypeName(DeviceRowFromImage(d, slot), d.BrandIndex);
}

bool ImageFitsDeviceRow(const DeviceSettings& d, const ProgramSlot& slot, int row)
{
    if (row < 1 || row > kDeviceTypeRows)
        return false;
    const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    if (r.Uhrentyp != d.Uhrentyp || r.Kanalzahl != d.Kanalzahl)
        return false;
    if (r.Uhrentyp != kFamily731)
        return true;
    // The image shows a variant only by what it uses: movable priority times
    // (family byte 73) need the annual switch, a meter-pulse channel the
    // meter variant, a program number the bus variant. An image that uses
    // none of them fits every variant of its channel count.
    if ((d.Geraetekennung & 0x7F) == 73 && !r.Bewft)
        return false;
    if (d.MessKanal != 0 && !r.Evu)
        return false;
    if (slot.ProgNr <= 999999 && !r.Busprog)
        return false;
    return true;
}

int DeviceRowAfterLoad(const DeviceSettings& d, const ProgramSlot& slot)
{
    return ImageFitsDeviceRow(d, slot, d.DeviceRow) ? d.DeviceRow : DeviceRowFromImage(d, slot);
}

} // namespace zendrik
