#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "tests/support/CliRun.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/FrmFilter.h"

#include <functional>

namespace zendrik::test {

namespace {

class ListWindow : public DesktopFixture {
protected:
    void openSchool(int sprache = 1)
    {
        restart(4, sprache);
        school = openSample(u"Schule.zpg"_s);
        ASSERT_TRUE(asked().empty());
    }
    // What the command line lists for the same file and options.
    QStringList cliText(const QStringList& options, const QString& language = u"de"_s, int row = 4) const
    {
        const QString run = Succeeded(
            RunCli(QStringList{"--lang", language, "--type", QString::number(row), "list", school} + options, dir_.path()));
        return run.chopped(run.endsWith(u'\n') ? 1 : 0).split(u'\n');
    }
    QString checkedView() const
    {
        QAction* a = frame()->menu().views()->checkedAction();
        return a ? a->objectName() : QString();
    }
    // Sets the filter dialog's controls and confirms it.
    void filterWith(const std::function<void(FrmFilter*)>& set)
    {
        auto* d = open<FrmFilter>("mnuBaFilt");
        set(d);
        press(d, "cmdFilterok");
        QApplication::processEvents();
    }
    QString school;
};

} // namespace

TEST_F(ListWindow, GridListsAsTheCommandLineSortsAndMarks)
{
    openSchool();
    const QStringList shown = gridText();
    EXPECT_EQ(shown, cliText({}));
    EXPECT_EQ(shown.size(), 1 + model().program().AnzSz);
    EXPECT_GT(grid()->model()->rowCount(), shown.size() - 1); // an empty row under the last item
    EXPECT_EQ(std::tuple(list().windowTitle(), checkedView()), std::tuple(u"Schaltzeitliste ("_s + school + u")"_s, u"mnuANSSz"_s));
    // Dragging in the number column marks whole rows.
    QWidget* cells = grid()->viewport();
    const auto centre = [this](int row) { return grid()->visualRect(grid()->model()->index(row, 0)).center(); };
    QTest::mousePress(cells, Qt::LeftButton, Qt::NoModifier, centre(1));
    QMouseEvent move(QEvent::MouseMove, centre(3), cells->mapToGlobal(centre(3)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cells, &move);
    QTest::mouseRelease(cells, Qt::LeftButton, Qt::NoModifier, centre(3));
    EXPECT_EQ(list().markedRows(), (QList<int>{2, 3, 4}));
    EXPECT_EQ(list().markedEntries(), (std::vector<int>{list().list().entryIndexOfRow(2), list().list().entryIndexOfRow(3), list().list().entryIndexOfRow(4)}));
    EXPECT_TRUE(grid()->selectionModel()->isRowSelected(2, QModelIndex()));
    // A click on a heading sorts by that column, always ascending, and marks it.
    QHeaderView* heading = grid()->horizontalHeader();
    EXPECT_FALSE(heading->isSortIndicatorShown());
    const auto click = [heading](int column) {
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(heading->sectionViewportPosition(column) + 5, heading->height() / 2));
    };
    for (const int column : {2, 2, 1, 3, 7}) {
        click(column);
        EXPECT_EQ(std::tuple(model().SortSpalteSz, heading->isSortIndicatorShown(), heading->sortIndicatorSection(), heading->sortIndicatorOrder()),
                  std::tuple(column, true, column, Qt::AscendingOrder));
        EXPECT_EQ(gridText(), cliText({u"--sort"_s, QString::number(column)})) << column;
    }
    click(0); // the row number does not sort: the mark stays
    EXPECT_EQ(heading->sortIndicatorSection(), 7);
    // The priority-time view keeps its own column; not yet chosen, no mark.
    trigger("mnuAnsPz");
    EXPECT_FALSE(heading->isSortIndicatorShown());
    click(1);
    EXPECT_EQ(heading->sortIndicatorSection(), 1);
    trigger("mnuANSSz");
    EXPECT_EQ(heading->sortIndicatorSection(), 7);
}

TEST_F(ListWindow, ViewsSwitchWithTheirTicksAndListAsTheCommandLineInEveryLanguageAndDevice)
{
    for (const auto& [sprache, code] : {std::pair{2, "en"}, std::pair{3, "fr"}, std::pair{1, "de"}}) {
        SCOPED_TRACE(code);
        openSchool(sprache);
        const QString language = QString::fromLatin1(code);
        EXPECT_EQ(gridText(), cliText({}, language));
        const std::tuple<const char*, int, const char*, TextId> views[] = {
            {"mnuAnsPz", AnsichtPrioritaetszeiten, "priority", TextId::PriorityList},
            {"mnuAnsSw", AnsichtSoWiTabelle, "dst", TextId::DstTable}};
        for (const auto& [command, view, option, title] : views) {
            trigger(command);
            EXPECT_EQ(std::tuple(checkedView(), list().Ansicht()), std::tuple(QString::fromLatin1(command), view));
            EXPECT_TRUE(list().windowTitle().startsWith(app_->texts()(title))) << command;
            EXPECT_EQ(gridText(), cliText({u"--view"_s, QString::fromLatin1(option)}, language));
        }
    }
    // The sample views wait for a sample; the astro view for an astro device.
    for (const char* waiting : {"mnuAnsSzVorl", "mnuDatVorlSchl", "mnuAnsAsz"}) EXPECT_FALSE(action(waiting)->isEnabled()) << waiting;
    // A sample opens beside a changed program without a question and leaves it as it is.
    model().Geaendert = 1;
    openSample(u"Laden.zpg"_s, "mnuDatVorl");
    EXPECT_TRUE(asked().empty() && list().windowTitle().startsWith(u"Vorlage Schaltzeitliste "_s));
    EXPECT_EQ(std::tuple(model().AktSlot, model().program().AnzEintrag, model().Geaendert, checkedView(), gridText().size()),
              std::tuple(kSampleSlot, 24, 1, u"mnuAnsSzVorl"_s, 1 + 7));
    // The sample's header is shown, read-only.
    auto* usage = child<QLineEdit>(frame(), "txtverwendung");
    EXPECT_TRUE(usage->text() == model().slot(kSampleSlot).Verwendung && usage->isReadOnly());
    trigger("mnuAnsPz");
    EXPECT_TRUE(model().AktSlot == kProgramSlot && !usage->isReadOnly());
    trigger("mnuDatVorlSchl");
    EXPECT_FALSE(action("mnuAnsSzVorl")->isEnabled());
    EXPECT_EQ(std::tuple(model().slot(kSampleSlot).AnzEintrag, model().slot(kSampleSlot).Dateiname, model().AktSlot), std::tuple(0, QString(), kProgramSlot));
    // The astro device keeps its location where the others keep the program
    // number; the number itself is kept beside the channel names.
    restart(19);
    EXPECT_TRUE(child(frame(), "txtProgrammnummer")->isEnabled() && frame()->findChildren<QLineEdit*>(u"txtkannam"_s).size() == 2);
    school = openSample(u"Parkplatz.zpg"_s);
    trigger("mnuAnsAsz");
    EXPECT_EQ(std::tuple(checkedView(), grid()->model()->rowCount()), std::tuple(u"mnuAnsAsz"_s, 366));
    EXPECT_EQ(gridText().mid(0, 3), cliText({u"--view"_s, u"astro"_s}, u"de"_s, 19).mid(0, 3));
}

TEST_F(ListWindow, FilterOnAndOff)
{
    openSchool();
    const QStringList all = gridText();
    auto* on = child<QToolButton>(frame(), "imgfilt");
    auto* off = child<QToolButton>(frame(), "imgnofilt");
    EXPECT_TRUE(!on->isVisible() && off->isVisible());
    // Channel 1 only, Monday to Friday.
    filterWith([](FrmFilter* d) {
        EXPECT_EQ(d->windowTitle(), u"Filter für Schaltzeiten"_s);
        child<QCheckBox>(d, "chkKanalAlle")->click();
        child<QCheckBox>(d, "chkKanal1")->setChecked(true);
        child<QCheckBox>(d, "chkTag6")->setChecked(false);
        child<QCheckBox>(d, "chkTag7")->setChecked(false);
        EXPECT_FALSE(child<QCheckBox>(d, "chkTagAlle")->isChecked());
    });
    const QStringList channelOne = {u"--channels"_s, u"1"_s, u"--weekdays"_s, u"31"_s};
    const QStringList filtered = gridText();
    EXPECT_EQ(filtered, cliText(channelOne));
    EXPECT_LT(filtered.size(), all.size());
    EXPECT_TRUE(on->isVisible() && !off->isVisible() && child(frame(), "picfilter")->styleSheet().contains(u"#FFFF10"_s));
    QTest::mouseClick(on, Qt::LeftButton);
    EXPECT_TRUE(app_->filter().FilterAktiv == 0 && gridText() == all);
    QTest::mouseClick(off, Qt::LeftButton);
    EXPECT_EQ(gridText(), filtered);
    // Abbrechen changes nothing.
    auto* d = open<FrmFilter>("mnuBaFilt");
    child<QCheckBox>(d, "chkKanal2")->setChecked(true);
    press(d, "cmdFilterAbbrechen");
    EXPECT_EQ(gridText(), filtered);
    // The dialog shows the criteria of the last OK; months, priorities, state and pulses join them.
    filterWith([](FrmFilter* d) {
        EXPECT_TRUE(!child<QCheckBox>(d, "chkKanal2")->isChecked() && child<QCheckBox>(d, "chkTag5")->isChecked());
        auto* monthFrom = child<QComboBox>(d, "cboMonatVon");
        EXPECT_EQ(monthFrom->itemText(0), u"nur Wochenprogramm"_s);
        monthFrom->setCurrentIndex(3);
        EXPECT_EQ(child<QComboBox>(d, "cboMonatBis")->itemText(0), u"März"_s);
        child<QComboBox>(d, "cboMonatBis")->setCurrentIndex(2);
        auto* prioFrom = child<QComboBox>(d, "cboPrioVon");
        EXPECT_EQ(prioFrom->itemText(10), u"Permanent"_s);
        prioFrom->setCurrentIndex(1);
        child<QComboBox>(d, "cboPrioBis")->setCurrentIndex(prioFrom->count() - 1);
        child<QComboBox>(d, "cboZustand")->setCurrentIndex(1);
        child<QComboBox>(d, "cboImpuls")->setCurrentIndex(0);
    });
    EXPECT_EQ(gridText(), cliText(channelOne + QStringList{u"--months"_s, u"3-5"_s, u"--prio"_s, u"1-10"_s, u"--state"_s, u"1"_s, u"--pulses"_s, u"0"_s}));
}

} // namespace zendrik::test
