#pragma once

#include <QString>

namespace zendrik {

struct DeviceSettings;
class ProgramModel;

// Starts a new program for a device type (row 1..20), as confirming the
// start screen does: the row's parameters, both slots emptied, the program
// named `fileName` with the description `unknownText`, the astro table
// cleared. The settings file is written by the caller.
void StartNewProgram(ProgramModel& model, int row, const QString& unknownText, const QString& fileName);

// The summer/winter rule a new program starts with, and the one the
// settings file keeps: the rule in force when it needs no table, else the
// last such rule in use, else the rule of the language (Great Britain for
// English, Europe for the others). A table belongs to one program: a new
// program has none, and its first save would refuse the table rule.
int SwRegelOhneTabelle(const DeviceSettings& device);

// Start values of a session after the settings were read.
void ApplyStartValues(ProgramModel& model);

} // namespace zendrik
