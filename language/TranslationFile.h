#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zendrik::TranslationFile {

// A translation file holds one table entry per line: about 15 KB. Reading
// stops after this many bytes, so a wrong file picked by mistake cannot
// fill the memory; the lines after it count as missing.
inline constexpr qint64 kMaxBytes = 1 << 20;

// The text of the file bytes. Files come from editors of every age: a UTF-16
// byte-order mark means UTF-16, bytes that are valid UTF-8 (with or without
// a mark) are UTF-8, anything else is 8-bit Windows-1252, as older
// translation files are. `truncated` tells that the bytes stop at
// kMaxBytes; the broken last line is then dropped.
QString decode(const QByteArray& bytes, bool truncated = false, bool* eightBit = nullptr);

// The lines of a text; CR LF, LF and CR all end a line, and a line break at
// the end does not start another line.
QStringList lines(const QString& text);

// The entry a line holds. Surrounding blanks are dropped (the file cannot
// carry them); commas belong to the text. A line that starts with a double
// quote holds the text up to the closing quote, blanks included, as files
// quoted by hand always have.
QString item(const QString& line);

// The entry with the blanks at its ends that the program joins it by: the
// blanks the German entry has in front and at the end are put back when
// the text lacks them.
QString withJoiningBlanks(const QString& text, const QString& german);

// Blanks before the first and after the last other character; an entry of
// blanks only counts them all as trailing.
int leadingBlanks(const QString& text);
int trailingBlanks(const QString& text);

} // namespace zendrik::TranslationFile
