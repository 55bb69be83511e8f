#pragma once

#include "language/Prompt.h"

#include <QByteArray>
#include <QString>

namespace zendrik {

// Whether a file holds a program image that the program-file reader would
// load for one of the device families: the identification byte, the whole
// image as numbers and its checksum (chip images without texts included).
// Links are followed.
bool IsProgramFile(const QString& path);

enum class ExportTargetCheck { Ok,
                               NoName,
                               ProgramFile };

// Whether an export (PDF, text, picture, CSV, calendar) may write `target`:
// never over a file that loads as a program file, the open program's or any
// other, nor under the open program's own name (`programFile`, may be empty).
ExportTargetCheck CheckExportTarget(const QString& target, const QString& programFile = QString());

// The refusal for a target that is a program file; it names the file.
Prompt ExportTargetRefusal(const QString& target);

// Writes an export atomically after the same check: a program file is never
// replaced (false, with `error` saying so); otherwise as WriteFileAtomically.
bool WriteExportFile(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace zendrik
