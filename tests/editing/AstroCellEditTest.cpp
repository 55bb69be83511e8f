#include "editing/AstroCellEdit.h"
#include "calendar/AstroTable.h"
#include "model/ProgramModel.h"
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

const AstroDay& Day(const ProgramModel& m, int dayOfYear, int channel = 1)
{
    return m.program().astro.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(dayOfYear - 1)];
}

} // namespace

TEST(AstroCellEdit, EditorStartsWithTheShownTimeAndState)
{
    const ProgramModel m = Astro738();
    const AstroCellStart winter = AstroCellStartValues(m, 1, kJan10, kAstroRiseColumn);
    EXPECT_EQ(std::tuple(winter.minutes, winter.hasTime, winter.AstroEditZustand), std::tuple(23 * 60 + 30, true, 0));
    // The list shows summer days an hour later; so does the editor.
    const AstroCellStart summer = AstroCellStartValues(m, 1, kJul10, kAstroSetColumn);
    EXPECT_EQ(std::tuple(summer.minutes, summer.hasTime, summer.AstroEditZustand), std::tuple(1060, true, 1));
    const AstroCellStart empty = AstroCellStartValues(m, 1, kJan10 + 1, kAstroRiseColumn);
    // No time on a day without one, nor in the date column.
    EXPECT_EQ(std::tuple(empty.minutes, empty.hasTime, AstroCellStartValues(m, 1, kJan10, 2).hasTime), std::tuple(0, false, false));
}

TEST(AstroCellEdit, ChangeDeleteAndMove)
{
    ProgramModel m = Astro738();
    // Change on a winter and a summer day: the list shows what was typed,
    // the table holds winter time; the column keeps the device's state
    // (ON at sunset, the table's -1) whatever the editor says.
    AstroEditOutcome r = ApplyAstroEdit(m, 1, kAstroSetColumn, kJan10, kJan10, AstroEditOk(m, AstroEditAendern, 17, 5, 1));
    EXPECT_EQ(r.changed, 1);
    EXPECT_EQ(std::pair(Day(m, kJan10).set, Day(m, kJan10).setState), std::pair(17 * 60 + 5, -1));
    r = ApplyAstroEdit(m, 1, kAstroSetColumn, kJul10, kJul10 + 1, AstroEditOk(m, AstroEditAendern, 21, 40, 0));
    EXPECT_EQ(std::tuple(r.changed, Day(m, kJul10).set, Day(m, kJul10 + 1).setState, m.Geaendert), std::tuple(2, 20 * 60 + 40, -1, 1));
    EXPECT_EQ(ShownAstroTimes(m, 0, 1, kJul10, 2025).set, 21 * 60 + 40);
    // 0:30 typed on a summer day would be 23:30 of the day before: left alone.
    r = ApplyAstroEdit(m, 1, kAstroRiseColumn, kJul10, kJul10, AstroEditOk(m, AstroEditAendern, 0, 30, 1));
    EXPECT_EQ(std::tuple(r.changed, r.outsideDay, Day(m, kJul10).rise), std::tuple(0, 1, 480));

    // Move: 23:30 + 1:00 = 0:30 of the same day; a cell without a time stays
    // empty (not 1535 + 60); each cell moves from its own time and keeps its state.
    m.program().astro.AstroTab[1][kJan10 + 1].riseState = 0; // day 12
    r = ApplyAstroEdit(m, 1, kAstroRiseColumn, kJan10, kJan10 + 2, AstroEditOk(m, AstroEditVerschieben, 1, 0, 1));
    EXPECT_EQ(std::tuple(r.changed, Day(m, kJan10).rise, Day(m, kJan10 + 1).rise, Day(m, kJan10 + 2).rise, Day(m, kJan10 + 2).riseState), std::tuple(2, 30, m.device.KeineZeit, 540, 0));

    // Delete: the no-time marker, on every marked row; the states stay the device's.
    r = ApplyAstroEdit(m, 1, kAstroRiseColumn, 100, 102, AstroEditOk(m, AstroEditLoeschen, 5, 5, 1));
    EXPECT_EQ(r.changed, 3);
    for (int d = 100; d <= 102; ++d) EXPECT_EQ(Day(m, d), (AstroDay{1535, 1000, 0, -1})) << d;
    EXPECT_EQ(Day(m, 103).rise, 480);
    // Rows past the year's last day are not touched.
    r = ApplyAstroEdit(m, 1, kAstroRiseColumn, 365, 367, AstroEditOk(m, AstroEditLoeschen, 0, 0, 0));
    EXPECT_EQ(std::pair(r.changed, Day(m, 366).rise), std::pair(1, 480));
}

TEST(AstroCellEdit, CancelAndOtherColumnsChangeNothing)
{
    ProgramModel m = Astro738();
    const ProgramSlot before = m.program();
    EXPECT_EQ(ApplyAstroEdit(m, 1, kAstroRiseColumn, 1, 50, AstroEditCancel()).changed, 0);
    EXPECT_EQ(ApplyAstroEdit(m, 1, 2, 1, 50, AstroEditOk(m, AstroEditLoeschen, 0, 0, 0)).changed, 0);
    EXPECT_EQ(std::pair(m.program().astro.AstroTab == before.astro.AstroTab, m.Geaendert), std::pair(true, 0));
}

// The astro device adds its offsets to the table when it shows and switches
// the times: a typed time is stored without them, too.
TEST(AstroCellEdit, TheAstroDevicesOffsetsComeOffATypedTime)
{
    ProgramModel m = modelForRow(19);
    m.clock = [] { return QDateTime(QDate(2025, 1, 5), QTime(8, 0)); };
    m.program().astro.AstroOffsetAuf = -20;
    m.program().astro.AstroAktiv = {-1, -1, 0, 0, 0};
    ApplyAstroEdit(m, 0, kAstroRiseColumn, 3, 3, AstroEditOk(m, AstroEditAendern, 7, 0, 1));
    EXPECT_EQ(Day(m, 3, 0).rise, 7 * 60 + 20);
    EXPECT_EQ(ShownAstroTimes(m, 0, 0, 3, 2025).rise, 7 * 60);
    EXPECT_EQ(AstroEditOk(m, AstroEditLoeschen, 0, 0, 1).AstroEditWert, 1791);
}
