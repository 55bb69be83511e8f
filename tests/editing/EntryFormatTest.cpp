#include "editing/CompareEntries.h"
#include "editing/EditAssistant.h"
#include "editing/EntryFields.h"
#include "editing/LastEntryPanel.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using zendrik::test::textsIn;

namespace {

Entry bytes(std::array<int, 6> b)
{
    Entry e;
    for (std::size_t i = 0; i < 6; ++i) e.b[i] = static_cast<Byte>(b[i]);
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

TEST(EntryFormat, PackingAndTheComparisonOfTwoEntries)
{
    const std::pair<Entry, std::array<int, 6>> cases[] = {
        // Mo+Fr 07:05, channel 6, value 200, 5 s, P3: the channel's bit 2 sits in b1 bit 3.
        {BuildWeeklyEntryEib(425, 0b10001, 6, 200, 5, 3), {0x9A, 0x9B, 0, 0x11, 200, 0x15}},
        // 24 December 18:00 once, channel 7: its bit 2 sits in b3 bit 5.
        {BuildDatedEntryEib(1080, 24, 12, 7, 1, 0, true), {0x43, 0x8C, 0, 0x78, 1, 2}},
        // 24 - 26 December once, permanent (stored as 8), channel 12 kept as 11.
        {BuildPriorityEntryEib(24, 12, 26, 12, true, 10, 12, 0), {0x79, 0x88, 0, 0x5A, 0, 0xCB}},
        // Good Friday: offset -2 kept as 80 = 0x50, high nibble in b1, low nibble in b5.
        {BuildEasterEntry(-2, 3, 0b0101, 1, false), {0x60, 0x53, 0, 0, 0x05, 0x01}},
    };
    for (const auto& [e, b] : cases) EXPECT_EQ(e, bytes(b));
    EXPECT_EQ(std::tuple(EntryChannels(cases[0].first, true), EntryPriority(cases[0].first, true), EntryChannels(cases[1].first, true),
                         EntryPriority(cases[2].first, true), PriorityEasterOffset(BuildEasterEntry(39, 1, 1, 0, true))),
              std::tuple(6, 3, 7, kPermanentPriority, 39));
    // Monday 07:00 and 1 - 31 May entries that differ in one field each.
    const auto w = [](int channels, int state, int pulse, int priority = 0) { return BuildWeeklyEntry(420, 1, channels, state, pulse, priority); };
    const auto bus = [](int channel, int value, int pulse) { return BuildWeeklyEntryEib(420, 1, channel, value, pulse, 0); };
    const auto p = [](int yearCode, int priority, int state) { return BuildPriorityEntry(1, 5, 31, 5, yearCode, yearCode != 0, priority, 1, state); };
    const Entry busPrio = BuildPriorityEntryEib(1, 5, 31, 5, false, 2, 3, 1);
    const std::tuple<Entry, Entry, bool, int> pairs[] = {
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
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        const auto& [a, b, eib, want] = pairs[i];
        EXPECT_EQ(CompareEntries(a, b, eib), want) << "case " << i;
    }
}

TEST(EntryFormat, FieldsShowAnEntryAndBuildItBack)
{
    const DeviceSettings conventional = device(kRow731FourChannels), bus = device(kRow731Bus, true), sixteen = device(kRow738);
    const std::pair<Entry, const DeviceSettings*> switching[] = {
        {entryA(), &conventional}, {entryC(), &conventional}, {entryD(), &conventional}, {BuildWeeklyEntry(60, 3, 13, 0, 0, 0), &sixteen},
        {BuildWeeklyEntryEib(425, 0b10001, 3, 200, 5, 7), &bus}, {BuildDatedEntryEib(1080, 24, 12, 4, 1, 0, true), &bus}};
    for (const auto& [e, d] : switching) {
        Entry back;
        EXPECT_EQ(SwitchingTimeFields::of(e, *d).build(*d, back), EntryResult::Stored);
        EXPECT_EQ(back, e);
    }
    const std::pair<Entry, const DeviceSettings*> priority[] = {
        {prioA(), &conventional}, {prioB(), &conventional}, {BuildEasterEntry(-2, 3, 0b0101, 1, false), &conventional},
        {BuildPriorityEntryEib(24, 12, 26, 12, true, 10, 4, 0), &bus}};
    for (const auto& [e, d] : priority) {
        std::vector<Entry> back;
        DeviceSettings bewft = *d;
        bewft.Bewft = 1;
        EXPECT_EQ(PriorityTimeFields::of(e, *d, nullptr).build(bewft, CalendarDate{10, 5, 2024}, back), EntryResult::Stored);
        EXPECT_EQ(back, std::vector<Entry>{e});
    }
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
    g.kanal.setChannel(0, true, device(kRow731Bus, true));
    g.kanal.setChannel(2, true, device(kRow731Bus, true));
    EXPECT_EQ(g.kanal.kanaele, 0b0100);
    PriorityTimeFields p;
    p.setYearCode(70);
    const bool onceWithYear = p.einmal;
    p.setYearCode(0);
    EXPECT_EQ(std::pair(onceWithYear, p.einmal), std::pair(true, false));

    const TextTable t = textsIn(1);
    EXPECT_EQ(std::pair(ParseNumberField(QStringLiteral("59"), 0, 59), ParseNumberField(QStringLiteral(" 7"), 0, 23)), std::pair(std::optional(59), std::optional(7)));
    for (const char* bad : {"60", "", "5a", "-1", "99999999999"}) EXPECT_EQ(ParseNumberField(QString::fromLatin1(bad), 0, 59), std::nullopt) << bad;
    EXPECT_EQ(std::tuple(ParseSwitchingPriorityField(QStringLiteral("8"), t, true), ParseSwitchingPriorityField(QStringLiteral("keine"), t, false),
                         ParsePriorityTimePriorityField(QStringLiteral("Permanent"), t, true), ParsePriorityTimePriorityField(QStringLiteral("0"), t, false)),
              std::tuple(std::nullopt, std::optional(0), std::optional(kPermanentPriority), std::nullopt));
    EXPECT_EQ(PriorityTimePriorityItems(t, false).first(), QStringLiteral("Programm P1"));
    EXPECT_EQ(YearItems(t).at(ListIndexOfYearCode(2030 - 1936)), QStringLiteral("2030"));
    EXPECT_FALSE(AcceptsEntryKey(QLatin1Char('a')));
    // Each step: the settings it runs with, the fields before and after (hour, minute, weekdays, day, month), the year.
    AssistantSettings minutes, day, month;
    std::tie(minutes.AutoMinuten, minutes.AutoZustand) = std::tuple(15, 0);
    std::tie(day.AutoMinuten, day.AutoTage) = std::tuple(0, 1);
    std::tie(month.AutoMinuten, month.AutoMonat) = std::tuple(0, 1);
    using Fields = std::array<int, 5>;
    const struct { const AssistantSettings* s; int year; Fields from, to; } cases[] = {
        {&minutes, 2024, {23, 50, 0b0000001, 0, 0}, {0, 5, 0b0000010, 0, 0}}, // Monday -> Tuesday
        {&minutes, 2024, {23, 50, 0b1000001, 0, 0}, {0, 5, 0b0000011, 0, 0}}, // Sunday -> Monday
        {&minutes, 2024, {23, 50, 0, 31, 12}, {0, 5, 0, 1, 1}},               // New Year
        {&minutes, 2024, {12, 0, 0, 28, 2}, {12, 15, 0, 28, 2}},
        // One day on from 28 February: 29 February only in a leap year.
        {&day, 2024, {0, 0, 0, 28, 2}, {0, 0, 0, 29, 2}},
        {&day, 2023, {0, 0, 0, 28, 2}, {0, 0, 0, 1, 3}},
        // A month step lands on the last day of a shorter month.
        {&month, 2027, {7, 0, 0, 31, 1}, {7, 0, 0, 28, 2}},
        {&month, 2028, {7, 0, 0, 31, 1}, {7, 0, 0, 29, 2}},
        {&month, 2027, {7, 0, 0, 31, 3}, {7, 0, 0, 30, 4}},
        {&month, 2027, {7, 0, 0, 15, 1}, {7, 0, 0, 15, 2}},
        {&month, 2027, {7, 0, 0, 31, 12}, {7, 0, 0, 31, 1}},
    };
    for (const auto& c : cases) {
        SwitchingTimeFields f2;
        std::tie(f2.stunde, f2.minute, f2.wochentage, f2.tag, f2.monat) = std::tuple_cat(c.from);
        f2.zustand = 1;
        AssistantStep(f2, *c.s, c.year, false);
        EXPECT_EQ((Fields{f2.stunde, f2.minute, f2.wochentage, f2.tag, f2.monat}), c.to) << c.from[3] << '.' << c.from[4] << ' ' << c.year;
        EXPECT_EQ(f2.zustand, c.s == &minutes ? 1 : 0); // the start values toggle the state
        if (c.s != &month) continue;
        PriorityTimeFields pz;
        pz.vonTag = pz.bisTag = c.from[3];
        pz.vonMonat = pz.bisMonat = c.from[4];
        AssistantStep(pz, *c.s, c.year, false);
        EXPECT_EQ(std::tuple(pz.vonTag, pz.vonMonat, pz.bisTag, pz.bisMonat), std::tuple(c.to[3], c.to[4], c.to[3], c.to[4]));
    }
    // The priority stops at the last program and never becomes permanent.
    day.AutoPrio = 1;
    PriorityTimeFields p2;
    p2.prioritaet = 9;
    AssistantStep(p2, day, 2024, false);
    SwitchingTimeFields w;
    w.wochentage = 1;
    w.prioritaet = 7;
    AssistantStep(w, day, 2024, true);
    EXPECT_EQ(std::pair(p2.prioritaet, w.prioritaet), std::pair(9, 7));
    const TextTable t2 = textsIn(1);
    const DeviceSettings d2 = device(kRow731FourChannels);
    const LastEntryPanel panel = LastEntryPanel::ofSwitchingTime(BuildWeeklyEntry(425, 0b10001, 1, 1, 5, 3), t2, d2);
    EXPECT_EQ(QStringList({panel.days, panel.time, panel.channels, panel.state, panel.priority, panel.pulse}), QStringList({"Mo Fr", "  7:05 Uhr", " C1", "EIN", "Prio. 3", "5  sec"}));
    const LastEntryPanel prioPanel = LastEntryPanel::ofPriorityTime(prioB(), t2, d2);
    EXPECT_EQ(QStringList({prioPanel.days, prioPanel.once, prioPanel.priority, prioPanel.state}), QStringList({"24. Dezember 2060 - 26. Dezember", "1x", "Prio. Perm.", "AUS"}));
    // Month names by any unambiguous beginning, with or without accents, in each language (the cases2 are in tests/data/month-names.txt); every whole name
    // and number stays its month.
    const QStringList lines = QString::fromUtf8(test::readFile(test::testData(QStringLiteral("month-names.txt")))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 40);
    for (const QString& line : lines) {
        const QStringList c2 = line.split(u' ');
        if (line.startsWith(u'#')) continue;
        const int month = c2[2].toInt();
        EXPECT_EQ(ParseMonthField(c2[1], textsIn(c2[0].toInt())), month ? std::optional(month) : std::nullopt) << line.toStdString();
    }
    for (const int language : {1, 2, 3}) {
        const TextTable t2 = textsIn(language);
        const QStringList names = MonthItems(t2);
        for (int m = 1; m <= 12; ++m)
            for (const QString& typed : {names[m - 1], names[m - 1].toUpper(), QString::number(m)}) EXPECT_EQ(ParseMonthField(typed, t2), m) << typed.toStdString();
        for (const char* bad : {"0", "13", ""}) EXPECT_EQ(ParseMonthField(QString::fromLatin1(bad), t2), std::nullopt);
    }
    EXPECT_EQ(std::tuple(AcceptsMonthKey(QLatin1Char('D')), AcceptsMonthKey(QChar(0x00E9)), AcceptsMonthKey(QLatin1Char('7')), AcceptsMonthKey(QLatin1Char('-'))),
              std::tuple(true, true, true, false)); // é
    EXPECT_EQ(FoldAccents(QString::fromUtf8("décembre août März")), QStringLiteral("decembre aout Marz"));
}
