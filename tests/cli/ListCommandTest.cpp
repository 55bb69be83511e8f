#include "app/Settings.h"
#include "model/DeviceTypes.h"
#include "model/DstRowCodec.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSwitchingHeading = u"Nr.\tDatum/Tage\tUhrzeit\tKanäle\tImpuls\t1x\tZust.\tPrio.\n"_s;

// The cells of one column of the item rows, joined by "|".
QString column(const QString& out, int c)
{
    QStringList cells;
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i)
        cells << lines[i].split(u'\t').value(c);
    return cells.join(u'|');
}

class ListCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The fixtures' installation program on a four-channel switch.
        ProgramModel model;
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()},
                   {prioA(), prioB(), prioC(), prioD(), prioE()});
        file = save(model, "ANLAGE.zpg");
    }

    QString save(ProgramModel& model, const char* name)
    {
        return saveProgramAs(model, QDir(dir.path()).filePath(QString::fromLatin1(name)));
    }

    CliRun list(const QStringList& args, int typeRow = kRow731FourChannels) const
    {
        return RunCli(QStringList{"--dir", dir.path(), "--type", QString::number(typeRow), "list"} + args);
    }

    QTemporaryDir dir;
    QString file;
};

} // namespace

TEST_F(ListCommandTest, SwitchingAndPriorityTimes)
{
    const QString sz = Succeeded(list({file}));
    EXPECT_EQ(sz, kSwitchingHeading + u"1  \tMo Di Mi Do Fr\t  7:00 Uhr\t C1\t\t \tEIN\t\n"
                                      "2  \ttäglich\t22:15 Uhr\t C1 C4\t5 sec\t \tAUS\t\n"
                                      "3  \t24. Dezember\t18:00 Uhr\t C1\t\t1x\tEIN\t\n"
                                      "4  \tSa\t  6:30 Uhr\t C2\t\t \tAUS\t2\n"
                                      "5  \t1. Januar\t  0:05 Uhr\t C2\t\t \tAUS\t\n"
                                      "6  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"_s);
    const QString pz = Succeeded(list({file, "--view", "priority"}));
    EXPECT_EQ(pz, u"Nr.\tBeginn am: \tEnde am: \tKanäle\t1x\tZust.\tPrio.\n"
                  "1  \t1. Mai  00:00 Uhr\t31. Mai 24:00 Uhr\t C1\t \t\t1\n"
                  "2  \t10. März  00:00 Uhr\t12. März 24:00 Uhr\t C3\t1x\t\t2\n"
                  "3  \t1. November  00:00 Uhr\t28. Februar 24:00 Uhr\t C1\t \t\t3\n"
                  "4  \t1. Juni  00:00 Uhr\t2. Juni 24:00 Uhr\t C1\t \tEIN\tPerm.\n"
                  "5  \t24. Dezember 2060 00:00 Uhr\t26. Dezember 24:00 Uhr\t C2\t1x\tAUS\tPerm.\n"_s);
    // Sorted by a column; the rows are numbered afresh.
    const CliRun byTime = list({file, "--sort", "2"});
    EXPECT_EQ(column(byTime.out, 2), u"  0:05 Uhr|  6:30 Uhr|  7:00 Uhr|  7:00 Uhr|18:00 Uhr|22:15 Uhr"_s);
    EXPECT_EQ(column(byTime.out, 0), u"1  |2  |3  |4  |5  |6  "_s);
    EXPECT_EQ(column(list({file, "--view", "priority", "--sort", "2"}).out, 2),
              u"28. Februar 24:00 Uhr|12. März 24:00 Uhr|31. Mai 24:00 Uhr|2. Juni 24:00 Uhr|26. Dezember 24:00 Uhr"_s);
}

TEST_F(ListCommandTest, FilterOptions)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--channels", "2"}, u"Sa|1. Januar"_s},
        {{"--months", "0-0"}, u"Mo Di Mi Do Fr|täglich|Sa|Di"_s},
        {{"--months", "12-12"}, u"Mo Di Mi Do Fr|täglich|24. Dezember|Sa|Di"_s},
        {{"--pulses", "1"}, u"täglich"_s},
        {{"--state", "1"}, u"Mo Di Mi Do Fr|24. Dezember|Di"_s},
        {{"--weekdays", "0x20"}, u"täglich|24. Dezember|Sa|1. Januar"_s},
        // Dated entries carry no priority; only the month range can hide them.
        {{"--prio", "1-2"}, u"24. Dezember|Sa|1. Januar|Di"_s},
        {{"--prio", "1-2", "--months", "0-12"}, u"Sa|Di"_s},
        // A priority time from November to February touches January to March.
        {{"--view", "priority", "--months", "1-3"}, u"10. März  00:00 Uhr|1. November  00:00 Uhr"_s},
    };
    for (const auto& [options, firstColumn] : cases) {
        const QString r = Succeeded(list(QStringList{file} + options));
        EXPECT_EQ(column(r, 1), firstColumn) << options.join(u' ').toStdString();
    }
}

TEST_F(ListCommandTest, SummerWinterTable)
{
    ProgramModel model;
    startProgram(model, kRow731FourChannels);
    model.device.SwRegel = 4;
    model.program().SoWiJahr = 2026 - 1996; // rows count from the year after
    model.program().SoWiTab[0] = EncodeDstRow({{28, 3, 2, 1}, {31, 10, 3, 1}});
    model.program().SoWiTab[1] = EncodeDstRow({{26, 3, 2, 1}, {29, 10, 3, 3}});
    model.program().AnzSoWi = 2;
    const QString r = Succeeded(list({save(model, "SOWI.zpg"), "--view", "dst"}));
    EXPECT_EQ(r, u"Nr.\tJahr\tVorstellen am:\tum:\tZurückstellen am:\tum:\n"
                 "1  \t2027\t28. März 2:00 Uhr\t1 Stunde\t31. Oktober 3:00 Uhr\t1 Stunde\n"
                 "2  \t2028\t26. März 2:00 Uhr\t1 Stunde\t29. Oktober 3:00 Uhr\t3 Stunden\n"_s);
}

TEST_F(ListCommandTest, AstroSwitchHasNoPulseColumnAndSortsByOnceForItsFourth)
{
    ProgramModel model;
    startProgram(model, kRow752);
    setEntries(model, kProgramSlot,
               {BuildDatedEntry(60, 2, 1, 1, 1, 0, true), BuildWeeklyEntry(600, 1, 1, 1, 30, 0),
                BuildWeeklyEntry(700, 1, 2, 0, 0, 0)},
               {});
    const QString r = Succeeded(list({save(model, "ASTRO.zpg"), "--sort", "4"}, kRow752));
    EXPECT_EQ(r, u"Nr.\tDatum/Tage\tUhrzeit\tKanäle\t1x\tZust.\tPrio.\n"
                 "1  \tMo\t10:00 Uhr\t C1\t \tEIN\t\n"
                 "2  \tMo\t11:40 Uhr\t C2\t \tAUS\t\n"
                 "3  \t2. Januar\t  1:00 Uhr\t C1\t1x\tEIN\t\n"_s);
}

TEST_F(ListCommandTest, BusAstroDeviceChannels)
{
    ProgramModel model;
    startProgram(model, kRow738);
    setEntries(model, kProgramSlot, {BuildWeeklyEntry(480, 127, 15, 1, 0, 0), BuildWeeklyEntry(490, 127, 0, 0, 0, 0)},
               {BuildPriorityEntry(1, 8, 15, 8, 0, false, 2, 0, 0)});
    const QString bus = save(model, "BUS.zpg");
    EXPECT_EQ(column(list({bus}, kRow738).out, 3), u" C1| C16"_s);
    EXPECT_EQ(column(list({bus, "--channels", "16"}, kRow738).out, 3), u" C16"_s);
    // 255 stands for all channels.
    EXPECT_EQ(column(list({bus, "--view", "priority", "--channels", "255"}, kRow738).out, 3), u" C1"_s);
    EXPECT_EQ(list({bus, "--channels", "17"}, kRow738).exitCode, 2);
}

TEST_F(ListCommandTest, SampleSlotAndEmptyProgram)
{
    ProgramModel sample;
    startProgram(sample, kRow731FourChannels);
    EXPECT_EQ(list({save(sample, "LEER.zpg")}).out, kSwitchingHeading);
    setEntries(sample, kProgramSlot, {entryE()}, {});
    const QString sampleFile = save(sample, "VORLAGE.zpg");
    const QString r = Succeeded(list({file, "--sample", sampleFile, "--slot", "1"}));
    EXPECT_EQ(r, kSwitchingHeading + u"1  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"_s);
    EXPECT_EQ(list({file, "--sample", sampleFile}).out.count(u'\n'), 1 + 6);
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
    const QString r = Succeeded(list({save(model, "ASTRO.zpg"), "--view", "astro", "--channel", "2"}, kRow738));
    const QStringList lines = r.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + QDate::currentDate().daysInYear());
    EXPECT_EQ(lines[0], u"Nr.\tKanäle\tam\tAusschalten um:\tEinschalten um:"_s);
    EXPECT_EQ(lines[1], u"1  \t C2\t1. Januar\t  7:30 Uhr\t17:00 Uhr"_s);
    // 1 July lies in summer time under the European rule.
    const int july1 = QDate(QDate::currentDate().year(), 7, 1).dayOfYear();
    EXPECT_EQ(lines[july1], QString::number(july1) + u"\t C2\t1. Juli\t  8:30 Uhr\t18:00 Uhr"_s);
}

TEST_F(ListCommandTest, RefusalsAndUsageErrors)
{
    const CliRun missing = list({file, "--sample", QDir(dir.path()).filePath(u"NO.zpg"_s)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(u"Datei nicht vorhanden !"_s));
    writeFile(QDir(dir.path()).filePath(u"BROKEN.zpg"_s), "0,72,300\r\n");
    const CliRun invalid = list({QDir(dir.path()).filePath(u"BROKEN.zpg"_s)});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_TRUE(invalid.err.contains(u"Keine gültige Datei !"_s));

    const QStringList bad[] = {
        {},
        {file, file},
        {file, "--view", "calendar"},
        {file, "--view", "astro", "--channel", "5"},
        {file, "--months", "5-3"},
        {file, "--months", "1-13"},
        {file, "--prio", "0-11"},
        {file, "--channels", "0"},
        {file, "--weekdays", "128"},
        {file, "--state", "3"},
        {file, "--pulses", "x"},
        {file, "--sort", "8"},
        {file, "--view", "dst", "--sort", "1"},
        {file, "--slot", "1"},
        {file, "--colour", "red"},
    };
    for (const QStringList& args : bad) {
        const CliRun r = list(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty() && !r.err.isEmpty()) << args.join(u' ').toStdString();
    }
}

// The language remembered in the settings file lists exactly as --lang does.
TEST_F(ListCommandTest, SettingsLanguageListsAsTheLanguageOption)
{
    const struct {
        int sprache;
        const char* code;
    } languages[] = {{1, "de"}, {2, "en"}, {3, "fr"}};
    for (const auto& l : languages) {
        DeviceSettings settings;
        ApplyDeviceTypeRow(settings, kRow731FourChannels);
        settings.Sprache = l.sprache;
        ASSERT_TRUE(WriteSettings(QDir(dir.path()).filePath(kSettingsFileName), settings));
        const CliRun remembered = list({file});
        const CliRun chosen = RunCli(QStringList{"--dir", dir.path(), "--type", QString::number(kRow731FourChannels),
                                                 "--lang", QString::fromLatin1(l.code), "list", file});
        ASSERT_EQ(remembered.exitCode, 0) << remembered.err.toStdString();
        ASSERT_EQ(chosen.exitCode, 0) << chosen.err.toStdString();
        EXPECT_EQ(remembered.out, chosen.out) << l.code;
        // The month first in English.
        EXPECT_TRUE(l.sprache != 2 || !QRegularExpression(u"\\t\\d+ [A-Z][a-z]+\\t"_s).match(chosen.out).hasMatch())
            << chosen.out.toStdString();
    }
}
