#include "ui/common/MnemonicSet.h"

namespace zendrik {

namespace {

// The letter after a single '&' (a caption's own mnemonic), or a null char.
// An ampersand before a blank or a sign is part of the text.
QChar ownMnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text[i + 1].isLetterOrNumber())
            return text[i + 1];
    }
    return QChar();
}

} // namespace

QString MnemonicSet::mark(const QString& text)
{
    if (const QChar own = ownMnemonic(text); !own.isNull()) {
        used_.insert(own.toLower());
        return text;
    }
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        if (c == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (!c.isLetterOrNumber() || used_.contains(c.toLower()))
            continue;
        used_.insert(c.toLower());
        return escaped.left(i) + QLatin1Char('&') + escaped.mid(i);
    }
    return escaped;
}

} // namespace zendrik
