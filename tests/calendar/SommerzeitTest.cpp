#include "calendar/SoWiEingabe.h"
#include "calendar/SoWiTabelleEingabe.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QDate>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace Qt::StringLiterals;

namespace {

// Easter Sunday by the anonymous Gregorian algorithm (Meeus, Jones, Butcher),
// a different published method than the devices' Gauss rule.
QDate AnonymousGregorianEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    return QDate(y, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}

// The Sunday in the seven days before the given day, by Qt's calendar.
int SundayBefore(int year, int month, int day)
{
    QDate d = QDate(year, month, day).addDays(-1);
    while (d.dayOfWeek() != Qt::Sunday) d = d.addDays(-1);
    return d.dayOfYear();
}

DstEntry Row(int fd, int fm, int bd, int bm) { return DstEntry{DstChangeover{fd, fm, 2, 1}, DstChangeover{bd, bm, 3, 1}}; }
DstEntry RowOf(const ProgramSlot& s, int i) { return DecodeDstRow(s.SoWiTab[static_cast<std::size_t>(i)]); }

ProgramModel ModelIn(int year)
{
    ProgramModel model;
    model.clock = [year] { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
    return model;
}

TextTable German()
{
    TextTable t;
    t.LoadGerman();
    return t;
}

} // namespace

TEST(CalendarMath, EasterMatchesAnIndependentAlgorithm1900To2099)
{
    for (int year = 1900; year <= 2099; ++year) {
        const QDate e = AnonymousGregorianEaster(year);
        EXPECT_EQ(DateOfDayOfYear(OsterTag(year), year), (CalendarDate{e.day(), e.month(), year})) << year;
    }
}

// 1901..2099: the devices' every-fourth-year rule agrees with the civil one.
TEST(CalendarMath, DaysOfTheYearMatchCivilCalendar)
{
    for (QDate d(1901, 1, 1); d.year() < 2100; d = d.addDays(1)) {
        const int doy = d.dayOfYear(), y = d.year();
        ASSERT_EQ(std::tuple(DayOfYear(d.day(), d.month(), y), DateOfDayOfYear(doy, y), MonthOfDayOfYear(doy, y), DayOfMonthOfDayOfYear(doy, y), TageImMonat(d.month(), y), y < 1993 || WochentagVon(d.day(), d.month(), y) == d.dayOfWeek()),
                  std::tuple(doy, CalendarDate{d.day(), d.month(), y}, d.month(), d.day(), d.daysInMonth(), true))
            << d.toString(Qt::ISODate).toStdString();
    }
    // The devices count 2100 as a leap year; day 366 of a common year is "32 December".
    EXPECT_EQ(std::tuple(TageImMonat(2, 2100), TageBisMonatsende(12, 2100), DayOfMonthOfDayOfYear(366, 2023)), std::tuple(29, 366, 32));
    // Day numbers outside the year run into the neighbouring years.
    EXPECT_EQ(std::tuple(DateOfDayOfYear(0, 2024), DateOfDayOfYear(-365, 2024), DateOfDayOfYear(367, 2024)), std::tuple(CalendarDate{31, 12, 2023}, CalendarDate{31, 12, 2022}, CalendarDate{1, 1, 2025}));
    // Dates compare year first, then month, then day: the later one is -1.
    EXPECT_EQ(std::tuple(CompareDates({1, 1, 2024}, {31, 12, 2023}), CompareDates({1, 3, 2024}, {29, 2, 2024}), CompareDates({28, 2, 2024}, {29, 2, 2024}), CompareDates({5, 5, 2025}, {5, 5, 2025})), std::tuple(-1, -1, 1, 0));
}

// Week 0..3 the first to fourth such weekday, week 4 the last (in the month's
// last seven days); SonntagVor is checked through the summer-time rule dates.
TEST(CalendarMath, NthWeekdayMatchesCivilCalendar)
{
    for (int year = 1993; year <= 2099; ++year) {
        for (int month = 0; month < 12; ++month) {
            for (int weekday = 0; weekday < 7; ++weekday) {
                std::vector<int> days; // the days of the month with that weekday
                for (QDate d(year, month + 1, 1); d.month() == month + 1; d = d.addDays(1))
                    if (d.dayOfWeek() == weekday + 1) days.push_back(d.day());
                for (int week = 0; week < 5; ++week)
                    ASSERT_EQ(NterWochentag(week, weekday, month, year), week < 4 ? days[static_cast<std::size_t>(week)] : days.back()) << year << " " << month << " " << weekday << " " << week;
            }
        }
    }
    EXPECT_EQ(std::tuple(NterWochentag(5, 0, 0, 2023), NterWochentag(0, 7, 0, 2023), NterWochentag(0, 0, 12, 2023)), std::tuple(0, 0, 0));
}

TEST(Sommerzeit, RuleDatesMatchCivilCalendar1993To2099)
{
    for (int year = 1993; year <= 2099; ++year) {
        const int march = SundayBefore(year, 4, 1), october = SundayBefore(year, 11, 1);
        EXPECT_EQ(std::tuple(RegelTage(SwEuropa, year), RegelTage(SwGrossbritannien, year), RegelTage(SwUsa, year), RegelTage(SwKeine, year).hasChangeover()),
                  std::tuple(SommerzeitTage{march, october}, SommerzeitTage{march, SundayBefore(year, 10, 29)}, SommerzeitTage{SundayBefore(year, 4, 15), october}, false))
            << year;
    }
}

TEST(Sommerzeit, ChangeoverDaysCountAsSummerTime)
{
    ProgramModel model;
    model.device.SwRegel = SwEuropa; // 2000: 26 March to 29 October
    EXPECT_EQ(std::tuple(IstSommerzeit(model, 0, 25, 3, 2000), IstSommerzeit(model, 0, 26, 3, 2000), IstSommerzeit(model, 0, 29, 10, 2000), IstSommerzeit(model, 0, 30, 10, 2000)), std::tuple(false, true, true, false));
    model.device.SwRegel = SwKeine;
    EXPECT_FALSE(IstSommerzeit(model, 0, 15, 7, 2000));
    // A southern table (forward 1 October, back 1 April) runs over the year end.
    for (const int day : {1, 91, 92, 273, 274, 366}) EXPECT_EQ(IstSommerzeit(SommerzeitTage{274, 91}, day), day != 92 && day != 273) << day;
}

TEST(Sommerzeit, TableDatesCountFromTheReferenceYear)
{
    ProgramSlot slot;
    slot.SoWiJahr = 2010 - 1996;
    slot.SoWiInfo = 1; // reference year = first year
    for (const DstEntry& r : {Row(28, 3, 31, 10), Row(27, 3, 30, 10), Row(1, 4, 2, 10)}) ASSERT_TRUE(AddSoWiEntry(slot, r, 1).ok());
    EXPECT_EQ(SoWiBezugsjahr(slot), 2010);
    // Row 0 is never used, row i holds the year reference + i.
    EXPECT_EQ(std::pair(TabellenTage(slot, 2011), TabellenTage(slot, 2012)), std::pair(SommerzeitTage{DayOfYear(27, 3, 2011), DayOfYear(30, 10, 2011)}, SommerzeitTage{DayOfYear(1, 4, 2012), DayOfYear(2, 10, 2012)}));
    for (const int year : {2009, 2010, 2013, 2030}) EXPECT_FALSE(TabellenTage(slot, year).hasChangeover()) << year;
    slot.SoWiInfo = 0; // reference year = first year + 1
    EXPECT_EQ(std::pair(SommerzeitTageVon(SwTabelle, slot, 2012), SommerzeitTageVon(SwEuropa, slot, 2012)), std::pair(SommerzeitTage{DayOfYear(27, 3, 2012), DayOfYear(30, 10, 2012)}, RegelTage(SwEuropa, 2012)));
    slot.SoWiTab[1].b = {0x00, 0x80, 0x00, 0x00}; // a damaged row: month 0
    EXPECT_FALSE(TabellenTage(slot, 2012).hasChangeover());
}

TEST(SoWiEingabe, ChecksOfANewRow)
{
    ProgramSlot slot;
    EXPECT_EQ(AddSoWiEntry(slot, Row(5, 4, 5, 4), 0).code, SoWiCheck::SameStartEnd);
    for (const DstEntry& bad : {Row(1, 15, 1, 10), Row(31, 4, 1, 10), Row(0, 4, 1, 10), DstEntry{DstChangeover{1, 4, 24, 1}, DstChangeover{1, 10, 3, 1}}})
        EXPECT_EQ(AddSoWiEntry(slot, bad, 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(std::pair(ChangeSoWiEntry(slot, 0, Row(1, 4, 1, 10), 0).code, slot.AnzSoWi), std::pair(SoWiCheck::InvalidEntry, 0));
    ASSERT_TRUE(AddSoWiEntry(slot, Row(28, 3, 31, 10), 0).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(27, 3, 30, 10), 0).ok());
    // A date that another year's row has is no conflict: rules repeat their dates.
    ASSERT_TRUE(AddSoWiEntry(slot, Row(29, 3, 30, 10), 1).ok());
    EXPECT_EQ(std::pair(slot.AnzSoWi, slot.SoWiInfo), std::pair(3, 1));
    // Changing row 2 to its own dates is no conflict with itself.
    EXPECT_TRUE(ChangeSoWiEntry(slot, 1, Row(27, 3, 30, 10), 0).ok() && CheckSoWiEntry(slot, Row(28, 3, 1, 11), 1).ok());
    for (int i = 3; i < kDstRows; ++i) ASSERT_TRUE(AddSoWiEntry(slot, Row(1 + i, 4, 1 + i, 9), 0).ok()) << i;
    EXPECT_EQ(std::tuple(AddSoWiEntry(slot, Row(25, 5, 25, 8), 0).code, slot.AnzSoWi, RowOf(slot, kDstRows - 1)), std::tuple(SoWiCheck::TableFull, kDstRows, Row(kDstRows, 4, kDstRows, 9)));
    const TextTable de = German();
    EXPECT_EQ(std::pair(SoWiMessage({SoWiCheck::SameDateExists, 3}, de)->render(de), SoWiMessage({SoWiCheck::SameStartEnd, 0}, de)->render(de)), std::pair(u"Gleiches Datum bereits vorhanden in Nr. 3"_s, u"Anfangs- und Enddatum gleich"_s));
}

TEST(SoWiTabelle, EuropeanTableWithRepeatedDatesAndTheFullTable)
{
    ProgramModel model = ModelIn(2000);
    // 2000 to 2019 by the European rule: 2000 and 2006 share 26.3. and 29.10.
    for (int year = 2000; year < 2000 + kDstRows; ++year) {
        SoWiTabelleEingabe e(model, SoWiNeu);
        ASSERT_EQ(std::pair(e.check(), e.year()), std::pair(SoWiTabelleEingabe::Open::Ready, year));
        e.neu({4, 6}, {4, 6}); // last Sunday of the months of the last row (or March/October)
        const DstEntry& r = e.entry();
        EXPECT_EQ((SommerzeitTage{DayOfYear(r.forward.day, r.forward.month, year), DayOfYear(r.back.day, r.back.month, year)}), RegelTage(SwEuropa, year)) << year;
        const SoWiTabelleEingabe::Outcome o = e.ok();
        ASSERT_TRUE(o.check.ok()) << year << " refused with " << static_cast<int>(o.check.code);
        EXPECT_EQ(o.finished, year == 2000 + kDstRows - 1);
    }
    EXPECT_EQ(std::tuple(model.program().AnzSoWi, RowOf(model.program(), 0), SoWiBezugsjahr(model.program())), std::tuple(kDstRows, RowOf(model.program(), 6), 2000));
    // The 21st row is refused on opening and on OK, and the table stays.
    SoWiTabelleEingabe more(model, SoWiNeu);
    const TextTable de = German();
    EXPECT_EQ((std::tuple{more.check(), more.ok().check.code, model.program().AnzSoWi, SoWiMessage(more.ok().check, de)->render(de)}), std::tuple(SoWiTabelleEingabe::Open::TableFull, SoWiCheck::TableFull, kDstRows, de(TextId::MemoryFull)));
    // A first row of a year without 29 February is refused; the leap year after it takes it.
    ProgramModel leapModel = ModelIn(2023);
    SoWiTabelleEingabe first(leapModel, SoWiNeu);
    first.setYear(2023);
    first.entry() = Row(29, 2, 29, 10);
    EXPECT_EQ(first.ok().check.code, SoWiCheck::InvalidEntry);
    first.entry() = Row(26, 3, 29, 10);
    ASSERT_TRUE(first.ok().check.ok());
    SoWiTabelleEingabe leap(leapModel, SoWiNeu);
    leap.entry() = Row(29, 2, 29, 10);
    EXPECT_EQ((std::tuple{leap.year(), leap.yearEditable(), leap.ok().check.ok(), leapModel.program().AnzSoWi, leapModel.Geaendert}), std::tuple(2024, false, true, 2, 1));
}

TEST(SoWiTabelle, ChangeAndCopyOfMarkedRows)
{
    ProgramModel model = ModelIn(2010);
    for (const DstEntry& r : {Row(28, 3, 31, 10), Row(27, 3, 30, 10), Row(25, 3, 28, 10), Row(31, 3, 27, 10)}) {
        SoWiTabelleEingabe e(model, SoWiNeu);
        e.entry() = r;
        ASSERT_TRUE(e.ok().check.ok());
    }
    // Change rows 2..3: each is shown in turn and overwritten; keeping its own dates is no conflict.
    SoWiTabelleEingabe change(model, SoWiAendern, kProgramSlot, 1, 2);
    EXPECT_EQ(std::tuple(change.check(), change.entry(), change.year()), std::tuple(SoWiTabelleEingabe::Open::Ready, Row(27, 3, 30, 10), 2011));
    change.entry().forward.hour = 1;
    SoWiTabelleEingabe::Outcome o = change.ok();
    EXPECT_EQ(std::tuple(o.check.ok(), o.finished, change.entry()), std::tuple(true, false, Row(25, 3, 28, 10)));
    o = change.ok();
    EXPECT_EQ(std::tuple(o.check.ok(), o.finished, model.program().AnzSoWi, RowOf(model.program(), 1).forward.hour, RowOf(model.program(), 2)), std::tuple(true, true, 4, 1, Row(25, 3, 28, 10)));
    // Copy rows 1..2 of the sample: appended after the program's rows.
    model.slot(kSampleSlot) = model.program();
    SoWiTabelleEingabe copy(model, SoWiKopieren, kSampleSlot, 0, 1);
    EXPECT_EQ(copy.targetIndex(), 4);
    ASSERT_TRUE(copy.ok().check.ok());
    o = copy.ok();
    ASSERT_EQ(std::tuple(o.check.ok(), o.finished, model.program().AnzSoWi), std::tuple(true, true, 6));
    EXPECT_EQ(std::pair(RowOf(model.program(), 4), RowOf(model.program(), 5)), std::pair(RowOf(model.program(), 0), RowOf(model.program(), 1)));
    // Change and copy need a marked row.
    EXPECT_EQ(std::pair(SoWiTabelleEingabe(model, SoWiAendern, kProgramSlot, -1, -1).check(), SoWiTabelleEingabe(model, SoWiKopieren, kProgramSlot, 9, 9).check()), std::pair(SoWiTabelleEingabe::Open::NothingMarked, SoWiTabelleEingabe::Open::NothingMarked));
    // Copied into an empty table, the first row keeps its year.
    ProgramModel other = ModelIn(2030);
    other.slot(kSampleSlot) = model.program();
    SoWiTabelleEingabe fresh(other, SoWiKopieren, kSampleSlot, 2, 2);
    EXPECT_EQ(fresh.year(), 2012);
    ASSERT_TRUE(fresh.ok().check.ok());
    EXPECT_EQ(SoWiBezugsjahr(other.program()), 2012);
}

TEST(SoWiTabelle, AutomaticEntryByTheAssistantsRules)
{
    ProgramModel model = ModelIn(1996);
    SoWiTabelleEingabe e(model, SoWiNeu);
    e.setYear(1997); // the first year a table without the flag can start with
    e.entry() = Row(1, 2, 1, 11);
    e.eingabeautomatik({4, 6}, {0, 6}); // last Sunday of February, first Sunday of November
    EXPECT_EQ(e.entry(), (DstEntry{{23, 2, 2, 1}, {2, 11, 3, 1}}));
    e.setYear(1900);
    EXPECT_EQ(e.year(), e.minYear());
}

TEST(SoWiTabelle, FillFromTheTimeZoneDatabase)
{
    // Northern and southern hemisphere, each against the database's transitions.
    for (const char* id : {"Europe/Berlin", "America/Santiago", "Australia/Sydney"}) {
        const QTimeZone zone(id);
        ASSERT_TRUE(zone.isValid()) << id;
        const SoWiZoneResult r = SoWiZeilenAusZeitzone(id, 2024, 5);
        ASSERT_TRUE(r.ok()) << id << " failed in " << r.year;
        ASSERT_EQ(r.rows.size(), 5u);
        for (int year = 2024; year < 2029; ++year) {
            const DstEntry& row = r.rows[static_cast<std::size_t>(year - 2024)];
            // Noon the day before and the day after each changeover: the offset
            // grows by the shift forward and shrinks by it back.
            const auto jump = [&zone, year](const DstChangeover& c) {
                const QDate day(year, c.month, c.day);
                return zone.offsetFromUtc(QDateTime(day.addDays(1), QTime(12, 0), zone)) - zone.offsetFromUtc(QDateTime(day.addDays(-1), QTime(12, 0), zone));
            };
            // Exactly one forward and one back change in the year by the database.
            const auto changes = zone.transitions(QDateTime(QDate(year, 1, 1), QTime(12, 0), QTimeZone::utc()), QDateTime(QDate(year, 12, 31), QTime(12, 0), QTimeZone::utc()));
            EXPECT_EQ(std::tuple(jump(row.forward), jump(row.back), changes.size()), std::tuple(row.forward.shift * 3600, -row.back.shift * 3600, 2)) << id << " " << year;
        }
        ProgramModel model;
        ASSERT_TRUE(FillSoWiTabelle(model.program(), 2024, r.rows, 0).ok());
        EXPECT_EQ(std::pair(model.program().AnzSoWi, SoWiBezugsjahr(model.program())), std::pair(5, 2024));
    }
    const SoWiZoneResult berlin = SoWiZeilenAusZeitzone("Europe/Berlin", 2024, 1);
    EXPECT_EQ(std::pair(berlin.rows.front(), SoWiZeilenAusZeitzone("America/Santiago", 2024, 1).rows.front()), std::pair(DstEntry{{31, 3, 2, 1}, {27, 10, 3, 1}}, DstEntry{{8, 9, 0, 1}, {7, 4, 0, 1}}));
    // Forward late in the year, back early: summer time runs over the year end.
    ProgramModel south;
    south.device.SwRegel = SwTabelle;
    ASSERT_TRUE(FillSoWiTabelle(south.program(), 2023, SoWiZeilenAusZeitzone("Australia/Sydney", 2023, 3).rows, 0).ok());
    EXPECT_EQ(std::pair(IstSommerzeit(south, kProgramSlot, 15, 1, 2024), IstSommerzeit(south, kProgramSlot, 15, 7, 2024)), std::pair(true, false));
    EXPECT_EQ((std::vector{SoWiZeilenAusZeitzone("Mars/Olympus", 2024, 3).code, SoWiZeilenAusZeitzone("Asia/Tokyo", 2024, 3).code, SoWiZeilenAusZeitzone("Australia/Lord_Howe", 2024, 1).code, SoWiZeilenAusZeitzone("Europe/Berlin", 2070, 20).code}),
              (std::vector{SoWiZoneCheck::UnknownZone, SoWiZoneCheck::NoSingleChangeover, SoWiZoneCheck::ShiftNotWholeHours, SoWiZoneCheck::YearRange}));
    ProgramModel model;
    EXPECT_EQ(std::pair(FillSoWiTabelle(model.program(), 1996, berlin.rows, 0).zone, model.program().AnzSoWi), std::pair(SoWiZoneCheck::YearRange, 0));
}
