#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/main/UndoHistory.h"
#include "ui/transfer/FrmIRAccess.h"
#include "ui/transfer/FrmMaster.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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

// A four-channel switch whose infrared tool is the stand-in with a virtual device.
class InfraredWindow : public DesktopFixture {
protected:
    void startOnStandIn(const QString& faults = QString(), int sprache = 1, int row = 4)
    {
        const QString tool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), work(u"device.zpg"_s),
                                                                 faults);
        ASSERT_TRUE(writeFile(work(u"ports.ini"_s), ("IRTOOL=" + tool + "\r\nIRTIMEOUT=1\r\n").toUtf8()));
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

TEST_F(InfraredWindow, NoAnswerEndsWithItsMessageAndKeepsTheProgram)
{
    startOnStandIn(u"--no-result"_s);
    openSample(u"Schule.zpg"_s);
    const int entries = model().program().AnzEintrag;
    FrmIRAccess* w = openWindow();
    ASSERT_NE(w, nullptr);
    click(w, "cmd_IRok");
    EXPECT_EQ(messages().back(), u"keine Rückmeldung von IR-Übertragung"_s);
    EXPECT_EQ(child<QProgressBar>(w, "ggeIR")->value(), child<QProgressBar>(w, "ggeIR")->maximum());
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
}

class MasterWindow : public DesktopFixture {};

TEST_F(MasterWindow, ClicksCodeTheCardAndAreUndoable)
{
    startWith(4);
    const QString file = openSample(u"Schule.zpg"_s);
    trigger("mnuMaster");
    auto* w = dialog<FrmMaster>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"Codierung"_s);
    EXPECT_EQ(model().Geaendert, 0);   // setting the controls is no click
    EXPECT_TRUE(child<QRadioButton>(w, "optprogcard")->isChecked());
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

    Image saved = ReadImageNumbers(readFile(file), 2048);
    ASSERT_EQ(saved.size(), 2048u);
    SwapStoredBytes(saved, kFamily731);
    EXPECT_EQ(saved[1] & 0x80, 0x80);
    EXPECT_EQ(saved[3], options);
    EXPECT_EQ(saved[18], 17);
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
