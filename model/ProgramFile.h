#pragma once

#include "model/DeviceImage.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace zendrik {

class ProgramModel;
class UserInteraction;

inline const QString kProgramFileExtension = QStringLiteral(".zpg");
// Larger files cannot be program files; they are refused before reading.
inline constexpr qint64 kMaxProgramFileBytes = 16 * 1024 * 1024;

// Why a save did not write the file.
enum class SaveFailure {
    None,
    Abandoned, // the user declined, or the summer/winter rule needs a table
    NoFileName,
    WriteFailed, // the old file, if any, is untouched
};

struct SaveOutcome {
    int result = 0; // 1 written, 0 not written
    SaveFailure failure = SaveFailure::None;
    QString error; // the system's reason when writing failed
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
// line layout, then the trailer (the description, the 16 channel names and
// the extra lines given). Lines end with CR LF, text is Windows-1252.
QByteArray ProgramFileText(const Image& stored, int maxEintrag, const QString& verwendung,
                           const std::array<QString, 17>& channelNames, const QByteArray& extraLines = {});

// The morning and evening limits of the astro channels are not part of the
// device image (the device gets them written into its astro table). The
// file keeps them after the 16 channel names, where readers of program files
// stop: they read the description and as many names as the device has
// channels. One line per astro channel whose limits are set:
// "[Astrogrenzen] C1 06:00 22:00", and on the bus device, whose image has no
// place for them, the location and offsets as stored:
// "[Astroort] -13.5 52.5 -60 0 0". Read back only from that place.
QByteArray AstroLimitLines(const ProgramModel& model);
void ReadAstroLimitLines(const QByteArray& data, int size, int maxEintrag, AstroProgram& astro);

// The astro device keeps its location in the image bytes where the others
// keep the program number (13..15). Its file keeps the number after the 16
// channel names, as the astro lines: "[Programmnummer] 4711". Read back only
// from that place and only for that device.
QByteArray ProgramNumberLine(const ProgramModel& model);
std::int32_t ReadProgramNumberLine(const QByteArray& data, int size, int maxEintrag);

// The image numbers of a file, read the same way the loader reads them:
// empty when the file holds fewer than `size` valid numbers.
Image ReadImageNumbers(const QByteArray& data, int size);

} // namespace zendrik
