#include "calendar/ListFilter.h"
#include "editing/EntryBuilder.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

DeviceSettings device(int row, int eibFormat = 0)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, row);
    d.EibFormat = eibFormat;
    return d;
}

const DeviceSettings kFourChannels = device(4);
const DeviceSettings kBusAstro = device(20);

Entry weekly(int days, int channels, int state, int pulse, int priority)
{
    return BuildWeeklyEntry(600, days, channels, state, pulse, priority);
}

Entry dated(int month, int channels = 1, int state = 1)
{
    return BuildDatedEntry(600, 15, month, channels, state, 0, false);
}

Entry priorityTime(int fromMonth, int toMonth, int priority = 1, int channels = 1)
{
    return BuildPriorityEntry(1, fromMonth, 28, toMonth, 0, false, priority, channels, 0);
}

// A bus-format weekly entry for one channel 1..8 with a telegram value.
Entry busWeekly(int channel, int value, int pulse = 0)
{
    Entry e;
    const int index = channel - 1;
    e.b = {0x80 + 37, static_cast<Byte>(((index >> 2) & 1) << 3), 0, 0x7F, static_cast<Byte>(value),
           static_cast<Byte>(pulse * 4 + (index & 3))};
    return e;
}

} // namespace

TEST(ListFilter, StartValuesPassEverything)
{
    const ListFilter f;
    EXPECT_EQ(f.FilterAktiv, 0);
    for (int days : {1, 0b1000000, 127})
        EXPECT_TRUE(f.passesSwitchingTime(weekly(days, 0b1000, 0, 0, 9), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(weekly(1, 1, 1, 30, 0), kFourChannels));
    for (int month = 1; month <= 12; ++month)
        EXPECT_TRUE(f.passesSwitchingTime(dated(month), kFourChannels)) << month;
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(11, 2, 10), kFourChannels, 2024));
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(12, 12, 1, 0b1000), kFourChannels, 2024));
    EXPECT_TRUE(f.passesSwitchingTime(BuildWeeklyEntry(0, 1, 15, 0, 0, 0), kBusAstro));
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(3, 4, 1, 0), kBusAstro, 2024));
    const DeviceSettings bus = device(5, 1);
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(8, 0), bus));
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 255), bus));
}

TEST(ListFilter, DatedEntriesOnlyWithAMonthRange)
{
    ListFilter f;
    f.FilterMonatVon = ListFilter::kWeeklyOnly;
    f.FilterMonatBis = 12;
    EXPECT_TRUE(f.passesSwitchingTime(weekly(127, 1, 1, 0, 0), kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(dated(1), kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(dated(12), kFourChannels));

    f.FilterMonatVon = 3;
    f.FilterMonatBis = 5;
    EXPECT_FALSE(f.passesSwitchingTime(dated(2), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(dated(3), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(dated(5), kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(dated(6), kFourChannels));
    // Weekly entries do not depend on the months.
    EXPECT_TRUE(f.passesSwitchingTime(weekly(1, 1, 1, 0, 0), kFourChannels));
}

TEST(ListFilter, WeeklyEntriesByPriorityAndWeekdays)
{
    ListFilter f;
    f.FilterWochentag = 0b0011111;   // Monday to Friday
    EXPECT_TRUE(f.passesSwitchingTime(weekly(0b0010001, 1, 1, 0, 0), kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(weekly(0b1100000, 1, 1, 0, 0), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(weekly(0b1110000, 1, 1, 0, 0), kFourChannels));

    f.FilterPrioVon = 2;
    f.FilterPrioBis = 4;
    EXPECT_FALSE(f.passesSwitchingTime(weekly(1, 1, 1, 0, 1), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(weekly(1, 1, 1, 0, 2), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(weekly(1, 1, 1, 0, 4), kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(weekly(1, 1, 1, 0, 5), kFourChannels));
    // Dated entries carry no priority.
    EXPECT_TRUE(f.passesSwitchingTime(dated(7), kFourChannels));
}

TEST(ListFilter, StateOnConventionalDevices)
{
    ListFilter f;
    const Entry on = weekly(1, 1, 1, 0, 0);
    const Entry off = weekly(1, 1, 0, 0, 0);
    f.FilterZustand = ListFilter::StateOff;
    EXPECT_FALSE(f.passesSwitchingTime(on, kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(off, kFourChannels));
    f.FilterZustand = ListFilter::StateOn;
    EXPECT_TRUE(f.passesSwitchingTime(on, kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(off, kFourChannels));
    f.FilterZustand = ListFilter::StateAny;
    EXPECT_TRUE(f.passesSwitchingTime(on, kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(off, kFourChannels));
}

TEST(ListFilter, TelegramValueOnBusFormat)
{
    const DeviceSettings bus = device(5, 1);
    ListFilter f;
    f.FilterWert = 100;
    f.FilterZustand = ListFilter::ValueEqual;
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 100), bus));
    EXPECT_FALSE(f.passesSwitchingTime(busWeekly(1, 99), bus));
    f.FilterZustand = ListFilter::ValueAtMost;
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 100), bus));
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 0), bus));
    EXPECT_FALSE(f.passesSwitchingTime(busWeekly(1, 101), bus));
    f.FilterZustand = ListFilter::ValueAtLeast;
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 100), bus));
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(1, 255), bus));
    EXPECT_FALSE(f.passesSwitchingTime(busWeekly(1, 99), bus));
}

TEST(ListFilter, Pulses)
{
    ListFilter f;
    const Entry pulse = weekly(1, 1, 1, 5, 0);
    const Entry plain = weekly(1, 1, 1, 0, 0);
    f.FilterImpuls = ListFilter::PulsesOnly;
    EXPECT_TRUE(f.passesSwitchingTime(pulse, kFourChannels));
    EXPECT_FALSE(f.passesSwitchingTime(plain, kFourChannels));
    f.FilterImpuls = ListFilter::PulsesNone;
    EXPECT_FALSE(f.passesSwitchingTime(pulse, kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(plain, kFourChannels));
}

TEST(ListFilter, ChannelMask)
{
    ListFilter f;
    f.FilterKanal = 0b0010;
    EXPECT_FALSE(f.passesSwitchingTime(weekly(1, 0b0101, 1, 0, 0), kFourChannels));
    EXPECT_TRUE(f.passesSwitchingTime(weekly(1, 0b0110, 1, 0, 0), kFourChannels));
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(1, 2, 1, 0b1001), kFourChannels, 2024));
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(1, 2, 1, 0b0010), kFourChannels, 2024));
}

TEST(ListFilter, BusEntryNamesOneChannel)
{
    // Channel 3 is the number 3 (binary 11), not channels 1 and 2.
    const DeviceSettings bus = device(5, 1);
    ListFilter f;
    f.FilterKanal = 0b0011;
    EXPECT_FALSE(f.passesSwitchingTime(busWeekly(3, 1), bus));
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(2, 1), bus));
    f.FilterKanal = 0b0100;
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(3, 1), bus));
    f.FilterKanal = 0b10000000;
    EXPECT_TRUE(f.passesSwitchingTime(busWeekly(8, 1), bus));
    EXPECT_FALSE(f.passesSwitchingTime(busWeekly(7, 1), bus));
}

TEST(ListFilter, BusAstroDeviceComparesTheChannelNumber)
{
    ListFilter f;
    const Entry c5 = BuildWeeklyEntry(600, 127, 4, 1, 0, 0);   // channel index 4 = C5
    f.FilterKanal = ListFilter::kAllChannels;
    EXPECT_TRUE(f.passesSwitchingTime(c5, kBusAstro));
    f.FilterKanal = 5;
    EXPECT_TRUE(f.passesSwitchingTime(c5, kBusAstro));
    f.FilterKanal = 4;
    EXPECT_FALSE(f.passesSwitchingTime(c5, kBusAstro));
    f.FilterKanal = 1;
    EXPECT_FALSE(f.passesSwitchingTime(c5, kBusAstro));
}

TEST(ListFilter, BusAstroDevicePriorityTimesOfChannelOne)
{
    // Channel 1 is index 0: no bit to share with a mask, yet "all" and
    // "channel 1" must list it.
    const Entry c1 = priorityTime(3, 4, 1, 0);
    ListFilter f;
    EXPECT_TRUE(f.passesPriorityTime(c1, kBusAstro, 2024));
    f.FilterKanal = 1;
    EXPECT_TRUE(f.passesPriorityTime(c1, kBusAstro, 2024));
    f.FilterKanal = 2;
    EXPECT_FALSE(f.passesPriorityTime(c1, kBusAstro, 2024));
}

TEST(ListFilter, PriorityRangeOfPriorityTimes)
{
    ListFilter f;
    f.FilterPrioVon = 1;
    f.FilterPrioBis = 9;
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(1, 2, 9), kFourChannels, 2024));
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(1, 2, 10), kFourChannels, 2024));
    f.FilterPrioVon = 10;
    f.FilterPrioBis = 10;
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(1, 2, 10), kFourChannels, 2024));
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(1, 2, 3), kFourChannels, 2024));
}

TEST(ListFilter, PriorityTimeOverTheTurnOfTheYear)
{
    ListFilter f;
    f.FilterMonatVon = 1;
    f.FilterMonatBis = 3;
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(11, 2), kFourChannels, 2024));
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(11, 5), kFourChannels, 2024));
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(5, 5), kFourChannels, 2024));
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(4, 10), kFourChannels, 2024));
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(3, 10), kFourChannels, 2024));

    f.FilterMonatVon = 12;
    f.FilterMonatBis = 12;
    EXPECT_TRUE(f.passesPriorityTime(priorityTime(11, 2), kFourChannels, 2024));
    f.FilterMonatVon = 3;
    f.FilterMonatBis = 10;
    EXPECT_FALSE(f.passesPriorityTime(priorityTime(11, 2), kFourChannels, 2024));
}

// Every pair of a priority-time range and a month range: a priority time
// passes exactly when one of its months lies in the range.
TEST(ListFilter, PriorityTimeMonthsAgainstEveryRange)
{
    for (int start = 1; start <= 12; ++start) {
        for (int end = 1; end <= 12; ++end) {
            for (int von = 1; von <= 12; ++von) {
                for (int bis = von; bis <= 12; ++bis) {
                    bool touches = false;
                    for (int m = 1; m <= 12; ++m) {
                        const bool covered = start <= end ? (m >= start && m <= end) : (m >= start || m <= end);
                        if (covered && m >= von && m <= bis)
                            touches = true;
                    }
                    ListFilter f;
                    f.FilterMonatVon = von;
                    f.FilterMonatBis = bis;
                    EXPECT_EQ(f.passesPriorityTime(priorityTime(start, end), kFourChannels, 2024), touches)
                        << start << "-" << end << " against " << von << "-" << bis;
                }
            }
        }
    }
}

TEST(ListFilter, MovablePriorityTimeFollowsEasterOfTheYear)
{
    // Easter Sunday: 31 March 2024, 20 April 2025.
    Entry easter;
    easter.b = {static_cast<Byte>(kEasterMarker), static_cast<Byte>((82 & 0xF0) + 1), 0, 0, 1,
                static_cast<Byte>((82 & 0x0F) << 4)};
    ListFilter f;
    f.FilterMonatVon = 4;
    f.FilterMonatBis = 4;
    EXPECT_FALSE(f.passesPriorityTime(easter, kFourChannels, 2024));
    EXPECT_TRUE(f.passesPriorityTime(easter, kFourChannels, 2025));
    f.FilterMonatVon = 3;
    f.FilterMonatBis = 3;
    EXPECT_TRUE(f.passesPriorityTime(easter, kFourChannels, 2024));
}

TEST(ListFilter, UpperPriorityOnBusFormat)
{
    EXPECT_EQ(ListFilter::PrioBisFor(7, true), 7);
    EXPECT_EQ(ListFilter::PrioBisFor(8, true), 10);
    EXPECT_EQ(ListFilter::PrioBisFor(9, true), 10);
    EXPECT_EQ(ListFilter::PrioBisFor(8, false), 8);
    EXPECT_EQ(ListFilter::PrioBisFor(10, false), 10);
}
