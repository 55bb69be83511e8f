#include "model/Settings.h"
#include "transfer/PortSettings.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/main/FrmGeraetEinst.h"
#include "ui/main/MdiForm1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class DeviceDialog : public DesktopFixture {
protected:
    // Opens the dialog from the settings menu, as the user does.
    FrmGeraetEinst* open()
    {
        trigger("mnuEinstGerät");
        auto* dialog = app_->mainFrame()->findChild<FrmGeraetEinst*>(QStringLiteral("frmGerätEinst"));
        EXPECT_NE(dialog, nullptr);
        if (dialog)
            EXPECT_TRUE(dialog->isVisible());
        return dialog;
    }
    template <typename T>
    static T* child(QWidget* w, const char* name)
    {
        auto* c = w->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void choose(QComboBox* combo, int index)
    {
        // As a click in the list does: the item is chosen and reported.
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void press(QWidget* dialog, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    ProgramModel& model() { return app_->model(); }
};

} // namespace

TEST_F(DeviceDialog, ItemsOfTheControls)
{
    startWith(8);   // three channels with meter pulse
    model().program().Kanalname[0] = QStringLiteral(" Pumpe");
    FrmGeraetEinst* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Geräteeigenschaften"));

    auto* rule = child<QComboBox>(d, "cboSwRegel");
    QStringList rules;
    for (int i = 0; i < rule->count(); ++i)
        rules << rule->itemText(i);
    EXPECT_EQ(rules, (QStringList{QStringLiteral("keine Umschaltung"), QStringLiteral("wie Europa"),
                                  QStringLiteral("wie Großbritannien"), QStringLiteral("wie USA"),
                                  QStringLiteral("laut Tabelle")}));

    auto* channel = child<QComboBox>(d, "cboMessKan");
    ASSERT_EQ(channel->count(), 4);
    EXPECT_EQ(channel->itemText(0), QStringLiteral("kein Messimpuls"));
    EXPECT_EQ(channel->itemText(1), QStringLiteral("1  : Pumpe"));
    EXPECT_EQ(channel->itemText(3), QStringLiteral("3  :"));

    auto* period = child<QComboBox>(d, "cboMessPeriode");
    ASSERT_EQ(period->count(), 12);
    EXPECT_EQ(period->itemText(0), QStringLiteral("1 Min"));
    EXPECT_EQ(period->itemText(6), QStringLiteral("10 Min"));
    EXPECT_EQ(period->itemText(11), QStringLiteral("60 Min"));

    auto* lpt = child<QComboBox>(d, "cbolpt");
    EXPECT_EQ(lpt->itemText(0), QStringLiteral("1 (378H)"));
    EXPECT_EQ(lpt->itemText(1), QStringLiteral("2 (278H)"));
    EXPECT_EQ(lpt->itemText(2), QStringLiteral("3 (3BCH)"));

    EXPECT_TRUE(child<QComboBox>(d, "cbosprache")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(d, "optastroC1")->isVisible());

    // Captions of the scroll bars follow their values.
    auto* delay = child<QSlider>(d, "hsbverz");
    delay->setValue(3);
    bool found = false;
    for (QLabel* l : d->findChildren<QLabel*>())
        found = found || l->text() == QStringLiteral("Verzögerungsfaktor :3");
    EXPECT_TRUE(found);
    auto* lines = child<QSlider>(d, "Hsbzeilen");
    lines->setValue(45);
    found = false;
    for (QLabel* l : d->findChildren<QLabel*>())
        found = found || l->text() == QStringLiteral("45 Zeilen");
    EXPECT_TRUE(found);
    press(d, "cmdEinstend");
}

TEST_F(DeviceDialog, OkAppliesAndCancelKeeps)
{
    startWith(8);
    FrmGeraetEinst* d = open();
    ASSERT_NE(d, nullptr);
    child<QComboBox>(d, "cboSwRegel")->setCurrentIndex(3);
    child<QSlider>(d, "hsbverz")->setValue(5);
    child<QComboBox>(d, "cbolpt")->setCurrentIndex(3);
    child<QLineEdit>(d, "txtCom1")->setText(QStringLiteral("/dev/ttyUSB0"));
    press(d, "cmdEinstend");
    EXPECT_EQ(model().device.SwRegel, 0);
    EXPECT_EQ(model().device.Lpt, 1);

    d = open();
    ASSERT_NE(d, nullptr);
    child<QComboBox>(d, "cboSwRegel")->setCurrentIndex(3);
    child<QSlider>(d, "hsbverz")->setValue(5);
    child<QComboBox>(d, "cbolpt")->setCurrentIndex(3);
    child<QLineEdit>(d, "txtCom1")->setText(QStringLiteral("/dev/ttyUSB0"));
    child<QComboBox>(d, "cbosprache")->setCurrentIndex(1);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.SwRegel, 3);
    EXPECT_EQ(model().device.Delay, 20);
    EXPECT_EQ(model().device.Lpt, 4);
    EXPECT_EQ(model().device.SerialPort1, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(model().device.SpracheUhr, 1);
    // Ok alone does not write the settings file again.
    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(written.SwRegel, 0);
}

TEST_F(DeviceDialog, SaveWritesTheSettingsFile)
{
    startWith(8);
    FrmGeraetEinst* d = open();
    ASSERT_NE(d, nullptr);
    child<QComboBox>(d, "cboSwRegel")->setCurrentIndex(1);
    choose(child<QComboBox>(d, "cboMessKan"), 2);
    child<QComboBox>(d, "cboMessPeriode")->setCurrentIndex(8);
    child<QSlider>(d, "Hsbzeilen")->setValue(30);
    child<QComboBox>(d, "cbolpt")->setCurrentIndex(4);
    child<QLineEdit>(d, "txtCom2")->setText(QStringLiteral("/dev/ttyUSB1"));
    child<QCheckBox>(d, "chkVerify")->setChecked(false);
    press(d, "cmdeinstSpei");
    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(written.SwRegel, 1);
    EXPECT_EQ(written.MessKanal, 2);
    EXPECT_EQ(written.MessPeriode, 15);
    EXPECT_EQ(written.Zeilen, 30);
    EXPECT_EQ(written.Lpt, 5);
    // The file keeps its 18 lines; the serial devices go to the port file.
    EXPECT_EQ(readFile(work(kSettingsFileName)).count("\r\n"), 18);
    EXPECT_FALSE(readFile(work(kSettingsFileName)).contains("/dev/"));
    DeviceSettings ports;
    ASSERT_TRUE(ReadPortSettings(work(kPortSettingsFileName), ports));
    EXPECT_EQ(ports.SerialPort2, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_FALSE(ports.VerifyWholeChip);

    // The next start knows them again.
    app_.reset();
    ASSERT_TRUE(startApp());
    EXPECT_EQ(app_->model().device.SerialPort2, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_FALSE(app_->model().device.VerifyWholeChip);
    EXPECT_EQ(app_->model().device.Lpt, 5);
}

TEST_F(DeviceDialog, MeterChoicesMarkTheProgramAtOnce)
{
    for (const char* name : {"cboMessKan", "cboMessImpDauer", "cboMessZustand", "cboMessImpLage"}) {
        startWith(8);
        ASSERT_EQ(model().Geaendert, 0);
        FrmGeraetEinst* d = open();
        ASSERT_NE(d, nullptr);
        choose(child<QComboBox>(d, name), 1);
        EXPECT_EQ(model().Geaendert, 1) << name;
        press(d, "cmdEinstend");
        EXPECT_EQ(model().Geaendert, 1) << name;
        EXPECT_TRUE(app_->mainFrame()->isWindowModified()) << name;
        app_.reset();
    }
    // The period does not.
    startWith(8);
    FrmGeraetEinst* d = open();
    ASSERT_NE(d, nullptr);
    choose(child<QComboBox>(d, "cboMessPeriode"), 3);
    EXPECT_EQ(model().Geaendert, 0);
}

TEST_F(DeviceDialog, AstroDeviceChoosesItsAstroChannels)
{
    startWith(19);
    FrmGeraetEinst* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(child<QRadioButton>(d, "optastroC1")->isVisible());
    EXPECT_TRUE(child<QRadioButton>(d, "optastroC1")->isChecked());
    EXPECT_FALSE(child<QComboBox>(d, "cbosprache")->isEnabled());
    QTest::mouseClick(child<QRadioButton>(d, "optastroC1undC2"), Qt::LeftButton);
    EXPECT_EQ(model().Geaendert, 1);
    press(d, "CmdEinstOk");
    EXPECT_EQ(model().device.AstroC1C2, 1);
}
