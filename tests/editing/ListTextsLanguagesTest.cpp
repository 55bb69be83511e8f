// The list texts in English and French, against the real tables.

#include "editing/ListTexts.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>


using namespace zendrik;

namespace {

DeviceSettings device(int sprache)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, 4);
    d.Sprache = sprache;
    return d;
}

} // namespace

TEST(ListTextsEnglish, MonthFirstHoursAndMemoryLabel)
{
    TextTable t;
    t.LoadEnglish();
    const DeviceSettings d = device(kLanguageEnglish);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("January, 1st"));
    EXPECT_EQ(FormatDate(15, 1, t, d), QStringLiteral("January, 15") + t(TextId::DaySuffix));
    EXPECT_EQ(FormatTime(7 * 60 + 5, t), QStringLiteral("  7:05 hrs"));
    EXPECT_EQ(FormatTime(1440, t), QStringLiteral("  --:-- hrs"));
    EXPECT_EQ(MemoryLabel(12, 324, t), QStringLiteral("12 of 324"));
}

TEST(ListTextsFrench, DayFirst)
{
    TextTable t;
    t.LoadFrench();
    const DeviceSettings d = device(kLanguageFrench);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("1er ") + t(TextId::January));
    EXPECT_EQ(FormatDate(15, 1, t, d), QStringLiteral("15") + t(TextId::DaySuffix) + t(TextId::January));
}

TEST(ListTextsOtherLanguage, DayFirst)
{
    // A language read from a translation file keeps the day first.
    const TextTable t;
    EXPECT_EQ(FormatDate(1, 1, t, device(4)), QStringLiteral("1. Januar"));
}
