#include "model/DeviceFamily.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

using namespace zendrik;

namespace {

// What each row of the device-type table answers, by groups of rows.
struct FamilyAnswers {
    std::initializer_list<int> rows;
    bool astro;
    int astroTables;
    bool tablePerChannel;
    bool sharedTable;
    bool tableHoldsOffsets;
    bool keepsTimesInDay;
    bool pulses;
    bool oneChannel;
    bool clockLanguage;
    bool meterPulse;
    bool masterCardOptions;
    bool busAstro;
    bool numberInImage;
    bool locationInImage;
};

// clang-format off
const FamilyAnswers kAnswers[] = {
    // weekly and annual switches, plain, bus and movable-holiday variants
    {{1, 2, 3, 4, 5, 10, 11, 12, 13, 14},
             false, 0, false, false, true,  false, true,  false, true,  false, true,  false, true,  false},
    // their meter-pulse variants
    {{6, 7, 8, 9, 15, 16, 17, 18},
             false, 0, false, false, true,  false, true,  false, true,  true,  true,  false, true,  false},
    // the two-channel astro switch
    {{19},   true,  1, false, true,  false, false, false, false, false, false, false, false, false, true},
    // the 16-channel bus astro switch
    {{20},   true,  4, true,  false, true,  true,  true,  true,  false, false, true,  true,  true,  false},
};
// clang-format on

} // namespace

TEST(DeviceFamily, EveryRowOfTheDeviceTypeTableAnswersAsItsFamily)
{
    int covered = 0;
    for (const FamilyAnswers& a : kAnswers) {
        for (const int row : a.rows) {
            ++covered;
            DeviceSettings d;
            ApplyDeviceTypeRow(d, row);
            const int f = d.Uhrentyp;
            EXPECT_TRUE(IsKnownFamily(f)) << row;
            EXPECT_EQ(std::tuple(HasAstro(f), AstroTableCount(f), HasAstroTablePerChannel(f), HasSharedAstroTable(f),
                                 AstroTableHoldsOffsets(f), KeepsAstroTimesInDay(f), HasPulses(f),
                                 EntryNamesOneChannel(f), HasClockLanguageChoice(f), HasMeterPulse(d),
                                 HasMasterCardOptions(f), IsBusAstroDevice(f), HasProgramNumberInImage(f),
                                 HasAstroLocationInImage(f)),
                      std::tuple(a.astro, a.astroTables, a.tablePerChannel, a.sharedTable, a.tableHoldsOffsets,
                                 a.keepsTimesInDay, a.pulses, a.oneChannel, a.clockLanguage, a.meterPulse,
                                 a.masterCardOptions, a.busAstro, a.numberInImage, a.locationInImage))
                << "row " << row;
            // A loaded program with a meter channel keeps it on a plain variant.
            d.MessKanal = 1;
            EXPECT_EQ(HasMeterPulse(d), !a.astro) << row;
        }
    }
    EXPECT_EQ(covered, kDeviceTypeRows);
    for (const int f : {0, 730, 739, 753, -1})
        EXPECT_FALSE(IsKnownFamily(f) || HasAstro(f)) << f;
}

TEST(DeviceFamily, MasterProgramIsBitSevenOfTheIdentificationAlone)
{
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        DeviceSettings d;
        ApplyDeviceTypeRow(d, row);
        const int identification = d.Geraetekennung;
        EXPECT_FALSE(IsMasterProgram(d)) << row;
        SetMasterProgram(d, true);
        EXPECT_EQ(std::tuple(IsMasterProgram(d), d.Geraetekennung), std::tuple(true, identification | 0x80)) << row;
        SetMasterProgram(d, true);
        SetMasterProgram(d, false);
        EXPECT_EQ(std::tuple(IsMasterProgram(d), d.Geraetekennung), std::tuple(false, identification)) << row;

        ProgramSlot slot;
        slot.Kopf[1] = identification;
        EXPECT_FALSE(IsMasterProgram(slot)) << row;
        slot.Kopf[1] = identification | 0x80;
        EXPECT_TRUE(IsMasterProgram(slot)) << row;
    }
}
