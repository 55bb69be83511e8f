#pragma once

#include "calendar/SimulationYears.h"
#include "cli/CliContext.h"
#include "util/CalendarMath.h"

#include <QString>

#include <optional>

namespace zendrik::cli {

// Reading and printing the values of the calendar commands.

// A whole number within low..high, or nothing.

std::optional<int> WholeNumberIn(const QString& text, int low, int high);
// --year Y within low..high, or the model's current year without the option;
// nothing after printing the usage error, with `rc` set.
std::optional<int> YearOption(CliContext& ctx, const CommandArgs& args, int low, int high, int* rc);
// A decimal number within low..high, or nothing.
std::optional<double> DecimalIn(const QString& text, double low, double high);
// "D.M" or "D.M." of a day that exists in a leap year.
std::optional<DayMonth> ParseDayMonth(const QString& text);
// "D.M." as the device tool writes dates.
QString FormatDayMonth(int day, int month);
// A sun time in decimal hours as H:MM.
QString FormatSunTime(double hours);

} // namespace zendrik::cli
