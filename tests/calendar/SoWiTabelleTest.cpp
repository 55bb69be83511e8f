#include "calendar/SoWiTabelleEingabe.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

DstEntry Row(int fd, int fm, int bd, int bm)
{
    return DstEntry{DstChangeover{fd, fm, 2, 1}, DstChangeover{bd, bm, 3, 1}};
}

ProgramModel ModelIn(int year)
{
    ProgramModel model;
    model.clock = [year] { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
    return model;
}

DstEntry RowOf(const ProgramSlot& s, int i)
{
    return DecodeDstRow(s.SoWiTab[static_cast<std::size_t>(i)]);
}

} // namespace

TEST(SoWiTabelle, EuropeanTableWithRepeatedDatesAndTheFullTable)
{
    ProgramModel model = ModelIn(2000);
    // 2000 to 2019 by the European rule: 2000 and 2006 share 26.3. and 29.10.
    for (int year = 2000; year < 2000 + kDstRows; ++year) {
        SoWiTabelleEingabe e(model, SoWiNeu);
        ASSERT_EQ(e.check(), SoWiTabelleEingabe::Open::Ready);
        EXPECT_EQ(e.year(), year);
        e.neu({4, 6}, {4, 6}); // last Sunday of the months of the last row (or March/October)
        const SommerzeitTage rule = RegelTage(SwEuropa, year);
        EXPECT_EQ(DayOfYear(e.entry().forward.day, e.entry().forward.month, year), rule.forward) << year;
        EXPECT_EQ(DayOfYear(e.entry().back.day, e.entry().back.month, year), rule.back) << year;
        const SoWiTabelleEingabe::Outcome o = e.ok();
        ASSERT_TRUE(o.check.ok()) << year << " refused with " << static_cast<int>(o.check.code);
        EXPECT_EQ(o.finished, year == 2000 + kDstRows - 1);
    }
    ASSERT_EQ(model.program().AnzSoWi, kDstRows);
    EXPECT_EQ(RowOf(model.program(), 0), RowOf(model.program(), 6));
    EXPECT_EQ(SoWiBezugsjahr(model.program()), 2000);
    // The 21st row is refused on opening and on OK, and the table stays.
    SoWiTabelleEingabe more(model, SoWiNeu);
    EXPECT_EQ(more.check(), SoWiTabelleEingabe::Open::TableFull);
    EXPECT_EQ(more.ok().check.code, SoWiCheck::TableFull);
    EXPECT_EQ(model.program().AnzSoWi, kDstRows);
    const TextTable de = [] { TextTable t; t.LoadGerman(); return t; }();
    EXPECT_EQ(SoWiMessage(more.ok().check, de)->render(de), de(TextId::MemoryFull));
}

TEST(SoWiTabelle, RefusalsOfTheDialog)
{
    ProgramModel model = ModelIn(2023);
    SoWiTabelleEingabe first(model, SoWiNeu);
    first.setYear(2023);
    first.entry() = Row(29, 2, 29, 10); // 2023 has no 29 February
    EXPECT_EQ(first.ok().check.code, SoWiCheck::InvalidEntry);
    first.entry() = Row(26, 3, 29, 10);
    ASSERT_TRUE(first.ok().check.ok());
    SoWiTabelleEingabe leap(model, SoWiNeu);
    EXPECT_EQ(leap.year(), 2024);
    EXPECT_FALSE(leap.yearEditable());
    leap.entry() = Row(29, 2, 29, 10);
    EXPECT_TRUE(leap.ok().check.ok());
    EXPECT_EQ(std::pair(model.program().AnzSoWi, model.Geaendert), std::pair(2, 1));
    const TextTable de = [] { TextTable t; t.LoadGerman(); return t; }();
    EXPECT_EQ(SoWiMessage({SoWiCheck::SameDateExists, 3}, de)->render(de),
              QStringLiteral("Gleiches Datum bereits vorhanden in Nr. 3"));
    EXPECT_EQ(SoWiMessage({SoWiCheck::SameStartEnd, 0}, de)->render(de), QStringLiteral("Anfangs- und Enddatum gleich"));
}

TEST(SoWiTabelle, ChangeAndCopyOfMarkedRows)
{
    ProgramModel model = ModelIn(2010);
    for (const DstEntry& r : {Row(28, 3, 31, 10), Row(27, 3, 30, 10), Row(25, 3, 28, 10), Row(31, 3, 27, 10)}) {
        SoWiTabelleEingabe e(model, SoWiNeu);
        e.entry() = r;
        ASSERT_TRUE(e.ok().check.ok());
    }
    // Change rows 2..3: each is shown in turn and overwritten; keeping its
    // own dates is no conflict.
    SoWiTabelleEingabe change(model, SoWiAendern, kProgramSlot, 1, 2);
    ASSERT_EQ(change.check(), SoWiTabelleEingabe::Open::Ready);
    EXPECT_EQ(change.entry(), Row(27, 3, 30, 10));
    EXPECT_EQ(change.year(), 2011);
    change.entry().forward.hour = 1;
    SoWiTabelleEingabe::Outcome o = change.ok();
    EXPECT_EQ(std::tuple(o.check.ok(), o.finished, change.entry()), std::tuple(true, false, Row(25, 3, 28, 10)));
    o = change.ok();
    EXPECT_EQ(std::pair(o.check.ok(), o.finished), std::pair(true, true));
    EXPECT_EQ(std::tuple(model.program().AnzSoWi, RowOf(model.program(), 1).forward.hour, RowOf(model.program(), 2)),
              std::tuple(4, 1, Row(25, 3, 28, 10)));

    // Copy rows 1..2 of the sample: appended after the program's rows.
    model.slot(kSampleSlot) = model.program();
    SoWiTabelleEingabe copy(model, SoWiKopieren, kSampleSlot, 0, 1);
    EXPECT_EQ(copy.targetIndex(), 4);
    ASSERT_TRUE(copy.ok().check.ok());
    o = copy.ok();
    EXPECT_EQ(std::pair(o.check.ok(), o.finished), std::pair(true, true));
    ASSERT_EQ(model.program().AnzSoWi, 6);
    EXPECT_EQ(std::pair(RowOf(model.program(), 4), RowOf(model.program(), 5)), std::pair(RowOf(model.program(), 0), RowOf(model.program(), 1)));

    // Change and copy need a marked row.
    EXPECT_EQ(SoWiTabelleEingabe(model, SoWiAendern, kProgramSlot, -1, -1).check(),
              SoWiTabelleEingabe::Open::NothingMarked);
    EXPECT_EQ(SoWiTabelleEingabe(model, SoWiKopieren, kProgramSlot, 9, 9).check(),
              SoWiTabelleEingabe::Open::NothingMarked);

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
    EXPECT_EQ(NterWochentag(4, 6, 1, 1996), 25);
    e.setYear(1900);
    EXPECT_EQ(e.year(), e.minYear());
}

TEST(SoWiTabelle, FillFromTheTimeZoneDatabase)
{
    // Northern and southern hemisphere, each checked against the database's transitions.
    for (const char* id : {"Europe/Berlin", "America/Santiago", "Australia/Sydney"}) {
        const QTimeZone zone(id);
        ASSERT_TRUE(zone.isValid()) << id;
        const SoWiZoneResult r = SoWiZeilenAusZeitzone(id, 2024, 5);
        ASSERT_TRUE(r.ok()) << id << " failed in " << r.year;
        ASSERT_EQ(r.rows.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            const int year = 2024 + i;
            const DstEntry& row = r.rows[static_cast<std::size_t>(i)];
            // Noon the day before and the day after each changeover: the
            // offset grows by the shift forward and shrinks by it back.
            const auto offsetJump = [&zone, year](const DstChangeover& c) {
                const QDate day(year, c.month, c.day);
                return zone.offsetFromUtc(QDateTime(day.addDays(1), QTime(12, 0), zone))
                    - zone.offsetFromUtc(QDateTime(day.addDays(-1), QTime(12, 0), zone));
            };
            EXPECT_EQ(offsetJump(row.forward), row.forward.shift * 3600) << id << " " << year;
            EXPECT_EQ(offsetJump(row.back), -row.back.shift * 3600) << id << " " << year;
            // Exactly one forward and one back change in the year by the database.
            int changes = 0;
            for (const QTimeZone::OffsetData& t :
                 zone.transitions(QDateTime(QDate(year, 1, 1), QTime(12, 0), QTimeZone::utc()),
                                  QDateTime(QDate(year, 12, 31), QTime(12, 0), QTimeZone::utc())))
                changes += t.atUtc.isValid() ? 1 : 0;
            EXPECT_EQ(changes, 2) << id << " " << year;
        }
        ProgramModel model;
        ASSERT_TRUE(FillSoWiTabelle(model.program(), 2024, r.rows, 0).ok());
        EXPECT_EQ(model.program().AnzSoWi, 5);
        EXPECT_EQ(SoWiBezugsjahr(model.program()), 2024);
    }
    const SoWiZoneResult berlin = SoWiZeilenAusZeitzone("Europe/Berlin", 2024, 1);
    EXPECT_EQ(berlin.rows.front(), (DstEntry{DstChangeover{31, 3, 2, 1}, DstChangeover{27, 10, 3, 1}}));
    const SoWiZoneResult santiago = SoWiZeilenAusZeitzone("America/Santiago", 2024, 1);
    EXPECT_EQ(santiago.rows.front(), (DstEntry{DstChangeover{8, 9, 0, 1}, DstChangeover{7, 4, 0, 1}}));
    // Forward late in the year, back early: summer time runs over the year end.
    ProgramModel south;
    south.device.SwRegel = SwTabelle;
    ASSERT_TRUE(FillSoWiTabelle(south.program(), 2023, SoWiZeilenAusZeitzone("Australia/Sydney", 2023, 3).rows, 0).ok());
    EXPECT_TRUE(IstSommerzeit(south, kProgramSlot, 15, 1, 2024));
    EXPECT_FALSE(IstSommerzeit(south, kProgramSlot, 15, 7, 2024));

    EXPECT_EQ(SoWiZeilenAusZeitzone("Mars/Olympus", 2024, 3).code, SoWiZoneCheck::UnknownZone);
    EXPECT_EQ(SoWiZeilenAusZeitzone("Asia/Tokyo", 2024, 3).code, SoWiZoneCheck::NoSingleChangeover);
    EXPECT_EQ(SoWiZeilenAusZeitzone("Australia/Lord_Howe", 2024, 1).code, SoWiZoneCheck::ShiftNotWholeHours);
    EXPECT_EQ(SoWiZeilenAusZeitzone("Europe/Berlin", 2070, 20).code, SoWiZoneCheck::YearRange);
    ProgramModel model;
    EXPECT_EQ(FillSoWiTabelle(model.program(), 1996, berlin.rows, 0).zone, SoWiZoneCheck::YearRange);
    EXPECT_EQ(model.program().AnzSoWi, 0);
}
