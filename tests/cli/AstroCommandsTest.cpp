// set-astro does what the astro dialog's OK does, and the list and the
// simulation of the file written show what the device will switch.
#include "calendar/AstroTable.h"
#include "calendar/DayProfile.h"
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "editing/ProgramList.h"
#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "model/ProgramFile.h"
#include "tests/cli/CliFolder.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class AstroCommands : public CliFolder {
protected:
    // A program of the device-type row without astro times (and, if `bare`, without entries), saved in the folder.
    QString program(int row, bool bare = false)
    {
        ProgramModel m = row == 20 ? canonical738() : canonical752();
        m.program().astro = AstroProgram{};
        if (bare) // nothing but the astro channel, changing the clock like Europe
            std::tie(m.program().AnzEintrag, m.program().AnzSz, m.program().AnzPz, m.program().AnzSoWi, m.device.SwRegel) = std::tuple(0, 0, 0, 0, 1);
        return save(m, u"PROG%1.zpg"_s.arg(row));
    }
    CliRun astro(int row, const QStringList& args) const { return run(QStringList{"--dir", "$S", "--lang", "de", "--type", QString::number(row)} + args); }
    ProgramModel load(int row, const QString& name) const
    {
        ProgramModel m = modelForRow(row);
        m.clock = [] { return QDateTime::currentDateTime(); };
        EXPECT_EQ(LoadProgram(m, path(name), kProgramSlot), LoadOk) << name.toStdString();
        return m;
    }
};

const QStringList kTimes = {"--rise-offset", "-15", "--set-offset", "20", "--morning", "5:30", "--evening", "22:15", "--rise-state", "off", "--set-state", "on"};

} // namespace

// The table of the channel, its states, limits and active flags; the list
// shows it as the core does.
TEST_F(AstroCommands, SetAstroStoresTheChannelAndTheListShowsIt)
{
    Succeeded(astro(20, QStringList{"set-astro", program(20), "ASTRO.zpg", "--channel", "3", "--lon", "-10", "--lat", "50.2", "--zone", "-60"} + kTimes));
    // The bus device's file keeps the switching minutes of the table (the
    // latitude snapped to the half degree) with the limits written in, and
    // beside the image the limits themselves.
    const ProgramModel m = load(20, u"ASTRO.zpg"_s);
    const AstroProgram& a = m.program().astro;
    EXPECT_EQ(std::tuple(a.AstroAktiv[0], a.AstroAktiv[1], a.AstroAktiv[3]), std::tuple(-1, 0, -1));
    EXPECT_EQ(a.AstroGrenze[2], (AstroLimits{5 * 60 + 30, 22 * 60 + 15, kAstroRiseState, kAstroSetState}));
    const AstroLocation location{-10.0f, 50.0f, -60, -15, 20};
    AstroYear expected = ComputeAstroYear(location, kFamily738, m.currentYear());
    ApplyAstroLimits(expected, location, kFamily738, 5 * 60 + 30, 22 * 60 + 15, AstroSummerDaysFrom(m.device.SwRegel, m.program(), m.currentYear()));
    for (std::size_t i = 0; i < 365; ++i)
        ASSERT_EQ(std::pair(a.AstroTab[2][i].rise, a.AstroTab[2][i].set), std::pair(expected[i].rise, expected[i].set)) << i;

    TextTable texts;
    texts.LoadGerman();
    ListSources sources;
    sources.astroChannel = 2;
    const ProgramList list = ProgramList::Build(m, texts, ListFilter{}, AnsichtAstrozeiten, kProgramSlot, sources);
    const QStringList lines = Succeeded(astro(20, {"list", "ASTRO.zpg", "--view", "astro", "--channel", "3"})).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(list.rows.size()) + 1);
    for (std::size_t i = 0; i < list.rows.size(); ++i)
        ASSERT_EQ(lines[static_cast<qsizetype>(i) + 1], list.rows[i].join(u'\t')) << i;
    EXPECT_TRUE(lines[172].contains(u"C3"_s)) << lines[172].toStdString();
}

// A place of the language's file sets the three location bars; the astro
// device's file keeps the location and the offsets; its channel 2 follows
// the one table.
TEST_F(AstroCommands, TheAstroDeviceKeepsPlaceOffsetsAndChannelTwo)
{
    const QString in = program(19);
    Succeeded(astro(19, QStringList{"set-astro", in, "ORT.zpg", "--place", "München"} + kTimes));
    const AstroProgram a = load(19, u"ORT.zpg"_s).program().astro;
    EXPECT_EQ(std::tuple(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter, a.AstroAktiv[1]), std::tuple(-11.5f, 48.0f, -60, -15, 20, -1));
    Succeeded(astro(19, QStringList{"set-astro", in, "EINS.zpg", "--channel", "2", "--place", "Berlin"} + kTimes));
    const ProgramModel m = load(19, u"EINS.zpg"_s);
    EXPECT_EQ(std::pair(m.program().astro.AstroAktiv[1], m.program().astro.AstroTab[0][100].setState), std::pair(-1, -1));
}

// The limits are written into the table the file carries, so the reopened
// file simulates with them in the year of writing and in the years after,
// and the astro list shows the same times. The device switches OFF at
// sunrise and ON at sunset: the last OFF of a day is its sunrise, its ON
// minutes are the night.
TEST_F(AstroCommands, LimitsReachTheFileAndItsSimulation)
{
    const auto minuteOf = [](const QString& hm) { return hm.section(u':', 0, 0).toInt() * 60 + hm.section(u':', 1, 1).toInt(); };
    const QStringList limits = {"--place", "Berlin", "--rise-offset", "0", "--set-offset", "0", "--morning", "6:00", "--evening", "21:00"};
    for (const int row : {19, 20}) {
        SCOPED_TRACE(row);
        Succeeded(astro(row, QStringList{"set-astro", program(row, true), "LIMIT.zpg", "--now", "2026-03-01 12:00"} + limits));
        for (const int year : {2026, 2027, 2031}) {
            const QStringList lines = Succeeded(astro(row, {"simulate", "LIMIT.zpg", "--year", QString::number(year), "--channel", "1", "--csv"})).split(u'\n', Qt::SkipEmptyParts);
            ASSERT_GE(lines.size(), 366);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QStringList f = lines[i].split(u',');
                const int sunrise = minuteOf(f[5]);
                const int sunset = kMinutesOfDay - f[3].toInt() + sunrise;
                ASSERT_EQ(f[2], u"0"_s);
                ASSERT_TRUE(sunrise >= 6 * 60 && sunset <= 21 * 60) << lines[i].toStdString();
                EXPECT_TRUE(f[0] != u"2026-06-21"_s || std::pair(sunrise, sunset) == std::pair(6 * 60, 21 * 60)) << sunrise << ' ' << sunset;
            }
        }
        const QString june = Succeeded(astro(row, {"list", "LIMIT.zpg", "--view", "astro"})).split(u'\n')[172];
        EXPECT_TRUE(june.endsWith(u" 6:00 Uhr\t21:00 Uhr"_s)) << june.toStdString();
        // The states the device cannot keep are refused, with the reason.
        const CliRun r = astro(row, QStringList{"set-astro", "LIMIT.zpg", "LIMIT.zpg", "--rise-state", "on"} + limits);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(u"Sonnenaufgang AUS"_s)) << r.err.toStdString();
    }
}
