#include "model/BrandFile.h"
#include "model/DeviceSettings.h"
#include "model/Settings.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(SettingsFile, ExactLayout)
{
    DeviceSettings d;
    d.Kanalzahl = 3;
    d.Bewft = 1;
    d.Lpt = 4;
    d.Uhrentyp = 731;
    d.Delay = 10;      // a delay factor of 2.5
    d.Zeilen = 45;
    d.MaxDelay = 20;
    d.SwRegel = 1;
    d.SpracheUhr = 1;
    d.Sprache = 2;
    d.AstroC1C2 = 0;
    d.Busprog = -1;
    d.MessKanal = 2;
    d.MessPeriode = 15;
    d.MessImpDauer = 10;
    d.MessZustand = 1;
    d.MessZeitpunkt = 0;
    d.Evu = 1;
    EXPECT_EQ(SettingsFileText(d),
              QByteArray("KANALZAHL=3\r\nBEWFT=1\r\nLPT=4\r\nUHRENTYP=731\r\nDELAY=002.5\r\nZEILEN=045\r\n"
                         "MAXDELAY=0020\r\nSWREGEL=1\r\nSPRACHE(Uhr)=1\r\nSPRACHE=2\r\nASTROC1C2=000\r\n"
                         "BUSPROG=-1\r\nMESSKANAL=2\r\nMESSPERIODE=015\r\nMESSIMPDAUER=010\r\n"
                         "MESSZUSTAND=1\r\nMESSZEITPUNKT=0\r\nEVU=1\r\n"));
}

TEST(SettingsFile, RoundTripKeepsTwoDigitValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    DeviceSettings d;
    d.Kanalzahl = 16;
    d.Uhrentyp = 738;
    d.Delay = 50;      // 12.5
    d.Busprog = -1;
    d.Zeilen = 120;
    d.MessPeriode = 60;
    ASSERT_TRUE(WriteSettings(path, d));
    DeviceSettings back;
    ASSERT_TRUE(ReadSettings(path, back));
    EXPECT_EQ(back.Kanalzahl, 16);
    EXPECT_EQ(back.Uhrentyp, 738);
    EXPECT_EQ(back.Delay, 50);
    EXPECT_EQ(back.DelayLang, 50 * 50);
    EXPECT_NE(back.Busprog, 0);
    EXPECT_EQ(back.Zeilen, 120);
    EXPECT_EQ(back.MessPeriode, 60);
    EXPECT_EQ(back.Speichergroesse, 8192);
    EXPECT_EQ(back.MaxEintrag, 500);
    EXPECT_EQ(back.KeineZeit, 1535);
}

TEST(SettingsFile, OldFilesReadTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    ASSERT_TRUE(writeFile(path, "KANALZAHL=2\r\nBEWFT=0\r\nLPT=1\r\nUHRENTYP=752\r\nDELAY=001\r\nZEILEN=050\r\n"
                                "MAXDELAY=0010\r\nSWREGEL=1\r\nSPRACHE(Uhr)=0\r\nSPRACHE=3\r\nASTROC1C2=001\r\n"
                                "BUSPROG=0\r\nMESSKANAL=0\r\nMESSPERIODE=00\r\nMESSIMPDAUER=00\r\n"
                                "MESSZUSTAND=0\r\nMESSZEITPUNKT=0\r\nEVU=0\r\n"));
    DeviceSettings d;
    ASSERT_TRUE(ReadSettings(path, d));
    EXPECT_EQ(d.Kanalzahl, 2);
    EXPECT_EQ(d.Uhrentyp, 752);
    EXPECT_EQ(d.Delay, 4);
    EXPECT_EQ(d.Zeilen, 50);
    EXPECT_EQ(d.MaxDelay, 10);
    EXPECT_EQ(d.Sprache, 3);
    EXPECT_EQ(d.AstroC1C2, 1);
}

TEST(SettingsFile, MissingOrShortFileKeepsStartValues)
{
    QTemporaryDir dir;
    DeviceSettings d;
    EXPECT_FALSE(ReadSettings(dir.filePath(QStringLiteral("absent.ini")), d));
    EXPECT_EQ(d.Uhrentyp, 731);

    const QString path = dir.filePath(kSettingsFileName);
    ASSERT_TRUE(writeFile(path, "KANALZAHL=4\r\nBEWFT="));
    DeviceSettings shortFile;
    EXPECT_TRUE(ReadSettings(path, shortFile));
    EXPECT_EQ(shortFile.Kanalzahl, 4);
    EXPECT_EQ(shortFile.Uhrentyp, 731);
    EXPECT_EQ(shortFile.Zeilen, DeviceSettings{}.Zeilen);
}

TEST(SettingsFile, LeadingNumber)
{
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("002.5")), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-1")), -1.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("16")), 16.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("7abc")), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("")), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("x")), 0.0);
}

TEST(BrandFile, ThirtySixAcceptedForms)
{
    const char* codes[] = {"QBA", "QBB", "QBC", "QBD", "QBE", "QBF", "QBG", "QBH", "QBI", "QBJ", "QBK", "QBL"};
    int index = 0;
    for (const char* c : codes) {
        ++index;
        const QString upper = QString::fromLatin1(c);
        EXPECT_EQ(BrandIndexOfCode(upper), index);
        EXPECT_EQ(BrandIndexOfCode(upper.toLower()), index);
        EXPECT_EQ(BrandIndexOfCode(upper.left(1) + upper.mid(1).toLower()), index);
        // A small first letter with capitals after it is not one of the forms.
        EXPECT_EQ(BrandIndexOfCode(upper.left(1).toLower() + upper.mid(1)), 0);
    }
    EXPECT_EQ(BrandIndexOfCode(QStringLiteral("QBM")), 0);
    EXPECT_EQ(BrandIndexOfCode(QStringLiteral("")), 0);
}

TEST(BrandFile, ReadsTheFirstItem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kBrandFileName);
    EXPECT_EQ(ReadBrandFile(path), 0);
    ASSERT_TRUE(writeFile(path, "qbd\r\nanything else\r\n"));
    EXPECT_EQ(ReadBrandFile(path), 4);
    ASSERT_TRUE(writeFile(path, "\"QBE\",1998\r\n"));
    EXPECT_EQ(ReadBrandFile(path), 5);
    ASSERT_TRUE(writeFile(path, "qBD\r\n"));
    EXPECT_EQ(ReadBrandFile(path), 0);
    EXPECT_EQ(ReadBrandFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/zendrik.sys")), 1);
}
