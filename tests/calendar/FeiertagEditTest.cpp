#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagEingabe.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "language/TextTable.h"

#include <QDate>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zendrik;

namespace {

FeiertagEingabe Fest(const char* name, int day, int month)
{
    FeiertagEingabe e;
    e.name = QString::fromUtf8(name);
    e.art = FeiertagFest;
    e.tagIndex = day - 1;
    e.monatIndex = month - 1;
    return e;
}

FeiertagEingabe Ostern(const char* name, int offset)
{
    FeiertagEingabe e;
    e.name = QString::fromUtf8(name);
    e.art = FeiertagOstern;
    e.osterWert = offset + 82;
    return e;
}

// Unfolds the content lines of an iCalendar text, checking the line ends and
// the fold length on the way.
QStringList IcsLines(const QByteArray& ics)
{
    EXPECT_TRUE(ics.endsWith("\r\n"));
    QStringList lines;
    QByteArray current;
    for (const QByteArray& physical : ics.split('\n')) {
        if (physical.isEmpty())
            continue;
        EXPECT_TRUE(physical.endsWith('\r')) << physical.toStdString();
        const QByteArray line = physical.chopped(1);
        EXPECT_LE(line.size(), 75) << line.toStdString();
        if (line.startsWith(' ')) {
            current += line.mid(1);
        } else {
            if (!current.isEmpty())
                lines << QString::fromUtf8(current);
            current = line;
        }
    }
    lines << QString::fromUtf8(current);
    return lines;
}

TextTable German()
{
    TextTable t;
    t.LoadGerman();
    return t;
}

} // namespace

TEST(FeiertagEingabe, ControlsMakeTheRecordAndBack)
{
    // Weekday list index i: Wochentag i - 7 before, i - 6 after.
    for (int i = 0; i < 14; ++i) {
        FeiertagEingabe e;
        e.name = QStringLiteral("x");
        e.art = FeiertagFrei;
        e.wochentagIndex = i;
        e.tagIndex = 22;
        e.monatIndex = 10;
        const Feiertag f = FeiertagAusEingabe(e);
        EXPECT_EQ(f.Wochentag, i < 7 ? i - 7 : i - 6);
        EXPECT_EQ(EingabeAusFeiertag(f).wochentagIndex, i);
    }
    const TextTable de = German();
    const QStringList weekdays = WochentagVorNachItems(de);
    ASSERT_EQ(weekdays.size(), 14);
    EXPECT_EQ(weekdays.first(), QStringLiteral("Sonntag vor"));
    EXPECT_EQ(weekdays[6], QStringLiteral("Montag vor"));
    EXPECT_EQ(weekdays[7], QStringLiteral("Montag nach"));
    // Wednesday before 23 November: in 2022 the 23rd is a Wednesday, so a week earlier.
    FeiertagEingabe bussUndBettag;
    bussUndBettag.art = FeiertagFrei;
    bussUndBettag.wochentagIndex = weekdays.indexOf(QStringLiteral("Mittwoch vor"));
    bussUndBettag.tagIndex = 22;
    bussUndBettag.monatIndex = 10;
    const Feiertag bb = FeiertagAusEingabe(bussUndBettag);
    EXPECT_EQ(bb.Wochentag, -3);
    EXPECT_EQ(FeiertagDatum(bb, 2022), (CalendarDate{16, 11, 2022}));
    EXPECT_EQ(FeiertagDatum(bb, 2024), (CalendarDate{20, 11, 2024}));

    EXPECT_EQ(OsterText(82, de), QStringLiteral("Ostern"));
    EXPECT_EQ(OsterText(80, de), QStringLiteral("2 Tag(e) vor Ostern"));
    EXPECT_EQ(OsterText(121, de), QStringLiteral("39 Tag(e) nach Ostern"));
    EXPECT_EQ(FeiertagAusEingabe(Ostern("Karfreitag", -2)), (Feiertag{QStringLiteral("Karfreitag"), 2, 0, -2, 0}));
}

TEST(FeiertagEingabe, RefusalsAndLimits)
{
    FeiertagTabelle t;
    const std::pair<FeiertagEingabe, FeiertagResult> cases[] = {
        {Fest("   ", 1, 1), FeiertagResult::EmptyName},
        {Fest("Tag, der", 1, 1), FeiertagResult::NameSeparator},
        {Fest("Februar", 30, 2), FeiertagResult::InvalidValues},
        {Fest("Schalttag", 29, 2), FeiertagResult::Ok},
        // Easter falls from 22 March (day 81) on: 80 days before it stay in the year.
        {Ostern("zu früh", -81), FeiertagResult::InvalidValues},
        {Ostern("früh", -80), FeiertagResult::Ok},
        {Ostern("spät", 173), FeiertagResult::Ok},
    };
    for (const auto& [eingabe, expected] : cases)
        EXPECT_EQ(t.addFeiertag(FeiertagAusEingabe(eingabe)), expected) << eingabe.name.toStdString();
    const TextTable de = German();
    EXPECT_EQ(FeiertagMessage(FeiertagResult::NameSeparator, de)->render(de),
              QStringLiteral("Der Name darf weder Komma noch Anführungszeichen enthalten !"));
    EXPECT_FALSE(FeiertagMessage(FeiertagResult::Ok, de));
    EXPECT_EQ(FeiertagMessage(FeiertagResult::TooManySets, de)->render(de), de(TextId::MemoryFull));
    EXPECT_EQ(FeiertagMessage(FeiertagResult::SetFull, de)->render(de), de(TextId::MemoryFull));
    // The scroll bar cannot reach a date outside the year in any year.
    for (int year = kFeiertagFirstYear; year <= kFeiertagLastYear; ++year) {
        for (const int wert : {kOsterWertMin, kOsterWertMax}) {
            const std::optional<CalendarDate> d = FeiertagDatum(FeiertagAusEingabe(Ostern("x", wert - 82)), year);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->year, year);
        }
    }
    EXPECT_EQ(t.addSet(QStringLiteral("Schule, Nord")), FeiertagResult::NameSeparator);
    ASSERT_EQ(t.addSet(QStringLiteral("Schule")), FeiertagResult::Ok);
    EXPECT_EQ(t.addSet(QStringLiteral("Schule")), FeiertagResult::DuplicateSet);
}

TEST(FeiertagEingabe, DeletingRenumbersEverySetAndTheFileKeepsIt)
{
    FeiertagTabelle t;
    for (const char* name : {"A", "B", "C", "D", "E"})
        ASSERT_EQ(t.addFeiertag(FeiertagAusEingabe(Fest(name, 1 + static_cast<int>(name[0] - 'A'), 5))),
                  FeiertagResult::Ok);
    ASSERT_EQ(t.addSet(QStringLiteral("eins")), FeiertagResult::Ok);
    ASSERT_EQ(t.addSet(QStringLiteral("zwei")), FeiertagResult::Ok);
    for (const int m : {4, 1, 2})
        ASSERT_EQ(t.addToSet(0, m), FeiertagResult::Ok);
    for (const int m : {1, 3})
        ASSERT_EQ(t.addToSet(1, m), FeiertagResult::Ok);
    ASSERT_EQ(t.removeFeiertag(1), FeiertagResult::Ok); // B leaves both sets
    // Every member still names the holiday it named before.
    const auto names = [&t](int set) {
        QStringList out;
        for (const int m : t.Sets()[static_cast<std::size_t>(set)].SetGlied)
            out << t.Feiertage()[static_cast<std::size_t>(m)].Name;
        return out;
    };
    EXPECT_EQ(names(0), (QStringList{"E", "C"}));
    EXPECT_EQ(names(1), (QStringList{"D"}));
    ASSERT_EQ(t.removeFromSet(0, 3), FeiertagResult::Ok); // E
    EXPECT_EQ(t.removeFromSet(0, 3), FeiertagResult::NotMember);
    FeiertagTabelle back;
    ASSERT_EQ(back.parse(t.fileText()), FeiertagResult::Ok);
    EXPECT_EQ(back.Sets(), t.Sets());
}

TEST(FeiertagKalender, DatesOfASetForSomeYearsAndTheirExports)
{
    FeiertagTabelle t;
    ASSERT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Ostersonntag"), FeiertagOstern, 0, 0, 0}), FeiertagResult::Ok);
    ASSERT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Neujahr"), FeiertagFest, 0, 1, 1}), FeiertagResult::Ok);
    ASSERT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Schalttag"), FeiertagFest, 0, 29, 2}), FeiertagResult::Ok);
    ASSERT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Buß- und Bettag, Sachsen; \"Mittwoch\" vor dem 23. November"),
                                     FeiertagFrei, -3, 23, 11}),
              FeiertagResult::NameSeparator);
    ASSERT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Buß- und Bettag im Freistaat Sachsen vor dem dreiundzwanzigsten November"),
                                     FeiertagFrei, -3, 23, 11}),
              FeiertagResult::Ok);
    ASSERT_EQ(t.addSet(QStringLiteral("Sachsen")), FeiertagResult::Ok);
    for (const int m : {3, 0, 2})
        ASSERT_EQ(t.addToSet(0, m), FeiertagResult::Ok);

    // Easter Sunday of the set in a year of each century.
    for (const CalendarDate& easter : {CalendarDate{23, 4, 2000}, CalendarDate{25, 3, 2046}}) {
        const std::vector<FeiertagTermin> one = FeiertagTermine(t, 0, easter.year, 1);
        const auto it = std::find_if(one.begin(), one.end(), [](const FeiertagTermin& x) { return x.feiertag == 0; });
        ASSERT_NE(it, one.end());
        EXPECT_EQ(it->date, easter);
    }

    const std::vector<FeiertagTermin> termine = FeiertagTermine(t, 0, 2023, 3);
    // Three years of the set, the leap day only in 2024, ordered by date.
    ASSERT_EQ(termine.size(), 7u);
    for (std::size_t i = 1; i < termine.size(); ++i)
        EXPECT_LT(QDate(termine[i - 1].date.year, termine[i - 1].date.month, termine[i - 1].date.day),
                  QDate(termine[i].date.year, termine[i].date.month, termine[i].date.day));
    EXPECT_EQ(termine[2].date, (CalendarDate{29, 2, 2024}));
    EXPECT_EQ(FeiertagTermine(t, -1, 2024, 1).size(), 4u); // every holiday of the table

    const QByteArray ics = FeiertagIcs(termine, QStringLiteral("Sachsen"), QDateTime(QDate(2026, 12, 7), QTime(8, 0), QTimeZone::utc()));
    const QStringList lines = IcsLines(ics);
    EXPECT_EQ(lines.first(), QStringLiteral("BEGIN:VCALENDAR"));
    EXPECT_EQ(lines.last(), QStringLiteral("END:VCALENDAR"));
    EXPECT_TRUE(lines.contains(QStringLiteral("VERSION:2.0")));
    // One all-day event per holiday and year, each ending the next day.
    std::vector<FeiertagTermin> parsed;
    QStringList uids;
    QDate start;
    QString summary;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("DTSTART;VALUE=DATE:")))
            start = QDate::fromString(line.section(u':', 1), QStringLiteral("yyyyMMdd"));
        else if (line.startsWith(QStringLiteral("DTEND;VALUE=DATE:")))
            EXPECT_EQ(QDate::fromString(line.section(u':', 1), QStringLiteral("yyyyMMdd")), start.addDays(1));
        else if (line.startsWith(QStringLiteral("SUMMARY:")))
            summary = line.mid(8);
        else if (line.startsWith(QStringLiteral("UID:")))
            uids << line;
        else if (line == QStringLiteral("END:VEVENT"))
            parsed.push_back({{start.day(), start.month(), start.year()}, summary, 0});
        else if (line.startsWith(QStringLiteral("DTSTAMP:")))
            EXPECT_EQ(line, QStringLiteral("DTSTAMP:20261207T080000Z"));
    }
    ASSERT_EQ(parsed.size(), termine.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        EXPECT_EQ(parsed[i].date, termine[i].date);
        EXPECT_EQ(parsed[i].name, termine[i].name);
    }
    uids.removeDuplicates();
    EXPECT_EQ(uids.size(), static_cast<qsizetype>(termine.size()));
    // The long name was folded, and unfolds to the name again.
    EXPECT_TRUE(ics.contains("\r\n "));

    const QString csv = QString::fromUtf8(FeiertagCsv(termine));
    const QStringList csvLines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csvLines.size(), static_cast<qsizetype>(termine.size()) + 1);
    EXPECT_EQ(csvLines[0], QStringLiteral("date,name"));
    EXPECT_EQ(csvLines[1], QStringLiteral("2023-04-09,Ostersonntag"));
    EXPECT_EQ(csvLines[3], QStringLiteral("2024-02-29,Schalttag"));
}

TEST(FeiertagKalender, TextValuesAreEscaped)
{
    const std::vector<FeiertagTermin> one{{{1, 5, 2025}, QStringLiteral("Tag; der, Arbeit\\"), 0}};
    const QStringList lines = IcsLines(FeiertagIcs(one, QString(), QDateTime::currentDateTimeUtc()));
    EXPECT_TRUE(lines.contains(QStringLiteral("SUMMARY:Tag\\; der\\, Arbeit\\\\")));
    EXPECT_EQ(QString::fromUtf8(FeiertagCsv(one)), QStringLiteral("date,name\r\n2025-05-01,\"Tag; der, Arbeit\\\"\r\n"));
}
