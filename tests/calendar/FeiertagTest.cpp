#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTabelle.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

Feiertag Fest(const char* name, int day, int month)
{
    return Feiertag{QString::fromUtf8(name), FeiertagFest, 0, day, month};
}

Feiertag Ostern(const char* name, int offset)
{
    return Feiertag{QString::fromUtf8(name), FeiertagOstern, 0, offset, 0};
}

FeiertagTabelle Sample()
{
    FeiertagTabelle t;
    EXPECT_EQ(t.addFeiertag(Fest("Neujahr", 1, 1)), FeiertagResult::Ok);
    EXPECT_EQ(t.addFeiertag(Ostern("Karfreitag", -2)), FeiertagResult::Ok);
    EXPECT_EQ(t.addFeiertag(Ostern("Ostermontag", 1)), FeiertagResult::Ok);
    EXPECT_EQ(t.addFeiertag(Feiertag{QStringLiteral("Buß- und Bettag"), FeiertagFrei, -3, 23, 11}),
              FeiertagResult::Ok);
    EXPECT_EQ(t.addSet(QStringLiteral("Sachsen")), FeiertagResult::Ok);
    for (const int member : {0, 3, 2})
        EXPECT_EQ(t.addToSet(0, member), FeiertagResult::Ok);
    EXPECT_EQ(t.addSet(QStringLiteral("Leer")), FeiertagResult::Ok);
    return t;
}

} // namespace

TEST(FeiertagDatum, WeekdayRulesMatchCivilCalendar)
{
    // Weekday k (1 = Monday) before (-k) or after (k) a date, by Qt's calendar.
    const auto nearest = [](QDate d, int k, int step) {
        do
            d = d.addDays(step);
        while (d.dayOfWeek() != k);
        return d;
    };
    for (int year = 1993; year <= 2099; ++year) {
        for (int k = 1; k <= 7; ++k) {
            for (const auto& [day, month] : {std::pair{23, 11}, {3, 1}, {30, 12}, {1, 3}, {31, 5}}) {
                for (const int step : {-1, 1}) {
                    const CalendarDate got = FreierFeiertagDatum(step * k, day, month, year);
                    ASSERT_EQ(QDate(got.year, got.month, got.day), nearest(QDate(year, month, day), k, step))
                        << year << " " << step * k << " " << day << "." << month;
                }
            }
        }
    }
}

TEST(FeiertagDatum, EasterRelativeAndFixedDates)
{
    EXPECT_EQ(FeiertagDatum(Ostern("Pfingstmontag", 50), 2024), (CalendarDate{20, 5, 2024}));
    EXPECT_EQ(FeiertagDatum(Ostern("Fronleichnam", 60), 2000), (CalendarDate{22, 6, 2000}));
    EXPECT_EQ(FeiertagDatum(Ostern("early", -82), 2008), (CalendarDate{1, 1, 2008}));
    EXPECT_EQ(FeiertagDatum(Fest("Tag der Deutschen Einheit", 3, 10), 2030), (CalendarDate{3, 10, 2030}));
    EXPECT_FALSE(FeiertagDatum(Fest("Schalttag", 29, 2), 2023).has_value());
    EXPECT_EQ(FeiertagDatum(Fest("Schalttag", 29, 2), 2100), (CalendarDate{29, 2, 2100}));
    EXPECT_FALSE(FeiertagDatum(Feiertag{QStringLiteral("x"), 7, 0, 1, 1}, 2023).has_value());

    // The year search starts with the first date not before today.
    const Feiertag karfreitag = Ostern("Karfreitag", -2);
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {29, 3, 2024}, 1), (std::vector<CalendarDate>{{29, 3, 2024}}));
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {30, 3, 2024}, 3),
              (std::vector<CalendarDate>{{18, 4, 2025}, {3, 4, 2026}, {26, 3, 2027}}));
    EXPECT_EQ(FeiertagDatenAb(Fest("Schalttag", 29, 2), {1, 3, 2024}, 2), (std::vector<CalendarDate>{{29, 2, 2028}}));

    // Years of weekday-rule holidays: 2..30 on devices with movable holidays, else one.
    EXPECT_EQ(JahreFreieFtChoices(1)[static_cast<std::size_t>(JahreFreieFtChoiceIndex(1, DefaultJahreFreieFt(1)))], 14);
    EXPECT_EQ(JahreFreieFtChoices(1).back(), 30);
    EXPECT_EQ(JahreFreieFtChoices(0), std::vector<int>{DefaultJahreFreieFt(0)});
}

TEST(FeiertagTabelle, RefusalsAndSetLimits)
{
    FeiertagTabelle t = Sample();
    EXPECT_EQ(t.FeiertagName(80), QStringLiteral("Karfreitag")); // Easter code 82 + offset
    EXPECT_EQ(t.FeiertagName(82), QString());
    const std::pair<Feiertag, FeiertagResult> refused[] = {
        {Fest("", 1, 5), FeiertagResult::EmptyName},
        {Fest("Neujahr", 1, 1), FeiertagResult::Duplicate},
        {Fest("a\"b", 1, 5), FeiertagResult::NameSeparator},
        {Fest("April", 31, 4), FeiertagResult::InvalidValues},
        {Feiertag{QStringLiteral("kein Wochentag"), FeiertagFrei, 0, 1, 5}, FeiertagResult::InvalidValues},
        {Ostern("zu weit", 174), FeiertagResult::InvalidValues},
    };
    for (const auto& [feiertag, result] : refused)
        EXPECT_EQ(t.addFeiertag(feiertag), result) << feiertag.Name.toStdString();
    EXPECT_EQ(t.AnzFeiertage(), 4);
    EXPECT_EQ(t.removeFeiertag(7), FeiertagResult::NoSuchHoliday);

    FeiertagTabelle full;
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(full.addFeiertag(Ostern("x", i)), FeiertagResult::Ok);
    for (int s = 0; s < kMaxFeiertagSets; ++s)
        ASSERT_EQ(full.addSet(QStringLiteral("Set %1").arg(s)), FeiertagResult::Ok);
    EXPECT_EQ(full.addSet(QStringLiteral("one more")), FeiertagResult::TooManySets);
    for (int i = 0; i < kMaxSetGlieder; ++i)
        ASSERT_EQ(full.addToSet(5, i), FeiertagResult::Ok);
    EXPECT_EQ(full.addToSet(5, 59), FeiertagResult::SetFull);
    EXPECT_EQ(full.addToSet(6, 3), FeiertagResult::Ok);
    EXPECT_EQ(full.addToSet(6, 3), FeiertagResult::AlreadyMember);
    EXPECT_EQ(full.removeFromSet(6, 4), FeiertagResult::NotMember);
    EXPECT_EQ(full.removeSet(0), FeiertagResult::Ok);
    EXPECT_EQ(full.findSet(QStringLiteral("Set 6")), 5);
    EXPECT_EQ(full.Sets()[5].SetGlied, std::vector<int>{3});
}

TEST(FeiertagTabelle, FileRoundTrip)
{
    const FeiertagTabelle t = Sample();
    const QByteArray expected = "4,2\r\n"
                                "\"Neujahr\",0,0,1,1\r\n"
                                "\"Karfreitag\",2,0,-2,0\r\n"
                                "\"Ostermontag\",2,0,1,0\r\n"
                                "\"Bu\xDF- und Bettag\",1,-3,23,11\r\n"
                                "\"Sachsen\"\r\n3\r\n0\r\n3\r\n2\r\n"
                                "\"Leer\"\r\n0\r\n";
    EXPECT_EQ(t.fileText(), expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deutsch.hdy"));
    ASSERT_EQ(t.write(path), FeiertagResult::Ok);
    FeiertagTabelle back;
    ASSERT_EQ(back.read(path), FeiertagResult::Ok);
    EXPECT_EQ(back.Feiertage(), t.Feiertage());
    EXPECT_EQ(back.Sets(), t.Sets());
    // Lines as older versions printed them: unquoted, blank separated.
    ASSERT_EQ(back.parse(" 2  1 \r\nNeujahr, 0  0  1  1 \r\nKarfreitag, 2  0 -2  0 \r\nKurz\r\n 1 \r\n 1 \r\n"),
              FeiertagResult::Ok);
    EXPECT_EQ(back.Feiertage()[1], Ostern("Karfreitag", -2));
    EXPECT_EQ(back.Sets(), (std::vector<FeiertagSet>{{QStringLiteral("Kurz"), {1}}}));

    // A stray quote in an unquoted name (a hand-edited file) is dropped, so
    // that saving the table writes a file that reads back the same.
    ASSERT_EQ(back.parse("1,1\r\nNeu\"jahr,0,0,1,1\r\n\xa2"
                         "Bremen\"\r\n1\r\n0\r\n"),
              FeiertagResult::Ok);
    EXPECT_EQ(back.Feiertage()[0].Name, QStringLiteral("Neujahr"));
    const QByteArray saved = back.fileText();
    FeiertagTabelle again;
    ASSERT_EQ(again.parse(saved), FeiertagResult::Ok);
    EXPECT_EQ(again.fileText(), saved);
    EXPECT_EQ(again.Sets(), back.Sets());
}

TEST(FeiertagTabelle, MalformedFilesLoadNothing)
{
    const struct {
        const char* data;
        FeiertagResult expected;
    } cases[] = {
        {"", FeiertagResult::Malformed},
        {"1\r\n", FeiertagResult::Malformed},
        {"1,0\r\n\"Neujahr\",0,0,1\r\n", FeiertagResult::Malformed},
        {"1,0\r\n\"Neujahr\",0,0,x,1\r\n", FeiertagResult::Malformed},
        {"2,0\r\n\"Neujahr\",0,0,1,1\r\n", FeiertagResult::Malformed},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n", FeiertagResult::Malformed},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n2\r\n0\r\n", FeiertagResult::Malformed},
        {"1,0\r\n\"Neujahr\",0,0,1,1\r\n\"Zweiter\",0,0,2,1\r\n", FeiertagResult::Malformed},
        {"-1,0\r\n", FeiertagResult::ValueOutOfRange},
        {"0,31\r\n", FeiertagResult::ValueOutOfRange},
        {"1,0\r\n\"April\",0,0,31,4\r\n", FeiertagResult::ValueOutOfRange},
        {"1,0\r\n\"Art\",-1,0,1,1\r\n", FeiertagResult::ValueOutOfRange},
        // A kind of a newer version (3 was one for the versions before it).
        {"1,0\r\n\"Art\",4,0,1,1\r\n", FeiertagResult::NewerKind},
        {"1,0\r\n\"Frei\",1,8,1,1\r\n", FeiertagResult::ValueOutOfRange},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n1\r\n1\r\n", FeiertagResult::ValueOutOfRange},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n60\r\n", FeiertagResult::ValueOutOfRange},
    };
    for (const auto& c : cases) {
        FeiertagTabelle t = Sample();
        EXPECT_EQ(t.parse(c.data), c.expected) << c.data;
        EXPECT_EQ(t.Feiertage(), Sample().Feiertage()) << c.data;
        EXPECT_EQ(t.Sets(), Sample().Sets()) << c.data;
    }
    FeiertagTabelle t = Sample();
    QTemporaryDir dir;
    EXPECT_EQ(t.read(dir.filePath(QStringLiteral("france.hdy"))), FeiertagResult::Missing);
    EXPECT_EQ(t.AnzFeiertage(), 4);
    // A write that fails says why and keeps the old file.
    QString error;
    EXPECT_EQ(t.write(dir.filePath(QStringLiteral("no/such/dir.hdy")), &error), FeiertagResult::WriteFailed);
    EXPECT_FALSE(error.isEmpty());
}
