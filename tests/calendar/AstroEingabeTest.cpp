#include "calendar/AstroEingabe.h"
#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTexts.h"
#include "calendar/SommerzeitTage.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(AstroEingabe, ChannelFromTheMainWindowsLabel)
{
    const struct {
        int uhrentyp;
        const char* label;
        AstroChannelCheck check;
        int channel;
    } cases[] = {
        {kFamily738, "C1", AstroChannelCheck::Ok, 0},
        {kFamily738, "C4", AstroChannelCheck::Ok, 3},
        {kFamily738, "C5", AstroChannelCheck::NotAnAstroChannel, 0},
        {kFamily738, "C16", AstroChannelCheck::NotAnAstroChannel, 0},
        {kFamily738, "", AstroChannelCheck::NotAnAstroChannel, 0},
        {kFamily738, "C", AstroChannelCheck::NotAnAstroChannel, 0},
        {kFamily738, "C0", AstroChannelCheck::NotAnAstroChannel, 0},
        // The astro device has one table; channel 2 follows it.
        {kFamily752, "C2", AstroChannelCheck::Ok, 0},
        {kFamily752, "", AstroChannelCheck::Ok, 0},
        {kFamily752, "C99", AstroChannelCheck::NotAstroDeviceChannel, 0},
        {kFamily752, "C0", AstroChannelCheck::NotAstroDeviceChannel, 0},
        {kFamily731, "C1", AstroChannelCheck::NoAstroDevice, 0},
    };
    for (const auto& c : cases) {
        const AstroChannel r = AstroChannelOfLabel(c.uhrentyp, QString::fromLatin1(c.label));
        EXPECT_EQ(std::pair(r.check, r.channel), std::pair(c.check, c.channel)) << c.uhrentyp << " " << c.label;
    }
    TextTable texts;
    texts.LoadEnglish();
    EXPECT_EQ(AstroChannelMessage(AstroChannelCheck::NotAnAstroChannel, texts), texts(kAstroNotAnAstroChannel));
    EXPECT_TRUE(AstroChannelMessage(AstroChannelCheck::Ok, texts).isEmpty());
}

TEST(AstroEingabe, BarTextsInTheThreeLanguages)
{
    TextTable de, en, fr;
    de.LoadGerman();
    en.LoadEnglish();
    fr.LoadFrench();
    const int east = BarOfLaenge(-13.5f);
    const int west = BarOfLaenge(2.0f);
    const struct {
        QString shown, expected;
    } cases[] = {
        {LaengeText(east, de), u"13,5 Grad Ost"_s},
        {LaengeText(west, de), u"2 Grad West"_s},
        {LaengeText(kLaengeBarMax / 2, de), u"0 Grad"_s},
        {LaengeText(east, en), u"13.5 degrees East"_s},
        {BreiteText(BarOfBreite(52.5f), de), u"52,5 Grad Nord"_s},
        {BreiteText(BarOfBreite(-33.0f), de), u"33 Grad Süd"_s},
        {ZoneText(BarOfZone(-60), de), u"+ 1:00 Std"_s},
        {ZoneText(BarOfZone(210), en), u"- 3:30 hrs"_s},
        {ZoneText(BarOfZone(-345), fr), u"+ 5:45 h"_s},
        {ZoneText(BarOfZone(0), de), u"+ 0:00 Std"_s},
        {OffsetText(BarOfOffset(-15), de), u"-15 Min"_s},
        {LimitText(6 * 60 + 5, de), u"06:05"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown.trimmed(), c.expected);
}

// The dialog shows what was stored, and storing what it shows changes nothing.
TEST(AstroEingabe, BarsRestoreAndStoreTheProgramsSettings)
{
    ProgramModel model = canonical738();
    // 10 degrees east, 50 north, displayed +1:00.
    const AstroBars bars{BarOfTypedLongitude(10.0), BarOfTypedLatitude(50.0), BarOfTypedZone(1.0), BarOfTypedOffset(-20),
                         BarOfTypedOffset(35), 5 * 60, 22 * 60 + 30, 0, -1};
    const AstroSettings s = bars.settings();
    EXPECT_EQ(std::tuple(s.location.laenge, s.location.breite, s.location.zone, s.location.offsetAuf,
                         s.location.offsetUnter),
              std::tuple(-10.0f, 50.0f, -60, -20, 35));
    ASSERT_TRUE(StoreAstroProgram(model, s, 2));
    EXPECT_EQ(AstroBars::FromProgram(model, 2), bars);
    // Other channels show their own limits and states.
    EXPECT_NE(AstroBars::FromProgram(model, 1).morning, 5 * 60);

    // Stored values beyond the offered ranges come back on the ends of the bars.
    model.program().astro.AstroBreite = 75.0f;
    model.program().astro.AstroOffsetAuf = 127;
    const AstroBars clamped = AstroBars::FromProgram(model, 2);
    EXPECT_EQ(std::pair(clamped.breite, clamped.offsetAuf), std::pair(kBreiteRange.high, kOffsetBarMax));
}

// 10 degrees east with a displayed zone of +1:00 switches 20 minutes after
// Greenwich sun time; today's times add the summer hour and the limits.
TEST(AstroEingabe, PreviewOfTheYearAndOfToday)
{
    ProgramModel model = modelForRow(20);
    model.device.SwRegel = 1; // Europe
    model.clock = [] { return QDateTime(QDate(2025, 6, 21), QTime(9, 0)); };
    AstroBars bars{BarOfTypedLongitude(10.0), BarOfTypedLatitude(50.0), BarOfTypedZone(1.0), BarOfTypedOffset(0),
                   BarOfTypedOffset(0), 0, 1439};
    AstroPreview p = PreviewAstro(model, bars);
    EXPECT_EQ(std::tuple(p.days, p.today, p.rise[171], p.set[171]), std::tuple(365, 171, 3 * 60 + 51 + 20, 20 * 60 + 13 + 20));
    EXPECT_EQ(std::pair(p.todayRise, p.todaySet), std::pair(std::optional(3 * 60 + 51 + 20 + 60), std::optional(20 * 60 + 13 + 20 + 60)));
    bars.morning = 6 * 60;
    bars.evening = 21 * 60;
    p = PreviewAstro(model, bars);
    EXPECT_EQ(std::pair(p.todayRise, p.todaySet), std::pair(std::optional(6 * 60), std::optional(21 * 60)));
    // A wrong sign shows at once: 10 degrees west is 80 minutes later.
    bars.laenge = BarOfTypedLongitude(-10.0);
    EXPECT_EQ(PreviewAstro(model, bars).rise[171], 3 * 60 + 51 + 40 + 60);

    // The astro device adds its offsets itself: the preview shows them.
    ProgramModel one = modelForRow(19);
    one.clock = model.clock;
    bars.laenge = BarOfTypedLongitude(0.0);
    bars.zone = BarOfTypedZone(0.0);
    bars.offsetAuf = BarOfTypedOffset(-30);
    EXPECT_EQ(PreviewAstro(one, bars).rise[171], 3 * 60 + 51 - 30);
}
