#include "editing/EntryFields.h"

#include "language/TextTable.h"
#include "model/Entry.h"

namespace zendrik {

namespace {

// The year list starts at 1999: list index k >= 1 is year code k + 62.
constexpr int kFirstListedYearCode = 63;

QStringList numberItems(int from, int to, int width, QChar fill)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QStringLiteral("%1").arg(i, width, 10, fill);
    return items;
}

QStringList programItems(const TextTable& texts, bool eibFormat)
{
    QStringList items;
    for (int p = 1; p <= LastProgramPriority(eibFormat); ++p)
        items << texts(static_cast<TextId>(static_cast<int>(TextId::ProgramP1) + p - 1));
    return items;
}

std::optional<int> parseListItem(const QString& text, const QStringList& items)
{
    const qsizetype i = items.indexOf(text);
    if (i < 0)
        return std::nullopt;
    return static_cast<int>(i);
}

} // namespace

bool AcceptsEntryKey(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b');
}

std::optional<int> ParseNumberField(const QString& text, int min, int max)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = t.toInt();
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

bool AcceptsMonthKey(QChar c)
{
    return AcceptsEntryKey(c) || c.isLetter() || c == QLatin1Char('.');
}

QString FoldAccents(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded;
}

std::optional<int> ParseMonthField(const QString& text, const TextTable& texts)
{
    if (const std::optional<int> month = ParseNumberField(text, 1, 12))
        return month;
    QString typed = text.trimmed();
    // "Dez." is how a month is abbreviated in writing.
    if (typed.endsWith(QLatin1Char('.')))
        typed.chop(1);
    typed = typed.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    QStringList names = MonthItems(texts);
    for (QString& name : names)
        name = name.trimmed();
    // A whole name is that month even where it begins another ("Mai" is no
    // abbreviation of anything, but a translation might make it one).
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(typed, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i) + 1;
    }
    // Otherwise a beginning that only one month has. Typed with accents it
    // is compared as typed ("Mä" is März); typed without, the accents of
    // the names do not count ("dec" is décembre, "Ma" is März or Mai).
    const bool withAccents = FoldAccents(typed) != typed;
    std::optional<int> found;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = withAccents ? names[i] : FoldAccents(names[i]);
        if (!name.startsWith(typed, Qt::CaseInsensitive))
            continue;
        if (found)
            return std::nullopt;
        found = static_cast<int>(i) + 1;
    }
    return found;
}

std::optional<int> ParseSwitchingPriorityField(const QString& text, const TextTable& texts, bool eibFormat)
{
    if (const std::optional<int> p = ParseNumberField(text, 0, LastProgramPriority(eibFormat)))
        return p;
    return parseListItem(text, SwitchingPriorityItems(texts, eibFormat));
}

std::optional<int> ParsePriorityTimePriorityField(const QString& text, const TextTable& texts, bool eibFormat)
{
    if (const std::optional<int> p = ParseNumberField(text, 1, LastProgramPriority(eibFormat)))
        return p;
    if (const std::optional<int> index = parseListItem(text, PriorityTimePriorityItems(texts, eibFormat)))
        return PriorityOfListIndex(*index, eibFormat);
    return std::nullopt;
}

QStringList HourItems()
{
    return numberItems(0, 23, 2, QLatin1Char(' '));
}

QStringList MinuteItems()
{
    return numberItems(0, 59, 2, QLatin1Char('0'));
}

QStringList DayItems()
{
    return numberItems(1, 31, 0, QLatin1Char(' '));
}

QStringList PulseItems()
{
    return numberItems(0, 59, 0, QLatin1Char(' '));
}

QStringList MonthItems(const TextTable& texts)
{
    QStringList items;
    for (int m = 0; m < 12; ++m)
        items << texts(static_cast<TextId>(static_cast<int>(TextId::January) + m));
    return items;
}

int LastProgramPriority(bool eibFormat)
{
    return eibFormat ? 7 : 9;
}

QStringList SwitchingPriorityItems(const TextTable& texts, bool eibFormat)
{
    return QStringList{texts(TextId::NoPriority)} + programItems(texts, eibFormat);
}

QStringList PriorityTimePriorityItems(const TextTable& texts, bool eibFormat)
{
    return programItems(texts, eibFormat) << texts(TextId::Permanent);
}

int PriorityOfListIndex(int index, bool eibFormat)
{
    return index >= LastProgramPriority(eibFormat) ? kPermanentPriority : index + 1;
}

int ListIndexOfPriority(int priority, bool eibFormat)
{
    return priority >= kPermanentPriority ? LastProgramPriority(eibFormat) : priority - 1;
}

QStringList YearItems(const TextTable& texts)
{
    QStringList items{texts(TextId::EveryYear)};
    for (int code = kFirstListedYearCode; code <= kMaxYearCode; ++code)
        items << QString::number(kYearCodeBase + code);
    return items;
}

int YearCodeOfListIndex(int index)
{
    return index <= 0 ? 0 : index + kFirstListedYearCode - 1;
}

int ListIndexOfYearCode(int yearCode)
{
    if (yearCode == 0)
        return 0;
    if (yearCode < kFirstListedYearCode || yearCode > kMaxYearCode)
        return -1;
    return yearCode - kFirstListedYearCode + 1;
}

} // namespace zendrik
