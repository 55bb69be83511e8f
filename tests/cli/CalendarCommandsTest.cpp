#include "calendar/AstroTable.h"
#include "calendar/CalendarMath.h"
#include "model/DeviceSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the command line tool in a working directory without settings.
CliRun Cli(const QStringList& args, const QString& dir = QString())
{
    QTemporaryDir empty;
    QProcess p;
    p.setWorkingDirectory(dir.isEmpty() ? empty.path() : dir);
    p.start(QStringLiteral(ZENDRIK_CLI), args);
    p.waitForFinished(30000);
    return CliRun{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CalendarCommands, SunPrintsHoursAndTwoDigitMinutes)
{
    CliRun r = Cli({QStringLiteral("sun"), QStringLiteral("--lat"), QStringLiteral("50"), QStringLiteral("--date"),
                 QStringLiteral("21.6")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("sunrise 3:51\nsunset 20:13\n"));
    r = Cli({QStringLiteral("sun"), QStringLiteral("--lat"), QStringLiteral("0"), QStringLiteral("--date"),
             QStringLiteral("21.3.")});
    EXPECT_EQ(r.out, QStringLiteral("sunrise 6:04\nsunset 18:10\n"));
    r = Cli({QStringLiteral("sun"), QStringLiteral("--lat"), QStringLiteral("70"), QStringLiteral("--date"),
             QStringLiteral("21.6")});
    EXPECT_EQ(r.out, QStringLiteral("sunrise 0:00\nsunset 0:00\n"));
    for (const QStringList& bad : {QStringList{QStringLiteral("--lat"), QStringLiteral("91"), QStringLiteral("--date"),
                                               QStringLiteral("1.1")},
                                   QStringList{QStringLiteral("--lat"), QStringLiteral("50"), QStringLiteral("--date"),
                                               QStringLiteral("30.2")},
                                   QStringList{QStringLiteral("--lat"), QStringLiteral("50")}}) {
        r = Cli(QStringList{QStringLiteral("sun")} + bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(CalendarCommands, EasterSunday)
{
    EXPECT_EQ(Cli({QStringLiteral("easter"), QStringLiteral("2000")}).out, QStringLiteral("23.4.\n"));
    EXPECT_EQ(Cli({QStringLiteral("easter"), QStringLiteral("2046")}).out, QStringLiteral("25.3.\n"));
    EXPECT_EQ(Cli({QStringLiteral("easter"), QStringLiteral("2100")}).exitCode, 2);
    EXPECT_EQ(Cli({QStringLiteral("easter")}).exitCode, 2);
}

TEST(CalendarCommands, RuleDates)
{
    const auto dst = [](const char* rule) {
        return Cli({QStringLiteral("dst"), QStringLiteral("--rule"), QString::fromLatin1(rule), QStringLiteral("2000")});
    };
    EXPECT_EQ(dst("1").out, QStringLiteral("forward 26.3.\nback 29.10.\n"));
    EXPECT_EQ(dst("2").out, QStringLiteral("forward 26.3.\nback 22.10.\n"));
    EXPECT_EQ(dst("3").out, QStringLiteral("forward 9.4.\nback 29.10.\n"));
    EXPECT_EQ(dst("0").out, QStringLiteral("none\n"));
    EXPECT_EQ(dst("4").exitCode, 2);
}

TEST(CalendarCommands, AstroTableAsStored)
{
    const QStringList location = {QStringLiteral("astro"), QStringLiteral("--lon"), QStringLiteral("-10"),
                                  QStringLiteral("--lat"), QStringLiteral("50"), QStringLiteral("--zone"),
                                  QStringLiteral("-60"), QStringLiteral("--rise-offset"), QStringLiteral("-600"),
                                  QStringLiteral("--set-offset"), QStringLiteral("15"), QStringLiteral("--year"),
                                  QStringLiteral("2024")};
    for (const auto& [type, family] : {std::pair{QStringLiteral("20"), kFamily738}, {QStringLiteral("1"), kFamily731},
                                       {QStringLiteral("19"), kFamily752}}) {
        const CliRun r = Cli(QStringList{QStringLiteral("--type"), type} + location);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 366);
        const AstroYear expected = ComputeAstroYear(AstroLocation{-10.0f, 50.0f, -60, -600, 15}, family, 2024);
        for (int i = 0; i < 366; ++i) {
            const AstroTimes& t = expected[static_cast<std::size_t>(i)];
            ASSERT_EQ(lines[i], QStringLiteral("%1\t%2\t%3").arg(i + 1).arg(t.rise).arg(t.set)) << family;
        }
    }
    // With a sunrise 600 minutes early the bus device switches at 0:00, the
    // one-channel astro device keeps its offsets out of the table.
    const CliRun bus = Cli(QStringList{QStringLiteral("--type"), QStringLiteral("20")} + location);
    EXPECT_TRUE(bus.out.startsWith(QStringLiteral("1\t0\t")));
    const CliRun one = Cli(QStringList{QStringLiteral("--type"), QStringLiteral("1")} + location);
    EXPECT_TRUE(one.out.startsWith(QStringLiteral("1\t1791\t")));
    EXPECT_EQ(Cli({QStringLiteral("astro"), QStringLiteral("--lon"), QStringLiteral("-10")}).exitCode, 2);
}

TEST(CalendarCommands, HolidaysOfTheLanguagesFile)
{
    const QString data = QStringLiteral(ZENDRIK_SHIPPED_DATA);
    CliRun r = Cli({QStringLiteral("--dir"), data, QStringLiteral("holidays"), QStringLiteral("2024"), QStringLiteral("--set"),
                 QStringLiteral("Sachsen")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 11);
    EXPECT_TRUE(lines.contains(QStringLiteral("20.11.2024\tBuß- und Bettag")));
    EXPECT_TRUE(lines.contains(QStringLiteral("29.3.2024\tKarfreitag")));
    EXPECT_TRUE(lines.contains(QStringLiteral("1.1.2024\tNeujahr")));

    r = Cli({QStringLiteral("--dir"), data, QStringLiteral("holidays"), QStringLiteral("2023")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("8.6.2023\tFronleichnam\n")));

    EXPECT_EQ(Cli({QStringLiteral("--dir"), data, QStringLiteral("holidays"), QStringLiteral("2024"),
                   QStringLiteral("--set"), QStringLiteral("Atlantis")})
                  .exitCode,
              2);

    QTemporaryDir dir;
    r = Cli({QStringLiteral("--dir"), dir.path(), QStringLiteral("holidays"), QStringLiteral("2024")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Datei nicht vorhanden")));

    QFile broken(QDir(dir.path()).filePath(QStringLiteral("deutsch.hdy")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("3,0\r\n\"Neujahr\",0,0,1,1\r\n");
    broken.close();
    r = Cli({QStringLiteral("--dir"), dir.path(), QStringLiteral("holidays"), QStringLiteral("2024")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Keine gültige Datei")));
    EXPECT_TRUE(r.out.isEmpty());
}
