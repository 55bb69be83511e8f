#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "editing/AstroCellEdit.h"
#include "editing/ListAnsicht.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/astro/FrmAstro.h"
#include "ui/astro/FrmChangeGridData.h"
#include "util/CalendarMath.h"

#include <QCompleter>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QSpinBox>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class AstroDialog : public DesktopFixture {
protected:
    FrmAstro* openAstro() { return open<FrmAstro>("mnuBaAstro"); }
    // The cell editor, open after the last command or mouse action.
    FrmChangeGridData* editor() const
    {
        if (auto* e = dialog<FrmChangeGridData>()) return e;
        throw std::runtime_error("no cell editor");
    }

    static QString text(QWidget* d, const char* label) { return child<QLabel>(d, label)->text().trimmed(); }

    // The location 10 degrees east, 50 north, displayed zone +1:00, typed as numbers.
    static void typeLocation(FrmAstro* d, double east, double north, double zone)
    {
        child<QDoubleSpinBox>(d, "txtLaengengrad")->setValue(east);
        child<QDoubleSpinBox>(d, "txtBreitengrad")->setValue(north);
        child<QDoubleSpinBox>(d, "txtZeitzone")->setValue(zone);
    }

    // Marks the cells of one column of the grid from row `first` to `last` (1-based).
    void mark(int column, int first, int last)
    {
        const QItemSelection cells(grid()->model()->index(first - 1, column), grid()->model()->index(last - 1, column));
        grid()->selectionModel()->clearSelection();
        grid()->selectionModel()->select(cells, QItemSelectionModel::Select);
        grid()->setCurrentIndex(grid()->model()->index(first - 1, column));
        grid()->selectionModel()->select(cells, QItemSelectionModel::Select);
    }

    const AstroDay& day(int dayOfYear, int channel = 0)
    {
        return model().program().astro.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(dayOfYear - 1)];
    }
};

} // namespace

// 10 degrees east (typed 10.2) and a displayed zone of +1:00 through the dialog's fields and bars: OK stores the
// core's table, reopened the dialog shows the same, "Beenden" changes nothing.
TEST_F(AstroDialog, OkStoresTheTableReopenShowsTheSameBeendenChangesNothing)
{
    startWith(20);
    FrmAstro* d = openAstro();
    typeLocation(d, 10.2, 50.0, 1.0); // snapped to 10 degrees
    for (const char* bar : {"vsb_offset_aufgang", "vsb_offset_untergang"}) child<QScrollBar>(d, bar)->setValue(BarOfOffset(0));
    child<QScrollBar>(d, "hsb_limit_Sonnenaufgang")->setValue(300);
    click(d, "optAufgangAus"), click(d, "optUntergangEin");
    EXPECT_EQ((QStringList{text(d, "lbl_Längengrad"), text(d, "lbl_Breitengrad"), text(d, "lbl_zeitzone"), text(d, "lbl_limit_Sonnenaufgang")}), (QStringList{u"10 Grad Ost"_s, u"50 Grad Nord"_s, u"+ 1:00 Std"_s, u"05:00"_s}));
    EXPECT_TRUE(child<QDoubleSpinBox>(d, "txtLaengengrad")->value() == 10.0 && text(d, "lblHeute").startsWith(u"Heute"_s) && !text(d, "lblBreiteHinweis").isEmpty());
    // The bars offer what the sun routine computes well and the device stores.
    EXPECT_EQ(std::tuple(child<QScrollBar>(d, "vsb_Breitengrad")->maximum(), child<QScrollBar>(d, "vsb_zeitzone")->minimum(), child<QScrollBar>(d, "vsb_offset_aufgang")->maximum()), std::tuple(BarOfBreite(60.0f), BarOfZone(720), BarOfOffset(120)));
    const AstroBars shown = d->bars();
    ProgramModel expected = model();
    click(d, "cmd_astro_ok"), settle();
    const AstroProgram& a = model().program().astro;
    EXPECT_EQ(std::tuple(model().Geaendert, a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroGrenze[0]), std::tuple(1, -10.0f, 50.0f, -60, AstroLimits{300, 1439, 0, -1}));
    ASSERT_TRUE(StoreAstroProgram(expected, AstroSettings{AstroLocation{-10.0f, 50.0f, -60, 0, 0}, 300, 1439, 0, -1}, 0));
    EXPECT_EQ(a, expected.program().astro);

    d = openAstro();
    EXPECT_EQ(d->bars(), shown);
    EXPECT_TRUE(text(d, "lbl_Längengrad") == u"10 Grad Ost"_s && child<QRadioButton>(d, "optUntergangEin")->isChecked());
    model().Geaendert = 0;
    typeLocation(d, -30.0, 20.0, -3.0), click(d, "cmd_astro_beenden"), settle();
    EXPECT_TRUE(a == expected.program().astro && model().Geaendert == 0);
}

// Offsets and limits typed beside their bars move the bars and refuse what the bars do not offer (beep, the range
// hint); the device's switching states are shown, not chosen. The limits reach the saved file and come back with the
// place's name; the astro list switches at the limit.
TEST_F(AstroDialog, TypedLimitsReachTheFileAndComeBackWithThePlace)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.ord"_s), work(u"deutsch.ord"_s)));
    startWith(20);
    model().device.SwRegel = SwEuropa;
    FrmAstro* d = openAstro();
    auto* places = child<QComboBox>(d, "cboOrt");
    const int berlin = places->findText(u"Berlin"_s);
    ASSERT_GE(berlin, 0);
    emit places->activated(berlin);
    const auto typeInto = [d](const char* field, const QString& typed) {
        child<QLineEdit>(d, field)->setText(typed), emit child<QLineEdit>(d, field)->editingFinished();
    };
    const struct {
        const char *field, *bar;
        QString text;
        int value;
    } typed[] = {{"txtOffsetAufgang", "vsb_offset_aufgang", u"-15"_s, BarOfOffset(-15)}, {"txtOffsetUntergang", "vsb_offset_untergang", u"+20"_s, BarOfOffset(20)}, {"txtLimitSonnenaufgang", "hsb_limit_Sonnenaufgang", u"6:00"_s, 6 * 60}, {"txtLimitSonnenuntergang", "hsb_limit_Sonnenuntergang", u"21.30"_s, 21 * 60 + 30}};
    for (const auto& t : typed) {
        typeInto(t.field, t.text);
        EXPECT_EQ(child<QScrollBar>(d, t.bar)->value(), t.value) << t.field;
    }
    // The bar moves the field with it; a value beyond the bar is refused.
    child<QScrollBar>(d, "vsb_offset_aufgang")->setValue(BarOfOffset(-16));
    EXPECT_EQ(child<QLineEdit>(d, "txtOffsetAufgang")->text(), u"-16"_s);
    const int beeps = interaction_.beeps;
    for (const auto& [field, refused] : {std::pair("txtOffsetAufgang", u"130"_s), std::pair("txtLimitSonnenaufgang", u"24:00"_s)}) {
        typeInto(field, refused);
        EXPECT_EQ(text(d, "lblHinweis"), child<QLineEdit>(d, field)->toolTip()) << field;
    }
    EXPECT_EQ(interaction_.beeps, beeps + 2);
    EXPECT_TRUE(text(d, "lblHinweis").contains(u"0:00 bis 23:59"_s)) << text(d, "lblHinweis").toStdString();
    EXPECT_EQ(child<QScrollBar>(d, "vsb_offset_aufgang")->value(), BarOfOffset(-16));
    QTest::keyClick(child<QLineEdit>(d, "txtOffsetUntergang"), Qt::Key_X);
    EXPECT_EQ(interaction_.beeps, beeps + 3);
    EXPECT_TRUE(text(d, "lblHinweis").contains(u"-120 bis 120"_s)) << text(d, "lblHinweis").toStdString();
    // A refused field stops OK until it is mended.
    click(d, "cmd_astro_ok"), settle();
    ASSERT_EQ(dialog<FrmAstro>(), d);
    child<QLineEdit>(d, "txtOffsetAufgang")->setText(u"-15"_s);
    child<QLineEdit>(d, "txtLimitSonnenaufgang")->setText(u"6:00"_s);
    EXPECT_FALSE(child<QRadioButton>(d, "optAufgangEin")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(d, "optAufgangAus")->isChecked() && child<QRadioButton>(d, "optUntergangEin")->isChecked());
    click(d, "cmd_astro_ok"), settle();
    ASSERT_EQ(dialog<FrmAstro>(), nullptr);

    // Saved and opened again.
    const QString file = work(u"SCHULE.zpg"_s);
    model().program().Dateiname = file;
    ASSERT_EQ(SaveProgram(model(), interaction_).result, 1);
    ASSERT_EQ(LoadProgram(model(), file, kProgramSlot), LoadOk);
    EXPECT_EQ(model().program().astro.AstroGrenze[0], (AstroLimits{6 * 60, 21 * 60 + 30, 0, -1}));
    d = openAstro();
    EXPECT_EQ((QStringList{child<QComboBox>(d, "cboOrt")->currentText(), child<QLineEdit>(d, "txtLimitSonnenaufgang")->text(), child<QLineEdit>(d, "txtOffsetUntergang")->text()}), (QStringList{u"Berlin"_s, u"6:00"_s, u"20"_s}));
    click(d, "cmd_astro_beenden"), settle();
    // 21 June as the list shows it: OFF at the morning limit, ON at the evening limit.
    trigger("mnuAnsAsz");
    const QString june = gridText().at(DayOfYear(21, 6, model().currentYear()));
    EXPECT_TRUE(june.endsWith(u" 6:00 Uhr\t21:30 Uhr"_s)) << june.toStdString();
}

// The bus device works on the astro channel chosen above the astro view, the astro device on its one table; a device
// without astro times has no astro command.
TEST_F(AstroDialog, ChannelOfTheMainWindowOrTheOneTable)
{
    startWith(20);
    trigger("mnuAnsAsz");
    child<QComboBox>(&list(), "cboAstroKanal")->setCurrentIndex(2);
    FrmAstro* d = openAstro();
    EXPECT_EQ(text(d, "lblAstroKanal"), u"Astrokanal: C3"_s);
    click(d, "cmd_astro_ok"), settle();
    EXPECT_EQ(std::tuple(model().program().astro.AstroAktiv[1], model().program().astro.AstroAktiv[3]), std::tuple(0, -1));
    EXPECT_TRUE(gridText().at(100).contains(u"C3"_s) && !gridText().at(100).contains(u"--"_s)) << gridText().at(100).toStdString();

    startWith(19);
    d = openAstro();
    EXPECT_EQ(text(d, "lblAstroKanal"), u"Astrokanal: C1"_s);
    click(d, "cmd_astro_ok"), settle();
    EXPECT_TRUE(model().program().astro.AstroAktiv[1] == -1 && day(100).rise != 0);
    startWith(4);
    EXPECT_FALSE(action("mnuBaAstro")->isEnabled());
}

TEST_F(AstroDialog, PlacesAddSearchChooseDeleteAndDamagedFiles)
{
    startWith(20);
    // No place file yet: an empty list, no message.
    FrmAstro* d = openAstro();
    auto* combo = child<QComboBox>(d, "cboOrt");
    EXPECT_EQ(std::pair(asked().size(), combo->count()), std::pair(std::size_t(0), 0));
    typeLocation(d, 11.9, 51.5, 1.0);
    QStringList names = {u"Halle, Saale"_s, u""_s, u"Halle"_s};
    d->askPlaceName = [&names](const QString& question) -> std::optional<QString> {
        EXPECT_EQ(question, u"Name des Ortes ?"_s);
        return names.takeFirst();
    };
    click(d, "cmdOrtHinzufuegen"); // a comma is refused
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_TRUE(messages().back().contains(u"\" noch ,"_s)) << messages().back().toStdString();
    click(d, "cmdOrtHinzufuegen"), click(d, "cmdOrtHinzufuegen"); // an empty answer changes nothing
    EXPECT_EQ(std::tuple(asked().size(), combo->count(), readFile(work(u"deutsch.ord"_s))), std::tuple(std::size_t(1), 1, QByteArray("1\r\n\"Halle\",336,77,52\r\n")));
    click(d, "cmd_astro_beenden"), settle();

    // Reopened: the place is there (another place file beside it is not read); typing searches the list, choosing
    // sets the bars.
    QFile::copy(shipped(u"deutsch.ord"_s), work(u"other.ord"_s));
    d = openAstro();
    combo = child<QComboBox>(d, "cboOrt");
    ASSERT_EQ(combo->count(), 1);
    combo->completer()->setCompletionPrefix(u"all"_s);
    EXPECT_EQ(combo->completer()->currentCompletion(), u"Halle"_s);
    combo->setCurrentIndex(0), emit combo->activated(0);
    EXPECT_EQ(text(d, "lbl_Längengrad"), u"12 Grad Ost"_s);
    click(d, "cmdOrtLoeschen");
    EXPECT_EQ(std::pair(combo->count(), readFile(work(u"deutsch.ord"_s))), std::pair(0, QByteArray("0\r\n")));
    click(d, "cmd_astro_beenden"), settle();

    // A damaged file: the sound records stay, the others are named.
    writeFile(work(u"deutsch.ord"_s), "4\r\n\"Berlin\",333,75,52\r\n\"Nordkap\",386,38,52\r\n");
    d = openAstro();
    EXPECT_EQ(child<QComboBox>(d, "cboOrt")->count(), 1);
    EXPECT_TRUE(messages().back().contains(u"Nordkap"_s) && messages().back().contains(u"nennt 4 Orte"_s)) << messages().back().toStdString();
    click(d, "cmd_astro_beenden");
}

// Change, delete and move of marked astro times (whose rules the editing tests check) from the edit menu, the Delete
// key, a double click and a marking drag.
TEST_F(AstroDialog, CellEditorChangesDeletesAndMovesMarkedTimes)
{
    startWith(20);
    model().device.SwRegel = SwEuropa;
    ASSERT_TRUE(StoreAstroProgram(model(), AstroSettings{AstroLocation{-10.0f, 50.0f, -60, 0, 0}, 0, 1439, 0, -1}, 0));
    trigger("mnuAnsAsz");
    ASSERT_EQ(list().Ansicht(), AnsichtAstrozeiten);
    const auto time = [](FrmChangeGridData* cells, int hour, int minute) {
        child<QSpinBox>(cells, "txtStunde")->setValue(hour);
        child<QSpinBox>(cells, "txtMinute")->setValue(minute);
    };
    const auto ok = [](FrmChangeGridData* cells) { click(cells, "cmdOk"), settle(); };

    // Change rows 10..12 of "Ausschalten um:" to 23:30 (January: winter time).
    mark(kAstroRiseColumn, 10, 12);
    trigger("mnuBaÄnd");
    auto* cells = editor();
    EXPECT_TRUE(child<QRadioButton>(cells, "optAendern")->isChecked());
    EXPECT_EQ(child<QSpinBox>(cells, "txtStunde")->value() * 60 + child<QSpinBox>(cells, "txtMinute")->value(), day(10).rise);
    time(cells, 23, 30);
    // The column's state is the device's: OFF at sunrise, not to be changed.
    EXPECT_EQ(child<QPushButton>(cells, "cmd_onoff")->text(), u"AUS"_s);
    EXPECT_FALSE(child<QPushButton>(cells, "cmd_onoff")->isEnabled());
    ok(cells);
    for (int d = 10; d <= 12; ++d) EXPECT_EQ(std::pair(day(d).rise, day(d).riseState), std::pair(23 * 60 + 30, 0)) << d;
    EXPECT_EQ(model().Geaendert, 1);
    EXPECT_TRUE(gridText().at(11).contains(u"23:30"_s)) << gridText().at(11).toStdString();

    // Move 23:30 by 1:00: 00:30 of the same day.
    mark(kAstroRiseColumn, 10, 10);
    trigger("mnuBaÄnd");
    cells = editor();
    click(cells, "optVerschieben");
    EXPECT_FALSE(child<QSpinBox>(cells, "txtStunde")->isVisibleTo(cells));
    child<QSpinBox>(cells, "txtVersStunde")->setValue(1);
    ok(cells);
    EXPECT_EQ(day(10).rise, 30);

    // Delete by the Delete key: the no-time marker.
    mark(kAstroSetColumn, 11, 11);
    QTest::keyClick(grid(), Qt::Key_Delete);
    cells = editor();
    EXPECT_TRUE(child<QRadioButton>(cells, "optLoeschen")->isChecked());
    ok(cells);
    EXPECT_EQ(std::pair(day(11).set, day(11).setState), std::pair(1535, -1));

    // A double click on a summer day's time: what is typed is what the list shows.
    const int july10 = DayOfYear(10, 7, model().currentYear());
    const auto cell = [&](int row, int column) { return grid()->visualRect(grid()->model()->index(row, column)).center(); };
    grid()->scrollTo(grid()->model()->index(july10 - 1, kAstroSetColumn));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell(july10 - 1, kAstroSetColumn));
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell(july10 - 1, kAstroSetColumn));
    cells = editor();
    time(cells, 21, 15);
    ok(cells);
    EXPECT_EQ(day(july10).set, 20 * 60 + 15);
    EXPECT_TRUE(gridText().at(july10).contains(u"21:15"_s)) << gridText().at(july10).toStdString();

    // Dragging over three sunrise cells opens the cells on release; cancel keeps them.
    const ProgramSlot before = model().program();
    const QPoint a = cell(july10 - 1, kAstroRiseColumn), b = cell(july10 + 1, kAstroRiseColumn);
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, a);
    QMouseEvent move(QEvent::MouseMove, QPointF(b), grid()->viewport()->mapToGlobal(QPointF(b)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid()->viewport(), &move);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, b);
    click(editor(), "cmdAbbrechen"), settle();
    EXPECT_EQ(model().program().astro.AstroTab, before.astro.AstroTab);
}
