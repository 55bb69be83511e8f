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

std::optional<int> ParseMonthField(const QString& text, const TextTable& texts)
{
    if (const std::optional<int> month = ParseNumberField(text, 1, 12))
        return month;
    if (const std::optional<int> index = parseListItem(text, MonthItems(texts)))
        return *index + 1;
    return std::nullopt;
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
