#include "language/Mnemonics.h"

#include <vector>

namespace zendrik {

namespace {

// The position of the '&' before a caption's own letter, or -1. An
// ampersand before a blank or a sign is part of the text.
qsizetype ownMnemonicAt(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text[i + 1].isLetterOrNumber())
            return i;
    }
    return -1;
}

} // namespace

QChar OwnMnemonic(const QString& text)
{
    const qsizetype at = ownMnemonicAt(text);
    return at < 0 ? QChar() : text[at + 1].toLower();
}

QString WithoutMnemonic(const QString& text)
{
    const qsizetype at = ownMnemonicAt(text);
    return at < 0 ? text : text.left(at) + text.mid(at + 1);
}

bool MnemonicSet::reserve(const QString& text)
{
    const QChar own = OwnMnemonic(text);
    if (own.isNull() || used_.contains(own))
        return false;
    used_.insert(own);
    return true;
}

QString MnemonicSet::mark(const QString& text)
{
    if (reserve(text))
        return text;
    // A caption whose own letter is taken gives it up.
    QString escaped = ownMnemonicAt(text) >= 0 ? WithoutMnemonic(text) : text;
    // Ampersands of the text itself: doubled unless they already are.
    QString plain;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == QLatin1Char('&') && i + 1 < escaped.size() && escaped[i + 1] == QLatin1Char('&')) {
            plain += QStringLiteral("&&");
            ++i;
        } else if (escaped[i] == QLatin1Char('&')) {
            plain += QStringLiteral("&&");
        } else {
            plain += escaped[i];
        }
    }
    escaped = plain;
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
    // Every letter of the text is taken (short texts like "Ok" or "von" in
    // a window of many controls): the caption gets a digit of its own in
    // brackets, as translated programs do where a text has no free letter.
    for (const char digit : {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}) {
        const QChar d = QLatin1Char(digit);
        if (used_.contains(d))
            continue;
        used_.insert(d);
        return escaped + QStringLiteral(" (&") + d + QLatin1Char(')');
    }
    return escaped;
}

QStringList AssignMnemonics(const QStringList& captions)
{
    MnemonicSet set;
    std::vector<bool> kept;
    for (const QString& caption : captions)
        kept.push_back(set.reserve(caption));
    QStringList marked;
    for (qsizetype i = 0; i < captions.size(); ++i)
        marked << (kept[static_cast<std::size_t>(i)] || captions[i].trimmed().isEmpty() ? captions[i]
                                                                                        : set.mark(captions[i]));
    return marked;
}

} // namespace zendrik
