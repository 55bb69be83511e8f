// The program check dock and the program comparison on the real main frame.
#include "editing/checks/ProgramChecks.h"
#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckDock.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/help/HelpWindow.h"
#include "ui/list/ListTableModel.h"
#include "ui/simulation/FrmGrafik.h"

#include <QDate>
#include <QTableWidget>
#include <QTreeWidget>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRowFourChannels = 4, kYear = 2026, kDaily = 127, kMoFr = 0b0011111, kFrSu = 0b1110000;

constexpr int Hm(int hours, int minutes) { return hours * 60 + minutes; }

class ProgramCheck : public DesktopFixture {
protected:
    void start(int sprache = 1)
    {
        startWith(kRowFourChannels, sprache);
        model().clock = [] { return QDateTime(QDate(kYear, 5, 20), QTime(9, 0)); };
    }

    CheckDock* openDock()
    {
        trigger("mnuBaPruefen"), QApplication::processEvents();
        CheckDock* dock = frame()->checkCommands().dock();
        if (!dock) throw std::runtime_error("no check dock");
        EXPECT_TRUE(dock->isVisible());
        return dock;
    }
    // The comparison window a command opened.
    FrmVergleich* compare(const char* command)
    {
        trigger(command);
        if (FrmVergleich* w = frame()->checkCommands().comparison()) return w;
        throw std::runtime_error(std::string(command) + " opened no comparison");
    }

    // The dock's lines: severity, rows and message joined by TAB.
    static QStringList dockLines(const CheckDock* dock)
    {
        QStringList lines;
        for (int i = 0; i < dock->findingList()->topLevelItemCount(); ++i)
            if (const QTreeWidgetItem* item = dock->findingList()->topLevelItem(i)) lines << item->text(0) + u'\t' + item->text(1) + u'\t' + item->text(2);
        return lines;
    }

    static QString summary(const CheckDock* dock) { return dock->findChild<QLabel*>(u"lblBefunde"_s)->text(); }

    // The severity marked on each item row of the list (-1 without a mark).
    std::vector<int> marks() const
    {
        std::vector<int> out;
        const QAbstractItemModel* m = grid()->model();
        for (int row = 0; row < static_cast<int>(list().list().rows.size()); ++row) {
            const QVariant v = m->data(m->index(row, 0), ListTableModel::MarkRole);
            out.push_back(v.isValid() ? v.toInt() : -1);
        }
        return out;
    }

    void add(std::initializer_list<Entry> entries)
    {
        for (const Entry& e : entries) addEntry(model(), e);
        frame()->ShowList(), QApplication::processEvents();
    }

    // ON at 7:00 Mo-Fr against OFF at 7:00 Fr-Su on C1, OFF at 19:00 daily: the list shows the two 7:00 entries in
    // rows 1 and 3.
    void addClash()
    {
        add({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0), BuildWeeklyEntry(Hm(7, 0), kFrSu, 1, 0, 0, 0)});
    }

    static void doubleClick(QAbstractItemView* view, const QModelIndex& index)
    {
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at), QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at), QApplication::processEvents();
    }
};

} // namespace

TEST_F(ProgramCheck, CommandsAndTheDockInEveryLanguage)
{
    const struct {
        int sprache;
        const char *check, *file, *sample, *dock;
        const char *clash, *summary; // the finding of addClash() and the summary line
    } cases[] = {
        {1, "Pr&ogramm prüfen", "&Mit Datei vergleichen...", "Mit Vorlage ver&gleichen", "Programmprüfung", "Fehler\tSchaltzeit 1, 3\tC1 um 07:00: EIN und AUS zur selben Minute (Fr)", "2026: 1 Befund(e)"},
        {2, "C&heck program", "Compare with &file...", "Compare &with sample", "Program check", "Error\tSwitching time 1, 3\tC1 at 07:00: ON and OFF at the same minute (Fr)", "2026: 1 finding(s)"},
        {3, "&Vérifier le programme", "Comparer avec un &fichier...", "&Comparer avec le modèle", "Vérification du programme", "Erreur\tHoraire 1, 3\tC1 à 07:00 : MARCHE et ARRÊT à la même minute (Ve)", "2026 : 1 constat(s)"},
    };
    for (const auto& c : cases) {
        start(c.sprache);
        addClash();
        EXPECT_EQ((QStringList{action("mnuBaPruefen")->text(), action("mnuDatVergl")->text(), action("mnuDatVerglVorl")->text()}), (QStringList{QString::fromUtf8(c.check), QString::fromUtf8(c.file), QString::fromUtf8(c.sample)}));
        EXPECT_FALSE(action("mnuDatVerglVorl")->isEnabled()) << "the sample comparison needs a sample";
        CheckDock* dock = openDock();
        EXPECT_EQ(frame()->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        EXPECT_EQ((QStringList{dock->windowTitle(), summary(dock)} + dockLines(dock)), (QStringList{QString::fromUtf8(c.dock), QString::fromUtf8(c.summary), QString::fromUtf8(c.clash)}));
        app_.reset();
    }
}

// The dock and the simulation window, both left open, follow the entry dialog, calls on the model and undo.
TEST_F(ProgramCheck, DockAndSimulationFollowEveryEditAndTheDockMarksTheRows)
{
    start();
    trigger("mnuAnsGrafik");
    FrmGrafik* sim = frame()->simulationWindow();
    ASSERT_NE(sim, nullptr);
    child<QPushButton>(sim, "cmdJahresstunden")->click();
    // The shown day's operating minutes, the year's hours and the year graph.
    const auto simulated = [sim] { return std::tuple(sim->shownProfile().betriebsMinuten, child<QLabel>(sim, "lblJahresstunden")->text(), sim->yearGraph()->picture()); };
    const auto empty = simulated();
    EXPECT_EQ(std::get<1>(empty), u"C1, Jahresbetriebsstunden: 0 h 00 Min"_s);
    CheckDock* dock = openDock();
    EXPECT_EQ(summary(dock) + dockLines(dock).join(u'|'), u"2026: keine Befunde"_s);

    // "täglich 6:00 EIN C1" through the entry dialog (the hour picked from the box's list), the dock left open:
    // nothing switches C1 OFF again.
    auto* sz = open<FrmEingSz>("mnuBaSz");
    child<QListWidget>(sz, "liststd")->setCurrentRow(6);
    for (const char* button : {"chktgl", "chkKan1", "cmdSzok"}) click(sz, button);
    QApplication::processEvents();
    ASSERT_EQ(std::pair(model().program().AnzSz, EntryTime(model().program().Eintrag[0])), std::pair(1, Hm(6, 0)));
    EXPECT_TRUE(gridText().join(u'|').contains(u"\t  6:00 Uhr\t"_s)) << gridText().join(u'|').toStdString();
    // ON since 6:00 on 1 January of the year before.
    EXPECT_EQ(std::pair(std::get<0>(simulated()), std::get<1>(simulated())), std::pair(24 * 60, u"C1, Jahresbetriebsstunden: 8760 h 00 Min"_s));
    EXPECT_NE(std::get<2>(simulated()), std::get<2>(empty));
    EXPECT_EQ(child<QLabel>(sim, "lblBetriebsstunden")->text(), u"Betriebsstunden: 24 h 00 Min"_s);
    const QString neverOff = u"Warnung\t\tC1 ist 2026 an keinem Tag ausgeschaltet"_s;
    EXPECT_EQ(QStringList{summary(dock)} + dockLines(dock), (QStringList{u"2026: 1 Befund(e)"_s, neverOff}));
    click(sz, "cmdSzEnd"), settle();
    EXPECT_EQ(marks(), std::vector<int>{-1}) << "a finding of the whole channel marks no row";

    // An OFF at 6:00 on weekdays (a model call, then the list): it clashes with the daily ON, which wins, so C1 still
    // never goes OFF.
    add({BuildWeeklyEntry(Hm(6, 0), kMoFr, 1, 0, 0, 0)});
    const QString clash = u"C1 um 06:00: EIN und AUS zur selben Minute (Mo Di Mi Do Fr)"_s;
    EXPECT_EQ(dockLines(dock), (QStringList{u"Fehler\tSchaltzeit 1, 2\t"_s + clash, neverOff}));
    const int error = static_cast<int>(Severity::Error);
    EXPECT_EQ(marks(), (std::vector<int>{error, error}));
    const QAbstractItemModel* m = grid()->model();
    // The number cell alone is coloured, and its tip is the finding.
    EXPECT_EQ(std::pair(m->data(m->index(0, 0), Qt::BackgroundRole).isNull(), m->data(m->index(0, 1), Qt::BackgroundRole).isNull()), std::pair(false, true));
    EXPECT_EQ(std::pair(m->data(m->index(0, 0), Qt::DisplayRole).toString().trimmed(), m->data(m->index(0, 0), Qt::ToolTipRole).toString()), std::pair(u"1"_s, clash));
    // The chosen finding is shown in full with its check's explanation, which is also the finding's tip.
    const QString explained = app_->texts()(CheckName(CheckId::SameMinuteClash)) + u": "_s + app_->texts()(CheckExplanation(CheckId::SameMinuteClash));
    dock->findingList()->setCurrentItem(dock->findingList()->topLevelItem(0));
    EXPECT_EQ(dock->findChild<QLabel*>(u"lblBefund"_s)->text(), clash + u"\n\n"_s + explained);
    EXPECT_EQ(dock->findingList()->topLevelItem(0)->toolTip(2), explained);

    // Undo takes the entry back out of the dock and the marks with it.
    action("mnuBaUndo")->trigger(), QApplication::processEvents();
    EXPECT_EQ(std::pair(dockLines(dock), marks()), std::pair(QStringList{neverOff}, std::vector<int>{-1}));
    // Closed, the dock leaves no marks; opened again it has checked afresh.
    add({BuildWeeklyEntry(Hm(6, 0), kMoFr, 1, 0, 0, 0)});
    EXPECT_EQ(marks().front(), error);
    dock->close(), QApplication::processEvents();
    EXPECT_EQ(marks(), (std::vector<int>{-1, -1}));
    action("mnuBaUndo")->trigger(), QApplication::processEvents();
    openDock();
    EXPECT_EQ(dockLines(dock), QStringList{neverOff});
    // The entry of the dialog taken back: the simulation as at the start.
    action("mnuBaUndo")->trigger(), QApplication::processEvents();
    EXPECT_EQ(std::pair(model().program().AnzSz, simulated()), std::pair(0, empty));
}

TEST_F(ProgramCheck, EnglishProgramGoesBackAsLondonDoesWithTheZoneButton)
{
    // A first start in English: the new program changes its clock as in Great Britain.
    start(2);
    EXPECT_EQ(model().device.SwRegel, 2);
    model().clock = [] { return QDateTime(QDate(2027, 5, 20), QTime(9, 0)); };
    add({BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)});
    CheckDock* dock = openDock();
    const auto differs = [dock]() -> int {
        for (std::size_t i = 0; i < dock->findings().size(); ++i)
            if (dock->findings()[i].check == CheckId::RuleDiffersFromZone) return static_cast<int>(i);
        return -1;
    };
    const int index = differs();
    ASSERT_GE(index, 0) << dockLines(dock).join(u'\n').toStdString();
    auto* zone = child<QAbstractButton>(dock, "cmdTabelleAusZone");
    EXPECT_FALSE(zone->isVisible());
    dock->findingList()->setCurrentItem(dock->findingList()->topLevelItem(index));
    EXPECT_TRUE(zone->isVisible() && dock->findingList()->topLevelItem(index)->text(2).contains(u"Europe/London"_s));
    zone->click(), QApplication::processEvents();
    EXPECT_EQ(std::tuple(model().device.SwRegel, model().program().AnzSoWi, differs(), zone->isVisible()), std::tuple(4, 20, -1, false));
}

TEST_F(ProgramCheck, DoubleClickSelectsTheRowsAndShowsTheDay)
{
    start();
    addClash();
    // A priority time over 1..3 August for C2, whose program P2 has no switching time at all.
    add({BuildPriorityEntry(1, 8, 3, 8, 0, false, 2, 0b10, 0)});
    trigger("mnuAnsGrafik"), settle();
    FrmGrafik* sim = frame()->simulationWindow();
    ASSERT_NE(sim, nullptr);
    CheckDock* dock = openDock();
    const QStringList lines = dockLines(dock);
    ASSERT_TRUE(lines.size() == 2 && lines[0].startsWith(u"Fehler\tSchaltzeit 1, 3\t"_s) && lines[1].startsWith(u"Warnung\tPrioritätszeit 1\t"_s)) << lines.join(u'|').toStdString();
    // The priority time first: the list turns to the priority times, the simulation to 1 August and channel 2.
    doubleClick(dock->findingList(), dock->findingList()->model()->index(1, 0));
    EXPECT_EQ(std::tuple(list().Ansicht(), list().markedRows(), sim->shownDay(), sim->channel()), std::tuple(int(AnsichtPrioritaetszeiten), QList<int>{1}, QDate(kYear, 8, 1).dayOfYear(), 1));
    // The clash: both switching times marked, the first Friday of the year shown.
    doubleClick(dock->findingList(), dock->findingList()->model()->index(0, 0));
    EXPECT_EQ(std::tuple(list().Ansicht(), list().markedRows(), sim->shownDay(), sim->channel()), std::tuple(int(AnsichtSchaltzeiten), QList<int>{1, 3}, QDate(kYear, 1, 2).dayOfYear(), 0));
    EXPECT_EQ(list().markedEntries(), dock->findings()[0].entries);
    EXPECT_EQ(dockLines(dock), lines) << "selecting rows changed nothing";
}

// Compared with its own file, the program side is named by its file while it agrees with it and as the changed
// program once edited; the file side by its path.
TEST_F(ProgramCheck, CompareWithFileShowsWhatChanged)
{
    start();
    add({BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)});
    ProgramModel saved = model();
    const QString file = saveProgramAs(saved, work(u"HALLE.zpg"_s));
    const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    answer(TextId::SaveChangesIn, Answer::No);
    chooser_.open = file;
    trigger("mnuDatÖff");
    ASSERT_EQ(model().program().Dateiname, file);
    FrmVergleich* w = compare("mnuDatVergl");
    // Title, count, the two sides and the rows of differences.
    const auto shown = [this](FrmVergleich* w) { return QStringList{w->windowTitle(), child<QLabel>(w, "lblAnzahl")->text(), w->table()->horizontalHeaderItem(1)->text(), w->table()->horizontalHeaderItem(2)->text()} + w->rowsText(); };
    EXPECT_TRUE(w->isVisible() && !w->isModal());
    EXPECT_EQ(shown(w), (QStringList{u"Programmvergleich"_s, u"Keine Unterschiede."_s, u"HALLE.zpg"_s, path}));
    click(w, "cmdSchliessen"), settle();
    EXPECT_EQ(frame()->checkCommands().comparison(), nullptr);

    // The evening entry switches ON now and the description typed is new.
    model().program().Eintrag[1] = BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 1, 0, 0);
    auto* usage = child<QLineEdit>(frame(), "txtverwendung");
    usage->setText(u"Turnhalle"_s);
    usage->setModified(true);
    emit usage->editingFinished();
    ASSERT_EQ(model().Geaendert, 1);
    frame()->ShowList();
    w = compare("mnuDatVergl");
    const QStringList now = shown(w);
    EXPECT_EQ(now.mid(0, 4), (QStringList{u"Programmvergleich"_s, u"2 Unterschied(e)."_s, u"Programm (geändert)"_s, path}));
    ASSERT_EQ(now.size(), 6) << now.join(u'|').toStdString();
    EXPECT_TRUE(now[4].startsWith(u"Programmkopf\t\t\t"_s) && now[4].contains(u"Turnhalle"_s)) << now[4].toStdString();
    EXPECT_TRUE(now[5].startsWith(u"geändert\tSchaltzeit 2\tSchaltzeit 2\t"_s) && now[5].endsWith(u"(Zustand)"_s)) << now[5].toStdString();
    ASSERT_EQ(w->difference().entries.size(), 1u);
    EXPECT_EQ(w->difference().entries[0].kind, EntryDiffKind::Changed);
    // A double click on the changed entry marks it in the main list.
    doubleClick(w->table(), w->table()->model()->index(1, 3));
    EXPECT_EQ(std::pair(list().markedEntries(), list().markedRows()), std::pair(std::vector<int>{w->difference().entries[0].first}, QList<int>{2}));

    // A file that is no program is refused with the reader's message; a cancelled file choice does nothing.
    const QString garbage = work(u"KAPUTT.zpg"_s);
    ASSERT_TRUE(writeFile(garbage, "no program"));
    const std::size_t before = asked().size();
    for (const QString& chosen : {garbage, QString()}) {
        chooser_.open = chosen;
        trigger("mnuDatVergl");
        EXPECT_EQ(std::pair(asked().size(), frame()->checkCommands().comparison()), std::pair(before + 1, w));
    }
    // With a sample beside it: the difference the core finds between the two slots.
    openSample(u"Laden.zpg"_s, "mnuDatVorl");
    w = compare("mnuDatVerglVorl");
    const ProgramDiff expected = DiffPrograms(model(), kProgramSlot, model(), kSampleSlot);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(w->difference().entries, expected.entries);
    EXPECT_EQ(std::pair(w->rowsText().size(), w->table()->horizontalHeaderItem(2)->text()), std::pair(static_cast<qsizetype>(expected.entries.size() + expected.header.size()), u"Vorlage Laden.zpg"_s));
}

// F1 is the help command of the main frame: the focus tells the page; the list beside the dock keeps the main
// window's page.
TEST_F(ProgramCheck, F1InTheDockAndTheComparisonOpensTheirPages)
{
    start(2);
    CheckDock* dock = openDock();
    chooser_.open = saveProgramAs(model(), work(u"LEER.zpg"_s));
    FrmVergleich* w = compare("mnuDatVergl");
    const struct {
        QWidget *window, *focus;
        const char *page, *title;
    } cases[] = {{frame(), dock->findingList(), "program-check", "Program check"}, {frame(), grid(), "main-window", nullptr}, {w, w->table(), "comparison", "Program comparison"}};
    for (const auto& c : cases) {
        c.window->activateWindow(), QApplication::processEvents();
        c.focus->setFocus(), QTest::keyClick(c.focus, Qt::Key_F1);
        HelpWindow* help = app_->help().window();
        ASSERT_NE(help, nullptr) << c.page;
        EXPECT_EQ(help->currentPage(), QString::fromLatin1(c.page));
        if (c.title) { EXPECT_EQ(help->windowTitle(), QString::fromUtf8(c.title)); }
    }
}
