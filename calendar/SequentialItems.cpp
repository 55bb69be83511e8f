#include "calendar/SequentialItems.h"

#include "util/Cp1252.h"
#include "model/SequentialReader.h"

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
    const QFileInfo info(path);
    if (!info.exists())
        return WholeFileRead::Missing;
    // A folder, a device or a pipe under the file's name is not read: it
    // could block or never end.
    if (!info.isFile() || info.size() > kMaxSmallFileBytes)
        return WholeFileRead::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return WholeFileRead::Unreadable;
    // Read one byte more than allowed to notice a file that grew meanwhile.
    data = file.read(kMaxSmallFileBytes + 1);
    if (data.size() > kMaxSmallFileBytes) {
        data.clear();
        return WholeFileRead::Unreadable;
    }
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
