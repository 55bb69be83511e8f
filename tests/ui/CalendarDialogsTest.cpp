#include "tests/ui/DesktopFixture.h"

#include "calendar/FeiertagTabelle.h"
#include "calendar/FeiertagTexts.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "ui/calendar/FrmEinSW.h"
#include "ui/calendar/FrmFeiertage.h"
#include "ui/entry/FrmEingPZ.h"

#include <QCompleter>
#include <QRegularExpression>
#include <QTimeZone>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class CalendarDialogs : public DesktopFixture {
protected:
    using DesktopFixture::items;
    static QStringList items(const QListWidget* l)
    {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    QString hdy() const { return work(u"deutsch.hdy"_s); }
};

} // namespace

TEST_F(CalendarDialogs, HolidaysEditedFromThePriorityDialogShowThereAtOnce)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), hdy()));
    startWith(4);
    auto* pz = open<FrmEingPZ>("mnuBaPz");
    auto* sets = child<QComboBox>(pz, "cbo_Ft_sets");
    const int setsBefore = sets->count();
    click(pz, "cmd_Feiertage");
    auto* ft = dialog<FrmFeiertage>();
    ASSERT_NE(ft, nullptr);
    ft->setAskText([](const QString&) { return std::optional<QString>(u"Klasse 5"_s); });

    // A fixed holiday: 15 June.
    child<QLineEdit>(ft, "txt_Name")->setText(u"Schulfest"_s);
    child<QRadioButton>(ft, "opt_fest")->setChecked(true);
    child<QComboBox>(ft, "cbo_Tag")->setCurrentIndex(14);
    child<QComboBox>(ft, "cbo_Monat")->setCurrentIndex(5);
    click(ft, "cmd_add_Feiertage");
    // A comma would split the file's line: refused with a message.
    child<QLineEdit>(ft, "txt_Name")->setText(u"Fest, groß"_s);
    click(ft, "cmd_add_Feiertage");
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), german_(kFtNameSeparator));
    // 31 April does not exist.
    child<QLineEdit>(ft, "txt_Name")->setText(u"April"_s);
    child<QComboBox>(ft, "cbo_Tag")->setCurrentIndex(30);
    child<QComboBox>(ft, "cbo_Monat")->setCurrentIndex(3);
    click(ft, "cmd_add_Feiertage");
    EXPECT_EQ(messages().back(), german_(kFtNoSuchDate));

    // The Easter scroll bar stops where the date would leave the year.
    child<QRadioButton>(ft, "opt_Ostern")->setChecked(true);
    auto* hsb = child<QScrollBar>(ft, "hsb_Ostern");
    hsb->setValue(0);
    EXPECT_EQ(hsb->value(), 2);
    hsb->setValue(121);
    EXPECT_EQ(child<QLabel>(ft, "lbl_Ostern")->text(), u"39 Tag(e) nach Ostern"_s);

    // A set with the new holiday: the priority dialog lists both at once.
    click(ft, "cmd_add_Set");
    EXPECT_EQ(child<QComboBox>(ft, "cbo_Sets")->currentText(), u"Klasse 5"_s);
    auto* holidays = child<QListWidget>(ft, "lst_Feiertage");
    holidays->setCurrentRow(holidays->count() - 1);
    click(ft, "cmd_add_to_Set");
    EXPECT_EQ(items(child<QListWidget>(ft, "lst_Set_Glieder")), QStringList{u"Schulfest"_s});
    EXPECT_FALSE(items(child<QListWidget>(ft, "lst_Termine")).isEmpty());
    ASSERT_EQ(sets->count(), setsBefore + 1);
    EXPECT_TRUE(items(sets).contains(u"Klasse 5"_s));
    sets->setCurrentIndex(items(sets).indexOf(u"Klasse 5"_s));
    emit sets->activated(sets->currentIndex());
    EXPECT_EQ(items(child<QListWidget>(pz, "lst_bew_Feiertage")), QStringList{u"Schulfest"_s});

    // Deleting the holiday takes it out of the set.
    click(ft, "cmd_del_Feiertage");
    EXPECT_TRUE(items(child<QListWidget>(ft, "lst_Set_Glieder")).isEmpty());
    const int count = holidays->count();

    // "Beenden" writes the holiday file.
    click(ft, "cmd_Beenden");
    FeiertagTabelle back;
    ASSERT_EQ(back.read(hdy()), FeiertagResult::Ok);
    EXPECT_EQ(back.AnzFeiertage(), count);
    ASSERT_GE(back.findSet(u"Klasse 5"_s), 0);
    EXPECT_TRUE(back.Sets()[static_cast<std::size_t>(back.findSet(u"Klasse 5"_s))].SetGlied.empty());
}

TEST_F(CalendarDialogs, TableRowsEnteredChangedAndCopiedFromTheList)
{
    startWith(4);
    model().clock = [] { return QDateTime(QDate(2024, 5, 1), QTime(9, 0)); };
    trigger("mnuAnsSw");
    auto* sw = open<FrmEinSW>("mnuBaSw");
    EXPECT_EQ(sw->windowTitle(), german_(TextId::EnterDstTableTitle).trimmed());
    child<QScrollBar>(sw, "hsbJahr")->setValue(2024);
    click(sw, "cmdSwNeu"); // the assistant's last Sundays of March and October
    EXPECT_EQ(child<QComboBox>(sw, "cboVorTag")->currentIndex() + 1, 31);
    EXPECT_EQ(child<QComboBox>(sw, "cboZurTag")->currentIndex() + 1, 27);
    click(sw, "cmdSwOk");
    // The next row is 2025; "Eingabeautomatik" finds its Sundays.
    EXPECT_EQ(child<QLabel>(sw, "lblJahr")->text(), u"2025"_s);
    click(sw, "cmdSwAuto");
    EXPECT_EQ(child<QComboBox>(sw, "cboVorTag")->currentIndex() + 1, 30);
    click(sw, "cmdSwOk");
    // Forward and back on one day is refused, the dialog stays.
    child<QComboBox>(sw, "cboZurMon")->setCurrentIndex(2);
    child<QComboBox>(sw, "cboZurTag")->setCurrentIndex(child<QComboBox>(sw, "cboVorTag")->currentIndex());
    click(sw, "cmdSwOk");
    EXPECT_EQ(messages().back(), german_(TextId::StartEndDateSame));
    click(sw, "cmdSwEnd");
    ASSERT_EQ(model().program().AnzSoWi, 2);
    EXPECT_EQ(SommerzeitTageVon(SwTabelle, model().program(), 2025), RegelTage(SwEuropa, 2025));

    // Change the first row: its hour, overwritten in place.
    markRows(1, 1);
    sw = open<FrmEinSW>("mnuBaÄnd");
    EXPECT_EQ(sw->windowTitle(), german_(TextId::ChangeDstTableTitle).trimmed());
    child<QComboBox>(sw, "cboVorStd")->setCurrentIndex(1);
    click(sw, "cmdSwOk");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    EXPECT_EQ(DecodeDstRow(model().program().SoWiTab[0]).forward.hour, 1);
    EXPECT_EQ(model().program().AnzSoWi, 2);

    // Copy both rows: appended as the years 2026 and 2027.
    markRows(1, 2);
    sw = open<FrmEinSW>("mnuBaKop");
    click(sw, "cmdSwOk");
    click(sw, "cmdSwOk");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    ASSERT_EQ(model().program().AnzSoWi, 4);
    EXPECT_EQ(model().program().SoWiTab[2], model().program().SoWiTab[0]);
    const QStringList text = gridText();
    ASSERT_GE(text.size(), 5);
    EXPECT_TRUE(text[4].contains(u"2027"_s)) << text[4].toStdString();

    // A double click on an empty row opens a new row.
    ASSERT_TRUE(grid()->model()->index(4, 1).isValid());
    doubleClickCell(4, 1);
    sw = dialog<FrmEinSW>();
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(child<QLabel>(sw, "lblJahr")->text(), u"2028"_s);
    // The whole table from a southern time zone replaces it after the question.
    answer(TextId::Count, Answer::Yes);
    child<QComboBox>(sw, "cboZone")->setCurrentText(u"Australia/Sydney"_s);
    EXPECT_GT(child<QListWidget>(sw, "lstVorschau")->count(), 0);
    click(sw, "cmdSwZone");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    EXPECT_EQ(model().program().AnzSoWi, kDstRows);
    EXPECT_EQ(SoWiBezugsjahr(model().program()), 2024);
    const DstEntry first = DecodeDstRow(model().program().SoWiTab[0]);
    EXPECT_EQ(first.forward.month, 10);
    EXPECT_EQ(first.back.month, 4);
}

TEST_F(CalendarDialogs, ZoneBoxStartsAtAZoneWithSummerTimeAndSearchesAsTyped)
{
    // The computer's zone when it has summer time, else the language's.
    const QByteArray system = QTimeZone::systemTimeZoneId();
    const bool systemHasSummerTime = ZonenTage(system, QDate::currentDate().year()).hasChangeover();
    const struct {
        int sprache;
        const char* language;
    } cases[] = {{1, "Europe/Berlin"}, {2, "Europe/London"}, {3, "Europe/Paris"}};
    for (const auto& c : cases) {
        app_.reset();
        startWith(4, c.sprache);
        trigger("mnuAnsSw");
        auto* sw = open<FrmEinSW>("mnuBaSw");
        auto* zone = child<QComboBox>(sw, "cboZone");
        EXPECT_EQ(zone->currentText(), systemHasSummerTime ? QString::fromLatin1(system) : QString::fromLatin1(c.language));
        // Its own default gives a preview, never an error.
        const QStringList preview = items(child<QListWidget>(sw, "lstVorschau"));
        ASSERT_FALSE(preview.isEmpty());
        EXPECT_TRUE(QRegularExpression(u"^\\d{4}:"_s).match(preview.front()).hasMatch()) << preview.front().toStdString();
        // A name being typed searches the list and is no error yet.
        zone->completer()->setCompletionPrefix(u"lond"_s);
        EXPECT_EQ(zone->completer()->currentCompletion(), u"Europe/London"_s);
        zone->setEditText(u"Europe/Lo"_s);
        EXPECT_TRUE(items(child<QListWidget>(sw, "lstVorschau")).isEmpty());
        sw->reject();
    }
}
