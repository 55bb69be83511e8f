// What two programs do differently through a year, on the comparison
// window's behaviour page, and the switching year as a calendar from the
// simulation window: through the real windows, against the core's numbers.
#include "calendar/BehaviourComparison.h"
#include "calendar/BehaviourTexts.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SwitchingYearExport.h"
#include "calendar/YearSimulation.h"
#include "model/EntryBuilder.h"
#include "paint/BehaviourMapPainter.h"
#include "paint/YearGraphPainter.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/checks/BehaviourPage.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/simulation/BehaviourDayView.h"
#include "ui/simulation/BehaviourMapView.h"
#include "ui/simulation/CalendarExportDialog.h"
#include "ui/simulation/FrmGrafik.h"

#include <QDate>
#include <QTabBar>
#include <QTabWidget>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRowFourChannels = 4;
constexpr int kYear = 2027;
constexpr int kMoFr = 31;

constexpr int Hm(int hours, int minutes)
{
    return hours * 60 + minutes;
}

// A day graph of the whole day from its stretches (state, minutes).
SimulatedDay Day(std::initializer_list<ProfileSegment> segments)
{
    SimulatedDay day;
    day.profile.segments = segments;
    return day;
}

TEST(BehaviourMap, EachMinuteHasTheColourOfWhatItIsInBothPrograms)
{
    TextTable texts;
    texts.LoadGerman();
    // ON 6:00-12:00 and 9:00-15:00; a pulse at 20:10 in both, at 22:10 only in the second.
    const SimulatedDay a = Day({{ProfileAus, 360}, {ProfileEin, 360}, {ProfileAus, 490}, {ProfileImpulsEin, 1}, {ProfileAus, 229}});
    const SimulatedDay b = Day({{ProfileAus, 540}, {ProfileEin, 360}, {ProfileAus, 310}, {ProfileImpulsEin, 1}, {ProfileAus, 119}, {ProfileImpulsAus, 1}, {ProfileAus, 109}});
    const std::vector<SimulatedDay> first(365, a);
    const std::vector<SimulatedDay> second(365, b);
    ChannelBehaviour channel;
    channel.days.emplace_back().dayOfYear = 100;
    const QImage map = RenderBehaviourMap(first, second, channel, kYear, texts, kYearPictureSize);
    const YearGraphLayout layout = YearGraphPictureLayout(map, 365, texts);
    const struct {
        int minute;
        BehaviourMinute kind;
    } cases[] = {{Hm(7, 30), BehaviourMinute::OnlyFirst}, {Hm(10, 30), BehaviourMinute::OnInBoth}, {Hm(13, 30), BehaviourMinute::OnlySecond}, {Hm(17, 0), BehaviourMinute::Off}, {Hm(20, 10), BehaviourMinute::PulseInBoth}, {Hm(22, 10), BehaviourMinute::OnlySecond}};
    for (const auto& c : cases) {
        EXPECT_EQ(BehaviourMinuteOf(a.profile, b.profile, c.minute), c.kind) << c.minute;
        EXPECT_EQ(BehaviourMinuteName(c.kind, texts).isEmpty(), c.kind == BehaviourMinute::Off) << c.minute;
        for (const int day : {2, 150, 364})
            EXPECT_EQ(QColor(map.pixel(layout.minuteX(c.minute), layout.dayTop(day))), BehaviourMinuteColour(c.kind))
                << "minute " << c.minute << " day " << day;
    }
    EXPECT_NE(BehaviourMinuteColour(BehaviourMinute::OnlyFirst), BehaviourMinuteColour(BehaviourMinute::OnlySecond));
    // The strip marks the day the comparison names, and no other.
    const int strip = layout.strip.center().x();
    EXPECT_NE(QColor(map.pixel(strip, layout.dayTop(100))), QColor(Qt::white));
    EXPECT_EQ(QColor(map.pixel(strip, layout.dayTop(200))), QColor(Qt::white));
}

class BehaviourWindow : public DesktopFixture {
protected:
    // The program: C1 ON 7:00 to 17:30 on working days. The file beside it:
    // ON from 7:30, and a pulse of C2 at 12:00 on 3 April.
    void SetUp() override
    {
        DesktopFixture::SetUp();
        startWith(kRowFourChannels);
        model().clock = [] { return QDateTime(QDate(kYear, 5, 20), QTime(9, 0)); };
        other_ = model();
        for (const Entry& e : {BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(17, 30), kMoFr, 1, 0, 0, 0)})
            addEntry(model(), e);
        for (const Entry& e : {BuildWeeklyEntry(Hm(7, 30), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(17, 30), kMoFr, 1, 0, 0, 0),
                               BuildDatedEntry(Hm(12, 0), 3, 4, 2, 1, 5, false)})
            addEntry(other_, e);
        file_ = saveProgramAs(other_, work(u"HALLE.zpg"_s));
        ASSERT_FALSE(file_.isEmpty());
        chooser_.open = file_;
        frame()->ShowList();
    }

    FrmVergleich* comparison() const
    {
        settle();
        if (FrmVergleich* w = frame()->checkCommands().comparison())
            return w;
        throw std::runtime_error("no comparison window");
    }

    FrmGrafik* simulation()
    {
        trigger("mnuAnsGrafik");
        settle();
        if (FrmGrafik* w = frame()->simulationWindow())
            return w;
        throw std::runtime_error("no simulation window");
    }

    static void clickRow(QListWidget* list, int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    // What the page shows of a day against the core's day of each program.
    void expectDay(const BehaviourPage* page, int channel, int day)
    {
        const YearSimulation a(model(), kYear);
        const YearSimulation b(other_, kYear);
        const SimulatedDay dayA = a.SimulateYear(channel)[static_cast<std::size_t>(day - 1)];
        const SimulatedDay dayB = b.SimulateYear(channel)[static_cast<std::size_t>(day - 1)];
        EXPECT_EQ(page->shownDay(), day);
        EXPECT_EQ(child<BehaviourDayView>(page, "picTagErstes")->profile().segments, dayA.profile.segments);
        EXPECT_EQ(child<BehaviourDayView>(page, "picTagZweites")->profile().segments, dayB.profile.segments);
        EXPECT_TRUE(child<QLabel>(page, "lblTagErstes")->text().endsWith(DayStretchesText(dayA, german_)));
        EXPECT_TRUE(child<QLabel>(page, "lblTagZweites")->text().endsWith(DayStretchesText(dayB, german_)));
        EXPECT_EQ(page->decisions(false), DayDecisionLines(a, channel, day, dayA, german_));
        EXPECT_EQ(page->decisions(true), DayDecisionLines(b, channel, day, dayB, german_));
    }

    ProgramModel other_;
    QString file_;
};

TEST_F(BehaviourWindow, BehaviourPageShowsTheCoresFiguresAndBothDaysThatDiffer)
{
    trigger("mnuDatVergl");
    FrmVergleich* w = comparison();
    QTabWidget* pages = child<QTabWidget>(w, "tabSeiten");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), german_(checkwindowtexts::kEntriesPage));
    EXPECT_EQ(pages->tabText(1), german_(kBehaviourPage));
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    BehaviourPage* page = w->behaviour();
    ASSERT_EQ(pages->currentWidget(), page);

    const BehaviourComparison want = CompareBehaviour(YearSimulation(model(), kYear), YearSimulation(other_, kYear));
    EXPECT_EQ(page->year(), kYear);
    ASSERT_EQ(page->comparison().channels.size(), want.channels.size());
    auto* days = child<QListWidget>(page, "lstTage");
    for (const int c : {0, 1}) {
        child<QComboBox>(page, "cboVerhaltenKanal")->setCurrentIndex(c);
        const ChannelBehaviour& ch = want.channels[static_cast<std::size_t>(c)];
        EXPECT_EQ(child<QLabel>(page, "lblKanalZeile")->text(), BehaviourChannelLine(ch, german_));
        EXPECT_EQ(child<QLabel>(page, "lblZahlen")->text(), BehaviourFiguresText(ch, german_));
        ASSERT_EQ(days->count(), static_cast<int>(ch.days.size()));
        EXPECT_EQ(days->item(0)->text(), BehaviourDayLine(ch.days.front(), german_).trimmed());
    }
    EXPECT_EQ(want.channels[0].days.size(), 261u);
    EXPECT_EQ(want.channels[0].onOnlyInFirst, 261 * 30);

    // The pulse of 3 April, picked on the map: the second program's day names the pulse entry.
    BehaviourMapView* map = page->map();
    QTest::mouseClick(map, Qt::LeftButton, {}, map->pointOf(QDate(kYear, 4, 3).dayOfYear(), Hm(12, 0)));
    expectDay(page, 1, QDate(kYear, 4, 3).dayOfYear());
    EXPECT_EQ(days->currentRow(), 0);
    EXPECT_TRUE(page->decisions(false).isEmpty());
    ASSERT_EQ(page->decisions(true).size(), 1);
    EXPECT_TRUE(page->decisions(true)[0].startsWith(u"12:00: "_s)) << page->decisions(true)[0].toStdString();

    // A working day from the list of C1: both switchings of both programs explained.
    child<QComboBox>(page, "cboVerhaltenKanal")->setCurrentIndex(0);
    clickRow(days, 2);
    expectDay(page, 0, want.channels[0].days[2].dayOfYear);
    EXPECT_EQ(page->decisions(false).size(), 2);
    EXPECT_TRUE(page->decisions(false)[0].startsWith(u"7:00: "_s));
    EXPECT_TRUE(page->decisions(true)[0].startsWith(u"7:30: "_s));
    // On the map, the quarter hour between the two starts is the first program's alone.
    const QPoint at = map->pointOf(page->shownDay(), Hm(7, 15));
    EXPECT_EQ(QColor(map->picture().pixel(at)), BehaviourMinuteColour(BehaviourMinute::OnlyFirst));

    // Another year: computed again, the working days of that year.
    child<QComboBox>(page, "cboVerhaltenJahr")->setCurrentIndex(2028 - kFirstSimulationYear);
    EXPECT_EQ(page->comparison().channels[0].days.size(),
              CompareBehaviour(YearSimulation(model(), 2028), YearSimulation(other_, 2028)).channels[0].days.size());
    EXPECT_EQ(page->comparison().yearFirst, 2028);

    // The program with itself: nothing differs, and the page says so.
    chooser_.open = saveProgramAs(model(), work(u"SELBST.zpg"_s));
    trigger("mnuDatVergl");
    EXPECT_EQ(child<QLabel>(comparison()->behaviour(), "lblKanalZeile")->text(),
              german_(kBehaviourSame).arg(kYear));

    // After a read from a device the comparison offered has the page too.
    chooser_.open = file_;
    answer(checkwindowtexts::kOfferCompare, Answer::Yes);
    frame()->offerComparisonAfterRead();
    EXPECT_TRUE(comparison()->behaviour()->comparison().differs());
}

TEST_F(BehaviourWindow, SimulationWindowComparesWithAFileAndSavesItsYearAsCalendar)
{
    FrmGrafik* sim = simulation();
    sim->showChannel(1);
    click(sim, "cmdVergleichen");
    FrmVergleich* w = comparison();
    EXPECT_EQ(w->pages()->currentWidget(), w->behaviour());
    EXPECT_EQ(w->behaviour()->year(), sim->simJahr());
    EXPECT_EQ(w->behaviour()->channel(), 1);
    EXPECT_EQ(w->behaviour()->shownDay(), QDate(kYear, 4, 3).dayOfYear()) << "the first differing day of C2";

    // The calendar of C1, C2 and C4, in local times.
    const QString ics = work(u"jahr.ics"_s);
    int chosen = 0;
    QString path;
    sim->chooseFile = [&](const QString&, const QString&) { return ++chosen, path; };
    const auto saveWith = [&](const QString& target, const QString& zone, std::initializer_list<int> untick) {
        path = target;
        click(sim, "cmdKalender");
        CalendarExportDialog* dialog = sim->calendarDialog();
        if (!dialog)
            throw std::runtime_error("no calendar dialog");
        auto* list = child<QListWidget>(dialog, "lstKanaele");
        EXPECT_EQ(list->count(), 4);
        for (int i = 0; i < list->count(); ++i)
            EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
        for (const int c : untick)
            list->item(c)->setCheckState(Qt::Unchecked);
        child<QLineEdit>(dialog, "txtZone")->setText(zone);
        click(dialog, "cmdOk");
        settle();
        return dialog;
    };
    saveWith(ics, QString(), {2});
    const std::vector<SwitchingPeriod> periods =
        SwitchingPeriods(model(), YearSimulation(model(), kYear), {0, 1, 3}, german_);
    ASSERT_GT(periods.size(), 200u);
    const QByteArray calendar = readFile(ics);
    EXPECT_EQ(calendar.count("BEGIN:VEVENT"), static_cast<qsizetype>(periods.size()));
    EXPECT_FALSE(calendar.contains("TZID"));
    EXPECT_EQ(child<QLabel>(sim, "lblHinweis")->text(), german_(kSimSaved).arg(ics));
    EXPECT_EQ(chosen, 1);

    // An unknown zone: said in the dialog, no file asked for or written.
    const QString mars = work(u"mars.ics"_s);
    CalendarExportDialog* dialog = saveWith(mars, u"Mars/Olympus"_s, {});
    EXPECT_EQ(chosen, 1);
    EXPECT_FALSE(QFile::exists(mars));
    ASSERT_EQ(sim->calendarDialog(), dialog);
    EXPECT_EQ(child<QLabel>(dialog, "lblFehler")->text(), german_(kExportUnknownZone).arg(u"Mars/Olympus"_s));
    click(dialog, "cmdAbbrechen");

    // The periods as CSV, in a zone; the program file itself is never written over.
    const QString csv = work(u"jahr.csv"_s);
    saveWith(csv, u"Europe/Berlin"_s, {});
    EXPECT_EQ(readFile(csv).count('\n'), static_cast<qsizetype>(SwitchingPeriods(model(), YearSimulation(model(), kYear), {0, 1, 2, 3}, german_).size() + 1));
    const QByteArray program = readFile(file_);
    EXPECT_FALSE(sim->exportCalendar(file_, {0}, QString()));
    EXPECT_EQ(readFile(file_), program);
}

const QRect kSmallScreen(0, 0, 1024, 600);

class BehaviourWindowOnSmallScreen : public BehaviourWindow {
protected:
    void SetUp() override
    {
        screenArea_ = kSmallScreen;
        BehaviourWindow::SetUp();
    }
};

TEST_F(BehaviourWindowOnSmallScreen, ComparisonAndCalendarDialogFit)
{
    const QRect small = kSmallScreen;
    FrmGrafik* sim = simulation();
    click(sim, "cmdVergleichen");
    FrmVergleich* w = comparison();
    click(sim, "cmdKalender");
    settle();
    for (QWidget* window : {static_cast<QWidget*>(w), static_cast<QWidget*>(sim->calendarDialog())}) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(small.contains(window->frameGeometry()))
            << window->objectName().toStdString() << " " << window->frameGeometry().width() << " x "
            << window->frameGeometry().height() << ", at least " << window->minimumSizeHint().width() << " x "
            << window->minimumSizeHint().height();
        for (const QWidget* c : window->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(window) || !(qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QComboBox*>(c) || qobject_cast<const QLineEdit*>(c)))
                continue;
            EXPECT_GE(c->width(), c->minimumSizeHint().width()) << c->objectName().toStdString();
            EXPECT_GE(c->height(), c->minimumSizeHint().height()) << c->objectName().toStdString();
        }
    }
    for (const char* graph : {"picVerhalten", "picTagErstes", "picTagZweites"}) {
        const QWidget* g = child<QWidget>(w->behaviour(), graph);
        EXPECT_GE(g->width(), g->minimumWidth()) << graph;
        EXPECT_GE(g->height(), g->minimumHeight()) << graph;
    }
}

} // namespace
