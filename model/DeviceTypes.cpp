#include "model/DeviceTypes.h"

#include "language/LanguageChoice.h"
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

// The neutral names of the rows (one profile serves every brand): kind of
// switch, channel count and variant in plain words.
constexpr ExtraText kRowNames[kDeviceTypeRows] = {
    {"Wochenschaltuhr 1 Kanal", "Weekly time switch 1 channel", "Horloge hebdomadaire 1 canal"},
    {"Wochenschaltuhr 2 Kanäle", "Weekly time switch 2 channels", "Horloge hebdomadaire 2 canaux"},
    {"Wochenschaltuhr 3 Kanäle", "Weekly time switch 3 channels", "Horloge hebdomadaire 3 canaux"},
    {"Wochenschaltuhr 4 Kanäle", "Weekly time switch 4 channels", "Horloge hebdomadaire 4 canaux"},
    {"Bus-Wochenschaltuhr 4 Kanäle", "Bus weekly time switch 4 channels", "Horloge hebdomadaire bus 4 canaux"},
    {"Wochenschaltuhr 1 Kanal mit Messimpuls", "Weekly time switch 1 channel with meter pulse", "Horloge hebdomadaire 1 canal avec impulsion de comptage"},
    {"Wochenschaltuhr 2 Kanäle mit Messimpuls", "Weekly time switch 2 channels with meter pulse", "Horloge hebdomadaire 2 canaux avec impulsion de comptage"},
    {"Wochenschaltuhr 3 Kanäle mit Messimpuls", "Weekly time switch 3 channels with meter pulse", "Horloge hebdomadaire 3 canaux avec impulsion de comptage"},
    {"Wochenschaltuhr 4 Kanäle mit Messimpuls", "Weekly time switch 4 channels with meter pulse", "Horloge hebdomadaire 4 canaux avec impulsion de comptage"},
    {"Jahresschaltuhr 1 Kanal", "Annual time switch 1 channel", "Horloge annuelle 1 canal"},
    {"Jahresschaltuhr 2 Kanäle", "Annual time switch 2 channels", "Horloge annuelle 2 canaux"},
    {"Jahresschaltuhr 3 Kanäle", "Annual time switch 3 channels", "Horloge annuelle 3 canaux"},
    {"Jahresschaltuhr 4 Kanäle", "Annual time switch 4 channels", "Horloge annuelle 4 canaux"},
    {"Bus-Jahresschaltuhr 4 Kanäle", "Bus annual time switch 4 channels", "Horloge annuelle bus 4 canaux"},
    {"Jahresschaltuhr 1 Kanal mit Messimpuls", "Annual time switch 1 channel with meter pulse", "Horloge annuelle 1 canal avec impulsion de comptage"},
    {"Jahresschaltuhr 2 Kanäle mit Messimpuls", "Annual time switch 2 channels with meter pulse", "Horloge annuelle 2 canaux avec impulsion de comptage"},
    {"Jahresschaltuhr 3 Kanäle mit Messimpuls", "Annual time switch 3 channels with meter pulse", "Horloge annuelle 3 canaux avec impulsion de comptage"},
    {"Jahresschaltuhr 4 Kanäle mit Messimpuls", "Annual time switch 4 channels with meter pulse", "Horloge annuelle 4 canaux avec impulsion de comptage"},
    {"Astroschaltuhr 2 Kanäle", "Astro time switch 2 channels", "Horloge astronomique 2 canaux"},
    {"Bus-Astroschaltuhr 16 Kanäle", "Bus astro time switch 16 channels", "Horloge astronomique bus 16 canaux"},
};

constexpr ExtraText kFamily731Name{"Wochen-/Jahresschaltuhr 1-4 Kanäle", "Weekly/annual time switch 1-4 channels",
                                   "Horloge hebdomadaire/annuelle 1 à 4 canaux"};

} // namespace

const ExtraText* DeviceTypeText(int row)
{
    if (row < 1 || row > kDeviceTypeRows)
        return nullptr;
    return &kRowNames[row - 1];
}

const ExtraText& Family731Text()
{
    return kFamily731Name;
}

ExtraLanguage DeviceTypeLanguage(int sprache)
{
    switch (sprache) {
    case kSpracheDeutsch:
        return ExtraLanguage::German;
    case kSpracheFranzoesisch:
        return ExtraLanguage::French;
    default:
        // English, and a further language installed from a translation file.
        return ExtraLanguage::English;
    }
}

QString DeviceTypeName(int row, int brandIndex, ExtraLanguage language)
{
    (void)brandIndex;
    const ExtraText* name = DeviceTypeText(row);
    return name ? name->in(language) : QString();
}

QString Family731Name(int brandIndex, ExtraLanguage language)
{
    (void)brandIndex;
    return kFamily731Name.in(language);
}

QStringList OfferedDeviceTypeNames(int brandIndex, ExtraLanguage language)
{
    QStringList names;
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        const QString name = DeviceTypeName(row, brandIndex, language);
        if (name != QStringLiteral("entfällt"))
            names << name;
    }
    return names;
}

int DeviceTypeRowByName(const QString& name, int brandIndex)
{
    for (const ExtraLanguage language : {ExtraLanguage::German, ExtraLanguage::English, ExtraLanguage::French}) {
        for (int row = 1; row <= kDeviceTypeRows; ++row) {
            if (DeviceTypeName(row, brandIndex, language) == name)
                return row;
        }
    }
    return 0;
}

void ApplyDeviceTypeRow(DeviceSettings& d, int row)
{
    if (row < 1 || row > kDeviceTypeRows)
        return;
    const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    d.DeviceRow = row;
    d.ChosenRow = row;
    d.Kanalzahl = r.Kanalzahl;
    d.Uhrentyp = r.Uhrentyp;
    d.Busprog = r.Busprog;
    d.Geraetekennung = r.Geraetekennung;
    d.MaxEintrag = r.MaxEintrag;
    d.Evu = r.Evu;
    d.Bewft = r.Bewft;
    d.Speichergroesse = r.Speichergroesse;
    d.KeineZeit = FamilyNoTime(r.Uhrentyp);
    d.Geraetename = DeviceTypeName(row, d.BrandIndex, DeviceTypeLanguage(d.Sprache));
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

bool DeviceRowFromFile(const DeviceSettings& d)
{
    return d.DeviceRow != d.ChosenRow;
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
    // meter variant. An image that uses neither fits every variant of its
    // channel count. A program number is no such feature: every type of the
    // family carries one, so it never moves a program to the bus switch.
    (void)slot;
    if ((d.Geraetekennung & 0x7F) == 73 && !r.Bewft)
        return false;
    if (d.MessKanal != 0 && !r.Evu)
        return false;
    return true;
}

int DeviceRowAfterLoad(const DeviceSettings& d, const ProgramSlot& slot)
{
    return ImageFitsDeviceRow(d, slot, d.ChosenRow) ? d.ChosenRow : DeviceRowFromImage(d, slot);
}

} // namespace zendrik
