#include "app/Settings.h"
#include "model/BrandFile.h"
#include "model/ProgramSetup.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(SettingsFile, ExactLayoutRoundTripAndOldOrShortFiles)
{
    DeviceSettings d;
    std::tie(d.Kanalzahl, d.Bewft, d.Lpt, d.Uhrentyp, d.Delay, d.Zeilen, d.MaxDelay, d.SwRegel, d.SpracheUhr) =
        std::tuple(3, 1, 4, 731, 10, 45, 20, 1, 1); // a delay of 10 is the factor 2.5
    std::tie(d.Sprache, d.AstroC1C2, d.Busprog, d.MessKanal, d.MessPeriode, d.MessImpDauer, d.MessZustand,
             d.MessZeitpunkt, d.Evu) = std::tuple(2, 0, -1, 2, 15, 10, 1, 0, 1);
    EXPECT_EQ(SettingsFileText(d),
              QByteArray("KANALZAHL=3\r\nBEWFT=1\r\nLPT=4\r\nUHRENTYP=731\r\nDELAY=002.5\r\nZEILEN=045\r\n"
                         "MAXDELAY=0020\r\nSWREGEL=1\r\nSPRACHE(Uhr)=1\r\nSPRACHE=2\r\nASTROC1C2=000\r\n"
                         "BUSPROG=-1\r\nMESSKANAL=2\r\nMESSPERIODE=015\r\nMESSIMPDAUER=010\r\n"
                         "MESSZUSTAND=1\r\nMESSZEITPUNKT=0\r\nEVU=1\r\n"));

    // Values are read after the "=": two digits and a delay of 12.5 come back.
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    std::tie(d.Kanalzahl, d.Uhrentyp, d.Delay, d.Zeilen, d.MessPeriode) = std::tuple(16, 738, 50, 120, 60);
    ASSERT_TRUE(WriteSettings(path, d));
    DeviceSettings back;
    ASSERT_TRUE(ReadSettings(path, back));
    // The family's memory follows the remembered type.
    EXPECT_EQ(std::tuple(back.Kanalzahl, back.Uhrentyp, back.Delay, back.DelayLang, back.Zeilen, back.MessPeriode, back.Busprog != 0, back.Speichergroesse, back.MaxEintrag, back.KeineZeit), std::tuple(16, 738, 50, 50 * 50, 120, 60, true, 8192, 500, 1535));

    // An older file with a whole delay factor; a cut file keeps the defaults of what it lacks; a missing one is no settings.
    ASSERT_TRUE(writeFile(path, "KANALZAHL=2\r\nBEWFT=0\r\nLPT=1\r\nUHRENTYP=752\r\nDELAY=001\r\nZEILEN=050\r\n" "MAXDELAY=0010\r\nSWREGEL=1\r\nSPRACHE(Uhr)=0\r\nSPRACHE=3\r\nASTROC1C2=001\r\n"));
    ASSERT_TRUE(ReadSettings(path, back));
    EXPECT_EQ(std::tuple(back.Kanalzahl, back.Uhrentyp, back.Delay, back.Zeilen, back.MaxDelay, back.Sprache, back.AstroC1C2), std::tuple(2, 752, 4, 50, 10, 3, 1));
    ASSERT_TRUE(writeFile(path, "KANALZAHL=4\r\nBEWFT="));
    DeviceSettings shortFile, missing;
    EXPECT_EQ((std::tuple{ReadSettings(path, shortFile), shortFile.Kanalzahl, shortFile.Uhrentyp, shortFile.Zeilen}), std::tuple(true, 4, 731, DeviceSettings{}.Zeilen));
    EXPECT_EQ((std::pair{ReadSettings(dir.filePath(QStringLiteral("absent.ini")), missing), missing.Uhrentyp}), std::pair(false, 731));
    int index = 0;
    // Capitals, small letters or one capital first; a small first letter with capitals after it is no form.
    for (const char* c : {"QBA", "QBB", "QBC", "QBD", "QBE", "QBF", "QBG", "QBH", "QBI", "QBJ", "QBK", "QBL"}) {
        const QString upper = QString::fromLatin1(c);
        ++index;
        EXPECT_EQ(std::tuple(BrandIndexOfCode(upper), BrandIndexOfCode(upper.toLower()), BrandIndexOfCode(upper.left(1) + upper.mid(1).toLower()), BrandIndexOfCode(upper.left(1).toLower() + upper.mid(1))), std::tuple(index, index, index, 0));
    }
    EXPECT_EQ(BrandIndexOfCode(QStringLiteral("QBM")), 0);

    QTemporaryDir dir2;
    const QString path2 = dir2.filePath(kBrandFileName);
    EXPECT_EQ(ReadBrandFile(path2), 0);
    const std::pair<const char*, int> files[] = {{"qbd\r\nanything else\r\n", 4}, {"\"QBE\",1998\r\n", 5}, {"qBD\r\n", 0}};
    for (const auto& [text, brand] : files) {
        ASSERT_TRUE(writeFile(path2, text));
        EXPECT_EQ(ReadBrandFile(path2), brand) << text;
    }
    EXPECT_EQ(ReadBrandFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/zendrik.sys")), 1);
    // The rule "laut Tabelle" belongs to one program's table: a new program starts with a rule its first save accepts, and the settings file keeps that
    // rule, never the table's.
    // The language, the rule in force when the new program starts, the last rule in use that needs no table (-1 none), the rule expected.
    const struct { const char* what; int sprache, ruleBefore, lastWithoutTable, expected; } cases[] = {
        {"table after Europe", 1, kSwRegelTabelle, 1, 1},
        {"table after the USA, English", 2, kSwRegelTabelle, 3, 3},
        {"table, nothing before, German", 1, kSwRegelTabelle, -1, 1},
        {"table, nothing before, English", 2, kSwRegelTabelle, -1, 2},
        {"table, nothing before, French", 3, kSwRegelTabelle, -1, 1},
        {"first start, English", 2, kSwRegelUnbekannt, -1, 2},
        {"no changeover stays", 1, 0, 1, 0},
        {"Great Britain stays", 1, 2, 1, 2},
    };
    for (const auto& c : cases) {
        ProgramModel m = modelForRow(4);
        std::tie(m.device.Sprache, m.device.SwRegel, m.device.SwRegelOhneTabelle) = std::tuple(c.sprache, c.ruleBefore, c.lastWithoutTable);
        const QByteArray ini = SettingsFileText(m.device);
        StartNewProgram(m, 4, QStringLiteral("unbekannt"), QStringLiteral("SzTab2.zpg"));
        EXPECT_EQ(m.device.SwRegel, c.expected) << c.what;
        // The settings file written before the new program says the same rule.
        EXPECT_TRUE(ini.contains("SWREGEL=" + QByteArray::number(c.expected) + "\r\n")) << c.what;
    }
}
