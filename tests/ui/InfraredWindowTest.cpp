#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmIRAccess.h"
#include "ui/transfer/FrmMaster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QStringList lines(const QString& path)
{
    QStringList out = QString::fromLatin1(readFile(path)).split(u"\r\n"_s);
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// Bytes 1, 3 and 18 of the image a saved program file carries.
std::array<int, 3> cardBytes(const QString& file)
{
    Image saved = ReadImageNumbers(readFile(file), 2048);
    if (saved.size() != 2048u)
        return {-1, -1, -1};
    SwapStoredBytes(saved, kFamily731);
    return {saved[1], saved[3], saved[18]};
}

// What the window looked like in the pause between the tool's answer and
// reading it, and what a user's OK and close did there.
struct DuringThePause {
    bool seen = false;
    bool running = false;
    bool okEnabled = true;
    bool closeEnabled = true;
    bool visibleAfterClose = false;
};

// A four-channel switch whose infrared tool is the stand-in with a virtual device.
class InfraredWindow : public DesktopFixture {
protected:
    void startOnStandIn(const QString& faults = QString(), int sprache = 1, int row = 4, int timeoutSeconds = 1)
    {
        const QString tool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), work(u"device.zpg"_s),
                                                                 faults);
        ASSERT_TRUE(writeFile(work(u"ports.ini"_s),
                              ("IRTOOL=" + tool + "\r\nIRTIMEOUT=" + QString::number(timeoutSeconds) + "\r\n").toUtf8()));
        startWith(row, sprache);
    }

    FrmIRAccess* openWindow()
    {
        trigger("mnuIRAccess");
        auto* w = dialog<FrmIRAccess>();
        EXPECT_NE(w, nullptr);
        if (w)
            w->settleMs = 20;
        return w;
    }

    void click(QWidget* parent, const char* name) { QTest::mouseClick(child<QWidget>(parent, name), Qt::LeftButton); }

    // Runs `job` (a click on OK) with a long pause after the answer; as soon as
    // the answer is there and the gauge is full, OK and close are clicked and
    // the window is asked to close.
    static DuringThePause pressDuringThePause(FrmIRAccess* w, const QString& resultFile, const std::function<void()>& job)
    {
        DuringThePause seen;
        w->settleMs = 600;
        auto* gauge = child<QProgressBar>(w, "ggeIR");
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (seen.seen || !QFile::exists(resultFile) || gauge->maximum() < 1 || gauge->value() != gauge->maximum())
                return;
            seen.seen = true;
            seen.running = w->running();
            seen.okEnabled = child<QPushButton>(w, "cmd_IRok")->isEnabled();
            seen.closeEnabled = child<QPushButton>(w, "cmd_Irend")->isEnabled();
            QTest::mouseClick(child<QPushButton>(w, "cmd_IRok"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(w, "cmd_Irend"), Qt::LeftButton);
            w->close();
            seen.visibleAfterClose = w->isVisible();
        });
        poll.start();
        job();
        poll.stop();
        return seen;
    }
};

TEST_F(InfraredWindow, ModesShowTheTimeFieldsOnlyForSettingTheClock)
{
    startOnStandIn();
    EXPECT_EQ(WithoutMnemonic(action("mnuIRAccess")->text()), u"IR-Zugriff"_s);
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"IR-Zugriff"_s);
    EXPECT_EQ(WithoutMnemonic(child<QRadioButton>(w, "Option1_0")->text()), u"Schaltzeiten lesen"_s);
    EXPECT_TRUE(child<QRadioButton>(w, "Option1_0")->isChecked());
    auto* time = child<QLineEdit>(w, "TxtUz");
    auto* date = child<QLineEdit>(w, "txtdat");
    EXPECT_TRUE(time->isHidden());
    click(w, "Option1_2");
    EXPECT_FALSE(time->isHidden());
    EXPECT_EQ(w->clockSource(), IrClockSource::Computer);
    EXPECT_TRUE(ParseIrTime(time->text()).has_value()) << time->text().toStdString();
    EXPECT_TRUE(ParseIrDate(date->text()).has_value()) << date->text().toStdString();

    click(w, "Optcom_2");
    click(w, "cmd_IRok");
    QStringList job = lines(work(u"2irprot.msg"_s));
    EXPECT_EQ(job.value(0), u"u"_s);
    EXPECT_EQ(job.value(1), u" 5"_s);
    EXPECT_EQ(job.value(6), u"UZ1"_s);
    EXPECT_EQ(messages().back(), u"Übertragung erfolgreich beendet"_s);

    // Typing makes it the user's time; letters are turned away with a beep.
    time->setFocus();
    time->clear();
    QTest::keyClicks(time, u"9x:5"_s);
    EXPECT_EQ(time->text(), u"9:5"_s);
    EXPECT_EQ(interaction_.beeps, 1);
    EXPECT_EQ(w->clockSource(), IrClockSource::Typed);
    date->setFocus();   // leaving the time field completes it
    EXPECT_EQ(time->text(), u"09:05:00"_s);
    date->selectAll();
    QTest::keyClicks(date, u"7.3.27"_s);
    click(w, "cmd_IRok");
    job = lines(work(u"2irprot.msg"_s));
    EXPECT_EQ(job.mid(6), (QStringList{u"UZ2"_s, u"09 05 00"_s, u"07 03 2027"_s, u"7"_s}));
    EXPECT_EQ(lines(work(u"device.zpg.clock"_s)), QStringList{u"09:05:00 07.03.2027 UZ2"_s});

    // Back to reading: the dummy time again.
    click(w, "Option1_0");
    click(w, "cmd_IRok");
    EXPECT_EQ(lines(work(u"2irprot.msg"_s)).mid(6),
              (QStringList{u"UZ0"_s, u"00 00 00"_s, u"01 01 2001"_s, u"1"_s}));
}

TEST_F(InfraredWindow, AnImpossibleDateIsRefusedBeforeTheJob)
{
    startOnStandIn();
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    click(w, "Option1_2");
    auto* date = child<QLineEdit>(w, "txtdat");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, u"30.02.27"_s);
    const std::size_t before = messages().size();
    click(w, "cmd_IRok");
    ASSERT_EQ(messages().size(), before + 1);
    EXPECT_EQ(messages().back(), u"Kein gültiges Datum: 30.02.27 (tt.mm.jj)"_s);
    EXPECT_FALSE(QFile::exists(work(u"2irprot.msg"_s)));
}

TEST_F(InfraredWindow, ReadBringsTheDeviceProgramIntoTheList)
{
    startOnStandIn();
    ProgramModel onDevice = canonical731();
    ASSERT_FALSE(saveProgramAs(onDevice, work(u"device.zpg"_s)).isEmpty());
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    click(w, "cmd_IRok");
    EXPECT_EQ(messages().back(), u"Übertragung erfolgreich beendet"_s);
    EXPECT_EQ(model().program().AnzEintrag, onDevice.program().AnzEintrag);
    EXPECT_EQ(model().program().Eintrag, onDevice.program().Eintrag);
    EXPECT_EQ(model().program().Dateiname, work(u"SzTab1.zpg"_s));
    EXPECT_EQ(model().Geaendert, 1);
    EXPECT_TRUE(frame()->isWindowModified());
    EXPECT_EQ(gridText().size(), onDevice.program().AnzSz + 1);
    EXPECT_FALSE(frame()->history().undoAction()->isEnabled());   // a fresh history
}

TEST_F(InfraredWindow, OkAndCloseWaitUntilTheAnswerHasBeenRead)
{
    startOnStandIn();
    model().device.IrTimeout = 20;   // room for a slow start of the tool
    ProgramModel onDevice = canonical731();
    ASSERT_FALSE(saveProgramAs(onDevice, work(u"device.zpg"_s)).isEmpty());
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    const std::size_t before = messages().size();
    const DuringThePause pause =
        pressDuringThePause(w, work(u"irtrans.msg"_s), [&] { click(w, "cmd_IRok"); });
    ASSERT_TRUE(pause.seen);
    EXPECT_TRUE(pause.running);
    EXPECT_FALSE(pause.okEnabled);
    EXPECT_FALSE(pause.closeEnabled);
    EXPECT_TRUE(pause.visibleAfterClose);
    // One job, one message, and its program taken in.
    const std::vector<QString> shown = messages();
    EXPECT_EQ(std::vector<QString>(shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()),
              std::vector<QString>{u"Übertragung erfolgreich beendet"_s});
    EXPECT_EQ(model().program().Eintrag, onDevice.program().Eintrag);
    EXPECT_TRUE(QFile::exists(work(u"irtrans.msg"_s)));
    EXPECT_TRUE(QFile::exists(work(u"exchg.dat"_s)));
    // Once the job is over the window is free again.
    EXPECT_FALSE(w->running());
    EXPECT_TRUE(child<QPushButton>(w, "cmd_IRok")->isEnabled());
    click(w, "cmd_Irend");
    settle();
    EXPECT_EQ(frame()->findChild<FrmIRAccess*>(), nullptr);
}

TEST_F(InfraredWindow, NoAnswerEndsWithItsMessageAndKeepsTheProgram)
{
    startOnStandIn(u"--no-result"_s);
    openSample(u"Schule.zpg"_s);
    const int entries = model().program().AnzEintrag;
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    click(w, "cmd_IRok");
    EXPECT_EQ(messages().back(), u"keine Rückmeldung von IR-Übertragung"_s);
    // Full only for an answer.
    EXPECT_LT(child<QProgressBar>(w, "ggeIR")->value(), child<QProgressBar>(w, "ggeIR")->maximum());
    EXPECT_EQ(model().program().AnzEintrag, entries);
    EXPECT_TRUE(child<QPushButton>(w, "cmd_Irend")->isEnabled());
    click(w, "cmd_Irend");
    settle();
    EXPECT_EQ(frame()->findChild<FrmIRAccess*>(), nullptr);
}

TEST_F(InfraredWindow, SpeaksEnglish)
{
    startOnStandIn(QString(), 2);
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"IR-access"_s);
    EXPECT_EQ(WithoutMnemonic(child<QRadioButton>(w, "Option1_1")->text()), u"programm switching times"_s);
    click(w, "Option1_1");
    click(w, "cmd_IRok");   // an empty new program: saving asks for a name, none given
    EXPECT_FALSE(QFile::exists(work(u"2irprot.msg"_s)));
    w->close();
    trigger("mnuMaster");
    auto* m = dialog<FrmMaster>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->windowTitle(), u"Card coding"_s);
    EXPECT_EQ(WithoutMnemonic(child<QRadioButton>(m, "optquart")->text()), u"Quartz"_s);
    EXPECT_EQ(WithoutMnemonic(child<QCheckBox>(m, "Check8")->text()), u"bistable"_s);
    EXPECT_EQ(WithoutMnemonic(child<QCheckBox>(m, "Check1")->text()), u"EIB TP"_s);
}

TEST_F(InfraredWindow, SpeaksFrench)
{
    startOnStandIn(QString(), 3);
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"Accès IR"_s);
    click(w, "Option1_2");
    auto* time = child<QLineEdit>(w, "TxtUz");
    time->setFocus();
    time->selectAll();
    QTest::keyClicks(time, u"25:00"_s);
    click(w, "cmd_IRok");
    EXPECT_EQ(messages().back(), u"Heure non valable : 25:00 (hh:mm:ss)"_s);
    w->close();
    trigger("mnuMaster");
    auto* m = dialog<FrmMaster>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->windowTitle(), u"Codage"_s);
    EXPECT_EQ(WithoutMnemonic(child<QRadioButton>(m, "optfranz")->text()), u"Français"_s);
    EXPECT_EQ(WithoutMnemonic(child<QCheckBox>(m, "Check8")->text()), u"bistable"_s);
    EXPECT_EQ(WithoutMnemonic(child<QCheckBox>(m, "Check1")->text()), u"EIB TP"_s);
}

class MasterWindow : public DesktopFixture {
protected:
    // The card coding of the school sample on a four-channel switch.
    FrmMaster* openOnSchool()
    {
        startWith(4);
        file = openSample(u"Schule.zpg"_s);
        trigger("mnuMaster");
        auto* w = dialog<FrmMaster>();
        EXPECT_NE(w, nullptr);
        return w;
    }
    QString file;
};

TEST_F(MasterWindow, ClicksCodeTheCardAndAreUndoable)
{
    auto* w = openOnSchool();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"Codierung"_s);
    EXPECT_EQ(model().Geaendert, 0);   // setting the controls is no click
    EXPECT_TRUE(child<QRadioButton>(w, "optprogcard")->isChecked());
    QStringList boxes;
    for (const char* box : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8"})
        boxes << WithoutMnemonic(child<QCheckBox>(w, box)->text());
    EXPECT_EQ(boxes, (QStringList{u"EIB TP"_s, u"Bit 1"_s, u"Bit2"_s, u"Bit 3"_s, u"IR"_s, u"Bit5"_s, u"Bit6"_s,
                                  u"bistabil"_s}));
    auto* label = frame()->findChild<QLabel*>(u"lblGeraet"_s);
    EXPECT_FALSE(label->text().contains(u"Mastercard"_s));

    QTest::mouseClick(child<QRadioButton>(w, "optmastercard"), Qt::LeftButton);
    EXPECT_EQ(model().Geaendert, 1);
    EXPECT_TRUE(label->text().endsWith(u" Mastercard "_s)) << label->text().toStdString();
    EXPECT_EQ(frame()->history().undoAction()->text(), u"&Rückgängig: Codierung ändern"_s);
    for (const char* box : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8"})
        if (child<QCheckBox>(w, box)->isChecked())
            child<QCheckBox>(w, box)->click();
    child<QCheckBox>(w, "Check1")->click();
    child<QCheckBox>(w, "Check5")->click();
    EXPECT_EQ(model().device.MasterKennung, 17);
    const int options = model().program().Kopf[3];
    EXPECT_GE(options, 128);

    // An undo while the window is open puts the box back.
    frame()->history().undoAction()->trigger();
    EXPECT_FALSE(child<QCheckBox>(w, "Check5")->isChecked());
    EXPECT_EQ(model().device.MasterKennung, 1);
    frame()->history().redoAction()->trigger();
    EXPECT_TRUE(child<QCheckBox>(w, "Check5")->isChecked());

    // The same option again still counts as a change.
    trigger("mnudatspei");
    EXPECT_EQ(model().Geaendert, 0);
    QTest::mouseClick(child<QRadioButton>(w, "optmastercard"), Qt::LeftButton);
    EXPECT_EQ(model().Geaendert, 1);
    QTest::mouseClick(child<QPushButton>(w, "cmdmachmstr"), Qt::LeftButton);
    trigger("mnudatspei");

    const std::array<int, 3> card = cardBytes(file);
    EXPECT_EQ(card[0] & 0x80, 0x80);
    EXPECT_EQ(card[1], options);
    EXPECT_EQ(card[2], 17);
}

TEST_F(MasterWindow, AMastercardWithoutBitsAndTheWayBackToProgcard)
{
    auto* w = openOnSchool();
    ASSERT_NE(w, nullptr);
    const std::array<int, 3> plain = cardBytes(file);
    ASSERT_EQ(plain[0] & 0x80, 0);
    ASSERT_LT(plain[1], 128);
    const auto clickOn = [&](const char* name) {
        model().Geaendert = 0;
        child<QAbstractButton>(w, name)->click();
        EXPECT_EQ(model().Geaendert, 1) << name;
    };

    // A master card with every box clear: the card bit, but neither the
    // +128 of the options nor a byte 18.
    clickOn("optmastercard");
    for (const char* box : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8"})
        if (child<QCheckBox>(w, box)->isChecked())
            clickOn(box);
    EXPECT_EQ(model().device.MasterKennung, 0);
    trigger("mnudatspei");
    EXPECT_EQ(cardBytes(file), (std::array<int, 3>{plain[0] | 0x80, plain[1], 255}));

    // "EIB TP" and "IR": 17, and the options say byte 18 is there.
    clickOn("Check1");
    clickOn("Check5");
    trigger("mnudatspei");
    EXPECT_EQ(cardBytes(file), (std::array<int, 3>{plain[0] | 0x80, plain[1] + 128, 17}));

    // Back to a program card: the identification as it was, the boxes kept,
    // but the card carries no byte 18 and no +128 any more.
    clickOn("optprogcard");
    EXPECT_EQ(model().device.Geraetekennung, plain[0]);
    EXPECT_EQ(model().device.MasterKennung, 17);
    // A program card carries none of the bits: they are shown, not offered.
    EXPECT_FALSE(child<QGroupBox>(w, "FrmVersch")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(w, "Check1")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w, "Check5")->isChecked());
    trigger("mnudatspei");
    EXPECT_EQ(cardBytes(file), (std::array<int, 3>{plain[0], plain[1], 255}));

    // Opened again, the window shows the boxes the program keeps.
    QTest::mouseClick(child<QPushButton>(w, "cmdmachmstr"), Qt::LeftButton);
    settle();
    trigger("mnuMaster");
    w = dialog<FrmMaster>();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(child<QRadioButton>(w, "optprogcard")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w, "Check1")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w, "Check5")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(w, "Check2")->isChecked());
}

TEST_F(MasterWindow, LanguageButtonsSetTheClockLanguageBit)
{
    // The clock's language is bit 2 (weight 4) of the option byte: clear for
    // the German/English clock, set for the French one, as the device
    // properties' "Sprache der Uhr" list has it.
    auto* w = openOnSchool();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(child<QRadioButton>(w, "optfranz"), Qt::LeftButton);
    EXPECT_EQ(model().device.SpracheUhr, 1);
    EXPECT_EQ(model().program().Kopf[3] & 4, 4);
    trigger("mnudatspei");
    EXPECT_EQ(cardBytes(file)[1] & 4, 4);
    QTest::mouseClick(child<QRadioButton>(w, "optgerman"), Qt::LeftButton);
    EXPECT_EQ(model().device.SpracheUhr, 0);
    EXPECT_EQ(model().program().Kopf[3] & 4, 0);
    trigger("mnudatspei");
    EXPECT_EQ(cardBytes(file)[1] & 4, 0);
    const int options = model().program().Kopf[3];
    QTest::mouseClick(child<QRadioButton>(w, "optfranz"), Qt::LeftButton);
    EXPECT_EQ(model().program().Kopf[3], options + 4);   // nothing else moves

    // The device properties show the same choice.
    QTest::mouseClick(child<QPushButton>(w, "cmdmachmstr"), Qt::LeftButton);
    settle();
    trigger("mnuEinstGerät");
    auto* properties = frame()->findChild<QDialog*>(u"frmGerätEinst"_s);
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(child<QComboBox>(properties, "cbosprache")->currentText(), u"französisch"_s);
}

TEST_F(MasterWindow, AstroDeviceHasNoBitBoxes)
{
    startWith(19);
    trigger("mnuMaster");
    auto* w = dialog<FrmMaster>();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(child<QGroupBox>(w, "FrmVersch")->isHidden());
    EXPECT_FALSE(child<QGroupBox>(w, "Frame1")->isHidden());
    QTest::mouseClick(child<QRadioButton>(w, "optmastercard"), Qt::LeftButton);
    EXPECT_EQ(model().program().Kopf[1], 80 + 128);
}

} // namespace

// While waiting the gauge counts the seconds against the time limit; it is
// full only once the answer is there, at the seconds the job took.
TEST_F(InfraredWindow, TheGaugeCountsTheWaitAgainstTheLimitAndFillsOnTheAnswer)
{
    startOnStandIn(u"--delay-ms 1300"_s, 1, 4, 5);
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    auto* gauge = child<QProgressBar>(w, "ggeIR");
    QStringList shown;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (w->running() && (shown.isEmpty() || shown.last() != gauge->text()))
            shown << gauge->text();
    });
    poll.start();
    click(w, "Option1_2");
    click(w, "cmd_IRok");
    poll.stop();
    EXPECT_EQ(messages().back(), u"Übertragung erfolgreich beendet"_s);
    EXPECT_EQ(shown.mid(0, 2), (QStringList{u"0 s / 5 s"_s, u"1 s / 5 s"_s})) << shown.join('|').toStdString();
    // Full, at the whole seconds the job took (at least the tool's 1.3 s),
    // not at the limit.
    EXPECT_EQ(gauge->value(), gauge->maximum());
    EXPECT_GE(gauge->maximum(), 2);
    EXPECT_LT(gauge->maximum(), 5);
    EXPECT_EQ(gauge->text(), u"%1 s"_s.arg(gauge->maximum()));
}

