// The printout's lines: title block, heading repetition and page breaks, the sections and their order, the text-file target.
#include "editing/PrintDocument.h"

#include "editing/HandoverDocument.h"
#include "editing/RecoveryFile.h"
#include "editing/checks/ProgramChecks.h"
#include "language/DateText.h"
#include "model/DeviceImage.h"
#include "model/ImageChecksum.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"
#include "util/CalendarMath.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zendrik;
using namespace Qt::StringLiterals;
using namespace zendrik::test;

namespace {

PrintDocument listOfRows(int rows, int zeilen)
{
    PrintDocument doc;
    doc.Zeilen = zeilen;
    PrintBlock block;
    block.title = QStringLiteral("Schaltzeiten");
    block.columns = {{QStringLiteral("Nr."), 500}, {QStringLiteral("Uhrzeit"), 1000}};
    for (int r = 1; r <= rows; ++r) block.rows.push_back({QString::number(r), QStringLiteral("%1:00").arg(r % 24)});
    doc.blocks.push_back(block);
    return doc;
}

// The rows (by their number) in front of which a heading stands, and those in front of which a page break stands.
std::pair<std::vector<int>, std::vector<int>> headingsAndBreaks(const PrintDocument& doc)
{
    std::vector<int> headings, breaks;
    bool heading = false, pageBreak = false;
    for (const PrintLine& line : PrintLines(doc)) {
        heading = heading || line.kind == PrintLine::Heading;
        pageBreak = pageBreak || line.kind == PrintLine::PageBreak;
        if (line.kind != PrintLine::Row) continue;
        if (heading) headings.push_back(line.cells.first().toInt());
        if (pageBreak) breaks.push_back(line.cells.first().toInt());
        heading = pageBreak = false;
    }
    return {headings, breaks};
}

} // namespace

TEST(PrintLines, HeadingsEveryZeilenRowsAndColumnWidths)
{
    const struct { int rows, zeilen; std::vector<int> headings, breaks; } cases[] = {
        {45, 20, {1, 21, 41}, {21, 41}},
        {40, 20, {1, 21}, {21}},
        {3, 1, {1, 2, 3}, {2, 3}}, // every row gets its heading
        {45, 0, {1}, {}},          // no repetition, and no division by zero
        {45, -3, {1}, {}},
        {45, 45, {1}, {}},
        {0, 20, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(headingsAndBreaks(listOfRows(c.rows, c.zeilen)), std::pair(c.headings, c.breaks)) << c.rows << " rows, Zeilen " << c.zeilen;
    }
    // The text file's columns: each as wide as its widest cell or heading, two blanks apart, without trailing blanks.
    const QStringList lines = PrintTextLines(listOfRows(10, 0));
    const qsizetype heading = lines.indexOf(u"Nr.  Uhrzeit"_s);
    ASSERT_GE(heading, 0) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.mid(heading + 1, 2), (QStringList{u"1    1:00"_s, u"2    2:00"_s}));
    EXPECT_EQ(lines.last(), u"10   10:00"_s);
}

// The printout of a program with every section asked for, line by line, in each language: the title block at each section (file name, program number
// or its "none", device type, file date as the language writes dates), every section on a new page with its heading repeated every Zeilen rows, the
// device properties naming every setting. The four-channel weekly switch has no astro times. The expected lines are tests/data/golden/printout.txt.
TEST(PrintDocument, EverySectionInEveryLanguage)
{
    ProgramModel model = canonical731();
    model.program().Dateiname = QStringLiteral("/anywhere/ANLAGE.zpg");
    model.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 5)); };
    ScriptedInteraction no = ScriptedInteraction::answering(false);
    BuildHeader(model, no);
    std::tie(model.device.Zeilen, model.device.Lpt, model.device.SerialPort1) = std::tuple(5, 4, u"/dev/ttyUSB7"_s);
    PrintRequest all;
    all.Schaltzeiten = all.Prioritaetszeiten = all.SoWiTabelle = all.Astrozeiten = all.Geraeteeigenschaften = true;
    const char* kinds[] = {"section", "title", "heading", "row", "page"};
    QString text;
    for (const int language : {1, 2, 3}) {
        model.program().ProgNr = language == 1 ? 123456 : kNoProgramNumber;
        for (const PrintLine& line : PrintLines(BuildPrintDocument(model, textsIn(language), all))) text += u"%1: %2\n"_s.arg(QLatin1String(kinds[int(line.kind)]), line.cells.join(u'|'));
    }
    expectGolden(u"golden/printout.txt"_s, text);
    ProgramModel model2 = canonical738();
    TextTable texts;
    PrintRequest astro;
    astro.Astrozeiten = true;
    const PrintDocument doc = BuildPrintDocument(model2, texts, astro);
    ASSERT_EQ(doc.blocks.size(), 2u); // channels 1 and 4
    for (const PrintBlock& b : doc.blocks) EXPECT_EQ(b.rows.size(), static_cast<std::size_t>(DaysInYear(model2.currentYear())));

    // Every switching time of the program is printed, whatever a window filters.
    PrintRequest switching;
    switching.Schaltzeiten = true;
    const PrintDocument list = BuildPrintDocument(model2, texts, switching);
    EXPECT_EQ(std::pair(list.blocks.size(), static_cast<int>(list.blocks.at(0).rows.size())), std::pair(std::size_t(1), model2.program().AnzSz));
}

// Dates shown to people follow the language, one way per language, whatever surface shows them (the printout's file date is in its golden text): the
// recovery question. The hand-over cover shows a missing program number as the lists show empty values, in the user's language.
TEST(HandoverDocument, DatesAndTheProgramNumberInEachLanguage)
{
    RecoveryImage image{{}, 1, QDateTime(QDate(2026, 12, 7), QTime(9, 5, 30)).toUTC()};
    image.snapshot.program.Dateiname = QStringLiteral("/tmp/Halle.zpg");
    ProgramModel model = canonical731();
    for (const auto& [language, date, none] : {std::tuple(1, "07.12.2026  09:05", "keine"), std::tuple(2, "07/12/2026  09:05", "none"), std::tuple(3, "07/12/2026  09:05", "aucun")}) {
        const TextTable texts = textsIn(language);
        EXPECT_EQ(DateText(QDate(2026, 12, 7), texts), QString::fromLatin1(date).left(10));
        const QString recovery = RecoveryQuestion(image, texts).render(texts);
        EXPECT_TRUE(recovery.endsWith(QString::fromLatin1(date) + QStringLiteral(":30")) && recovery.contains(QStringLiteral("Halle.zpg"))) << recovery.toStdString();
        for (const std::int32_t number : {kNoProgramNumber, 4711}) {
            model.program().ProgNr = number;
            const HandoverDocument doc = BuildHandoverDocument(model, texts, 2027, {});
            const auto row = std::pair(texts(TextId::ProgramNumber).trimmed(), number == kNoProgramNumber ? QString::fromUtf8(none) : u"4711"_s);
            EXPECT_NE(std::find(doc.cover.begin(), doc.cover.end(), row), doc.cover.end()) << none;
        }
    }
}

// The cover proves what the journal or the site file says of the last transfer: never, confirmed with the program's own checksum,
// changed since (another checksum, or none), failed, or a read that found another program; the checks are counted as RunAllChecks finds them.
TEST(HandoverDocument, CoverProvesTheLastTransfer)
{
    const ProgramModel model = canonical731();
    const TextTable texts = textsIn(1);
    const QString checksum = ImageChecksum(model, 0);
    const QDateTime when(QDate(2026, 12, 8), QTime(10, 15));
    const auto record = [&](QString sum, bool confirmed, bool failed = false, bool differs = false) {
        return TransferRecord{when, TransferPath::Bus, u"1.1.5"_s, false, failed, differs, confirmed, std::move(sum)};
    };
    const struct {
        std::optional<TransferRecord> last;
        HandoverProofState state;
        QString transfer, checksumRow;
    } rows[] = {
        {std::nullopt, HandoverProofState::Never, u"noch nicht übertragen"_s, checksum},
        {record(checksum, true), HandoverProofState::Transferred, u"08.12.2026  10:15, Bus, Adresse 1.1.5, durch Rücklesen bestätigt"_s, checksum},
        {record(checksum, false), HandoverProofState::Transferred, u"08.12.2026  10:15, Bus, Adresse 1.1.5, nicht zurückgelesen"_s, checksum},
        {record(u"0BADF00D"_s, true), HandoverProofState::ChangedSince, u"geändert seit der Übertragung am 08.12.2026  10:15"_s, checksum + u" (übertragen: 0BADF00D)"_s},
        {record({}, true), HandoverProofState::ChangedSince, u"geändert seit der Übertragung am 08.12.2026  10:15"_s, checksum},
        {record(checksum, false, true), HandoverProofState::Failed, u"Übertragung am 08.12.2026  10:15 fehlgeschlagen"_s, checksum},
        {record(checksum, false, false, true), HandoverProofState::Differs, u"am 08.12.2026  10:15 gelesen: das Gerät enthält ein anderes Programm"_s, checksum},
    };
    int warnings = 0, errors = 0, notes = 0;
    for (const Finding& f : RunAllChecks(model, texts, 2027))
        ++(f.severity == Severity::Error ? errors : f.severity == Severity::Warning ? warnings : notes);
    for (const auto& row : rows) {
        const HandoverDocument doc = BuildHandoverDocument(model, texts, 2027, {}, row.last);
        EXPECT_EQ(doc.proof.state, row.state) << row.transfer.toStdString();
        const auto has = [&](const QString& caption, const QString& value) {
            return std::find(doc.cover.begin(), doc.cover.end(), std::pair(caption, value)) != doc.cover.end();
        };
        EXPECT_TRUE(has(u"Letzte Übertragung"_s, row.transfer)) << row.transfer.toStdString();
        EXPECT_TRUE(has(u"Prüfsumme"_s, row.checksumRow)) << row.checksumRow.toStdString();
        EXPECT_TRUE(has(u"Prüfungen 2027"_s, FindingCountText(errors, warnings, notes, texts)));
        EXPECT_EQ(std::tuple(doc.proof.errors, doc.proof.warnings, doc.proof.notes), std::tuple(errors, warnings, notes));
    }
    EXPECT_EQ(FindingCountText(0, 0, 0, texts), u"keine Befunde"_s);
    EXPECT_EQ(FindingCountText(0, 2, 1, texts), u"2 Warnungen, 0 Fehler, 1 Hinweis"_s);
    EXPECT_EQ(FindingCountText(1, 1, 0, textsIn(2)), u"1 warning, 1 error"_s);
}
