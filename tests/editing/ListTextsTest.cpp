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
    return d;
}

} // namespace

TEST(ListTexts, Times)
{
    const TextTable t;
    const std::pair<int, const char*> cases[] = {
        {0, "  0:00 Uhr"},   {425, "  7:05 Uhr"},  {599, "  9:59 Uhr"},   {600, "10:00 Uhr"},
        {1065, "17:45 Uhr"}, {1439, "23:59 Uhr"},  {1440, "  --:-- Uhr"}, {1791, "  --:-- Uhr"},
        {-5, "  --:-- Uhr"},
    };
    for (const auto& [minutes, text] : cases)
        EXPECT_EQ(FormatTime(minutes, t), QString::fromUtf8(text)) << minutes;
}

TEST(ListTexts, Weekdays)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    const std::pair<int, const char*> cases[] = {
        {0b1111111, "täglich"}, {0b0010001, "Mo Fr"}, {0b0010101, "Mo Mi Fr"},
        {0b1000000, "So"},      {0b0111111, "Mo Di Mi Do Fr Sa"},
    };
    for (const auto& [days, text] : cases)
        EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, days, 1, 1, 0, 0), t, d), QString::fromUtf8(text)) << days;
    EXPECT_EQ(FormatWeekdays(BuildDatedEntry(60, 31, 1, 1, 1, 0, false), t, d), QString());
    EXPECT_EQ(FormatWeekdays(BuildPriorityEntry(1, 1, 31, 1, 0, false, 1, 1, 0), t, d), QString());

    // The bus format keeps the weekdays in the same bits.
    DeviceSettings bus = device(5);
    bus.EibFormat = 1;
    Entry e;
    e.b = {0x9E, 0x02, 0, 0b0000101, 200, 2};
    EXPECT_EQ(FormatWeekdays(e, t, bus), QStringLiteral("Mo Mi"));
}

TEST(ListTexts, Dates)
{
    const TextTable t;
    const DeviceSettings d = device(4);
    const std::tuple<int, int, const char*> cases[] = {
        {1, 1, "1. Januar"},      {15, 1, "15. Januar"},    {3, 3, "3. März"},
        {24, 12, "24. Dezember"}, {5, 0, "5. Dezember"},    {5, 13, "5. Dezember"},
    };
    for (const auto& [day, month, text] : cases)
        EXPECT_EQ(FormatDate(day, month, t, d), QString::fromUtf8(text)) << day << "." << month;
}

TEST(ListTexts, Channels)
{
    const TextTable t;
    EXPECT_EQ(FormatChannels(0b0101, t, device(4)), QStringLiteral(" C1 C3"));
    EXPECT_EQ(FormatChannels(0b1111, t, device(4)), QStringLiteral(" C1 C2 C3 C4"));
    EXPECT_EQ(FormatChannels(0b1111, t, device(2)), QStringLiteral(" C1 C2"));
    EXPECT_EQ(FormatChannels(0, t, device(4)), QString());
    // The 16-channel bus device stores a channel index.
    EXPECT_EQ(FormatChannels(0, t, device(20)), QStringLiteral(" C1"));
    EXPECT_EQ(FormatChannels(15, t, device(20)), QStringLiteral(" C16"));
}

TEST(ListTexts, RowNumbersAndMemoryLabel)
{
    const std::pair<int, const char*> rows[] = {{1, "1  "}, {9, "9  "}, {10, "10 "}, {99, "99 "}, {100, "100"}};
    for (const auto& [row, text] : rows)
        EXPECT_EQ(RowNumberText(row), QString::fromLatin1(text));
    const TextTable t;
    EXPECT_EQ(MemoryLabel(12, 324, t), QStringLiteral("12 von 324"));
    EXPECT_EQ(MemoryLabel(0, 500, t), QStringLiteral("0 von 500"));
}
