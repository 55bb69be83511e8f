#pragma once

#include "language/ExtraText.h"

#include <array>

namespace zendrik {

class ProgramModel;
class UserInteraction;

// A memory chip carries an ordinary program ("Progcard") or a master
// program ("Mastercard"): bit 7 of the device identification (image byte 1)
// tells them apart. A master card also sets the device's option bits
// (image byte 3) and, on the families 731 and 738, eight further bits in
// image byte 18 (`MasterKennung`); the +128 of byte 3 says that byte 18 is
// there. On the astro family 752 byte 18 is part of the astro location, so
// the eight bits are not offered there.
enum class MasterField {
    CardKind,     // 1 Mastercard, 0 Progcard
    Dauertaste,   // permanent switching: 1 by keyboard, 0 by switch
    Nak,          // base current at NAK: 1 switched off, 0 left on
    Datumsformat, // 1 Euro, 0 USA
    SpracheUhr,   // clock language: 0 German, 1 French (as the device properties)
    Funk,         // time base: 1 radio, 0 quartz
    Bit,          // one bit of MasterKennung: `bit` 0..7, value 0 or 1
};

struct MasterClick {
    MasterField field = MasterField::CardKind;
    int value = 0;
    int bit = 0;
};

// What the coding window shows when it opens: the card kind from the
// header built last (Kopf(0, 1)), the options and bits from the settings.
struct MasterState {
    bool masterCard = false;
    int Dauertaste = 0;
    int Nak = 0;
    int Datumsformat = 0;
    int SpracheUhr = 0;
    int Funk = 0;
    std::array<bool, 8> bits{};
};

MasterState MasterStateOf(const ProgramModel& model);

// Whether the eight bits of byte 18 belong to this device family.
bool MasterBitsApply(const ProgramModel& model);
// Whether the device keeps a clock language: the option byte of the astro
// device has no place for it (its bit 2 is always set).
bool MasterLanguageApplies(const ProgramModel& model);

// One click of the coding window: stores the value, marks the program
// modified (even when the value did not change) and builds the header again
// (which may ask to activate the summer/winter table). The card kind keeps
// bits 0..6 of the identification; a bit or clock-language click on the 752
// is ignored.
void ApplyMasterClick(ProgramModel& model, UserInteraction& ui, const MasterClick& click);

// The names of the eight bits as the coding window labels them. All but the
// last are names of the device that read the same in every language.
inline constexpr std::array<ExtraText, 8> kMasterBitNames = {
    ExtraText{"EIB TP", "EIB TP", "EIB TP"},
    ExtraText{"Bit 1", "Bit 1", "Bit 1"},
    ExtraText{"Bit2", "Bit2", "Bit2"},
    ExtraText{"Bit 3", "Bit 3", "Bit 3"},
    ExtraText{"IR", "IR", "IR"},
    ExtraText{"Bit5", "Bit5", "Bit5"},
    ExtraText{"Bit6", "Bit6", "Bit6"},
    ExtraText{"bistabil", "bistable", "bistable"},
};

} // namespace zendrik
