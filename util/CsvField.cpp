#include "util/CsvField.h"

namespace zendrik {

QString CsvField(const QString& text)
{
    const bool plain = !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
                       && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))
                       && !text.startsWith(QLatin1Char(' ')) && !text.endsWith(QLatin1Char(' '));
    if (plain)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString SpreadsheetCsvField(const QString& text)
{
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        return CsvField(QLatin1Char('\'') + text);
    return CsvField(text);
}

} // namespace zendrik
