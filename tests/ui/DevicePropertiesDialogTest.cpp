#include "app/Settings.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "transfer/PortSettings.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/transfer/FrmIRAccess.h"

namespace zendrik::test {

namespace {

class DeviceDialog : public DesktopFixture {
protected:
    // Opens the dialog from the settings menu, as the user does.
    FrmGeraetEinst* properties() { return trigger("mnuEinstGerät"), d_ = child<FrmGeraetEinst>(frame(), "frmGerätEinst"); }
    template <typename T = QComboBox>
    T* in(const char* name) const { return child<T>(d_, name); }
    // As a click in the list does: the item is chosen and reported.
    void choose(const char* combo, int index) const { in(combo)->setCurrentIndex(index), emit in(combo)->activated(index); }
    QByteArray portFile() const { return readFile(work(kPortSettingsFileName)); }
    FrmGeraetEinst* d_ = nullptr;
};

} // namespace

TEST_F(DeviceDialog, ItemsCaptionsMeterAndAstroChoices)
{
    startWith(8); // three channels with meter pulse
    model().program().Kanalname[0] = u" Pumpe"_s;
    FrmGeraetEinst* d = properties();
    EXPECT_TRUE(d->isVisible() && d->windowTitle() == u"Geräteeigenschaften"_s);
    EXPECT_EQ(items(in("cboSwRegel")), (QStringList{u"keine Umschaltung"_s, u"wie Europa"_s, u"wie Großbritannien"_s,
                                                    u"wie USA"_s, u"laut Tabelle"_s}));
    EXPECT_EQ(items(in("cboMessKan")), (QStringList{u"kein Messimpuls"_s, u"1  : Pumpe"_s, u"2  :"_s, u"3  :"_s}));
    EXPECT_EQ(std::tuple(items(in("cboMessPeriode")).value(6), items(in("cbolpt")).value(2)), std::tuple(u"10 Min"_s, u"3 (3BCH)"_s));
    EXPECT_TRUE(in<QWidget>("cbosprache")->isEnabled() && !in<QWidget>("optastroC1")->isVisible());
    // The port's caption words the port shown: a parallel port's number
    // after "über LPT", a serial one after "Schnittstelle :".
    const std::pair<int, QString> ports[] = {{0, u"über LPT"_s}, {2, u"über LPT"_s}, {3, u"Schnittstelle :"_s}, {4, u"Schnittstelle :"_s}};
    for (const auto& [index, caption] : ports) {
        choose("cbolpt", index);
        EXPECT_EQ(in<QLabel>("lblLpt")->text(), caption) << index;
    }
    // Captions of the scroll bars follow their values.
    in<QSlider>("hsbverz")->setValue(3);
    in<QSlider>("Hsbzeilen")->setValue(45);
    QStringList labels;
    for (QLabel* l : d->findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains(u"Verzögerungsfaktor :3"_s) && labels.contains(u"45 Zeilen"_s)) << labels.join(u'|').toStdString();
    // The meter choices but its period mark the program at once.
    choose("cboMessPeriode", 3);
    EXPECT_EQ(model().Geaendert, 0);
    for (const char* name : {"cboMessKan", "cboMessImpDauer", "cboMessZustand", "cboMessImpLage"}) {
        model().Geaendert = 0;
        choose(name, 1);
        EXPECT_EQ(model().Geaendert, 1) << name;
    }
    press(d, "cmdEinstend");
    EXPECT_TRUE(model().Geaendert == 1 && frame()->isWindowModified());
    // The astro device chooses its astro channels, its clock speaks German only.
    restart(19);
    d = properties();
    EXPECT_TRUE(in<QRadioButton>("optastroC1")->isVisible() && in<QRadioButton>("optastroC1")->isChecked() && !in<QWidget>("cbosprache")->isEnabled());
    press(d, "optastroC1undC2");
    EXPECT_EQ(model().Geaendert, 1);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.AstroC1C2, 1);
}

TEST_F(DeviceDialog, CancelKeepsOkAppliesSaveWritesTheSettingsAndThePorts)
{
    startWith(8);
    EXPECT_EQ(model().device.SwRegel, 1); // a first start in German: clocks change as in Europe
    for (const char* button : {"cmdEinstend", "CmdEinstOk"}) {
        FrmGeraetEinst* d = properties();
        EXPECT_EQ(std::tuple(in<QLineEdit>("txtIrTool")->text(), in<QSpinBox>("spnIrTimeout")->value()), std::tuple(u"irprot"_s, 120));
        in("cboSwRegel")->setCurrentIndex(3);
        in<QSlider>("hsbverz")->setValue(5);
        in("cbolpt")->setCurrentIndex(3);
        in<QLineEdit>("txtCom1")->setText(u"/dev/ttyUSB0"_s);
        in("cbosprache")->setCurrentIndex(1);
        in<QLineEdit>("txtIrTool")->selectAll();
        QTest::keyClicks(in<QLineEdit>("txtIrTool"), u" /opt/ir/irprot --fast "_s);
        in<QSpinBox>("spnIrTimeout")->selectAll();
        QTest::keyClicks(in<QSpinBox>("spnIrTimeout"), u"45"_s);
        press(d, button);
        EXPECT_EQ(model().device.SwRegel, QByteArray(button) == "cmdEinstend" ? 1 : 3) << "Cancel keeps, Ok applies";
    }
    const DeviceSettings& s = model().device;
    EXPECT_EQ(std::tuple(s.SwRegel, s.Delay, s.Lpt, s.SerialPort1, s.SpracheUhr, s.IrTool, s.IrTimeout),
              std::tuple(3, 20, 4, u"/dev/ttyUSB0"_s, 1, u"/opt/ir/irprot --fast"_s, 45));
    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(written.SwRegel, 1) << "Ok alone does not write the settings file";
    EXPECT_FALSE(QFile::exists(work(kPortSettingsFileName))) << "nor the port file";

    FrmGeraetEinst* d = properties();
    EXPECT_EQ(in<QLineEdit>("txtIrTool")->text(), u"/opt/ir/irprot --fast"_s);
    in("cboSwRegel")->setCurrentIndex(1);
    choose("cboMessKan", 2);
    in("cboMessPeriode")->setCurrentIndex(8);
    in<QSlider>("Hsbzeilen")->setValue(30);
    in("cbolpt")->setCurrentIndex(4);
    in<QLineEdit>("txtCom2")->setText(u"/dev/ttyUSB1"_s);
    in<QLineEdit>("txtBus1")->setText(u" knxnetip:192.168.1.20:3671 "_s);
    in<QLineEdit>("txtBus2")->setText(u"sim:bus-sim.ini"_s);
    in<QCheckBox>("chkVerify")->setChecked(false);
    in<QSpinBox>("spnIrTimeout")->setValue(30);
    press(d, "cmdeinstSpei");
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(std::tuple(written.SwRegel, written.MessKanal, written.MessPeriode, written.Zeilen, written.Lpt),
              std::tuple(1, 2, 15, 30, 5));
    // The serial devices, bus links and the infrared tool go to the port file; the next start knows them again.
    EXPECT_TRUE(portFile().contains("BUS1=knxnetip:192.168.1.20:3671\r\nBUS2=sim:bus-sim.ini\r\n")) << portFile().toStdString();
    EXPECT_TRUE(portFile().contains("IRTOOL=/opt/ir/irprot --fast\r\nIRTIMEOUT=30\r\n")) << portFile().toStdString();
    app_.reset();
    ASSERT_TRUE(startApp());
    const DeviceSettings& t = model().device;
    EXPECT_EQ(std::tuple(t.SerialPort1, t.SerialPort2, t.VerifyWholeChip, t.Lpt, t.BusLink1, t.BusLink2, t.IrTool, t.IrTimeout),
              std::tuple(u"/dev/ttyUSB0"_s, u"/dev/ttyUSB1"_s, false, 5, u"knxnetip:192.168.1.20:3671"_s, u"sim:bus-sim.ini"_s,
                         u"/opt/ir/irprot --fast"_s, 30));
}

TEST_F(DeviceDialog, AnEmptiedInfraredToolIsNoneAlsoAtTheNextStart)
{
    startWith(4);
    FrmGeraetEinst* d = properties();
    in<QLineEdit>("txtIrTool")->clear();
    press(d, "cmdeinstSpei");
    EXPECT_TRUE(model().device.IrTool.isEmpty() && portFile().contains("IRTOOL=\r\n"));
    restart(4);
    EXPECT_TRUE(model().device.IrTool.isEmpty()) << "not the default tool again";
    // Setting the clock then tells that no tool is set, and starts none.
    auto* w = open<FrmIRAccess>("mnuIRAccess");
    press(w, "Option1_2");
    press(w, "cmd_IRok");
    EXPECT_EQ(messages().empty() ? QString() : messages().back(), u"Das IR-Programm lässt sich nicht starten: kein IR-Programm eingestellt (Geräteeigenschaften)"_s);
    EXPECT_FALSE(QFile::exists(work(u"irtrans.msg"_s)) || w->running());
}

} // namespace zendrik::test
