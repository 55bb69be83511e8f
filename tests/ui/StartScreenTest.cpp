#include "app/Settings.h"
#include "language/LanguageChoice.h"
#include "model/DeviceTypes.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"

namespace zendrik::test {

namespace {

class StartScreen : public DesktopFixture {
protected:
    QComboBox* combo() const { return child<QComboBox>(startScreen(), "cboUhrentyp"); }
    bool checked(const char* name) const { return child<QAbstractButton>(startScreen(), name)->isChecked(); }
    // The caption above the device combo.
    QString label() const
    {
        for (QLabel* l : startScreen()->findChildren<QLabel*>())
            if (l->buddy() == combo()) return WithoutMnemonic(l->text());
        return QString();
    }
};

} // namespace

TEST_F(StartScreen, RemembersTheRowSpeaksEachLanguageAndConfirmWritesTheSettings)
{
    DeviceSettings remembered;
    ApplyDeviceTypeRow(remembered, 19);
    ASSERT_TRUE(WriteSettings(work(kSettingsFileName), remembered));
    ASSERT_TRUE(startApp());
    EXPECT_TRUE(startScreen()->isVisible() && checked("AniDeutsch"));
    EXPECT_EQ(std::tuple(items(combo()), combo()->currentText()), std::tuple(OfferedDeviceTypeNames(1), DeviceTypeName(19, 1)));
    EXPECT_FALSE(items(combo()).contains(u"entfällt"_s));
    // The language buttons relabel the screen at once and name the device
    // types in that language, the chosen one staying chosen.
    TextTable english, french;
    english.LoadEnglish(), french.LoadFrench();
    combo()->setCurrentIndex(combo()->findData(13));
    const std::tuple<const char*, const TextTable&, int, ExtraLanguage> steps[] = {
        {"AniFrance", french, kSpracheFranzoesisch, ExtraLanguage::French},
        {"AniDeutsch", german_, kSpracheDeutsch, ExtraLanguage::German},
        {"AniEnglisch", english, kSpracheEnglisch, ExtraLanguage::English}};
    for (const auto& [name, texts, sprache, language] : steps) {
        press(startScreen(), name);
        EXPECT_EQ(std::tuple(label(), model().device.Sprache, items(combo()), combo()->currentText()),
                  std::tuple(texts(TextId::DeviceType), sprache, OfferedDeviceTypeNames(1, language), DeviceTypeName(13, 1, language)))
            << name;
    }
    // Confirmed: the main window in English on the chosen type, settings written.
    const QString name = DeviceTypeName(3, 1, ExtraLanguage::English);
    combo()->setCurrentIndex(combo()->findText(name));
    press(startScreen(), "cmd_ok");
    ASSERT_NE(frame(), nullptr);
    settle();
    EXPECT_TRUE(frame()->isVisible() && !startScreen() && shown("lblGeraet").contains(name));
    EXPECT_EQ(std::tuple(model().device.Kanalzahl, model().device.Geraetename, model().program().Dateiname, model().program().Verwendung),
              std::tuple(3, name, u"Swprg1.zpg"_s, english(TextId::Unknown)));
    EXPECT_EQ(action("mnuDatÖff")->text(), english(TextId::MenuOpen));
    DeviceSettings written;
    ASSERT_TRUE(ReadSettings(work(kSettingsFileName), written));
    EXPECT_EQ(std::tuple(written.Kanalzahl, written.Uhrentyp, written.Sprache), std::tuple(3, 731, kSpracheEnglisch));
}

TEST_F(StartScreen, UnknownBrandEndsTheProgram)
{
    std::size_t shown = 0;
    for (const char* code : {"qBD", "XYZ", "", "none"}) {
        if (QByteArray(code) != "none") ASSERT_TRUE(writeFile(work(u"zendrik.sys"_s), code));
        else QFile::remove(work(u"zendrik.sys"_s));
        EXPECT_FALSE(startApp()) << code;
        ASSERT_EQ(asked().size(), ++shown);
        EXPECT_EQ(std::tuple(messages().back(), asked().back().icon), std::tuple(u"unknown manufacturer"_s, Icon::Critical));
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
    press(startScreen(), "Aniworld");
    EXPECT_EQ(std::tuple(label(), model().device.Sprache), std::tuple(u"Apparaattype"_s, kSpracheDatei));
    EXPECT_FALSE(checked("AniDeutsch") || checked("AniEnglisch"));
    // The next start reads the installed translation.
    press(startScreen(), "cmd_ok");
    app_.reset();
    ASSERT_TRUE(startApp());
    EXPECT_EQ(label(), u"Apparaattype"_s);
}

TEST_F(StartScreen, IntroductionOnlyForTheOwnBrandInGerman)
{
    // The introduction program beside it (or not), another brand, a language clicked: enabled?
    const std::tuple<bool, const char*, const char*, bool> cases[] = {
        {false, nullptr, nullptr, false}, {true, nullptr, nullptr, true}, {true, nullptr, "AniEnglisch", false}, {true, "QBB", "AniDeutsch", false}};
    for (const auto& [intro, brand, language, enabled] : cases) {
        if (intro) { ASSERT_TRUE(writeFile(work(u"ZX900.exe"_s), "intro")); }
        if (brand) { ASSERT_TRUE(writeFile(work(u"zendrik.sys"_s), brand)); }
        app_.reset();
        ASSERT_TRUE(startApp());
        if (language) press(startScreen(), language);
        EXPECT_EQ(child(startScreen(), "cmdeinführung")->isEnabled(), enabled) << (brand ? brand : "") << (language ? language : "");
    }
}

} // namespace zendrik::test
