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

#include <map>
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
        {FeiertagDatum(Ostern("Pfingstmontag", 50), 2024), CalendarDate{20, 5, 2024}}, {FeiertagDatum(Ostern("Fronleichnam", 60), 2000), CalendarDate{22, 6, 2000}},
        {FeiertagDatum(Ostern("early", -82), 2008), CalendarDate{1, 1, 2008}}, {FeiertagDatum(Fest("Einheit", 3, 10), 2030), CalendarDate{3, 10, 2030}},
        {FeiertagDatum(Fest("Schalttag", 29, 2), 2023), std::nullopt}, {FeiertagDatum(Fest("Schalttag", 29, 2), 2100), CalendarDate{29, 2, 2100}},
        {FeiertagDatum(Feiertag{u"x"_s, 7, 0, 1, 1}, 2023), std::nullopt}};
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
    // The year search starts with the first date not before today.
    const Feiertag karfreitag = Ostern("Karfreitag", -2);
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {29, 3, 2024}, 1), (std::vector<CalendarDate>{{29, 3, 2024}}));
    EXPECT_EQ(FeiertagDatenAb(karfreitag, {30, 3, 2024}, 3), (std::vector<CalendarDate>{{18, 4, 2025}, {3, 4, 2026}, {26, 3, 2027}}));
    EXPECT_EQ(FeiertagDatenAb(Fest("Schalttag", 29, 2), {1, 3, 2024}, 2), (std::vector<CalendarDate>{{29, 2, 2028}}));
    // Years of weekday-rule holidays: 2..30 on devices with movable holidays, else one.
    EXPECT_EQ(std::tuple(JahreFreieFtChoices(1)[static_cast<std::size_t>(JahreFreieFtChoiceIndex(1, DefaultJahreFreieFt(1)))], JahreFreieFtChoices(1).back(), JahreFreieFtChoices(0)), std::tuple(14, 30, std::vector<int>{DefaultJahreFreieFt(0)}));
}

TEST(FeiertagTabelle, RefusalsAndSetLimits)
{
    FeiertagTabelle t = Sample();
    EXPECT_EQ(std::pair(t.FeiertagName(80), t.FeiertagName(82)), std::pair(u"Karfreitag"_s, QString())); // Easter code 82 + offset
    const std::pair<Feiertag, FeiertagResult> refused[] = {
        {Fest("", 1, 5), FeiertagResult::EmptyName}, {Fest("Neujahr", 1, 1), FeiertagResult::Duplicate}, {Fest("a\"b", 1, 5), FeiertagResult::NameSeparator},
        {Fest("April", 31, 4), FeiertagResult::InvalidValues}, {Feiertag{u"kein Wochentag"_s, FeiertagFrei, 0, 1, 5}, FeiertagResult::InvalidValues}, {Ostern("zu weit", 174), FeiertagResult::InvalidValues}};
    for (const auto& [feiertag, result] : refused) EXPECT_EQ(t.addFeiertag(feiertag), result) << feiertag.Name.toStdString();
    EXPECT_EQ(std::pair(t.AnzFeiertage(), t.removeFeiertag(7)), std::pair(4, FeiertagResult::NoSuchHoliday));

    FeiertagTabelle full;
    for (int i = 0; i < 60; ++i) ASSERT_EQ(full.addFeiertag(Ostern("x", i)), FeiertagResult::Ok);
    for (int s = 0; s < kMaxFeiertagSets; ++s) ASSERT_EQ(full.addSet(QStringLiteral("Set %1").arg(s)), FeiertagResult::Ok);
    for (int i = 0; i < kMaxSetGlieder; ++i) ASSERT_EQ(full.addToSet(5, i), FeiertagResult::Ok);
    EXPECT_EQ((std::vector{full.addSet(u"one more"_s), full.addToSet(5, 59), full.addToSet(6, 3), full.addToSet(6, 3), full.removeFromSet(6, 4), full.removeSet(0)}),
              (std::vector{FeiertagResult::TooManySets, FeiertagResult::SetFull, FeiertagResult::Ok, FeiertagResult::AlreadyMember, FeiertagResult::NotMember, FeiertagResult::Ok}));
    EXPECT_EQ(std::pair(full.findSet(u"Set 6"_s), full.Sets()[5].SetGlied), std::pair(5, std::vector<int>{3}));
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
        {"", Malformed}, {"1\r\n", Malformed}, {"1,0\r\n\"Neujahr\",0,0,1\r\n", Malformed}, {"1,0\r\n\"Neujahr\",0,0,x,1\r\n", Malformed},
        {"2,0\r\n\"Neujahr\",0,0,1,1\r\n", Malformed}, {"1,1\r\n\"Neujahr\",0,0,1,1\r\n", Malformed}, {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n2\r\n0\r\n", Malformed},
        {"1,0\r\n\"Neujahr\",0,0,1,1\r\n\"Zweiter\",0,0,2,1\r\n", Malformed}, {"-1,0\r\n", ValueOutOfRange}, {"0,31\r\n", ValueOutOfRange},
        {"1,0\r\n\"April\",0,0,31,4\r\n", ValueOutOfRange}, {"1,0\r\n\"Art\",-1,0,1,1\r\n", ValueOutOfRange}, {"1,0\r\n\"Frei\",1,8,1,1\r\n", ValueOutOfRange},
        {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n1\r\n1\r\n", ValueOutOfRange}, {"1,1\r\n\"Neujahr\",0,0,1,1\r\n\"S\"\r\n60\r\n", ValueOutOfRange},
        {"1,0\r\n\"Art\",4,0,1,1\r\n", NewerKind}}; // 3 was the newest kind of the versions before
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

TEST(FeiertagEingabe, RefusalsAndLimits)
{
    FeiertagTabelle t;
    // Easter falls from 22 March (day 81) on: 80 days before it stay in the year.
    const std::pair<FeiertagEingabe, FeiertagResult> cases[] = {
        {FestEingabe("   ", 1, 1), FeiertagResult::EmptyName}, {FestEingabe("Tag, der", 1, 1), FeiertagResult::NameSeparator}, {FestEingabe("Februar", 30, 2), FeiertagResult::InvalidValues},
        {FestEingabe("Schalttag", 29, 2), FeiertagResult::Ok}, {OsterEingabe("zu früh", -81), FeiertagResult::InvalidValues}, {OsterEingabe("früh", -80), FeiertagResult::Ok}, {OsterEingabe("spät", 173), FeiertagResult::Ok}};
    for (const auto& [eingabe, expected] : cases) EXPECT_EQ(t.addFeiertag(FeiertagAusEingabe(eingabe)), expected) << eingabe.name.toStdString();
    const TextTable de = German();
    EXPECT_EQ(std::tuple(FeiertagMessage(FeiertagResult::NameSeparator, de)->render(de), FeiertagMessage(FeiertagResult::TooManySets, de)->render(de), FeiertagMessage(FeiertagResult::SetFull, de)->render(de), FeiertagMessage(FeiertagResult::Ok, de).has_value()),
              std::tuple(u"Der Name darf weder Komma noch Anführungszeichen enthalten !"_s, de(TextId::MemoryFull), de(TextId::MemoryFull), false));
    // The scroll bar cannot reach a date outside the year in any year.
    for (int year = kFeiertagFirstYear; year <= kFeiertagLastYear; ++year)
        for (const int wert : {kOsterWertMin, kOsterWertMax}) ASSERT_EQ(FeiertagDatum(FeiertagAusEingabe(OsterEingabe("x", wert - 82)), year).value_or(CalendarDate{}).year, year);
    EXPECT_EQ((std::vector{t.addSet(u"Schule, Nord"_s), t.addSet(u"Schule"_s), t.addSet(u"Schule"_s)}), (std::vector{FeiertagResult::NameSeparator, FeiertagResult::Ok, FeiertagResult::DuplicateSet}));
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

TEST(ShippedData, SetsGiveTheRealDates)
{
    const struct {
        const char *file, *set;
        int year;
        std::size_t size;                                 // 0: not checked
        std::vector<std::pair<const char*, QDate>> dates; // an invalid date: not in the set
    } cases[] = {
        {"deutsch", "Sachsen", 2024, 0, {{"Buß- und Bettag", {2024, 11, 20}}, {"Karfreitag", {2024, 3, 29}}, {"Christi Himmelfahrt", {2024, 5, 9}}, {"Pfingstmontag", {2024, 5, 20}}, {"Reformationstag", {2024, 10, 31}}}},
        {"deutsch", "Bayern", 2025, 13, {{"Fronleichnam", {2025, 6, 19}}}},
        {"deutsch", "Deutschland (bundesweit)", 2025, 9, {}},
        {"english", "England and Wales", 2024, 0, {{"Early May bank holiday", {2024, 5, 6}}, {"Spring bank holiday", {2024, 5, 27}}, {"Summer bank holiday", {2024, 8, 26}}}},
        {"english", "Scotland", 2024, 0, {{"August bank holiday (Scotland, Ireland)", {2024, 8, 5}}, {"2nd January", {2024, 1, 2}}, {"Easter Monday", {}}}},
        {"france", "France", 2024, 11, {{"Lundi de Pentecôte", {2024, 5, 20}}}},
        {"france", "Alsace-Moselle", 2024, 13, {{"Vendredi saint", {2024, 3, 29}}, {"Saint-Étienne", {2024, 12, 26}}}},
    };
    for (const auto& c : cases) {
        const FeiertagTabelle t = ShippedHolidays(c.file);
        const int s = t.findSet(QString::fromUtf8(c.set));
        ASSERT_GE(s, 0) << c.set;
        std::map<QString, QDate> dates;
        for (const int m : t.Sets()[static_cast<std::size_t>(s)].SetGlied) {
            const Feiertag& f = t.Feiertage()[static_cast<std::size_t>(m)];
            const CalendarDate d = FeiertagDatum(f, c.year).value_or(CalendarDate{});
            dates[f.Name] = QDate(d.year, d.month, d.day);
            EXPECT_TRUE(dates[f.Name].isValid()) << f.Name.toStdString();
        }
        EXPECT_TRUE(c.size == 0 || dates.size() == c.size) << c.set << ' ' << dates.size();
        for (const auto& [name, date] : c.dates) EXPECT_EQ(dates.contains(QString::fromUtf8(name)) ? dates[QString::fromUtf8(name)] : QDate(), date) << c.set << ": " << name;
    }
}

TEST(ShippedData, SubstituteBankHolidays)
{
    const std::tuple<const char*, int, std::vector<QDate>> cases[] = {
        // Christmas on a Saturday, Boxing Day on the Sunday: Monday and Tuesday.
        {"England and Wales", 2027, {QDate(2027, 12, 27), QDate(2027, 12, 28)}},
        {"England and Wales", 2028, {QDate(2028, 1, 3)}},
        // Christmas on a Sunday: Boxing Day is the Monday, the substitute the Tuesday.
        {"England and Wales", 2022, {QDate(2022, 1, 3), QDate(2022, 12, 27)}},
        {"Scotland", 2022, {QDate(2022, 1, 3), QDate(2022, 1, 4), QDate(2022, 12, 27)}},
        {"Northern Ireland", 2026, {QDate(2026, 7, 13), QDate(2026, 12, 28)}},
        {"Ireland", 2024, {QDate(2024, 3, 18)}},
        {"England and Wales", 2025, {}},
    };
    const FeiertagTabelle t = ShippedHolidays("english");
    for (const auto& [set, year, substitutes] : cases) {
        std::vector<QDate> found;
        for (const FeiertagTermin& termin : FeiertagTermine(t, t.findSet(QString::fromUtf8(set)), year, 1, u"*"_s)) {
            EXPECT_EQ(termin.ersatz, termin.name.endsWith(u'*'));
            if (termin.ersatz) found.push_back(QDate(termin.date.year, termin.date.month, termin.date.day));
        }
        EXPECT_EQ(found, substitutes) << set << ' ' << year;
    }
}
