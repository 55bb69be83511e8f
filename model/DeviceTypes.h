#pragma once

#include "language/ExtraText.h"
#include "model/DeviceSettings.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zendrik {

class ProgramModel;
struct ProgramSlot;

inline constexpr int kDeviceTypeRows = 20;

// One row of the device-type table: what the chosen device type fixes.
struct DeviceTypeRow {
    int Kanalzahl;
    int Uhrentyp;
    int Busprog;
    int Geraetekennung;
    int MaxEintrag;
    int Evu;
    int Bewft;
    int Speichergroesse;
};

const std::array<DeviceTypeRow, kDeviceTypeRows>& DeviceTypeTable();

// Display name of a row (1..20) in the brand's profile, in one of the three
// languages; "entfällt" rows are not offered. One neutral profile serves
// every brand.
QString DeviceTypeName(int row, int brandIndex, ExtraLanguage language = ExtraLanguage::German);
// The same name in all three languages (for messages rendered later); null
// for a row outside 1..20.
const ExtraText* DeviceTypeText(int row);
// The name that stands for the whole 731 family in messages.
QString Family731Name(int brandIndex, ExtraLanguage language = ExtraLanguage::German);
const ExtraText& Family731Text();
// The language of the names for a `Sprache` value: a further language
// installed from a translation file names the types in English.
ExtraLanguage DeviceTypeLanguage(int sprache);
// The names offered on the start screen, in row order.
QStringList OfferedDeviceTypeNames(int brandIndex, ExtraLanguage language = ExtraLanguage::German);
// Row 1..20 whose name, in any of the three languages, equals the text; 0
// when none does.
int DeviceTypeRowByName(const QString& name, int brandIndex);

// Sets the parameters of a row (1..20).
void ApplyDeviceTypeRow(DeviceSettings& device, int row);
// Sets the parameters of the row with this display name. A name that matches
// no row changes nothing. Returns whether a row matched.
bool ApplyDeviceType(DeviceSettings& device, const QString& name);

// The row the start screen preselects for the remembered settings.
int DefaultDeviceTypeRow(const DeviceSettings& device);

// The row (1..20) of the type that matches a loaded program.
int DeviceRowFromImage(const DeviceSettings& device, const ProgramSlot& slot);

// Whether a loaded program (its settings already taken into `device`) can run
// on the device-type row: same family and channel count, and every variant
// feature the image uses present in the row.
bool ImageFitsDeviceRow(const DeviceSettings& device, const ProgramSlot& slot, int row);
// The row to work with after a load: the chosen row (`device.ChosenRow`) when
// the image fits it, whatever its program number; else the row the image was
// made for.
int DeviceRowAfterLoad(const DeviceSettings& device, const ProgramSlot& slot);
// Whether the row in use is the one a loaded file was made for rather than
// the one the user chose (the file did not fit the chosen row).
bool DeviceRowFromFile(const DeviceSettings& device);

} // namespace zendrik
