// zendrik-cli texts and the global --lang / --texts options.
#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "model/Settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

struct CliRun {
    int exitCode = -1;
    QStringList lines; // stdout, one entry per line
    QString err;
};

class TextsCli : public ::testing::Test {
protected:
    CliRun run(const QStringList& args) const
    {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ZENDRIK_CLI), args);
        CliRun r;
        if (!p.waitForFinished(30000))
            return r;
        r.exitCode = p.exitCode();
        QString out = QString::fromUtf8(p.readAllStandardOutput());
        if (out.endsWith(QLatin1Char('\n')))
            out.chop(1);
        r.lines = out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static int line(TextId id) { return static_cast<int>(id); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TextsCli, PrintsTheGermanTableByDefault)
{
    const CliRun r = run({QStringLiteral("texts")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    ASSERT_EQ(r.lines.size(), kTextCount);
    EXPECT_EQ(r.lines[line(TextId::HolidayFileName)], QStringLiteral("deutsch.hdy"));
    EXPECT_EQ(r.lines[line(TextId::Monday)], QStringLiteral("Montag"));
    EXPECT_EQ(r.lines[line(TextId::MenuWriteChip)], QStringLiteral("Zendrik &programmieren"));
    EXPECT_EQ(r.lines[line(TextId::MenuHelpFor)], QStringLiteral("&Hilfe zu "));
}

TEST_F(TextsCli, LanguageBeforeOrAfterTheCommand)
{
    for (const QStringList& args : {QStringList{QStringLiteral("texts"), QStringLiteral("--lang"), QStringLiteral("en")},
                                    QStringList{QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("texts")}}) {
        const CliRun r = run(args);
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        ASSERT_EQ(r.lines.size(), kTextCount);
        EXPECT_EQ(r.lines[line(TextId::Monday)], QStringLiteral("monday"));
        EXPECT_EQ(r.lines[line(TextId::MenuWriteChip)], QStringLiteral("Program zendrik"));
    }
    const CliRun fr = run({QStringLiteral("--lang"), QStringLiteral("fr"), QStringLiteral("texts")});
    ASSERT_EQ(fr.lines.size(), kTextCount);
    EXPECT_EQ(fr.lines[line(TextId::FileWord)], QStringLiteral("Fichier "));
    EXPECT_EQ(fr.lines[line(TextId::FreeNamePrefix)], QStringLiteral("tbcom"));
}

TEST_F(TextsCli, MemoryChipBrandFromTheBrandFile)
{
    write(QStringLiteral("zendrik.sys"), "QBE\r\n");
    const CliRun r = run({QStringLiteral("texts"), QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.lines[line(TextId::MenuWriteChip)], QStringLiteral("Program memory chip"));
    EXPECT_EQ(r.lines[line(TextId::MenuReadChip)], QStringLiteral("&Read memory chip"));
}

TEST_F(TextsCli, RememberedLanguageFromTheSettings)
{
    DeviceSettings d;
    d.Sprache = 2;
    ASSERT_TRUE(WriteSettings(path(QStringLiteral("zendrik.ini")), d));
    const CliRun r = run({QStringLiteral("texts")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(r.lines[line(TextId::Monday)], QStringLiteral("monday"));

    d.Sprache = 4;
    ASSERT_TRUE(WriteSettings(path(QStringLiteral("zendrik.ini")), d));
    const CliRun missing = run({QStringLiteral("texts")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("speech.txt: Datei nicht vorhanden !"))) << qPrintable(missing.err);
    EXPECT_EQ(missing.lines[line(TextId::Monday)], QStringLiteral("Montag"));
}

TEST_F(TextsCli, TemplateLoadsBackUnchanged)
{
    const CliRun english = run({QStringLiteral("texts"), QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(english.lines.size(), kTextCount);
    write(QStringLiteral("my.ln1"), (english.lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    const CliRun again = run({QStringLiteral("--texts"), QStringLiteral("my.ln1"), QStringLiteral("texts")});
    ASSERT_EQ(again.exitCode, 0) << qPrintable(again.err);
    EXPECT_TRUE(again.err.isEmpty()) << qPrintable(again.err);
    ASSERT_EQ(again.lines.size(), kTextCount);
    // Only the texts whose ends the file cannot carry differ.
    int differing = 0;
    for (int i = 0; i < kTextCount; ++i)
        differing += english.lines[i] != again.lines[i] ? 1 : 0;
    EXPECT_LE(differing, 5);
    EXPECT_EQ(again.lines[line(TextId::MenuWriteChip)], QStringLiteral("Program zendrik"));
    EXPECT_EQ(again.lines[line(TextId::SaveChangesIn)], QStringLiteral("Save changes in "));
}

TEST_F(TextsCli, ShortTranslationIsReportedAndCompleted)
{
    write(QStringLiteral("part.ln1"), "a.hdy\nb.ord\nmaandag\n");
    const CliRun r = run({QStringLiteral("--texts"), QStringLiteral("part.ln1"), QStringLiteral("texts")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains(QStringLiteral("part.ln1: 3 von 422 Zeilen"))) << qPrintable(r.err);
    ASSERT_EQ(r.lines.size(), kTextCount);
    EXPECT_EQ(r.lines[line(TextId::Monday)], QStringLiteral("maandag"));
    EXPECT_EQ(r.lines[line(TextId::Tuesday)], QStringLiteral("Dienstag"));
}

TEST_F(TextsCli, BadLanguageOrTranslationFile)
{
    const CliRun lang = run({QStringLiteral("--lang"), QStringLiteral("xx"), QStringLiteral("texts")});
    EXPECT_EQ(lang.exitCode, 2);
    const CliRun after = run({QStringLiteral("texts"), QStringLiteral("--lang"), QStringLiteral("xx")});
    EXPECT_EQ(after.exitCode, 2);

    const CliRun missing = run({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--texts"),
                             QStringLiteral("none.ln1"), QStringLiteral("texts")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.lines.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("none.ln1: File not found!"))) << qPrintable(missing.err);

    write(QStringLiteral("empty.ln1"), QByteArray());
    const CliRun empty = run({QStringLiteral("--texts"), QStringLiteral("empty.ln1"), QStringLiteral("texts")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("empty.ln1: Keine gültige Datei !"))) << qPrintable(empty.err);
}

TEST_F(TextsCli, OtherCommandsSpeakTheChosenLanguage)
{
    for (const auto& [code, load] : {std::pair{"de", &TextTable::LoadGerman}, std::pair{"en", &TextTable::LoadEnglish},
                                     std::pair{"fr", &TextTable::LoadFrench}}) {
        TextTable expected;
        (expected.*load)(1);
        const CliRun r = run({QStringLiteral("--lang"), QString::fromLatin1(code), QStringLiteral("info"),
                           QStringLiteral("nothing.zpg")});
        EXPECT_EQ(r.exitCode, 1) << code;
        EXPECT_EQ(r.err.trimmed(), expected.text(TextId::FileNotFound)) << code;
    }
}
