#pragma once

#include "editing/ProgramSnapshot.h"
#include "language/Prompt.h"
#include "language/TextTable.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zendrik {

class ProgramModel;

// While the program being edited has unsaved changes, the desktop program
// keeps a copy of it in the working directory. After a crash or a power cut
// the next start offers it back. The copy is our own binary record, never a
// program file: the user's program file is only ever written by saving.
inline constexpr const char* kRecoveryFileName = "zendrik-recovery.dat";

// What the record holds: the program exactly as it was (slot, image options,
// device type row) and when it was written.
struct RecoveryImage {
    ProgramSnapshot snapshot;
    int deviceRow = 1;
    QDateTime writtenAt;

    bool operator==(const RecoveryImage&) const = default;
};

RecoveryImage TakeRecoveryImage(const ProgramModel& model, const QDateTime& now);

// The record's bytes, and the record read back from bytes. Reading refuses
// anything it did not write itself (another file, a damaged or cut-off
// record, counts outside the tables): no value from a damaged file reaches
// the program.
QByteArray EncodeRecovery(const RecoveryImage& image);
std::optional<RecoveryImage> DecodeRecovery(const QByteArray& data);

QString RecoveryFilePath(const QString& workDir);
// Written atomically; false (and the system's reason) when it could not be.
bool WriteRecoveryFile(const QString& workDir, const RecoveryImage& image, QString* error = nullptr);
// Saved or discarded: the copy goes.
void RemoveRecoveryFile(const QString& workDir);

// What the start finds in the working directory.
enum class RecoveryState {
    None,     // no record
    Offer,    // a record newer than its program file (or of a file never saved)
    Outdated, // the program file was written after the record: nothing to recover
    Damaged,  // a record that cannot be read
};

struct RecoveryFinding {
    RecoveryState state = RecoveryState::None;
    RecoveryImage image;
};

RecoveryFinding FindRecovery(const QString& workDir);

// Puts the recovered program in slot 0 under its own file name, with the
// modified mark set: it has not been saved.
void ApplyRecovery(ProgramModel& model, const RecoveryImage& image);

// The question at the start, naming the program file and when the copy was
// made; Yes restores ("Wiederherstellen"), No discards ("Verwerfen").
Prompt RecoveryQuestion(const RecoveryImage& image, const TextTable& texts);

inline constexpr ExtraText kRecoveryQuestion{
    "Beim letzten Beenden war das Programm nicht gespeichert. Eine Sicherungskopie ist vorhanden:",
    "The program had not been saved when the tool last ended. A recovery copy exists:",
    "Le programme n'était pas enregistré lors de la dernière fermeture. Une copie de secours existe :"};
inline constexpr ExtraText kRecoveryWrittenAt{"Stand:", "Saved at:", "État du :"};
inline constexpr ExtraText kRecoveryRestore{"&Wiederherstellen", "&Restore", "&Restaurer"};
inline constexpr ExtraText kRecoveryDiscard{"&Verwerfen", "&Discard", "&Abandonner"};
inline constexpr ExtraText kRecoveryNotWritten{"Die Sicherungskopie konnte nicht geschrieben werden:",
                                               "The recovery copy could not be written:",
                                               "La copie de secours n'a pas pu être écrite :"};

} // namespace zendrik
