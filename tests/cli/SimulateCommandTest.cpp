#include "model/EntryBuilder.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// Channel 1 runs 6:00..22:00 every day, and 10:00..12:00 (program P3)
// from 10 to 12 March.
constexpr int kYearMinutes = 362 * 960 + 3 * 120;

QString hours(int minutes)
{
    return u"%1 h %2"_s.arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

class SimulateCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramModel m = modelForRow(4);
        for (const Entry& e : {BuildWeeklyEntry(6 * 60, 127, 1, 1, 0, 0), BuildWeeklyEntry(22 * 60, 127, 1, 0, 0, 0),
                               BuildWeeklyEntry(10 * 60, 127, 1, 1, 0, 3), BuildWeeklyEntry(12 * 60, 127, 1, 0, 0, 3),
                               BuildWeeklyEntry(12 * 60, 127, 2, 1, 5, 0),
                               BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, 1, 0)})
            addEntry(m, e);
        program = saveProgramAs(m, dir.filePath(u"SCHULE.zpg"_s));
    }

    CliRun simulate(const QStringList& options, const QStringList& args) const
    {
        return RunCli(QStringList{"--dir", dir.path()} + options + QStringList{"simulate"} + args);
    }

    QTemporaryDir dir;
    QString program;
};

} // namespace

TEST_F(SimulateCommandTest, DayProfilesAndYearHoursInEveryLanguage)
{
    const QStringList type = {"--type", "4"};
    CliRun r = simulate(type, {program, "--year", "2026", "--channel", "1", "--date", "11.3"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"0\t600\t0\n600\t720\t1\n720\t1440\t0\noperating 2:00\n"_s);
    r = simulate(type, {program, "--year", "2026", "--channel", "2", "--date", "11.3."});
    EXPECT_EQ(r.out, u"0\t720\t0\n720\t721\t3\n721\t1440\t0\noperating 0:00\n"_s);

    const std::pair<const char*, QString> languages[] = {
        {"de", u"C1, Jahresbetriebsstunden: %1 Min\n"_s},
        {"en", u"C1, Yearly operating hours: %1 Min\n"_s},
        {"fr", u"C1, Heures de fonctionnement annuelles : %1 Min\n"_s},
    };
    for (const auto& [lang, text] : languages)
        EXPECT_EQ(simulate(type + QStringList{"--lang", lang}, {program, "--year", "2026", "--channel", "1"}).out,
                  text.arg(hours(kYearMinutes)));
}

TEST_F(SimulateCommandTest, JsonYearForPlotting)
{
    const QString r = Succeeded(simulate({"--type", "4"}, {program, "--year", "2028", "--channel", "1", "--json"}));
    const QJsonObject o = QJsonDocument::fromJson(r.toUtf8()).object();
    EXPECT_EQ(o[u"year"_s].toInt(), 2028);
    EXPECT_EQ(o[u"channel"_s].toInt(), 1);
    const QJsonArray days = o[u"days"_s].toArray();
    ASSERT_EQ(days.size(), 366);
    int total = 0;
    for (const QJsonValue& v : days) {
        int end = 0;
        for (const QJsonValue& s : v[u"profile"_s].toArray()) {
            EXPECT_EQ(s.toArray()[0].toInt(), end);
            end = s.toArray()[1].toInt();
        }
        EXPECT_EQ(end, 1440);
        total += v[u"operating"_s].toInt();
    }
    EXPECT_EQ(total, kYearMinutes + 960); // 2028 is a leap year
    EXPECT_EQ(o[u"operating"_s].toInt(), total);
    const QJsonObject march11 = days[31 + 29 + 10].toObject();
    EXPECT_EQ(march11[u"date"_s].toString(), u"11.3."_s);
    EXPECT_EQ(march11[u"priority"_s].toInt(), 3);
    EXPECT_EQ(march11[u"operating"_s].toInt(), 120);
    EXPECT_EQ(march11[u"weekday"_s].toInt(), 6); // a Saturday
    EXPECT_EQ(march11[u"profile"_s].toArray(),
              (QJsonArray{QJsonArray{0, 600, 0}, QJsonArray{600, 720, 1}, QJsonArray{720, 1440, 0}}));
    const CliRun day =
        simulate({"--type", "4", "--json"}, {program, "--year", "2028", "--channel", "1", "--date", "11.3"});
    EXPECT_EQ(QJsonDocument::fromJson(day.out.toUtf8()).object(), march11);
}

TEST_F(SimulateCommandTest, MeterPulseChannelOnAMeterPulseDevice)
{
    ProgramModel meter = modelForRow(7);
    meter.device.MessKanal = 2;
    meter.device.MessPeriode = 15;
    meter.device.MessImpDauer = 10;
    addEntry(meter, BuildWeeklyEntry(6 * 60, 127, 3, 1, 0, 0));
    const QStringList args = {saveProgramAs(meter, dir.filePath(u"ZAEHLER.zpg"_s)), "--year", "2026", "--channel", "2"};
    // 96 pulses of 10 s a day with the relay ON between them.
    EXPECT_EQ(simulate({"--type", "7"}, args).out, u"C2, Jahresbetriebsstunden: %1 Min\n"_s.arg(hours(365 * (1440 - 16))));
    // Chosen as a device type without meter pulse, the file does not fit it
    // and runs as the meter variant it was made for.
    EXPECT_EQ(simulate({"--type", "2"}, args).out,
              u"C2, Jahresbetriebsstunden: %1 Min\n"_s.arg(hours(365 * (1440 - 16))));
    // Without a meter channel the channel follows its switching times: ON at
    // 6:00 every day and never OFF.
    meter.device.MessKanal = 0;
    const QStringList plain = {saveProgramAs(meter, dir.filePath(u"OHNE.zpg"_s)), "--year", "2026", "--channel", "2"};
    EXPECT_EQ(simulate({"--type", "7"}, plain).out, u"C2, Jahresbetriebsstunden: %1 Min\n"_s.arg(hours(365 * 1440)));
}

TEST_F(SimulateCommandTest, RefusesBadArguments)
{
    const QString png = dir.filePath(u"x.png"_s);
    const QStringList year = {program, "--year", "2026", "--channel", "1"};
    const QStringList bad[] = {
        {program, "--channel", "1"},
        {program, "--year", "2026"},
        {program, "--year", "1900", "--channel", "1"},
        {program, "--year", "zwei", "--channel", "1"},
        {program, "--year", "2026", "--channel", "5"},
        {program, "--year", "2026", "--channel", "0"},
        {program, "--year", "2026", "--channel", "1", "--date", "29.2"},
        {program, "--year", "2026", "--channel", "1", "--date", "32.1"},
        {"--year", "2026", "--channel", "1"},
        // The picture and the table.
        year + QStringList{"--png", png, "--date", "1.1"},
        year + QStringList{"--csv", "--date", "1.1"},
        year + QStringList{"--csv", "--json"},
        year + QStringList{"--width", "800"},
        year + QStringList{"--png", png, "--width", "10"},
        year + QStringList{"--png", png, "--height", "hoch"},
    };
    for (const QStringList& args : bad) {
        const CliRun r = simulate({"--type", "4"}, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(png));
    const CliRun missing = simulate({"--type", "4"}, {dir.filePath(u"FEHLT.zpg"_s), "--year", "2026", "--channel", "1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_FALSE(missing.err.isEmpty());
    // The picture never replaces the program it shows.
    const QByteArray before = readFile(program);
    const CliRun over = simulate({"--type", "4"}, year + QStringList{"--png", program});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_FALSE(over.err.isEmpty());
    EXPECT_EQ(readFile(program), before);
}

TEST_F(SimulateCommandTest, YearGraphAsPicture)
{
    const QString out = dir.filePath(u"jahr.png"_s);
    CliRun r = simulate({"--type", "4"}, {program, "--year", "2026", "--channel", "1", "--png", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    QImage picture(out);
    EXPECT_EQ(picture.size(), QSize(1200, 800));

    r = simulate({"--type", "4"},
                 {program, "--year", "2026", "--channel", "1", "--png", out, "--width", "900", "--height", "600"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    picture = QImage(out);
    ASSERT_EQ(picture.size(), QSize(900, 600));
    // The ON stretches (16 of 24 hours of about 800 columns on most of the
    // 365 rows), the three P3 days in the priority strip (above the legend
    // at the bottom, which shows every colour once).
    std::map<QRgb, int> colours;
    for (int y = 0; y < picture.height() - 40; ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++colours[picture.pixel(x, y) | 0xff000000u];
    EXPECT_GT(colours[qRgb(0x1f, 0x5f, 0xa8)], 300 * 365);
    EXPECT_GT(colours[QColor::fromHsv(2 * 36, 170, 235).rgb()], 3 * 20);
}

TEST_F(SimulateCommandTest, YearAsCsvLines)
{
    const QStringList lines = Succeeded(simulate({"--type", "4", "--lang", "en"},
                                                 {program, "--year", "2028", "--channel", "1", "--csv"}))
                                  .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 367);
    EXPECT_EQ(lines[0], u"date,weekday,priority,operating_minutes,first_on,last_off,switchings"_s);
    EXPECT_EQ(lines[1], u"2028-01-01,Sa,0,960,06:00,22:00,2"_s);
    EXPECT_EQ(lines[71], u"2028-03-11,Sa,3,120,10:00,12:00,2"_s);
    EXPECT_EQ(lines[366], u"2028-12-31,Su,0,960,06:00,22:00,2"_s);
    // The pulse channel switches once a day and is never ON.
    const CliRun pulse = simulate({"--type", "4"}, {program, "--year", "2028", "--channel", "2", "--csv"});
    EXPECT_EQ(pulse.out.split(u'\n')[1], u"2028-01-01,Sa,0,0,,,1"_s);
}
