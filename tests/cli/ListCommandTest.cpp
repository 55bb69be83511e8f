#include "model/DstRowCodec.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/editing/ListFixtures.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class ListCommandTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // Saves slot 0 of the model as a program file, as the desktop program does.
    QString save(ProgramModel& model, const QString& name)
    {
        model.program().Dateiname = path(name);
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        const SaveOutcome outcome = SaveProgram(model, yes);
        EXPECT_EQ(outcome.result, 1) << outcome.error.toStdString();
        return model.program().Dateiname;
    }

    // The installation program of the fixtures on a four-channel switch.
    QString saveInstallation(const QString& name = QStringLiteral("ANLAGE.zpg"))
    {
        ProgramModel model;
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()},
                   {prioA(), prioB(), prioC(), prioD(), prioE()});
        return save(model, name);
    }

    CliRun cli(int typeRow, const QStringList& args) const
    {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ZENDRIK_CLI),
                QStringList{QStringLiteral("--dir"), dir.path(), QStringLiteral("--type"), QString::number(typeRow),
                            QStringLiteral("list")}
                    + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return CliRun{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                   QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir dir;
};

const QString kSwitchingHeading = QStringLiteral("Nr.\tDatum/Tage\tUhrzeit\tKanäle\tImpuls\t1x\tZust.\tPrio.\n");
const QString kRowA = QStringLiteral("1  \tMo Di Mi Do Fr\t  7:00 Uhr\t C1\t\t \tEIN\t\n");

// The cells of one column of TAB-separated output, item rows only.
QStringList column(const QString& out, int c)
{
    QStringList cells;
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i)
        cells << lines[i].split(QLatin1Char('\t')).value(c);
    return cells;
}

} // namespace

TEST_F(ListCommandTest, SwitchingTimesInListOrder)
{
    const QString file = saveInstallation();
    const CliRun r = cli(kRow731FourChannels, {file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, kSwitchingHeading
                         + QStringLiteral("1  \tMo Di Mi Do Fr\t  7:00 Uhr\t C1\t\t \tEIN\t\n"
                                          "2  \ttäglich\t22:15 Uhr\t C1 C4\t5 sec\t \tAUS\t\n"
                                          "3  \t24. Dezember\t18:00 Uhr\t C1\t\t1x\tEIN\t\n"
                                          "4  \tSa\t  6:30 Uhr\t C2\t\t \tAUS\t2\n"
                                          "5  \t1. Januar\t  0:05 Uhr\t C2\t\t \tAUS\t\n"
                                          "6  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(ListCommandTest, PriorityTimes)
{
    const QString file = saveInstallation();
    const CliRun r = cli(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("priority")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nr.\tBeginn am: \tEnde am: \tKanäle\t1x\tZust.\tPrio.\n"
                                    "1  \t1. Mai  00:00 Uhr\t31. Mai 24:00 Uhr\t C1\t \t\t1\n"
                                    "2  \t10. März  00:00 Uhr\t12. März 24:00 Uhr\t C3\t1x\t\t2\n"
                                    "3  \t1. November  00:00 Uhr\t28. Februar 24:00 Uhr\t C1\t \t\t3\n"
                                    "4  \t1. Juni  00:00 Uhr\t2. Juni 24:00 Uhr\t C1\t \tEIN\tPerm.\n"
                                    "5  \t24. Dezember 2060 00:00 Uhr\t26. Dezember 24:00 Uhr\t C2\t1x\tAUS\tPerm.\n"));
}

TEST_F(ListCommandTest, SortByTimeOfDay)
{
    const QString file = saveInstallation();
    const CliRun r = cli(kRow731FourChannels, {file, QStringLiteral("--sort"), QStringLiteral("2")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(column(r.out, 2), (QStringList{QStringLiteral("  0:05 Uhr"), QStringLiteral("  6:30 Uhr"),
                                             QStringLiteral("  7:00 Uhr"), QStringLiteral("  7:00 Uhr"),
                                             QStringLiteral("18:00 Uhr"), QStringLiteral("22:15 Uhr")}));
    EXPECT_EQ(column(r.out, 0).first(), QStringLiteral("1  "));
}

TEST_F(ListCommandTest, SortPriorityTimesByEndDate)
{
    const QString file = saveInstallation();
    const CliRun r = cli(kRow731FourChannels,
                      {file, QStringLiteral("--view"), QStringLiteral("priority"), QStringLiteral("--sort"),
                       QStringLiteral("2")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(column(r.out, 2),
              (QStringList{QStringLiteral("28. Februar 24:00 Uhr"), QStringLiteral("12. März 24:00 Uhr"),
                           QStringLiteral("31. Mai 24:00 Uhr"), QStringLiteral("2. Juni 24:00 Uhr"),
                           QStringLiteral("26. Dezember 24:00 Uhr")}));
}

TEST_F(ListCommandTest, FilterOptions)
{
    const QString file = saveInstallation();
    const auto dates = [&](const QStringList& options) {
        const CliRun r = cli(kRow731FourChannels, QStringList{file} + options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return column(r.out, 1);
    };
    EXPECT_EQ(dates({QStringLiteral("--channels"), QStringLiteral("2")}),
              (QStringList{QStringLiteral("Sa"), QStringLiteral("1. Januar")}));
    EXPECT_EQ(dates({QStringLiteral("--months"), QStringLiteral("0-0")}),
              (QStringList{QStringLiteral("Mo Di Mi Do Fr"), QStringLiteral("täglich"), QStringLiteral("Sa"),
                           QStringLiteral("Di")}));
    EXPECT_EQ(dates({QStringLiteral("--months"), QStringLiteral("12-12")}),
              (QStringList{QStringLiteral("Mo Di Mi Do Fr"), QStringLiteral("täglich"),
                           QStringLiteral("24. Dezember"), QStringLiteral("Sa"), QStringLiteral("Di")}));
    EXPECT_EQ(dates({QStringLiteral("--pulses"), QStringLiteral("1")}), (QStringList{QStringLiteral("täglich")}));
    EXPECT_EQ(dates({QStringLiteral("--state"), QStringLiteral("1")}),
              (QStringList{QStringLiteral("Mo Di Mi Do Fr"), QStringLiteral("24. Dezember"), QStringLiteral("Di")}));
    // A weekday choice leaves dated entries to the month range.
    EXPECT_EQ(dates({QStringLiteral("--weekdays"), QStringLiteral("0x20")}),
              (QStringList{QStringLiteral("täglich"), QStringLiteral("24. Dezember"), QStringLiteral("Sa"),
                           QStringLiteral("1. Januar")}));
    EXPECT_EQ(dates({QStringLiteral("--prio"), QStringLiteral("1-2"), QStringLiteral("--months"),
                     QStringLiteral("0-12")}),
              (QStringList{QStringLiteral("Sa"), QStringLiteral("Di")}));

    const CliRun r = cli(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("priority"),
                                            QStringLiteral("--months"), QStringLiteral("1-3")});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(column(r.out, 1),
              (QStringList{QStringLiteral("10. März  00:00 Uhr"), QStringLiteral("1. November  00:00 Uhr")}));
    EXPECT_EQ(column(r.out, 0), (QStringList{QStringLiteral("1  "), QStringLiteral("2  ")}));
}

TEST_F(ListCommandTest, SummerWinterTable)
{
    ProgramModel model;
    startProgram(model, kRow731FourChannels);
    model.device.SwRegel = 4;
    ProgramSlot& s = model.program();
    s.SoWiJahr = 2027 - 1996;
    s.SoWiTab[0] = EncodeDstRow({{28, 3, 2, 1}, {31, 10, 3, 1}});
    s.SoWiTab[1] = EncodeDstRow({{26, 3, 2, 1}, {29, 10, 3, 3}});
    s.AnzSoWi = 2;
    setEntries(model, kProgramSlot, {entryA()}, {});
    const QString file = save(model, QStringLiteral("SOWI.zpg"));

    const CliRun r = cli(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("dst")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nr.\tJahr\tVorstellen am:\tum:\tZurückstellen am:\tum:\n"
                                    "1  \t2027\t28. März 2:00 Uhr\t1 Stunde\t31. Oktober 3:00 Uhr\t1 Stunde\n"
                                    "2  \t2028\t26. März 2:00 Uhr\t1 Stunde\t29. Oktober 3:00 Uhr\t3 Stunden\n"));
}

TEST_F(ListCommandTest, AstroSwitchWithoutPulseColumn)
{
    ProgramModel model;
    startProgram(model, kRow752);
    const Entry once = BuildDatedEntry(60, 2, 1, 1, 1, 0, true);
    const Entry pulse = BuildWeeklyEntry(600, 1, 1, 1, 30, 0);
    const Entry plain = BuildWeeklyEntry(700, 1, 2, 0, 0, 0);
    setEntries(model, kProgramSlot, {once, pulse, plain}, {});
    const QString file = save(model, QStringLiteral("ASTRO.zpg"));

    // Grid column 4 is "1x" on this device: the once entry goes last.
    const CliRun r = cli(kRow752, {file, QStringLiteral("--sort"), QStringLiteral("4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nr.\tDatum/Tage\tUhrzeit\tKanäle\t1x\tZust.\tPrio.\n"
                                    "1  \tMo\t10:00 Uhr\t C1\t \tEIN\t\n"
                                    "2  \tMo\t11:40 Uhr\t C2\t \tAUS\t\n"
                                    "3  \t2. Januar\t  1:00 Uhr\t C1\t1x\tEIN\t\n"));
    EXPECT_EQ(cli(kRow752, {file, QStringLiteral("--sort"), QStringLiteral("7")}).exitCode, 2);
}

TEST_F(ListCommandTest, BusAstroDeviceChannels)
{
    ProgramModel model;
    startProgram(model, kRow738);
    setEntries(model, kProgramSlot,
               {BuildWeeklyEntry(480, 127, 15, 1, 0, 0), BuildWeeklyEntry(490, 127, 0, 0, 0, 0)},
               {BuildPriorityEntry(1, 8, 15, 8, 0, false, 2, 0, 0)});
    const QString file = save(model, QStringLiteral("BUS.zpg"));

    const CliRun all = cli(kRow738, {file});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(column(all.out, 3), (QStringList{QStringLiteral(" C1"), QStringLiteral(" C16")}));

    const CliRun c16 = cli(kRow738, {file, QStringLiteral("--channels"), QStringLiteral("16")});
    EXPECT_EQ(column(c16.out, 3), (QStringList{QStringLiteral(" C16")}));
    const CliRun prio = cli(kRow738, {file, QStringLiteral("--view"), QStringLiteral("priority"),
                                   QStringLiteral("--channels"), QStringLiteral("255")});
    EXPECT_EQ(column(prio.out, 3), (QStringList{QStringLiteral(" C1")}));
    EXPECT_EQ(cli(kRow738, {file, QStringLiteral("--channels"), QStringLiteral("17")}).exitCode, 2);
}

TEST_F(ListCommandTest, BusFormatProgram)
{
    ProgramModel model;
    startProgram(model, kRow731Bus);
    model.device.EibFormat = 1;
    Entry weekly;
    weekly.b = {0x9E, 0x0A, 0, 0b0000101, 200, 2};   // 08:00 Mo Mi, channel 7, P2, value 200
    setEntries(model, kProgramSlot, {weekly}, {});
    const QString file = save(model, QStringLiteral("EIB.zpg"));

    const CliRun r = cli(kRow731Bus, {file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, kSwitchingHeading + QStringLiteral("1  \tMo Mi\t  8:00 Uhr\t C7\t\t \t200\t2\n"));
    const CliRun below = cli(kRow731Bus, {file, QStringLiteral("--state"), QStringLiteral("1"),
                                       QStringLiteral("--value"), QStringLiteral("199")});
    EXPECT_EQ(below.out, kSwitchingHeading);
}

TEST_F(ListCommandTest, SampleSlot)
{
    const QString program = saveInstallation();
    ProgramModel sample;
    startProgram(sample, kRow731FourChannels);
    setEntries(sample, kProgramSlot, {entryE()}, {});
    const QString sampleFile = save(sample, QStringLiteral("VORLAGE.zpg"));

    const CliRun r = cli(kRow731FourChannels,
                      {program, QStringLiteral("--sample"), sampleFile, QStringLiteral("--slot"), QStringLiteral("1")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, kSwitchingHeading + QStringLiteral("1  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"));

    const CliRun programSlot = cli(kRow731FourChannels, {program, QStringLiteral("--sample"), sampleFile});
    EXPECT_EQ(column(programSlot.out, 0).size(), 6);

    const CliRun noSample = cli(kRow731FourChannels, {program, QStringLiteral("--slot"), QStringLiteral("1")});
    EXPECT_EQ(noSample.exitCode, 2);
    EXPECT_TRUE(noSample.out.isEmpty());
    const CliRun missing = cli(kRow731FourChannels,
                            {program, QStringLiteral("--sample"), path(QStringLiteral("NONE.zpg"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Datei nicht vorhanden !")));
}

TEST_F(ListCommandTest, EmptyProgramShowsTheHeadingOnly)
{
    ProgramModel model;
    startProgram(model, kRow731FourChannels);
    const QString file = save(model, QStringLiteral("LEER.zpg"));
    const CliRun r = cli(kRow731FourChannels, {file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, kSwitchingHeading);
}

TEST_F(ListCommandTest, AstroViewIsNotAvailableYet)
{
    const QString file = saveInstallation();
    const CliRun r = cli(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("astro")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("astro view is not available")));
}

TEST_F(ListCommandTest, UsageErrors)
{
    const QString file = saveInstallation();
    const QList<QStringList> bad = {
        {},
        {file, file},
        {file, QStringLiteral("--view"), QStringLiteral("calendar")},
        {file, QStringLiteral("--months"), QStringLiteral("5-3")},
        {file, QStringLiteral("--months"), QStringLiteral("1-13")},
        {file, QStringLiteral("--prio"), QStringLiteral("0-11")},
        {file, QStringLiteral("--channels"), QStringLiteral("0")},
        {file, QStringLiteral("--weekdays"), QStringLiteral("128")},
        {file, QStringLiteral("--state"), QStringLiteral("3")},
        {file, QStringLiteral("--pulses"), QStringLiteral("x")},
        {file, QStringLiteral("--sort"), QStringLiteral("8")},
        {file, QStringLiteral("--sort"), QStringLiteral("0")},
        {file, QStringLiteral("--view"), QStringLiteral("dst"), QStringLiteral("--sort"), QStringLiteral("1")},
        {file, QStringLiteral("--slot"), QStringLiteral("2")},
        {file, QStringLiteral("--colour"), QStringLiteral("red")},
    };
    for (const QStringList& args : bad) {
        const CliRun r = cli(kRow731FourChannels, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST_F(ListCommandTest, MissingOrBrokenFile)
{
    const CliRun missing = cli(kRow731FourChannels, {path(QStringLiteral("NONE.zpg"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Datei nicht vorhanden !")));

    QFile broken(path(QStringLiteral("BROKEN.zpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("0,72,300\r\n");
    broken.close();
    const CliRun invalid = cli(kRow731FourChannels, {broken.fileName()});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.err.contains(QStringLiteral("Keine gültige Datei !")));
}

TEST_F(ListCommandTest, JsonCarriesLayoutAndEntryIndex)
{
    const QString file = saveInstallation();
    QProcess p;
    p.start(QStringLiteral(ZENDRIK_CLI),
            {QStringLiteral("--dir"), dir.path(), QStringLiteral("--type"), QString::number(kRow731FourChannels),
             QStringLiteral("--json"), QStringLiteral("list"), file, QStringLiteral("--view"),
             QStringLiteral("priority"), QStringLiteral("--prio"), QStringLiteral("10-10")});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0);
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(o[QStringLiteral("caption")].toString(), QStringLiteral("Prioritätsliste (") + file + QLatin1Char(')'));
    EXPECT_EQ(o[QStringLiteral("memory")].toString(), QStringLiteral("11 von 324"));
    const QJsonArray columns = o[QStringLiteral("columns")].toArray();
    ASSERT_EQ(columns.size(), 7);
    EXPECT_EQ(columns[1].toObject()[QStringLiteral("width")].toInt(), 2600);
    const QJsonArray rows = o[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 2);
    // The permanent times are entries 9 and 10: six switching times, then
    // the priority times in the order P1, P2, P3, permanent ON, permanent OFF.
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("entry")].toInt(), 9);
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("entry")].toInt(), 10);
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("cells")].toArray()[6].toString(), QStringLiteral("Perm."));
}
