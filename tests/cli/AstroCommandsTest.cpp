#include "calendar/AstroTable.h"
#include "calendar/DayProfile.h"
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "editing/ProgramList.h"
#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "model/ProgramFile.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTimes = {"--rise-offset", "-15", "--set-offset", "20", "--morning", "5:30", "--evening", "22:15",
                            "--rise-state", "off", "--set-state", "on"};

class AstroCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"deutsch.ord", "english.ord"})
            QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/") + QLatin1String(name), dir.filePath(QLatin1String(name)));
    }

    // A program of the device-type row (without astro times) saved in the working directory.
    QString emptyProgram(int row)
    {
        ProgramModel m = row == 20 ? canonical738() : row == 19 ? canonical752()
                                                                : canonical731();
        m.program().astro = AstroProgram{};
        return saveProgramAs(m, dir.filePath(u"PROG%1.zpg"_s.arg(row)));
    }

    CliRun run(int row, const QStringList& args) const
    {
        return RunCli(QStringList{"--dir", dir.path(), "--lang", "de", "--type", QString::number(row)} + args,
                      dir.path());
    }

    ProgramModel load(int row, const QString& path) const
    {
        ProgramModel m = modelForRow(row);
        m.clock = [] { return QDateTime::currentDateTime(); };
        EXPECT_EQ(LoadProgram(m, path, kProgramSlot), LoadOk) << path.toStdString();
        return m;
    }

    QTemporaryDir dir;
};

} // namespace

// set-astro does what the dialog's OK does: the table of the channel, its
// states, limits and active flags, then the list shows it as the core does.
TEST_F(AstroCommands, SetAstroStoresTheChannelAndTheListShowsIt)
{
    const QString in = emptyProgram(20);
    const QString out = dir.filePath(u"ASTRO.zpg"_s);
    CliRun r = run(20, QStringList{"set-astro", in, out, "--channel", "3", "--lon", "-10", "--lat", "50.2", "--zone", "-60"} + kTimes);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    // The bus device's file keeps the switching minutes of the table (the
    // latitude snapped to the half degree) with the limits written in, and
    // beside the image the limits themselves; its location lives in the
    // program being edited only.
    const ProgramModel m = load(20, out);
    const AstroProgram& a = m.program().astro;
    EXPECT_EQ(std::tuple(a.AstroAktiv[0], a.AstroAktiv[1], a.AstroAktiv[3]), std::tuple(-1, 0, -1));
    EXPECT_EQ(a.AstroGrenze[2], (AstroLimits{5 * 60 + 30, 22 * 60 + 15, kAstroRiseState, kAstroSetState}));
    const AstroLocation location{-10.0f, 50.0f, -60, -15, 20};
    AstroYear expected = ComputeAstroYear(location, kFamily738, m.currentYear());
    ApplyAstroLimits(expected, location, kFamily738, 5 * 60 + 30, 22 * 60 + 15,
                     AstroSummerDaysFrom(m.device.SwRegel, m.program(), m.currentYear()));
    for (std::size_t i = 0; i < 365; ++i)
        ASSERT_EQ(std::pair(a.AstroTab[2][i].rise, a.AstroTab[2][i].set), std::pair(expected[i].rise, expected[i].set)) << i;

    r = run(20, {"list", out, "--view", "astro", "--channel", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    TextTable texts;
    texts.LoadGerman();
    ListSources sources;
    sources.astroChannel = 2;
    const ProgramList list = ProgramList::Build(m, texts, ListFilter{}, AnsichtAstrozeiten, kProgramSlot, sources);
    QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(list.rows.size()) + 1);
    for (std::size_t i = 0; i < list.rows.size(); ++i)
        ASSERT_EQ(lines[static_cast<qsizetype>(i) + 1], list.rows[i].join(u'\t')) << i;
    EXPECT_TRUE(lines[172].contains(u"C3"_s)) << lines[172].toStdString();
}

TEST_F(AstroCommands, PlacesAndTheChannelRules)
{
    // A place of the language's file sets the three location bars; the
    // astro device's file keeps the location and the offsets.
    const QString in = emptyProgram(20);
    const QString out = dir.filePath(u"ORT.zpg"_s);
    const QString one = emptyProgram(19);
    CliRun r = run(19, QStringList{"set-astro", one, out, "--place", "München"} + kTimes);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const ProgramModel placed = load(19, out);
    const AstroProgram& a = placed.program().astro;
    EXPECT_EQ(std::tuple(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter),
              std::tuple(-11.5f, 48.0f, -60, -15, 20));
    EXPECT_EQ(a.AstroAktiv[1], -1);

    // The bus device has astro tables for channels 1..4 only.
    r = run(20, QStringList{"set-astro", in, out, "--channel", "5", "--place", "Berlin"} + kTimes);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"C1 bis C4"_s)) << r.err.toStdString();
    // The astro device keeps one table; channel 2 follows it.
    const QString oneOut = dir.filePath(u"EINS.zpg"_s);
    r = run(19, QStringList{"set-astro", one, oneOut, "--channel", "2", "--place", "Berlin"} + kTimes);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const ProgramModel m = load(19, oneOut);
    EXPECT_EQ(std::pair(m.program().astro.AstroAktiv[1], m.program().astro.AstroTab[0][100].setState), std::pair(-1, -1));
    // A channel the astro device does not have is refused, not ignored.
    for (const char* channel : {"99", "0", "3"}) {
        QFile::remove(oneOut);
        r = run(19, QStringList{"set-astro", one, oneOut, "--channel", QString::fromLatin1(channel), "--place", "Berlin"} + kTimes);
        EXPECT_EQ(r.exitCode, 1) << channel;
        EXPECT_TRUE(r.err.contains(u"C1 und C2"_s)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(oneOut)) << channel;
    }
    // No astro table at all on the plain switches.
    EXPECT_EQ(run(4, QStringList{u"set-astro"_s, emptyProgram(4), oneOut, u"--place"_s, u"Berlin"_s} + kTimes).exitCode, 1);

    const QStringList usage[] = {
        QStringList{"set-astro", in, out, "--lon", "0", "--lat", "65", "--zone", "0"} + kTimes,
        QStringList{"set-astro", in, out, "--lon", "0", "--lat", "50", "--zone", "-780"} + kTimes,
        QStringList{"set-astro", in, out, "--place", "Atlantis"} + kTimes,
        QStringList{"set-astro", in, out, "--place", "Berlin", "--lon", "3"} + kTimes,
        {"set-astro", in, out, "--place", "Berlin"},
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(run(20, args).exitCode, 2) << args.join(u' ').toStdString();
    r = run(20, QStringList{"set-astro", in, out, "--place", "Berlin", "--rise-offset", "121"} + kTimes.mid(2));
    EXPECT_EQ(r.exitCode, 2);

    // places lists the language's file with the stored sign conventions.
    r = run(20, {"places", "--lang", "en"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(u"London\t0\t51.5\t0\t0 degrees\t51.5 degrees North\t+ 0:00 hrs\n"_s)) << r.out.toStdString();
    r = run(20, {"places"});
    EXPECT_TRUE(r.out.contains(u"Berlin\t-13.5\t52.5\t-60\t13,5 Grad Ost\t52,5 Grad Nord\t+ 1:00 Std\n"_s));
    // A damaged file is refused; a missing one is an empty list.
    QFile::remove(dir.filePath(u"english.ord"_s));
    r = run(20, {"places", "--lang", "en"});
    EXPECT_EQ(std::pair(r.exitCode, r.out), std::pair(0, QString()));
    writeFile(dir.filePath(u"deutsch.ord"_s), "3\r\n\"Berlin\",333,75,52\r\n\"Nordkap\",386,38,52\r\n");
    r = run(20, {"places"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.count(u'\n'), 1);
    EXPECT_TRUE(r.err.contains(u"Nordkap"_s) && r.err.contains(u"nennt 3 Orte"_s)) << r.err.toStdString();
    writeFile(dir.filePath(u"deutsch.ord"_s), "2\r\n\"Berlin\",333,x,52\r\n");
    EXPECT_EQ(run(20, {u"places"_s}).exitCode, 1);
}

// The limits reach the device: they are written into the table the file
// carries, so the reopened file simulates with them in the year of writing
// and in the years after, and the astro list shows the same times. The
// device switches OFF at sunrise and ON at sunset: the last OFF of a day is
// its sunrise, its ON minutes are the night.
TEST_F(AstroCommands, LimitsReachTheFileAndItsSimulation)
{
    const auto minuteOf = [](const QString& hm) { return hm.section(u':', 0, 0).toInt() * 60 + hm.section(u':', 1, 1).toInt(); };
    for (const int row : {19, 20}) {
        // A program of nothing but the astro channel.
        ProgramModel empty = row == 20 ? canonical738() : canonical752();
        empty.program().astro = AstroProgram{};
        empty.program().AnzEintrag = empty.program().AnzSz = empty.program().AnzPz = 0;
        empty.program().AnzSoWi = 0;
        empty.device.SwRegel = 1; // like Europe
        const QString in = saveProgramAs(empty, dir.filePath(u"LEER%1.zpg"_s.arg(row)), true);
        const QString out = dir.filePath(u"LIMIT%1.zpg"_s.arg(row));
        CliRun r = run(row, {"set-astro", in, out, "--place", "Berlin", "--rise-offset", "0", "--set-offset", "0", "--morning", "6:00", "--evening", "21:00", "--now", "2026-03-01 12:00"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        for (const int year : {2026, 2027, 2031}) {
            r = run(row, {"simulate", out, "--year", QString::number(year), "--channel", "1", "--csv"});
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
            ASSERT_GE(lines.size(), 366);
            int days = 0;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const QStringList f = lines[i].split(u',');
                ASSERT_EQ(f[2], u"0"_s);
                ++days;
                const int sunrise = minuteOf(f[5]);
                const int sunset = kMinutesOfDay - f[3].toInt() + sunrise;
                ASSERT_GE(sunrise, 6 * 60) << row << ' ' << lines[i].toStdString();
                ASSERT_LE(sunset, 21 * 60) << row << ' ' << lines[i].toStdString();
                if (f[0] == u"2026-06-21"_s) {
                    EXPECT_EQ(std::pair(sunrise, sunset), std::pair(6 * 60, 21 * 60)) << row;
                }
            }
            EXPECT_GE(days, 365) << row << ' ' << year;
        }
        r = run(row, {"list", out, "--view", "astro"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString june = r.out.split(u'\n')[172];
        EXPECT_TRUE(june.endsWith(u" 6:00 Uhr\t21:00 Uhr"_s)) << june.toStdString();
        // The states the device cannot keep are refused, with the reason.
        r = run(row, {"set-astro", out, out, "--place", "Berlin", "--rise-offset", "0", "--set-offset", "0", "--morning", "6:00", "--evening", "21:00", "--rise-state", "on"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(u"Sonnenaufgang AUS"_s)) << r.err.toStdString();
    }
}
