// Choosing the table for `Sprache` and installing a further language.
#include "language/LanguageChoice.h"
#include "model/DeviceSettings.h"
#include "tests/language/TextTables.h"

using namespace zendrik;
using namespace zendrik::test;

using LanguageChoice = FolderTest;

TEST_F(LanguageChoice, FurtherLanguageComesFromSpeechFile)
{
    TextTable t = Loaded(&TextTable::LoadEnglish);
    const TextFileResult missing = SelectLanguage(t, kSpracheDatei, 5, dir.path());
    EXPECT_EQ(missing.status, TextFileStatus::Missing);
    EXPECT_EQ(CountDiffering(t, Loaded(&TextTable::LoadGerman, 5)), 0);
    EXPECT_EQ(TextFilePrompt(missing, kSpeechFileName).render(t), QStringLiteral("speech.txt: Datei nicht vorhanden !"));

    write(kSpeechFileName, "svenska.hdy\nsvenska.ord\nmåndag\n");
    const TextFileResult shortFile = SelectLanguage(t, kSpracheDatei, 1, dir.path());
    EXPECT_EQ(shortFile.status, TextFileStatus::MissingLines);
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("måndag"));
    EXPECT_EQ(t.text(TextId::Tuesday), Loaded(&TextTable::LoadGerman).text(TextId::Tuesday));
    EXPECT_EQ(TextFilePrompt(shortFile, kSpeechFileName).render(t), QStringLiteral("speech.txt: 3 von 422 Zeilen"));

    ASSERT_EQ(Loaded(&TextTable::LoadFrench).SaveTexts(path(kSpeechFileName)).status, TextFileStatus::Ok);
    for (const int sprache : {0, 4, 7}) {
        EXPECT_EQ(SelectLanguage(t, sprache, 1, dir.path()).status, TextFileStatus::Ok) << sprache;
        EXPECT_EQ(t.text(TextId::FileWord) + t.text(TextId::MenuHelpFor), QStringLiteral("Fichier &Aide Zendrik")) << sprache;
    }
}

TEST_F(LanguageChoice, InstallStoresSpeechFileAndSwitchesToIt)
{
    const QString english = path(QStringLiteral("english.ln1"));
    ASSERT_EQ(Loaded(&TextTable::LoadEnglish, 5).SaveTexts(english).status, TextFileStatus::Ok);
    QTemporaryDir program;
    int sprache = kSpracheDeutsch;
    TextTable t;
    EXPECT_EQ(InstallTranslation(t, sprache, english, program.path()).status, TextFileStatus::Ok);
    EXPECT_EQ(sprache, kSpracheDatei);
    EXPECT_EQ(t.text(TextId::MenuWriteChip), QStringLiteral("Program memory chip"));
    // The next start reads the same table from speech.txt, whatever the brand.
    TextTable next;
    EXPECT_EQ(SelectLanguage(next, sprache, 1, program.path()).status, TextFileStatus::Ok);
    EXPECT_EQ(CountDiffering(next, t), 0);
    // A short translation is installed complete.
    t = Loaded(&TextTable::LoadEnglish);
    EXPECT_EQ(InstallTranslation(t, sprache, write(QStringLiteral("part.ln1"), "a.hdy\r\nb.ord\r\n"), program.path()).status, TextFileStatus::MissingLines);
    EXPECT_EQ(SelectLanguage(next, kSpracheDatei, 1, program.path()).status, TextFileStatus::Ok);
    EXPECT_EQ(next.text(TextId::PlaceFileName) + next.text(TextId::Monday), QStringLiteral("b.ordmonday"));
}

TEST_F(LanguageChoice, FailedInstallChangesNothing)
{
    ASSERT_EQ(Loaded(&TextTable::LoadFrench).SaveTexts(path(QStringLiteral("fr.ln1"))).status, TextFileStatus::Ok);
    int sprache = kSpracheEnglisch;
    TextTable t = Loaded(&TextTable::LoadEnglish);
    EXPECT_EQ(InstallTranslation(t, sprache, write(QStringLiteral("empty.ln1"), QByteArray()), dir.path()).status, TextFileStatus::Empty);
    EXPECT_FALSE(QFile::exists(path(kSpeechFileName)));
    EXPECT_EQ(InstallTranslation(t, sprache, path(QStringLiteral("fr.ln1")), path(QStringLiteral("no/such/dir"))).status, TextFileStatus::WriteFailed);
    EXPECT_EQ(sprache, kSpracheEnglisch);
    EXPECT_EQ(CountDiffering(t, Loaded(&TextTable::LoadEnglish)), 0);
}

// Our own texts follow the built-in language; a further language read from
// a translation file (which carries only the fixed table) shows them in English.
TEST_F(LanguageChoice, ExtraTextsFollowTheLanguageAndFallBackToEnglish)
{
    constexpr ExtraText kSample{"Programm prüfen", "Check program", "Vérifier le programme"};
    ASSERT_EQ(Loaded(&TextTable::LoadEnglish).SaveTexts(path(kSpeechFileName)).status, TextFileStatus::Ok);
    const std::pair<int, const char*> cases[] = {
        {kSpracheDeutsch, "Programm prüfen"}, {kSpracheEnglisch, "Check program"},
        {kSpracheFranzoesisch, "Vérifier le programme"}, {kSpracheDatei, "Check program"}};
    for (const auto& [sprache, expected] : cases) {
        TextTable t = Loaded(&TextTable::LoadFrench);
        SelectLanguage(t, sprache, 1, dir.path());
        EXPECT_EQ(t(kSample), QString::fromUtf8(expected)) << sprache;
    }
    // A further language whose file is missing keeps the German table, and so German texts.
    TextTable missing;
    SelectLanguage(missing, kSpracheDatei, 1, path(QStringLiteral("nowhere")));
    EXPECT_EQ(missing(kSample), QStringLiteral("Programm prüfen"));
}
