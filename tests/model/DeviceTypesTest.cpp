#include "model/DeviceTypes.h"
#include "model/FileNames.h"
#include "model/ProgramSlot.h"
#include "tests/support/TestPrograms.h"

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(DeviceTypes, EveryRowIsOfferedUnderItsOwnName)
{
    const QStringList names = OfferedDeviceTypeNames(1);
    EXPECT_EQ(names.size(), kDeviceTypeRows);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), kDeviceTypeRows);
    for (int row = 1; row <= kDeviceTypeRows; ++row)
        EXPECT_EQ(DeviceTypeRowByName(DeviceTypeName(row, 1), 1), row);
}

TEST(DeviceTypes, RememberedSettingsPreselectTheSameRow)
{
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        DeviceSettings d;
        ApplyDeviceTypeRow(d, row);
        EXPECT_EQ(DefaultDeviceTypeRow(d), row) << row;
    }
}

TEST(DeviceTypes, RowParameters)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, 19);
    EXPECT_EQ(d.Uhrentyp, 752);
    EXPECT_EQ(d.KeineZeit, 1791);
    EXPECT_EQ(d.MaxEintrag, 120);
    d.EibFormat = 1;
    ApplyDeviceTypeRow(d, 20);
    EXPECT_EQ(d.Kanalzahl, 16);
    EXPECT_EQ(d.Speichergroesse, 8192);
    EXPECT_EQ(d.KeineZeit, 1535);
    EXPECT_EQ(d.EibFormat, 0);
    EXPECT_EQ(d.Geraetekennung, 74);

    // An unknown name changes nothing.
    EXPECT_FALSE(ApplyDeviceType(d, QStringLiteral("no such device")));
    EXPECT_EQ(d.Uhrentyp, 738);
    EXPECT_TRUE(ApplyDeviceType(d, DeviceTypeName(7, 1)));
    EXPECT_EQ(d.Kanalzahl, 2);
    EXPECT_EQ(d.Evu, 1);
    EXPECT_EQ(d.Speichergroesse, 2048);
}

TEST(DeviceTypes, StartNewProgramClearsAndNames)
{
    ProgramModel m = canonical738();
    m.slot(1).AnzEintrag = 3;
    m.Geaendert = 1;
    ProgramModel fresh = modelForRow(20);
    EXPECT_EQ(fresh.program().AnzEintrag, 0);
    EXPECT_EQ(fresh.slot(1).AnzEintrag, 0);
    EXPECT_EQ(fresh.program().Dateiname, QStringLiteral("SzTab1.zpg"));
    EXPECT_EQ(fresh.program().Verwendung, QStringLiteral("unbekannt"));
    EXPECT_EQ(fresh.program().ProgNr, kNoProgramNumber);
    EXPECT_EQ(fresh.program().astro.AstroGrenze[3].evening, 1439);
    EXPECT_EQ(fresh.device.JahreFreieFt, 14);
    EXPECT_EQ(modelForRow(1).device.JahreFreieFt, 1);
}

TEST(FileNames, NextFreeNameAndTitle)
{
    QTemporaryDir dir;
    EXPECT_EQ(NextFreeFileName(dir.path(), QStringLiteral("SzTab")), QStringLiteral("SzTab1.zpg"));
    writeFile(dir.filePath(QStringLiteral("SzTab1.zpg")), "x");
    writeFile(dir.filePath(QStringLiteral("SzTab2.zpg")), "x");
    writeFile(dir.filePath(QStringLiteral("SzTab4.zpg")), "x");
    EXPECT_EQ(NextFreeFileName(dir.path(), QStringLiteral("SzTab")), QStringLiteral("SzTab3.zpg"));
    for (int n = 1; n <= 999; ++n)
        writeFile(dir.filePath(QStringLiteral("Swprg%1.zpg").arg(n)), "x");
    EXPECT_TRUE(NextFreeFileName(dir.path(), QStringLiteral("Swprg")).isEmpty());

    EXPECT_EQ(FileTitle(QStringLiteral("/home/a/ANLAGE.zpg")), QStringLiteral("ANLAGE.zpg"));
    EXPECT_EQ(FileTitle(QStringLiteral("C:\\prog\\X.zpg")), QStringLiteral("X.zpg"));
    EXPECT_EQ(FileTitle(QStringLiteral("plain.zpg")), QStringLiteral("plain.zpg"));
    EXPECT_TRUE(FileExists(dir.filePath(QStringLiteral("SzTab4.zpg"))));
    EXPECT_FALSE(FileExists(dir.path()));
}
