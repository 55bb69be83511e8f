#pragma once

#include <QString>

namespace zendrik {

class ProgramModel;

// Starts a new program for a device type (row 1..20), as confirming the
// start screen does: the row's parameters, both slots emptied, the program
// named `fileName` with the description `unknownText`, the astro table
// cleared. The settings file is written by the caller.
void StartNewProgram(ProgramModel& model, int row, const QString& unknownText, const QString& fileName);

} // namespace zendrik
