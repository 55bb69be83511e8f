#pragma once

#include <QStringList>

namespace zendrik {

class ProgramModel;
class TextTable;
class YearSimulation;

// The title of an exported year picture (the simulation window's "Bild
// speichern…" and the command line's `simulate --png`), so the picture says
// what it shows without its file name: the program (its file, or
// "unbekannt" before the first save) and the simulated year; the channel
// with its name and its operating hours in that year.
//   "Schule.zpg – Programmsimulation 2027"
//   "C1 Flur – Jahresbetriebsstunden: 1234 h 05 Min"
QStringList YearPictureTitle(const ProgramModel& model, const YearSimulation& sim, int channel,
                             const TextTable& texts);

} // namespace zendrik
