#include "transfer/MessageFile.h"

#include <QFile>
#include <QList>

namespace zendrik {

namespace {

QByteArray number(int v)
{
    return (v < 0 ? QByteArray::number(v) : ' ' + QByteArray::number(v)) + ' ';
}

std::optional<int> parseNumber(const QByteArray& line)
{
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

QByteArray MessageFileText(const MessageFile& m)
{
    QByteArray out;
    out += m.direction.toLatin1() + "\r\n";
    out += number(m.lpt) + "\r\n";
    out += number(m.delay) + "\r\n";
    out += number(m.delayLang) + "\r\n";
    out += number(m.sprache) + "\r\n";
    out += QFile::encodeName(m.fileName) + "\r\n";
    return out;
}

std::optional<MessageFile> ParseMessageFile(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.size() < 6)
        return std::nullopt;
    MessageFile m;
    m.direction = QString::fromLatin1(lines[0].trimmed());
    const auto lpt = parseNumber(lines[1]);
    const auto delay = parseNumber(lines[2]);
    const auto delayLang = parseNumber(lines[3]);
    const auto sprache = parseNumber(lines[4]);
    if (!lpt || !delay || !delayLang || !sprache)
        return std::nullopt;
    m.lpt = *lpt;
    m.delay = *delay;
    m.delayLang = *delayLang;
    m.sprache = *sprache;
    m.fileName = QFile::decodeName(lines[5]);
    return m;
}

} // namespace zendrik
