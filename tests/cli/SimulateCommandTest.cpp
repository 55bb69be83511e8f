#include "editing/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kRowFourChannels = 4;
constexpr int kRowMeterTwoChannels = 7;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Channel 1 runs 6:00..22:00 every day, and 10:00..12:00 (program P3)
// from 10 to 12 March.
constexpr int kYearMinutes = 362 * 960 + 3 * 120;

QString HoursText(int minutes)
{
    return QStringLiteral("%1 h %2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

class SimulateCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramModel m = modelForRow(kRowFourChannels);
        addEntry(m, BuildWeeklyEntry(6 * 60, 127, 1, 1, 0, 0));
        addEntry(m, BuildWeeklyEntry(22 * 60, 127, 1, 0, 0, 0));
        addEntry(m, BuildWeeklyEntry(10 * 60, 127, 1, 1, 0, 3));
        addEntry(m, BuildWeeklyEntry(12 * 60, 127, 1, 0, 0, 3));
        addEntry(m, BuildWeeklyEntry(12 * 60, 127, 2, 1, 5, 0));
        addEntry(m, BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, 1, 0));
        program = save(m, QStringLiteral("SCHULE.zpg"));

        ProgramModel meter = modelForRow(kRowMeterTwoChannels);
        meter.device.MessKanal = 2;
        meter.device.MessPeriode = 15;
        meter.device.MessImpDauer = 10;
        addEntry(meter, BuildWeeklyEntry(6 * 60, 127, 3, 1, 0, 0));
        meterProgram = save(meter, QStringLiteral("ZAEHLER.zpg"));
    }

    QString save(ProgramModel& model, const QString& name)
    {
        model.program().Dateiname = QDir(dir.path()).filePath(name);
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        EXPECT_EQ(SaveProgram(model, yes).result, 1);
        return model.program().Dateiname;
    }

    CliRun run(const QStringList& options, const QStringList& args) const
    {
        QProcess p;
        p.start(QStringLiteral(ZENDRIK_CLI),
                QStringList{QStringLiteral("--dir"), dir.path()} + options + QStringList{QStringLiteral("simulate")} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    CliRun simulate(const QStringList& args, const QString& lang = QStringLiteral("de")) const
    {
        return run({QStringLiteral("--type"), QString::number(kRowFourChannels), QStringLiteral("--lang"), lang}, args);
    }

    QTemporaryDir dir;
    QString program;
    QString meterProgram;
};

} // namespace

TEST_F(SimulateCommandTest, DayProfileLines)
{
    CliRun r = simulate({program, QStringLiteral("--year"), QStringLiteral("2026"), QStringLiteral("--channel"),
                         QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("11.3")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("0\t600\t0\n600\t720\t1\n720\t1440\t0\noperating 2:00\n"));

    r = simulate({program, QStringLiteral("--year"), QStringLiteral("2026"), QStringLiteral("--channel"),
                  QStringLiteral("2"), QStringLiteral("--date"), QStringLiteral("11.3.")});
    EXPECT_EQ(r.out, QStringLiteral("0\t720\t0\n720\t721\t3\n721\t1440\t0\noperating 0:00\n"));
}

TEST_F(SimulateCommandTest, YearOperatingHoursInTheChosenLanguage)
{
    const QStringList args = {program, QStringLiteral("--year"), QStringLiteral("2026"), QStringLiteral("--channel"),
                              QStringLiteral("1")};
    EXPECT_EQ(simulate(args).out, QStringLiteral("C1, Jahresbetriebsstunden: %1 Min\n").arg(HoursText(kYearMinutes)));
    EXPECT_EQ(simulate(args, QStringLiteral("en")).out,
              QStringLiteral("C1, Yearly operating hours: %1 Min\n").arg(HoursText(kYearMinutes)));
    EXPECT_EQ(simulate(args, QStringLiteral("fr")).out,
              QStringLiteral("C1, Heures de fonctionnement annuelles : %1 Min\n").arg(HoursText(kYearMinutes)));
}

TEST_F(SimulateCommandTest, JsonYearForPlotting)
{
    const CliRun r = simulate({program, QStringLiteral("--year"), QStringLiteral("2028"), QStringLiteral("--channel"),
                               QStringLiteral("1"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("year")].toInt(), 2028);
    EXPECT_EQ(o[QStringLiteral("channel")].toInt(), 1);
    const QJsonArray days = o[QStringLiteral("days")].toArray();
    ASSERT_EQ(days.size(), 366);
    int total = 0;
    for (const QJsonValue& v : days) {
        const QJsonObject day = v.toObject();
        int end = 0;
        for (const QJsonValue& s : day[QStringLiteral("profile")].toArray()) {
            EXPECT_EQ(s.toArray()[0].toInt(), end);
            end = s.toArray()[1].toInt();
        }
        EXPECT_EQ(end, 1440);
        total += day[QStringLiteral("operating")].toInt();
    }
    EXPECT_EQ(total, 363 * 960 + 3 * 120);
    EXPECT_EQ(o[QStringLiteral("operating")].toInt(), total);
    const QJsonObject march11 = days[31 + 29 + 10].toObject();
    EXPECT_EQ(march11[QStringLiteral("date")].toString(), QStringLiteral("11.3."));
    EXPECT_EQ(march11[QStringLiteral("priority")].toInt(), 3);
    EXPECT_EQ(march11[QStringLiteral("operating")].toInt(), 120);
    EXPECT_EQ(march11[QStringLiteral("weekday")].toInt(), 6);   // a Saturday
    EXPECT_EQ(march11[QStringLiteral("profile")].toArray(),
              (QJsonArray{QJsonArray{0, 600, 0}, QJsonArray{600, 720, 1}, QJsonArray{720, 1440, 0}}));

    const CliRun day = run({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("--json")},
                           {program, QStringLiteral("--year"), QStringLiteral("2028"), QStringLiteral("--channel"),
                            QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("11.3")});
    EXPECT_EQ(QJsonDocument::fromJson(day.out.toUtf8()).object(), march11);
}

TEST_F(SimulateCommandTest, MeterPulseChannelOnAMeterPulseDevice)
{
    const QStringList args = {meterProgram, QStringLiteral("--year"), QStringLiteral("2026"), QStringLiteral("--channel"),
                              QStringLiteral("2")};
    // 96 pulses of 10 s a day with the relay ON between them.
    const CliRun meter = run({QStringLiteral("--type"), QString::number(kRowMeterTwoChannels)}, args);
    EXPECT_EQ(meter.out, QStringLiteral("C2, Jahresbetriebsstunden: %1 Min\n").arg(HoursText(365 * (1440 - 16))));
    // On a device type without meter pulse the channel follows its switching
    // times: ON at 6:00 every day and never OFF.
    const CliRun plain = run({QStringLiteral("--type"), QStringLiteral("2")}, args);
    EXPECT_EQ(plain.out, QStringLiteral("C2, Jahresbetriebsstunden: %1 Min\n").arg(HoursText(365 * 1440)));
}

TEST_F(SimulateCommandTest, RefusesBadArguments)
{
    const QString year = QStringLiteral("--year");
    const QString channel = QStringLiteral("--channel");
    for (const QStringList& bad : {QStringList{program, channel, QStringLiteral("1")},
                                   QStringList{program, year, QStringLiteral("2026")},
                                   QStringList{program, year, QStringLiteral("1900"), channel, QStringLiteral("1")},
                                   QStringList{program, year, QStringLiteral("zwei"), channel, QStringLiteral("1")},
                                   QStringList{program, year, QStringLiteral("2026"), channel, QStringLiteral("5")},
                                   QStringList{program, year, QStringLiteral("2026"), channel, QStringLiteral("0")},
                                   QStringList{program, year, QStringLiteral("2026"), channel, QStringLiteral("1"),
                                               QStringLiteral("--date"), QStringLiteral("29.2")},
                                   QStringList{program, year, QStringLiteral("2026"), channel, QStringLiteral("1"),
                                               QStringLiteral("--date"), QStringLiteral("32.1")},
                                   QStringList{year, QStringLiteral("2026"), channel, QStringLiteral("1")}}) {
        const CliRun r = simulate(bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << bad.join(' ').toStdString();
    }
    const CliRun missing = simulate({QDir(dir.path()).filePath(QStringLiteral("FEHLT.zpg")), year,
                                     QStringLiteral("2026"), channel, QStringLiteral("1")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_FALSE(missing.err.isEmpty());
}
