#pragma once

#include "model/DeviceImage.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace zendrik {

class ProgramModel;
class UserInteraction;

inline const QString kProgramFileExtension = QStringLiteral(".zpg");

// Why a save did not write the file.
enum class SaveFailure {
    None,
    Abandoned,      // the user declined, or the summer/winter rule needs a table
    NoFileName,
    WriteFailed,    // the old file, if any, is untouched
};

struct SaveOutcome {
    int result = 0;               // 1 written, 0 not written
    SaveFailure failure = SaveFailure::None;
    QString error;                // the system's reason when writing failed
};

// Writes slot 0 to Dateiname(0) as a program file: the nibble-swapped,
// checksummed device image as decimal numbers, then the description and
// the 16 channel names.
SaveOutcome SaveProgram(ProgramModel& model, UserInteraction& ui);

// Fills a slot from a program file (or card.dat / exchg.dat, which carry the
// same numbers without the text trailer). Returns a LoadResult code. A load
// that fails leaves the slot and the device settings as they were.
int LoadProgram(ProgramModel& model, const QString& path, int slot);

// The same reader on file contents already in memory.
int LoadProgramData(ProgramModel& model, const QByteArray& data, int slot, const QString& path);

// The text of a program file for a stored image: the numbers in the device's
// line layout, then the trailer. Lines end with CR LF, text is Windows-1252.
QByteArray ProgramFileText(const Image& stored, int maxEintrag, const QString& verwendung,
                           const std::array<QString, 17>& channelNames);

// The image numbers of a file, read the same way the loader reads them:
// empty when the file holds fewer than `size` valid numbers.
Image ReadImageNumbers(const QByteArray& data, int size);

} // namespace zendrik
