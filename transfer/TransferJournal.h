#pragma once

#include "language/ExtraText.h"
#include "language/Prompt.h"
#include "model/TransferRecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zendrik {

class ProgramModel;

// The transfer journal of single programs (those not kept in a site): one
// line per program file in `transfers.csv` of the working directory, telling
// when, which way and where the program last went into a device and the
// checksum of the image it carried. The hand-over record reads it to prove
// what the device was given. CSV (RFC 4180 quoting), UTF-8:
//
//   time,path,where,confirmed,checksum,program
//   2026-12-08T10:15:00,bus,1.1.5,no,1A2B3C4D,/home/anna/Flur EG.zpg
//
// Lines this version cannot read are kept as they are when the journal is
// written again.
inline const QString kTransferJournalName = QStringLiteral("transfers.csv");

// Told after a transfer that went well when its line cannot be written.
inline constexpr ExtraText kTransferNotJournaled{
    "Die Übertragung konnte nicht im Übertragungsjournal vermerkt werden:",
    "The transfer could not be entered in the transfer journal:",
    "Le transfert n'a pas pu être inscrit dans le journal des transferts :"};

// The journal file of a working directory.
QString TransferJournalPath(const QString& workDir);

// Enters the transfer of the program file `programPath` (made absolute),
// replacing its earlier line; the journal is written atomically. False with
// `error` set when it cannot be written (the old journal stays).
bool RecordTransfer(const QString& workDir, const QString& programPath, const TransferRecord& record,
                    QString* error = nullptr);

// The program of slot 0 (its file, its checksum, the model's clock) written
// just now by `path` to `where`.
bool RecordProgramWrite(const QString& workDir, const ProgramModel& model, TransferPath path, const QString& where,
                        bool confirmed, QString* error = nullptr);

// RecordProgramWrite for the commands and windows: the message to show when
// the line cannot be written, nothing when it was.
std::optional<Prompt> JournalProgramWrite(const QString& workDir, const ProgramModel& model, TransferPath path,
                                          const QString& where, bool confirmed);

// The journal's line for a program file; nothing when it has none or the
// journal cannot be read.
std::optional<TransferRecord> JournalTransfer(const QString& workDir, const QString& programPath);

// The same from the text of a journal (for tests and fuzzing).
std::optional<TransferRecord> JournalTransferIn(const QByteArray& journal, const QString& programPath);

} // namespace zendrik
