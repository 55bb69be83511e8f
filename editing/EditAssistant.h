#pragma once

#include "editing/AssistantSettings.h"
#include "editing/PriorityTimeFields.h"
#include "editing/SwitchingTimeFields.h"

#include <QString>
#include <QStringList>

namespace zendrik {

class TextTable;

// The assistant step: the fields of the last entry shifted by the settings,
// ready for the next one. Nothing is stored. `year` is the current calendar
// year (February has 29 days when it is divisible by 4).

// Time by minutes and hours (a carry past midnight moves a dated entry to
// the next day and a weekly entry's weekdays one day on), days and month of
// a dated entry, weekdays and priority of a weekly entry, the state.
void AssistantStep(SwitchingTimeFields& fields, const AssistantSettings& settings, int year, bool eibFormat);

// Priority one further (never to "Permanent"), or the permanent state
// toggled; both days by AutoTage (not for a holiday); both months.
void AssistantStep(PriorityTimeFields& fields, const AssistantSettings& settings, int year, bool eibFormat);

// Adds days to a date with the month carry, December to January.
void AddDays(int& day, int& month, int days, int year);

// Captions of the scroll bars of frmAutoEinst: "1 Minute" / "5 Minuten",
// "1 Stunde" / "2 Stunden", "1 Tag (nur Datum)" / "3 Tage (nur Datum) ".
QString MinutesCaption(int value, const TextTable& texts);
QString HoursCaption(int value, const TextTable& texts);
QString DaysCaption(int value, const TextTable& texts);

// Items of the summer-time rule combos: "ersten " .. "letzten ", and the
// weekdays "Montag" .. "Sonntag".
QStringList NthItems(const TextTable& texts);
QStringList WeekdayItems(const TextTable& texts);

} // namespace zendrik
