#include "app/Settings.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "transfer/PortSettings.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/transfer/FrmIRAccess.h"

#include <QSlider>
#include <QSpinBox>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class DeviceDialog : public DesktopFixture {
protected:
    // Opens the dialog from the settings menu, as the user does.
    FrmGeraetEinst* properties()
    {
        trigger("mnuEinstGerät");
        auto* d = child<FrmGeraetEinst>(frame(), "frmGerätEinst");
        EXPECT_TRUE(d && d->isVisible());
        return d;
    }
    static bool showsLabel(QWidget* d, const QString& text)
    {
        for (QLabel* l : d->findChildren<QLabel*>()) {
            if (l->text() == text)
                return true;
        }
        return false;
    }
    // As a click in the list does: the item is chosen and reported.
    static void choose(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void press(QWidget* d, const char* button) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); }
};

} // namespace

TEST_F(DeviceDialog, ItemsCaptionsAndMeterChoices)
{
    startWith(8); // three channels with meter pulse
    model().program().Kanalname[0] = u" Pumpe"_s;
    FrmGeraetEinst* d = properties();
    EXPECT_EQ(d->windowTitle(), u"Geräteeigenschaften"_s);
    EXPECT_EQ(items(child<QComboBox>(d, "cboSwRegel")),
              (QStringList{u"keine Umschaltung"_s, u"wie Europa"_s, u"wie Großbritannien"_s, u"wie USA"_s,
                           u"laut Tabelle"_s}));
    EXPECT_EQ(items(child<QComboBox>(d, "cboMessKan")),
              (QStringList{u"kein Messimpuls"_s, u"1  : Pumpe"_s, u"2  :"_s, u"3  :"_s}));
    EXPECT_EQ(items(child<QComboBox>(d, "cboMessPeriode")).value(6), u"10 Min"_s);
    EXPECT_EQ(items(child<QComboBox>(d, "cbolpt")).value(2), u"3 (3BCH)"_s);
    EXPECT_TRUE(child(d, "cbosprache")->isEnabled());
    EXPECT_FALSE(child(d, "optastroC1")->isVisible());

    // The port's caption words the port shown: a parallel port's number
    // after "über LPT", a serial one after "Schnittstelle :".
    const std::pair<int, QString> ports[] = {
        {0, u"über LPT"_s}, {2, u"über LPT"_s}, {3, u"Schnittstelle :"_s}, {4, u"Schnittstelle :"_s}};
    for (const auto& [index, caption] : ports) {
        choose(child<QComboBox>(d, "cbolpt"), index);
        EXPECT_EQ(child<QLabel>(d, "lblLpt")->text(), caption) << index;
    }

    // Captions of the scroll bars follow their values.
    child<QSlider>(d, "hsbverz")->setValue(3);
    EXPECT_TRUE(showsLabel(d, u"Verzögerungsfaktor :3"_s));
    child<QSlider>(d, "Hsbzeilen")->setValue(45);
    EXPECT_TRUE(showsLabel(d, u"45 Zeilen"_s));

    // The meter choices but its period mark the program at once.
    choose(child<QComboBox>(d, "cboMessPeriode"), 3);
    EXPECT_EQ(model().Geaendert, 0);
    for (const char* name : {"cboMessKan", "cboMessImpDauer", "cboMessZustand", "cboMessImpLage"}) {
        model().Geaendert = 0;
        choose(child<QComboBox>(d, name), 1);
        EXPECT_EQ(model().Geaendert, 1) << name;
    }
    press(d, "cmdEinstend");
    EXPECT_EQ(model().Geaendert, 1);
    EXPECT_TRUE(frame()->isWindowModified());
}

TEST_F(DeviceDialog, CancelKeepsOkAppliesSaveWritesTheSettings)
{
    startWith(8);
    // A first start in German: the new program changes its clock as in Europe.
    EXPECT_EQ(model().device.SwRegel, 1);
    const auto change = [](FrmGeraetEinst* d) {
        child<QComboBox>(d, "cboSwRegel")->setCurrentIndex(3);
        child<QSlider>(d, "hsbverz")->setValue(5);
        child<QComboBox>(d, "cbolpt")->setCurrentIndex(3);
        child<QLineEdit>(d, "txtCom1")->setText(u"/dev/ttyUSB0"_s);
        child<QComboBox>(d, "cbosprache")->setCurrentIndex(1);
    };
    FrmGeraetEinst* d = properties();
    change(d);
    press(d, "cmdEinstend");
    EXPECT_EQ(model().device.SwRegel, 1);
    EXPECT_EQ(model().device.Lpt, 1);

    d = properties();
    change(d);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.SwRegel, 3);
    EXPECT_EQ(model().device.Delay, 20);
    EXPECT_EQ(model().device.Lpt, 4);
    EXPECT_EQ(model().device.SerialPort1, u"/dev/ttyUSB0"_s);
    EXPECT_EQ(model().device.SpracheUhr, 1);
    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(written.SwRegel, 1); // Ok alone does not write the settings file

    d = properties();
    child<QComboBox>(d, "cboSwRegel")->setCurrentIndex(1);
    choose(child<QComboBox>(d, "cboMessKan"), 2);
    child<QComboBox>(d, "cboMessPeriode")->setCurrentIndex(8);
    child<QSlider>(d, "Hsbzeilen")->setValue(30);
    child<QComboBox>(d, "cbolpt")->setCurrentIndex(4);
    child<QLineEdit>(d, "txtCom2")->setText(u"/dev/ttyUSB1"_s);
    child<QLineEdit>(d, "txtBus1")->setText(u" knxnetip:192.168.1.20:3671 "_s);
    child<QLineEdit>(d, "txtBus2")->setText(u"sim:bus-sim.ini"_s);
    child<QCheckBox>(d, "chkVerify")->setChecked(false);
    press(d, "cmdeinstSpei");
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(std::tuple(written.SwRegel, written.MessKanal, written.MessPeriode, written.Zeilen, written.Lpt),
              std::tuple(1, 2, 15, 30, 5));
    // The serial devices and bus links go to the port file.
    EXPECT_TRUE(readFile(work(kPortSettingsFileName)).contains("BUS1=knxnetip:192.168.1.20:3671\r\nBUS2=sim:bus-sim.ini\r\n"))
        << readFile(work(kPortSettingsFileName)).toStdString();

    // The next start knows them again.
    app_.reset();
    ASSERT_TRUE(startApp());
    EXPECT_EQ(model().device.SerialPort1, u"/dev/ttyUSB0"_s);
    EXPECT_EQ(model().device.SerialPort2, u"/dev/ttyUSB1"_s);
    EXPECT_FALSE(model().device.VerifyWholeChip);
    EXPECT_EQ(model().device.Lpt, 5);
    EXPECT_EQ(model().device.BusLink1, u"knxnetip:192.168.1.20:3671"_s);
    EXPECT_EQ(model().device.BusLink2, u"sim:bus-sim.ini"_s);
}

TEST_F(DeviceDialog, InfraredToolAndWaitingTimeGoToThePortFileAnEmptyToolIsNone)
{
    startWith(4);
    FrmGeraetEinst* d = properties();
    auto* tool = child<QLineEdit>(d, "txtIrTool");
    auto* wait = child<QSpinBox>(d, "spnIrTimeout");
    EXPECT_EQ(tool->text(), u"irprot"_s);
    EXPECT_EQ(wait->value(), 120);
    tool->selectAll();
    QTest::keyClicks(tool, u" /opt/ir/irprot --fast "_s);
    wait->selectAll();
    QTest::keyClicks(wait, u"45"_s);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.IrTool, u"/opt/ir/irprot --fast"_s);
    EXPECT_EQ(model().device.IrTimeout, 45);
    EXPECT_FALSE(QFile::exists(work(kPortSettingsFileName))); // Ok alone writes no file

    d = properties();
    EXPECT_EQ(child<QLineEdit>(d, "txtIrTool")->text(), u"/opt/ir/irprot --fast"_s);
    child<QSpinBox>(d, "spnIrTimeout")->setValue(30);
    press(d, "cmdeinstSpei");
    EXPECT_TRUE(readFile(work(kPortSettingsFileName)).contains("IRTOOL=/opt/ir/irprot --fast\r\nIRTIMEOUT=30\r\n"))
        << readFile(work(kPortSettingsFileName)).toStdString();
    app_.reset();
    startWith(4);
    EXPECT_EQ(model().device.IrTool, u"/opt/ir/irprot --fast"_s);
    EXPECT_EQ(model().device.IrTimeout, 30);

    // Emptied, it means no tool, also at the next start.
    d = properties();
    child<QLineEdit>(d, "txtIrTool")->clear();
    press(d, "cmdeinstSpei");
    EXPECT_TRUE(model().device.IrTool.isEmpty());
    EXPECT_TRUE(readFile(work(kPortSettingsFileName)).contains("IRTOOL=\r\n"));
    // The next start keeps it empty rather than bringing back the old tool.
    app_.reset();
    startWith(4);
    EXPECT_TRUE(model().device.IrTool.isEmpty());

    // Setting the clock then tells that no tool is set, and starts none.
    auto* w = open<FrmIRAccess>("mnuIRAccess");
    QTest::mouseClick(child<QRadioButton>(w, "Option1_2"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(w, "cmd_IRok"), Qt::LeftButton);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(),
              u"Das IR-Programm lässt sich nicht starten: kein IR-Programm eingestellt (Geräteeigenschaften)"_s);
    EXPECT_FALSE(QFile::exists(work(u"irtrans.msg"_s)));
    EXPECT_FALSE(w->running());
}

TEST_F(DeviceDialog, AstroDeviceChoosesItsAstroChannels)
{
    startWith(19);
    FrmGeraetEinst* d = properties();
    auto* c1 = child<QRadioButton>(d, "optastroC1");
    EXPECT_TRUE(c1->isVisible() && c1->isChecked());
    EXPECT_FALSE(child(d, "cbosprache")->isEnabled());
    QTest::mouseClick(child<QRadioButton>(d, "optastroC1undC2"), Qt::LeftButton);
    EXPECT_EQ(model().Geaendert, 1);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.AstroC1C2, 1);
}
