#include "editing/DeleteRows.h"
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "editing/PrioPeek.h"
#include "editing/PriorityTimeEntry.h"
#include "editing/SwitchingTimeEntry.h"
#include "model/UserInteraction.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using zendrik::test::textsIn;

namespace {

struct Program {
    ProgramModel model;
    AssistantSettings settings;
    ScriptedInteraction yes = ScriptedInteraction::answering(true);

    explicit Program(int row = kRow731FourChannels) { startProgram(model, row); }
    const ProgramSlot& slot() const { return model.program(); }
    std::vector<Entry> entries() const { return {slot().Eintrag.begin(), slot().Eintrag.begin() + slot().AnzEintrag}; }
    std::tuple<int, int, int> counts() const { return {slot().AnzSz, slot().AnzPz, slot().AnzEintrag}; }
    // The list of a view of slot 0 with rows first..last (1-based) marked.
    EntrySource marked(int ansicht, int first, int last) const
    {
        const int mode = ansicht == AnsichtPrioritaetszeiten ? kDisplayPriority : kDisplaySwitching;
        return EntrySource{kProgramSlot, BuildDisplayList(model, ListFilter{}, mode, kProgramSlot), MarkRange::fromGrid(first, last)};
    }
    // A priority time of channel 1 for a holiday, the years the device keeps.
    PriorityTimeEntry holiday(const Feiertag& ft, int years)
    {
        model.device.JahreFreieFt = years;
        PriorityTimeEntry entry(model, settings, yes);
        std::tie(entry.fields().kanal.kanaele, entry.fields().zustand, entry.fields().bewFeiertag, entry.fields().feiertag) = std::tuple(1, 0, true, ft);
        return entry;
    }
};

// Mo 07:00 ON, channel 1.
SwitchingTimeFields mondaySeven(int state = 1, int pulse = 0)
{
    SwitchingTimeFields f;
    f.stunde = 7;
    f.setWeekday(0, true);
    std::tie(f.kanal.kanaele, f.zustand, f.impuls) = std::tuple(1, state, pulse);
    return f;
}

} // namespace

TEST(EntrySession, ConflictOutcomes)
{
    struct Case { SwitchingTimeFields existing, entered; Answer answer; EntryResult want; std::optional<TextId> asked; std::vector<Entry> wantEntries; };
    const Entry on = BuildWeeklyEntry(420, 1, 1, 1, 0, 0);
    const Case cases[] = {
        {mondaySeven(), mondaySeven(), Answer::Yes, EntryResult::Exists, std::nullopt, {on}},
        {mondaySeven(), mondaySeven(0), Answer::Yes, EntryResult::Overwritten, TextId::SwitchingTimeOtherState, {BuildWeeklyEntry(420, 1, 1, 0, 0, 0)}},
        {mondaySeven(), mondaySeven(0), Answer::No, EntryResult::NotOverwritten, TextId::SwitchingTimeOtherState, {on}},
        {mondaySeven(1, 10), mondaySeven(1, 5), Answer::Yes, EntryResult::Overwritten, TextId::PulseExists, {BuildWeeklyEntry(420, 1, 1, 1, 5, 0)}},
        {mondaySeven(1, 10), mondaySeven(), Answer::Yes, EntryResult::Stored, std::nullopt, {BuildWeeklyEntry(420, 1, 1, 1, 10, 0), on}},
    };
    for (const Case& c : cases) {
        Program p;
        ScriptedInteraction ui([&](const Prompt&) { return c.answer; });
        SwitchingTimeEntry entry(p.model, p.settings, ui);
        entry.fields() = c.existing;
        ASSERT_EQ(entry.ok().result, EntryResult::Stored);
        entry.fields() = c.entered;
        entry.okForAll();
        const EntryOutcome out = entry.ok();
        EXPECT_EQ(out.result, c.want);
        EXPECT_EQ(ui.asked().empty() ? std::nullopt : std::optional(ui.asked().back().key()), c.asked);
        EXPECT_EQ(p.entries(), c.wantEntries);
        EXPECT_EQ(entry.okForAllActive(), c.want == EntryResult::Stored);
        if (c.want == EntryResult::Exists) { EXPECT_EQ(out.message->key(), TextId::SwitchingTimeExists); }
    }

    // Priority times: another state asks, another priority is a new entry.
    Program p;
    auto no = ScriptedInteraction::answering(false);
    PriorityTimeEntry prio(p.model, p.settings, no);
    prio.fields() = PriorityTimeFields::of(prioE(), p.model.device, nullptr);
    ASSERT_EQ(prio.ok().result, EntryResult::Stored);
    prio.fields().toggleState();
    EXPECT_EQ((std::pair{prio.ok().result, no.asked().back().key()}), std::pair(EntryResult::NotOverwritten, TextId::PriorityTimeOtherState));
    prio.fields().prioritaet = 3;
    EXPECT_EQ((std::pair{prio.ok().result, p.slot().AnzPz}), std::pair(EntryResult::Stored, 2));
    Program p2;
    // 323 priority times; a switching time makes 324 and goes ahead of them.
    setEntries(p2.model, 0, {}, std::vector<Entry>(323, prioA()));
    SwitchingTimeEntry entry2(p2.model, p2.settings, p2.yes);
    p2.settings.AutoAktiv = 1;
    entry2.fields() = mondaySeven();
    ASSERT_EQ(entry2.check(), OpenResult::Ready);
    const EntryOutcome last = entry2.ok();
    EXPECT_EQ(std::tuple(last.result, last.finished, last.message->key(), p2.settings.AutoAktiv), std::tuple(EntryResult::Stored, true, TextId::MemoryFull, 0));
    EXPECT_EQ(p2.counts(), std::tuple(1, 323, 324));
    EXPECT_EQ(p2.slot().Eintrag[0], BuildWeeklyEntry(420, 1, 1, 1, 0, 0));

    SwitchingTimeEntry again(p2.model, p2.settings, p2.yes);
    EXPECT_EQ(again.check(), OpenResult::MemoryFull);
    again.fields() = mondaySeven(1, 3);
    EXPECT_EQ((std::pair{again.ok().result, p2.slot().AnzEintrag}), std::pair(EntryResult::MemoryFull, 324));
    // Copying adds entries too: refused as well. Changing is not.
    EXPECT_EQ(SwitchingTimeEntry(p2.model, p2.settings, p2.yes, EingabeKopieren, p2.marked(AnsichtSchaltzeiten, 1, 1)).check(), OpenResult::MemoryFull);
    EXPECT_EQ(SwitchingTimeEntry(p2.model, p2.settings, p2.yes, EingabeAendern, p2.marked(AnsichtSchaltzeiten, 1, 1)).check(), OpenResult::Ready);

    // A holiday stored for several years stops at the last free entry.
    Program h(13);
    setEntries(h.model, 0, std::vector<Entry>(322, entryA()), {});
    const EntryOutcome out2 = h.holiday(Feiertag{QStringLiteral("Buss- und Bettag"), FeiertagFrei, -3, 23, 11}, 3).ok();
    EXPECT_EQ(std::pair(out2.finished, out2.message->key()), std::pair(true, TextId::MemoryFull));
    EXPECT_EQ(h.counts(), std::tuple(322, 2, 324));
}

TEST(EntrySession, ChangeIntoItselfIsNoDuplicate)
{
    Program p;
    setEntries(p.model, 0, {entryA(), entryB()}, {});
    SwitchingTimeEntry entry(p.model, p.settings, p.yes, EingabeAendern, p.marked(AnsichtSchaltzeiten, 2, 2));
    EXPECT_EQ(entry.title(), TextId::ChangeSwitchingTimesTitle);
    const EntryOutcome out = entry.ok();
    EXPECT_EQ(std::tuple(out.result, out.finished, p.yes.asked().size()), std::tuple(EntryResult::Stored, true, 0u));
    EXPECT_EQ(p.entries(), (std::vector<Entry>{entryA(), entryB()}));

    // Changing rows of the sample copies them into the program instead.
    setEntries(p.model, kSampleSlot, {entryE()}, {});
    SwitchingTimeEntry copy(p.model, p.settings, p.yes, EingabeAendern, EntrySource{kSampleSlot, BuildDisplayList(p.model, ListFilter{}, kDisplaySwitching, kSampleSlot), MarkRange{0, 0}});
    EXPECT_EQ((std::pair{copy.EingabeModus(), copy.ok().result}), std::pair(int(EingabeKopieren), EntryResult::Stored));
    EXPECT_EQ(p.entries(), (std::vector<Entry>{entryA(), entryB(), entryE()}));
    EXPECT_EQ(p.model.slot(kSampleSlot).AnzEintrag, 1);
    Program p2;
    std::vector<Entry> week;
    for (int hour : {7, 9, 11, 13, 15}) week.push_back(BuildWeeklyEntry(hour * 60, 0b11111, 1, 1, 0, 0));
    setEntries(p2.model, 0, week, {prioA()});
    p2.settings = AssistantSettings{0, 1, 0, 0, 0, 0, 0};
    p2.settings.AutoAktiv = 1;
    SwitchingTimeEntry entry2(p2.model, p2.settings, p2.yes, EingabeKopieren, p2.marked(AnsichtSchaltzeiten, 1, 5));
    entry2.assistantStep();
    entry2.okForAll();
    int ticks = 0;
    EntryOutcome out2;
    do out2 = entry2.timerTick();
    while (++ticks < 10 && out2.restartTimer);
    EXPECT_EQ(std::pair(ticks, out2.finished), std::pair(5, true));
    EXPECT_EQ(p2.counts(), std::tuple(10, 1, 11));
    const std::vector<Entry> all = p2.entries();
    for (int hour : {8, 10, 12, 14, 16}) EXPECT_EQ(std::count(all.begin(), all.begin() + 10, BuildWeeklyEntry(hour * 60, 0b11111, 1, 1, 0, 0)), 1) << hour;
    EXPECT_EQ(p2.slot().Eintrag[10], prioA());
}

TEST(EntrySession, HolidaysOnDevicesWithoutAndWithMovableHolidays)
{
    // Today is 10 May 2024: Easter Monday (1 April) and Ascension (9 May) have passed and move to 2025; Whit Sunday (19 May) is still ahead.
    const auto day = [](int d, int m, int year = 0, bool once = false) { return BuildPriorityEntry(d, m, d, m, year ? year - 1936 : 0, once || year, 1, 1, 0); };
    const struct { Feiertag ft; int row; std::vector<Entry> want; } cases[] = {
        {{QStringLiteral("Ostermontag"), FeiertagOstern, 0, 1, 0}, kRow731FourChannels, {day(21, 4, 0, true)}},
        {{QStringLiteral("Himmelfahrt"), FeiertagOstern, 0, 39, 0}, kRow731FourChannels, {day(29, 5, 0, true)}},
        {{QStringLiteral("Pfingsten"), FeiertagOstern, 0, 49, 0}, kRow731FourChannels, {day(19, 5, 0, true)}},
        {{QStringLiteral("Karfreitag"), FeiertagOstern, 0, -2, 0}, 13, {BuildEasterEntry(-2, 1, 1, 0, false)}},
        {{QStringLiteral("Heiligabend"), FeiertagFest, 0, 24, 12}, 13, {day(24, 12)}},
        // Wednesday before 23 November, three years, each bound to its year.
        {{QStringLiteral("Buss- und Bettag"), FeiertagFrei, -3, 23, 11}, 13, {day(20, 11, 2024), day(19, 11, 2025), day(18, 11, 2026)}},
        // Its date every year; Saturday 26 December 2026 gives Monday the 28th, bound to its year, or once on a device without years.
        {{QStringLiteral("Boxing Day"), FeiertagFestErsatz, 0, 26, 12}, 13, {day(26, 12), day(28, 12, 2026)}},
        {{QStringLiteral("Boxing Day"), FeiertagFestErsatz, 0, 26, 12}, kRow731FourChannels, {day(26, 12), day(28, 12, 0, true)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ft.Name.toStdString());
        Program p(c.row);
        PriorityTimeEntry entry = p.holiday(c.ft, 3);
        EXPECT_EQ(entry.ok().result, EntryResult::Stored);
        EXPECT_EQ(p.entries(), c.want);
        EXPECT_EQ(entry.ok().result, EntryResult::Exists);
    }
    const std::vector<Feiertag> set = {
        {QStringLiteral("New Year's Day"), FeiertagFestErsatz, 0, 1, 1},
        {QStringLiteral("Good Friday"), FeiertagOstern, 0, -2, 0},
        {QStringLiteral("Early May bank holiday"), FeiertagFrei, 1, 30, 4},
        {QStringLiteral("Christmas Day"), FeiertagFestErsatz, 0, 25, 12},
        {QStringLiteral("Boxing Day"), FeiertagFestErsatz, 0, 26, 12},
    };
    Program p2(13);
    PriorityTimeEntry entry2 = p2.holiday(set[1], 4); // one holiday marked: all of them are entered
    std::tie(entry2.fields().feiertagSet, entry2.fields().feiertagSetGewaehlt) = std::tuple(set, true);
    const TextTable english = textsIn(2);
    // Today 10 May 2024, four years: New Year 1 + Saturday 1 January 2028 gives Monday the 3rd; Good Friday 1; the Early May holidays of 2025..2028;
    // Christmas 1 + 27 December 2027; Boxing Day 1 + Monday 28 December 2026 (the 25th is Christmas) and Tuesday 28 December 2027.
    const int expected = 2 + 1 + 4 + 2 + 3;
    entry2.okForAll();
    const EntryOutcome first = entry2.timerTick();
    EXPECT_EQ(std::tuple(first.result, first.restartTimer, entry2.okForAllActive(), p2.slot().AnzPz), std::tuple(EntryResult::Stored, false, false, expected));
    ASSERT_TRUE(first.message);
    EXPECT_EQ(first.message->render(english), QStringLiteral("Entered: 5 holidays of the set in %1 entries.").arg(expected));
    // Again: nothing twice, and it says so.
    entry2.okForAll();
    const EntryOutcome again = entry2.timerTick();
    ASSERT_TRUE(again.message);
    EXPECT_EQ(p2.slot().AnzPz, expected);
    EXPECT_TRUE(again.message->render(english).endsWith(QStringLiteral("Already there: %1.").arg(expected)));
    // The whole list is no set: OK for all stays the repeated OK.
    entry2.fields().feiertagSetGewaehlt = false;
    entry2.okForAll();
    EXPECT_EQ(entry2.timerTick().result, EntryResult::Exists);
    Program q;
    setEntries(q.model, 0, {entryA(), entryC()}, {prioA()});
    SwitchingTimeEntry sz(q.model, q.settings, q.yes);
    std::vector<std::pair<bool, int>> steps;
    for (const int step : {-1, -1, -1, 1, 1}) {
        const bool moved = sz.browse(step);
        steps.emplace_back(moved, sz.browseIndex());
    }
    EXPECT_EQ(steps, (std::vector<std::pair<bool, int>>{{true, 1}, {true, 0}, {false, 0}, {true, 1}, {false, 1}}));
    PriorityTimeEntry pz(q.model, q.settings, q.yes);
    EXPECT_TRUE(pz.browse(-1));
    EXPECT_EQ(pz.browseIndex(), 2);
}

// Day numbers the month does not have are refused with their own message and store nothing, as a switching time and as either end of a priority time;
// 29 February is a date of leap years and is taken.
TEST(EntrySession, ImpossibleDatesAreRefusedInBothDialogs)
{
    const std::tuple<int, int, bool> cases[] = {{31, 2, false}, {30, 2, false}, {29, 2, true}, {31, 4, false}, {30, 4, true}, {31, 12, true}, {31, 11, false}, {31, 1, true}};
    const TextTable texts = textsIn(2);
    for (const auto& [day, month, exists] : cases) {
        SCOPED_TRACE(std::to_string(day) + "." + std::to_string(month));
        const EntryResult want = exists ? EntryResult::Stored : EntryResult::DayNotInMonth;
        Program p;
        SwitchingTimeEntry dated(p.model, p.settings, p.yes);
        dated.fields() = mondaySeven();
        dated.fields().setDay(day);
        dated.fields().monat = month;
        const EntryOutcome out = dated.ok();
        EXPECT_EQ(std::pair(out.result, p.slot().AnzSz), std::pair(want, exists ? 1 : 0));
        if (!exists) { EXPECT_TRUE(out.message && out.message->render(texts).startsWith(QStringLiteral("The month has no such day"))); }
        for (const bool asFirst : {true, false}) {
            Program q;
            PriorityTimeEntry prio(q.model, q.settings, q.yes);
            PriorityTimeFields& f = prio.fields();
            f.kanal.kanaele = 1;
            std::tie(f.vonTag, f.vonMonat, f.bisTag, f.bisMonat) = asFirst ? std::tuple(day, month, 31, 12) : std::tuple(1, 1, day, month);
            EXPECT_EQ((std::pair{prio.ok().result, q.slot().AnzPz}), std::pair(want, exists ? 1 : 0)) << (asFirst ? "from" : "to");
        }
    }
}

TEST(DeleteRows, EntriesLeaveInOrderAndTheCountsFollow)
{
    Program p;
    setEntries(p.model, 0, {entryA(), entryB(), entryC(), entryD(), entryE()}, {prioA(), prioB()});
    const EntrySource list = p.marked(AnsichtSchaltzeiten, 2, 3);
    auto no = ScriptedInteraction::answering(false);
    const auto remove = [&](int slot, ScriptedInteraction& ui) { return DeleteMarkedRows(p.model, AnsichtSchaltzeiten, slot, list.display, list.marks, ui); };
    EXPECT_EQ((std::pair{remove(0, no), p.slot().AnzEintrag}), std::pair(DeleteResult::Cancelled, 7));
    EXPECT_EQ(remove(1, no), DeleteResult::NotInProgram);
    EXPECT_EQ(remove(0, p.yes), DeleteResult::Deleted);
    EXPECT_EQ(std::pair(p.yes.asked().at(0).key(), p.model.Geaendert), std::pair(TextId::ReallyDelete, 1));
    EXPECT_EQ(p.counts(), std::tuple(3, 2, 5));
    // The list showed A, B, C, D, E in that order: rows 2 and 3 were B and C.
    std::vector<Entry> left = p.entries(), want = {entryA(), entryD(), entryE()};
    const auto byBytes = [](const Entry& a, const Entry& b) { return a.b < b.b; };
    std::sort(left.begin(), left.begin() + 3, byBytes);
    std::sort(want.begin(), want.end(), byBytes);
    want.insert(want.end(), {prioA(), prioB()});
    EXPECT_EQ(left, want);
    EXPECT_EQ(p.slot().Eintrag[5], Entry{});
    Program q;
    ProgramSlot& table = q.model.program();
    for (int i = 0; i < 4; ++i) table.SoWiTab[static_cast<std::size_t>(i)].b = {static_cast<Byte>(i), 1, 2, 3};
    table.AnzSoWi = 4;
    EXPECT_EQ(DeleteMarkedRows(q.model, AnsichtSoWiTabelle, 0, {}, MarkRange::fromGrid(2, 2), q.yes), DeleteResult::OnlyFromEnd);
    EXPECT_EQ(DeleteMessage(DeleteResult::OnlyFromEnd)->key(), TextId::DeleteOnlyFromEnd);
    EXPECT_EQ(DeleteMarkedRows(q.model, AnsichtSoWiTabelle, 0, {}, MarkRange::fromGrid(6, 3), q.yes), DeleteResult::Deleted);
    EXPECT_EQ(std::tuple(table.AnzSoWi, table.SoWiTab[2], table.SoWiTab[1].b[0]), std::tuple(2, DstRow{}, 1));
    EXPECT_EQ(std::tuple(DoubleClickActionFor(AnsichtSchaltzeiten, 0, true), DoubleClickActionFor(AnsichtPrioritaetszeiten, 1, true), DoubleClickActionFor(AnsichtSoWiTabelle, 1, false)),
              std::tuple(DoubleClickAction::Change, DoubleClickAction::Copy, DoubleClickAction::NewEntry));
    ListFilter filter;
    PrioPeek peek;
    int ansicht = AnsichtSchaltzeiten;
    // Not on the "Prio." column of the 731 list, and not from the sample.
    EXPECT_FALSE(peek.press(ansicht, 0, kFamily731, 3, 6, QStringLiteral("2"), filter));
    EXPECT_FALSE(peek.press(ansicht, 1, kFamily731, 3, 7, QStringLiteral("2"), filter));
    ASSERT_TRUE(peek.press(ansicht, 0, kFamily731, 3, 7, QStringLiteral("2"), filter));
    EXPECT_EQ(std::tuple(ansicht, filter.FilterPrioVon, filter.FilterPrioBis, filter.FilterAktiv), std::tuple(AnsichtPrioritaetszeiten, 2, 2, -1));
    ASSERT_TRUE(peek.release(ansicht, filter));
    EXPECT_EQ(std::tuple(ansicht, filter.FilterPrioVon, filter.FilterPrioBis, filter.FilterAktiv), std::tuple(AnsichtSchaltzeiten, 0, 10, 0));
    ansicht = AnsichtPrioritaetszeiten;
    EXPECT_FALSE(peek.press(ansicht, 0, kFamily731, 3, 6, QStringLiteral("Perm."), filter));
}
