#include "calendar/SequentialItems.h"

#include "model/SequentialReader.h"
#include "util/Cp1252.h"
#include "util/FileCheck.h"

#include <QFile>
#include <QFileInfo>

namespace zendrik {

NameCheck CheckQuotedName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return NameCheck::Empty;
    if (name.contains(QLatin1Char('"')))
        return NameCheck::Quote;
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return NameCheck::LineBreak;
    if (!Cp1252::canEncode(name))
        return NameCheck::NotEncodable;
    return NameCheck::Ok;
}

QByteArray QuotedItem(const QString& name)
{
    return '"' + Cp1252::encode(name) + '"';
}

std::optional<int> ReadNumberIn(SequentialReader& reader, int low, int high)
{
    const std::optional<long long> value = reader.readSignedInteger();
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return static_cast<int>(*value);
}

WholeFileRead ReadWholeFile(const QString& path, QByteArray& data)
{
    // A folder, a device or a pipe under the file's name is not read: it
    // could block or never end; a link loop is no missing file either.
    const LimitedRead read = ReadRegularFile(path, kMaxSmallFileBytes);
    if (read.state == FileState::Missing)
        return WholeFileRead::Missing;
    if (!read.ok())
        return WholeFileRead::Unreadable;
    data = read.data;
    return WholeFileRead::Ok;
}

bool OnlyBlankItemsLeft(SequentialReader& reader)
{
    while (const std::optional<QString> item = reader.readTextItem()) {
        if (!item->trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace zendrik
