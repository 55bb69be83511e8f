#pragma once

#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

#include <QString>

namespace zendrik {

// The texts the program list and the entry dialogs show for times, days,
// dates and channels. Words and separators come from the text table; the
// language setting (DeviceSettings::Sprache) decides the date order.

inline constexpr int kLanguageGerman = 1;
inline constexpr int kLanguageEnglish = 2;
inline constexpr int kLanguageFrench = 3;

// Minutes of the day as "17:45 Uhr", "  7:05 Uhr" (two blanks keep the
// colons of a column aligned). A minute value the day does not have (an
// empty astro time, a special entry) shows as "  --:-- Uhr".
QString FormatTime(int minutes, const TextTable& texts);

// The weekdays of a weekly switching time: "täglich" for all seven,
// otherwise the short names of the set days ("Mo Mi Fr"). Other entries
// have no weekdays and give the empty text.
QString FormatWeekdays(const Entry& e, const TextTable& texts, const DeviceSettings& device);

// A day and month: "15. Januar", "1. Januar"; English puts the month first
// ("January, 1st"). Month values outside 1..11 name December.
QString FormatDate(int day, int month, const TextTable& texts, const DeviceSettings& device);

// A channel mask as " C1 C3" (each channel with its leading blank). On the
// 16-channel bus device the value is a channel index: " C" and index + 1.
QString FormatChannels(int mask, const TextTable& texts, const DeviceSettings& device);

// The row-number cell: the number padded to three characters, "9  ",
// "10 ", "100".
QString RowNumberText(int row);

// The memory-use label: "12 von 324".
QString MemoryLabel(int used, int capacity, const TextTable& texts);

} // namespace zendrik
