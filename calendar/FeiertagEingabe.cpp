#include "calendar/FeiertagEingabe.h"

#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTexts.h"
#include "language/TextTable.h"

#include <algorithm>
#include <cstdlib>

namespace zendrik {

namespace {

constexpr int kWeekdays = 7;

TextId WeekdayName(int weekday) // 1 = Monday .. 7 = Sunday
{
    return static_cast<TextId>(static_cast<int>(TextId::Monday) + weekday - 1);
}

Prompt Critical(const QString& text)
{
    return Prompt::message(Icon::Critical, {text});
}

} // namespace

Feiertag FeiertagAusEingabe(const FeiertagEingabe& e)
{
    Feiertag f;
    f.Name = e.name;
    f.Art = e.art;
    switch (e.art) {
    case FeiertagFrei:
        f.Wochentag = e.wochentagIndex < kWeekdays ? e.wochentagIndex - kWeekdays : e.wochentagIndex - (kWeekdays - 1);
        f.Tag = e.tagIndex + 1;
        f.Monat = e.monatIndex + 1;
        break;
    case FeiertagOstern:
        f.Wochentag = 0;
        f.Tag = e.osterWert - FeiertagEingabe::kOsterWertOstern;
        f.Monat = 0;
        break;
    default:
        f.Art = e.ersatz ? FeiertagFestErsatz : FeiertagFest;
        f.Wochentag = 0;
        f.Tag = e.tagIndex + 1;
        f.Monat = e.monatIndex + 1;
        break;
    }
    return f;
}

FeiertagEingabe EingabeAusFeiertag(const Feiertag& f)
{
    FeiertagEingabe e;
    e.name = f.Name;
    e.art = f.Art == FeiertagFestErsatz ? FeiertagFest : f.Art;
    e.ersatz = f.Art == FeiertagFestErsatz;
    if (f.Art == FeiertagOstern) {
        e.osterWert = std::clamp(f.Tag + FeiertagEingabe::kOsterWertOstern, 0, 255);
        return e;
    }
    e.tagIndex = std::clamp(f.Tag - 1, 0, 30);
    e.monatIndex = std::clamp(f.Monat - 1, 0, 11);
    if (f.Art == FeiertagFrei && f.Wochentag != 0)
        e.wochentagIndex = f.Wochentag < 0 ? f.Wochentag + kWeekdays : f.Wochentag + (kWeekdays - 1);
    return e;
}

QString OsterText(int osterWert, const TextTable& texts)
{
    const int offset = osterWert - FeiertagEingabe::kOsterWertOstern;
    if (offset == 0)
        return texts(TextId::Easter);
    return QString::number(std::abs(offset)) + texts(offset < 0 ? TextId::DaysBeforeEaster : TextId::DaysAfterEaster);
}

QStringList WochentagVorNachItems(const TextTable& texts)
{
    QStringList items;
    const QString before = QLatin1Char(' ') + texts(TextId::Before);
    const QString after = QLatin1Char(' ') + texts(TextId::After);
    for (int weekday = kWeekdays; weekday >= 1; --weekday)
        items << texts(WeekdayName(weekday)) + before;
    for (int weekday = 1; weekday <= kWeekdays; ++weekday)
        items << texts(WeekdayName(weekday)) + after;
    return items;
}

QStringList FeiertagTagItems()
{
    QStringList items;
    for (int day = 1; day <= 31; ++day)
        items << QStringLiteral("%1.").arg(day, 2);
    return items;
}

QStringList JahreFreieFtItems(int bewft, const TextTable& texts)
{
    QStringList items;
    for (const int years : JahreFreieFtChoices(bewft))
        items << QString::number(years) + QLatin1Char(' ') + texts(TextId::YearsUnit);
    return items;
}

std::optional<Prompt> FeiertagMessage(FeiertagResult result, const TextTable& texts)
{
    switch (result) {
    case FeiertagResult::Ok:
        return std::nullopt;
    case FeiertagResult::EmptyName:
        return Critical(texts(kFtNameMissing));
    case FeiertagResult::NameSeparator:
        return Critical(texts(kFtNameSeparator));
    case FeiertagResult::InvalidName:
        return Critical(texts(kFtNameInvalid));
    case FeiertagResult::InvalidValues:
    case FeiertagResult::ValueOutOfRange:
        return Critical(texts(kFtNoSuchDate));
    case FeiertagResult::Duplicate:
        return Critical(texts(kFtDuplicate));
    case FeiertagResult::DuplicateSet:
        return Critical(texts(kFtDuplicateSet));
    case FeiertagResult::TooManySets:
    case FeiertagResult::SetFull:
        return Prompt::message(Icon::Critical, {TextId::MemoryFull});
    case FeiertagResult::AlreadyMember:
        return Critical(texts(kFtAlreadyMember));
    case FeiertagResult::NotMember:
        return Critical(texts(kFtNotMember));
    case FeiertagResult::NoSuchHoliday:
        return Critical(texts(kFtChooseHoliday));
    case FeiertagResult::NoSuchSet:
        return Critical(texts(kFtChooseSet));
    case FeiertagResult::Missing:
        return Prompt::message(Icon::Critical, {TextId::FileNotFound});
    case FeiertagResult::Unreadable:
    case FeiertagResult::Malformed:
        return Prompt::message(Icon::Critical, {TextId::InvalidFile});
    case FeiertagResult::NewerKind:
        return Critical(texts(kFtNewerKind));
    case FeiertagResult::WriteFailed:
        return Critical(texts(kFtWriteFailed));
    }
    return std::nullopt;
}

} // namespace zendrik
