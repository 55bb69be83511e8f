#pragma once

#include "language/Prompt.h"

#include <QString>

namespace zendrik {

// How reading or writing a translation file went.
enum class TextFileStatus {
    Ok,           // all entries read (or the file written)
    MissingLines, // fewer lines than entries: the rest kept the language in use
    Missing,      // no such file: the table is unchanged
    Unreadable,   // the file could not be opened or read: the table is unchanged
    Empty,        // the file holds no text: the table is unchanged
    WriteFailed,  // the file could not be written
};

struct TextFileResult {
    TextFileStatus status = TextFileStatus::Ok;
    int missingLines = 0;  // entries the file did not hold (MissingLines)
    bool eightBit = false; // the file was read as Windows-1252
    QString error;         // the system's reason (Unreadable, WriteFailed)

    // Whether the table now holds the file's texts.
    bool loaded() const { return status == TextFileStatus::Ok || status == TextFileStatus::MissingLines; }
};

// The message for a result, naming the file: "speech.txt: Datei nicht
// vorhanden !", "my.ln1: 410 von 422 Zeilen" and the like, built from the
// table so it reads in the current language. Empty for Ok.
Prompt TextFilePrompt(const TextFileResult& result, const QString& fileName);

} // namespace zendrik
