#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/FrmEingPZ.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/frame/UndoHistory.h"

#include <QFontMetrics>
#include <QImage>
#include <QSlider>
#include <QUndoStack>

#include <functional>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kMoFr = u"Mo Di Mi Do Fr"_s;

class EntryDialogs : public DesktopFixture {
protected:
    // A four-channel switch with Mo-Fr C1 ON at 7, 9, 11, 13 and 15 o'clock.
    void startWithFiveEntries()
    {
        startWith(4);
        for (int hour : {7, 9, 11, 13, 15}) addEntry(model(), BuildWeeklyEntry(hour * 60, 0b11111, 1, 1, 0, 0));
        frame()->ShowList();
    }
    // Cells of the item rows: days, time, channels, "1x", state, trimmed, one line per row.
    QStringList rows() const
    {
        QStringList out;
        const QAbstractItemModel* m = grid()->model();
        for (int r = 0; r < m->rowCount() && !m->index(r, 0).data().toString().isEmpty(); ++r) {
            QStringList cells;
            for (int c : {1, 2, 3, 5, 6}) cells << m->index(r, c).data().toString().trimmed();
            out << cells.join(u'|');
        }
        return out;
    }
    // Mo-Fr ON on C1 at those hours.
    static QStringList hours(std::initializer_list<int> hs)
    {
        QStringList out;
        for (int h : hs) out << u"%1|%2:00 Uhr|C1||EIN"_s.arg(kMoFr).arg(h);
        return out;
    }
    // The dialog a command opened, active for the keyboard.
    template <typename Dialog>
    Dialog* activeDialog(const char* command)
    {
        auto* d = open<Dialog>(command);
        QApplication::setActiveWindow(d);
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        return d;
    }
    QDialog* activeEntryDialog(bool priority) { return priority ? static_cast<QDialog*>(activeDialog<FrmEingPZ>("mnuBaPz")) : activeDialog<FrmEingSz>("mnuBaSz"); }
    static QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // Types characters, those beyond ASCII (é, ä) as the key events a keyboard layout sends.
    static void type(const QString& text)
    {
        for (const QChar c : text)
            c.unicode() < 0x80 ? QTest::keyClick(QApplication::focusWidget(), c.toLatin1()) : QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Types the hour, then the minute into the box after it.
    static void typeTime(const QString& hour, const QString& minute) { type(hour), key(Qt::Key_Tab), type(minute); }
    // Tabs to a control; false when the tab chain does not reach it.
    static bool tabTo(const char* name)
    {
        for (int i = 0; i < 40 && focused() != QString::fromUtf8(name); ++i) key(Qt::Key_Tab);
        return focused() == QString::fromUtf8(name);
    }
    static void tick(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            ASSERT_TRUE(tabTo(name)) << name;
            key(Qt::Key_Space);
        }
    }
    static void tickWorkdays() { tick({"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag", "chkFreitag"}); }

    QByteArray image() { return SavedImage(model()); }
    // The last command was one step named `step`: undo brings back `before`, redo `after`, and the title's mark says
    // whether that is the saved state.
    void undoAndRedo(const QString& step, const QByteArray& before, bool beforeSaved = false)
    {
        SCOPED_TRACE(step.toStdString());
        const QByteArray after = image();
        ASSERT_NE(after, before);
        // One step per command, named in the menu.
        EXPECT_EQ(std::tuple(frame()->history().stack().count(), action("mnuBaUndo")->text(), frame()->isWindowModified()), std::tuple(++steps_, u"&Rückgängig: "_s + step, true));
        trigger("mnuBaUndo");
        EXPECT_TRUE(image() == before) << "undone";
        EXPECT_EQ(std::tuple(frame()->isWindowModified(), model().Geaendert, action("mnuBaRedo")->text()), std::tuple(!beforeSaved, beforeSaved ? 0 : 1, u"&Wiederholen: "_s + step));
        trigger("mnuBaRedo");
        EXPECT_TRUE(image() == after) << "redone";
        EXPECT_EQ(std::pair(frame()->isWindowModified(), model().Geaendert), std::pair(true, 1));
    }
    // In the open priority dialog: 24 to 26 December 2030 on C4, then closed.
    static void typeChristmas2030OnC4()
    {
        for (const char* part : {"24", "12", "26"}) type(QString::fromLatin1(part)), key(Qt::Key_Tab);
        type(u"12"_s);
        ASSERT_TRUE(tabTo("lstvonJahr"));
        type(u"2030"_s);
        EXPECT_TRUE(child<QCheckBox>(QApplication::activeModalWidget(), "chk1x")->isChecked()) << "a year makes it once";
        tick({"chkKan4"}), key(Qt::Key_Return), key(Qt::Key_Escape);
    }
    // A command whose dialog takes `typed` and OK, then is closed.
    template <typename Dialog>
    void enter(const char* command, const QString& typed, const char* field = nullptr)
    {
        activeDialog<Dialog>(command);
        ASSERT_TRUE(!field || tabTo(field));
        type(typed), key(Qt::Key_Return);
        if (dialog<Dialog>()) key(Qt::Key_Escape);
        ASSERT_EQ(dialog<Dialog>(), nullptr);
    }

    int steps_ = 0;
};

// Whether the box is drawn with a red frame: its left edge, halfway down.
bool FramedRed(QLineEdit* box)
{
    const QImage image = box->grab().toImage();
    const QColor edge = image.pixelColor(image.width() > 200 ? 1 : 0, image.height() / 2);
    return edge.red() > 150 && edge.green() < 100 && edge.blue() < 100;
}

} // namespace

TEST_F(EntryDialogs, WeekProgramByKeyboardAlone)
{
    startWith(4);
    auto* sz = activeDialog<FrmEingSz>("mnuBaSz");
    EXPECT_EQ(focused(), u"txtAnzstd"_s);
    // Mo-Fr 6:45 ON on C1; the hour box takes the focus again.
    typeTime(u"6"_s, u"45"_s), tickWorkdays(), tick({"chkKan1"}), key(Qt::Key_Return);
    EXPECT_EQ(focused(), u"txtAnzstd"_s);
    EXPECT_TRUE(child(sz, "imgSzok")->isVisible());
    // Mo-Fr 17:30 OFF: the days stay, the state button toggles.
    typeTime(u"17"_s, u"30"_s), tick({"cmdEinAus"}), key(Qt::Key_Return);
    // Sa, So 9:00 ON on C2: "täglich" on and off clears the days.
    typeTime(u"9"_s, u"0"_s), tick({"chktgl", "chktgl", "chkSamstag", "chkSonntag", "chkKan1", "chkKan2", "cmdEinAus"}), key(Qt::Key_Return);
    // 31 December 16:00 ON on C3, once: a date clears the days; the month is shown by name.
    typeTime(u"16"_s, u"0"_s);
    ASSERT_TRUE(tabTo("txtAnztag"));
    typeTime(u"31"_s, u"12"_s), tick({"chk1x", "chkKan2", "chkKan3"}), key(Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzMon")->text(), u"Dezember"_s);
    EXPECT_EQ(asked().size(), 0u) << QStringList(messages().begin(), messages().end()).join(u'/').toStdString();
    key(Qt::Key_Escape);
    QStringList shown = rows();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{u"31. Dezember|16:00 Uhr|C3|1x|EIN"_s, kMoFr + u"|17:30 Uhr|C1||AUS"_s, kMoFr + u"|6:45 Uhr|C1||EIN"_s, u"Sa So|9:00 Uhr|C2||EIN"_s}));
    EXPECT_EQ(std::pair(dialog<FrmEingSz>(), model().Geaendert), std::pair(static_cast<FrmEingSz*>(nullptr), 1));

    // 24 to 26 December 2030 on C4: a chosen year makes the priority time once.
    activeDialog<FrmEingPZ>("mnuBaPz");
    EXPECT_EQ(focused(), u"txtvonTag"_s);
    typeChristmas2030OnC4();
    ASSERT_EQ(model().program().AnzPz, 1);
    const Entry& e = model().program().Eintrag[4];
    EXPECT_EQ(std::tuple(PriorityYearCode(e), EntryOnce(e, false), EntryPriority(e, false), EntryChannels(e, false)), std::tuple(2030 - 1936, 1, 1, 8));
}

TEST_F(EntryDialogs, DoubleClickAndHeldPrioCell)
{
    startWith(4);
    openSample(u"Schule.zpg"_s);
    // The title of the dialog a double click on a row opened.
    const auto doubleClick = [this](int row) {
        doubleClickCell(row - 1, 1);
        QDialog* d = dialog<QDialog>();
        const QString t = d ? d->windowTitle() : QString();
        if (d) d->reject();
        return t;
    };
    QStringList titles{doubleClick(3), doubleClick(model().program().AnzSz + 1)};
    trigger("mnuAnsPz");
    titles << doubleClick(model().program().AnzPz + 1);
    openSample(u"Schule.zpg"_s, "mnuDatVorl");
    trigger("mnuAnsSzVorl");
    titles << doubleClick(1);
    EXPECT_EQ(titles, (QStringList{u"Ändern von Schaltzeiten"_s, u"Eingabe von Schaltzeiten"_s, u"Eingabe von Prioritätszeiten"_s, u"Kopieren von Schaltzeiten"_s}));
    EXPECT_FALSE(action("mnuBalö")->isEnabled());

    // Held on a "Prio." cell the mouse shows that program's priority times.
    trigger("mnuANSSz");
    const QAbstractItemModel* m = grid()->model();
    int r = 0;
    while (r < m->rowCount() && m->index(r, 7).data().toString() != u"1"_s) ++r;
    ASSERT_LT(r, m->rowCount());
    const QPoint at = grid()->visualRect(m->index(r, 7)).center();
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::tuple(list().Ansicht(), app_->filter().active(), rows().size()), std::tuple(int(AnsichtPrioritaetszeiten), true, qsizetype(2)));
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::pair(list().Ansicht(), app_->filter().active()), std::pair(int(AnsichtSchaltzeiten), false));
}

TEST_F(EntryDialogs, LastEntryPanelRefusalsAndAFullMemory)
{
    startWithFiveEntries();
    const auto enterMondayToFriday = [](const QString& hour) {
        type(hour), tickWorkdays(), tick({"chkKan1"}), key(Qt::Key_Return);
    };
    addEntry(model(), BuildPriorityEntry(24, 12, 26, 12, 0, false, 1, 1, 1));
    auto* sz = activeDialog<FrmEingSz>("mnuBaSz");
    // The last-entry panel browses the switching times only.
    auto* time = child<QLabel>(sz, "lblOldZeit");
    EXPECT_TRUE(time->isHidden());
    QStringList seen;
    for (const char* image : {"imgoldSzup", "imgoldSzup", "imgoldSzdown", "imgoldSzdown"}) click(sz, image), seen << time->text();
    EXPECT_EQ(seen, (QStringList{u"15:00 Uhr"_s, u"13:00 Uhr"_s, u"15:00 Uhr"_s, u"15:00 Uhr"_s}));

    QApplication::setActiveWindow(sz);
    child(sz, "txtAnzstd")->setFocus();
    enterMondayToFriday(u"7"_s);
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(std::tuple(asked()[0].key(), asked()[0].icon, dialog<FrmEingSz>()), std::tuple(TextId::SwitchingTimeExists, Icon::Critical, sz));
    key(Qt::Key_Escape);

    // The entry that makes 324 is stored, then the dialog closes; it does not open again.
    for (int t = 0; t < 317; ++t) addEntry(model(), BuildDatedEntry(t, 1, 1, 2, 1, 0, false));
    activeDialog<FrmEingSz>("mnuBaSz");
    enterMondayToFriday(u"8"_s);
    EXPECT_EQ(std::tuple(model().program().AnzEintrag, asked().back().key(), dialog<FrmEingSz>()), std::tuple(324, TextId::MemoryFull, static_cast<FrmEingSz*>(nullptr)));
    trigger("mnuBaSz");
    EXPECT_EQ(std::tuple(asked().size(), asked().back().key(), dialog<FrmEingSz>()), std::tuple(std::size_t(3), TextId::MemoryFull, static_cast<FrmEingSz*>(nullptr)));
}

TEST_F(EntryDialogs, SixteenChannelDeviceTakesOneChannelFromACombo)
{
    startWith(20);
    auto* sz = activeDialog<FrmEingSz>("mnuBaSz");
    EXPECT_EQ(sz->findChild<QCheckBox*>(u"chkKan1"_s), nullptr);
    tick({"chkMontag"});
    ASSERT_TRUE(tabTo("cboKanal"));
    EXPECT_EQ(child<QComboBox>(sz, "cboKanal")->count(), 16);
    for (int i = 0; i < 11; ++i) key(Qt::Key_Down);
    key(Qt::Key_Return), key(Qt::Key_Escape);
    EXPECT_EQ(rows(), QStringList{u"Mo|0:00 Uhr|C12||EIN"_s});
}

// A movable holiday found by typing its name; then "OK for all" with a set enters every holiday of the set once (the
// one there already is counted).
TEST_F(EntryDialogs, HolidaysOfASetOneOrAllOnce)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), work(u"deutsch.hdy"_s)));
    startWith(10); // a one-channel switch that computes movable holidays itself
    auto* pz = activeDialog<FrmEingPZ>("mnuBaPz");
    auto* sets = child<QComboBox>(pz, "cbo_Ft_sets");
    EXPECT_EQ(sets->itemText(sets->count() - 1), u"alle"_s);
    tick({"chk_bew_Feiertage"});
    EXPECT_FALSE(child(pz, "txtvonTag")->isEnabled());
    ASSERT_TRUE(tabTo("lst_bew_Feiertage"));
    type(u"Karfreitag"_s);
    EXPECT_EQ(child<QListWidget>(pz, "lst_bew_Feiertage")->currentItem()->text(), u"Karfreitag"_s);
    tick({"chkKan1"}), key(Qt::Key_Return);
    ASSERT_EQ(model().program().AnzPz, 1);
    EXPECT_EQ(std::pair(int(model().program().Eintrag[0].b[0]), PriorityEasterOffset(model().program().Eintrag[0])), std::pair(int(kEasterMarker), -2));

    sets->setCurrentIndex(sets->findText(u"Deutschland (bundesweit)"_s));
    emit sets->activated(sets->currentIndex());
    child<QListWidget>(pz, "lst_bew_Feiertage")->setCurrentRow(2); // one holiday marked
    click(pz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !asked().empty(); }, 5000));
    const QString said = messages().back();
    // The nine holidays of the set, Karfreitag among them already, one entry each.
    EXPECT_EQ(std::pair(said, model().program().AnzPz), std::pair(u"Eingetragen: 9 Feiertage des Sets mit 8 Einträgen. Schon vorhanden: 1."_s, 9));
    EXPECT_EQ(dialog<FrmEingPZ>(), pz);
    click(pz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return asked().size() == 2; }, 5000));
    EXPECT_TRUE(messages().back().contains(u"Schon vorhanden"_s)) << messages().back().toStdString();
}

// A month is typed as a number or the beginning of a name of the user's language; a refused one (out of range, or the
// beginning of two names) beeps, keeps the focus and shows the range in that language until mended.
TEST_F(EntryDialogs, MonthBoxTakesTheBeginningOfANameAndRefusesInTheUsersLanguage)
{
    const char* const hintEn = "Month: a number from 1 to 12 or a name from the list";
    const struct {
        int sprache;
        bool priority;                              // the priority dialog's start, else the switching-time dialog's date
        const char *refused, *hint, *typed, *shown; // refused: nullptr for none
        int month;
    } cases[] = {
        {1, false, nullptr, "", "Dez", "Dezember", 12},
        {3, false, nullptr, "", "déc", "décembre", 12},
        {2, true, "13", hintEn, "Jul", "July", 7},
        {2, true, "Ju", hintEn, "Jul", "July", 7},
        {3, true, "13", "Mois : un nombre de 1 à 12 ou un nom de la liste", "fév", "février", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        startWith(4, c.sprache);
        QDialog* d = activeEntryDialog(c.priority);
        const char* box = c.priority ? "txtvonMon" : "txtAnzMon";
        const int beeps = interaction_.beeps;
        ASSERT_TRUE(c.priority || tabTo("txtAnztag"));
        type(u"24"_s), key(Qt::Key_Tab);
        if (c.refused) {
            type(QString::fromUtf8(c.refused)), key(Qt::Key_Tab), QApplication::processEvents();
            EXPECT_EQ(std::tuple(interaction_.beeps, focused(), child<QLabel>(d, "lblHinweis")->text(), FramedRed(child<QLineEdit>(d, box))), std::tuple(beeps + 1, QString::fromLatin1(box), QString::fromUtf8(c.hint), true));
        }
        type(QString::fromUtf8(c.typed)), key(Qt::Key_Tab), QApplication::processEvents();
        EXPECT_EQ(std::pair(interaction_.beeps, child<QLineEdit>(d, box)->text()), std::pair(beeps + (c.refused ? 1 : 0), QString::fromUtf8(c.shown)));
        if (!c.priority) {
            EXPECT_EQ(child<QListWidget>(d, "LstMonat")->currentRow(), c.month - 1);
            tick({"chkKan1"}), key(Qt::Key_Return);
            ASSERT_EQ(model().program().AnzSz, 1);
            EXPECT_EQ(EntryMonth(model().program().Eintrag[0]), c.month);
        }
        key(Qt::Key_Escape);
        app_.reset();
    }
}

// A refused key or value beeps, keeps the focus (its text selected, so typing replaces it), shows the range and
// frames the box red until it is mended.
TEST_F(EntryDialogs, RefusedInputShowsTheRangeAndARedFrameUntilValid)
{
    startWith(4);
    auto* sz = activeDialog<FrmEingSz>("mnuBaSz");
    auto* hint = child<QLabel>(sz, "lblHinweis");
    auto* hour = child<QLineEdit>(sz, "txtAnzstd");
    auto* minute = child<QLineEdit>(sz, "txtAnzMin");
    const QString hourRange = u"Stunden: eine Zahl von 0 bis 23"_s, minuteRange = u"Minuten: eine Zahl von 0 bis 59"_s;
    // What the user sees: beeps, focus, hint, whether the box is framed red.
    const auto state = [&](QLineEdit* box) {
        QApplication::processEvents();
        return std::tuple(interaction_.beeps, focused(), hint->text(), FramedRed(box));
    };
    EXPECT_EQ(state(hour), std::tuple(0, u"txtAnzstd"_s, QString(), false));

    // Hour 25: leaving and OK both refuse it and keep showing why.
    type(u"25"_s), key(Qt::Key_Tab);
    EXPECT_EQ(state(hour), std::tuple(1, u"txtAnzstd"_s, hourRange, true));
    key(Qt::Key_Return);
    EXPECT_EQ(state(hour), std::tuple(2, u"txtAnzstd"_s, hourRange, true));
    EXPECT_TRUE(hint->isVisible() && asked().empty());
    // Still out of range while typing: the frame stays; valid: frame and hint go.
    type(u"24"_s);
    EXPECT_EQ(state(hour), std::tuple(2, u"txtAnzstd"_s, hourRange, true));
    key(Qt::Key_Backspace);
    EXPECT_EQ(state(hour), std::tuple(2, u"txtAnzstd"_s, QString(), false));
    EXPECT_EQ(hour->text(), u"2"_s);
    key(Qt::Key_Tab);
    // A letter in a digit field: beep and the same hint, the letter is dropped.
    type(u"1x"_s);
    EXPECT_EQ(minute->text(), u"1"_s);
    EXPECT_EQ(state(minute), std::tuple(3, u"txtAnzMin"_s, minuteRange, true));
    type(u"5"_s);
    EXPECT_EQ(state(minute), std::tuple(3, u"txtAnzMin"_s, QString(), false));
    // Minute 60 when leaving: refused, and typing replaces it.
    minute->selectAll();
    type(u"60"_s), key(Qt::Key_Tab);
    EXPECT_EQ(state(minute), std::tuple(4, u"txtAnzMin"_s, minuteRange, true));
    type(u"15"_s);
    EXPECT_EQ(minute->text(), u"15"_s);
    // Minute 61 when OK is pressed: nothing is stored until it is mended.
    tick({"chkMontag", "chkKan1"});
    minute->setFocus();
    minute->selectAll();
    type(u"61"_s), key(Qt::Key_Return);
    EXPECT_EQ(state(minute), std::tuple(5, u"txtAnzMin"_s, minuteRange, true));
    EXPECT_EQ(model().program().AnzSz, 0);
    type(u"15"_s), key(Qt::Key_Return);
    EXPECT_EQ(std::pair(model().program().AnzSz, EntryTime(model().program().Eintrag[0])), std::pair(1, 2 * 60 + 15));
    EXPECT_EQ(state(minute), std::tuple(5, u"txtAnzstd"_s, QString(), false));
}

// Each language at a font one half larger (as a 1.5 scale factor or large fonts give), with the dialog pressed to its
// narrowest: both state texts fit whole, and a toggle keeps the width.
TEST_F(EntryDialogs, StateButtonFitsTheLongerStateTextAndKeepsItsWidth)
{
    const QFont original = QApplication::font();
    QFont font = original; // restored at the end
    font.setPointSizeF(original.pointSizeF() * 1.5);
    QApplication::setFont(font);
    for (const int sprache : {1, 2, 3}) {
        startWith(4, sprache);
        for (const bool priority : {true, false}) {
            QDialog* d = activeEntryDialog(priority);
            d->resize(320, d->height());
            QApplication::processEvents();
            auto* b = child<QPushButton>(d, "cmdEinAus");
            const int width = b->width();
            const QString first = b->text();
            for (int toggle = 0; toggle < 3; ++toggle) {
                // The style gives the text 14 pixels on either side.
                EXPECT_TRUE(b->width() == width && b->width() >= QFontMetrics(b->font()).horizontalAdvance(b->text()) + 28 && b->parentWidget()->contentsRect().contains(b->geometry())) << b->text().toStdString() << ' ' << b->width() << ' ' << width;
                b->click(), QApplication::processEvents();
                EXPECT_EQ(b->text() == first, toggle % 2 == 1);
            }
            d->close(), settle();
        }
        app_.reset();
    }
    QApplication::setFont(original);
}

TEST_F(EntryDialogs, EveryEntryCommandIsOneUndoStepByteForByte)
{
    startWithFiveEntries();
    chooser_.save = work(u"UNDO.ZPG"_s);
    trigger("mnudatspu");
    steps_ = frame()->history().stack().count();
    const QByteArray saved = image();
    // A row changed into itself: no question, no change, no step.
    markRows(2, 2);
    EXPECT_EQ(child<QLineEdit>(activeDialog<FrmEingSz>("mnuBaÄnd"), "txtAnzstd")->text(), u"9"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(std::tuple(dialog<FrmEingSz>(), image(), asked().size(), frame()->history().stack().count()), std::tuple(static_cast<FrmEingSz*>(nullptr), saved, std::size_t(0), steps_));

    // The assistant: one hour on, the state kept. Cancel leaves the settings alone.
    auto* settings = open<FrmAutoEinst>("mnuEinstAuto");
    child<QSlider>(settings, "hsbincmin")->setValue(30), click(settings, "cmdEinstAbbrechen");
    settings = open<FrmAutoEinst>("mnuEinstAuto");
    EXPECT_EQ(child<QSlider>(settings, "hsbincmin")->value(), 1);
    child<QSlider>(settings, "hsbincmin")->setValue(0), child<QSlider>(settings, "HsbIncStd")->setValue(1);
    EXPECT_EQ(child<QLabel>(settings, "lblIncStd")->text(), u"1 Stunde"_s);
    click(settings, "chkZustand"), click(settings, "ChkEinstOk");

    // OK for all copies the five rows an hour later, asking nothing: one step.
    markRows(1, 5);
    auto* sz = activeDialog<FrmEingSz>("mnuBaKop");
    click(sz, "chkautopil"), click(sz, "Cmd1xauto");
    EXPECT_EQ(child<QLineEdit>(sz, "txtAnzstd")->text(), u"8"_s);
    click(sz, "Cmdalleok");
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog<FrmEingSz>() == nullptr; }, 5000));
    EXPECT_EQ(std::pair(asked().size(), rows()), std::pair(std::size_t(0), hours({7, 8, 9, 10, 11, 12, 13, 14, 15, 16})));
    undoAndRedo(u"5 Schaltzeiten eingeben"_s, saved, true);
    const QByteArray okForAll = image();

    // One row copied to 17:00, the second changed to 6:00 (it takes its sorted place), five rows deleted once the
    // question is answered OK; a priority time stored (24 to 26 December 2030 on C4), changed to begin on the 23rd,
    // deleted.
    const auto deleteRows = [&] {
        markRows(2, 6), answer(TextId::ReallyDelete, Answer::Cancel), grid()->setFocus(), QTest::keyClick(grid(), Qt::Key_Delete);
        EXPECT_EQ(std::tuple(asked().back().key(), asked().back().buttons, model().program().AnzSz), std::tuple(TextId::ReallyDelete, Buttons::OkCancel, 11));
        answer(TextId::ReallyDelete, Answer::Ok), markRows(2, 6), trigger("mnuBalö");
        EXPECT_EQ(rows(), hours({6, 13, 14, 15, 16, 17}));
    };
    const struct {
        const char* step;
        std::function<void()> command;
    } steps[] = {
        {"1 Schaltzeit eingeben", [&] { markRows(2, 2), enter<FrmEingSz>("mnuBaKop", u"17"_s); }},
        {"Schaltzeiten ändern", [&] { markRows(2, 2), enter<FrmEingSz>("mnuBaÄnd", u"6"_s); }},
        {"5 Schaltzeiten löschen", deleteRows},
        {"1 Prioritätszeit eingeben", [&] { activeDialog<FrmEingPZ>("mnuBaPz"), typeChristmas2030OnC4(); }},
        {"Prioritätszeiten ändern", [&] { markRows(1, 1), enter<FrmEingPZ>("mnuBaÄnd", u"23"_s, "txtvonTag"); }},
        {"1 Prioritätszeit löschen", [&] { markRows(1, 1), trigger("mnuBalö"); }},
    };
    for (const auto& s : steps) {
        const QByteArray before = image();
        s.command();
        undoAndRedo(QString::fromUtf8(s.step), before);
    }
    EXPECT_EQ(std::pair(model().program().AnzSz, model().program().AnzPz), std::pair(6, 0));

    // All the way back is the saved file; one step forward is a change again.
    const QUndoStack& stack = frame()->history().stack();
    ASSERT_GE(stack.cleanIndex(), 0);
    while (stack.index() > stack.cleanIndex()) trigger("mnuBaUndo");
    EXPECT_TRUE(image() == saved && !frame()->isWindowModified());
    trigger("mnuBaRedo");
    EXPECT_TRUE(image() == okForAll && frame()->isWindowModified());
}
