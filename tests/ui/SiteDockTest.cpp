// The building site in the desktop: opened through the file menu it shows every device with its state; a double
// click opens a device's program for editing; a write run from the dock against the simulated bus brings the bus
// devices up to date; a change of many programs leaves out an unticked device and is one undo step of the open
// program; a holiday set chosen in the change dialog gives the days of the command line; the dock fits a small screen.
#include "tests/ui/DesktopFixture.h"

#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "site/SiteChange.h"
#include "site/SiteFile.h"
#include "site/SiteState.h"
#include "tests/support/TestPrograms.h"
#include "ui/frame/UndoHistory.h"
#include "ui/site/SiteChangeDialog.h"
#include "ui/site/SiteChooser.h"
#include "ui/site/SiteCommands.h"
#include "ui/site/SiteDock.h"
#include "ui/site/SiteRunWindow.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRowFourChannels = 4;

struct ScriptedSiteChooser : SiteChooser {
    QString site, name, dir, pdf, program;
    QString siteToOpen(const QString&) override { return site; }
    QString siteToCreate(const QString&) override { return site; }
    QString siteName(const QString&) override { return name; }
    QString folder(const QString&) override { return dir; }
    QString pdfToSave(const QString&) override { return pdf; }
    QString programFile(const QString&) override { return program; }
};

class SiteDockTest : public DesktopFixture {
protected:
    // A school of three devices of the four-channel type, two on the simulated bus and one by memory chip, and a
    // fourth whose program is missing; then the program started and the site opened through the menu.
    void openSchool()
    {
        ASSERT_TRUE(QFile::copy(shipped(u"remote.s19"_s), work(u"remote.s19"_s)));
        ASSERT_TRUE(QDir(workDir()).mkpath(u"programs"_s));
        for (const QString& name : {u"Flur"_s, u"Klassen"_s, u"Aussen"_s})
            ASSERT_TRUE(QFile::copy(shipped(u"samples/Schule.zpg"_s), work(u"programs/"_s + name + u".zpg"_s)));
        ASSERT_TRUE(writeFile(work(u"bus.ini"_s), "[bus]\npacing = off\n[device 1.1.5]\n[device 1.1.6]\n"));
        ASSERT_TRUE(writeFile(work(u"Schule.zsite"_s),
                              "zendrik-site 1\nname = Grundschule am Park\n\n"
                              "[device]\nname = Flur EG\nlocation = UV1\ntype = 4\nprogram = programs/Flur.zpg\n"
                              "link = bus 1.1.5 sim:bus.ini\n\n"
                              "[device]\nname = Klassen\ntype = 4\nprogram = programs/Klassen.zpg\n"
                              "link = bus 1.1.6 sim:bus.ini\n\n"
                              "[device]\nname = Aussen\ntype = 4\nprogram = programs/Aussen.zpg\nlink = chip /dev/null\n\n"
                              "[device]\nname = Alt\ntype = 4\nprogram = programs/Alt.zpg\n"));
        startWith(kRowFourChannels, 2);
        commands().setChooser(&chooser);
        chooser.site = work(u"Schule.zsite"_s);
        trigger("mnuDatAnlageOeff");
        ASSERT_NE(commands().dock(), nullptr);
    }
    SiteCommands& commands() const { return frame()->siteCommands(); }
    QTableWidget* table() const { return commands().dock()->table(); }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < table()->rowCount(); ++r) out << table()->item(r, c)->text();
        return out;
    }
    QString state(SiteTransferState s) const { return TransferStateText(s, ExtraLanguage::English); }
    // As the platform delivers a double click: press, release, double click, release.
    void doubleClickDevice(int row) const
    {
        QWidget* viewport = table()->viewport();
        const QPoint at = table()->visualRect(table()->model()->index(row, 0)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        settle();
    }

    ScriptedSiteChooser chooser;
};

TEST_F(SiteDockTest, OpensThroughTheMenuShowsEveryDeviceAndADoubleClickOpensItsProgram)
{
    openSchool();
    EXPECT_EQ(column(SiteDock::ColName), QStringList({u"Flur EG"_s, u"Klassen"_s, u"Aussen"_s, u"Alt"_s}));
    EXPECT_EQ(column(SiteDock::ColAddress).mid(0, 3), QStringList({u"1.1.5"_s, u"1.1.6"_s, u"null"_s}));
    const QString never = state(SiteTransferState::Never);
    const QString missing = SiteDeviceMarkText(SiteDeviceMark::MissingProgram, ExtraLanguage::English);
    EXPECT_EQ(column(SiteDock::ColTransfer), QStringList({never, never, never, missing}));
    EXPECT_FALSE(table()->item(3, SiteDock::ColName)->icon().isNull());

    doubleClickDevice(1);
    EXPECT_EQ(QFileInfo(model().program().Dateiname).absoluteFilePath(), QFileInfo(work(u"programs/Klassen.zpg"_s)).absoluteFilePath());
    EXPECT_EQ(model().Geaendert, 0);
    // The marked device is not opened; the user is told why.
    const std::size_t before = asked().size();
    doubleClickDevice(3);
    EXPECT_EQ(asked().size(), before + 1);
    EXPECT_TRUE(model().program().Dateiname.endsWith(u"Klassen.zpg"_s));
}

TEST_F(SiteDockTest, TheShippedSampleSiteShowsEveryDeviceNeverTransferredAndItsRecordIsSaved)
{
    for (const char* file : {"Schule.zsite", "Schule.zpg", "Verwaltung.zpg", "Parkplatz.zpg", "Laden.zpg"}) copySample(QString::fromLatin1(file));
    startWith(kRowFourChannels, 2);
    commands().setChooser(&chooser);
    chooser.site = work(u"Schule.zsite"_s);
    trigger("mnuDatAnlageOeff");
    ASSERT_NE(commands().dock(), nullptr);
    EXPECT_EQ(column(SiteDock::ColName), QStringList({u"Flur EG"_s, u"Klassenzimmer"_s, u"Aussenlicht"_s, u"Pausenklingel"_s}));
    EXPECT_EQ(column(SiteDock::ColTransfer), QStringList(4, state(SiteTransferState::Never)));
    for (int r = 0; r < 4; ++r) EXPECT_TRUE(table()->item(r, SiteDock::ColName)->icon().isNull()) << r;
    // Its hand-over record saved from the dock.
    chooser.pdf = work(u"Schule.pdf"_s);
    click(commands().dock(), "cmdAnlageProtokoll");
    EXPECT_TRUE(readFile(chooser.pdf).startsWith("%PDF"));
}

TEST_F(SiteDockTest, AWriteRunBringsTheBusDevicesUpToDateAndASavedChangeShowsAtOnce)
{
    openSchool();
    click(commands().dock(), "cmdAnlageSchreiben");
    SiteRunWindow* run = commands().runWindow();
    ASSERT_NE(run, nullptr);
    click(run, "cmdStart");
    EXPECT_TRUE(run->running());
    QTRY_VERIFY_WITH_TIMEOUT(!run->running(), 60000);
    std::map<QString, SiteDeviceOutcome> outcomes;
    for (const SiteDeviceResult& r : run->results()) outcomes[r.device] = r.outcome;
    EXPECT_EQ(outcomes[u"Flur EG"_s], SiteDeviceOutcome::Ok);
    EXPECT_EQ(outcomes[u"Klassen"_s], SiteDeviceOutcome::Ok);
    // The memory chip was asked for and not given.
    EXPECT_EQ(outcomes[u"Aussen"_s], SiteDeviceOutcome::Skipped);
    const QString upToDate = state(SiteTransferState::UpToDate);
    EXPECT_EQ(column(SiteDock::ColTransfer).mid(0, 3), QStringList({upToDate, upToDate, state(SiteTransferState::Never)}));

    // The first device's program changed and saved into its own file: the dock says so.
    doubleClickDevice(0);
    deleteRows(1, 1);
    trigger("mnudatspei");
    EXPECT_EQ(column(SiteDock::ColTransfer).mid(0, 2), QStringList({state(SiteTransferState::ChangedSince), upToDate}));
}

TEST_F(SiteDockTest, AChangeOfManyProgramsLeavesOutTheUntickedAndIsOneUndoStepOfTheOpenProgram)
{
    openSchool();
    doubleClickDevice(0);
    const QByteArray open = SavedImage(model());
    const QByteArray klassen = readFile(work(u"programs/Klassen.zpg"_s));
    const QByteArray aussen = readFile(work(u"programs/Aussen.zpg"_s));
    const int steps = frame()->history().stack().count();

    click(commands().dock(), "cmdAnlageAendern");
    SiteChangeDialog* dialog = commands().changeDialog();
    ASSERT_NE(dialog, nullptr);
    child<QComboBox>(dialog, "cboArt")->setCurrentIndex(1); // summer/winter rule
    child<QComboBox>(dialog, "cboRegel")->setCurrentIndex(3); // USA
    click(dialog, "cmdVorschau");
    QTreeWidget* preview = dialog->preview();
    ASSERT_EQ(preview->topLevelItemCount(), 4);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(preview->topLevelItem(i)->checkState(0), Qt::Checked) << i;
    preview->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    click(dialog, "cmdAnwenden");

    EXPECT_EQ(readFile(work(u"programs/Klassen.zpg"_s)), klassen);
    EXPECT_NE(readFile(work(u"programs/Aussen.zpg"_s)), aussen);
    // The open program changed in memory only, as one step of its history.
    EXPECT_NE(SavedImage(model()), open);
    EXPECT_NE(model().Geaendert, 0);
    EXPECT_EQ(frame()->history().stack().count(), steps + 1);
    frame()->history().undoAction()->trigger();
    EXPECT_EQ(SavedImage(model()), open);
}

// The holiday set chosen in the dialog comes from the installation's holiday file, as `site apply --holidays`
// reads it: the preview shows the same days for each device, and applying writes them.
TEST_F(SiteDockTest, AHolidaySetChosenInTheChangeDialogGivesTheDaysOfTheCommandLine)
{
    ASSERT_TRUE(QFile::copy(shipped(u"english.hdy"_s), work(u"english.hdy"_s)));
    openSchool();
    const QByteArray aussen = readFile(work(u"programs/Aussen.zpg"_s));
    click(commands().dock(), "cmdAnlageAendern");
    SiteChangeDialog* dialog = commands().changeDialog();
    ASSERT_NE(dialog, nullptr);
    child<QComboBox>(dialog, "cboArt")->setCurrentIndex(0);
    child<QComboBox>(dialog, "cboSet")->setCurrentText(u"England and Wales"_s);
    child<QSpinBox>(dialog, "spnVon")->setValue(2027);
    child<QSpinBox>(dialog, "spnBis")->setValue(2027);
    click(dialog, "cmdVorschau");

    FeiertagTabelle table;
    ASSERT_EQ(table.read(work(u"english.hdy"_s)), FeiertagResult::Ok);
    SiteChange change;
    change.kind = SiteChange::Kind::Holidays;
    change.holidaySet = u"England and Wales"_s;
    change.fromYear = change.toYear = 2027;
    ASSERT_TRUE(ResolveSiteChange(change, table, PlaceList()));
    Site site;
    ASSERT_TRUE(LoadSite(work(u"Schule.zsite"_s), site).ok());
    const std::vector<SiteChangePreview> expected =
        PreviewSiteChange(site, {u"Flur EG"_s, u"Klassen"_s, u"Aussen"_s}, change, textsIn(2), ExtraLanguage::English);
    QTreeWidget* preview = dialog->preview();
    ASSERT_EQ(preview->topLevelItemCount(), 4);
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem* item = preview->topLevelItem(i);
        ASSERT_GE(expected[i].differences.size(), 8) << i;
        EXPECT_EQ(item->checkState(0), Qt::Checked) << item->text(1).toStdString();
        ASSERT_EQ(item->childCount(), expected[i].differences.size());
        for (int c = 0; c < item->childCount(); ++c) EXPECT_EQ(item->child(c)->text(1), expected[i].differences[c]);
    }
    click(dialog, "cmdAnwenden");
    EXPECT_NE(readFile(work(u"programs/Aussen.zpg"_s)), aussen);
}

TEST_F(SiteDockTest, TheDockFitsASmallScreenBesideTheList)
{
    screenArea_ = QRect(0, 0, 1024, 600);
    openSchool();
    frame()->show();
    settle();
    SiteDock* dock = commands().dock();
    const QRect inFrame(dock->mapTo(frame(), QPoint(0, 0)), dock->size());
    EXPECT_TRUE(frame()->rect().contains(inFrame));
    EXPECT_LE(frame()->frameGeometry().width(), 1024);
    EXPECT_GE(list().width(), 400);
    for (QPushButton* b : dock->findChildren<QPushButton*>()) {
        const QRect r(b->mapTo(dock, QPoint(0, 0)), b->size());
        EXPECT_TRUE(b->isVisible() && dock->rect().contains(r)) << b->objectName().toStdString();
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text())) << b->objectName().toStdString();
    }
}

} // namespace
