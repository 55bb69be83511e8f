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

TEST(DeviceTypes, NamesParametersAndFileNames)
{
    for (int row = 1; row <= kDeviceTypeRows; ++row) {
        DeviceSettings d;
        ApplyDeviceTypeRow(d, row);
        EXPECT_EQ(std::pair(DeviceTypeRowByName(DeviceTypeName(row, 1), 1), DefaultDeviceTypeRow(d)), std::pair(row, row));
    }
    DeviceSettings d2;
    ApplyDeviceTypeRow(d2, 19);
    EXPECT_EQ(std::tuple(d2.Uhrentyp, d2.KeineZeit, d2.MaxEintrag), std::tuple(752, 1791, 120));
    d2.EibFormat = 1;
    ApplyDeviceTypeRow(d2, 20);
    EXPECT_EQ(std::tuple(d2.Kanalzahl, d2.Speichergroesse, d2.KeineZeit, d2.EibFormat, d2.Geraetekennung), std::tuple(16, 8192, 1535, 0, 74));
    // An unknown name changes nothing.
    EXPECT_EQ(std::pair(ApplyDeviceType(d2, u"no such device"_s), d2.Uhrentyp), std::pair(false, 738));
    EXPECT_TRUE(ApplyDeviceType(d2, DeviceTypeName(7, 1)));
    EXPECT_EQ(std::tuple(d2.Kanalzahl, d2.Evu, d2.Speichergroesse), std::tuple(2, 1, 2048));
    // A new program clears both slots and starts unnamed.
    ProgramModel m = canonical738();
    m.slot(kSampleSlot).AnzEintrag = m.Geaendert = 3;
    StartNewProgram(m, 20, u"unbekannt"_s, u"SzTab1.zpg"_s);
    const ProgramSlot& s = m.program();
    EXPECT_EQ(std::tuple(s.AnzEintrag, m.slot(kSampleSlot).AnzEintrag, m.Geaendert, s.Dateiname, s.Verwendung, s.ProgNr), std::tuple(0, 0, 0, u"SzTab1.zpg"_s, u"unbekannt"_s, kNoProgramNumber));
    EXPECT_EQ(std::tuple(s.astro.AstroAktiv[1], s.astro.AstroGrenze[3].evening, m.device.JahreFreieFt, modelForRow(1).device.JahreFreieFt), std::tuple(0, 1439, 14, 1));
    QTemporaryDir dir;
    EXPECT_EQ(NextFreeFileName(dir.path(), u"SzTab"_s), u"SzTab1.zpg"_s);
    for (const int n : {1, 2, 4}) writeFile(dir.filePath(u"SzTab%1.zpg"_s.arg(n)), "x");
    EXPECT_EQ(NextFreeFileName(dir.path(), u"SzTab"_s), u"SzTab3.zpg"_s);
    for (int n = 1; n <= 999; ++n) writeFile(dir.filePath(u"Swprg%1.zpg"_s.arg(n)), "x");
    EXPECT_TRUE(NextFreeFileName(dir.path(), u"Swprg"_s).isEmpty());

    EXPECT_EQ(std::pair(FileTitle(u"/home/a/ANLAGE.zpg"_s), FileTitle(u"C:\\prog\\X.zpg"_s)), std::pair(u"ANLAGE.zpg"_s, u"X.zpg"_s));
    EXPECT_EQ(std::pair(FileExists(dir.filePath(u"SzTab4.zpg"_s)), FileExists(dir.path())), std::pair(true, false));
    // Words of one language that must not show in the others' names.
    const std::tuple<ExtraLanguage, int, QStringList> languages[] = {
        {ExtraLanguage::German, 1, {u"channel"_s, u"switch"_s, u"canal"_s, u"canaux"_s, u"Horloge"_s}},
        {ExtraLanguage::English, 2, {u"Kan"_s, u"uhr"_s, u"canal"_s, u"canaux"_s, u"Horloge"_s, u"Mess"_s}},
        {ExtraLanguage::French, 3, {u"Kan"_s, u"uhr"_s, u"channel"_s, u"switch"_s, u"Mess"_s}},
    };
    QSet<QString> all;
    for (const auto& [language, sprache, foreign] : languages) {
        const QStringList names = OfferedDeviceTypeNames(1, language);
        ASSERT_EQ(names.size(), kDeviceTypeRows);
        for (int row = 1; row <= kDeviceTypeRows; ++row) {
            const QString name = DeviceTypeName(row, 1, language);
            for (const QString& word : foreign) EXPECT_FALSE(name.contains(word, Qt::CaseInsensitive)) << name.toStdString();
            // The channel count is part of every name; any language's name picks the row.
            EXPECT_TRUE(name.contains(QString::number(DeviceTypeTable()[row - 1].Kanalzahl))) << name.toStdString();
            DeviceSettings d2;
            d2.Sprache = sprache;
            ApplyDeviceTypeRow(d2, row);
            EXPECT_EQ(std::tuple(names[row - 1], DeviceTypeRowByName(name, 1), d2.Geraetename), std::tuple(name, row, name));
            all.insert(name);
        }
        EXPECT_FALSE(Family731Name(1, language).isEmpty());
    }
    EXPECT_EQ(all.size(), 3 * kDeviceTypeRows);
    // A further language from a translation file names the types in English.
    DeviceSettings further;
    further.Sprache = 4;
    ApplyDeviceTypeRow(further, 13);
    EXPECT_EQ(further.Geraetename, u"Annual time switch 4 channels"_s);
    EXPECT_EQ(DeviceTypeName(1, 1, ExtraLanguage::French), u"Horloge hebdomadaire 1 canal"_s);
    EXPECT_EQ(DeviceTypeName(20, 1, ExtraLanguage::German), u"Bus-Astroschaltuhr 16 Kanäle"_s);
}
