#include "editing/ListFilter.h"
#include "model/EntryBuilder.h"
#include "editing/ListAnsicht.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/common/MnemonicSet.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/FrmEingPZ.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/main/MdiForm1.h"
#include "ui/frame/UndoHistory.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kMoFr = u"Mo Di Mi Do Fr"_s;
const char* const kWorkdays[] = {"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag", "chkFreitag"};

class EntryDialogs : public DesktopFixture {
protected:
    // A four-channel weekly switch with Mo-Fr C1 ON at 7, 9, 11, 13 and 15 o'clock.
    void startWithFiveEntries()
    {
        startWith(4);
        for (int hour : {7, 9, 11, 13, 15})
            addEntry(model(), BuildWeeklyEntry(hour * 60, 0b11111, 1, 1, 0, 0));
        frame()->ShowList();
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
            out << cells.join(u'|');
        }
        return out;
    }
    static QString row(const QString& days, int hour, int channel = 1, const char* state = "EIN")
    {
        return u"%1|%2:00 Uhr|C%3||%4"_s.arg(days).arg(hour).arg(channel).arg(QLatin1String(state));
    }

    // The dialog the last command opened, active for the keyboard.
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
    // Types characters, those beyond ASCII (é, ä) as the key events a keyboard layout sends.
    static void type(const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    // Types the hour, then the minute into the box after it.
    static void typeTime(const QString& hour, const QString& minute)
    {
        type(hour);
        key(Qt::Key_Tab);
        type(minute);
    }
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
    static void click(QWidget* parent, const char* name) { child<QAbstractButton>(parent, name)->click(); }

    // The program as its file would hold it, written at a fixed time so
    // that two images differ only where the program does.
    QByteArray image()
    {
        QTemporaryDir dir;
        ProgramModel copy = model();
        copy.clock = [] { return QDateTime(QDate(2026, 1, 5), QTime(8, 0)); };
        return readFile(saveProgramAs(copy, dir.filePath(u"UNDO.ZPG"_s)));
    }
    // The last command was one step named `step`: undo brings back `before`,
    // redo `after`, and the title's mark says whether that is the saved state.
    void undoAndRedo(const QString& step, const QByteArray& before, const QByteArray& after, bool beforeSaved)
    {
        SCOPED_TRACE(step.toStdString());
        EXPECT_EQ(frame()->history().stack().count(), ++steps_) << "one step per command";
        EXPECT_EQ(action("mnuBaUndo")->text(), u"&Rückgängig: "_s + step);
        EXPECT_EQ(image(), after);
        EXPECT_TRUE(frame()->isWindowModified());
        trigger("mnuBaUndo");
        EXPECT_EQ(image(), before);
        EXPECT_EQ(frame()->isWindowModified(), !beforeSaved);
        EXPECT_EQ(model().Geaendert, beforeSaved ? 0 : 1);
        EXPECT_EQ(action("mnuBaRedo")->text(), u"&Wiederholen: "_s + step);
        trigger("mnuBaRedo");
        EXPECT_EQ(image(), after);
        EXPECT_TRUE(frame()->isWindowModified());
        EXPECT_EQ(model().Geaendert, 1);
    }
    // In the open priority dialog: 24 to 26 December 2030 on C4.
    static void typeChristmas2030OnC4()
    {
        for (const char* part : {"24", "12", "26"}) {
            type(QString::fromLatin1(part));
            key(Qt::Key_Tab);
        }
        type(u"12"_s);
        ASSERT_TRUE(tabTo("lstvonJahr"));
        type(u"2030"_s);
    }
    // Closes the entry dialog still open after a command.
    template <typename Dialog>
    void closeDialog()
    {
        if (dialog<Dialog>())
            key(Qt::Key_Escape);
        ASSERT_EQ(dialog<Dialog>(), nullptr);
    }

    int steps_ = 0;
};

} // namespace

TEST_F(EntryDialogs, WeekProgramByKeyboardAlone)
{
    startWith(4);
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(focused(), u"txtAnzstd"_s);

    // Mo-Fr 6:45 ON on C1. A refused key and a minute out of range beep;
    // the box keeps the focus with its text selected, so typing replaces it.
    typeTime(u"6"_s, u"6x0"_s);
    EXPECT_EQ(interaction_.beeps, 1);
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzMin")->text(), u"60"_s);
    key(Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(interaction_.beeps, 2);
    EXPECT_EQ(focused(), u"txtAnzMin"_s);
    type(u"45"_s);
    for (const char* day : kWorkdays)
        tick(day);
    tick("chkKan1");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), u"txtAnzstd"_s);
    EXPECT_TRUE(child(sz, "imgSzok")->isVisible());

    // Mo-Fr 17:30 OFF: the days stay, the state button toggles.
    typeTime(u"17"_s, u"30"_s);
    tick("cmdEinAus");
    key(Qt::Key_Return);

    // Sa, So 9:00 ON on C2: "täglich" on and off clears the days.
    typeTime(u"9"_s, u"0"_s);
    for (const char* box : {"chktgl", "chktgl", "chkSamstag", "chkSonntag", "chkKan1", "chkKan2", "cmdEinAus"})
        tick(box);
    key(Qt::Key_Return);

    // 31 December 16:00 ON on C3, once: a date clears the days; the month is shown by name.
    typeTime(u"16"_s, u"0"_s);
    ASSERT_TRUE(tabTo("txtAnztag"));
    typeTime(u"31"_s, u"12"_s);
    for (const char* box : {"chk1x", "chkKan2", "chkKan3"})
        tick(box);
    key(Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzMon")->text(), u"Dezember"_s);
    EXPECT_TRUE(asked().empty()) << QStringList(messages().begin(), messages().end()).join(u'/').toStdString();

    key(Qt::Key_Escape);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    QStringList shown = rows();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{u"31. Dezember|16:00 Uhr|C3|1x|EIN"_s, kMoFr + u"|17:30 Uhr|C1||AUS"_s,
                                  kMoFr + u"|6:45 Uhr|C1||EIN"_s, row(u"Sa So"_s, 9, 2)}));
    EXPECT_EQ(model().Geaendert, 1);

    // 24 to 26 December 2030 on C4: a chosen year makes the priority time once.
    trigger("mnuBaPz");
    auto* pz = activeDialog<FrmEingPZ>();
    ASSERT_NE(pz, nullptr);
    EXPECT_EQ(focused(), u"txtvonTag"_s);
    typeChristmas2030OnC4();
    EXPECT_TRUE(child<QCheckBox>(pz, "chk1x")->isChecked());
    tick("chkKan4");
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    ASSERT_EQ(model().program().AnzPz, 1);
    const Entry& e = model().program().Eintrag[4];
    EXPECT_EQ(PriorityYearCode(e), 2030 - 1936);
    EXPECT_EQ(std::tuple(EntryOnce(e, false), EntryPriority(e, false), EntryChannels(e, false)), std::tuple(1, 1, 8));
}

TEST_F(EntryDialogs, ChangeIntoItselfThenDeleteWithConfirmation)
{
    startWithFiveEntries();
    const QStringList before = rows();
    markRows(2, 2);
    trigger("mnuBaÄnd");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzstd")->text(), u"9"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    EXPECT_TRUE(asked().empty());
    EXPECT_EQ(rows(), before);

    // Changed to 10:00 it takes its sorted place.
    markRows(2, 2);
    trigger("mnuBaÄnd");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    type(u"10"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(rows(), (QStringList{row(kMoFr, 7), row(kMoFr, 10), row(kMoFr, 11), row(kMoFr, 13), row(kMoFr, 15)}));

    // Delete asks first: Cancel keeps the rows, OK removes them.
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
    EXPECT_EQ(rows(), (QStringList{row(kMoFr, 7), row(kMoFr, 13), row(kMoFr, 15)}));
}

TEST_F(EntryDialogs, DoubleClickAndHeldPrioCell)
{
    startWith(4);
    openSample(u"Schule.zpg"_s);
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
    EXPECT_EQ(title(), u"Ändern von Schaltzeiten"_s);
    doubleClick(model().program().AnzSz + 1);
    EXPECT_EQ(title(), u"Eingabe von Schaltzeiten"_s);
    trigger("mnuAnsPz");
    doubleClick(model().program().AnzPz + 1);
    EXPECT_EQ(title(), u"Eingabe von Prioritätszeiten"_s);

    openSample(u"Schule.zpg"_s, "mnuDatVorl");
    trigger("mnuAnsSzVorl");
    doubleClick(1);
    EXPECT_EQ(title(), u"Kopieren von Schaltzeiten"_s);
    EXPECT_FALSE(action("mnuBalö")->isEnabled());

    // Held on a "Prio." cell the mouse shows that program's priority times.
    trigger("mnuANSSz");
    const QAbstractItemModel* m = grid()->model();
    int r = 0;
    while (r < m->rowCount() && m->index(r, 7).data().toString() != u"1"_s)
        ++r;
    ASSERT_LT(r, m->rowCount());
    const QPoint at = grid()->visualRect(m->index(r, 7)).center();
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list().Ansicht(), AnsichtPrioritaetszeiten);
    EXPECT_TRUE(app_->filter().active());
    EXPECT_EQ(rows().size(), 2);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list().Ansicht(), AnsichtSchaltzeiten);
    EXPECT_FALSE(app_->filter().active());
}

TEST_F(EntryDialogs, LastEntryPanelRefusalsAndAFullMemory)
{
    startWithFiveEntries();
    const auto enterMondayToFriday = [](const QString& hour) {
        type(hour);
        for (const char* day : kWorkdays)
            tick(day);
        tick("chkKan1");
        key(Qt::Key_Return);
    };
    addEntry(model(), BuildPriorityEntry(24, 12, 26, 12, 0, false, 1, 1, 1));
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    // The last-entry panel browses the switching times only.
    auto* time = child<QLabel>(sz, "lblOldZeit");
    EXPECT_TRUE(time->isHidden());
    QStringList seen;
    for (const char* image : {"imgoldSzup", "imgoldSzup", "imgoldSzdown", "imgoldSzdown"}) {
        click(sz, image);
        seen << time->text();
    }
    EXPECT_EQ(seen, (QStringList{u"15:00 Uhr"_s, u"13:00 Uhr"_s, u"15:00 Uhr"_s, u"15:00 Uhr"_s}));

    QApplication::setActiveWindow(sz);
    child(sz, "txtAnzstd")->setFocus();
    enterMondayToFriday(u"7"_s);
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(asked()[0].key(), TextId::SwitchingTimeExists);
    EXPECT_EQ(asked()[0].icon, Icon::Critical);
    EXPECT_NE(dialog<FrmEingSz>(), nullptr);
    key(Qt::Key_Escape);

    // The entry that makes 324 is stored, then the dialog closes; it does not open again.
    for (int t = 0; t < 317; ++t)
        addEntry(model(), BuildDatedEntry(t, 1, 1, 2, 1, 0, false));
    trigger("mnuBaSz");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    enterMondayToFriday(u"8"_s);
    EXPECT_EQ(model().program().AnzEintrag, 324);
    EXPECT_EQ(asked().back().key(), TextId::MemoryFull);
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    trigger("mnuBaSz");
    EXPECT_EQ(dialog<FrmEingSz>(), nullptr);
    EXPECT_EQ(asked().size(), 3u);
    EXPECT_EQ(asked().back().key(), TextId::MemoryFull);
}

TEST_F(EntryDialogs, SixteenChannelDeviceTakesOneChannelFromACombo)
{
    startWith(20);
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    EXPECT_EQ(sz->findChild<QCheckBox*>(u"chkKan1"_s), nullptr);
    tick("chkMontag");
    ASSERT_TRUE(tabTo("cboKanal"));
    EXPECT_EQ(child<QComboBox>(sz, "cboKanal")->count(), 16);
    for (int i = 0; i < 11; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    EXPECT_EQ(rows(), QStringList{u"Mo|0:00 Uhr|C12||EIN"_s});
}

TEST_F(EntryDialogs, MovableHolidayOfASet)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), work(u"deutsch.hdy"_s)));
    startWith(10);   // a one-channel switch that computes movable holidays itself
    trigger("mnuBaPz");
    auto* pz = activeDialog<FrmEingPZ>();
    ASSERT_NE(pz, nullptr);
    auto* sets = child<QComboBox>(pz, "cbo_Ft_sets");
    EXPECT_EQ(sets->itemText(sets->count() - 1), u"alle"_s);
    tick("chk_bew_Feiertage");
    EXPECT_FALSE(child(pz, "txtvonTag")->isEnabled());
    ASSERT_TRUE(tabTo("lst_bew_Feiertage"));
    type(u"Karfreitag"_s);
    EXPECT_EQ(child<QListWidget>(pz, "lst_bew_Feiertage")->currentItem()->text(), u"Karfreitag"_s);
    tick("chkKan1");
    key(Qt::Key_Return);
    ASSERT_EQ(model().program().AnzPz, 1);
    const Entry& e = model().program().Eintrag[0];
    EXPECT_EQ(e.b[0], kEasterMarker);
    EXPECT_EQ(PriorityEasterOffset(e), -2);
}

TEST_F(EntryDialogs, OkForAllWithASetEntersEveryHolidayOnce)
{
    ASSERT_TRUE(QFile::copy(shipped(u"english.hdy"_s), work(u"english.hdy"_s)));
    startWith(10, 2);
    trigger("mnuBaPz");
    auto* pz = activeDialog<FrmEingPZ>();
    ASSERT_NE(pz, nullptr);
    auto* sets = child<QComboBox>(pz, "cbo_Ft_sets");
    sets->setCurrentIndex(sets->findText(u"England and Wales"_s));
    emit sets->activated(sets->currentIndex());
    tick("chk_bew_Feiertage");
    child<QListWidget>(pz, "lst_bew_Feiertage")->setCurrentRow(2);   // one holiday marked
    tick("chkKan1");
    click(pz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !asked().empty(); }, 5000));
    // Every holiday of the set once, and how many entries that made.
    const QString said = messages().back();
    EXPECT_TRUE(said.startsWith(u"Entered: 8 holidays of the set in %1 entries."_s.arg(model().program().AnzPz)))
        << said.toStdString();
    EXPECT_GT(model().program().AnzPz, 8);
    EXPECT_EQ(activeDialog<FrmEingPZ>(), pz);
    click(pz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return asked().size() == 2; }, 5000));
    EXPECT_TRUE(messages().back().contains(u"Already there"_s)) << messages().back().toStdString();
}

TEST_F(EntryDialogs, MonthBoxTakesTheBeginningOfAName)
{
    // Language 1 German, 2 English, 3 French: typed, then the name the box shows.
    const struct {
        int sprache;
        const char* typed;
        const char* shown;
    } cases[] = {{1, "Dez", "Dezember"}, {2, "dec", "December"}, {3, "déc", "décembre"}, {3, "fev", "février"}};
    for (const auto& c : cases) {
        startWith(4, c.sprache);
        trigger("mnuBaSz");
        auto* sz = activeDialog<FrmEingSz>();
        ASSERT_NE(sz, nullptr);
        const int beeps = interaction_.beeps;
        ASSERT_TRUE(tabTo("txtAnztag"));
        type(u"24"_s);
        key(Qt::Key_Tab);
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(interaction_.beeps, beeps) << c.typed;
        key(Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(interaction_.beeps, beeps) << c.typed;
        EXPECT_EQ(child<QLineEdit>(sz, "txtAnzMon")->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(child<QListWidget>(sz, "LstMonat")->currentRow(), QString::fromUtf8(c.shown) == u"février"_s ? 1 : 11);
        tick("chkKan1");
        key(Qt::Key_Return);
        key(Qt::Key_Escape);
        ASSERT_EQ(model().program().AnzSz, 1) << c.typed;
        EXPECT_EQ(EntryMonth(model().program().Eintrag[0]), c.shown == std::string("février") ? 2 : 12);
        app_.reset();
    }
}

namespace {

// Whether the box is drawn with a red frame: its left edge, halfway down.
bool framedRed(QLineEdit* box)
{
    const QImage image = box->grab().toImage();
    const QColor edge = image.pixelColor(image.width() > 200 ? 1 : 0, image.height() / 2);
    return edge.red() > 150 && edge.green() < 100 && edge.blue() < 100;
}

} // namespace

TEST_F(EntryDialogs, RefusedInputShowsTheRangeAndARedFrameUntilValid)
{
    startWith(4);
    trigger("mnuBaSz");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    auto* hint = child<QLabel>(sz, "lblHinweis");
    auto* hour = child<QLineEdit>(sz, "txtAnzstd");
    auto* minute = child<QLineEdit>(sz, "txtAnzMin");
    EXPECT_TRUE(hint->text().isEmpty());
    EXPECT_FALSE(framedRed(hour));

    // Hour 25: beep, the focus stays, the range shows, the box is framed red.
    type(u"25"_s);
    key(Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(interaction_.beeps, 1);
    EXPECT_EQ(focused(), u"txtAnzstd"_s);
    EXPECT_EQ(hint->text(), u"Stunden: eine Zahl von 0 bis 23"_s);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(framedRed(hour));
    // OK does not take it either and keeps showing why.
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(focused(), u"txtAnzstd"_s);
    EXPECT_TRUE(framedRed(hour));
    EXPECT_TRUE(asked().empty());

    // Still out of range while typing: the frame stays; valid: frame and hint go.
    type(u"24"_s);
    EXPECT_TRUE(framedRed(hour));
    EXPECT_EQ(hint->text(), u"Stunden: eine Zahl von 0 bis 23"_s);
    key(Qt::Key_Backspace);
    EXPECT_EQ(hour->text(), u"2"_s);
    EXPECT_FALSE(framedRed(hour));
    EXPECT_TRUE(hint->text().isEmpty());
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), u"txtAnzMin"_s);

    // A letter in a digit field: beep and the same hint, the letter is dropped.
    type(u"1x"_s);
    EXPECT_EQ(interaction_.beeps, 3);
    EXPECT_EQ(minute->text(), u"1"_s);
    EXPECT_EQ(hint->text(), u"Minuten: eine Zahl von 0 bis 59"_s);
    EXPECT_TRUE(framedRed(minute));
    type(u"5"_s);
    EXPECT_FALSE(framedRed(minute));
    EXPECT_TRUE(hint->text().isEmpty());

    // Minute 61 when OK is pressed: nothing is stored until it is mended.
    tick("chkMontag");
    tick("chkKan1");
    minute->setFocus();
    minute->selectAll();
    type(u"61"_s);
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(focused(), u"txtAnzMin"_s);
    EXPECT_EQ(hint->text(), u"Minuten: eine Zahl von 0 bis 59"_s);
    EXPECT_TRUE(framedRed(minute));
    EXPECT_EQ(model().program().AnzSz, 0);
    type(u"15"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(model().program().AnzSz, 1);
    EXPECT_EQ(EntryTime(model().program().Eintrag[0]), 2 * 60 + 15);
    EXPECT_TRUE(hint->text().isEmpty());
    EXPECT_FALSE(framedRed(minute));
}

TEST_F(EntryDialogs, RefusedMonthKeepsTheFocusWithTheHintInTheUsersLanguage)
{
    // Language, a month refused (out of range, or the beginning of two
    // names), the hint then shown, the text that mends it and the name shown.
    const struct {
        int sprache;
        const char* refused;
        const char* hint;
        const char* mended;
        const char* shown;
    } cases[] = {{2, "13", "Month: a number from 1 to 12 or a name from the list", "Jul", "July"},
                 {2, "Ju", "Month: a number from 1 to 12 or a name from the list", "Jul", "July"},
                 {3, "13", "Mois : un nombre de 1 à 12 ou un nom de la liste", "fév", "février"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        startWith(4, c.sprache);
        trigger("mnuBaPz");
        auto* pz = activeDialog<FrmEingPZ>();
        ASSERT_NE(pz, nullptr);
        const int beeps = interaction_.beeps;
        type(u"1"_s);
        key(Qt::Key_Tab);
        type(QString::fromUtf8(c.refused));
        key(Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(interaction_.beeps, beeps + 1);
        EXPECT_EQ(focused(), u"txtvonMon"_s);
        EXPECT_EQ(child<QLabel>(pz, "lblHinweis")->text(), QString::fromUtf8(c.hint));
        EXPECT_TRUE(framedRed(child<QLineEdit>(pz, "txtvonMon")));
        type(QString::fromUtf8(c.mended));
        key(Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(child<QLineEdit>(pz, "txtvonMon")->text(), QString::fromUtf8(c.shown));
        key(Qt::Key_Escape);
        app_.reset();
    }
}

TEST_F(EntryDialogs, StateButtonFitsTheLongerStateTextAndKeepsItsWidth)
{
    // Each language, at the normal font and at one half larger (as a 1.5
    // scale factor or large fonts give), with the dialog pressed to its
    // narrowest: both state texts fit whole, and a toggle keeps the width.
    const QFont original = QApplication::font();
    for (const double scale : {1.0, 1.5}) {
        for (const int sprache : {1, 2, 3}) {
            QFont font = original;
            font.setPointSizeF(original.pointSizeF() * scale);
            QApplication::setFont(font);
            startWith(4, sprache);
            for (const char* command : {"mnuBaPz", "mnuBaSz"}) {
                trigger(command);
                QDialog* d = frame()->findChild<FrmEingPZ*>();
                if (!d)
                    d = frame()->findChild<FrmEingSz*>();
                ASSERT_NE(d, nullptr);
                d->resize(320, d->height());
                QApplication::processEvents();
                auto* b = child<QPushButton>(d, "cmdEinAus");
                const int width = b->width();
                const QFontMetrics metrics(b->font());
                QStringList seen;
                for (int toggle = 0; toggle < 3; ++toggle) {
                    seen << b->text();
                    // The style gives the text 14 pixels on either side.
                    EXPECT_GE(b->width(), metrics.horizontalAdvance(b->text()) + 28)
                        << b->text().toStdString() << " at scale " << scale;
                    EXPECT_EQ(b->width(), width) << b->text().toStdString();
                    EXPECT_TRUE(b->parentWidget()->contentsRect().contains(b->geometry()));
                    b->click();
                    QApplication::processEvents();
                }
                EXPECT_EQ(seen.size(), 3);
                EXPECT_NE(seen[0], seen[1]);
                d->close();
                settle();
            }
            app_.reset();
        }
    }
    QApplication::setFont(original);
}

TEST(MnemonicSet, EachCaptionGetsAnUnusedLetter)
{
    MnemonicSet set;
    QStringList marked;
    for (const QString& caption : {u"Montag"_s, u"Mittwoch"_s, u"&Neu"_s, u"Nein"_s, u"A & B"_s, u"mit"_s})
        marked << set.mark(caption);
    EXPECT_EQ(marked, (QStringList{u"&Montag"_s, u"M&ittwoch"_s, u"&Neu"_s, u"N&ein"_s, u"&A && B"_s, u"mi&t"_s}));
}


TEST_F(EntryDialogs, EveryEntryCommandIsOneUndoStepByteForByte)
{
    startWithFiveEntries();
    chooser_.save = work(u"UNDO.ZPG"_s);
    trigger("mnudatspu");
    ASSERT_FALSE(frame()->isWindowModified());
    steps_ = frame()->history().stack().count();
    const QByteArray saved = image();

    // The assistant: one hour on, the state kept. Cancel leaves the settings alone.
    trigger("mnuEinstAuto");
    auto* settings = dialog<FrmAutoEinst>();
    ASSERT_NE(settings, nullptr);
    child<QSlider>(settings, "hsbincmin")->setValue(30);
    click(settings, "cmdEinstAbbrechen");
    trigger("mnuEinstAuto");
    settings = dialog<FrmAutoEinst>();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(child<QSlider>(settings, "hsbincmin")->value(), 1);
    child<QSlider>(settings, "hsbincmin")->setValue(0);
    child<QSlider>(settings, "HsbIncStd")->setValue(1);
    EXPECT_EQ(child<QLabel>(settings, "lblIncStd")->text(), u"1 Stunde"_s);
    click(settings, "chkZustand");
    click(settings, "ChkEinstOk");

    // OK for all copies the five rows an hour later, asking nothing: one step.
    markRows(1, 5);
    trigger("mnuBaKop");
    auto* sz = activeDialog<FrmEingSz>();
    ASSERT_NE(sz, nullptr);
    click(sz, "chkautopil");
    click(sz, "Cmd1xauto");
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzstd")->text(), u"8"_s);
    click(sz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog<FrmEingSz>() == nullptr; }, 5000));
    EXPECT_TRUE(asked().empty());
    QStringList expected;
    for (int hour = 7; hour <= 16; ++hour)
        expected << row(kMoFr, hour);
    EXPECT_EQ(rows(), expected);
    const QByteArray okForAll = image();
    undoAndRedo(u"5 Schaltzeiten eingeben"_s, saved, okForAll, true);

    // One row copied to 17:00.
    markRows(2, 2);
    trigger("mnuBaKop");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    type(u"17"_s);
    key(Qt::Key_Return);
    closeDialog<FrmEingSz>();
    ASSERT_EQ(model().program().AnzSz, 11);
    const QByteArray copied = image();
    undoAndRedo(u"1 Schaltzeit eingeben"_s, okForAll, copied, false);

    // The first row changed to 6:00.
    markRows(1, 1);
    trigger("mnuBaÄnd");
    ASSERT_NE(activeDialog<FrmEingSz>(), nullptr);
    type(u"6"_s);
    key(Qt::Key_Return);
    closeDialog<FrmEingSz>();
    const QByteArray changed = image();
    undoAndRedo(u"Schaltzeiten ändern"_s, copied, changed, false);

    // Five rows deleted with the list's delete command.
    answer(TextId::ReallyDelete, Answer::Ok);
    markRows(2, 6);
    trigger("mnuBalö");
    ASSERT_EQ(model().program().AnzSz, 6);
    const QByteArray deleted = image();
    undoAndRedo(u"5 Schaltzeiten löschen"_s, changed, deleted, false);

    // A priority time stored: 24 to 26 December 2030 on C4.
    trigger("mnuBaPz");
    ASSERT_NE(activeDialog<FrmEingPZ>(), nullptr);
    typeChristmas2030OnC4();
    tick("chkKan4");
    key(Qt::Key_Return);
    closeDialog<FrmEingPZ>();
    ASSERT_EQ(model().program().AnzPz, 1);
    const QByteArray priority = image();
    undoAndRedo(u"1 Prioritätszeit eingeben"_s, deleted, priority, false);

    // Changed to begin on the 23rd.
    markRows(1, 1);
    trigger("mnuBaÄnd");
    ASSERT_NE(activeDialog<FrmEingPZ>(), nullptr);
    ASSERT_TRUE(tabTo("txtvonTag"));
    type(u"23"_s);
    key(Qt::Key_Return);
    closeDialog<FrmEingPZ>();
    const QByteArray priorityChanged = image();
    ASSERT_NE(priorityChanged, priority);
    undoAndRedo(u"Prioritätszeiten ändern"_s, priority, priorityChanged, false);

    // And deleted.
    markRows(1, 1);
    trigger("mnuBalö");
    ASSERT_EQ(model().program().AnzPz, 0);
    undoAndRedo(u"1 Prioritätszeit löschen"_s, priorityChanged, image(), false);

    // All the way back is the saved file; one step forward is a change again.
    const QUndoStack& stack = frame()->history().stack();
    ASSERT_GE(stack.cleanIndex(), 0);
    while (stack.index() > stack.cleanIndex())
        trigger("mnuBaUndo");
    EXPECT_EQ(image(), saved);
    EXPECT_FALSE(frame()->isWindowModified());
    trigger("mnuBaRedo");
    EXPECT_EQ(image(), okForAll);
    EXPECT_TRUE(frame()->isWindowModified());
}
