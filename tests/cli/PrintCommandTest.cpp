// The print command: the text file line by line against the list, the PDF
// read back as text, the hand-over record, and the refusals.
#include "model/EntryBuilder.h"
#include "model/ImageChecksum.h"
#include "model/ProgramFile.h"
#include "transfer/TransferJournal.h"
#include "tests/cli/CliFolder.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/PdfPages.h"

#include <QProcess>
#include <QRegularExpression>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class PrintCommandTest : public CliFolder {
protected:
    // 45 weekly switching times, one every ten minutes from 6:00, named channels 1 and 3.
    void SetUp() override
    {
        ProgramModel model;
        startProgram(model, kRow731FourChannels);
        std::vector<Entry> entries;
        for (int i = 0; i < 45; ++i)
            entries.push_back(BuildWeeklyEntry(360 + 10 * i, 0x1F, 1 << (i % 4), i % 2, 0, 0));
        setEntries(model, kProgramSlot, entries, {prioA(), prioB()});
        model.program().Verwendung = u"Sporthalle Nord"_s;
        ASSERT_EQ(model.setKanalname(kProgramSlot, 0, u" Halle"_s), TextCheck::Ok);
        ASSERT_EQ(model.setKanalname(kProgramSlot, 2, u" Flur"_s), TextCheck::Ok);
        ASSERT_FALSE(save(model, u"ANLAGE.zpg"_s).isEmpty());
    }
    CliRun cli(const QStringList& args) const { return run(QStringList{"--type", "4"} + args); }
};

} // namespace

// The text file: the header, then every row of the list with a heading
// (after a form feed, but for the first) in front of rows 1, 21 and 41.
TEST_F(PrintCommandTest, TextFileWithHeadingsEveryZeilenRows)
{
    Succeeded(cli({"print", "ANLAGE.zpg", "--text", "ANLAGE.txt", "--sections", "switching", "--lines", "20"}));
    EXPECT_EQ(readFile(path(u"ANLAGE.txt"_s)), readFile(testData(u"cli/print-switching.txt"_s)));
}

// Switching times on three pages (45 rows, 20 per heading; rows 1, 21 and
// 41 open them), the priority times, the table and the device properties
// on one page each.
TEST_F(PrintCommandTest, PdfHasTheEntriesHeadingsAndPages)
{
    Succeeded(cli({"--lang", "en", "print", "ANLAGE.zpg", "--pdf", "ANLAGE.pdf", "--lines", "20"}));
    const QStringList pages = PdfPages(path(u"ANLAGE.pdf"_s), 6);
    ASSERT_GE(pages.size(), 6);
    for (int p = 0; p < 6; ++p)
        EXPECT_TRUE(pages[p].contains(u"Page %1"_s.arg(p + 1))) << p;
    const QStringList listed = cli({"--lang", "en", "list", "ANLAGE.zpg"}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 46);
    for (const int p : {0, 1, 2})
        EXPECT_TRUE(pages[p].contains(listed[1 + 20 * p].split(u'\t').value(2).trimmed())) << p;
    EXPECT_TRUE(pages[0].contains(u"Switching times"_s));
    EXPECT_TRUE(pages[3].contains(u"Priority times"_s));
    EXPECT_TRUE(pages[5].contains(u"Hardware parameters"_s)) << pages[5].toStdString();
}

// The hand-over record: the cover, the printout of every section, then a
// year page per channel with the hours the simulation gives.
TEST_F(PrintCommandTest, HandoverHasCoverPrintoutAndAYearPagePerChannel)
{
    const CliRun print = cli({"--lang", "en", "print", "ANLAGE.zpg", "--pdf", "print.pdf"});
    const int printed = print.out.section(u':', 1).trimmed().toInt();
    ASSERT_GT(printed, 0) << print.err.toStdString();
    for (const auto& [lang, words] : {std::pair{"en", QStringList{"Page", "Handover record", "Installer", "Customer", "Switching times"}},
                                      {"de", QStringList{"Seite", "Übergabeprotokoll", "Errichter", "Kunde", "Schaltzeiten"}}}) {
        SCOPED_TRACE(lang);
        Succeeded(cli({"--lang", lang, "handover", "ANLAGE.zpg", "--pdf", "handover.pdf", "--year", "2027"}));
        const QStringList pages = PdfPages(path(u"handover.pdf"_s), 1 + printed + 4);
        ASSERT_EQ(pages.size(), 1 + printed + 4);
        for (int p = 0; p < pages.size(); ++p)
            EXPECT_TRUE(pages[p].contains(u"%1 %2"_s.arg(words[0]).arg(p + 1))) << p;
        for (const QString& part : words.mid(1, 3) + QStringList{"Sporthalle Nord", "ANLAGE.zpg", "C1: Halle", "C3: Flur"})
            EXPECT_TRUE(pages[0].contains(part)) << part.toStdString();
        EXPECT_TRUE(pages[1].contains(words[4]));
        for (int c = 1; c <= 4; ++c) {
            const QString sim = Succeeded(cli({"--lang", lang, "simulate", "ANLAGE.zpg", "--year", "2027", "--channel", QString::number(c)}));
            EXPECT_TRUE(pages[printed + c].simplified().contains(sim.simplified()) && pages[printed + c].contains(u"2027"_s)) << c << pages[printed + c].toStdString();
        }
        EXPECT_TRUE(pages[printed + 1].contains(u"C1: Halle"_s));
    }
}

// The cover proves what the transfer journal of the working directory says: nothing, the program written with its own checksum and
// read back, or another checksum (the program changed since); the checksum printed is the program's.
TEST_F(PrintCommandTest, HandoverCoverProvesTheJournal)
{
    ProgramModel loaded;
    ASSERT_EQ(LoadProgram(loaded, path(u"ANLAGE.zpg"_s), kProgramSlot), 0);
    const QString sum = ImageChecksum(loaded, 0);
    const QDateTime when(QDate(2026, 12, 8), QTime(10, 15));
    const struct {
        std::optional<TransferRecord> entry;
        QStringList shown;
    } rows[] = {
        {std::nullopt, {u"noch nicht übertragen"_s, sum}},
        {TransferRecord{when, TransferPath::Chip, u"/dev/ttyUSB0"_s, false, false, false, true, sum}, {u"Speicherchip an /dev/ttyUSB0, durch Rücklesen bestätigt"_s, sum}},
        {TransferRecord{when, TransferPath::Bus, u"1.1.5"_s, false, false, false, false, u"0BADF00D"_s}, {u"geändert seit der Übertragung am 08.12.2026"_s, sum + u" (übertragen: 0BADF00D)"_s}},
    };
    for (const auto& row : rows) {
        if (row.entry) {
            ASSERT_TRUE(RecordTransfer(dir.path(), path(u"ANLAGE.zpg"_s), *row.entry));
        }
        Succeeded(cli({"--dir", dir.path(), "handover", "ANLAGE.zpg", "--pdf", "handover.pdf", "--year", "2027"}));
        QProcess text;
        text.start(u"pdftotext"_s, {u"-l"_s, u"1"_s, path(u"handover.pdf"_s), u"-"_s});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString cover = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString& part : row.shown)
            EXPECT_TRUE(cover.contains(part)) << part.toStdString() << "\n" << cover.toStdString();
    }
}
