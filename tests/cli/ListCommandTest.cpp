#include "model/DstRowCodec.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/editing/ListFixtures.h"

#include <QDir>
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

const QString kSwitchingHeading = QStringLiteral("Nr.\tDatum/Tage\tUhrzeit\tKanäle\tImpuls\t1x\tZust.\tPrio.\n");

// The cells of one column of the item rows.
QStringList column(const QString& out, int c)
{
    QStringList cells;
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i)
        cells << lines[i].split(QLatin1Char('\t')).value(c);
    return cells;
}

class ListCommandTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // Saves slot 0 of a program as a program file, as the desktop program does.
    QString save(ProgramModel& model, const QString& name)
    {
        model.program().Dateiname = path(name);
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        EXPECT_EQ(SaveProgram(model, yes).result, 1);
        return model.program().Dateiname;
    }

    // The fixtures' installation program on a four-channel switch.
    QString saveInstallation(const QString& name = QStringLiteral("ANLAGE.zpg"))
    {
        ProgramModel model;
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()},
                   {prioA(), prioB(), prioC(), prioD(), prioE()});
        return save(model, name);
    }

    CliRun list(int typeRow, const QStringList& args) const
    {
        QProcess p;
        p.start(QStringLiteral(ZENDRIK_CLI), QStringList{QStringLiteral("--dir"), dir.path(), QStringLiteral("--type"),
                                                         QString::number(typeRow), QStringLiteral("list")}
                                                 + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ListCommandTest, SwitchingAndPriorityTimes)
{
    const QString file = saveInstallation();
    const CliRun sz = list(kRow731FourChannels, {file});
    ASSERT_EQ(sz.exitCode, 0) << sz.err.toStdString();
    EXPECT_EQ(sz.out, kSwitchingHeading
                          + QStringLiteral("1  \tMo Di Mi Do Fr\t  7:00 Uhr\t C1\t\t \tEIN\t\n"
                                           "2  \ttäglich\t22:15 Uhr\t C1 C4\t5 sec\t \tAUS\t\n"
                                           "3  \t24. Dezember\t18:00 Uhr\t C1\t\t1x\tEIN\t\n"
                                           "4  \tSa\t  6:30 Uhr\t C2\t\t \tAUS\t2\n"
                                           "5  \t1. Januar\t  0:05 Uhr\t C2\t\t \tAUS\t\n"
                                           "6  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"));

    const CliRun pz = list(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("priority")});
    ASSERT_EQ(pz.exitCode, 0) << pz.err.toStdString();
    EXPECT_EQ(pz.out, QStringLiteral("Nr.\tBeginn am: \tEnde am: \tKanäle\t1x\tZust.\tPrio.\n"
                                     "1  \t1. Mai  00:00 Uhr\t31. Mai 24:00 Uhr\t C1\t \t\t1\n"
                                     "2  \t10. März  00:00 Uhr\t12. März 24:00 Uhr\t C3\t1x\t\t2\n"
                                     "3  \t1. November  00:00 Uhr\t28. Februar 24:00 Uhr\t C1\t \t\t3\n"
                                     "4  \t1. Juni  00:00 Uhr\t2. Juni 24:00 Uhr\t C1\t \tEIN\tPerm.\n"
                                     "5  \t24. Dezember 2060 00:00 Uhr\t26. Dezember 24:00 Uhr\t C2\t1x\tAUS\tPerm.\n"));
}

TEST_F(ListCommandTest, SortByColumn)
{
    const QString file = saveInstallation();
    const CliRun byTime = list(kRow731FourChannels, {file, QStringLiteral("--sort"), QStringLiteral("2")});
    EXPECT_EQ(column(byTime.out, 2), (QStringList{QStringLiteral("  0:05 Uhr"), QStringLiteral("  6:30 Uhr"),
                                                  QStringLiteral("  7:00 Uhr"), QStringLiteral("  7:00 Uhr"),
                                                  QStringLiteral("18:00 Uhr"), QStringLiteral("22:15 Uhr")}));
    EXPECT_EQ(column(byTime.out, 0).first(), QStringLiteral("1  "));
    const CliRun byEnd = list(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("priority"),
                                                    QStringLiteral("--sort"), QStringLiteral("2")});
    EXPECT_EQ(column(byEnd.out, 2),
              (QStringList{QStringLiteral("28. Februar 24:00 Uhr"), QStringLiteral("12. März 24:00 Uhr"),
                           QStringLiteral("31. Mai 24:00 Uhr"), QStringLiteral("2. Juni 24:00 Uhr"),
                           QStringLiteral("26. Dezember 24:00 Uhr")}));
}

TEST_F(ListCommandTest, FilterOptions)
{
    const QString file = saveInstallation();
    const auto firstColumn = [&](const QStringList& options) {
        const CliRun r = list(kRow731FourChannels, QStringList{file} + options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return column(r.out, 1).join(QLatin1Char('|'));
    };
    EXPECT_EQ(firstColumn({QStringLiteral("--channels"), QStringLiteral("2")}), QStringLiteral("Sa|1. Januar"));
    EXPECT_EQ(firstColumn({QStringLiteral("--months"), QStringLiteral("0-0")}),
              QStringLiteral("Mo Di Mi Do Fr|täglich|Sa|Di"));
    EXPECT_EQ(firstColumn({QStringLiteral("--months"), QStringLiteral("12-12")}),
              QStringLiteral("Mo Di Mi Do Fr|täglich|24. Dezember|Sa|Di"));
    EXPECT_EQ(firstColumn({QStringLiteral("--pulses"), QStringLiteral("1")}), QStringLiteral("täglich"));
    EXPECT_EQ(firstColumn({QStringLiteral("--state"), QStringLiteral("1")}),
              QStringLiteral("Mo Di Mi Do Fr|24. Dezember|Di"));
    EXPECT_EQ(firstColumn({QStringLiteral("--weekdays"), QStringLiteral("0x20")}),
              QStringLiteral("täglich|24. Dezember|Sa|1. Januar"));
    // Dated entries carry no priority; only the month range can hide them.
    EXPECT_EQ(firstColumn({QStringLiteral("--prio"), QStringLiteral("1-2")}),
              QStringLiteral("24. Dezember|Sa|1. Januar|Di"));
    EXPECT_EQ(firstColumn({QStringLiteral("--prio"), QStringLiteral("1-2"), QStringLiteral("--months"),
                           QStringLiteral("0-12")}),
              QStringLiteral("Sa|Di"));
    EXPECT_EQ(firstColumn({QStringLiteral("--view"), QStringLiteral("priority"), QStringLiteral("--months"),
                           QStringLiteral("1-3")}),
              QStringLiteral("10. März  00:00 Uhr|1. November  00:00 Uhr"));
}

TEST_F(ListCommandTest, SummerWinterTable)
{
    ProgramModel model;
    startProgram(model, kRow731FourChannels);
    model.device.SwRegel = 4;
    model.program().SoWiJahr = 2026 - 1996;   // rows count from the year after
    model.program().SoWiTab[0] = EncodeDstRow({{28, 3, 2, 1}, {31, 10, 3, 1}});
    model.program().SoWiTab[1] = EncodeDstRow({{26, 3, 2, 1}, {29, 10, 3, 3}});
    model.program().AnzSoWi = 2;
    const QString file = save(model, QStringLiteral("SOWI.zpg"));

    const CliRun r = list(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("dst")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nr.\tJahr\tVorstellen am:\tum:\tZurückstellen am:\tum:\n"
                                    "1  \t2027\t28. März 2:00 Uhr\t1 Stunde\t31. Oktober 3:00 Uhr\t1 Stunde\n"
                                    "2  \t2028\t26. März 2:00 Uhr\t1 Stunde\t29. Oktober 3:00 Uhr\t3 Stunden\n"));
}

TEST_F(ListCommandTest, AstroSwitchSortsByOnceForItsFourthColumn)
{
    ProgramModel model;
    startProgram(model, kRow752);
    setEntries(model, kProgramSlot,
               {BuildDatedEntry(60, 2, 1, 1, 1, 0, true), BuildWeeklyEntry(600, 1, 1, 1, 30, 0),
                BuildWeeklyEntry(700, 1, 2, 0, 0, 0)},
               {});
    const QString file = save(model, QStringLiteral("ASTRO.zpg"));
    const CliRun r = list(kRow752, {file, QStringLiteral("--sort"), QStringLiteral("4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nr.\tDatum/Tage\tUhrzeit\tKanäle\t1x\tZust.\tPrio.\n"
                                    "1  \tMo\t10:00 Uhr\t C1\t \tEIN\t\n"
                                    "2  \tMo\t11:40 Uhr\t C2\t \tAUS\t\n"
                                    "3  \t2. Januar\t  1:00 Uhr\t C1\t1x\tEIN\t\n"));
}

TEST_F(ListCommandTest, BusAstroDeviceChannels)
{
    ProgramModel model;
    startProgram(model, kRow738);
    setEntries(model, kProgramSlot, {BuildWeeklyEntry(480, 127, 15, 1, 0, 0), BuildWeeklyEntry(490, 127, 0, 0, 0, 0)},
               {BuildPriorityEntry(1, 8, 15, 8, 0, false, 2, 0, 0)});
    const QString file = save(model, QStringLiteral("BUS.zpg"));
    EXPECT_EQ(column(list(kRow738, {file}).out, 3), (QStringList{QStringLiteral(" C1"), QStringLiteral(" C16")}));
    EXPECT_EQ(column(list(kRow738, {file, QStringLiteral("--channels"), QStringLiteral("16")}).out, 3),
              QStringList{QStringLiteral(" C16")});
    EXPECT_EQ(column(list(kRow738, {file, QStringLiteral("--view"), QStringLiteral("priority"),
                                    QStringLiteral("--channels"), QStringLiteral("255")})
                         .out,
                     3),
              QStringList{QStringLiteral(" C1")});
    EXPECT_EQ(list(kRow738, {file, QStringLiteral("--channels"), QStringLiteral("17")}).exitCode, 2);
}

TEST_F(ListCommandTest, SampleSlotAndEmptyProgram)
{
    const QString program = saveInstallation();
    ProgramModel sample;
    startProgram(sample, kRow731FourChannels);
    const QString empty = save(sample, QStringLiteral("LEER.zpg"));
    EXPECT_EQ(list(kRow731FourChannels, {empty}).out, kSwitchingHeading);

    setEntries(sample, kProgramSlot, {entryE()}, {});
    const QString sampleFile = save(sample, QStringLiteral("VORLAGE.zpg"));
    const CliRun r = list(kRow731FourChannels, {program, QStringLiteral("--sample"), sampleFile,
                                                QStringLiteral("--slot"), QStringLiteral("1")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, kSwitchingHeading + QStringLiteral("1  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"));
    EXPECT_EQ(column(list(kRow731FourChannels, {program, QStringLiteral("--sample"), sampleFile}).out, 0).size(), 6);
}

TEST_F(ListCommandTest, AstroTimesOfTheCurrentYear)
{
    ProgramModel model;
    startProgram(model, kRow738);
    model.device.SwRegel = 1;
    auto& astro = model.program().astro;
    astro.AstroAktiv[0] = astro.AstroAktiv[2] = -1;
    for (auto& day : astro.AstroTab[1])
        day = AstroDay{7 * 60 + 30, 17 * 60, 0, -1};
    const QString file = save(model, QStringLiteral("ASTRO.zpg"));

    const CliRun r = list(kRow738, {file, QStringLiteral("--view"), QStringLiteral("astro"), QStringLiteral("--channel"),
                                    QStringLiteral("2")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + QDate::currentDate().daysInYear());
    EXPECT_EQ(lines[0], QStringLiteral("Nr.\tKanäle\tam\tAusschalten um:\tEinschalten um:"));
    EXPECT_EQ(lines[1], QStringLiteral("1  \t C2\t1. Januar\t  7:30 Uhr\t17:00 Uhr"));
    // 1 July lies in summer time under the European rule.
    const int july1 = QDate(QDate::currentDate().year(), 7, 1).dayOfYear();
    EXPECT_EQ(lines[july1], QString::number(july1) + QStringLiteral("\t C2\t1. Juli\t  8:30 Uhr\t18:00 Uhr"));
}

TEST_F(ListCommandTest, RefusalsAndUsageErrors)
{
    const QString file = saveInstallation();
    const CliRun channel = list(kRow731FourChannels, {file, QStringLiteral("--view"), QStringLiteral("astro"),
                                                      QStringLiteral("--channel"), QStringLiteral("5")});
    EXPECT_EQ(channel.exitCode, 2);

    const CliRun missing = list(kRow731FourChannels, {file, QStringLiteral("--sample"), path(QStringLiteral("NO.zpg"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Datei nicht vorhanden !")));
    QFile broken(path(QStringLiteral("BROKEN.zpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("0,72,300\r\n");
    broken.close();
    const CliRun invalid = list(kRow731FourChannels, {broken.fileName()});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.err.contains(QStringLiteral("Keine gültige Datei !")));

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
        {file, QStringLiteral("--view"), QStringLiteral("dst"), QStringLiteral("--sort"), QStringLiteral("1")},
        {file, QStringLiteral("--slot"), QStringLiteral("1")},
        {file, QStringLiteral("--colour"), QStringLiteral("red")},
    };
    for (const QStringList& args : bad) {
        const CliRun r = list(kRow731FourChannels, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.out.isEmpty() && !r.err.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
    }
}
