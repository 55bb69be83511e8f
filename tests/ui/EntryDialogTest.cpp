#include "calendar/FeiertagTabelle.h"
#include "editing/AssistantSettings.h"
#include "editing/EntryBuilder.h"
#include "editing/ListAnsicht.h"
#include "calendar/ListFilter.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/FrmEingPZ.h"
#include "ui/common/MnemonicSet.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/MdiForm1.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTest>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class EntryDialogs : public DesktopFixture {
protected:
    ProgramModel& model() { return app_->model(); }
    FrmHauptmenue& list() const { return app_->mainFrame()->listWindow(); }
    QTableView* grid() const { return list().grid(); }

    // A four-channel weekly switch with Mo-Fr C1 ON at 7, 9, 11, 13 and 15 o'clock.
    void startWithFiveEntries()
    {
        startWith(4);
        for (int hour : {7, 9, 11, 13, 15})
            addEntry(model(), BuildWeeklyEntry(hour * 60, 0b11111, 1, 1, 0, 0));
        app_->mainFrame()->ShowList();
    }

    void markRows(int first, int last)
    {
        const QAbstractItemModel* m = grid()->model();
        grid()->selectionModel()->select(QItemSelection(m->index(first - 1, 0), m->index(last - 1, 0)),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // Cells of the item rows: days, time, channels, "1x", state, trimmed, one line per row.
    QStringList rows() const
    {
        QStringList out;
        const QAbstractItemModel* m = grid()->model();
        for (int r = 0; r < m->rowCount() && !m->index(r, 0).data().toString().isEmpty(); ++r) {
            QStringList cells;
            for (int c : {1, 2, 3, 5, 6})
                cells << m->index(r, c).data().toString().trimmed();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    template <typename Dialog>
    Dialog* dialog() const
    {
        settle();
        return app_->mainFrame()->findChild<Dialog*>();
    }

    template <typename Dialog>
    Dialog* activeDialog() const
    {
        auto* d = dialog<Dialog>();
        if (d) {
            QApplication::setActiveWindow(d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        }
        return d;
    }

    static QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    static void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // Tabs to a control; false when the tab chain does not reach it.
    static bool tabTo(const char* name)
    {
        for (int i = 0; i < 40 && focused() != QString::fromUtf8(name); ++i)
            key(Qt::Key_Tab);
        return focused() == QString::fromUtf8(name);
    }
    static void tick(const char* name)
    {
        ASSERT_TRUE(tabTo(name)) << name;
        key(Qt::Key_Space);
    }
    static void click(QWidget* parent, const char* name)
    {
        auto* w = parent->findChild<QAbstractButton*>(QString::fromUtf8(name));
        ASSERT_NE(w, nullptr) << name;
        w->click();
    }
};

// Counts the beeps of refused keys and values.
class CountingInteraction : public ScriptedInteraction {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

} // namespace

TEST_F(EntryDialogs, WeekProgramByKeyboardAlone)
{
    startWith(4);
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->windowTitle(), QStringLiteral("Eingabe von Schaltzeiten"));
    EXPECT_EQ(focused(), QStringLiteral("txtAnzstd"));

    // Mo-Fr 6:45 ON on C1; the month box takes the month's name from the list later.
    type(QStringLiteral("6"));
    key(Qt::Key_Tab);
    type(QStringLiteral("45"));
    for (const char* day : {"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag", "chkFreitag"})
        tick(day);
    tick("chkKan1");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), QStringLiteral("txtAnzstd"));
    EXPECT_TRUE(sz->findChild<QWidget*>(QStringLiteral("imgSzok"))->isVisible());

    // Mo-Fr 17:30 OFF: the days stay, the state button toggles.
    type(QStringLiteral("17"));
    key(Qt::Key_Tab);
    type(QStringLiteral("30"));
    tick("cmdEinAus");
    key(Qt::Key_Return);

    // Sa, So 9:00 ON on C2: "täglich" on and off clears the days.
    type(QStringLiteral("9"));
    key(Qt::Key_Tab);
    type(QStringLiteral("0"));
    tick("chktgl");
    tick("chktgl");
    tick("chkSamstag");
    tick("chkSonntag");
    tick("chkKan1");
    tick("chkKan2");
    tick("cmdEinAus");
    key(Qt::Key_Return);

    // 31 December 16:00 ON on C3, once: a date clears the days and shows "1x".
    type(QStringLiteral("16"));
    key(Qt::Key_Tab);
    type(QStringLiteral("0"));
    ASSERT_TRUE(tabTo("txtAnztag"));
    type(QStringLiteral("31"));
    key(Qt::Key_Tab);
    type(QStringLiteral("12"));
    tick("chk1x");
    tick("chkKan2");
    tick("chkKan3");
    key(Qt::Key_Return);
    EXPECT_EQ(sz->findChild<QLineEdit*>(QStringLiteral("txtAnzMon"))->text(), QStringLiteral("Dezember"));
    EXPECT_TRUE(asked().empty()) << QStringList(messages().begin(), messages().end()).join(u'/').toStdString();

    key(Qt::Key_Escape);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    QStringList shown = rows();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("31. Dezember|16:00 Uhr|C3|1x|EIN"),
                                  QStringLiteral("Mo Di Mi Do Fr|17:30 Uhr|C1||AUS"),
                                  QStringLiteral("Mo Di Mi Do Fr|6:45 Uhr|C1||EIN"),
                                  QStringLiteral("Sa So|9:00 Uhr|C2||EIN")}));
    EXPECT_EQ(model().program().AnzSz, 4);
    EXPECT_EQ(model().Geaendert, 1);
}

TEST_F(EntryDialogs, OkForAllCopiesMarkedRowsShiftedByTheAssistant)
{
    startWithFiveEntries();
    // The assistant: one hour on, the state kept. Cancel leaves the settings alone.
    trigger("mnuEinstAuto");
    auto* settings = dialog<FrmAutoEinst>();
    ASSERT_NE(settings, nullptr);
    settings->findChild<QSlider*>(QStringLiteral("hsbincmin"))->setValue(30);
    click(settings, "cmdEinstAbbrechen");
    trigger("mnuEinstAuto");
    settings = dialog<FrmAutoEinst>();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->findChild<QSlider*>(QStringLiteral("hsbincmin"))->value(), 1);
    settings->findChild<QSlider*>(QStringLiteral("hsbincmin"))->setValue(0);
    settings->findChild<QSlider*>(QStringLiteral("HsbIncStd"))->setValue(1);
    EXPECT_EQ(settings->findChild<QLabel*>(QStringLiteral("lblIncStd"))->text(), QStringLiteral("1 Stunde"));
    click(settings, "chkZustand");
    click(settings, "ChkEinstOk");

    markRows(1, 5);
    trigger("mnuBaKop");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->windowTitle(), QStringLiteral("Kopieren von Schaltzeiten"));
    click(sz, "chkautopil");
    click(sz, "Cmd1xauto");
    EXPECT_EQ(sz->findChild<QLineEdit*>(QStringLiteral("txtAnzstd"))->text(), QStringLiteral("8"));
    click(sz, "Cmdalleok");
    EXPECT_TRUE(QTest::qWaitFor([this] { return dialog<FrmEingSz>() == nullptr; }, 5000));

    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(model().program().AnzSz, 10);
    QStringList times;
    for (const QString& row : rows())
        times << row.section(QLatin1Char('|'), 1, 1);
    EXPECT_EQ(times, (QStringList{QStringLiteral("7:00 Uhr"), QStringLiteral("8:00 Uhr"), QStringLiteral("9:00 Uhr"),
                                  QStringLiteral("10:00 Uhr"), QStringLiteral("11:00 Uhr"), QStringLiteral("12:00 Uhr"),
                                  QStringLiteral("13:00 Uhr"), QStringLiteral("14:00 Uhr"), QStringLiteral("15:00 Uhr"),
                                  QStringLiteral("16:00 Uhr")}));
}

TEST_F(EntryDialogs, ChangingAnEntryIntoItselfIsNoDuplicate)
{
    startWithFiveEntries();
    const QStringList before = rows();
    markRows(2, 2);
    trigger("mnuBaÄnd");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->windowTitle(), QStringLiteral("Ändern von Schaltzeiten"));
    EXPECT_EQ(sz->findChild<QLineEdit*>(QStringLiteral("txtAnzstd"))->text(), QStringLiteral("9"));
    key(Qt::Key_Return);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(rows(), before);

    // Changed to 10:00 it takes its sorted place.
    markRows(2, 2);
    trigger("mnuBaÄnd");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    type(QStringLiteral("10"));
    key(Qt::Key_Return);
    EXPECT_EQ(rows()[1], QStringLiteral("Mo Di Mi Do Fr|10:00 Uhr|C1||EIN"));
    EXPECT_EQ(model().program().AnzSz, 5);
}

TEST_F(EntryDialogs, DoubleClickChangesCopiesOrAdds)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    // A double click as the platform delivers it: press, release, double click, release.
    const auto doubleClick = [this](int row) {
        const QPoint at = grid()->visualRect(grid()->model()->index(row - 1, 1)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    };
    const auto title = [this]() -> QString {
        QDialog* d = dialog<QDialog>();
        const QString t = d ? d->windowTitle() : QString();
        if (d)
            d->reject();
        return t;
    };
    doubleClick(3);
    EXPECT_EQ(title(), QStringLiteral("Ändern von Schaltzeiten"));
    doubleClick(model().program().AnzSz + 1);
    EXPECT_EQ(title(), QStringLiteral("Eingabe von Schaltzeiten"));
    trigger("mnuAnsPz");
    doubleClick(model().program().AnzPz + 1);
    EXPECT_EQ(title(), QStringLiteral("Eingabe von Prioritätszeiten"));

    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatVorl");
    trigger("mnuAnsSzVorl");
    doubleClick(1);
    EXPECT_EQ(title(), QStringLiteral("Kopieren von Schaltzeiten"));
    EXPECT_FALSE(action("mnuBalö")->isEnabled());
}

TEST_F(EntryDialogs, HeldPrioCellPeeksAtThePriorityTimes)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    const QAbstractItemModel* m = grid()->model();
    int row = 0;
    while (row < m->rowCount() && m->index(row, 7).data().toString() != QStringLiteral("1"))
        ++row;
    ASSERT_LT(row, m->rowCount());
    const QPoint at = grid()->visualRect(m->index(row, 7)).center();
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list().Ansicht(), AnsichtPrioritaetszeiten);
    EXPECT_TRUE(app_->filter().active());
    EXPECT_EQ(rows().size(), 2);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list().Ansicht(), AnsichtSchaltzeiten);
    EXPECT_FALSE(app_->filter().active());
}

TEST_F(EntryDialogs, RefusalsKeepTheDialogOpenAndAFullMemoryClosesIt)
{
    startWithFiveEntries();
    const auto enterMondayToFriday = [](const QString& hour) {
        type(hour);
        for (const char* day : {"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag", "chkFreitag"})
            tick(day);
        tick("chkKan1");
        key(Qt::Key_Return);
    };
    trigger("mnuBaSz");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    enterMondayToFriday(QStringLiteral("7"));
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(asked()[0].key(), TextId::SwitchingTimeExists);
    EXPECT_EQ(asked()[0].icon, Icon::Critical);
    EXPECT_NE(dialog<FrmEingSz>(), nullptr);

    // The other state: asked, and Yes replaces the entry.
    answer(TextId::SwitchingTimeOtherState, Answer::Yes);
    tick("cmdEinAus");
    key(Qt::Key_Return);
    ASSERT_EQ(asked().size(), 2u);
    EXPECT_EQ(asked()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(rows()[0], QStringLiteral("Mo Di Mi Do Fr|7:00 Uhr|C1||AUS"));
    key(Qt::Key_Escape);

    // The entry that makes 324 is stored, then the dialog closes; it does not open again.
    for (int t = 0; t < 318; ++t)
        addEntry(model(), BuildDatedEntry(t, 1, 1, 2, 1, 0, false));
    trigger("mnuBaSz");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    enterMondayToFriday(QStringLiteral("8"));
    EXPECT_EQ(model().program().AnzEintrag, 324);
    EXPECT_EQ(asked().back().key(), TextId::MemoryFull);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    trigger("mnuBaSz");
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    EXPECT_EQ(asked().size(), 4u);
    EXPECT_EQ(asked().back().key(), TextId::MemoryFull);
}

TEST_F(EntryDialogs, LastEntryPanelBrowsesTheSwitchingTimes)
{
    startWithFiveEntries();
    addEntry(model(), BuildPriorityEntry(24, 12, 26, 12, 0, false, 1, 1, 1));
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    auto* time = sz->findChild<QLabel*>(QStringLiteral("lblOldZeit"));
    EXPECT_TRUE(time->isHidden());
    QStringList seen;
    for (const char* image : {"imgoldSzup", "imgoldSzup", "imgoldSzdown", "imgoldSzdown"}) {
        click(sz, image);
        seen << time->text();
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("15:00 Uhr"), QStringLiteral("13:00 Uhr"),
                                 QStringLiteral("15:00 Uhr"), QStringLiteral("15:00 Uhr")}));
}

TEST_F(EntryDialogs, MovableHolidayOfASet)
{
    ASSERT_TRUE(QFile::copy(shipped(QStringLiteral("deutsch.hdy")), work(QStringLiteral("deutsch.hdy"))));
    startWith(10);   // a one-channel switch that computes movable holidays itself
    trigger("mnuBaPz");
    auto* pz = activeDialog<FrmEingPZ>();
    ASSERT_NE(pz, nullptr);
    auto* sets = pz->findChild<QComboBox*>(QStringLiteral("cbo_Ft_sets"));
    EXPECT_EQ(sets->itemText(sets->count() - 1), QStringLiteral("alle"));
    tick("chk_bew_Feiertage");
    EXPECT_FALSE(pz->findChild<QLineEdit*>(QStringLiteral("txtvonTag"))->isEnabled());
    ASSERT_TRUE(tabTo("lst_bew_Feiertage"));
    type(QStringLiteral("Karfreitag"));
    EXPECT_EQ(pz->findChild<QListWidget*>(QStringLiteral("lst_bew_Feiertage"))->currentItem()->text(),
              QStringLiteral("Karfreitag"));
    tick("chkKan1");
    key(Qt::Key_Return);
    ASSERT_EQ(model().program().AnzPz, 1);
    const Entry& e = model().program().Eintrag[0];
    EXPECT_EQ(e.b[0], kEasterMarker);
    EXPECT_EQ(PriorityEasterOffset(e), -2);
}

TEST_F(EntryDialogs, SixteenChannelDeviceTakesOneChannelFromACombo)
{
    startWith(20);
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->findChild<QCheckBox*>(QStringLiteral("chkKan1")), nullptr);
    tick("chkMontag");
    ASSERT_TRUE(tabTo("cboKanal"));
    EXPECT_EQ(sz->findChild<QComboBox*>(QStringLiteral("cboKanal"))->count(), 16);
    for (int i = 0; i < 11; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("Mo|0:00 Uhr|C12||EIN")});
}

TEST_F(EntryDialogs, DeleteAsksFirst)
{
    startWithFiveEntries();
    markRows(2, 3);
    answer(TextId::ReallyDelete, Answer::Cancel);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Delete);
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(asked()[0].key(), TextId::ReallyDelete);
    EXPECT_EQ(asked()[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(model().program().AnzSz, 5);

    answer(TextId::ReallyDelete, Answer::Ok);
    markRows(2, 3);
    trigger("mnuBalö");
    EXPECT_EQ(model().program().AnzSz, 3);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("Mo Di Mi Do Fr|7:00 Uhr|C1||EIN"),
                                   QStringLiteral("Mo Di Mi Do Fr|13:00 Uhr|C1||EIN"),
                                   QStringLiteral("Mo Di Mi Do Fr|15:00 Uhr|C1||EIN")}));
    EXPECT_EQ(model().Geaendert, 1);
}

TEST_F(EntryDialogs, PriorityTimeWithAYearIsOnce)
{
    startWith(4);
    trigger("mnuBaPz");
    auto* pz = activeDialog<FrmEingPZ>();
    ASSERT_NE(pz, nullptr);
    EXPECT_EQ(focused(), QStringLiteral("txtvonTag"));
    type(QStringLiteral("24"));
    key(Qt::Key_Tab);
    type(QStringLiteral("12"));
    key(Qt::Key_Tab);
    type(QStringLiteral("26"));
    key(Qt::Key_Tab);
    type(QStringLiteral("12"));
    ASSERT_TRUE(tabTo("lstvonJahr"));
    type(QStringLiteral("2030"));
    EXPECT_TRUE(pz->findChild<QCheckBox*>(QStringLiteral("chk1x"))->isChecked());
    tick("chkKan4");
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    ASSERT_EQ(model().program().AnzPz, 1);
    const Entry& e = model().program().Eintrag[0];
    EXPECT_EQ(PriorityYearCode(e), 2030 - 1936);
    EXPECT_EQ(EntryOnce(e, false), 1);
    EXPECT_EQ(EntryPriority(e, false), 1);
    EXPECT_EQ(EntryChannels(e, false), 8);
}

TEST(MnemonicSet, EachCaptionGetsAnUnusedLetter)
{
    MnemonicSet set;
    const QStringList marked{set.mark(QStringLiteral("Montag")), set.mark(QStringLiteral("Mittwoch")),
                             set.mark(QStringLiteral("&Neu")), set.mark(QStringLiteral("Nein")),
                             set.mark(QStringLiteral("A & B")), set.mark(QStringLiteral("mit"))};
    EXPECT_EQ(marked, (QStringList{QStringLiteral("&Montag"), QStringLiteral("M&ittwoch"), QStringLiteral("&Neu"),
                                   QStringLiteral("N&ein"), QStringLiteral("&A && B"), QStringLiteral("mi&t")}));
}

TEST(EntryBoxes, RefusedMinuteBeepsAndKeepsTheFocus)
{
    ProgramModel model = modelForRow(4);
    TextTable texts;
    texts.LoadGerman();
    CountingInteraction ui;
    AssistantSettings assistant;
    FeiertagTabelle holidays;
    FrmEingSz sz(EntryContext{model, texts, ui, assistant, holidays});
    sz.show();
    QApplication::setActiveWindow(&sz);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sz));
    auto* minute = sz.findChild<QLineEdit*>(QStringLiteral("txtAnzMin"));
    minute->setFocus();
    minute->selectAll();
    QTest::keyClicks(minute, QStringLiteral("6x0"));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(minute->text(), QStringLiteral("60"));
    QTest::keyClick(minute, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(QApplication::focusWidget(), minute);
    // The refused text is selected: typing replaces it.
    QTest::keyClicks(minute, QStringLiteral("6"));
    QTest::keyClick(minute, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), minute);
    EXPECT_EQ(sz.entry().fields().minute, 6);
    EXPECT_TRUE(ui.asked().empty());
}
