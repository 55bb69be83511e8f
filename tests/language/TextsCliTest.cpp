// zendrik-cli texts and the global --lang / --texts options.
#include "app/Settings.h"
#include "model/DeviceSettings.h"
#include "tests/language/TextTables.h"
#include "tests/support/CliRun.h"

using namespace zendrik;
using namespace zendrik::test;

namespace {

struct TextsRun {
    int exitCode = -1;
    QStringList lines; // stdout, one entry per line
    QString err;
    QString line(TextId id) const { return lines.value(static_cast<int>(id)); }
};

class TextsCli : public FolderTest {
protected:
    // Runs the command line given as blank-separated words in the test's folder.
    TextsRun run(const char* words) const
    {
        const CliRun r = RunCli(QString::fromLatin1(words).split(QLatin1Char(' ')), dir.path(), 30000);
        const QString out = r.out.endsWith(QLatin1Char('\n')) ? r.out.chopped(1) : r.out;
        return {r.exitCode, out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n')), r.err};
    }
};

} // namespace

TEST_F(TextsCli, PrintsTheTableOfTheChosenLanguage)
{
    const TextsRun de = run("texts");
    ASSERT_EQ(de.exitCode, 0) << qPrintable(de.err);
    ASSERT_EQ(de.lines.size(), kTextCount);
    EXPECT_EQ(de.line(TextId::HolidayFileName), QStringLiteral("deutsch.hdy"));
    EXPECT_EQ(de.line(TextId::MenuHelpFor), QStringLiteral("&Hilfe zu "));
    for (const char* args : {"texts --lang en", "--lang en texts"}) {
        const TextsRun en = run(args);
        ASSERT_EQ(en.lines.size(), kTextCount) << args;
        EXPECT_EQ(en.line(TextId::Monday), QStringLiteral("monday")) << args;
        EXPECT_EQ(en.line(TextId::MenuWriteChip), QStringLiteral("Program zendrik")) << args;
    }
    EXPECT_EQ(run("--lang fr texts").line(TextId::FileWord), QStringLiteral("Fichier "));
    // The memory-chip brand from the brand file.
    write(QStringLiteral("zendrik.sys"), "QBE\r\n");
    EXPECT_EQ(run("texts --lang en").line(TextId::MenuWriteChip), QStringLiteral("Program memory chip"));
}

TEST_F(TextsCli, RememberedLanguageFromTheSettings)
{
    DeviceSettings d;
    d.Sprache = 2;
    ASSERT_TRUE(WriteSettings(path(QStringLiteral("zendrik.ini")), d));
    EXPECT_EQ(run("texts").line(TextId::Monday), QStringLiteral("monday"));
    d.Sprache = 4;
    ASSERT_TRUE(WriteSettings(path(QStringLiteral("zendrik.ini")), d));
    const TextsRun missing = run("texts");
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("speech.txt: Datei nicht vorhanden !"))) << qPrintable(missing.err);
    EXPECT_EQ(missing.line(TextId::Monday), QStringLiteral("Montag"));
}

TEST_F(TextsCli, TemplateLoadsBackUnchanged)
{
    const TextsRun english = run("texts --lang en");
    ASSERT_EQ(english.lines.size(), kTextCount);
    write(QStringLiteral("my.ln1"), (english.lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    const TextsRun again = run("--texts my.ln1 texts");
    ASSERT_EQ(again.exitCode, 0) << qPrintable(again.err);
    EXPECT_TRUE(again.err.isEmpty()) << qPrintable(again.err);
    ASSERT_EQ(again.lines.size(), kTextCount);
    // Only the texts whose ends the file cannot carry differ.
    int differing = 0;
    for (int i = 0; i < kTextCount; ++i)
        differing += english.lines[i] != again.lines[i] ? 1 : 0;
    EXPECT_LE(differing, 5);
    EXPECT_EQ(again.line(TextId::SaveChangesIn), QStringLiteral("Save changes in "));
    // A short translation is reported and completed from the language in use.
    write(QStringLiteral("part.ln1"), "a.hdy\nb.ord\nmaandag\n");
    const TextsRun part = run("--texts part.ln1 texts");
    EXPECT_EQ(part.exitCode, 0);
    EXPECT_TRUE(part.err.contains(QStringLiteral("part.ln1: 3 von 422 Zeilen"))) << qPrintable(part.err);
    EXPECT_EQ(part.line(TextId::Tuesday), QStringLiteral("Dienstag"));
}

TEST_F(TextsCli, BadLanguageOrTranslationFile)
{
    EXPECT_EQ(run("--lang xx texts").exitCode, 2);
    EXPECT_EQ(run("texts --lang xx").exitCode, 2);
    const TextsRun missing = run("--lang en --texts none.ln1 texts");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.lines.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("none.ln1: File not found!"))) << qPrintable(missing.err);
    write(QStringLiteral("empty.ln1"), QByteArray());
    const TextsRun empty = run("--texts empty.ln1 texts");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("empty.ln1: Keine gültige Datei !"))) << qPrintable(empty.err);
}

TEST_F(TextsCli, OtherCommandsSpeakTheChosenLanguage)
{
    for (const auto& [args, load] : {std::pair{"--lang de info nothing.zpg", &TextTable::LoadGerman},
                                     std::pair{"--lang en info nothing.zpg", &TextTable::LoadEnglish},
                                     std::pair{"--lang fr info nothing.zpg", &TextTable::LoadFrench}}) {
        const TextsRun r = run(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.err.trimmed(), Loaded(load).text(TextId::FileNotFound)) << args;
    }
}
