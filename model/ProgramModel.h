#pragma once

#include "model/DeviceSettings.h"
#include "model/ProgramSlot.h"

#include <QDateTime>

#include <functional>

namespace zendrik {

inline constexpr int kProgramSlot = 0;
inline constexpr int kSampleSlot = 1;

// Why a text was refused: it would break the program file, which splits its
// text items at commas, ends them at line ends and is 8-bit Windows-1252.
enum class TextCheck {
    Ok,
    Comma,
    LineBreak,
    NotEncodable,
};

TextCheck CheckFileText(const QString& text);

// The whole state a user edits: both program slots, the device settings and
// the state flags. Dialogs, the list, the command line and the transfers
// receive it by reference.
class ProgramModel {
public:
    ProgramModel();

    DeviceSettings device;
    int AktSlot = kProgramSlot;
    int Geaendert = 0;
    int LeerSpeichern = 0;

    // Sort columns chosen by clicking list headings; 0 = none chosen yet.
    int SortSpalteSz = 0;
    int SortSpaltePz = 0;

    // The clock the header, the sort keys of movable priority times and the
    // astro table read; tests and the command line replace it.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    ProgramSlot& slot(int i) { return slotData_[static_cast<std::size_t>(i)]; }
    const ProgramSlot& slot(int i) const { return slotData_[static_cast<std::size_t>(i)]; }
    ProgramSlot& program() { return slotData_[0]; }
    const ProgramSlot& program() const { return slotData_[0]; }

    bool eib() const { return device.EibFormat != 0; }
    int currentYear() const { return clock().date().year(); }

    // Empties a slot: no entries, empty table, no texts, no program number.
    void ClearSlot(int i);

    // Text setters refuse what the program file could not carry.
    TextCheck setVerwendung(int slotIndex, const QString& text);
    TextCheck setKanalname(int slotIndex, int channelIndex, const QString& text);

private:
    std::array<ProgramSlot, 2> slotData_;
};

} // namespace zendrik
