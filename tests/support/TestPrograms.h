#pragma once

#include "language/TextTable.h"
#include "model/ProgramModel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zendrik::test {

// A fixed moment for saving, so that the header's time bytes are known.
QDateTime fixedClock();

// A model set up for a device-type row as the start screen leaves it, with the fixed clock.
ProgramModel modelForRow(int row);

// Canonical programs of each family with weekly, dated and priority times, a summer/winter table, names and (on the astro families) an astro table.
ProgramModel canonical731(); // row 4: four channels
ProgramModel canonical738(); // row 20: sixteen channels, four astro channels
ProgramModel canonical752(); // row 19: astro device

// Appends an entry to slot 0 and counts it.
void addEntry(ProgramModel& model, const Entry& e);

// Saves slot 0 as the program file `path`, answering the writer's questions with `yes`. Returns the path, or an empty one when nothing was written.
QString saveProgramAs(ProgramModel& model, const QString& path, bool yes = true);

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& data);
// Path of a file under tests/data.
QString testData(const QString& relative);
// The device's text table in a language: 1 German, 2 English, 3 French.
TextTable textsIn(int language);
// Compares `text` line by line with the golden file tests/data/`relative`; ZENDRIK_UPDATE_GOLDEN=1 rewrites the file after a deliberate change.
void expectGolden(const QString& relative, const QString& text);

} // namespace zendrik::test
