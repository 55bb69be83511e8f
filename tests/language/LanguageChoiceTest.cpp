// Choosing the table for `Sprache` and installing a further language.
#include "language/LanguageChoice.h"
#include "language/TextTable.h"
#include "model/DeviceSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

bool sameTable(const TextTable& a, const TextTable& b)
{
    for (int i = 0; i < kTextCount; ++i) {
        if (a.text(static_cast<TextId>(i)) != b.text(static_cast<TextId>(i)))
            return false;
    }
    return true;
}

TextTable german(int brand = 1)
{
    TextTable t;
    t.LoadGerman(brand);
    return t;
}

TextTable english(int brand = 1)
{
    TextTable t;
    t.LoadEnglish(brand);
    return t;
}

TextTable french()
{
    TextTable t;
    t.LoadFrench();
    return t;
}

} // namespace

TEST(LanguageChoice, BuiltInLanguages)
{
    QTemporaryDir dir;
    for (int brand : {1, 5}) {
        TextTable t;
        t.LoadFrench();
        EXPECT_EQ(SelectLanguage(t, kSpracheDeutsch, brand, dir.path()).status, TextFileStatus::Ok);
        EXPECT_TRUE(sameTable(t, german(brand)));
        EXPECT_EQ(SelectLanguage(t, kSpracheEnglisch, brand, dir.path()).status, TextFileStatus::Ok);
        EXPECT_TRUE(sameTable(t, english(brand)));
        EXPECT_EQ(SelectLanguage(t, kSpracheFranzoesisch, brand, dir.path()).status, TextFileStatus::Ok);
        EXPECT_TRUE(sameTable(t, french()));
    }
}

TEST(LanguageChoice, EnglishWriteCommandFollowsTheBrand)
{
    QTemporaryDir dir;
    TextTable t;
    SelectLanguage(t, 2, 5, dir.path());
    EXPECT_EQ(t.text(TextId::MenuWriteChip), QStringLiteral("Program memory chip"));
    SelectLanguage(t, 2, 1, dir.path());
    EXPECT_EQ(t.text(TextId::MenuWriteChip), QStringLiteral("Program zendrik"));
}

TEST(LanguageChoice, FurtherLanguageComesFromSpeechFile)
{
    QTemporaryDir dir;
    ASSERT_EQ(french().SaveTexts(QDir(dir.path()).filePath(QStringLiteral("speech.txt"))).status, TextFileStatus::Ok);
    for (int sprache : {0, 4, 7}) {
        TextTable t;
        EXPECT_EQ(SelectLanguage(t, sprache, 1, dir.path()).status, TextFileStatus::Ok) << sprache;
        EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("lundi"));
        EXPECT_EQ(t.text(TextId::FileWord), QStringLiteral("Fichier "));
        EXPECT_EQ(t.text(TextId::MenuHelpFor), QStringLiteral("&Aide Zendrik"));
    }
}

TEST(LanguageChoice, MissingSpeechFileFallsBackToGerman)
{
    QTemporaryDir dir;
    TextTable t;
    t.LoadEnglish();
    const TextFileResult r = SelectLanguage(t, 4, 5, dir.path());
    EXPECT_EQ(r.status, TextFileStatus::Missing);
    EXPECT_TRUE(sameTable(t, german(5)));
    EXPECT_EQ(TextFilePrompt(r, kSpeechFileName).render(t), QStringLiteral("speech.txt: Datei nicht vorhanden !"));
}

TEST(LanguageChoice, ShortSpeechFileIsCompletedInGerman)
{
    QTemporaryDir dir;
    QFile f(QDir(dir.path()).filePath(QStringLiteral("speech.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("svenska.hdy\nsvenska.ord\nmåndag\n");
    f.close();
    TextTable t;
    t.LoadEnglish();
    const TextFileResult r = SelectLanguage(t, 4, 1, dir.path());
    EXPECT_EQ(r.status, TextFileStatus::MissingLines);
    EXPECT_EQ(r.missingLines, kTextCount - 3);
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("måndag"));
    EXPECT_EQ(t.text(TextId::Tuesday), german().text(TextId::Tuesday));
    EXPECT_EQ(TextFilePrompt(r, kSpeechFileName).render(t), QStringLiteral("speech.txt: 3 von 422 Zeilen"));
}

TEST(LanguageChoice, InstallStoresSpeechFileAndSwitchesToIt)
{
    QTemporaryDir source;
    QTemporaryDir program;
    const QString file = QDir(source.path()).filePath(QStringLiteral("english.ln1"));
    ASSERT_EQ(english(5).SaveTexts(file).status, TextFileStatus::Ok);

    DeviceSettings device;
    device.Sprache = 1;
    TextTable t = german();
    const TextFileResult r = InstallTranslation(t, device, file, program.path());
    EXPECT_EQ(r.status, TextFileStatus::Ok);
    EXPECT_EQ(device.Sprache, kSpracheDatei);
    EXPECT_EQ(t.text(TextId::MenuWriteChip), QStringLiteral("Program memory chip"));
    EXPECT_TRUE(QFile::exists(QDir(program.path()).filePath(QStringLiteral("speech.txt"))));

    // The next start reads the same table from speech.txt, whatever the brand.
    TextTable next;
    EXPECT_EQ(SelectLanguage(next, device.Sprache, 1, program.path()).status, TextFileStatus::Ok);
    EXPECT_TRUE(sameTable(next, t));
}

TEST(LanguageChoice, ShortTranslationIsInstalledComplete)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("part.ln1"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a.hdy\r\nb.ord\r\n");
    f.close();
    DeviceSettings device;
    TextTable t = english();
    const TextFileResult r = InstallTranslation(t, device, file, dir.path());
    EXPECT_EQ(r.status, TextFileStatus::MissingLines);
    EXPECT_EQ(device.Sprache, kSpracheDatei);

    TextTable next;
    EXPECT_EQ(SelectLanguage(next, 4, 1, dir.path()).status, TextFileStatus::Ok);
    EXPECT_EQ(next.text(TextId::PlaceFileName), QStringLiteral("b.ord"));
    EXPECT_EQ(next.text(TextId::Monday), QStringLiteral("monday"));
}

TEST(LanguageChoice, FailedInstallChangesNothing)
{
    QTemporaryDir dir;
    const QString empty = QDir(dir.path()).filePath(QStringLiteral("empty.ln1"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString good = QDir(dir.path()).filePath(QStringLiteral("fr.ln1"));
    ASSERT_EQ(french().SaveTexts(good).status, TextFileStatus::Ok);

    DeviceSettings device;
    device.Sprache = 2;
    TextTable t = english();
    EXPECT_EQ(InstallTranslation(t, device, empty, dir.path()).status, TextFileStatus::Empty);
    EXPECT_EQ(device.Sprache, 2);
    EXPECT_TRUE(sameTable(t, english()));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("speech.txt"))));

    const QString nowhere = QDir(dir.path()).filePath(QStringLiteral("no/such/dir"));
    const TextFileResult r = InstallTranslation(t, device, good, nowhere);
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_EQ(device.Sprache, 2);
    EXPECT_TRUE(sameTable(t, english()));
}
