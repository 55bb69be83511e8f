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

namespace zendrik::test {

namespace {

class CalendarDialogs : public DesktopFixture {
protected:
    template <typename T = QComboBox>
    static T* in(const QWidget* d, const char* name) { return child<T>(d, name); }
    static void pick(const QWidget* d, const char* combo, int index) { in(d, combo)->setCurrentIndex(index); }
    static int day(const QWidget* d, const char* combo) { return in(d, combo)->currentIndex() + 1; }
};

} // namespace

TEST_F(CalendarDialogs, HolidaysEditedFromThePriorityDialogShowThereAtOnce)
{
    const QString hdy = work(u"deutsch.hdy"_s);
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), hdy));
    startWith(4);
    auto* pz = open<FrmEingPZ>("mnuBaPz");
    auto* sets = in(pz, "cbo_Ft_sets");
    const int setsBefore = sets->count();
    click(pz, "cmd_Feiertage");
    auto* ft = child<FrmFeiertage>(frame(), "frmfeiertage");
    ft->setAskText([](const QString&) { return std::optional<QString>(u"Klasse 5"_s); });
    in<QRadioButton>(ft, "opt_fest")->setChecked(true);
    // A fixed holiday on 15 June; a comma would split the file's line and
    // 31 April does not exist: both refused with a message.
    const std::tuple<QString, int, int, QString> added[] = {{u"Schulfest"_s, 14, 5, QString()},
        {u"Fest, groß"_s, 14, 5, german_(kFtNameSeparator)}, {u"April"_s, 30, 3, german_(kFtNoSuchDate)}};
    for (const auto& [name, dayIndex, monthIndex, refusal] : added) {
        in<QLineEdit>(ft, "txt_Name")->setText(name);
        pick(ft, "cbo_Tag", dayIndex);
        pick(ft, "cbo_Monat", monthIndex);
        click(ft, "cmd_add_Feiertage");
        EXPECT_EQ(messages().empty() ? QString() : messages().back(), refusal) << name.toStdString();
    }
    // The Easter scroll bar stops where the date would leave the year.
    in<QRadioButton>(ft, "opt_Ostern")->setChecked(true);
    auto* hsb = in<QScrollBar>(ft, "hsb_Ostern");
    hsb->setValue(0);
    const int lowest = hsb->value();
    hsb->setValue(121);
    EXPECT_EQ(std::tuple(lowest, in<QLabel>(ft, "lbl_Ostern")->text()), std::tuple(2, u"39 Tag(e) nach Ostern"_s));
    // A set with the new holiday: the priority dialog lists both at once.
    click(ft, "cmd_add_Set");
    EXPECT_EQ(in(ft, "cbo_Sets")->currentText(), u"Klasse 5"_s);
    auto* holidays = in<QListWidget>(ft, "lst_Feiertage");
    holidays->setCurrentRow(holidays->count() - 1);
    click(ft, "cmd_add_to_Set");
    EXPECT_EQ(items(in<QListWidget>(ft, "lst_Set_Glieder")), QStringList{u"Schulfest"_s});
    EXPECT_FALSE(items(in<QListWidget>(ft, "lst_Termine")).isEmpty());
    ASSERT_EQ(sets->count(), setsBefore + 1);
    sets->setCurrentIndex(items(sets).indexOf(u"Klasse 5"_s));
    emit sets->activated(sets->currentIndex());
    EXPECT_EQ(items(in<QListWidget>(pz, "lst_bew_Feiertage")), QStringList{u"Schulfest"_s});
    // Deleting the holiday takes it out of the set; "Beenden" writes the file.
    click(ft, "cmd_del_Feiertage");
    EXPECT_TRUE(items(in<QListWidget>(ft, "lst_Set_Glieder")).isEmpty());
    const int count = holidays->count();
    click(ft, "cmd_Beenden");
    FeiertagTabelle back;
    ASSERT_EQ(back.read(hdy), FeiertagResult::Ok);
    EXPECT_EQ(back.AnzFeiertage(), count);
    ASSERT_GE(back.findSet(u"Klasse 5"_s), 0);
    EXPECT_TRUE(back.Sets()[std::size_t(back.findSet(u"Klasse 5"_s))].SetGlied.empty());
}

TEST_F(CalendarDialogs, TableRowsEnteredChangedAndCopiedFromTheList)
{
    startWith(4);
    model().clock = [] { return QDateTime(QDate(2024, 5, 1), QTime(9, 0)); };
    trigger("mnuAnsSw");
    auto* sw = open<FrmEinSW>("mnuBaSw");
    EXPECT_EQ(sw->windowTitle(), german_(TextId::EnterDstTableTitle).trimmed());
    in<QScrollBar>(sw, "hsbJahr")->setValue(2024);
    click(sw, "cmdSwNeu"); // the assistant's last Sundays of March and October
    EXPECT_EQ(std::tuple(day(sw, "cboVorTag"), day(sw, "cboZurTag")), std::tuple(31, 27));
    click(sw, "cmdSwOk");
    // The next row is 2025; "Eingabeautomatik" finds its Sundays.
    EXPECT_EQ(in<QLabel>(sw, "lblJahr")->text(), u"2025"_s);
    click(sw, "cmdSwAuto");
    EXPECT_EQ(day(sw, "cboVorTag"), 30);
    click(sw, "cmdSwOk");
    // Forward and back on one day is refused, the dialog stays.
    pick(sw, "cboZurMon", 2);
    pick(sw, "cboZurTag", day(sw, "cboVorTag") - 1);
    click(sw, "cmdSwOk");
    EXPECT_EQ(messages().back(), german_(TextId::StartEndDateSame));
    click(sw, "cmdSwEnd");
    ASSERT_EQ(model().program().AnzSoWi, 2);
    EXPECT_EQ(SommerzeitTageVon(SwTabelle, model().program(), 2025), RegelTage(SwEuropa, 2025));
    // Change the first row: its hour, overwritten in place.
    markRows(1, 1);
    sw = open<FrmEinSW>("mnuBaÄnd");
    EXPECT_EQ(sw->windowTitle(), german_(TextId::ChangeDstTableTitle).trimmed());
    pick(sw, "cboVorStd", 1);
    click(sw, "cmdSwOk");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    EXPECT_EQ(std::tuple(DecodeDstRow(model().program().SoWiTab[0]).forward.hour, model().program().AnzSoWi), std::tuple(1, 2));
    // Copy both rows: appended as the years 2026 and 2027.
    markRows(1, 2);
    sw = open<FrmEinSW>("mnuBaKop");
    click(sw, "cmdSwOk");
    click(sw, "cmdSwOk");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    ASSERT_EQ(model().program().AnzSoWi, 4);
    EXPECT_TRUE(model().program().SoWiTab[2] == model().program().SoWiTab[0]);
    EXPECT_TRUE(gridText().value(4).contains(u"2027"_s)) << gridText().value(4).toStdString();
    // A double click on an empty row opens a new row.
    doubleClickCell(4, 1);
    sw = dialog<FrmEinSW>();
    EXPECT_EQ(in<QLabel>(sw, "lblJahr")->text(), u"2028"_s);
    // The whole table from a southern time zone replaces it after the question.
    answer(TextId::Count, Answer::Yes);
    in(sw, "cboZone")->setCurrentText(u"Australia/Sydney"_s);
    EXPECT_GT(in<QListWidget>(sw, "lstVorschau")->count(), 0);
    click(sw, "cmdSwZone");
    EXPECT_EQ(dialog<FrmEinSW>(), nullptr);
    const DstEntry first = DecodeDstRow(model().program().SoWiTab[0]);
    EXPECT_EQ(std::tuple(model().program().AnzSoWi, SoWiBezugsjahr(model().program()), first.forward.month, first.back.month),
              std::tuple(kDstRows, 2024, 10, 4));
}

TEST_F(CalendarDialogs, ZoneBoxStartsAtAZoneWithSummerTimeAndSearchesAsTyped)
{
    // The computer's zone when it has summer time, else the language's.
    const QByteArray system = QTimeZone::systemTimeZoneId();
    const bool systemHasSummerTime = ZonenTage(system, QDate::currentDate().year()).hasChangeover();
    for (const auto& [sprache, language] : {std::pair(1, "Europe/Berlin"), std::pair(2, "Europe/London"), std::pair(3, "Europe/Paris")}) {
        restart(4, sprache);
        trigger("mnuAnsSw");
        auto* sw = open<FrmEinSW>("mnuBaSw");
        auto* zone = in(sw, "cboZone");
        EXPECT_EQ(zone->currentText(), QString::fromLatin1(systemHasSummerTime ? system.constData() : language));
        // Its own default gives a preview, never an error.
        const QStringList preview = items(in<QListWidget>(sw, "lstVorschau"));
        ASSERT_FALSE(preview.isEmpty());
        EXPECT_TRUE(QRegularExpression(u"^\\d{4}:"_s).match(preview.front()).hasMatch()) << preview.front().toStdString();
        // A name being typed searches the list and is no error yet.
        zone->completer()->setCompletionPrefix(u"lond"_s);
        EXPECT_EQ(zone->completer()->currentCompletion(), u"Europe/London"_s);
        zone->setEditText(u"Europe/Lo"_s);
        EXPECT_TRUE(items(in<QListWidget>(sw, "lstVorschau")).isEmpty());
        sw->reject();
    }
}

} // namespace zendrik::test
