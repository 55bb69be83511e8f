#include "calendar/ListFilter.h"
#include "editing/ListAnsicht.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/list/FrmFilter.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MdiForm1.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class ListWindow : public DesktopFixture {
protected:
    void openSchool(int sprache = 1)
    {
        startWith(4, sprache);
        school = copySample(QStringLiteral("Schule.zpg"));
        chooser_.open = school;
        trigger("mnuDatÖff");
        ASSERT_TRUE(asked().empty());
    }

    FrmHauptmenue& list() const { return app_->mainFrame()->listWindow(); }
    QTableView* grid() const { return list().findChild<QTableView*>(QStringLiteral("GrdDisplSz")); }

    // What the command line lists for the same file and options.
    QStringList cliText(const QStringList& options, const QString& language = QStringLiteral("de")) const
    {
        QProcess cli;
        cli.setWorkingDirectory(dir_.path());
        cli.start(QStringLiteral(ZENDRIK_CLI), QStringList{QStringLiteral("--lang"), language, QStringLiteral("--type"),
                                                           QStringLiteral("4"), QStringLiteral("list"), school}
                                                   + options);
        EXPECT_TRUE(cli.waitForFinished(20000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        QString out = QString::fromUtf8(cli.readAllStandardOutput());
        out.chop(out.endsWith(QLatin1Char('\n')) ? 1 : 0);
        return out.split(QLatin1Char('\n'));
    }

    QString checkedView() const
    {
        for (QAction* a : app_->mainFrame()->menu().views()->actions()) {
            if (a->isChecked())
                return a->objectName();
        }
        return QString();
    }

    QString school;
};

} // namespace

TEST_F(ListWindow, GridShowsTheProgramAsTheCommandLineLists)
{
    openSchool();
    ASSERT_NE(grid(), nullptr);
    EXPECT_EQ(list().property("Tag").toString(), QStringLiteral("Hauptmenü"));
    const QStringList shown = gridText();
    EXPECT_EQ(shown, cliText({}));
    EXPECT_EQ(shown.size(), 1 + app_->model().program().AnzSz);
    // At least one empty row under the last item.
    EXPECT_GT(grid()->model()->rowCount(), shown.size() - 1);
    EXPECT_EQ(list().windowTitle(), QStringLiteral("Schaltzeitliste (") + school + QStringLiteral(")"));
    EXPECT_EQ(checkedView(), QStringLiteral("mnuANSSz"));
}

TEST_F(ListWindow, ListsSpeakTheChosenLanguage)
{
    for (const auto& [sprache, code] : {std::pair{2, "en"}, std::pair{3, "fr"}}) {
        openSchool(sprache);
        EXPECT_EQ(gridText(), cliText({}, QString::fromLatin1(code))) << code;
        trigger("mnuAnsPz");
        EXPECT_EQ(gridText(), cliText({QStringLiteral("--view"), QStringLiteral("priority")}, QString::fromLatin1(code)))
            << code;
        EXPECT_TRUE(list().windowTitle().startsWith(app_->texts()(TextId::PriorityList))) << code;
        app_.reset();
    }
}

TEST_F(ListWindow, ViewsSwitchWithTheirTicks)
{
    openSchool();
    trigger("mnuAnsPz");
    EXPECT_EQ(checkedView(), QStringLiteral("mnuAnsPz"));
    EXPECT_EQ(list().Ansicht(), AnsichtPrioritaetszeiten);
    EXPECT_TRUE(list().windowTitle().startsWith(QStringLiteral("Prioritätsliste ")));
    EXPECT_EQ(gridText(), cliText({QStringLiteral("--view"), QStringLiteral("priority")}));

    trigger("mnuAnsSw");
    EXPECT_EQ(checkedView(), QStringLiteral("mnuAnsSw"));
    EXPECT_EQ(gridText(), cliText({QStringLiteral("--view"), QStringLiteral("dst")}));

    // The sample views wait for a sample; the astro view for an astro device.
    EXPECT_FALSE(action("mnuAnsSzVorl")->isEnabled());
    EXPECT_FALSE(action("mnuDatVorlSchl")->isEnabled());
    EXPECT_FALSE(action("mnuAnsAsz")->isEnabled());

    chooser_.open = copySample(QStringLiteral("Laden.zpg"));
    trigger("mnuDatVorl");
    EXPECT_EQ(app_->model().AktSlot, kSampleSlot);
    EXPECT_EQ(checkedView(), QStringLiteral("mnuAnsSzVorl"));
    EXPECT_TRUE(list().windowTitle().startsWith(QStringLiteral("Vorlage Schaltzeitliste ")));
    EXPECT_EQ(grid()->model()->index(6, 0).data().toString(), QStringLiteral("7  "));
    EXPECT_TRUE(grid()->model()->index(7, 1).data().toString().isEmpty());
    // The sample's header is shown, read-only.
    auto* usage = app_->mainFrame()->findChild<QLineEdit*>(QStringLiteral("txtverwendung"));
    EXPECT_EQ(usage->text(), app_->model().slot(kSampleSlot).Verwendung);
    EXPECT_TRUE(usage->isReadOnly());

    trigger("mnuAnsPz");
    EXPECT_EQ(app_->model().AktSlot, kProgramSlot);
    EXPECT_FALSE(usage->isReadOnly());
    trigger("mnuDatVorlSchl");
    EXPECT_FALSE(action("mnuAnsSzVorl")->isEnabled());
    EXPECT_EQ(app_->model().slot(kSampleSlot).AnzEintrag, 0);
}

TEST_F(ListWindow, AstroViewOfTheAstroDevice)
{
    startWith(19);
    school = copySample(QStringLiteral("Parkplatz.zpg"));
    chooser_.open = school;
    trigger("mnuDatÖff");
    trigger("mnuAnsAsz");
    EXPECT_EQ(checkedView(), QStringLiteral("mnuAnsAsz"));
    EXPECT_EQ(grid()->model()->rowCount(), 366);
    QProcess cli;
    cli.start(QStringLiteral(ZENDRIK_CLI), {QStringLiteral("--type"), QStringLiteral("19"), QStringLiteral("list"),
                                            school, QStringLiteral("--view"), QStringLiteral("astro")});
    ASSERT_TRUE(cli.waitForFinished(20000));
    const QStringList expected = QString::fromUtf8(cli.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    ASSERT_GT(expected.size(), 2);
    EXPECT_EQ(gridText().mid(0, 3), expected.mid(0, 3));
}

TEST_F(ListWindow, HeadingClickSorts)
{
    openSchool();
    QHeaderView* heading = grid()->horizontalHeader();
    for (const int column : {2, 1, 3, 7}) {
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(heading->sectionViewportPosition(column) + 5, heading->height() / 2));
        EXPECT_EQ(app_->model().SortSpalteSz, column);
        EXPECT_EQ(gridText(), cliText({QStringLiteral("--sort"), QString::number(column)})) << column;
    }
}

TEST_F(ListWindow, FilterOnAndOff)
{
    openSchool();
    const QStringList all = gridText();
    auto* on = app_->mainFrame()->findChild<QToolButton*>(QStringLiteral("imgfilt"));
    auto* off = app_->mainFrame()->findChild<QToolButton*>(QStringLiteral("imgnofilt"));
    ASSERT_TRUE(on && off);
    EXPECT_FALSE(on->isVisible());
    EXPECT_TRUE(off->isVisible());

    trigger("mnuBaFilt");
    auto* dialog = app_->mainFrame()->findChild<FrmFilter*>(QStringLiteral("frmfilter"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Filter für Schaltzeiten"));
    // Channel 1 only, Monday to Friday.
    dialog->findChild<QCheckBox*>(QStringLiteral("chkKanalAlle"))->click();
    dialog->findChild<QCheckBox*>(QStringLiteral("chkKanal1"))->setChecked(true);
    dialog->findChild<QCheckBox*>(QStringLiteral("chkTag6"))->setChecked(false);
    dialog->findChild<QCheckBox*>(QStringLiteral("chkTag7"))->setChecked(false);
    EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("chkTagAlle"))->isChecked());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdFilterok")), Qt::LeftButton);
    QApplication::processEvents();

    EXPECT_EQ(app_->filter().FilterAktiv, -1);
    EXPECT_EQ(app_->filter().FilterKanal, 1);
    EXPECT_EQ(app_->filter().FilterWochentag, 0b0011111);
    const QStringList filtered = gridText();
    EXPECT_EQ(filtered, cliText({QStringLiteral("--channels"), QStringLiteral("1"), QStringLiteral("--weekdays"),
                                 QStringLiteral("31")}));
    EXPECT_LT(filtered.size(), all.size());
    EXPECT_TRUE(on->isVisible());
    EXPECT_FALSE(off->isVisible());
    EXPECT_NE(app_->mainFrame()->findChild<QFrame*>(QStringLiteral("picfilter"))->styleSheet().indexOf(
                  QStringLiteral("#FFFF10")),
              -1);

    QTest::mouseClick(on, Qt::LeftButton);
    EXPECT_EQ(app_->filter().FilterAktiv, 0);
    EXPECT_EQ(gridText(), all);
    QTest::mouseClick(off, Qt::LeftButton);
    EXPECT_EQ(gridText(), filtered);

    // The dialog shows the criteria of the last OK; Abbrechen changes nothing.
    trigger("mnuBaFilt");
    dialog = app_->mainFrame()->findChild<FrmFilter*>(QStringLiteral("frmfilter"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("chkKanal2"))->isChecked());
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("chkTag5"))->isChecked());
    dialog->findChild<QCheckBox*>(QStringLiteral("chkKanal2"))->setChecked(true);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdFilterAbbrechen")), Qt::LeftButton);
    EXPECT_EQ(app_->filter().FilterKanal, 1);
}

TEST_F(ListWindow, FilterMonthAndPriorityLists)
{
    openSchool();
    trigger("mnuBaFilt");
    auto* dialog = app_->mainFrame()->findChild<FrmFilter*>(QStringLiteral("frmfilter"));
    ASSERT_NE(dialog, nullptr);
    auto* monthFrom = dialog->findChild<QComboBox*>(QStringLiteral("cboMonatVon"));
    auto* monthTo = dialog->findChild<QComboBox*>(QStringLiteral("cboMonatBis"));
    EXPECT_EQ(monthFrom->itemText(0), QStringLiteral("nur Wochenprogramm"));
    monthFrom->setCurrentIndex(3);   // March
    EXPECT_EQ(monthTo->itemText(0), QStringLiteral("März"));
    monthTo->setCurrentIndex(2);     // May
    auto* prioFrom = dialog->findChild<QComboBox*>(QStringLiteral("cboPrioVon"));
    auto* prioTo = dialog->findChild<QComboBox*>(QStringLiteral("cboPrioBis"));
    EXPECT_EQ(prioFrom->count(), 11);
    EXPECT_EQ(prioFrom->itemText(10), QStringLiteral("Permanent"));
    prioFrom->setCurrentIndex(1);
    prioTo->setCurrentIndex(prioTo->count() - 1);
    dialog->findChild<QComboBox*>(QStringLiteral("cboZustand"))->setCurrentIndex(1);
    dialog->findChild<QComboBox*>(QStringLiteral("cboImpuls"))->setCurrentIndex(0);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdFilterok")), Qt::LeftButton);
    const ListFilter& f = app_->filter();
    EXPECT_EQ(f.FilterMonatVon, 3);
    EXPECT_EQ(f.FilterMonatBis, 5);
    EXPECT_EQ(f.FilterPrioVon, 1);
    EXPECT_EQ(f.FilterPrioBis, 10);
    EXPECT_EQ(f.FilterZustand, 1);
    EXPECT_EQ(f.FilterImpuls, 0);
    EXPECT_EQ(gridText(), cliText({QStringLiteral("--months"), QStringLiteral("3-5"), QStringLiteral("--prio"),
                                   QStringLiteral("1-10"), QStringLiteral("--state"), QStringLiteral("1"),
                                   QStringLiteral("--pulses"), QStringLiteral("0")}));
}

TEST_F(ListWindow, DraggingMarksWholeRows)
{
    openSchool();
    QWidget* cells = grid()->viewport();
    const auto centre = [this](int row) { return grid()->visualRect(grid()->model()->index(row, 0)).center(); };
    QTest::mousePress(cells, Qt::LeftButton, Qt::NoModifier, centre(1));
    QMouseEvent move(QEvent::MouseMove, centre(3), cells->mapToGlobal(centre(3)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(cells, &move);
    QTest::mouseRelease(cells, Qt::LeftButton, Qt::NoModifier, centre(3));
    EXPECT_EQ(list().markedRows(), (QList<int>{2, 3, 4}));
    const std::vector<int> entries = list().markedEntries();
    ASSERT_EQ(entries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(entries[i], list().list().entryIndexOfRow(static_cast<int>(i) + 2));
    // Every cell of a marked row is marked.
    EXPECT_TRUE(grid()->selectionModel()->isRowSelected(2, QModelIndex()));
}
