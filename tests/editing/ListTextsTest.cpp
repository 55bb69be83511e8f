#include "editing/EntryBuilder.h"
#include "editing/ListTexts.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

DeviceSettings device(int row)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, row);
    d.Sprache = kLanguageGerman;
    return d;
}

} // namespace

TEST(FormatTime, HoursBeforeTenGetTwoLeadingBlanks)
{
    const TextTable t;
    EXPECT_EQ(FormatTime(0, t), QStringLiteral("  0:00 Uhr"));
    EXPECT_EQ(FormatTime(7 * 60 + 5, t), QStringLiteral("  7:05 Uhr"));
    EXPECT_EQ(FormatTime(9 * 60 + 59, t), QStringLiteral("  9:59 Uhr"));
    EXPECT_EQ(FormatTime(10 * 60, t), QStringLiteral("10:00 Uhr"));
    EXPECT_EQ(FormatTime(17 * 60 + 45, t), QStringLiteral("17:45 Uhr"));
    EXPECT_EQ(FormatTime(1439, t), QStringLiteral("23:59 Uhr"));
}

TEST(FormatTime, MinutesBeyondTheDayShowTheEmptyTime)
{
    const TextTable t;
    EXPECT_EQ(FormatTime(1440, t), QStringLiteral("  --:-- Uhr"));
    EXPECT_EQ(FormatTime(1535, t), QStringLiteral("  --:-- Uhr"));
    EXPECT_EQ(FormatTime(1791, t), QStringLiteral("  --:-- Uhr"));
    EXPECT_EQ(FormatTime(-5, t), QStringLiteral("  --:-- Uhr"));
}

TEST(FormatWeekdays, DailyAndSingleDays)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b1111111, 1, 1, 0, 0), t, d), QStringLiteral("täglich"));
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b0010001, 1, 1, 0, 0), t, d), QStringLiteral("Mo Fr"));
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b0010101, 1, 1, 0, 0), t, d), QStringLiteral("Mo Mi Fr"));
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b1000000, 1, 1, 0, 0), t, d), QStringLiteral("So"));
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b0111111, 1, 1, 0, 0), t, d),
              QStringLiteral("Mo Di Mi Do Fr Sa"));
}

TEST(FormatWeekdays, DatedEntriesAndPriorityTimesHaveNone)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatWeekdays(BuildDatedEntry(60, 31, 1, 1, 1, 0, false), t, d), QString());
    EXPECT_EQ(FormatWeekdays(BuildPriorityEntry(1, 1, 31, 1, 0, false, 1, 1, 0), t, d), QString());
}

TEST(FormatWeekdays, BusFormatWeeklyEntriesShowTheirDays)
{
    const TextTable t;
    DeviceSettings d = device(5);
    d.EibFormat = 1;
    Entry e;
    e.b = {0x9E, 0x02, 0, 0b0000101, 200, 2};   // 08:00 Mo Mi, channel 3, value 200
    EXPECT_EQ(FormatWeekdays(e, t, d), QStringLiteral("Mo Mi"));
}

TEST(FormatDate, FirstDayAndOtherDays)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("1. Januar"));
    EXPECT_EQ(FormatDate(15, 1, t, d), QStringLiteral("15. Januar"));
    EXPECT_EQ(FormatDate(29, 2, t, d), QStringLiteral("29. Februar"));
    EXPECT_EQ(FormatDate(3, 3, t, d), QStringLiteral("3. März"));
    EXPECT_EQ(FormatDate(30, 11, t, d), QStringLiteral("30. November"));
    EXPECT_EQ(FormatDate(24, 12, t, d), QStringLiteral("24. Dezember"));
}

TEST(FormatDate, MonthsOutsideTheYearNameDecember)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatDate(5, 0, t, d), QStringLiteral("5. Dezember"));
    EXPECT_EQ(FormatDate(5, 13, t, d), QStringLiteral("5. Dezember"));
    EXPECT_EQ(FormatDate(5, 15, t, d), QStringLiteral("5. Dezember"));
}

TEST(FormatChannels, MaskWithLeadingBlanks)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatChannels(0b0101, t, d), QStringLiteral(" C1 C3"));
    EXPECT_EQ(FormatChannels(0b1111, t, d), QStringLiteral(" C1 C2 C3 C4"));
    EXPECT_EQ(FormatChannels(0, t, d), QString());
}

TEST(FormatChannels, OnlyTheDevicesChannelsCount)
{
    const TextTable t;
    const DeviceSettings twoChannels = device(2);
    EXPECT_EQ(FormatChannels(0b1111, t, twoChannels), QStringLiteral(" C1 C2"));
    EXPECT_EQ(FormatChannels(0b1100, t, twoChannels), QString());
}

TEST(FormatChannels, BusAstroDeviceShowsTheChannelIndexPlusOne)
{
    const TextTable t;
    const DeviceSettings d = device(20);
    EXPECT_EQ(FormatChannels(0, t, d), QStringLiteral(" C1"));
    EXPECT_EQ(FormatChannels(5, t, d), QStringLiteral(" C6"));
    EXPECT_EQ(FormatChannels(15, t, d), QStringLiteral(" C16"));
}

TEST(RowNumberText, PaddedToThreeCharacters)
{
    EXPECT_EQ(RowNumberText(1), QStringLiteral("1  "));
    EXPECT_EQ(RowNumberText(9), QStringLiteral("9  "));
    EXPECT_EQ(RowNumberText(10), QStringLiteral("10 "));
    EXPECT_EQ(RowNumberText(99), QStringLiteral("99 "));
    EXPECT_EQ(RowNumberText(100), QStringLiteral("100"));
    EXPECT_EQ(RowNumberText(500), QStringLiteral("500"));
}

TEST(MemoryLabel, UsedOfCapacity)
{
    const TextTable t;
    EXPECT_EQ(MemoryLabel(12, 324, t), QStringLiteral("12 von 324"));
    EXPECT_EQ(MemoryLabel(0, 324, t), QStringLiteral("0 von 324"));
    EXPECT_EQ(MemoryLabel(500, 500, t), QStringLiteral("500 von 500"));
}
