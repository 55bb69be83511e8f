#include "editing/ListFilter.h"
#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"

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

const DeviceSettings kFour = device(4);
const DeviceSettings kBus = device(5, 1);
const DeviceSettings kBusAstro = device(20);

Entry weekly(int days, int channels = 1, int state = 1, int pulse = 0, int priority = 0) { return BuildWeeklyEntry(600, days, channels, state, pulse, priority); }
Entry dated(int month) { return BuildDatedEntry(600, 15, month, 1, 1, 0, false); }
Entry priorityTime(int fromMonth, int toMonth, int priority = 1, int channels = 1) { return BuildPriorityEntry(1, fromMonth, 28, toMonth, 0, false, priority, channels, 0); }

// A bus-format weekly entry for one channel 1..8 with a telegram value.
Entry busWeekly(int channel, int value)
{
    Entry e;
    e.b = {0x80 + 37, static_cast<Byte>(((channel - 1) >> 2 & 1) << 3), 0, 0x7F, static_cast<Byte>(value), static_cast<Byte>((channel - 1) & 3)};
    return e;
}

struct Case { const char* what; ListFilter filter; Entry entry; const DeviceSettings& device; bool passes; };

} // namespace

TEST(ListFilter, SwitchingAndPriorityTimesAndEveryMonthRange)
{
    const ListFilter marchToMay{.FilterMonatVon = 3, .FilterMonatBis = 5};
    const ListFilter p2ToP4{.FilterPrioVon = 2, .FilterPrioBis = 4};
    const Case cases[] = {
        {"start values", {}, dated(12), kFour, true},
        {"weekly program only: weekly", {.FilterMonatVon = 0}, weekly(127), kFour, true},
        {"weekly program only: dated", {.FilterMonatVon = 0}, dated(1), kFour, false},
        {"month below", marchToMay, dated(2), kFour, false},
        {"first month", marchToMay, dated(3), kFour, true},
        {"last month", marchToMay, dated(5), kFour, true},
        {"month above", marchToMay, dated(6), kFour, false},
        {"months leave weekly", marchToMay, weekly(1), kFour, true},
        {"weekend against Mo-Fr", {.FilterWochentag = 0b0011111}, weekly(0b1100000), kFour, false},
        {"Fr-Su against Mo-Fr", {.FilterWochentag = 0b0011111}, weekly(0b1110000), kFour, true},
        {"weekdays leave dated", {.FilterWochentag = 1}, dated(7), kFour, true},
        {"priority below", p2ToP4, weekly(1, 1, 1, 0, 1), kFour, false},
        {"lowest priority", p2ToP4, weekly(1, 1, 1, 0, 2), kFour, true},
        {"highest priority", p2ToP4, weekly(1, 1, 1, 0, 4), kFour, true},
        {"priority above", p2ToP4, weekly(1, 1, 1, 0, 5), kFour, false},
        {"priority leaves dated", p2ToP4, dated(7), kFour, true},
        {"OFF only: ON", {.FilterZustand = 0}, weekly(1, 1, 1), kFour, false},
        {"OFF only: OFF", {.FilterZustand = 0}, weekly(1, 1, 0), kFour, true},
        {"ON only: OFF", {.FilterZustand = 1}, weekly(1, 1, 0), kFour, false},
        {"pulses only: plain", {.FilterImpuls = 1}, weekly(1), kFour, false},
        {"no pulses: pulse", {.FilterImpuls = 0}, weekly(1, 1, 1, 5), kFour, false},
        {"channel mask disjoint", {.FilterKanal = 0b0010}, weekly(1, 0b0101), kFour, false},
        {"channel mask shared", {.FilterKanal = 0b0010}, weekly(1, 0b0110), kFour, true},
        {"bus value equal", {.FilterZustand = 0, .FilterWert = 100}, busWeekly(1, 100), kBus, true},
        {"bus value not equal", {.FilterZustand = 0, .FilterWert = 100}, busWeekly(1, 99), kBus, false},
        {"bus value at most", {.FilterZustand = 1, .FilterWert = 100}, busWeekly(1, 100), kBus, true},
        {"bus value above", {.FilterZustand = 1, .FilterWert = 100}, busWeekly(1, 101), kBus, false},
        {"bus value at least", {.FilterZustand = 2, .FilterWert = 100}, busWeekly(1, 100), kBus, true},
        {"bus value below", {.FilterZustand = 2, .FilterWert = 100}, busWeekly(1, 99), kBus, false},
        // A bus entry names one channel: channel 3 is not channels 1 and 2.
        {"bus channel 3 against 1+2", {.FilterKanal = 0b0011}, busWeekly(3, 1), kBus, false},
        {"bus channel 3 against 3", {.FilterKanal = 0b0100}, busWeekly(3, 1), kBus, true},
        {"bus channel 8", {.FilterKanal = 0b10000000}, busWeekly(8, 1), kBus, true},
        // The 16-channel device: a channel number, 255 = all (index 4 is C5).
        {"738 all channels", {}, weekly(127, 4), kBusAstro, true},
        {"738 channel 5", {.FilterKanal = 5}, weekly(127, 4), kBusAstro, true},
        {"738 channel 4", {.FilterKanal = 4}, weekly(127, 4), kBusAstro, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.filter.passesSwitchingTime(c.entry, c.device), c.passes) << c.what;
    const Case priorityCases[] = {
        {"start values", {}, priorityTime(11, 2, 10, 0b1000), kFour, true},
        {"channel mask disjoint", {.FilterKanal = 0b0010}, priorityTime(1, 2, 1, 0b1001), kFour, false},
        {"channel mask shared", {.FilterKanal = 0b0010}, priorityTime(1, 2, 1, 0b0010), kFour, true},
        {"P9 within P1-P9", {.FilterPrioVon = 1, .FilterPrioBis = 9}, priorityTime(1, 2, 9), kFour, true},
        {"permanent beyond P9", {.FilterPrioVon = 1, .FilterPrioBis = 9}, priorityTime(1, 2, 10), kFour, false},
        // Channel 1 of the 16-channel device is index 0: no bit to share.
        {"738 C1, all channels", {}, priorityTime(3, 4, 1, 0), kBusAstro, true},
        {"738 C1, channel 1", {.FilterKanal = 1}, priorityTime(3, 4, 1, 0), kBusAstro, true},
        {"738 C1, channel 2", {.FilterKanal = 2}, priorityTime(3, 4, 1, 0), kBusAstro, false},
    };
    for (const Case& c : priorityCases) EXPECT_EQ(c.filter.passesPriorityTime(c.entry, c.device, 2024), c.passes) << c.what;
    // The bus format's top priority 8 stands for "up to permanent".
    EXPECT_EQ(std::tuple(ListFilter::PrioBisFor(7, true), ListFilter::PrioBisFor(8, true), ListFilter::PrioBisFor(8, false)), std::tuple(7, 10, 8));
    // Every priority-time range (also over the year end) against every month range: it passes exactly when one of its months lies in the range.
    for (int start = 1; start <= 12; ++start)
        for (int end = 1; end <= 12; ++end)
            for (int von = 1; von <= 12; ++von)
                for (int bis = von; bis <= 12; ++bis) {
                    bool touches = false;
                    for (int m = von; m <= bis; ++m) touches = touches || (start <= end ? (m >= start && m <= end) : (m >= start || m <= end));
                    const ListFilter f{.FilterMonatVon = von, .FilterMonatBis = bis};
                    EXPECT_EQ(f.passesPriorityTime(priorityTime(start, end), kFour, 2024), touches) << start << "-" << end << " against " << von << "-" << bis;
                }
    // Easter Sunday (stored offset 82): 31 March 2024, 20 April 2025.
    Entry easter;
    easter.b = {static_cast<Byte>(kEasterMarker), 0x50 + 1, 0, 0, 1, 0x20};
    const ListFilter april{.FilterMonatVon = 4, .FilterMonatBis = 4};
    EXPECT_EQ(std::pair(april.passesPriorityTime(easter, kFour, 2024), april.passesPriorityTime(easter, kFour, 2025)), std::pair(false, true));
}
