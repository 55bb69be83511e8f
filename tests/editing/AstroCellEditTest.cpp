#include "editing/AstroCellEdit.h"
#include "calendar/AstroTable.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// The bus device in 2025 with the European summer time (30 March .. 26 October).
constexpr int kJan10 = 10;
constexpr int kJul10 = 191;

ProgramModel Astro738()
{
    ProgramModel m = modelForRow(20);
    m.device.SwRegel = 1;
    m.clock = [] { return QDateTime(QDate(2025, 3, 1), QTime(8, 0)); };
    auto& tab = m.program().astro.AstroTab[1];
    for (auto& day : tab) day = AstroDay{480, 1000, 0, -1};
    tab[kJan10 - 1] = AstroDay{23 * 60 + 30, 1000, 0, -1};
    tab[kJan10] = AstroDay{m.device.KeineZeit, 1000, 0, -1};
    m.program().astro.AstroAktiv = {-1, 0, -1, 0, 0};
    return m;
}

const AstroDay& Day(const ProgramModel& m, int dayOfYear, int channel = 1) { return m.program().astro.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(dayOfYear - 1)]; }

// Applies the editor's OK with `mode`, hours, minutes and state to days first..last of a column of channel 2.
AstroEditOutcome Edit(ProgramModel& m, int column, int first, int last, int mode, int hours, int minutes, int state) { return ApplyAstroEdit(m, 1, column, first, last, AstroEditOk(m, mode, hours, minutes, state)); }

} // namespace

TEST(AstroCellEdit, EditorStartsWithTheShownTimeAndState)
{
    const ProgramModel m = Astro738();
    // Summer days an hour later, as the list shows them; no time on a day without one, nor in the date column.
    const std::tuple<int, int, std::tuple<int, bool, int>> cases[] = {{kJan10, kAstroRiseColumn, {23 * 60 + 30, true, 0}}, {kJul10, kAstroSetColumn, {1060, true, 1}}, {kJan10 + 1, kAstroRiseColumn, {0, false, 0}}};
    for (const auto& [day, column, want] : cases) {
        const AstroCellStart s = AstroCellStartValues(m, 1, day, column);
        EXPECT_EQ(std::tuple(s.minutes, s.hasTime, s.AstroEditZustand), want) << day;
    }
    EXPECT_FALSE(AstroCellStartValues(m, 1, kJan10, 2).hasTime);
}

TEST(AstroCellEdit, ChangeDeleteAndMove)
{
    ProgramModel m = Astro738();
    // Change on a winter and a summer day: the list shows what was typed, the table holds winter time; the column keeps the device's state (ON at
    // sunset, the table's -1) whatever the editor says.
    AstroEditOutcome r = Edit(m, kAstroSetColumn, kJan10, kJan10, AstroEditAendern, 17, 5, 1);
    EXPECT_EQ(std::tuple(r.changed, Day(m, kJan10).set, Day(m, kJan10).setState), std::tuple(1, 17 * 60 + 5, -1));
    r = Edit(m, kAstroSetColumn, kJul10, kJul10 + 1, AstroEditAendern, 21, 40, 0);
    EXPECT_EQ(std::tuple(r.changed, Day(m, kJul10).set, Day(m, kJul10 + 1).setState, m.Geaendert), std::tuple(2, 20 * 60 + 40, -1, 1));
    EXPECT_EQ(ShownAstroTimes(m, 0, 1, kJul10, 2025).set, 21 * 60 + 40);
    // 0:30 typed on a summer day would be 23:30 of the day before: left alone.
    r = Edit(m, kAstroRiseColumn, kJul10, kJul10, AstroEditAendern, 0, 30, 1);
    EXPECT_EQ(std::tuple(r.changed, r.outsideDay, Day(m, kJul10).rise), std::tuple(0, 1, 480));

    // Move: 23:30 + 1:00 = 0:30 of the same day; an empty cell stays empty; each keeps its state.
    m.program().astro.AstroTab[1][kJan10 + 1].riseState = 0; // day 12
    r = Edit(m, kAstroRiseColumn, kJan10, kJan10 + 2, AstroEditVerschieben, 1, 0, 1);
    EXPECT_EQ(std::tuple(r.changed, Day(m, kJan10).rise, Day(m, kJan10 + 1).rise, Day(m, kJan10 + 2).rise, Day(m, kJan10 + 2).riseState), std::tuple(2, 30, m.device.KeineZeit, 540, 0));

    // Delete: the no-time marker, on every marked row; the states stay the device's.
    EXPECT_EQ(Edit(m, kAstroRiseColumn, 100, 102, AstroEditLoeschen, 5, 5, 1).changed, 3);
    for (int d = 100; d <= 102; ++d) EXPECT_EQ(Day(m, d), (AstroDay{1535, 1000, 0, -1})) << d;
    EXPECT_EQ(Day(m, 103).rise, 480);
    // Rows past the year's last day are not touched.
    EXPECT_EQ((std::pair{Edit(m, kAstroRiseColumn, 365, 367, AstroEditLoeschen, 0, 0, 0).changed, Day(m, 366).rise}), std::pair(1, 480));
    ProgramModel m2 = Astro738();
    const ProgramSlot before2 = m2.program();
    EXPECT_EQ(std::pair(ApplyAstroEdit(m2, 1, kAstroRiseColumn, 1, 50, AstroEditCancel()).changed, Edit(m2, 2, 1, 50, AstroEditLoeschen, 0, 0, 0).changed), std::pair(0, 0));
    EXPECT_EQ(std::pair(m2.program().astro.AstroTab == before2.astro.AstroTab, m2.Geaendert), std::pair(true, 0));
    // The astro device adds its offsets when it shows and switches the times: a typed time is stored without them.
    ProgramModel device752 = modelForRow(19);
    device752.clock = [] { return QDateTime(QDate(2025, 1, 5), QTime(8, 0)); };
    device752.program().astro.AstroOffsetAuf = -20;
    device752.program().astro.AstroAktiv = {-1, -1, 0, 0, 0};
    ApplyAstroEdit(device752, 0, kAstroRiseColumn, 3, 3, AstroEditOk(device752, AstroEditAendern, 7, 0, 1));
    EXPECT_EQ(std::tuple(Day(device752, 3, 0).rise, ShownAstroTimes(device752, 0, 0, 3, 2025).rise, AstroEditOk(device752, AstroEditLoeschen, 0, 0, 1).AstroEditWert), std::tuple(7 * 60 + 20, 7 * 60, 1791));
}
