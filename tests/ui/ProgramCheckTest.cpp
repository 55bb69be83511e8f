// The program check dock and the program comparison on the real main frame:
// the dock following edits, its marks in the list, a double click on a
// finding, the comparison window and the offer after a read.
#include "editing/checks/ProgramChecks.h"
#include "model/Entry.h"
#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/EmulatedAdapter.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckDock.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/help/HelpWindow.h"
#include "ui/list/ListTableModel.h"
#include "ui/frame/MainMenu.h"
#include "ui/simulation/FrmGrafik.h"
#include "ui/transfer/FrmIRAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

namespace W = checkwindowtexts;

constexpr int kRowFourChannels = 4;
constexpr int kYear = 2026;
constexpr int kDaily = 127;
constexpr int kMoFr = 0b0011111;
constexpr int kFrSu = 0b1110000;

constexpr int Hm(int hours, int minutes)
{
    return hours * 60 + minutes;
}

class ProgramCheck : public DesktopFixture {
protected:
    void start(int sprache = 1)
    {
        startWith(kRowFourChannels, sprache);
        model().clock = [] { return QDateTime(QDate(kYear, 5, 20), QTime(9, 0)); };
    }

    CheckDock* openDock()
    {
        trigger("mnuBaPruefen");
        QApplication::processEvents();
        CheckDock* dock = frame()->checkCommands().dock();
        EXPECT_NE(dock, nullptr);
        EXPECT_TRUE(dock && dock->isVisible());
        return dock;
    }

    // The dock's lines: severity, rows and message joined by TAB.
    static QStringList dockLines(const CheckDock* dock)
    {
        QStringList lines;
        const QTreeWidget* list = dock->findingList();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            lines << item->text(0) + u'\t' + item->text(1) + u'\t' + item->text(2);
        }
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
        for (const Entry& e : entries)
            addEntry(model(), e);
        frame()->ShowList();
        QApplication::processEvents();
    }

    // ON at 7:00 Mo-Fr against OFF at 7:00 Fr-Su on C1, OFF at 19:00 daily:
    // the list shows the two 7:00 entries in rows 1 and 3.
    void addClash()
    {
        add({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0),
             BuildWeeklyEntry(Hm(7, 0), kFrSu, 1, 0, 0, 0)});
    }

    // How often the comparison after a read was offered.
    std::size_t offerCount() const
    {
        return static_cast<std::size_t>(std::count_if(asked().begin(), asked().end(), [](const Prompt& p) {
            const auto* own = p.parts.empty() ? nullptr : std::get_if<ExtraText>(&p.parts.front());
            return own && QString::fromUtf8(own->de) == QString::fromUtf8(W::kOfferCompare.de);
        }));
    }

    static void doubleClick(QTreeWidget* list, int index)
    {
        QTreeWidgetItem* item = list->topLevelItem(index);
        ASSERT_NE(item, nullptr);
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
};

// The mnemonic letter of a caption ("Pr&ogramm" -> 'o'), 0 without one.
QChar Mnemonic(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (caption[i + 1] != u'&')
                return caption[i + 1].toLower();
            ++i;
        }
    }
    return QChar();
}

} // namespace

TEST_F(ProgramCheck, CommandsInEveryLanguageWithMnemonicsOfTheirOwn)
{
    const struct {
        int sprache;
        const char* check;
        const char* file;
        const char* sample;
        const char* dock;
        const char* clash;   // the finding of addClash() and the summary line
        const char* summary;
    } cases[] = {
        {1, "Pr&ogramm prüfen", "&Mit Datei vergleichen...", "Mit Vorlage ver&gleichen", "Programmprüfung",
         "Fehler\tSchaltzeit 1, 3\tC1 um 07:00: EIN und AUS zur selben Minute (Fr)", "2026: 1 Befund(e)"},
        {2, "C&heck program", "Compare with &file...", "Compare &with sample", "Program check",
         "Error\tSwitching time 1, 3\tC1 at 07:00: ON and OFF at the same minute (Fr)", "2026: 1 finding(s)"},
        {3, "&Vérifier le programme", "Comparer avec un &fichier...", "&Comparer avec le modèle",
         "Vérification du programme", "Erreur\tHoraire 1, 3\tC1 à 07:00 : MARCHE et ARRÊT à la même minute (Ve)",
         "2026 : 1 constat(s)"},
    };
    for (const auto& c : cases) {
        start(c.sprache);
        addClash();
        EXPECT_EQ(action("mnuBaPruefen")->text(), QString::fromUtf8(c.check));
        EXPECT_EQ(action("mnuDatVergl")->text(), QString::fromUtf8(c.file));
        EXPECT_EQ(action("mnuDatVerglVorl")->text(), QString::fromUtf8(c.sample));
        // No other command of the same menu answers to the new letters.
        for (const char* name : {"mnuBaPruefen", "mnuDatVergl", "mnuDatVerglVorl"}) {
            QAction* own = action(name);
            const QChar letter = Mnemonic(own->text());
            ASSERT_FALSE(letter.isNull()) << name;
            const auto* menu = qobject_cast<QMenu*>(own->parent());
            ASSERT_NE(menu, nullptr);
            for (QAction* other : menu->actions()) {
                const QString text = other->menu() ? other->menu()->title() : other->text();
                if (other != own && !other->isSeparator()) {
                    EXPECT_NE(Mnemonic(text), letter) << c.sprache << ": " << name << " and " << text.toStdString();
                }
            }
        }
        // The sample comparison needs a sample.
        EXPECT_FALSE(action("mnuDatVerglVorl")->isEnabled());
        CheckDock* dock = openDock();
        ASSERT_NE(dock, nullptr);
        EXPECT_EQ(dock->windowTitle(), QString::fromUtf8(c.dock));
        EXPECT_EQ(frame()->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        EXPECT_EQ(dockLines(dock), QStringList{QString::fromUtf8(c.clash)});
        EXPECT_EQ(summary(dock), QString::fromUtf8(c.summary));
        app_.reset();
    }
}

TEST_F(ProgramCheck, DockFollowsEveryEditAndMarksTheRows)
{
    start();
    CheckDock* dock = openDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dockLines(dock).isEmpty());
    EXPECT_EQ(summary(dock), u"2026: keine Befunde"_s);

    // "täglich 6:00 EIN C1" through the entry dialog, the dock left open:
    // nothing switches C1 OFF again.
    trigger("mnuBaSz");
    auto* sz = dialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    // The hour picked from the box's list.
    child<QListWidget>(sz, "liststd")->setCurrentRow(6);
    child<QCheckBox>(sz, "chktgl")->click();
    child<QCheckBox>(sz, "chkKan1")->click();
    child<QAbstractButton>(sz, "cmdSzok")->click();
    QApplication::processEvents();
    ASSERT_EQ(model().program().AnzSz, 1);
    ASSERT_EQ(EntryTime(model().program().Eintrag[0]), Hm(6, 0));
    EXPECT_EQ(dockLines(dock), QStringList{u"Warnung\t\tC1 ist 2026 an keinem Tag ausgeschaltet"_s});
    EXPECT_EQ(summary(dock), u"2026: 1 Befund(e)"_s);
    child<QAbstractButton>(sz, "cmdSzEnd")->click();
    settle();
    // A finding of the whole channel marks no row.
    EXPECT_EQ(marks(), std::vector<int>{-1});

    // An OFF at 6:00 on weekdays (a model call, then the list): it clashes
    // with the daily ON, which wins, so C1 still never goes OFF.
    add({BuildWeeklyEntry(Hm(6, 0), kMoFr, 1, 0, 0, 0)});
    const QString clash = u"C1 um 06:00: EIN und AUS zur selben Minute (Mo Di Mi Do Fr)"_s;
    EXPECT_EQ(dockLines(dock), (QStringList{u"Fehler\tSchaltzeit 1, 2\t"_s + clash,
                                            u"Warnung\t\tC1 ist 2026 an keinem Tag ausgeschaltet"_s}));
    EXPECT_EQ(marks(), (std::vector<int>{static_cast<int>(Severity::Error), static_cast<int>(Severity::Error)}));
    const QAbstractItemModel* m = grid()->model();
    EXPECT_FALSE(m->data(m->index(0, 0), Qt::BackgroundRole).isNull());
    EXPECT_TRUE(m->data(m->index(0, 1), Qt::BackgroundRole).isNull());
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString().trimmed(), u"1"_s);
    EXPECT_EQ(m->data(m->index(0, 0), Qt::ToolTipRole).toString(), clash);
    // The chosen finding is shown in full with its check's explanation.
    dock->findingList()->setCurrentItem(dock->findingList()->topLevelItem(0));
    EXPECT_EQ(dock->findChild<QLabel*>(u"lblBefund"_s)->text(),
              clash + u"\n\n"_s + app_->texts()(CheckName(CheckId::SameMinuteClash)) + u": "_s
                  + app_->texts()(CheckExplanation(CheckId::SameMinuteClash)));
    // The explanation of the check is the tip of the finding.
    EXPECT_EQ(dock->findingList()->topLevelItem(0)->toolTip(2),
              app_->texts()(CheckName(CheckId::SameMinuteClash)) + u": "_s
                  + app_->texts()(CheckExplanation(CheckId::SameMinuteClash)));

    // Undo takes the entry back out of the dock and the marks with it.
    action("mnuBaUndo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(dockLines(dock), QStringList{u"Warnung\t\tC1 ist 2026 an keinem Tag ausgeschaltet"_s});
    EXPECT_EQ(marks(), std::vector<int>{-1});

    // Closed, the dock leaves no marks; opened again it has checked afresh.
    add({BuildWeeklyEntry(Hm(6, 0), kMoFr, 1, 0, 0, 0)});
    EXPECT_EQ(marks().front(), static_cast<int>(Severity::Error));
    dock->close();
    QApplication::processEvents();
    EXPECT_EQ(marks(), (std::vector<int>{-1, -1}));
    action("mnuBaUndo")->trigger();
    QApplication::processEvents();
    openDock();
    EXPECT_EQ(dockLines(dock), QStringList{u"Warnung\t\tC1 ist 2026 an keinem Tag ausgeschaltet"_s});
}

TEST_F(ProgramCheck, EnglishProgramGoesBackAsLondonDoesWithTheZoneButton)
{
    // A first start in English: the new program changes its clock as in Great Britain.
    start(2);
    EXPECT_EQ(model().device.SwRegel, 2);
    model().clock = [] { return QDateTime(QDate(2027, 5, 20), QTime(9, 0)); };
    add({BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)});
    CheckDock* dock = openDock();
    ASSERT_NE(dock, nullptr);
    const auto differs = [dock]() -> int {
        for (std::size_t i = 0; i < dock->findings().size(); ++i) {
            if (dock->findings()[i].check == CheckId::RuleDiffersFromZone)
                return static_cast<int>(i);
        }
        return -1;
    };
    const int index = differs();
    ASSERT_GE(index, 0) << dockLines(dock).join(u'\n').toStdString();
    QAbstractButton* zone = dock->findChild<QAbstractButton*>(u"cmdTabelleAusZone"_s);
    ASSERT_NE(zone, nullptr);
    EXPECT_FALSE(zone->isVisible());
    dock->findingList()->setCurrentItem(dock->findingList()->topLevelItem(index));
    EXPECT_TRUE(zone->isVisible());
    EXPECT_TRUE(dock->findingList()->topLevelItem(index)->text(2).contains(u"Europe/London"_s));
    zone->click();
    QApplication::processEvents();
    EXPECT_EQ(model().device.SwRegel, 4);
    EXPECT_EQ(model().program().AnzSoWi, 20);
    EXPECT_EQ(differs(), -1);
    EXPECT_FALSE(zone->isVisible());
}

TEST_F(ProgramCheck, DoubleClickSelectsTheRowsAndShowsTheDay)
{
    start();
    addClash();
    // A priority time over 1..3 August for C2, whose program P2 has no
    // switching time at all.
    add({BuildPriorityEntry(1, 8, 3, 8, 0, false, 2, 0b10, 0)});
    trigger("mnuAnsGrafik");
    settle();
    FrmGrafik* sim = frame()->simulationWindow();
    ASSERT_NE(sim, nullptr);
    CheckDock* dock = openDock();
    ASSERT_NE(dock, nullptr);
    const QStringList lines = dockLines(dock);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'|').toStdString();
    ASSERT_TRUE(lines[0].startsWith(u"Fehler\tSchaltzeit 1, 3\t"_s)) << lines[0].toStdString();
    ASSERT_TRUE(lines[1].startsWith(u"Warnung\tPrioritätszeit 1\t"_s)) << lines[1].toStdString();

    // The priority time first: the list turns to the priority times, the
    // simulation to 1 August and channel 2.
    doubleClick(dock->findingList(), 1);
    EXPECT_EQ(list().Ansicht(), AnsichtPrioritaetszeiten);
    EXPECT_EQ(list().markedRows(), QList<int>{1});
    EXPECT_EQ(sim->shownDay(), QDate(kYear, 8, 1).dayOfYear());
    EXPECT_EQ(sim->channel(), 1);

    // The clash: both switching times marked, the first Friday of the year shown.
    doubleClick(dock->findingList(), 0);
    EXPECT_EQ(list().Ansicht(), AnsichtSchaltzeiten);
    EXPECT_EQ(list().markedRows(), (QList<int>{1, 3}));
    EXPECT_EQ(list().markedEntries(), dock->findings()[0].entries);
    EXPECT_EQ(sim->shownDay(), QDate(kYear, 1, 2).dayOfYear());
    EXPECT_EQ(sim->channel(), 0);
    // Selecting rows changed nothing: the dock still shows both findings.
    EXPECT_EQ(dockLines(dock), lines);
}

TEST_F(ProgramCheck, CompareWithFileShowsWhatChanged)
{
    start();
    add({BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)});
    ProgramModel saved = model();
    const QString file = saveProgramAs(saved, work(u"HALLE.zpg"_s));
    ASSERT_FALSE(file.isEmpty());

    // The program itself: nothing differs.
    chooser_.open = file;
    trigger("mnuDatVergl");
    FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), u"Programmvergleich"_s);
    EXPECT_TRUE(w->rowsText().isEmpty()) << w->rowsText().join(u'|').toStdString();
    EXPECT_EQ(child<QLabel>(w, "lblAnzahl")->text(), u"Keine Unterschiede."_s);
    child<QAbstractButton>(w, "cmdSchliessen")->click();
    settle();
    EXPECT_EQ(frame()->checkCommands().comparison(), nullptr);

    // The evening entry switches ON now and the description is new.
    model().program().Eintrag[1] = BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 1, 0, 0);
    model().program().Verwendung = u"Turnhalle"_s;
    frame()->ShowList();
    trigger("mnuDatVergl");
    w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    const QStringList rows = w->rowsText();
    ASSERT_EQ(rows.size(), 2) << rows.join(u'|').toStdString();
    EXPECT_TRUE(rows[0].startsWith(u"Programmkopf\t\t\t"_s)) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].contains(u"Turnhalle"_s)) << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith(u"geändert\tSchaltzeit 2\tSchaltzeit 2\t"_s)) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].endsWith(u"(Zustand)"_s)) << rows[1].toStdString();
    EXPECT_EQ(child<QLabel>(w, "lblAnzahl")->text(), u"2 Unterschied(e)."_s);
    EXPECT_EQ(w->table()->horizontalHeaderItem(2)->text(), QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    ASSERT_EQ(w->difference().entries.size(), 1u);
    EXPECT_EQ(w->difference().entries[0].kind, EntryDiffKind::Changed);
    // A double click on the changed entry marks it in the main list.
    QTableWidget* table = w->table();
    const QPoint at = table->visualItemRect(table->item(1, 3)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
    EXPECT_EQ(list().markedEntries(), std::vector<int>{w->difference().entries[0].first});
    EXPECT_EQ(list().markedRows(), QList<int>{2});

    // A file that is no program is refused with the reader's message.
    const QString garbage = work(u"KAPUTT.zpg"_s);
    ASSERT_TRUE(writeFile(garbage, "no program"));
    const std::size_t before = asked().size();
    chooser_.open = garbage;
    trigger("mnuDatVergl");
    EXPECT_EQ(asked().size(), before + 1);
    EXPECT_EQ(frame()->checkCommands().comparison(), w);
    // Cancelling the file choice does nothing.
    chooser_.open.clear();
    trigger("mnuDatVergl");
    EXPECT_EQ(asked().size(), before + 1);
}

// Compared with its own file, the program side is named by its file while
// it agrees with it and as the changed program once edited; the file side
// by its path.
TEST_F(ProgramCheck, CompareWithItsOwnFileNamesBothSides)
{
    const struct {
        int sprache;
        const char* modified;
    } languages[] = {{1, "Programm (geändert)"}, {2, "Program (modified)"}, {3, "Programme (modifié)"}};
    for (const auto& l : languages) {
        start(l.sprache);
        add({BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0)});
        ProgramModel saved = model();
        const QString file = saveProgramAs(saved, work(u"schule.zpg"_s));
        answer(TextId::SaveChangesIn, Answer::No);
        chooser_.open = file;
        trigger("mnuDatÖff");
        ASSERT_EQ(model().program().Dateiname, file);
        const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
        for (const bool edited : {false, true}) {
            if (edited) {
                auto* usage = child<QLineEdit>(frame(), "txtverwendung");
                usage->setText(u"Turnhalle"_s);
                usage->setModified(true);
                emit usage->editingFinished();
                ASSERT_EQ(model().Geaendert, 1);
            }
            trigger("mnuDatVergl");
            FrmVergleich* w = frame()->checkCommands().comparison();
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->table()->horizontalHeaderItem(1)->text(),
                      edited ? QString::fromUtf8(l.modified) : u"schule.zpg"_s);
            EXPECT_EQ(w->table()->horizontalHeaderItem(2)->text(), path);
            EXPECT_EQ(w->rowsText().isEmpty(), !edited);
            w->close();
            settle();
        }
        app_.reset();
    }
}

TEST_F(ProgramCheck, CompareWithTheOpenSample)
{
    start();
    openSample(u"Schule.zpg"_s);
    EXPECT_FALSE(action("mnuDatVerglVorl")->isEnabled());
    openSample(u"Laden.zpg"_s, "mnuDatVorl");
    EXPECT_TRUE(action("mnuDatVerglVorl")->isEnabled());
    trigger("mnuDatVerglVorl");
    FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    // The same difference the core finds between the two slots.
    const ProgramDiff expected = DiffPrograms(model(), kProgramSlot, model(), kSampleSlot);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(w->difference().entries, expected.entries);
    EXPECT_EQ(w->rowsText().size(), static_cast<qsizetype>(expected.entries.size() + expected.header.size()));
    EXPECT_EQ(w->table()->horizontalHeaderItem(2)->text(), u"Vorlage Laden.zpg"_s);
}

namespace {

// The school sample written to the emulated adapter's chip.
using ReadOffer = OnEmulatedAdapter<ProgramCheck>;

} // namespace

TEST_F(ReadOffer, AfterAChipReadTheProgramReadIsComparedWithAFile)
{
    startOnEmulator();
    if (IsSkipped() || HasFatalFailure())
        return;
    writeChip();
    ASSERT_EQ(offerCount(), 0u);
    // Declined: one question, no window.
    trigger("mnuDatImp");
    settle();
    EXPECT_EQ(offerCount(), 1u);
    EXPECT_EQ(frame()->checkCommands().comparison(), nullptr);

    // Accepted: the file is chosen and the window shows what differs from
    // it. The chip holds no description and no channel names.
    answer(W::kOfferCompare, Answer::Yes);
    // The program read is not saved: the read asks first, and No reads on.
    answer(TextId::SaveChangesIn, Answer::No);
    chooser_.open = school;
    trigger("mnuDatImp");
    settle();
    EXPECT_EQ(offerCount(), 2u);
    FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->table()->horizontalHeaderItem(1)->text(), u"Gelesenes Programm"_s);
    EXPECT_EQ(w->table()->horizontalHeaderItem(2)->text(), QDir::toNativeSeparators(QFileInfo(school).absoluteFilePath()));
    EXPECT_TRUE(w->difference().entries.empty());
    ProgramModel file = model();
    ASSERT_EQ(LoadProgram(file, school, kProgramSlot), LoadOk);
    EXPECT_EQ(w->difference().header.size(), DiffPrograms(model(), kProgramSlot, file, kProgramSlot).header.size());
    for (const QString& row : w->rowsText())
        EXPECT_TRUE(row.startsWith(u"Programmkopf\t"_s)) << row.toStdString();
}

TEST_F(ProgramCheck, F1InTheDockAndTheComparisonOpensTheirPages)
{
    start(2);
    CheckDock* dock = openDock();
    ASSERT_NE(dock, nullptr);
    // F1 is the help command of the main frame: the focus tells the page.
    frame()->activateWindow();
    QApplication::processEvents();
    dock->findingList()->setFocus();
    QTest::keyClick(dock->findingList(), Qt::Key_F1);
    HelpWindow* help = app_->help().window();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentPage(), u"program-check"_s);
    EXPECT_EQ(help->windowTitle(), u"Program check"_s);

    // The list beside it keeps the main window's page.
    frame()->activateWindow();
    QApplication::processEvents();
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_F1);
    EXPECT_EQ(help->currentPage(), u"main-window"_s);

    chooser_.open = saveProgramAs(model(), work(u"LEER.zpg"_s));
    trigger("mnuDatVergl");
    FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    w->activateWindow();
    QApplication::processEvents();
    w->table()->setFocus();
    QTest::keyClick(w->table(), Qt::Key_F1);
    EXPECT_EQ(help->currentPage(), u"comparison"_s);
    EXPECT_EQ(help->windowTitle(), u"Program comparison"_s);
}

namespace {

// A four-channel switch whose infrared tool is the stand-in with a virtual
// device that holds the canonical program.
class InfraredReadOffer : public ProgramCheck {
protected:
    void startOnStandIn(const QString& faults = QString())
    {
        const QString tool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), work(u"device.zpg"_s),
                                                                 faults);
        ASSERT_TRUE(writeFile(work(u"ports.ini"_s), ("IRTOOL=" + tool + "\r\nIRTIMEOUT=1\r\n").toUtf8()));
        start();
        ProgramModel onDevice = canonical731();
        device = saveProgramAs(onDevice, work(u"device.zpg"_s));
        ASSERT_FALSE(device.isEmpty());
    }

    // Reads through the infrared window and closes it.
    void readAndClose()
    {
        trigger("mnuIRAccess");
        auto* w = dialog<FrmIRAccess>();
        ASSERT_NE(w, nullptr);
        w->settleMs = 20;
        QTest::mouseClick(child<QWidget>(w, "cmd_IRok"), Qt::LeftButton);
        // No question while the window is still open.
        EXPECT_EQ(offerCount(), 0u);
        QTest::mouseClick(child<QWidget>(w, "cmd_Irend"), Qt::LeftButton);
        settle();
    }

    QString device;
};

} // namespace

TEST_F(InfraredReadOffer, ClosingTheWindowAfterAReadOffersTheComparison)
{
    startOnStandIn();
    answer(W::kOfferCompare, Answer::Yes);
    chooser_.open = device;
    readAndClose();
    EXPECT_EQ(offerCount(), 1u);
    FrmVergleich* w = frame()->checkCommands().comparison();
    ASSERT_NE(w, nullptr);
    // What was read has the entries of the file it came from.
    EXPECT_TRUE(w->difference().entries.empty());
    EXPECT_EQ(w->table()->horizontalHeaderItem(1)->text(), u"Gelesenes Programm"_s);
}

TEST_F(InfraredReadOffer, ClosingInThePauseBeforeTheResultIsReadStillOffersTheComparison)
{
    startOnStandIn();
    model().device.IrTimeout = 20;   // room for a slow start of the tool
    answer(W::kOfferCompare, Answer::Yes);
    chooser_.open = device;
    trigger("mnuIRAccess");
    auto* w = dialog<FrmIRAccess>();
    ASSERT_NE(w, nullptr);
    w->settleMs = 600;
    // As soon as the answer file is there, the user tries to close the window.
    bool tried = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (tried || !QFile::exists(work(u"irtrans.msg"_s)))
            return;
        tried = true;
        QTest::mouseClick(child<QWidget>(w, "cmd_Irend"), Qt::LeftButton);
        w->close();
    });
    poll.start();
    QTest::mouseClick(child<QWidget>(w, "cmd_IRok"), Qt::LeftButton);
    poll.stop();
    ASSERT_TRUE(tried);
    EXPECT_EQ(offerCount(), 0u);
    ASSERT_EQ(dialog<FrmIRAccess>(), w);   // still open
    QTest::mouseClick(child<QWidget>(w, "cmd_Irend"), Qt::LeftButton);
    settle();
    EXPECT_EQ(offerCount(), 1u);
    ASSERT_NE(frame()->checkCommands().comparison(), nullptr);
    EXPECT_TRUE(frame()->checkCommands().comparison()->difference().entries.empty());
}

TEST_F(InfraredReadOffer, AFailedReadOffersNothing)
{
    startOnStandIn(u"--no-result"_s);
    answer(W::kOfferCompare, Answer::Yes);
    readAndClose();
    EXPECT_EQ(offerCount(), 0u);
    EXPECT_EQ(frame()->checkCommands().comparison(), nullptr);
}
