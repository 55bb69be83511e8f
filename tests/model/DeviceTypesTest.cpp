#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramSetup.h"
#include "tests/support/TestPrograms.h"

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(DeviceTypes, EveryRowIsOfferedUnderItsOwnNameAndPreselectedAgain)
{
    const QStringList names = OfferedDeviceTypeNames(1);
    EXPECT_EQ(names.size(), kDeviceTypeRows);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), kDeviceTypeRows);
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        EXPECT_EQ(DeviceTypeRowByName(DeviceTypeName(row, 1), 1), row);
        DeviceSettings d;
        ApplyDeviceTypeRow(d, row);
        EXPECT_EQ(DefaultDeviceTypeRow(d), row) << row;
    }
}

TEST(DeviceTypes, RowParameters)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, 19);
    EXPECT_EQ(std::tuple(d.Uhrentyp, d.KeineZeit, d.MaxEintrag), std::tuple(752, 1791, 120));
    d.EibFormat = 1;
    ApplyDeviceTypeRow(d, 20);
    EXPECT_EQ(std::tuple(d.Kanalzahl, d.Speichergroesse, d.KeineZeit, d.EibFormat, d.Geraetekennung),
              std::tuple(16, 8192, 1535, 0, 74));
    // An unknown name changes nothing.
    EXPECT_FALSE(ApplyDeviceType(d, u"no such device"_s));
    EXPECT_EQ(d.Uhrentyp, 738);
    EXPECT_TRUE(ApplyDeviceType(d, DeviceTypeName(7, 1)));
    EXPECT_EQ(std::tuple(d.Kanalzahl, d.Evu, d.Speichergroesse), std::tuple(2, 1, 2048));
}

TEST(DeviceTypes, StartNewProgramClearsAndNames)
{
    ProgramModel m = canonical738();
    m.slot(kSampleSlot).AnzEintrag = 3;
    m.Geaendert = 1;
    StartNewProgram(m, 20, u"unbekannt"_s, u"SzTab1.zpg"_s);
    EXPECT_EQ(m.program().AnzEintrag, 0);
    EXPECT_EQ(m.slot(kSampleSlot).AnzEintrag, 0);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(m.program().Dateiname, u"SzTab1.zpg"_s);
    EXPECT_EQ(m.program().Verwendung, u"unbekannt"_s);
    EXPECT_EQ(m.program().ProgNr, kNoProgramNumber);
    EXPECT_EQ(m.program().astro.AstroAktiv[1], 0);
    EXPECT_EQ(m.program().astro.AstroGrenze[3].evening, 1439);
    EXPECT_EQ(m.device.JahreFreieFt, 14);
    EXPECT_EQ(modelForRow(1).device.JahreFreieFt, 1);
}

TEST(FileNames, NextFreeNameAndTitle)
{
    QTemporaryDir dir;
    EXPECT_EQ(NextFreeFileName(dir.path(), u"SzTab"_s), u"SzTab1.zpg"_s);
    for (const int n : {1, 2, 4})
        writeFile(dir.filePath(u"SzTab%1.zpg"_s.arg(n)), "x");
    EXPECT_EQ(NextFreeFileName(dir.path(), u"SzTab"_s), u"SzTab3.zpg"_s);
    for (int n = 1; n <= 999; ++n)
        writeFile(dir.filePath(u"Swprg%1.zpg"_s.arg(n)), "x");
    EXPECT_TRUE(NextFreeFileName(dir.path(), u"Swprg"_s).isEmpty());

    EXPECT_EQ(FileTitle(u"/home/a/ANLAGE.zpg"_s), u"ANLAGE.zpg"_s);
    EXPECT_EQ(FileTitle(u"C:\\prog\\X.zpg"_s), u"X.zpg"_s);
    EXPECT_TRUE(FileExists(dir.filePath(u"SzTab4.zpg"_s)));
    EXPECT_FALSE(FileExists(dir.path()));
}
