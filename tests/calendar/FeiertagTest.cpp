#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagEingabe.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "language/TextTable.h"
#include "tests/support/TestPrograms.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <set>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

Feiertag Fest(const char* name, int day, int month) { return Feiertag{QString::fromUtf8(name), FeiertagFest, 0, day, month}; }
Feiertag Ostern(const char* name, int offset) { return Feiertag{QString::fromUtf8(name), FeiertagOstern, 0, offset, 0}; }
// What the dialog's controls hold for a holiday of a fixed date or a distance from Easter.
FeiertagEingabe FestEingabe(const char* name, int day, int month) { return {.name = QString::fromUtf8(name), .art = FeiertagFest, .tagIndex = day - 1, .monatIndex = month - 1}; }
FeiertagEingabe OsterEingabe(const char* name, int offset) { return {.name = QString::fromUtf8(name), .art = FeiertagOstern, .osterWert = offset + 82}; }

TextTable German()
{
    TextTable t;
    t.LoadGerman();
    return t;
}

// A table of holidays and sets; every addition must succeed.
FeiertagTabelle Table(std::initializer_list<Feiertag> holidays, std::initializer_list<std::pair<const char*, std::vector<int>>> sets)
{
    FeiertagTabelle t;
    for (const Feiertag& f : holidays) EXPECT_EQ(t.addFeiertag(f), FeiertagResult::Ok) << f.Name.toStdString();
    for (const auto& [name, members] : sets) {
        EXPECT_EQ(t.addSet(QString::fromUtf8(name)), FeiertagResult::Ok) << name;
        for (const int m : members) EXPECT_EQ(t.addToSet(t.AnzSets() - 1, m), FeiertagResult::Ok) << name << ' ' << m;
    }
    return t;
}

FeiertagTabelle Sample()
{
    return Table({Fest("Neujahr", 1, 1), Ostern("Karfreitag", -2), Ostern("Ostermontag", 1), Feiertag{u"Buß- und Bettag"_s, FeiertagFrei, -3, 23, 11}}, {{"Sachsen", {0, 3, 2}}, {"Leer", {}}});
}

QString Shipped(const char* name, const char* suffix) { return QStringLiteral(ZENDRIK_SHIPPED_DATA "/%1%2").arg(QLatin1String(name), QLatin1String(suffix)); }

FeiertagTabelle ShippedHolidays(const char* file)
{
    FeiertagTabelle t;
    EXPECT_EQ(t.read(Shipped(file, ".hdy")), FeiertagResult::Ok) << file;
    return t;
}

} // namespace

TEST(FeiertagDatum, WeekdayRulesMatchCivilCalendar)
{
    // Weekday k (1 = Monday) before (-k) or after (k) a date, by Qt's calendar.
    for (int year = 1993; year <= 2099; ++year) {
        for (int k = 1; k <= 7; ++k) {
            for (const auto& [day, month] : {std::pair{23, 11}, {3, 1}, {30, 12}, {1, 3}, {31, 5}}) {
                for (const int step : {-1, 1}) {
                    QDate want(year, month, day);
                    do want = want.addDays(step);
                    while (want.dayOfWeek() != k);
                    const CalendarDate got = FreierFeiertagDatum(step * k, day, month, year);
                    ASSERT_EQ(QDate(got.year, got.month, got.day), want) << year << " " << step * k << " " << day << "." << month;
                }
            }
        }
    }
}

TEST(FeiertagDatum, EasterRelativeAndFixedDates)
{
    const std::pair<std::optional<CalendarDate>, std::optional<CalendarDate>> cases[] = {
        {FeiertagDatum(Ostern("Pfingstmontag", 50), 2024), CalendarDate{20, 5, 2024}},
        {FeiertagDatum(Ostern("Fronleichnam", 60), 2000), CalendarDate{22, 6, 2000}},
        {FeiertagDatum(Ostern("early", -82), 2008), CalendarDate{1, 1, 2008}},
        {FeiertagDatum(Fest("Einheit", 3, 10), 2030), CalendarDate{3, 10, 2030}},
        {FeiertagDatum(Fest("Schalttag", 29, 2), 2023), std::nullopt},
        {FeiertagDatum(Fest("Schalttag", 29, 2), 2100), CalendarDate{29, 2, 2100}},
        {FeiertagDatum(Feiertag{u"x"_s, 7, 0, 1, 1}, 2023), std::nullopt},
    };
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
    // The year search starts with the first date not before today.
    const Feiertag karfreitag = Ostern("Karfreitag", -2);
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {29, 3, 2024}, 1), (std::vector<CalendarDate>{{29, 3, 2024}}));
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {30, 3, 2024}, 3), (std::vector<CalendarDate>{{18, 4, 2025}, {3, 4, 2026}, {26, 3, 2027}}));
    EXPECT_EQ(FeiertagDatenAb(Fest("Schalttag", 29, 2), {1, 3, 2024}, 2), (std::vector<CalendarDate>{{29, 2, 2028}}));
    // Years of weekday-rule holidays: 2..30 on devices with movable holidays, else one.
    EXPECT_EQ(std::tuple(JahreFreieFtChoices(1)[static_cast<std::size_t>(JahreFreieFtChoiceIndex(1, DefaultJahreFreieFt(1)))], JahreFreieFtChoices(1).back(), JahreFreieFtChoices(0)), std::tuple(14, 30, std::vector<int>{DefaultJahreFreieFt(0)}));
}

// What the table refuses, whether read as a record or typed into the dialog's controls.
TEST(FeiertagTabelle, RefusalsAndSetLimits)
{
    using enum FeiertagResult;
    FeiertagTabelle t = Sample();
    EXPECT_EQ(std::pair(t.FeiertagName(80), t.FeiertagName(82)), std::pair(u"Karfreitag"_s, QString())); // Easter code 82 + offset
    // Easter falls from 22 March (day 81) on: 80 days before it stay in the year.
    const std::pair<Feiertag, FeiertagResult> cases[] = {
        {Fest("", 1, 5), EmptyName},
        {FeiertagAusEingabe(FestEingabe("   ", 1, 1)), EmptyName},
        {Fest("Neujahr", 1, 1), Duplicate},
        {Fest("a\"b", 1, 5), NameSeparator},
        {FeiertagAusEingabe(FestEingabe("Tag, der", 1, 1)), NameSeparator},
        {Fest("April", 31, 4), InvalidValues},
        {FeiertagAusEingabe(FestEingabe("Februar", 30, 2)), InvalidValues},
        {FeiertagAusEingabe(FestEingabe("Schalttag", 29, 2)), Ok},
        {Feiertag{u"kein Wochentag"_s, FeiertagFrei, 0, 1, 5}, InvalidValues},
        {Ostern("zu weit", 174), InvalidValues},
        {FeiertagAusEingabe(OsterEingabe("spät", 173)), Ok},
        {FeiertagAusEingabe(OsterEingabe("zu früh", -81)), InvalidValues},
        {FeiertagAusEingabe(OsterEingabe("früh", -80)), Ok},
    };
    for (const auto& [feiertag, result] : cases) EXPECT_EQ(t.addFeiertag(feiertag), result) << feiertag.Name.toStdString();
    EXPECT_EQ(std::pair(t.AnzFeiertage(), t.removeFeiertag(7)), std::pair(7, NoSuchHoliday));
    EXPECT_EQ((std::vector{t.addSet(u"Schule, Nord"_s), t.addSet(u"Sachsen"_s)}), (std::vector{NameSeparator, DuplicateSet}));
    // The scroll bar cannot reach a date outside the year in any year.
    for (int year = kFeiertagFirstYear; year <= kFeiertagLastYear; ++year)
        for (const int wert : {kOsterWertMin, kOsterWertMax}) ASSERT_EQ(FeiertagDatum(FeiertagAusEingabe(OsterEingabe("x", wert - 82)), year).value_or(CalendarDate{}).year, year);

    FeiertagTabelle full;
    for (int i = 0; i < 60; ++i) ASSERT_EQ(full.addFeiertag(Ostern("x", i)), Ok);
    for (int s = 0; s < kMaxFeiertagSets; ++s) ASSERT_EQ(full.addSet(QStringLiteral("Set %1").arg(s)), Ok);
    for (int i = 0; i < kMaxSetGlieder; ++i) ASSERT_EQ(full.addToSet(5, i), Ok);
    EXPECT_EQ((std::vector{full.addSet(u"one more"_s), full.addToSet(5, 59), full.addToSet(6, 3), full.addToSet(6, 3), full.removeFromSet(6, 4), full.removeSet(0)}), (std::vector{TooManySets, SetFull, Ok, AlreadyMember, NotMember, Ok}));
    EXPECT_EQ(std::pair(full.findSet(u"Set 6"_s), full.Sets()[5].SetGlied), std::pair(5, std::vector<int>{3}));
    const TextTable de = German();
    EXPECT_EQ(std::tuple(FeiertagMessage(NameSeparator, de)->render(de), FeiertagMessage(TooManySets, de)->render(de), FeiertagMessage(SetFull, de)->render(de), FeiertagMessage(Ok, de).has_value()),
              std::tuple(u"Der Name darf weder Komma noch Anführungszeichen enthalten !"_s, de(TextId::MemoryFull), de(TextId::MemoryFull), false));
}

TEST(FeiertagTabelle, FileRoundTrip)
{
    const FeiertagTabelle t = Sample();
    EXPECT_EQ(t.fileText(), QByteArray("4,2\r\n\"Neujahr\",0,0,1,1\r\n\"Karfreitag\",2,0,-2,0\r\n\"Ostermontag\",2,0,1,0\r\n\"Bu\xDF- und Bettag\",1,-3,23,11\r\n\"Sachsen\"\r\n3\r\n0\r\n3\r\n2\r\n\"Leer\"\r\n0\r\n"));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"deutsch.hdy"_s);
    FeiertagTabelle back;
    ASSERT_EQ((std::pair{t.write(path), back.read(path)}), std::pair(FeiertagResult::Ok, FeiertagResult::Ok));
    EXPECT_EQ(std::pair(back.Feiertage(), back.Sets()), std::pair(t.Feiertage(), t.Sets()));
    // Lines as older versions printed them: unquoted, blank separated.
    ASSERT_EQ(back.parse(" 2  1 \r\nNeujahr, 0  0  1  1 \r\nKarfreitag, 2  0 -2  0 \r\nKurz\r\n 1 \r\n 1 \r\n"), FeiertagResult::Ok);
    EXPECT_EQ(std::pair(back.Feiertage()[1], back.Sets()), std::pair(Ostern("Karfreitag", -2), std::vector<FeiertagSet>{{u"Kurz"_s, {1}}}));
    // A stray quote in an unquoted name (a hand-edited file) is dropped, so
    // that saving the table writes a file that reads back the same.
    ASSERT_EQ(back.parse("1,1\r\nNeu\"jahr,0,0,1,1\r\n\xa2"
                         "Bremen\"\r\n1\r\n0\r\n"),
              FeiertagResult::Ok);
    FeiertagTabelle again;
    ASSERT_EQ(again.parse(back.fileText()), FeiertagResult::Ok);
    EXPECT_EQ(std::tuple(back.Feiertage()[0].Name, again.fileText(), again.Sets()), std::tuple(u"Neujahr"_s, back.fileText(), back.Sets()));
    // The substitute kind reads and writes back; a file with a kind of a newer version is not written over.
    ASSERT_EQ(back.parse("2,0\r\n\"Christmas Day\",3,0,25,12\r\n\"Boxing Day\",0,0,26,12\r\n"), FeiertagResult::Ok);
    ASSERT_EQ(again.parse(back.fileText()), FeiertagResult::Ok);
    EXPECT_EQ(std::pair(back.Feiertage().front().Art, again.Feiertage()), std::pair(int{FeiertagFestErsatz}, back.Feiertage()));
    const QByteArray newer = "1,0\r\n\"Later\",4,0,1,1\r\n";
    ASSERT_TRUE(writeFile(path, newer));
    EXPECT_EQ((std::pair{back.write(path), readFile(path)}), std::pair(FeiertagResult::NewerKind, newer));
}

TEST(FeiertagTabelle, MalformedFilesLoadNothing)
{
    using enum FeiertagResult;
    const std::pair<const char*, FeiertagResult> cases[] = {
        {"", Malformed},
        {"1\r\n", Malformed},
        {"1,0\r\n\"Neujahr\",0,0,1\r\n", Malformed},
        {"1,0\r\n\"Neujahr\",0,0,x,1\r\n", Malformed},
        {"2,0\r\n\"Neujahr\",0,0,1,1\r\n", Malformed},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n", Malformed},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n2\r\n0\r\n", Malformed},
        {"1,0\r\n\"Neujahr\",0,0,1,1\r\n\"Zweiter\",0,0,2,1\r\n", Malformed},
        {"-1,0\r\n", ValueOutOfRange},
        {"0,31\r\n", ValueOutOfRange},
        {"1,0\r\n\"April\",0,0,31,4\r\n", ValueOutOfRange},
        {"1,0\r\n\"Art\",-1,0,1,1\r\n", ValueOutOfRange},
        {"1,0\r\n\"Frei\",1,8,1,1\r\n", ValueOutOfRange},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n1\r\n1\r\n", ValueOutOfRange},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n60\r\n", ValueOutOfRange},
        {"1,0\r\n\"Art\",4,0,1,1\r\n", NewerKind}, // 3 was the newest kind of the versions before
    };
    for (const auto& [data, expected] : cases) {
        FeiertagTabelle t = Sample();
        EXPECT_EQ(t.parse(data), expected) << data;
        EXPECT_EQ(std::pair(t.Feiertage(), t.Sets()), std::pair(Sample().Feiertage(), Sample().Sets())) << data;
    }
    FeiertagTabelle t = Sample();
    QTemporaryDir dir;
    EXPECT_EQ((std::pair{t.read(dir.filePath(u"france.hdy"_s)), t.AnzFeiertage()}), std::pair(Missing, 4));
    // A write that fails says why.
    QString error;
    EXPECT_EQ(t.write(dir.filePath(u"no/such/dir.hdy"_s), &error), WriteFailed);
    EXPECT_FALSE(error.isEmpty());
}

TEST(FeiertagEingabe, ControlsMakeTheRecordAndBack)
{
    // Weekday list index i: Wochentag i - 7 before, i - 6 after.
    for (int i = 0; i < 14; ++i) {
        const Feiertag f = FeiertagAusEingabe({.name = u"x"_s, .art = FeiertagFrei, .tagIndex = 22, .monatIndex = 10, .wochentagIndex = i});
        EXPECT_EQ(std::pair(f.Wochentag, EingabeAusFeiertag(f).wochentagIndex), std::pair(i < 7 ? i - 7 : i - 6, i));
    }
    const TextTable de = German();
    const QStringList weekdays = WochentagVorNachItems(de);
    ASSERT_EQ(weekdays.size(), 14);
    EXPECT_EQ(std::tuple(weekdays[0], weekdays[6], weekdays[7]), std::tuple(u"Sonntag vor"_s, u"Montag vor"_s, u"Montag nach"_s));
    // Wednesday before 23 November: in 2022 the 23rd is a Wednesday, so a week earlier.
    const Feiertag bb = FeiertagAusEingabe({.name = u"Buß- und Bettag"_s, .art = FeiertagFrei, .tagIndex = 22, .monatIndex = 10, .wochentagIndex = static_cast<int>(weekdays.indexOf(u"Mittwoch vor"_s))});
    EXPECT_EQ(std::tuple(bb.Wochentag, FeiertagDatum(bb, 2022), FeiertagDatum(bb, 2024)), std::tuple(-3, CalendarDate{16, 11, 2022}, CalendarDate{20, 11, 2024}));
    EXPECT_EQ(std::tuple(OsterText(82, de), OsterText(80, de), OsterText(121, de)), std::tuple(u"Ostern"_s, u"2 Tag(e) vor Ostern"_s, u"39 Tag(e) nach Ostern"_s));
    EXPECT_EQ(FeiertagAusEingabe(OsterEingabe("Karfreitag", -2)), Ostern("Karfreitag", -2));
}

TEST(FeiertagEingabe, DeletingRenumbersEverySetAndTheFileKeepsIt)
{
    FeiertagTabelle t = Table({Fest("A", 1, 5), Fest("B", 2, 5), Fest("C", 3, 5), Fest("D", 4, 5), Fest("E", 5, 5)}, {{"eins", {4, 1, 2}}, {"zwei", {1, 3}}});
    ASSERT_EQ(t.removeFeiertag(1), FeiertagResult::Ok); // B leaves both sets
    // Every member still names the holiday it named before.
    const auto names = [&t](std::size_t set) {
        QStringList out;
        for (const int m : t.Sets()[set].SetGlied) out << t.Feiertage()[static_cast<std::size_t>(m)].Name;
        return out;
    };
    EXPECT_EQ(std::pair(names(0), names(1)), std::pair(QStringList{u"E"_s, u"C"_s}, QStringList{u"D"_s}));
    EXPECT_EQ((std::pair{t.removeFromSet(0, 3), t.removeFromSet(0, 3)}), std::pair(FeiertagResult::Ok, FeiertagResult::NotMember)); // E
    FeiertagTabelle back;
    ASSERT_EQ(back.parse(t.fileText()), FeiertagResult::Ok);
    EXPECT_EQ(back.Sets(), t.Sets());
}

// The dates of a set for some years, ordered by date, and their exports: an
// iCalendar file of all-day events (CR LF, folded at 75 bytes, text values
// escaped) and a table.
TEST(FeiertagKalender, DatesOfASetForSomeYearsAndTheirExports)
{
    FeiertagTabelle t = Table({Feiertag{u"Ostersonntag"_s, FeiertagOstern, 0, 0, 0}, Fest("Neujahr", 1, 1), Fest("Schalttag", 29, 2), Feiertag{u"Buß- und Bettag im Freistaat Sachsen vor dem dreiundzwanzigsten November"_s, FeiertagFrei, -3, 23, 11}}, {{"Sachsen", {3, 0, 2}}});
    EXPECT_EQ(t.addFeiertag(Feiertag{u"Buß- und Bettag; \"Mittwoch\""_s, FeiertagFrei, -3, 23, 11}), FeiertagResult::NameSeparator);
    // Easter Sunday of the set in a year of each century.
    for (const CalendarDate& easter : {CalendarDate{23, 4, 2000}, CalendarDate{25, 3, 2046}}) {
        const std::vector<FeiertagTermin> one = FeiertagTermine(t, 0, easter.year, 1);
        EXPECT_TRUE(std::find(one.begin(), one.end(), FeiertagTermin{easter, u"Ostersonntag"_s, 0}) != one.end()) << easter.year;
    }
    EXPECT_EQ(FeiertagTermine(t, -1, 2024, 1).size(), 4u); // every holiday of the table
    std::vector<FeiertagTermin> termine = FeiertagTermine(t, 0, 2023, 3);
    // Three years of the set, the leap day only in 2024, ordered by date.
    ASSERT_EQ(termine.size(), 7u);
    const auto q = [](const CalendarDate& d) { return QDate(d.year, d.month, d.day); };
    for (std::size_t i = 1; i < termine.size(); ++i) EXPECT_LT(q(termine[i - 1].date), q(termine[i].date)) << i;
    EXPECT_EQ(termine[2].date, (CalendarDate{29, 2, 2024}));
    termine.push_back({{1, 5, 2026}, u"Tag; der, Arbeit\\"_s, 0});
    EXPECT_EQ(QString::fromUtf8(FeiertagIcs(termine, u"Sachsen"_s, QDateTime(QDate(2026, 12, 7), QTime(8, 0), QTimeZone::utc()))), QString::fromUtf8(readFile(testData(u"calendar/sachsen.ics"_s))));
    EXPECT_EQ(QString::fromUtf8(FeiertagCsv(termine)), QString::fromUtf8(readFile(testData(u"calendar/sachsen.csv"_s))));
}

TEST(ShippedData, FilesLoadAndWriteBackByteForByte)
{
    for (const char* language : {"deutsch", "english", "france"}) {
        SCOPED_TRACE(language);
        PlaceList places;
        ASSERT_EQ(places.read(Shipped(language, ".ord")), PlaceFileResult::Ok);
        EXPECT_GE(places.count(), 40);
        std::set<QString> names;
        for (const Place& p : places.places()) {
            names.insert(p.name);
            // Places of Europe and the French-speaking world, whole-hour zones; German ones in Central European Time.
            EXPECT_TRUE(p.breite() >= 35.0f && p.breite() <= 65.0f && p.zone() % 60 == 0 && (language[0] != 'd' || p.zone() == -60)) << p.name.toStdString();
        }
        EXPECT_EQ(names.size(), places.places().size());
        EXPECT_EQ(places.fileText(), readFile(Shipped(language, ".ord")));
        if (language[0] == 'd') { EXPECT_EQ(places.places().front(), Place::fromLocation(u"Berlin"_s, -13.5f, 52.5f, -60)); }
        const FeiertagTabelle holidays = ShippedHolidays(language);
        EXPECT_GE(holidays.AnzSets(), 4);
        for (const FeiertagSet& s : holidays.Sets()) EXPECT_GE(s.SetGlied.size(), 8u) << s.SetName.toStdString();
        EXPECT_EQ(holidays.fileText(), readFile(Shipped(language, ".hdy")));
    }
}

// The sets of the shipped holiday files against the public calendars: every
// date of a set in a year, substitute days (marked *) of the British and Irish
// bank holidays on a Saturday or Sunday.
TEST(ShippedData, SetsGiveTheRealDates)
{
    const std::tuple<const char*, const char*, int> cases[] = {
        {"deutsch", "Sachsen", 2024},
        {"deutsch", "Bayern", 2025},
        {"deutsch", "Deutschland (bundesweit)", 2025},
        {"english", "England and Wales", 2022}, // Christmas on a Sunday: Boxing Day the Monday, the substitute the Tuesday
        {"english", "England and Wales", 2024},
        {"english", "England and Wales", 2027}, // Christmas on a Saturday, Boxing Day on the Sunday: Monday and Tuesday
        {"english", "England and Wales", 2028},
        {"english", "Scotland", 2022},
        {"english", "Scotland", 2024},
        {"english", "Northern Ireland", 2026},
        {"english", "Ireland", 2024},
        {"france", "France", 2024},
        {"france", "Alsace-Moselle", 2024},
    };
    QByteArray all;
    for (const auto& [file, set, year] : cases) {
        const FeiertagTabelle t = ShippedHolidays(file);
        const int s = t.findSet(QString::fromUtf8(set));
        ASSERT_GE(s, 0) << set;
        const std::vector<FeiertagTermin> termine = FeiertagTermine(t, s, year, 1, u"*"_s);
        for (const FeiertagTermin& x : termine) EXPECT_EQ(x.ersatz, x.name.endsWith(u'*')) << x.name.toStdString();
        all += QByteArray("# ") + file + ", " + set + ", " + QByteArray::number(year) + "\r\n" + FeiertagCsv(termine);
    }
    EXPECT_EQ(QString::fromUtf8(all), QString::fromUtf8(readFile(testData(u"calendar/shipped-sets.csv"_s))));
}
