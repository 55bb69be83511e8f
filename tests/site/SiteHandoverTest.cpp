// The hand-over record of a site: the cover lists every device with the proof the site file gives, each device whose program opens
// has its own record behind it with the checksum of its program, the PDF has the cover and every record's pages, the command line
// writes it.
#include "editing/checks/Finding.h"
#include "language/TextTable.h"
#include "model/ExportTarget.h"
#include "model/ImageChecksum.h"
#include "model/ProgramModel.h"
#include "paint/HandoverPainter.h"
#include "paint/SiteHandoverPainter.h"
#include "site/SiteFile.h"
#include "site/SiteHandover.h"
#include "site/SiteState.h"
#include "tests/support/PdfPages.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// Painting needs fonts: a QGuiApplication on the offscreen platform for the whole program.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_site";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
[[maybe_unused]] const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

class SiteHandoverTest : public ::testing::Test {
protected:
    // Four devices: written and confirmed, never written, changed since its write, and one whose program is missing.
    void SetUp() override
    {
        ProgramModel b = canonical738();
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/samples/Schule.zpg"_s, dir_.filePath(u"Flur EG.zpg"_s)));
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/samples/Schule.zpg"_s, dir_.filePath(u"halle.zpg"_s)));
        ASSERT_FALSE(saveProgramAs(b, dir_.filePath(u"aussen.zpg"_s)).isEmpty());
        site_.name = u"Grundschule am Park"_s;
        site_.address = u"Parkweg 3, 12345 Musterstadt"_s;
        site_.path = dir_.filePath(u"schule.zsite"_s);
        const QDateTime when(QDate(2026, 12, 8), QTime(10, 15));
        site_.devices = {
            {u"Flur EG"_s, u"UV1 Erdgeschoss"_s, 4, u"Flur EG.zpg"_s, SiteLinkKind::Bus, u"1.1.5"_s, u"sim:bus.ini"_s, {}, {}},
            {u"Aussenlicht"_s, {}, 20, u"aussen.zpg"_s, SiteLinkKind::Chip, {}, {}, u"/dev/ttyUSB0"_s, {}},
            {u"Turnhalle"_s, u"Halle"_s, 4, u"halle.zpg"_s, SiteLinkKind::Bus, u"1.1.6"_s, u"sim:bus.ini"_s, {}, {}},
            {u"Keller"_s, {}, 4, u"keller.zpg"_s, SiteLinkKind::Ir, {}, {}, u"1"_s, {}},
        };
        checksum_ = checksumOf(site_.devices[0]);
        site_.devices[0].last = SiteTransfer{when, SiteDirection::Write, SiteTransferResult::Ok, checksum_, true};
        site_.devices[2].last = SiteTransfer{when, SiteDirection::Write, SiteTransferResult::Ok, u"0BADF00D"_s, false};
        MarkSiteDevices(site_);
    }

    QString checksumOf(const SiteDevice& device) const
    {
        ProgramModel m;
        EXPECT_EQ(LoadSiteProgram(site_, device, m), 0) << device.name.toStdString();
        return ImageChecksum(m, 0);
    }

    QTemporaryDir dir_;
    Site site_;
    QString checksum_;
    TextTable texts_ = textsIn(1);
};

} // namespace

TEST_F(SiteHandoverTest, CoverListsEveryDeviceWithWhatItsLastTransferProves)
{
    std::vector<int> progress;
    const SiteHandoverDocument doc = BuildSiteHandover(site_, texts_, 2027, ExtraLanguage::German, [&](int done, int) { progress.push_back(done); });
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(doc.rows.size(), 4u);
    EXPECT_EQ(doc.columns, (QStringList{u"Name"_s, u"Ort"_s, u"Typ"_s, u"Adresse"_s, u"letzte Übertragung"_s, u"Ergebnis"_s}));
    const QString missing = SiteDeviceMarkText(SiteDeviceMark::MissingProgram, ExtraLanguage::German);
    const QStringList results{u"übertragen, bestätigt"_s, u"noch nicht übertragen"_s, u"seitdem geändert"_s, missing};
    const QStringList addresses{u"Bus, Adresse 1.1.5"_s, u"Speicherchip an /dev/ttyUSB0"_s, u"Bus, Adresse 1.1.6"_s, u"Infrarot an Anschluss 1"_s};
    for (std::size_t i = 0; i < 4; ++i) {
        const QStringList& row = doc.rows[i];
        EXPECT_EQ((QStringList{row[0], row[1], row[3], row[5]}),
                  (QStringList{site_.devices[i].name, site_.devices[i].location, addresses[static_cast<qsizetype>(i)], results[static_cast<qsizetype>(i)]}));
    }
    EXPECT_EQ(doc.rows[0][4], u"08.12.2026  10:15"_s);
    EXPECT_EQ(doc.skipped, QStringList{u"Keller: "_s + missing});
    // Each record proves its own device: state, the checksum printed is the program's ImageChecksum.
    ASSERT_EQ(doc.devices.size(), 3u);
    const HandoverProofState states[] = {HandoverProofState::Transferred, HandoverProofState::Never, HandoverProofState::ChangedSince};
    for (std::size_t i = 0; i < 3; ++i) {
        const HandoverDocument& record = doc.devices[i];
        const QString sum = checksumOf(site_.devices[i]);
        EXPECT_EQ(record.proof.state, states[i]) << i;
        EXPECT_EQ(record.proof.checksum, sum);
        EXPECT_TRUE(record.heading.endsWith(site_.devices[i].name));
        const auto row = std::find_if(record.cover.begin(), record.cover.end(), [](const auto& r) { return r.first == u"Prüfsumme"_s; });
        ASSERT_NE(row, record.cover.end());
        EXPECT_EQ(row->second, i == 2 ? sum + u" (übertragen: 0BADF00D)"_s : sum);
    }
    EXPECT_EQ(doc.devices[0].proof.transfer, u"08.12.2026  10:15, Bus, Adresse 1.1.5, durch Rücklesen bestätigt"_s);
}

// The PDF: the cover, then each record as WriteHandoverPdf makes it alone; the cover's text names every device.
TEST_F(SiteHandoverTest, PdfHasTheCoverAndEveryRecord)
{
    const SiteHandoverDocument doc = BuildSiteHandover(site_, texts_, 2027, ExtraLanguage::German);
    int expected = 1;
    for (const HandoverDocument& record : doc.devices) {
        int pages = 0;
        QString error;
        ASSERT_TRUE(WriteHandoverPdf(record, texts_, dir_.filePath(u"one.pdf"_s), &error, &pages)) << error.toStdString();
        expected += pages;
    }
    int pages = 0;
    QString error;
    ASSERT_TRUE(WriteSiteHandoverPdf(doc, texts_, dir_.filePath(u"site.pdf"_s), &error, {}, &pages)) << error.toStdString();
    EXPECT_EQ(pages, expected);
    const QStringList text = PdfPages(dir_.filePath(u"site.pdf"_s), expected);
    ASSERT_EQ(text.size(), expected);
    for (const QString& part : {u"Übergabeprotokoll Anlage"_s, u"Grundschule am Park"_s, u"Flur EG"_s, u"Aussenlicht"_s, u"Turnhalle"_s, u"Keller"_s,
                                u"Errichter"_s, u"Seite 1"_s})
        EXPECT_TRUE(text[0].contains(part)) << part.toStdString();
    EXPECT_TRUE(text[1].contains(u"Übergabeprotokoll – Flur EG"_s) && text[1].contains(checksum_) && text[1].contains(u"Seite 2"_s)) << text[1].toStdString();
    EXPECT_TRUE(text.last().contains(u"Seite %1"_s.arg(expected)));
}

// Many devices: the table goes on over further cover pages, each under the column captions, the signatures after the last row.
TEST_F(SiteHandoverTest, LongDeviceTableBreaksOntoFurtherPages)
{
    SiteHandoverDocument doc = BuildSiteHandover(site_, texts_, 2027, ExtraLanguage::German);
    doc.devices.clear();
    for (int i = 0; i < 80; ++i)
        doc.rows.push_back({u"Gerät %1"_s.arg(i + 5), u"UV%1"_s.arg(i), {}, {}, {}, {}});
    int pages = 0;
    QString error;
    ASSERT_TRUE(WriteSiteHandoverPdf(doc, texts_, dir_.filePath(u"cover.pdf"_s), &error, {}, &pages)) << error.toStdString();
    ASSERT_GE(pages, 2);
    const QStringList text = PdfPages(dir_.filePath(u"cover.pdf"_s), pages);
    ASSERT_EQ(text.size(), pages);
    QString all;
    for (const QString& page : text) {
        EXPECT_EQ(page.contains(u"Gerät "_s), page.contains(u"Ergebnis"_s)) << page.toStdString();
        all += page;
    }
    for (int i = 5; i < 85; ++i)
        EXPECT_TRUE(all.contains(QRegularExpression(u"Gerät %1\\b"_s.arg(i)))) << i;
    EXPECT_TRUE(text.last().contains(u"Errichter"_s) && !text.first().contains(u"Errichter"_s));
}

// The command: the site file read, the record written with its page count; refusals with their exit codes.
TEST_F(SiteHandoverTest, CommandWritesTheRecord)
{
    QString error;
    ASSERT_TRUE(SaveSite(site_, &error)) << error.toStdString();
    const QString pdf = dir_.filePath(u"out.pdf"_s);
    const CliRun run = RunCli({u"site"_s, u"handover"_s, site_.path, u"--pdf"_s, pdf, u"--year"_s, u"2027"_s}, dir_.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"Keller"_s)) << run.err.toStdString();
    const int pages = run.out.section(u':', 1).trimmed().toInt();
    ASSERT_GT(pages, 1) << run.out.toStdString();
    EXPECT_TRUE(PdfPages(pdf, pages).value(0).contains(u"Turnhalle"_s));
    const struct {
        QStringList args;
        int exitCode;
    } refused[] = {
        {{site_.path}, 2},
        {{site_.path, u"--pdf"_s, pdf, u"--year"_s, u"1800"_s}, 2},
        {{dir_.filePath(u"none.zsite"_s), u"--pdf"_s, pdf}, 1},
        {{site_.path, u"--pdf"_s, site_.path}, 1},
        {{site_.path, u"--pdf"_s, dir_.filePath(u"aussen.zpg"_s), u"--year"_s, u"2027"_s}, 1},
    };
    for (const auto& r : refused) {
        const CliRun refusal = RunCli(QStringList{u"site"_s, u"handover"_s} + r.args, dir_.path());
        EXPECT_EQ(refusal.exitCode, r.exitCode) << r.args.join(u' ').toStdString() << refusal.err.toStdString();
        EXPECT_FALSE(refusal.err.isEmpty());
    }
    EXPECT_TRUE(IsProgramFile(dir_.filePath(u"aussen.zpg"_s)));
}
