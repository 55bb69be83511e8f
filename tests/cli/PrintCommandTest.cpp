// The print command: the text file line by line against the list, the PDF
// read back as text, and the refusals.
#include "model/EntryBuilder.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace zendrik::test;

namespace {

QString simplifiedCells(const QStringList& cells)
{
    return cells.join(QLatin1Char(' ')).simplified();
}

// Output of a poppler tool, or an empty text when it cannot run.
QString popplerText(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 45 weekly switching times, one every ten minutes from 6:00.
        ProgramModel model;
        startProgram(model, kRow731FourChannels);
        std::vector<Entry> entries;
        for (int i = 0; i < 45; ++i)
            entries.push_back(BuildWeeklyEntry(360 + 10 * i, 0x1F, 1 << (i % 4), i % 2, 0, 0));
        setEntries(model, kProgramSlot, entries, {prioA(), prioB()});
        model.program().Verwendung = QStringLiteral("Sporthalle Nord");
        file = saveProgramAs(model, path("ANLAGE.zpg"));
        ASSERT_FALSE(file.isEmpty());
    }

    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }

    CliRun cli(const QStringList& args) const
    {
        return RunCli(QStringList{"--dir", dir.path(), "--type", QString::number(kRow731FourChannels)} + args,
                      dir.path());
    }

    QTemporaryDir dir;
    QString file;
};

} // namespace

TEST_F(PrintCommandTest, TextFileHoldsTheListRowsWithHeadingsEveryZeilenRows)
{
    const CliRun run = cli({"print", file, "--text", path("ANLAGE.txt"), "--sections", "switching", "--lines", "20"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile f(path("ANLAGE.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));

    const CliRun list = cli({"list", file});
    ASSERT_EQ(list.exitCode, 0);
    const QStringList listLines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString heading = simplifiedCells(listLines.first().split(QLatin1Char('\t')));

    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Schaltzeiten  ANLAGE.zpg")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Verwendung: Sporthalle Nord")));
    // Every row of the list, in order; a heading (after a form feed, but for
    // the first) in front of rows 1, 21 and 41.
    int row = 0;
    std::vector<int> headingsBefore;
    int formFeeds = 0;
    bool pendingHeading = false;
    for (const QString& line : lines) {
        if (line == QStringLiteral("\f")) {
            ++formFeeds;
            continue;
        }
        if (line.simplified() == heading) {
            pendingHeading = true;
            continue;
        }
        if (row < 45 && line.simplified() == simplifiedCells(listLines[row + 1].split(QLatin1Char('\t')))) {
            ++row;
            if (pendingHeading)
                headingsBefore.push_back(row);
            pendingHeading = false;
        }
    }
    EXPECT_EQ(row, 45);
    EXPECT_EQ(headingsBefore, (std::vector<int>{1, 21, 41}));
    EXPECT_EQ(formFeeds, 2);
}

TEST_F(PrintCommandTest, PdfHasTheEntriesHeadingsAndPages)
{
    const QString pdf = path("ANLAGE.pdf");
    const CliRun run = cli({"--lang", "en", "print", file, "--pdf", pdf, "--lines", "20"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString text = popplerText(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils) is needed";
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    // Switching times on three pages (45 rows, 20 per heading), the priority
    // times, the table and the device properties on one page each.
    const QString info = popplerText(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\b")))) << info.toStdString();
    ASSERT_GE(pages.size(), 6);
    for (int p = 0; p < 6; ++p)
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1").arg(p + 1))) << p;
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Switching times")));
    // Rows 1, 21 and 41 open the three pages of switching times.
    const QStringList listed = cli({"--lang", "en", "list", file}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 46);
    for (const int p : {0, 1, 2}) {
        const QString time = listed[1 + 20 * p].split(QLatin1Char('\t')).value(2).trimmed();
        EXPECT_TRUE(pages[p].contains(time)) << p << " " << time.toStdString();
    }
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Priority times")));
    EXPECT_TRUE(pages[5].contains(QStringLiteral("Hardware parameters"))) << pages[5].toStdString();
}

TEST_F(PrintCommandTest, NeverOverwritesTheProgramFile)
{
    ASSERT_TRUE(QFile::copy(file, path("Halle.txt")));
    const QByteArray before = readFile(path("Halle.txt"));
    const CliRun run = cli({"print", path("Halle.txt"), "--text", path("Halle.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_EQ(readFile(path("Halle.txt")), before);

    const CliRun bad = cli({"print", file, "--text", path("x.txt"), "--sections", "switching,nothing"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("x.txt")));
}
