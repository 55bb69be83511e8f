#include "calendar/FeiertagKalender.h"

#include "calendar/FeiertagDatum.h"
#include "util/CsvField.h"

#include <QCryptographicHash>
#include <QDate>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kIcsLineOctets = 75;

// TEXT values escape backslash, semicolon and comma, and line ends (RFC 5545, 3.3.11).
QString IcsText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out;
}

// A content line, folded so that no line is longer than 75 octets; the fold
// never splits the bytes of one UTF-8 character.
void AppendLine(QByteArray& out, const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    qsizetype start = 0;
    int limit = kIcsLineOctets;
    while (utf8.size() - start > limit) {
        qsizetype end = start + limit;
        while (end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        out += utf8.mid(start, end - start);
        out += "\r\n ";
        start = end;
        limit = kIcsLineOctets - 1; // the leading blank of the continuation counts
    }
    out += utf8.mid(start);
    out += "\r\n";
}

QString IcsDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

std::vector<FeiertagTermin> FeiertagTermine(const FeiertagTabelle& table, int set, int firstYear, int years,
                                            const QString& ersatzSuffix)
{
    std::vector<int> members;
    if (set >= 0 && set < table.AnzSets()) {
        members = table.Sets()[static_cast<std::size_t>(set)].SetGlied;
    } else if (set < 0) {
        for (int i = 0; i < table.AnzFeiertage(); ++i)
            members.push_back(i);
    }
    std::vector<FeiertagTermin> termine;
    const int first = std::max(firstYear, kFeiertagFirstYear);
    const int last = std::min(firstYear + years - 1, kFeiertagLastYear);
    std::erase_if(members, [&table](int index) { return index < 0 || index >= table.AnzFeiertage(); });
    std::vector<Feiertag> holidays;
    for (const int index : members)
        holidays.push_back(table.Feiertage()[static_cast<std::size_t>(index)]);
    for (int year = first; year <= last; ++year) {
        const std::vector<std::optional<CalendarDate>> ersatz = ErsatzTage(holidays, year);
        for (std::size_t i = 0; i < members.size(); ++i) {
            const Feiertag& f = holidays[i];
            if (const std::optional<CalendarDate> date = FeiertagDatum(f, year))
                termine.push_back(FeiertagTermin{*date, f.Name, members[i]});
            if (ersatz[i])
                termine.push_back(FeiertagTermin{*ersatz[i], f.Name + ersatzSuffix, members[i], true});
        }
    }
    std::stable_sort(termine.begin(), termine.end(), [](const FeiertagTermin& a, const FeiertagTermin& b) {
        return CompareDates(a.date, b.date) > 0;
    });
    // Two records of the same name on the same day are one event.
    termine.erase(std::unique(termine.begin(), termine.end(),
                              [](const FeiertagTermin& a, const FeiertagTermin& b) {
                                  return a.date == b.date && a.name == b.name;
                              }),
                  termine.end());
    return termine;
}

QByteArray FeiertagIcs(const std::vector<FeiertagTermin>& termine, const QString& calendarName,
                       const QDateTime& stamp)
{
    QByteArray out;
    AppendLine(out, QStringLiteral("BEGIN:VCALENDAR"));
    AppendLine(out, QStringLiteral("VERSION:2.0"));
    AppendLine(out, QStringLiteral("PRODID:-//Zendrik//Feiertage//DE"));
    AppendLine(out, QStringLiteral("CALSCALE:GREGORIAN"));
    AppendLine(out, QStringLiteral("METHOD:PUBLISH"));
    if (!calendarName.isEmpty())
        AppendLine(out, QStringLiteral("X-WR-CALNAME:") + IcsText(calendarName));
    const QString dtstamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    for (const FeiertagTermin& t : termine) {
        const QDate day(t.date.year, t.date.month, t.date.day);
        const QString hash = QString::fromLatin1(
            QCryptographicHash::hash(t.name.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
        AppendLine(out, QStringLiteral("BEGIN:VEVENT"));
        AppendLine(out, QStringLiteral("UID:%1-%2@zendrik").arg(IcsDate(day), hash));
        AppendLine(out, QStringLiteral("DTSTAMP:") + dtstamp);
        AppendLine(out, QStringLiteral("DTSTART;VALUE=DATE:") + IcsDate(day));
        AppendLine(out, QStringLiteral("DTEND;VALUE=DATE:") + IcsDate(day.addDays(1)));
        AppendLine(out, QStringLiteral("SUMMARY:") + IcsText(t.name));
        AppendLine(out, QStringLiteral("TRANSP:TRANSPARENT"));
        AppendLine(out, QStringLiteral("END:VEVENT"));
    }
    AppendLine(out, QStringLiteral("END:VCALENDAR"));
    return out;
}

QByteArray FeiertagCsv(const std::vector<FeiertagTermin>& termine)
{
    QString out = QStringLiteral("date,name\r\n");
    for (const FeiertagTermin& t : termine) {
        out += QDate(t.date.year, t.date.month, t.date.day).toString(Qt::ISODate) + QLatin1Char(',') + CsvField(t.name)
            + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace zendrik
