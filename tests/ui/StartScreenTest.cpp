#include "language/LanguageChoice.h"
#include "model/DeviceTypes.h"
#include "model/Settings.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MdiForm1.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class StartScreen : public DesktopFixture {
protected:
    QComboBox* combo() const { return startScreen()->findChild<QComboBox*>(QStringLiteral("cboUhrentyp")); }
    QAbstractButton* button(const char* name) const
    {
        return startScreen()->findChild<QAbstractButton*>(QString::fromUtf8(name));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString label() const
    {
        // The caption above the device combo.
        const QList<QLabel*> labels = startScreen()->findChildren<QLabel*>();
        for (QLabel* l : labels) {
            if (l->buddy() == combo())
                return l->text();
        }
        return QString();
    }
};

} // namespace

TEST_F(StartScreen, OffersTheDeviceTypesAndPreselectsTheRemembered)
{
    DeviceSettings remembered;
    ApplyDeviceTypeRow(remembered, 19);
    ASSERT_TRUE(WriteSettings(work(kSettingsFileName), remembered));
    ASSERT_TRUE(startApp());
    ASSERT_NE(startScreen(), nullptr);
    EXPECT_TRUE(startScreen()->isVisible());
    EXPECT_EQ(startScreen()->objectName(), QStringLiteral("frmstartbild"));
    QStringList items;
    for (int i = 0; i < combo()->count(); ++i)
        items << combo()->itemText(i);
    EXPECT_EQ(items, OfferedDeviceTypeNames(1));
    EXPECT_FALSE(items.contains(QStringLiteral("entfällt")));
    EXPECT_EQ(combo()->currentText(), DeviceTypeName(19, 1));
    EXPECT_TRUE(button("AniDeutsch")->isChecked());
}

TEST_F(StartScreen, LanguageButtonsRelabelAtOnce)
{
    ASSERT_TRUE(startApp());
    TextTable english;
    english.LoadEnglish();
    TextTable french;
    french.LoadFrench();
    ASSERT_NE(english(TextId::DeviceType), german_(TextId::DeviceType));

    EXPECT_EQ(label(), german_(TextId::DeviceType));
    click("AniEnglisch");
    EXPECT_EQ(label(), english(TextId::DeviceType));
    EXPECT_EQ(app_->model().device.Sprache, kSpracheEnglisch);
    click("AniFrance");
    EXPECT_EQ(label(), french(TextId::DeviceType));
    EXPECT_EQ(app_->model().device.Sprache, kSpracheFranzoesisch);
    click("AniDeutsch");
    EXPECT_EQ(label(), german_(TextId::DeviceType));
}

TEST_F(StartScreen, ConfirmOpensTheMainFrameAndWritesTheSettings)
{
    ASSERT_TRUE(startApp());
    click("AniEnglisch");
    combo()->setCurrentIndex(combo()->findText(DeviceTypeName(3, 1)));
    QTest::mouseClick(button("cmd_ok"), Qt::LeftButton);

    ASSERT_NE(frame(), nullptr);
    EXPECT_TRUE(frame()->isVisible());
    settle();
    EXPECT_EQ(startScreen(), nullptr);   // closed and gone
    EXPECT_EQ(app_->model().device.Kanalzahl, 3);
    EXPECT_EQ(app_->model().program().Dateiname, QStringLiteral("Swprg1.zpg"));
    TextTable english;
    english.LoadEnglish();
    EXPECT_EQ(app_->model().program().Verwendung, english(TextId::Unknown));
    // The menus speak the chosen language.
    EXPECT_EQ(action("mnuDatÖff")->text(), english(TextId::MenuOpen));
    EXPECT_EQ(action("mnuDatBend")->text(), english(TextId::MenuExit));

    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(written.Kanalzahl, 3);
    EXPECT_EQ(written.Uhrentyp, 731);
    EXPECT_EQ(written.Sprache, kSpracheEnglisch);
}

TEST_F(StartScreen, GermanMenuCaptions)
{
    startWith(4);
    const std::pair<const char*, const char*> captions[] = {
        {"mnuDatneu", "&Neu"},
        {"mnuDatÖff", "Ö&ffnen..."},
        {"mnudatspei", "&Speichern"},
        {"mnudatspu", "Speichern &unter..."},
        {"mnuDatVorl", "&Vorlage öffnen..."},
        {"mnuDatVorlSchl", "Vorlag&e schließen"},
        {"mnuDatBend", "&Beenden"},
        {"mnuANSSz", "&Schaltzeiten"},
        {"mnuAnsPz", "&Prioritätszeiten"},
        {"mnuAnsSw", "So&Wi-Tabelle"},
        {"mnuAnsSzVorl", "&Vorlage Schaltzeiten"},
        {"mnuAnsPzVorl", "V&orlage Prioritätszeiten"},
        {"mnuAnsSWVorl", "Vorlage SoWi-Tabelle"},
        {"mnuBaFilt", "&Filtern..."},
        {"mnuEinstGerät", "&Geräteeigenschaften..."},
        {"mnuinfo", "&Info"},
    };
    for (const auto& [name, caption] : captions) {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), QString::fromUtf8(caption)) << name;
    }
}

TEST_F(StartScreen, UnknownBrandEndsTheProgram)
{
    for (const char* code : {"qBD", "XYZ", ""}) {
        ASSERT_TRUE(writeFile(work(QStringLiteral("zendrik.sys")), code));
        interaction_ = ScriptedInteraction();
        EXPECT_FALSE(startApp()) << code;
        ASSERT_EQ(asked().size(), 1u);
        EXPECT_EQ(messages()[0], QStringLiteral("unknown manufacturer"));
        EXPECT_EQ(asked()[0].icon, Icon::Critical);
        EXPECT_EQ(startScreen(), nullptr);
    }
    QFile::remove(work(QStringLiteral("zendrik.sys")));
    interaction_ = ScriptedInteraction();
    EXPECT_FALSE(startApp());
    EXPECT_EQ(messages().at(0), QStringLiteral("unknown manufacturer"));
}

TEST_F(StartScreen, FurtherLanguageInstallsATranslation)
{
    TextTable custom;
    custom.LoadGerman();
    custom.set(TextId::DeviceType, QStringLiteral("Apparaattype"));
    const QString file = work(QStringLiteral("nederlands.ln1"));
    ASSERT_EQ(custom.SaveTexts(file).status, TextFileStatus::Ok);
    chooser_.translation = file;

    ASSERT_TRUE(startApp());
    click("Aniworld");
    EXPECT_EQ(label(), QStringLiteral("Apparaattype"));
    EXPECT_EQ(app_->model().device.Sprache, kSpracheDatei);
    EXPECT_TRUE(QFile::exists(work(kSpeechFileName)));
    EXPECT_FALSE(button("AniDeutsch")->isChecked());
    EXPECT_FALSE(button("AniEnglisch")->isChecked());

    // The next start reads speech.txt.
    QTest::mouseClick(button("cmd_ok"), Qt::LeftButton);
    app_.reset();
    ASSERT_TRUE(startApp());
    EXPECT_EQ(label(), QStringLiteral("Apparaattype"));
}

TEST_F(StartScreen, IntroductionOnlyForTheOwnBrandInGerman)
{
    ASSERT_TRUE(startApp());
    EXPECT_FALSE(button("cmdeinführung")->isEnabled());   // no ZX900.exe here
    app_.reset();
    ASSERT_TRUE(writeFile(work(QStringLiteral("ZX900.exe")), "intro"));
    ASSERT_TRUE(startApp());
    EXPECT_TRUE(button("cmdeinführung")->isEnabled());
    click("AniEnglisch");
    EXPECT_FALSE(button("cmdeinführung")->isEnabled());
    app_.reset();
    ASSERT_TRUE(writeFile(work(QStringLiteral("zendrik.sys")), "QBB"));
    ASSERT_TRUE(startApp());
    click("AniDeutsch");
    EXPECT_FALSE(button("cmdeinführung")->isEnabled());
}
