#pragma once

#include "editing/PrintDocument.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace zendrik {

class ProgramModel;
class TextTable;
class YearSimulation;

// The hand-over record an installer leaves with the customer: a cover with
// what was programmed and where both sign, every list of the program with
// the device properties, and one page per channel showing how it switches
// through the year with its yearly operating hours.
struct HandoverChannel {
    int channel = 0;        // 0-based
    QString heading;        // "C1  Flurlicht"
    QString operatingHours; // "C1, Jahresbetriebsstunden: 1234 h 05 Min"
    int yearMinutes = 0;
    bool meterPulse = false; // the meter-pulse channel follows its measuring period
};

struct HandoverDocument {
    QString heading;                                // "Übergabeprotokoll"
    std::vector<std::pair<QString, QString>> cover; // caption and value
    QStringList channelNames;                       // "C1: Flurlicht", one per channel
    QString signatureNote;                          // what the signatures confirm
    QStringList signatures;                         // "Errichter", "Kunde"
    QString placeAndDate;                           // the caption under the line
    int year = 0;
    QString yearHeading; // "Jahresübersicht 2027"
    PrintDocument print; // the lists and the device properties
    std::vector<HandoverChannel> channels;
    // The simulation of the year the channel pages show (shared, so the
    // document can be copied).
    std::shared_ptr<const YearSimulation> simulation;
};

// Builds the record of slot 0 for a year of the simulation.
HandoverDocument BuildHandoverDocument(const ProgramModel& model, const TextTable& texts, int year,
                                       const ListSources& sources = {});

} // namespace zendrik
