#include "model/DeviceFamily.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zendrik;

// What each row of the device-type table answers, by groups of rows: the number of astro tables, then one letter per question (1 yes, 0 no): astro,
// table per channel, shared table, table holds offsets, keeps times in the day, pulses, one channel per entry, clock language, meter pulse, master
// card options, bus astro, number in the image, location in the image.
TEST(DeviceFamily, EveryRowOfTheDeviceTypeTableAnswersAsItsFamily)
{
    const std::tuple<std::vector<int>, int, const char*> groups[] = {
        {{1, 2, 3, 4, 5, 10, 11, 12, 13, 14}, 0, "0001010101010"}, // weekly and annual switches
        {{6, 7, 8, 9, 15, 16, 17, 18}, 0, "0001010111010"},        // their meter-pulse variants
        {{19}, 1, "1010000000001"},                                  // the two-channel astro switch
        {{20}, 4, "1101111001110"},                                  // the 16-channel bus astro switch
    };
    int covered = 0;
    for (const auto& [rows, tables, answers] : groups) {
        for (const int row : rows) {
            ++covered;
            DeviceSettings d;
            ApplyDeviceTypeRow(d, row);
            const int f = d.Uhrentyp;
            std::string got;
            for (const bool b : {HasAstro(f), HasAstroTablePerChannel(f), HasSharedAstroTable(f), AstroTableHoldsOffsets(f), KeepsAstroTimesInDay(f), HasPulses(f), EntryNamesOneChannel(f),
                                 HasClockLanguageChoice(f), HasMeterPulse(d), HasMasterCardOptions(f), IsBusAstroDevice(f), HasProgramNumberInImage(f), HasAstroLocationInImage(f)})
                got += b ? '1' : '0';
            EXPECT_EQ(std::tuple(IsKnownFamily(f), AstroTableCount(f), got), std::tuple(true, tables, std::string(answers))) << "row " << row;
            // A loaded program with a meter channel keeps it on a plain variant.
            d.MessKanal = 1;
            EXPECT_EQ(HasMeterPulse(d), !HasAstro(f)) << row;
        }
    }
    EXPECT_EQ(covered, kDeviceTypeRows);
    for (const int f : {0, 730, 739, 753, -1}) EXPECT_FALSE(IsKnownFamily(f) || HasAstro(f)) << f;
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        DeviceSettings d2;
        ApplyDeviceTypeRow(d2, row);
        const int identification = d2.Geraetekennung;
        ProgramSlot slot;
        slot.Kopf[1] = identification;
        EXPECT_FALSE(IsMasterProgram(d2) || IsMasterProgram(slot)) << row;
        SetMasterProgram(d2, true);
        slot.Kopf[1] = identification | 0x80;
        EXPECT_EQ(std::tuple(IsMasterProgram(d2), d2.Geraetekennung, IsMasterProgram(slot)), std::tuple(true, identification | 0x80, true)) << row;
        SetMasterProgram(d2, true);
        SetMasterProgram(d2, false);
        EXPECT_EQ(std::tuple(IsMasterProgram(d2), d2.Geraetekennung), std::tuple(false, identification)) << row;
    }
}
