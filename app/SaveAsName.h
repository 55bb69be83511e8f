#pragma once

#include <QString>

namespace zendrik {

// What the name chosen in the save-as dialog allows.
enum class SaveAsCheck {
    Ok,
    NoName,      // nothing chosen: "Keine Datei gewählt !"
    InvalidName, // the file system cannot take it: "kein gültiger Filename"
};

struct SaveAsName {
    SaveAsCheck check = SaveAsCheck::NoName;
    QString path; // the name to save under, ".zpg" appended when it had no extension
};

// Checks a chosen name. A name the file system refuses is one whose last
// part is empty, "." or "..", too long for a file name, holds a NUL or a
// control character, names a directory, or lies in a directory that does not
// exist.
SaveAsName CheckSaveAsName(const QString& chosen);

} // namespace zendrik
