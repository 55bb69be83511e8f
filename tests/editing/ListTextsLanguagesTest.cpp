// The list texts in English and French. They run against the real English
// and French tables as soon as TextTable offers LoadEnglish() and
// LoadFrench(); until then they set the few entries they need themselves,
// with the wording those tables must carry, and say so on stderr.

#include "editing/ListTexts.h"
#include "model/DeviceTypes.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace zendrik;

namespace {

template <typename Table>
void loadEnglish(Table& t)
{
    if constexpr (requires { t.LoadEnglish(); }) {
        t.LoadEnglish();
    } else {
        std::cerr << "note: no English table yet, the test sets the entries it needs\n";
        t.set(TextId::January, QStringLiteral("January"));
        t.set(TextId::FirstDay, QStringLiteral("1st"));
        t.set(TextId::OClock, QStringLiteral("hrs"));
        t.set(TextId::From, QStringLiteral("of"));
    }
}

template <typename Table>
void loadFrench(Table& t)
{
    if constexpr (requires { t.LoadFrench(); }) {
        t.LoadFrench();
    } else {
        std::cerr << "note: no French table yet, the test sets the entries it needs\n";
        t.set(TextId::January, QStringLiteral("janvier"));
        t.set(TextId::FirstDay, QStringLiteral("1er "));
    }
}

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
    loadEnglish(t);
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
    loadFrench(t);
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
