#pragma once

#include "editing/PrintDocument.h"
#include "model/TransferRecord.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
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

// What the cover proves about the device: whether it holds the program of
// this record.
enum class HandoverProofState { Never,        // no transfer on record
                                Transferred,  // the last transfer carried the program as it stands
                                ChangedSince, // the program is not the one transferred (or no checksum says so)
                                Failed,       // the last transfer failed
                                Differs };    // the last read found another program in the device

struct HandoverProof {
    HandoverProofState state = HandoverProofState::Never;
    std::optional<TransferRecord> last;
    QString checksum; // ImageChecksum of the program as it stands
    QString transfer; // the last transfer in words
    int errors = 0;   // findings of the program checks for the record's year
    int warnings = 0;
    int notes = 0;
    QString checks; // "2 Warnungen, 0 Fehler" or "keine Befunde"
};

HandoverProofState ProofState(const std::optional<TransferRecord>& last, const QString& checksum);
// "Bus, Adresse 1.1.5", "Speicherchip an /dev/ttyUSB0", "Infrarot an Anschluss 1"; empty for none.
QString TransferPathText(TransferPath path, const QString& where, const TextTable& texts);
// The last transfer in words for the state: "08.12.2026 10:15, Bus, Adresse 1.1.5, durch Rücklesen bestätigt",
// "noch nicht übertragen", "geändert seit der Übertragung am 08.12.2026 10:15", ...
QString LastTransferText(HandoverProofState state, const std::optional<TransferRecord>& last, const TextTable& texts);
// "2 Warnungen, 0 Fehler", "keine Befunde".
QString FindingCountText(int errors, int warnings, int notes, const TextTable& texts);

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
    HandoverProof proof;
    QString hoursHeading; // "Jahresbetriebsstunden 2027" over the channels' hours on the cover
    // The simulation of the year the channel pages show (shared, so the
    // document can be copied).
    std::shared_ptr<const YearSimulation> simulation;
};

// Builds the record of slot 0 for a year of the simulation. `lastTransfer`
// is what the transfer journal or the site file says of the last transfer
// into the device; the cover proves from it (and the checksum of the
// program) whether the device holds this program.
HandoverDocument BuildHandoverDocument(const ProgramModel& model, const TextTable& texts, int year,
                                       const ListSources& sources = {},
                                       const std::optional<TransferRecord>& lastTransfer = {});

} // namespace zendrik
