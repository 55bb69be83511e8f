#pragma once

#include <QString>

namespace zendrik {

// One field of a comma-separated line: quoted (inner quotes doubled) when it
// holds a comma, a quote, a line break, or a blank at either end that a
// reader would otherwise lose; as it is otherwise.
QString CsvField(const QString& text);

// The same for a file meant for spreadsheets, which would run a field
// beginning with = + - @ as a formula: such a field gets a leading apostrophe.
QString SpreadsheetCsvField(const QString& text);

} // namespace zendrik
