#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "transfer/chip/MasterCard.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckWindowTexts.h"
#include "ui/checks/FrmVergleich.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmIRAccess.h"
#include "ui/transfer/FrmMaster.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QTableWidget>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QStringList lines(const QString& path)
{
    QStringList out = QString::fromLatin1(readFile(path)).split(u"\r\n"_s);
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

// A switch whose infrared tool is the stand-in with a virtual device.
class InfraredWindow : public DesktopFixture {
protected:
    void startOnStandIn(const QString& faults = QString(), int sprache = 1, int timeoutSeconds = 1)
    {
        const QString tool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), work(u"device.zpg"_s), faults);
        ASSERT_TRUE(writeFile(work(u"ports.ini"_s), ("IRTOOL=" + tool + "\r\nIRTIMEOUT=" + QString::number(timeoutSeconds) + "\r\n").toUtf8()));
        startWith(4, sprache);
    }
    FrmIRAccess* openWindow()
    {
        auto* w = open<FrmIRAccess>("mnuIRAccess");
        w->settleMs = 20;
        return w;
    }
    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // Closes the window; the comparison a read offers comes then.
    void closeWindow(FrmIRAccess* w)
    {
        click(w, "cmd_Irend"), settle();
        EXPECT_EQ(frame()->findChild<FrmIRAccess*>(), nullptr);
    }
};

TEST_F(InfraredWindow, ModesShowTheTimeFieldsOnlyForSettingTheClock)
{
    startOnStandIn();
    EXPECT_EQ(WithoutMnemonic(action("mnuIRAccess")->text()), u"IR-Zugriff"_s);
    FrmIRAccess* w = openWindow();
    EXPECT_EQ(std::tuple(w->windowTitle(), WithoutMnemonic(child<QRadioButton>(w, "Option1_0")->text()), child<QRadioButton>(w, "Option1_0")->isChecked()), std::tuple(u"IR-Zugriff"_s, u"Schaltzeiten lesen"_s, true));
    auto* time = child<QLineEdit>(w, "TxtUz");
    auto* date = child<QLineEdit>(w, "txtdat");
    EXPECT_TRUE(time->isHidden());
    click(w, "Option1_2");
    EXPECT_EQ(std::pair(time->isHidden(), w->clockSource()), std::pair(false, IrClockSource::Computer));
    EXPECT_TRUE(ParseIrTime(time->text()) && ParseIrDate(date->text())) << time->text().toStdString() << ' ' << date->text().toStdString();
    click(w, "Optcom_2"), click(w, "cmd_IRok");
    const QStringList job = lines(work(u"2irprot.msg"_s));
    EXPECT_EQ((QStringList{job.value(0), job.value(1), job.value(6)}), (QStringList{u"u"_s, u" 5"_s, u"UZ1"_s}));
    EXPECT_EQ(messages().back(), u"Übertragung erfolgreich beendet"_s);

    // Typing makes it the user's time; letters are turned away with a beep; leaving the time field completes it.
    typeInto(time, u"9x:5"_s);
    EXPECT_EQ(std::tuple(time->text(), interaction_.beeps, w->clockSource()), std::tuple(u"9:5"_s, 1, IrClockSource::Typed));
    typeInto(date, u"7.3.27"_s);
    EXPECT_EQ(time->text(), u"09:05:00"_s);
    click(w, "cmd_IRok");
    EXPECT_EQ(lines(work(u"2irprot.msg"_s)).mid(6), (QStringList{u"UZ2"_s, u"09 05 00"_s, u"07 03 2027"_s, u"7"_s}));
    EXPECT_EQ(lines(work(u"device.zpg.clock"_s)), QStringList{u"09:05:00 07.03.2027 UZ2"_s});
    // Back to reading: the dummy time again.
    click(w, "Option1_0"), click(w, "cmd_IRok");
    EXPECT_EQ(lines(work(u"2irprot.msg"_s)).mid(6), (QStringList{u"UZ0"_s, u"00 00 00"_s, u"01 01 2001"_s, u"1"_s}));
    // An impossible date is refused before the job.
    click(w, "Option1_2"), typeInto(date, u"30.02.27"_s);
    const QByteArray lastJob = readFile(work(u"2irprot.msg"_s));
    const std::size_t before = messages().size();
    click(w, "cmd_IRok");
    ASSERT_EQ(messages().size(), before + 1);
    EXPECT_EQ(messages().back(), u"Kein gültiges Datum: 30.02.27 (tt.mm.jj)"_s);
    // So is a typed time out of range, and an empty new program that is not saved (no name given) is not programmed.
    typeInto(date, u"7.3.27"_s), typeInto(time, u"25:00"_s), click(w, "cmd_IRok");
    EXPECT_TRUE(messages().size() == before + 2 && messages().back().contains(u"25:00"_s)) << messages().back().toStdString();
    click(w, "Option1_1"), click(w, "cmd_IRok");
    EXPECT_EQ(readFile(work(u"2irprot.msg"_s)), lastJob);
}

// A read brings the device's program into the list with a fresh history. In the pause between the tool's answer and
// reading it, OK and close do nothing and the window stays; the comparison it offers (accepted with the file the
// device holds) comes once the window is closed.
TEST_F(InfraredWindow, ReadWaitsForTheAnswerAndBringsTheDeviceProgramIntoTheList)
{
    startOnStandIn();
    model().device.IrTimeout = 20; // room for a slow start of the tool
    ProgramModel device = canonical731();
    chooser_.open = saveProgramAs(device, work(u"device.zpg"_s));
    ASSERT_FALSE(chooser_.open.isEmpty());
    answer(checkwindowtexts::kOfferCompare, Answer::Yes);
    FrmIRAccess* w = openWindow();
    w->settleMs = 600;
    const std::size_t before = messages().size();
    // As soon as the answer is there and the gauge is full: running, OK and close disabled, still visible after a
    // click on each and a close.
    std::optional<std::tuple<bool, bool, bool, bool>> pause;
    auto* gauge = child<QProgressBar>(w, "ggeIR");
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (pause || !QFile::exists(work(u"irtrans.msg"_s)) || gauge->maximum() < 1 || gauge->value() != gauge->maximum()) return;
        pause = std::tuple(w->running(), child<QPushButton>(w, "cmd_IRok")->isEnabled(), child<QPushButton>(w, "cmd_Irend")->isEnabled(), false);
        QTest::mouseClick(child<QPushButton>(w, "cmd_IRok"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(w, "cmd_Irend"), Qt::LeftButton);
        w->close();
        std::get<3>(*pause) = w->isVisible();
    });
    poll.start();
    click(w, "cmd_IRok");
    poll.stop();
    EXPECT_EQ(pause, std::tuple(true, false, false, true));
    // One job, one message.
    const std::vector<QString> shown = messages();
    EXPECT_EQ(std::vector<QString>(shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()), std::vector<QString>{u"Übertragung erfolgreich beendet"_s});
    EXPECT_TRUE(QFile::exists(work(u"irtrans.msg"_s)) && QFile::exists(work(u"exchg.dat"_s)));
    EXPECT_EQ(model().program().Eintrag, device.program().Eintrag);
    EXPECT_EQ(std::tuple(model().program().AnzEintrag, model().program().Dateiname, model().Geaendert, frame()->isWindowModified(), gridText().size()), std::tuple(device.program().AnzEintrag, work(u"SzTab1.zpg"_s), 1, true, device.program().AnzSz + 1));
    EXPECT_FALSE(frame()->history().undoAction()->isEnabled()) << "a fresh history";
    // Once the job is over the window is free again.
    EXPECT_EQ(std::tuple(w->running(), child<QPushButton>(w, "cmd_IRok")->isEnabled(), offers()), std::tuple(false, true, 0));
    closeWindow(w);
    EXPECT_EQ(offers(), 1);
    const FrmVergleich* compared = frame()->checkCommands().comparison();
    ASSERT_NE(compared, nullptr);
    EXPECT_TRUE(compared->difference().entries.empty() && compared->table()->horizontalHeaderItem(1)->text() == u"Gelesenes Programm"_s);
}

TEST_F(InfraredWindow, NoAnswerEndsWithItsMessageAndKeepsTheProgram)
{
    startOnStandIn(u"--no-result"_s);
    answer(checkwindowtexts::kOfferCompare, Answer::Yes);
    openSample(u"Schule.zpg"_s);
    const int entries = model().program().AnzEintrag;
    FrmIRAccess* w = openWindow();
    click(w, "cmd_IRok");
    EXPECT_EQ(messages().back(), u"keine Rückmeldung von IR-Übertragung"_s);
    EXPECT_LT(child<QProgressBar>(w, "ggeIR")->value(), child<QProgressBar>(w, "ggeIR")->maximum()) << "full only for an answer";
    EXPECT_TRUE(model().program().AnzEintrag == entries && child<QPushButton>(w, "cmd_Irend")->isEnabled());
    closeWindow(w);
    EXPECT_TRUE(offers() == 0 && !frame()->checkCommands().comparison()) << "a failed read offers no comparison";
}

// While waiting the gauge counts the seconds against the time limit; it is full only once the answer is there, at the
// whole seconds the job took (at least the tool's 1.3 s), not at the limit.
TEST_F(InfraredWindow, TheGaugeCountsTheWaitAgainstTheLimitAndFillsOnTheAnswer)
{
    startOnStandIn(u"--delay-ms 1300"_s, 1, 5);
    FrmIRAccess* w = openWindow();
    auto* gauge = child<QProgressBar>(w, "ggeIR");
    QStringList shown;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (w->running() && (shown.isEmpty() || shown.last() != gauge->text())) shown << gauge->text();
    });
    poll.start();
    click(w, "Option1_2"), click(w, "cmd_IRok");
    poll.stop();
    EXPECT_EQ(messages().back(), u"Übertragung erfolgreich beendet"_s);
    EXPECT_EQ(shown.mid(0, 2), (QStringList{u"0 s / 5 s"_s, u"1 s / 5 s"_s})) << shown.join('|').toStdString();
    EXPECT_TRUE(gauge->value() == gauge->maximum() && gauge->maximum() >= 2 && gauge->maximum() < 5) << gauge->maximum();
    EXPECT_EQ(gauge->text(), u"%1 s"_s.arg(gauge->maximum()));
}

// The card coding window binds its controls to the card rules of the core (whose bytes the transfer tests check):
// each control sets its part, every click is a change and a step, and the window shows the program's state.
class MasterWindow : public DesktopFixture {
protected:
    void clickOn(FrmMaster* w, const char* name)
    {
        model().Geaendert = 0;
        click(w, name);
        EXPECT_EQ(model().Geaendert, 1) << name;
    }
    static QString boxes(FrmMaster* w)
    {
        QString out;
        for (const char* box : kBoxes) out += child<QCheckBox>(w, box)->isChecked() ? u'x' : u'-';
        return out;
    }
    static constexpr const char* kBoxes[] = {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8"};
};

TEST_F(MasterWindow, ClicksCodeTheCardAreUndoableAndShownAgain)
{
    // The card coding of the school sample on a four-channel switch.
    startWith(4);
    openSample(u"Schule.zpg"_s);
    auto* w = open<FrmMaster>("mnuMaster");
    // Setting the controls is no click.
    EXPECT_EQ(std::tuple(w->windowTitle(), model().Geaendert, child<QRadioButton>(w, "optprogcard")->isChecked()), std::tuple(u"Codierung"_s, 0, true));
    QStringList captions;
    for (const char* box : kBoxes) captions << WithoutMnemonic(child<QCheckBox>(w, box)->text());
    EXPECT_EQ(captions, (QStringList{u"EIB TP"_s, u"Bit 1"_s, u"Bit2"_s, u"Bit 3"_s, u"IR"_s, u"Bit5"_s, u"Bit6"_s, u"bistabil"_s}));
    auto* label = child<QLabel>(frame(), "lblGeraet");
    EXPECT_FALSE(label->text().contains(u"Mastercard"_s));
    const int programCard = model().device.Geraetekennung;

    // A master card with every box clear, then "EIB TP" and "IR": 17.
    clickOn(w, "optmastercard");
    EXPECT_TRUE(MasterStateOf(model()).masterCard && label->text().endsWith(u" Mastercard "_s)) << label->text().toStdString();
    EXPECT_EQ(frame()->history().undoAction()->text(), u"&Rückgängig: Codierung ändern"_s);
    for (const char* box : kBoxes)
        if (child<QCheckBox>(w, box)->isChecked()) clickOn(w, box);
    EXPECT_EQ(model().device.MasterKennung, 0);
    clickOn(w, "Check1"), clickOn(w, "Check5");
    EXPECT_EQ(model().device.MasterKennung, 17);
    // An undo while the window is open puts the box back.
    frame()->history().undoAction()->trigger();
    EXPECT_EQ(std::pair(boxes(w), model().device.MasterKennung), std::pair(u"x-------"_s, 1));
    frame()->history().redoAction()->trigger();
    EXPECT_EQ(boxes(w), u"x---x---"_s);
    clickOn(w, "optmastercard"); // the same option again still counts as a change

    // Back to a program card: the identification as it was, the boxes kept but only shown, as a program card carries
    // none of the bits.
    clickOn(w, "optprogcard");
    EXPECT_EQ(std::pair(model().device.Geraetekennung, model().device.MasterKennung), std::pair(programCard, 17));
    EXPECT_EQ(std::pair(child<QGroupBox>(w, "FrmVersch")->isEnabled(), boxes(w)), std::pair(false, u"x---x---"_s));
    // The clock's language is bit 2 (weight 4) of the option byte: clear for the German/English clock, set for the
    // French one; nothing else moves.
    clickOn(w, "optgerman");
    EXPECT_EQ(std::pair(model().device.SpracheUhr, model().program().Kopf[3] & 4), std::pair(0, 0));
    const int options = model().program().Kopf[3];
    clickOn(w, "optfranz");
    EXPECT_EQ(std::pair(model().device.SpracheUhr, int(model().program().Kopf[3])), std::pair(1, options + 4));

    // Opened again the window shows what the program keeps; the device properties show the same clock language.
    QTest::mouseClick(child<QPushButton>(w, "cmdmachmstr"), Qt::LeftButton), settle();
    w = open<FrmMaster>("mnuMaster");
    EXPECT_EQ(std::pair(child<QRadioButton>(w, "optprogcard")->isChecked(), boxes(w)), std::pair(true, u"x---x---"_s));
    QTest::mouseClick(child<QPushButton>(w, "cmdmachmstr"), Qt::LeftButton), settle();
    trigger("mnuEinstGerät");
    EXPECT_EQ(child<QComboBox>(frame(), "cbosprache")->currentText(), u"französisch"_s);

    // The astro device has no bit boxes; its master card sets the type byte's top bit.
    startWith(19);
    w = open<FrmMaster>("mnuMaster");
    EXPECT_TRUE(child<QGroupBox>(w, "FrmVersch")->isHidden() && !child<QGroupBox>(w, "Frame1")->isHidden());
    QTest::mouseClick(child<QRadioButton>(w, "optmastercard"), Qt::LeftButton);
    EXPECT_EQ(model().program().Kopf[1], 80 + 128);
}

} // namespace
