#pragma once

#include "language/ExtraText.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace zendrik {

class TextTable;

// How a date is written for people, one way per language: German
// 07.12.2026, English and French 07/12/2026 (a further language writes the
// English way). Every window, printout and hand-over record writes its
// dates through these functions; machine-readable outputs of the command
// line (CSV, JSON, ISO dates) keep their own fixed formats.
inline constexpr ExtraText kDatePattern{"%1.%2.%3", "%1/%2/%3", "%1/%2/%3"};

// The day, month and year as the language writes them, two-digit day and month.
QString DateText(int day, int month, int year, const TextTable& texts);
QString DateText(const QDate& date, const TextTable& texts);
// A date and its time of day: "07.12.2026  10:00" (two blanks between them),
// with seconds on request.
QString DateTimeText(const QDateTime& stamp, const TextTable& texts, bool withSeconds = false);

} // namespace zendrik
