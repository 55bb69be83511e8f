#include "app/Settings.h"
#include "language/LanguageChoice.h"
#include "model/DeviceTypes.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/main/FrmStartbild.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class StartScreen : public DesktopFixture {
protected:
    QComboBox* combo() const { return child<QComboBox>(startScreen(), "cboUhrentyp"); }
    QAbstractButton* button(const char* name) const { return child<QAbstractButton>(startScreen(), name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    // The caption above the device combo.
    QString label() const
    {
        for (QLabel* l : startScreen()->findChildren<QLabel*>()) {
            if (l->buddy() == combo())
                return WithoutMnemonic(l->text());
        }
        return QString();
    }
};

} // namespace

TEST_F(StartScreen, DeviceTypesRememberedRowAndLanguageButtons)
{
    DeviceSettings remembered;
    ApplyDeviceTypeRow(remembered, 19);
    ASSERT_TRUE(WriteSettings(work(kSettingsFileName), remembered));
    ASSERT_TRUE(startApp());
    EXPECT_TRUE(startScreen()->isVisible());
    EXPECT_EQ(startScreen()->objectName(), u"frmstartbild"_s);
    EXPECT_EQ(items(combo()), OfferedDeviceTypeNames(1));
    EXPECT_FALSE(items(combo()).contains(u"entfällt"_s));
    EXPECT_EQ(combo()->currentText(), DeviceTypeName(19, 1));
    EXPECT_TRUE(button("AniDeutsch")->isChecked());

    // The language buttons relabel the screen at once and name the device
    // types in that language, the chosen one staying chosen.
    TextTable english;
    english.LoadEnglish();
    TextTable french;
    french.LoadFrench();
    ASSERT_NE(english(TextId::DeviceType), german_(TextId::DeviceType));
    EXPECT_EQ(label(), german_(TextId::DeviceType));
    combo()->setCurrentIndex(combo()->findData(13));
    const std::tuple<const char*, const TextTable&, int, ExtraLanguage> steps[] = {
        {"AniEnglisch", english, kSpracheEnglisch, ExtraLanguage::English},
        {"AniFrance", french, kSpracheFranzoesisch, ExtraLanguage::French},
        {"AniDeutsch", german_, kSpracheDeutsch, ExtraLanguage::German}};
    for (const auto& [name, texts, sprache, language] : steps) {
        click(name);
        EXPECT_EQ(label(), texts(TextId::DeviceType)) << name;
        EXPECT_EQ(model().device.Sprache, sprache) << name;
        EXPECT_EQ(items(combo()), OfferedDeviceTypeNames(1, language)) << name;
        EXPECT_EQ(combo()->currentText(), DeviceTypeName(13, 1, language));
    }
}

TEST_F(StartScreen, ConfirmOpensTheMainFrameAndWritesTheSettings)
{
    ASSERT_TRUE(startApp());
    click("AniEnglisch");
    combo()->setCurrentIndex(combo()->findText(DeviceTypeName(3, 1, ExtraLanguage::English)));
    click("cmd_ok");
    ASSERT_NE(frame(), nullptr);
    EXPECT_TRUE(frame()->isVisible());
    settle();
    EXPECT_EQ(startScreen(), nullptr);
    EXPECT_EQ(model().device.Kanalzahl, 3);
    EXPECT_EQ(model().device.Geraetename, DeviceTypeName(3, 1, ExtraLanguage::English));
    EXPECT_TRUE(child<QLabel>(frame(), "lblGeraet")->text().contains(model().device.Geraetename));
    EXPECT_EQ(model().program().Dateiname, u"Swprg1.zpg"_s);
    TextTable english;
    english.LoadEnglish();
    EXPECT_EQ(model().program().Verwendung, english(TextId::Unknown));
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
        {"mnuAnsSWVorl", "Vo&rlage SoWi-Tabelle"},
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
    std::size_t shown = 0;
    for (const char* code : std::initializer_list<const char*>{"qBD", "XYZ", "", nullptr}) {
        if (code)
            ASSERT_TRUE(writeFile(work(u"zendrik.sys"_s), code));
        else
            QFile::remove(work(u"zendrik.sys"_s));
        EXPECT_FALSE(startApp()) << (code ? code : "no brand file");
        ASSERT_EQ(asked().size(), ++shown);
        EXPECT_EQ(messages().back(), u"unknown manufacturer"_s);
        EXPECT_EQ(asked().back().icon, Icon::Critical);
        EXPECT_EQ(startScreen(), nullptr);
    }
}

TEST_F(StartScreen, FurtherLanguageInstallsATranslation)
{
    TextTable custom;
    custom.LoadGerman();
    custom.set(TextId::DeviceType, u"Apparaattype"_s);
    chooser_.translation = work(u"nederlands.ln1"_s);
    ASSERT_EQ(custom.SaveTexts(chooser_.translation).status, TextFileStatus::Ok);

    ASSERT_TRUE(startApp());
    click("Aniworld");
    EXPECT_EQ(label(), u"Apparaattype"_s);
    EXPECT_EQ(model().device.Sprache, kSpracheDatei);
    EXPECT_TRUE(QFile::exists(work(kSpeechFileName)));
    EXPECT_FALSE(button("AniDeutsch")->isChecked());
    EXPECT_FALSE(button("AniEnglisch")->isChecked());

    // The next start reads speech.txt.
    click("cmd_ok");
    app_.reset();
    ASSERT_TRUE(startApp());
    EXPECT_EQ(label(), u"Apparaattype"_s);
}

TEST_F(StartScreen, IntroductionOnlyForTheOwnBrandInGerman)
{
    ASSERT_TRUE(startApp());
    EXPECT_FALSE(button("cmdeinführung")->isEnabled()); // no ZX900.exe here
    app_.reset();
    ASSERT_TRUE(writeFile(work(u"ZX900.exe"_s), "intro"));
    ASSERT_TRUE(startApp());
    EXPECT_TRUE(button("cmdeinführung")->isEnabled());
    click("AniEnglisch");
    EXPECT_FALSE(button("cmdeinführung")->isEnabled());
    app_.reset();
    ASSERT_TRUE(writeFile(work(u"zendrik.sys"_s), "QBB"));
    ASSERT_TRUE(startApp());
    click("AniDeutsch");
    EXPECT_FALSE(button("cmdeinführung")->isEnabled());
}
