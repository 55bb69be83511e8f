#include "editing/SwitchingTimeText.h"

#include "editing/EntryFields.h"
#include "editing/EntryTexts.h"
#include "editing/ListTexts.h"
#include "editing/SwitchingTimeFields.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "util/CalendarMath.h"

#include <QRegularExpression>
#include <QStringBuilder>

#include <bit>

namespace zendrik {

namespace {

constexpr int kLongestPulse = 59;
constexpr int kLastChannel = 16;
constexpr int kLastWeeklyPriority = 9;

const ExtraText kEmpty{"Keine Schaltzeit angegeben.", "No switching time given.", "Aucun horaire indiqué."};
const ExtraText kBadDays{"„%1“: weder Wochentage, täglich noch ein Datum vor der Uhrzeit.",
                         "\"%1\": neither weekdays, daily nor a date before the time.",
                         "« %1 » : ni jours de la semaine, ni tous les jours, ni une date avant l'heure."};
const ExtraText kBadDate{"„%1“: diesen Tag hat der Monat nicht.", "\"%1\": the month has no such day.",
                         "« %1 » : ce jour n'existe pas dans ce mois."};
const ExtraText kBadTime{"Keine Uhrzeit 0:00 bis 23:59 angegeben.", "No time 0:00 to 23:59 given.",
                         "Aucune heure de 0:00 à 23:59 indiquée."};
const ExtraText kBadChannels{"Kein Kanal C1 bis C16 angegeben (%1).", "No channel C1 to C16 given (%1).",
                             "Aucun canal C1 à C16 indiqué (%1)."};
const ExtraText kBadPulse{"„%1“: ein Impuls dauert 1 bis 59 Sekunden.", "\"%1\": a pulse lasts 1 to 59 seconds.",
                          "« %1 » : une impulsion dure de 1 à 59 secondes."};
const ExtraText kBadOnce{"„1x“ gilt nur für Schaltzeiten mit Datum.", "\"1x\" belongs to dated switching times only.",
                         "« 1x » ne vaut que pour les horaires datés."};
const ExtraText kBadState{"„%1“: kein Schaltzustand (EIN/AUS oder ein Wert 0 bis 255).",
                          "\"%1\": no switching state (ON/OFF or a value 0 to 255).",
                          "« %1 » : pas d'état (MARCHE/ARRÊT ou une valeur de 0 à 255)."};
const ExtraText kBadPriority{"„%1“: eine Priorität 1 bis 9 hat nur eine Schaltzeit nach Wochentagen.",
                             "\"%1\": only a weekday switching time has a priority 1 to 9.",
                             "« %1 » : seul un horaire hebdomadaire a une priorité de 1 à 9."};
const ExtraText kUnexpected{"„%1“ gehört nicht zu einer Schaltzeit.", "\"%1\" is no part of a switching time.",
                            "« %1 » ne fait pas partie d'un horaire."};

const ExtraText kNoSuchChannel{"Das Gerät hat nur %1 Kanäle.", "The device has only %1 channels.",
                               "L'appareil n'a que %1 canaux."};
const ExtraText kOneChannelOnly{"Eine Schaltzeit dieses Geräts nennt genau einen Kanal.",
                                "A switching time of this device names exactly one channel.",
                                "Un horaire de cet appareil désigne un seul canal."};
const ExtraText kBusChannel{"Schaltzeiten im Busformat gibt es nur für die Kanäle 1 bis 8.",
                            "The bus format keeps switching times of channels 1 to 8 only.",
                            "Le format bus ne garde des horaires que pour les canaux 1 à 8."};
const ExtraText kNoPulses{"Das Gerät schaltet keine Impulse.", "The device switches no pulses.",
                          "L'appareil ne commute pas d'impulsions."};
const ExtraText kPriorityTooHigh{"Das Gerät kennt nur die Prioritäten 1 bis %1.",
                                 "The device knows the priorities 1 to %1 only.",
                                 "L'appareil ne connaît que les priorités 1 à %1."};
const ExtraText kStateValue{"Das Gerät schaltet nur EIN oder AUS, keinen Wert.",
                            "The device switches ON or OFF only, no value.",
                            "L'appareil ne commute que MARCHE ou ARRÊT, pas de valeur."};

bool SameWord(const QString& a, const QString& b)
{
    return !a.isEmpty() && FoldAccents(a.trimmed()).compare(FoldAccents(b.trimmed()), Qt::CaseInsensitive) == 0;
}

std::optional<int> Number(const QString& word, int max)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
    if (!digits.match(word).hasMatch())
        return std::nullopt;
    const int n = word.toInt();
    return n <= max ? std::optional<int>(n) : std::nullopt;
}

// The days before the time: "täglich", short weekday names, or a date in
// the list's form of any of the languages ("24. Dezember", "December, 24",
// "1er janvier") or as "24.12.".
SwitchingTimeTextError ReadDays(QStringList words, const TextTable& texts, SwitchingTimeNotation& n)
{
    if (words.isEmpty())
        return SwitchingTimeTextError::Days;
    if (SameWord(words.join(QLatin1Char(' ')), texts(TextId::Daily))) {
        n.weekdays = SwitchingTimeFields::kDaily;
        return SwitchingTimeTextError::None;
    }
    const auto weekday = [&](const QString& w) {
        for (int d = 0; d < 7; ++d) {
            if (SameWord(w, texts(static_cast<TextId>(static_cast<int>(TextId::ShortMonday) + d))))
                return d;
        }
        return -1;
    };
    int mask = 0;
    bool allDays = true;
    for (const QString& w : words) {
        // "Mo-Fr": the days from the first to the last.
        const QStringList range = w.split(QLatin1Char('-'));
        const int from = range.size() <= 2 ? weekday(range.first()) : -1;
        const int to = range.size() <= 2 ? weekday(range.last()) : -1;
        allDays = allDays && from >= 0 && to >= from;
        for (int d = from; allDays && d <= to; ++d)
            mask |= 1 << d;
    }
    if (allDays) {
        n.weekdays = mask;
        return SwitchingTimeTextError::None;
    }

    static const QRegularExpression numeric(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.?$"));
    static const QRegularExpression dayWord(QStringLiteral("^(\\d{1,2})(\\.|st|nd|rd|th|er|e)?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    int day = 0;
    int month = 0;
    if (words.size() == 1) {
        const QRegularExpressionMatch m = numeric.match(words.first());
        if (!m.hasMatch())
            return SwitchingTimeTextError::Days;
        day = m.captured(1).toInt();
        month = m.captured(2).toInt();
    } else {
        for (QString& w : words)
            w.remove(QLatin1Char(','));
        words.removeAll(QString());
        if (words.size() != 2)
            return SwitchingTimeTextError::Days;
        for (const QString& w : words) {
            const QRegularExpressionMatch m = dayWord.match(w);
            if (m.hasMatch() && day == 0) {
                day = m.captured(1).toInt();
            } else if (!w.front().isDigit() && month == 0) {
                month = ParseMonthField(w, texts).value_or(0);
            }
        }
    }
    if (day < 1 || month < 1 || month > 12)
        return SwitchingTimeTextError::Days;
    if (!DayExistsInMonth(day, month))
        return SwitchingTimeTextError::Date;
    n.day = day;
    n.month = month;
    return SwitchingTimeTextError::None;
}

SwitchingTimeParse Refuse(SwitchingTimeTextError error, const QString& word = QString())
{
    return SwitchingTimeParse{std::nullopt, error, word};
}

} // namespace

QStringList SwitchingTimeCells(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    const bool withPulse = HasPulses(device.Uhrentyp);
    QStringList cells;
    // Entries beyond the day (special entries) show only their row number.
    if (EntryTime(e) / 60 >= 24) {
        for (int i = 0; i < (withPulse ? 7 : 6); ++i)
            cells << QString();
        return cells;
    }
    cells << (IsWeeklyEntry(e) ? FormatWeekdays(e, texts, device) : FormatDate(EntryDay(e), EntryMonth(e), texts, device));
    cells << FormatTime(EntryTime(e), texts);
    cells << EntryChannelsText(e, texts, device);
    if (withPulse) {
        const int pulse = EntryPulse(e);
        cells << (pulse >= 1 && pulse <= kLongestPulse ? QString(QString::number(pulse) % texts(TextId::Seconds)) : QString());
    }
    cells << EntryOnceText(e, device);
    cells << EntryStateText(e, texts, device);
    const int priority = EntryPriority(e, device.EibFormat != 0);
    cells << (priority != 0 ? QString::number(priority) : QString());
    return cells;
}

QString FormatSwitchingTime(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    return SwitchingTimeCells(e, texts, device).join(QLatin1Char('\t'));
}

SwitchingTimeParse ParseSwitchingTime(const QString& text, const TextTable& texts)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = text.split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return Refuse(SwitchingTimeTextError::Empty);

    const QString separator = QRegularExpression::escape(texts(TextId::TimeSeparator).trimmed());
    const QRegularExpression time(QStringLiteral("^(\\d{1,2})(?:%1|:)(\\d{2})$").arg(separator));
    qsizetype at = 0;
    while (at < words.size() && !time.match(words[at]).hasMatch())
        ++at;
    if (at == words.size())
        return Refuse(SwitchingTimeTextError::Time);

    SwitchingTimeNotation n;
    // A row copied with its number: the number goes when the days do not
    // read with it.
    QStringList days = words.mid(0, at);
    SwitchingTimeTextError daysError = ReadDays(days, texts, n);
    if (daysError != SwitchingTimeTextError::None && days.size() > 1 && Number(days.first(), 999)) {
        const SwitchingTimeTextError without = ReadDays(days.mid(1), texts, n);
        if (without != SwitchingTimeTextError::Days)
            daysError = without;
    }
    if (daysError != SwitchingTimeTextError::None)
        return Refuse(daysError, days.join(QLatin1Char(' ')));

    const QRegularExpressionMatch hm = time.match(words[at]);
    const int hour = hm.captured(1).toInt();
    const int minute = hm.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return Refuse(SwitchingTimeTextError::Time, words[at]);
    n.minute = hour * 60 + minute;
    ++at;
    const auto next = [&](const QString& word) {
        if (at < words.size() && SameWord(words[at], word)) {
            ++at;
            return true;
        }
        return false;
    };
    next(texts(TextId::OClock));

    const QString prefix = QRegularExpression::escape(texts(TextId::ChannelPrefix).trimmed());
    const QRegularExpression channel(QStringLiteral("^%1(\\d{1,2})$").arg(prefix), QRegularExpression::CaseInsensitiveOption);
    for (; at < words.size(); ++at) {
        const QRegularExpressionMatch m = channel.match(words[at]);
        if (!m.hasMatch())
            break;
        const int c = m.captured(1).toInt();
        if (c < 1 || c > kLastChannel)
            return Refuse(SwitchingTimeTextError::Channels, words[at]);
        n.channels |= 1 << (c - 1);
    }
    if (n.channels == 0)
        return Refuse(SwitchingTimeTextError::Channels, at < words.size() ? words[at] : QString());

    // The pulse: "30 sec", also written "30sec".
    const QString unit = texts(TextId::Seconds).trimmed();
    if (at < words.size()) {
        const QString& w = words[at];
        const bool glued = w.endsWith(unit, Qt::CaseInsensitive) && w.size() > unit.size() && w.front().isDigit();
        const bool apart = at + 1 < words.size() && Number(w, 999) && SameWord(words[at + 1], unit);
        if (glued || apart) {
            const std::optional<int> pulse = Number(glued ? w.chopped(unit.size()) : w, kLongestPulse);
            if (!pulse)
                return Refuse(SwitchingTimeTextError::Pulse, w);
            n.pulse = *pulse;
            at += apart ? 2 : 1;
        }
    }
    n.once = next(kOnceText);

    if (next(texts(TextId::On))) {
        n.state = 1;
    } else if (next(texts(TextId::Off))) {
        n.state = 0;
    } else if (const std::optional<int> value = at < words.size() ? Number(words[at], kMaxTelegramValue) : std::nullopt) {
        n.state = *value;
        n.stateWord = false;
        ++at;
    } else {
        return Refuse(SwitchingTimeTextError::State, at < words.size() ? words[at] : QString());
    }

    if (at < words.size()) {
        const std::optional<int> priority = Number(words[at], kLastWeeklyPriority);
        if (!priority)
            return Refuse(Number(words[at], 999) ? SwitchingTimeTextError::Priority : SwitchingTimeTextError::Unexpected,
                          words[at]);
        n.priority = *priority;
        ++at;
    }
    if (at < words.size())
        return Refuse(SwitchingTimeTextError::Unexpected, words[at]);
    if (n.once && n.weekdays != 0)
        return Refuse(SwitchingTimeTextError::Once, kOnceText);
    if (n.priority != 0 && n.weekdays == 0)
        return Refuse(SwitchingTimeTextError::Priority, QString::number(n.priority));
    return SwitchingTimeParse{n, SwitchingTimeTextError::None, QString()};
}

SwitchingTimeFit BuildSwitchingTime(const SwitchingTimeNotation& n, const DeviceSettings& device, Entry& entry)
{
    const bool eib = device.EibFormat != 0;
    const bool combo = ChannelChoice::usesCombo(device);
    const int channels = std::clamp(device.Kanalzahl, 1, kLastChannel);
    if (static_cast<int>(std::bit_width(static_cast<unsigned>(n.channels))) > channels)
        return SwitchingTimeFit::NoSuchChannel;
    if ((combo || eib) && std::popcount(static_cast<unsigned>(n.channels)) != 1)
        return SwitchingTimeFit::OneChannelOnly;
    if (n.pulse != 0 && !HasPulses(device.Uhrentyp))
        return SwitchingTimeFit::NoPulses;
    if (n.priority > LastProgramPriority(eib))
        return SwitchingTimeFit::Priority;
    if (!eib && n.state > 1)
        return SwitchingTimeFit::StateValue;

    // The entry dialog's fields, so its rules build the bytes.
    SwitchingTimeFields f;
    f.stunde = n.minute / 60;
    f.minute = n.minute % 60;
    f.wochentage = n.weekdays;
    f.tag = n.weekdays == 0 ? n.day : 0;
    f.monat = n.weekdays == 0 ? n.month : 0;
    if (combo)
        f.kanal.kanalIndex = std::countr_zero(static_cast<unsigned>(n.channels));
    else
        f.kanal.kanaele = n.channels;
    f.zustand = n.state;
    f.impuls = n.pulse;
    f.einmal = n.once;
    f.prioritaet = n.priority;
    switch (f.build(device, entry)) {
    case EntryResult::Stored:
        return SwitchingTimeFit::Fits;
    case EntryResult::ChannelsIncomplete:
        return eib ? SwitchingTimeFit::BusChannel : SwitchingTimeFit::NoSuchChannel;
    default:
        // The notation has checked the date and the days already.
        return SwitchingTimeFit::NoSuchChannel;
    }
}

QString SwitchingTimeTextMessage(const SwitchingTimeParse& parse, ExtraLanguage language)
{
    const auto with = [&](const ExtraText& t) { return t.in(language).arg(parse.word); };
    switch (parse.error) {
    case SwitchingTimeTextError::None:
        return QString();
    case SwitchingTimeTextError::Empty:
        return kEmpty.in(language);
    case SwitchingTimeTextError::Days:
        return with(kBadDays);
    case SwitchingTimeTextError::Date:
        return with(kBadDate);
    case SwitchingTimeTextError::Time:
        return kBadTime.in(language);
    case SwitchingTimeTextError::Channels:
        return with(kBadChannels);
    case SwitchingTimeTextError::Pulse:
        return with(kBadPulse);
    case SwitchingTimeTextError::Once:
        return kBadOnce.in(language);
    case SwitchingTimeTextError::State:
        return with(kBadState);
    case SwitchingTimeTextError::Priority:
        return with(kBadPriority);
    case SwitchingTimeTextError::Unexpected:
        return with(kUnexpected);
    }
    return QString();
}

QString SwitchingTimeFitMessage(SwitchingTimeFit fit, const DeviceSettings& device, ExtraLanguage language)
{
    switch (fit) {
    case SwitchingTimeFit::Fits:
        return QString();
    case SwitchingTimeFit::NoSuchChannel:
        return kNoSuchChannel.in(language).arg(device.Kanalzahl);
    case SwitchingTimeFit::OneChannelOnly:
        return kOneChannelOnly.in(language);
    case SwitchingTimeFit::BusChannel:
        return kBusChannel.in(language);
    case SwitchingTimeFit::NoPulses:
        return kNoPulses.in(language);
    case SwitchingTimeFit::Priority:
        return kPriorityTooHigh.in(language).arg(LastProgramPriority(device.EibFormat != 0));
    case SwitchingTimeFit::StateValue:
        return kStateValue.in(language);
    }
    return QString();
}

} // namespace zendrik
