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
        ProgramModel model;
        sportsHall(model);
        file = saveProgramAs(model, path("ANLAGE.zpg"));
        ASSERT_FALSE(file.isEmpty());
    }

    // 45 weekly switching times, one every ten minutes from 6:00.
    static void sportsHall(ProgramModel& model)
    {
        startProgram(model, kRow731FourChannels);
        std::vector<Entry> entries;
        for (int i = 0; i < 45; ++i)
            entries.push_back(BuildWeeklyEntry(360 + 10 * i, 0x1F, 1 << (i % 4), i % 2, 0, 0));
        setEntries(model, kProgramSlot, entries, {prioA(), prioB()});
        model.program().Verwendung = QStringLiteral("Sporthalle Nord");
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
    Succeeded(cli({"print", file, "--text", path("ANLAGE.txt"), "--sections", "switching", "--lines", "20"}));
    QFile f(path("ANLAGE.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));

    const QString list = Succeeded(cli({"list", file}));
    const QStringList listLines = list.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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
    Succeeded(cli({"--lang", "en", "print", file, "--pdf", pdf, "--lines", "20"}));
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

// The hand-over record: the cover, the printout of every section, then a
// year page per channel with the hours the simulation gives.
TEST_F(PrintCommandTest, HandoverHasCoverPrintoutAndAYearPagePerChannel)
{
    ProgramModel model;
    sportsHall(model);
    ASSERT_EQ(model.setKanalname(kProgramSlot, 0, QStringLiteral(" Halle")), TextCheck::Ok);
    ASSERT_EQ(model.setKanalname(kProgramSlot, 2, QStringLiteral(" Flur")), TextCheck::Ok);
    const QString named = saveProgramAs(model, path("HALLE.zpg"));
    ASSERT_FALSE(named.isEmpty());

    const CliRun print = cli({"--lang", "en", "print", named, "--pdf", path("print.pdf")});
    ASSERT_EQ(print.exitCode, 0) << print.err.toStdString();
    const int printed = print.out.section(QLatin1Char(':'), 1).trimmed().toInt();
    ASSERT_GT(printed, 0);

    for (const char* lang : {"en", "de"}) {
        SCOPED_TRACE(lang);
        const bool english = QLatin1String(lang) == QLatin1String("en");
        const QString pdf = path("handover.pdf");
        const CliRun run = cli({"--lang", lang, "handover", named, "--pdf", pdf, "--year", "2027"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString info = popplerText(QStringLiteral("pdfinfo"), {pdf});
        ASSERT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\b").arg(1 + printed + 4))))
            << info.toStdString();
        const QStringList pages =
            popplerText(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 1 + printed + 4);
        for (int p = 0; p < pages.size(); ++p)
            EXPECT_TRUE(pages[p].contains(QStringLiteral("%1 %2").arg(english ? "Page" : "Seite").arg(p + 1))) << p;

        for (const char* part : {english ? "Handover record" : "Übergabeprotokoll", "Sporthalle Nord", "HALLE.zpg",
                                 "C1: Halle", "C3: Flur", english ? "Installer" : "Errichter", english ? "Customer" : "Kunde"})
            EXPECT_TRUE(pages[0].contains(QString::fromUtf8(part))) << part;
        EXPECT_TRUE(pages[1].contains(english ? QStringLiteral("Switching times") : QStringLiteral("Schaltzeiten")));

        for (int c = 1; c <= 4; ++c) {
            const QString& page = pages[printed + c];
            const QString sim = Succeeded(cli({"--lang", lang, "simulate", named, "--year", "2027", "--channel",
                                               QString::number(c)}));
            EXPECT_TRUE(page.simplified().contains(sim.simplified())) << c << page.toStdString();
            EXPECT_TRUE(page.contains(QStringLiteral("2027")));
        }
        EXPECT_TRUE(pages[printed + 1].contains(QStringLiteral("C1: Halle")));
    }
}

TEST_F(PrintCommandTest, HandoverRefusesTheProgramFileAndBadArguments)
{
    const QByteArray before = readFile(file);
    EXPECT_EQ(cli({"handover", file, "--pdf", file}).exitCode, 1);
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(cli({"handover", file}).exitCode, 2);
    EXPECT_EQ(cli({"handover", file, "--pdf", path("h.pdf"), "--year", "1800"}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("h.pdf")));
    // A file that is not there: refused without a PDF.
    EXPECT_NE(cli({"handover", path("none.zpg"), "--pdf", path("h.pdf")}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("h.pdf")));
}
