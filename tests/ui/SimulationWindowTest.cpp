// The simulation window on the real main frame: its graphs against the engine, what decided under the pointer, the
// samples and the exports.
#include "calendar/AstroTable.h"
#include "calendar/BetriebsstundenText.h"
#include "calendar/SimulationCsv.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/TagPrio.h"
#include "calendar/YearPictureTitle.h"
#include "calendar/YearSimulation.h"
#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "model/EntryBuilder.h"
#include "paint/YearGraphPainter.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/simulation/FrmGrafik.h"

#include <QDate>
#include <QMouseEvent>

#include <set>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRowFourChannels = 4;
constexpr int kRowBus738 = 20;
constexpr int kYear = 2026;

constexpr int Hm(int hours, int minutes) { return hours * 60 + minutes; }
int Doy(int day, int month) { return QDate(kYear, month, day).dayOfYear(); }
QRgb Rgb(const QColor& c) { return c.rgb() | 0xff000000u; }

class SimulationWindow : public DesktopFixture {
protected:
    // The bus device, channel 1: OFF at sunrise (5:10 winter time, not before 6:00, written into the table as the
    // astro dialog writes it), ON at sunset (21:30 winter time); from 10 to 12 March program P3 (ON 10:00 .. 12:00),
    // from 24 December to 6 January permanently OFF.
    void startWithBusProgram()
    {
        startWith(kRowBus738);
        model().clock = [] { return QDateTime(QDate(kYear, 6, 10), QTime(9, 0)); };
        model().device.SwRegel = SwEuropa;
        AstroProgram& astro = model().program().astro;
        AstroYear table{};
        table.fill(AstroTimes{Hm(5, 10), Hm(21, 30)});
        ApplyAstroLimits(table, AstroLocation{}, kFamily738, Hm(6, 0), Hm(23, 30), AstroSummerDaysFrom(SwEuropa, model().program(), kYear));
        for (std::size_t i = 0; i < table.size(); ++i) astro.AstroTab[0][i] = AstroDay{table[i].rise, table[i].set, 0, -1};
        astro.AstroAktiv[0] = astro.AstroAktiv[1] = -1;
        astro.AstroGrenze[0] = AstroLimits{Hm(6, 0), Hm(23, 30), 0, -1};
        for (const Entry& e : {BuildWeeklyEntry(Hm(10, 0), 127, 0, 1, 0, 3), BuildWeeklyEntry(Hm(12, 0), 127, 0, 0, 0, 3), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, 0, 0), BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, 0, 0)})
            addEntry(model(), e);
        frame()->ShowList();
    }
    FrmGrafik* openWindow()
    {
        trigger("mnuAnsGrafik"), settle();
        FrmGrafik* w = frame()->simulationWindow();
        if (!w) throw std::runtime_error("no simulation window");
        w->resize(1000, 760), settle();
        return w;
    }
    // A mouse move, or a double click, at a point of a graph.
    static void mouse(QWidget* widget, const QPoint& at, bool doubleClick = false)
    {
        const Qt::MouseButton b = doubleClick ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(doubleClick ? QEvent::MouseButtonDblClick : QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), b, b, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // The point of the day graph at a minute (a pixel column names the first of its one or two minutes).
    static QPoint dayPoint(FrmGrafik* w, int minute)
    {
        const QPoint p(w->dayGraph()->xOfMinute(minute), w->dayGraph()->height() / 2);
        EXPECT_NEAR(w->dayGraph()->minuteAt(p), minute, 1);
        return p;
    }
    static QString label(FrmGrafik* w, const char* name) { return child<QLabel>(w, name)->text(); }
    // The colour of the year graph's picture for a day at a minute, or (minute < 0) in the priority strip.
    QRgb cell(FrmGrafik* w, int day, int minute)
    {
        const QImage& picture = w->yearGraph()->picture();
        const YearGraphLayout layout = YearGraphPictureLayout(picture, w->simulation().Tage(), app_->texts());
        const int y = (layout.dayTop(day) + std::max(layout.dayTop(day) + 1, layout.dayTop(day + 1))) / 2;
        return picture.pixel(minute < 0 ? layout.strip.center().x() : layout.minuteX(minute) + 1, y) | 0xff000000u;
    }
};

} // namespace

TEST_F(SimulationWindow, OpensFromTheMenuBesideTheListInEveryLanguage)
{
    const struct {
        int sprache;
        const char *title, *redraw;
    } cases[] = {{1, "Programmsimulation", "Neu zeichnen"}, {2, "Program simulation", "Redraw"}, {3, "Simulation du programme", "Redessiner"}};
    for (const auto& c : cases) {
        startWith(kRowBus738, c.sprache);
        EXPECT_EQ(WithoutMnemonic(action("mnuAnsGrafik")->text()), QString::fromUtf8(c.title));
        FrmGrafik* w = openWindow();
        EXPECT_TRUE(w->isVisible() && w->isWindow() && !w->isModal());
        const TextTable& t = app_->texts();
        QStringList texts{w->windowTitle()};
        for (const char* button : {"cmdNeuZeichnen", "cmdJahresstunden", "cmdBeenden", "cmdPng"}) texts << child<QPushButton>(w, button)->text();
        EXPECT_EQ(texts, (QStringList{QString::fromUtf8(c.title), QString::fromUtf8(c.redraw), t(TextId::ComputeYearOperatingHours), t(TextId::Exit), t(kSimExportPng)}));
        EXPECT_EQ(std::pair(child<QComboBox>(w, "cboJahr")->currentText(), child<QComboBox>(w, "cboKanal")->count()), std::pair(QString::number(model().currentYear()), 16)) << "the current year; every channel of the bus device";
        // The list stays usable beside it; a second menu command raises the same window.
        trigger("mnuAnsPz"), trigger("mnuAnsGrafik");
        EXPECT_EQ(std::pair(list().Ansicht(), frame()->findChildren<FrmGrafik*>().size()), std::pair(int(AnsichtPrioritaetszeiten), qsizetype(1)));
        // "Beenden" closes it and the list is in front again.
        child<QPushButton>(w, "cmdBeenden")->click(), settle();
        EXPECT_TRUE(frame()->simulationWindow() == nullptr && list().isVisible());
        app_.reset();
    }
    // The four-channel switch offers its four channels, named as in the header.
    startWith(kRowFourChannels);
    FrmGrafik* w = openWindow();
    EXPECT_EQ(child<QComboBox>(w, "cboKanal")->count(), 4);
    QLineEdit* name = frame()->findChildren<QLineEdit*>(u"txtkannam"_s).value(0);
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClicks(name, u"Flur"_s);
    emit name->editingFinished();
    QApplication::processEvents();
    EXPECT_EQ(child<QComboBox>(w, "cboKanal")->itemText(0), u"C1  Flur"_s);
}

// The year graph's pixels against the engine; the pointer names what decided, a double click shows the row.
TEST_F(SimulationWindow, YearGraphAgainstTheEngineAndWhatDecidedUnderThePointer)
{
    startWithBusProgram();
    FrmGrafik* w = openWindow();
    const YearSimulation& sim = w->simulation();
    const QRgb on = Rgb(YearGraphStateColour(ProfileEin)), off = Rgb(Qt::white);
    // A winter day: ON until the morning limit, OFF by day; P3 on 11 March ON 10:00 .. 12:00 only; Christmas
    // permanently OFF.
    const struct {
        int day, minute;
        QRgb colour;
    } cases[] = {{Doy(20, 1), Hm(5, 50), on}, {Doy(20, 1), Hm(6, 20), off}, {Doy(11, 3), Hm(11, 0), on}, {Doy(9, 3), Hm(11, 0), off}, {Doy(25, 12), Hm(22, 30), off}};
    for (const auto& c : cases) {
        EXPECT_EQ(cell(w, c.day, c.minute), c.colour) << c.day << ' ' << c.minute;
        EXPECT_EQ(sim.Rechne_SzGrafik(0, c.day).StateAt(c.minute) == ProfileEin, c.colour == on) << "the engine's profile, day " << c.day;
    }
    for (const auto& [day, prio] : {std::pair(Doy(11, 3), 3), std::pair(Doy(25, 12), kTagPrioPermanentAus), std::pair(Doy(2, 7), 0)})
        EXPECT_EQ(cell(w, day, -1), Rgb(YearGraphPriorityColour(prio))) << day;
    // What the widget shows is that picture, with the shown day marked.
    w->showDay(Doy(2, 7));
    const QImage shown = w->yearGraph()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& picture = w->yearGraph()->picture();
    ASSERT_EQ(shown.size(), picture.size());
    const int marked = YearGraphPictureLayout(picture, sim.Tage(), app_->texts()).dayTop(Doy(2, 7));
    int differentRows = 0;
    for (int y = 0; y < picture.height(); ++y) {
        bool same = true;
        for (int x = 0; x < picture.width() && same; ++x) same = (shown.pixel(x, y) | 0xff000000u) == (picture.pixel(x, y) | 0xff000000u);
        differentRows += !same;
        EXPECT_TRUE(same || std::abs(y - marked) <= 8) << y;
    }
    EXPECT_GT(differentRows, 0);

    YearGraphView* year = w->yearGraph();
    // Over the year graph: the day under the pointer is selected; the time is the first minute of the pixel column
    // (about two minutes wide).
    const QPoint eleven = year->pointOf(Doy(11, 3), Hm(11, 0));
    mouse(year, eleven);
    EXPECT_NEAR(year->minuteAt(eleven), Hm(11, 0), 2);
    EXPECT_EQ((QStringList{QString::number(w->shownDay()), label(w, "lblZeit"), label(w, "lblUrsache"), label(w, "lblDatum").left(19), label(w, "lblBetriebsstunden")}), (QStringList{QString::number(Doy(11, 3)), SimulationTimeText(year->minuteAt(eleven)) + u" EIN"_s, u"Schaltzeit Nr. 1: 10:00 EIN \u2013 Prioritätszeit Nr. 1: Programm P3"_s, u"Mittwoch 11.03.2026"_s, u"Betriebsstunden: 2 h 00 Min"_s}));
    mouse(year, year->pointOf(Doy(25, 12), Hm(20, 0)));
    EXPECT_EQ(std::pair(w->shownDay(), label(w, "lblUrsache")), std::pair(Doy(25, 12), u"Prioritätszeit Nr. 2: Permanent AUS"_s));
    // Over the day graph of midsummer: the sunset an hour later in summer time.
    w->showDay(Doy(21, 6));
    for (const auto& [minute, state] : {std::pair(Hm(23, 0), u" EIN"_s), std::pair(Hm(12, 0), u" AUS"_s)}) {
        const QPoint at = dayPoint(w, minute);
        mouse(w->dayGraph(), at);
        EXPECT_EQ(label(w, "lblZeit"), SimulationTimeText(w->dayGraph()->minuteAt(at)) + state);
        if (state == u" EIN"_s) { EXPECT_EQ(label(w, "lblUrsache"), u"Astrozeit Sonnenuntergang 22:30 EIN (mit Sommerzeit)"_s); }
    }

    // A double click shows the deciding row in the main list, switching off the filter that hides the OFF entries.
    const auto entryOfRow = [this](int number, bool priority) {
        const ProgramSlot& s = model().program();
        for (int i = 0, n = 0; i < s.AnzEintrag; ++i)
            if (IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(i)].b[0]) == priority && ++n == number) return i;
        return -1;
    };
    app_->filter().FilterZustand = ListFilter::StateOn;
    app_->filter().FilterAktiv = -1;
    frame()->showView(AnsichtSchaltzeiten, kProgramSlot);
    ASSERT_FALSE(list().selectEntry(entryOfRow(2, false)));
    w->showDay(Doy(11, 3));
    mouse(w->dayGraph(), dayPoint(w, Hm(12, 30)), true);
    EXPECT_EQ(std::tuple(app_->filter().active(), list().Ansicht(), list().markedEntries()), std::tuple(false, int(AnsichtSchaltzeiten), std::vector<int>{entryOfRow(2, false)}));
    EXPECT_EQ(EntryTime(model().program().Eintrag[static_cast<std::size_t>(entryOfRow(2, false))]), Hm(12, 0));
    mouse(year, year->pointOf(Doy(28, 12), Hm(12, 0)), true);
    EXPECT_EQ(std::tuple(list().Ansicht(), list().markedEntries(), list().markedRows()), std::tuple(int(AnsichtPrioritaetszeiten), std::vector<int>{entryOfRow(2, true)}, QList<int>{2}));
}

TEST_F(SimulationWindow, YearAndScrollBarKeepTheDayWithinTheYear)
{
    startWith(kRowFourChannels);
    model().clock = [] { return QDateTime(QDate(2028, 12, 31), QTime(9, 0)); };
    // C1 permanently ON all year: a leap year has 527,040 operating minutes.
    addEntry(model(), BuildPriorityEntry(1, 1, 31, 12, 0, false, 10, 1, 1));
    frame()->ShowList();
    FrmGrafik* w = openWindow();
    child<QPushButton>(w, "cmdJahresstunden")->click();
    EXPECT_EQ(label(w, "lblJahresstunden"), u"C1, Jahresbetriebsstunden: 8784 h 00 Min"_s);
    auto* year = child<QComboBox>(w, "cboJahr");
    auto* bar = child<QScrollBar>(w, "hsbTag");
    EXPECT_EQ(year->currentText(), u"2028"_s);
    EXPECT_EQ(std::tuple(w->shownDay(), bar->maximum(), bar->value()), std::tuple(366, 366, 366));
    // A common year has no day 366: the last day of it is shown.
    year->setCurrentIndex(year->findText(u"2027"_s));
    EXPECT_EQ(std::tuple(w->simulation().SimJahr(), w->shownDay(), bar->maximum()), std::tuple(2027, 365, 365));
    EXPECT_TRUE(label(w, "lblDatum").contains(u"31.12.2027"_s)) << label(w, "lblDatum").toStdString();
    EXPECT_EQ(label(w, "lblJahresstunden"), u"C1, Jahresbetriebsstunden: 8760 h 00 Min"_s);
    // The bar, its End key and days beyond either end.
    std::vector<int> shown;
    bar->setValue(40), shown.push_back(w->shownDay());
    QTest::keyClick(bar, Qt::Key_End), shown.push_back(w->shownDay());
    w->showDay(0), shown.push_back(w->shownDay());
    w->showDay(1000), shown.push_back(w->shownDay()), shown.push_back(bar->value());
    EXPECT_EQ(shown, (std::vector<int>{40, 365, 1, 365, 365}));
}

// The program as its file carries it (the astro table with the limits written in), opened again: the window's picture
// is the command line's, with title and legend; its table is the core's; neither export ever overwrites the program
// file.
TEST_F(SimulationWindow, ExportsEqualTheCommandLineAndSpareTheProgramFile)
{
    startWithBusProgram();
    const QString program = saveProgramAs(model(), work(u"BUS.zpg"_s));
    ASSERT_TRUE(!program.isEmpty() && frame()->openFile(program));
    FrmGrafik* w = openWindow();
    const QString out = work(u"cli.png"_s);
    Succeeded(RunCli({"--dir", dir_.path(), "--type", QString::number(kRowBus738), "simulate", program, "--year", QString::number(kYear), "--channel", "1", "--png", out}));
    const QImage cli = QImage(out).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(cli.size(), QSize(1200, 800));
    QString asked, chosen = work(u"window.png"_s);
    w->chooseFile = [&](const QString& suggested, const QString&) { return asked = suggested, chosen; };
    child<QPushButton>(w, "cmdPng")->click();
    EXPECT_EQ(asked, work(u"BUS 2026 C1.png"_s));
    EXPECT_TRUE(QImage(chosen).convertToFormat(QImage::Format_RGB32) == cli && label(w, "lblHinweis").startsWith(u"Gespeichert: "_s));
    // Its title names the program, the year, the channel and its hours, above the graph ...
    const YearSimulation sim(model(), kYear);
    const QStringList title = YearPictureTitle(model(), sim, 0, app_->texts());
    ASSERT_EQ(title.size(), 2);
    EXPECT_TRUE(title[0] == u"BUS.zpg \u2013 Programmsimulation 2026"_s && title[1].startsWith(u"C1"_s) && title[1].endsWith(BetriebsdauerText(sim.Jahresbetriebsminuten(0), app_->texts()).trimmed())) << title.join(u'|').toStdString();
    int dark = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < cli.width(); ++x) dark += qGray(cli.pixel(x, y)) < 100;
    EXPECT_GT(dark, 50);
    // ... and every colour of the legend stands in the picture's bottom band.
    std::set<QRgb> bottom;
    for (int y = cli.height() - 40; y < cli.height(); ++y)
        for (int x = 0; x < cli.width(); ++x) bottom.insert(cli.pixel(x, y));
    for (const int state : {ProfileEin, ProfileAus, ProfileImpulsEin}) EXPECT_TRUE(bottom.count(YearGraphStateColour(state).rgb())) << "state " << state;
    for (int p = 0; p <= kTagPrioPermanentAus; ++p) EXPECT_TRUE(bottom.count(YearGraphPriorityColour(p).rgb())) << "priority " << p;

    chosen = work(u"jahr.csv"_s);
    child<QPushButton>(w, "cmdCsv")->click();
    EXPECT_EQ(readFile(chosen), SimulationCsv(w->simulation(), 0, app_->texts()));
    // Never over the program file; nothing asked, nothing written; a cancelled choice writes nothing.
    const QByteArray before = readFile(program);
    EXPECT_FALSE(w->exportCsv(program) || w->exportPng(program));
    EXPECT_EQ(std::pair(readFile(program), label(w, "lblHinweis")), std::pair(before, u"Die Datei "_s + program + u" ist eine Programmdatei und wird nicht überschrieben. Bitte einen anderen Namen wählen."_s));
    QFile::remove(chosen), chosen.clear(), child<QPushButton>(w, "cmdCsv")->click();
    EXPECT_FALSE(QFile::exists(work(u"jahr.csv"_s)));
}

// A pulse in the middle of an ON stretch shows in the year graph at any width, also where one pixel column stands for
// two or three minutes.
TEST(YearGraphPicture, PulsesInsideOnStretchesStayVisible)
{
    ProgramModel m = modelForRow(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(6, 0), 127, 1, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(22, 0), 127, 1, 0, 0, 0));
    std::vector<int> pulses;
    for (int minute = Hm(9, 5); minute < Hm(20, 0); minute += 37) addEntry(m, BuildWeeklyEntry(minute, 127, 1, 0, 5, 0)), pulses.push_back(minute);
    const YearSimulation sim(m, kYear);
    const TextTable texts;
    for (const int width : {500, 700, 1000, 1300}) {
        const QImage picture = RenderYearGraph(sim, 0, texts, QSize(width, 500));
        const YearGraphLayout layout = YearGraphPictureLayout(picture, sim.Tage(), texts);
        const auto at = [&](int minute) { return picture.pixel(layout.minuteX(minute), layout.dayTop(Doy(14, 5))) | 0xff000000u; };
        for (const int minute : pulses) EXPECT_EQ(at(minute), Rgb(YearGraphStateColour(ProfileImpulsAus))) << width << ' ' << minute;
        EXPECT_EQ(at(Hm(9, 25)), Rgb(YearGraphStateColour(ProfileEin)));
    }
}

// The window shows what the list shows: the program, or a sample opened beside it, until the sample is closed.
TEST_F(SimulationWindow, FollowsTheSampleTheListShows)
{
    startWith(kRowFourChannels);
    model().clock = [] { return QDateTime(QDate(kYear, 3, 16), QTime(9, 0)); };
    openSample(u"Schule.zpg"_s);
    FrmGrafik* w = openWindow();
    // Whether the window shows a slot with the engine's picture at the graph's present size.
    const auto shows = [&](int slot) {
        const QImage engine = RenderYearGraph(YearSimulation(model(), kYear, slot), 0, app_->texts(), w->yearGraph()->size());
        return w->shownSlot() == slot && w->yearGraph()->picture().convertToFormat(QImage::Format_RGB32) == engine.convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_TRUE(shows(kProgramSlot));
    const QImage ofProgram = w->yearGraph()->picture();
    openSample(u"Laden.zpg"_s, "mnuDatVorl");
    ASSERT_TRUE(asked().empty() && model().AktSlot == kSampleSlot);
    EXPECT_TRUE(shows(kSampleSlot) && w->yearGraph()->picture() != ofProgram);
    EXPECT_EQ(w->windowTitle(), u"Vorlage Programmsimulation"_s);
    const YearSimulation sample(model(), kYear, kSampleSlot);
    EXPECT_EQ(w->shownProfile().segments, sample.Rechne_SzGrafik(0, w->shownDay()).segments);
    EXPECT_EQ(label(w, "lblBetriebsstunden"), BetriebsstundenText(sample.Betriebsminuten(0, w->shownDay()), app_->texts()));
    const QString name = model().slot(kSampleSlot).Kanalname[0].trimmed();
    EXPECT_EQ(child<QComboBox>(w, "cboKanal")->itemText(0), name.isEmpty() ? u"C1"_s : u"C1  "_s + name);
    // The exports are named after the sample and never overwrite it.
    QString suggested;
    w->chooseFile = [&](const QString& offered, const QString&) { return suggested = offered, QString(); };
    child<QPushButton>(w, "cmdCsv")->click();
    const QString sampleFile = model().slot(kSampleSlot).Dateiname;
    EXPECT_EQ(suggested, QFileInfo(sampleFile).dir().filePath(u"Laden 2026 C1.csv"_s));
    const QByteArray bytes = readFile(sampleFile);
    EXPECT_FALSE(w->exportCsv(sampleFile) || w->exportPng(sampleFile));
    EXPECT_EQ(readFile(sampleFile), bytes);

    // What decided is the sample's switching time, and a double click marks it in the sample's list.
    int minute = -1;
    for (int m = 0; m < kMinutesOfDay && minute < 0; m += 5)
        if (const SimulationCause c = sample.Explain(0, w->shownDay(), m); c.kind == CauseKind::SwitchingTime && c.entry >= 0) minute = m;
    ASSERT_GE(minute, 0) << "no switching time of the sample on day " << w->shownDay();
    const QPoint at = dayPoint(w, minute);
    const SimulationCause cause = w->causeAt(w->shownDay(), w->dayGraph()->minuteAt(at));
    const SimulationCause expected = sample.Explain(0, w->shownDay(), w->dayGraph()->minuteAt(at));
    ASSERT_GE(cause.entry, 0);
    EXPECT_EQ(std::pair(cause.entry, cause.entryNumber), std::pair(expected.entry, expected.entryNumber));
    mouse(w->dayGraph(), at);
    EXPECT_EQ(label(w, "lblUrsache"), SimulationCauseText(cause, app_->texts()));
    trigger("mnuAnsPzVorl");
    mouse(w->dayGraph(), at, true);
    EXPECT_EQ(std::tuple(int(model().AktSlot), int(list().Ansicht()), list().markedEntries(), w->shownSlot()), std::tuple(int(kSampleSlot), int(AnsichtSchaltzeiten), std::vector<int>{cause.entry}, kSampleSlot));
    // Back to the program's list and once more to the sample, which closing the sample ends.
    trigger("mnuANSSz");
    EXPECT_TRUE(model().AktSlot == kProgramSlot && shows(kProgramSlot));
    EXPECT_EQ(w->windowTitle(), u"Programmsimulation"_s);
    trigger("mnuAnsSzVorl");
    EXPECT_TRUE(shows(kSampleSlot));
    trigger("mnuDatVorlSchl");
    EXPECT_TRUE(model().AktSlot == kProgramSlot && shows(kProgramSlot));
}
