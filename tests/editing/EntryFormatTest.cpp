#include "editing/CompareEntries.h"
#include "editing/EditAssistant.h"
#include "editing/EntryFields.h"
#include "editing/LastEntryPanel.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;

namespace {

Entry bytes(std::array<int, 6> b)
{
    Entry e;
    for (std::size_t i = 0; i < 6; ++i)
        e.b[i] = static_cast<Byte>(b[i]);
    return e;
}

DeviceSettings device(int row, bool eib = false)
{
    ProgramModel m;
    startProgram(m, row);
    m.device.EibFormat = eib ? 1 : 0;
    return m.device;
}

} // namespace

TEST(EntryFormat, BusFormatPacking)
{
    // Mo+Fr 07:05, channel 6, value 200, 5 s, P3: the channel's bit 2 sits in b1 bit 3.
    const Entry weekly = BuildWeeklyEntryEib(425, 0b10001, 6, 200, 5, 3);
    EXPECT_EQ(weekly, bytes({0x9A, 0x9B, 0, 0x11, 200, 0x15}));
    EXPECT_EQ(std::pair(EntryChannels(weekly, true), EntryPriority(weekly, true)), std::pair(6, 3));
    // 24 December 18:00 once, channel 7: its bit 2 sits in b3 bit 5.
    const Entry dated = BuildDatedEntryEib(1080, 24, 12, 7, 1, 0, true);
    EXPECT_EQ(dated, bytes({0x43, 0x8C, 0, 0x78, 1, 2}));
    EXPECT_EQ(std::pair(EntryChannels(dated, true), EntryDay(dated)), std::pair(7, 24));
    // 24 - 26 December once, permanent (stored as 8), channel 12 kept as 11.
    const Entry prio = BuildPriorityEntryEib(24, 12, 26, 12, true, 10, 12, 0);
    EXPECT_EQ(prio, bytes({0x79, 0x88, 0, 0x5A, 0, 0xCB}));
    EXPECT_EQ(EntryPriority(prio, true), kPermanentPriority);
}

TEST(EntryFormat, MovableHolidayEntrySplitsOffsetPlus82)
{
    // Good Friday: offset -2 is kept as 80 = 0x50: high nibble in b1, low nibble in b5.
    const Entry e = BuildEasterEntry(-2, 3, 0b0101, 1, false);
    EXPECT_EQ(e, bytes({0x60, 0x53, 0, 0, 0x05, 0x01}));
    EXPECT_EQ(PriorityTimeKind(e), PrioEasterRelative);
    EXPECT_EQ(PriorityEasterOffset(BuildEasterEntry(39, 1, 1, 0, true)), 39);
}

TEST(EntryFormat, CompareEntriesOutcomes)
{
    // Monday 07:00 and 1 - 31 May entries that differ in one field each.
    const auto w = [](int channels, int state, int pulse, int priority = 0) {
        return BuildWeeklyEntry(420, 1, channels, state, pulse, priority);
    };
    const auto bus = [](int channel, int value, int pulse) { return BuildWeeklyEntryEib(420, 1, channel, value, pulse, 0); };
    const auto p = [](int yearCode, int priority, int state) {
        return BuildPriorityEntry(1, 5, 31, 5, yearCode, yearCode != 0, priority, 1, state);
    };
    const Entry busPrio = BuildPriorityEntryEib(1, 5, 31, 5, false, 2, 3, 1);
    const std::tuple<Entry, Entry, bool, int> cases[] = {
        {w(1, 1, 0), w(1, 1, 0), false, ConflictSame},
        {w(1, 1, 0), w(1, 0, 0), false, ConflictOtherState},
        {w(1, 1, 10), w(1, 0, 5), false, ConflictPulse},
        {w(1, 1, 0), w(1, 1, 10), false, ConflictNone},
        {w(1, 1, 10), w(1, 1, 0), false, ConflictNone},
        {w(1, 1, 0), w(2, 1, 0), false, ConflictNone},
        {w(1, 1, 0), w(1, 1, 0, 1), false, ConflictNone},
        {w(1, 1, 0), BuildDatedEntry(420, 1, 1, 1, 1, 0, false), false, ConflictNone},
        {p(0, 2, 1), p(0, 2, 0), false, ConflictOtherState},
        {p(0, 2, 1), p(0, 3, 1), false, ConflictNone},
        {p(0, 2, 1), p(90, 2, 1), false, ConflictNone},
        {bus(1, 1, 0), bus(1, 0, 0), true, ConflictOtherState},
        {bus(1, 1, 0), bus(2, 1, 0), true, ConflictNone},
        {bus(1, 1, 3), bus(1, 1, 4), true, ConflictPulse},
        {busPrio, busPrio, true, ConflictSame},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [a, b, eib, want] = cases[i];
        EXPECT_EQ(CompareEntries(a, b, eib), want) << "case " << i;
    }
}

TEST(EntryFormat, FieldsShowAnEntryAndBuildItBack)
{
    const DeviceSettings conventional = device(kRow731FourChannels);
    const DeviceSettings bus = device(kRow731Bus, true);
    const DeviceSettings sixteen = device(kRow738);
    struct Case {
        Entry e;
        const DeviceSettings& d;
    } switching[] = {{entryA(), conventional},
                     {entryC(), conventional},
                     {entryD(), conventional},
                     {BuildWeeklyEntry(60, 3, 13, 0, 0, 0), sixteen},
                     {BuildWeeklyEntryEib(425, 0b10001, 3, 200, 5, 7), bus},
                     {BuildDatedEntryEib(1080, 24, 12, 4, 1, 0, true), bus}};
    for (const Case& c : switching) {
        Entry back;
        EXPECT_EQ(SwitchingTimeFields::of(c.e, c.d).build(c.d, back), EntryResult::Stored);
        EXPECT_EQ(back, c.e);
    }
    const CalendarDate today{10, 5, 2024};
    const Case priority[] = {{prioA(), conventional},
                             {prioB(), conventional},
                             {BuildEasterEntry(-2, 3, 0b0101, 1, false), conventional},
                             {BuildPriorityEntryEib(24, 12, 26, 12, true, 10, 4, 0), bus}};
    for (const Case& c : priority) {
        std::vector<Entry> back;
        DeviceSettings bewft = c.d;
        bewft.Bewft = 1;
        EXPECT_EQ(PriorityTimeFields::of(c.e, c.d, nullptr).build(bewft, today, back), EntryResult::Stored);
        EXPECT_EQ(back, std::vector<Entry>{c.e});
    }
}

TEST(EntryFormat, FieldInterplayAndRefusals)
{
    const DeviceSettings d = device(kRow731FourChannels);
    SwitchingTimeFields f;
    Entry e;
    EXPECT_EQ(f.build(d, e), EntryResult::DateOrWeekdaysIncomplete); // comes before the channels
    f.setDay(24);
    f.monat = 12;
    f.einmal = true;
    EXPECT_EQ(f.build(d, e), EntryResult::ChannelsIncomplete);
    f.setWeekday(0, true);
    EXPECT_EQ(std::tuple(f.isDated(), f.einmal, f.priorityVisible()), std::tuple(false, false, true));
    f.setDay(3);
    EXPECT_EQ(std::pair(f.wochentage, f.onceVisible()), std::pair(0, true));

    // The bus format addresses one channel: a second box replaces the first.
    SwitchingTimeFields g;
    const DeviceSettings bus = device(kRow731Bus, true);
    g.kanal.setChannel(0, true, bus);
    g.kanal.setChannel(2, true, bus);
    EXPECT_EQ(g.kanal.kanaele, 0b0100);

    PriorityTimeFields p;
    p.setYearCode(70);
    const bool onceWithYear = p.einmal;
    p.setYearCode(0);
    EXPECT_EQ(std::pair(onceWithYear, p.einmal), std::pair(true, false));
}

TEST(EntryFormat, TextBoxValues)
{
    TextTable t;
    t.LoadGerman();
    EXPECT_EQ(std::pair(ParseNumberField(QStringLiteral("59"), 0, 59), ParseNumberField(QStringLiteral(" 7"), 0, 23)),
              std::pair(std::optional(59), std::optional(7)));
    for (const char* bad : {"60", "", "5a", "-1", "99999999999"})
        EXPECT_EQ(ParseNumberField(QString::fromLatin1(bad), 0, 59), std::nullopt) << bad;
    EXPECT_EQ(ParseSwitchingPriorityField(QStringLiteral("8"), t, true), std::nullopt);
    EXPECT_EQ(ParseSwitchingPriorityField(QStringLiteral("keine"), t, false), 0);
    EXPECT_EQ(ParsePriorityTimePriorityField(QStringLiteral("Permanent"), t, true), kPermanentPriority);
    EXPECT_EQ(ParsePriorityTimePriorityField(QStringLiteral("0"), t, false), std::nullopt);
    EXPECT_EQ(PriorityTimePriorityItems(t, false).first(), QStringLiteral("Programm P1"));
    EXPECT_EQ(YearItems(t).at(ListIndexOfYearCode(2030 - 1936)), QStringLiteral("2030"));
    EXPECT_FALSE(AcceptsEntryKey(QLatin1Char('a')));
}

TEST(EntryFormat, AssistantSteps)
{
    AssistantSettings s;
    s.AutoMinuten = 15;
    s.AutoZustand = 0;
    struct Case {
        int hour, minute, weekdays, day, month, year;
        int wantHour, wantMinute, wantWeekdays, wantDay, wantMonth;
    } cases[] = {
        {23, 50, 0b0000001, 0, 0, 2024, 0, 5, 0b0000010, 0, 0}, // Monday -> Tuesday
        {23, 50, 0b1000001, 0, 0, 2024, 0, 5, 0b0000011, 0, 0}, // Sunday -> Monday
        {23, 50, 0, 31, 12, 2024, 0, 5, 0, 1, 1},               // New Year
        {12, 0, 0, 28, 2, 2024, 12, 15, 0, 28, 2},
    };
    for (const Case& c : cases) {
        SwitchingTimeFields f;
        f.stunde = c.hour;
        f.minute = c.minute;
        f.wochentage = c.weekdays;
        f.tag = c.day;
        f.monat = c.month;
        AssistantStep(f, s, c.year, false);
        EXPECT_EQ(std::tie(f.stunde, f.minute, f.wochentage, f.tag, f.monat),
                  std::tie(c.wantHour, c.wantMinute, c.wantWeekdays, c.wantDay, c.wantMonth));
    }
    // One day on from 28 February: 29 February only in a year divisible by 4.
    s = AssistantSettings{};
    s.AutoMinuten = 0;
    s.AutoTage = 1;
    for (const auto& [year, wantDay, wantMonth] : {std::tuple{2024, 29, 2}, std::tuple{2023, 1, 3}}) {
        SwitchingTimeFields f;
        f.tag = 28;
        f.monat = 2;
        AssistantStep(f, s, year, false);
        EXPECT_EQ(std::pair(f.tag, f.monat), std::pair(wantDay, wantMonth)) << year;
        EXPECT_EQ(f.zustand, 0); // the start values toggle the state
    }
    // The priority stops at the last program and never becomes permanent.
    s.AutoPrio = 1;
    PriorityTimeFields p;
    p.prioritaet = 9;
    AssistantStep(p, s, 2024, false);
    SwitchingTimeFields w;
    w.wochentage = 1;
    w.prioritaet = 7;
    AssistantStep(w, s, 2024, true);
    EXPECT_EQ(std::pair(p.prioritaet, w.prioritaet), std::pair(9, 7));
}

TEST(EntryFormat, LastEntryPanelTexts)
{
    TextTable t;
    t.LoadGerman();
    const DeviceSettings d = device(kRow731FourChannels);
    const LastEntryPanel w = LastEntryPanel::ofSwitchingTime(BuildWeeklyEntry(425, 0b10001, 1, 1, 5, 3), t, d);
    EXPECT_EQ(QStringList({w.days, w.time, w.channels, w.state, w.priority, w.pulse}),
              QStringList({"Mo Fr", "  7:05 Uhr", " C1", "EIN", "Prio. 3", "5  sec"}));
    const LastEntryPanel p = LastEntryPanel::ofPriorityTime(prioB(), t, d);
    EXPECT_EQ(QStringList({p.days, p.once, p.priority, p.state}),
              QStringList({"24. Dezember 2060 - 26. Dezember", "1x", "Prio. Perm.", "AUS"}));
}

namespace {

enum class Lang { German,
                  English,
                  French };

struct MonthCase {
    Lang lang;
    const char* typed; // UTF-8
    int month;         // 0: refused
};

TextTable textsOf(Lang lang)
{
    TextTable t;
    (t.*(lang == Lang::German ? &TextTable::LoadGerman : lang == Lang::English ? &TextTable::LoadEnglish
                                                                               : &TextTable::LoadFrench))(1);
    return t;
}

} // namespace

TEST(EntryFormat, MonthNamesByAnyUnambiguousBeginning)
{
    // German "mar" is März without its umlaut.
    const MonthCase cases[] = {
        {Lang::German, "Dez", 12},
        {Lang::German, "dez", 12},
        {Lang::German, "DEZEMBER", 12},
        {Lang::German, "Dez.", 12},
        {Lang::German, "D", 12},
        {Lang::German, "Mä", 3},
        {Lang::German, "mä", 3},
        {Lang::German, "mar", 3},
        {Lang::German, "Mai", 5},
        {Lang::German, "Ma", 0},
        {Lang::German, "Ju", 0},
        {Lang::German, "Jun", 6},
        {Lang::German, "Jul", 7},
        {Lang::German, "J", 0},
        {Lang::German, "Dec", 0},
        {Lang::German, "Dezembers", 0},
        {Lang::German, ".", 0},
        {Lang::English, "Dec", 12},
        {Lang::English, "dec", 12},
        {Lang::English, "jan", 1},
        {Lang::English, "Ju", 0},
        {Lang::English, "Jun", 6},
        {Lang::English, "jul", 7},
        {Lang::English, "Ma", 0},
        {Lang::English, "Mar", 3},
        {Lang::English, "may", 5},
        {Lang::English, "A", 0},
        {Lang::English, "Au", 8},
        {Lang::English, "Ap", 4},
        {Lang::English, "s", 9},
        {Lang::English, "Dez", 0},
        {Lang::French, "déc", 12},
        {Lang::French, "Déc", 12},
        {Lang::French, "dec", 12},
        {Lang::French, "DEC.", 12},
        {Lang::French, "fév", 2},
        {Lang::French, "fev", 2},
        {Lang::French, "aoû", 8},
        {Lang::French, "aou", 8},
        {Lang::French, "a", 0},
        {Lang::French, "av", 4},
        {Lang::French, "ma", 0},
        {Lang::French, "mar", 3},
        {Lang::French, "mai", 5},
        {Lang::French, "jui", 0},
        {Lang::French, "juin", 6},
        {Lang::French, "juil", 7},
        {Lang::French, "Dec", 12},
        {Lang::French, "Dez", 0},
    };
    for (const MonthCase& c : cases) {
        const TextTable t = textsOf(c.lang);
        const std::optional<int> expected = c.month ? std::optional<int>(c.month) : std::nullopt;
        EXPECT_EQ(ParseMonthField(QString::fromUtf8(c.typed), t), expected)
            << c.typed << " in language " << static_cast<int>(c.lang);
    }
}

TEST(EntryFormat, EveryWholeMonthNameAndNumberStaysItsMonth)
{
    for (const Lang lang : {Lang::German, Lang::English, Lang::French}) {
        const TextTable t = textsOf(lang);
        const QStringList names = MonthItems(t);
        for (int m = 1; m <= 12; ++m) {
            EXPECT_EQ(ParseMonthField(names[m - 1], t), m) << names[m - 1].toStdString();
            EXPECT_EQ(ParseMonthField(names[m - 1].toUpper(), t), m) << names[m - 1].toStdString();
            EXPECT_EQ(ParseMonthField(QString::number(m), t), m);
        }
        EXPECT_EQ(ParseMonthField(QStringLiteral("0"), t), std::nullopt);
        EXPECT_EQ(ParseMonthField(QStringLiteral("13"), t), std::nullopt);
        EXPECT_EQ(ParseMonthField(QString(), t), std::nullopt);
    }
    EXPECT_EQ(std::tuple(AcceptsMonthKey(QLatin1Char('D')), AcceptsMonthKey(QChar(0x00E9)), AcceptsMonthKey(QLatin1Char('7')),
                         AcceptsMonthKey(QLatin1Char('-'))),
              std::tuple(true, true, true, false)); // é
    EXPECT_EQ(FoldAccents(QString::fromUtf8("décembre août März")), QStringLiteral("decembre aout Marz"));
}
