// zendrik-cli texts and the global --lang / --texts options. The printed
// tables are the product's texts word for word (odd spellings and the blanks
// the program joins by included), in both wordings of the chip transfer.
#include "app/Settings.h"
#include "model/DeviceSettings.h"
#include "tests/language/TextTables.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

using namespace zendrik;
using namespace zendrik::test;

namespace {

class TextsCli : public FolderTest {
protected:
    // The command line given as blank-separated words, run in the test's folder.
    CliRun run(const char* words) const { return RunCli(QString::fromLatin1(words).split(QLatin1Char(' ')), dir.path(), 30000); }
    QString line(const char* words, TextId id) const { return run(words).out.split(QLatin1Char('\n')).value(static_cast<int>(id)); }
};

} // namespace

TEST_F(TextsCli, PrintsTheTableOfTheChosenLanguageWordForWord)
{
    for (const char* brand : {"1", "5"}) {
        if (*brand == '5')
            write(QStringLiteral("zendrik.sys"), "QBE\r\n"); // the memory-chip brand
        for (const auto& [words, lang] : {std::pair{"texts", "de"}, {"texts --lang en", "en"}, {"--lang en texts", "en"}, {"--lang fr texts", "fr"}}) {
            const CliRun r = run(words);
            EXPECT_EQ(r.exitCode, 0) << words << qPrintable(r.err);
            const QString golden = QStringLiteral("language/texts-%1-%2.txt").arg(QLatin1String(lang), QLatin1String(brand));
            EXPECT_EQ(r.out.toUtf8(), readFile(testData(golden))) << words << " against " << qPrintable(golden);
        }
    }
}

// The remembered further language without its speech file: German, with the reason.
TEST_F(TextsCli, RememberedFurtherLanguageWithoutItsFileFallsBackToGerman)
{
    DeviceSettings d;
    d.Sprache = 4;
    ASSERT_TRUE(WriteSettings(path(QStringLiteral("zendrik.ini")), d));
    const CliRun missing = run("texts");
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("speech.txt: Datei nicht vorhanden !"))) << qPrintable(missing.err);
    EXPECT_EQ(missing.out.toUtf8(), readFile(testData(QStringLiteral("language/texts-de-1.txt"))));
}

TEST_F(TextsCli, TranslationFilesAndTheirRefusals)
{
    // The printed table is a template that loads back; only the texts whose
    // ends the file cannot carry differ.
    const QStringList english = run("texts --lang en").out.split(QLatin1Char('\n'));
    write(QStringLiteral("my.ln1"), english.join(QLatin1Char('\n')).toUtf8());
    const CliRun again = run("--texts my.ln1 texts");
    ASSERT_EQ(again.exitCode, 0) << qPrintable(again.err);
    EXPECT_TRUE(again.err.isEmpty()) << qPrintable(again.err);
    const QStringList back = again.out.split(QLatin1Char('\n'));
    ASSERT_EQ(back.size(), kTextCount + 1);
    int differing = 0;
    for (int i = 0; i < kTextCount; ++i)
        differing += english[i] != back[i] ? 1 : 0;
    EXPECT_LE(differing, 5);
    EXPECT_EQ(back[static_cast<int>(TextId::SaveChangesIn)], QStringLiteral("Save changes in "));
    // A short translation is reported and completed from the language in use.
    write(QStringLiteral("part.ln1"), "a.hdy\nb.ord\nmaandag\n");
    write(QStringLiteral("empty.ln1"), QByteArray());
    const struct {
        const char* words;
        int exitCode;
        const char* said;
    } cases[] = {
        {"--texts part.ln1 texts", 0, "part.ln1: 3 von 422 Zeilen"},
        {"--lang en --texts none.ln1 texts", 1, "none.ln1: File not found!"},
        {"--texts empty.ln1 texts", 1, "empty.ln1: Keine gültige Datei !"},
        {"--lang xx texts", 2, "--lang"},
        {"texts --lang xx", 2, "--lang"},
        // Other commands speak the chosen language.
        {"--lang de info nothing.zpg", 1, "Datei nicht vorhanden !"},
        {"--lang en info nothing.zpg", 1, "File not found!"},
        {"--lang fr info nothing.zpg", 1, "Fichier introuvable !"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.words);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.words;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.said))) << c.words << ": " << qPrintable(r.err);
        EXPECT_EQ(r.out.isEmpty(), c.exitCode != 0) << c.words;
    }
    EXPECT_EQ(line("--texts part.ln1 texts", TextId::Tuesday), QStringLiteral("Dienstag"));
}
