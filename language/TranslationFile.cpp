#include "language/TranslationFile.h"

#include "util/Cp1252.h"

#include <QStringDecoder>

namespace zendrik::TranslationFile {

namespace {

bool startsWithBytes(const QByteArray& bytes, const char* mark, int size)
{
    return bytes.size() >= size && bytes.left(size) == QByteArray(mark, size);
}

} // namespace

QString decode(const QByteArray& input, bool truncated, bool* eightBit)
{
    if (eightBit)
        *eightBit = false;

    const bool utf16le = startsWithBytes(input, "\xFF\xFE", 2);
    const bool utf16be = startsWithBytes(input, "\xFE\xFF", 2);
    if (utf16le || utf16be) {
        QByteArray bytes = input;
        if (bytes.size() % 2 != 0)
            bytes.chop(1);
        QStringDecoder decoder(utf16le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        QString text = decoder.decode(bytes);
        if (truncated) {
            const qsizetype end = text.lastIndexOf(QLatin1Char('\n'));
            text.truncate(end < 0 ? 0 : end + 1);
        }
        return text;
    }

    QByteArray bytes = input;
    if (truncated) {
        const qsizetype end = bytes.lastIndexOf('\n');
        bytes.truncate(end < 0 ? 0 : end + 1);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (eightBit)
        *eightBit = true;
    return Cp1252::decode(bytes);
}

QStringList lines(const QString& text)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

QString item(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('"'))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    }
    return trimmed;
}

int leadingBlanks(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(n) == QLatin1Char(' '))
        ++n;
    return n == text.size() ? 0 : n;
}

int trailingBlanks(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(text.size() - 1 - n) == QLatin1Char(' '))
        ++n;
    return n;
}

QString withJoiningBlanks(const QString& text, const QString& german)
{
    QString out = text;
    const int lead = leadingBlanks(german);
    const int trail = trailingBlanks(german);
    if (lead > 0 && !out.startsWith(QLatin1Char(' ')))
        out.prepend(QString(lead, QLatin1Char(' ')));
    if (trail > 0 && !out.endsWith(QLatin1Char(' ')))
        out.append(QString(trail, QLatin1Char(' ')));
    return out;
}

} // namespace zendrik::TranslationFile
