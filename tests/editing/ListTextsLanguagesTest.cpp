// The list texts in English and French. The tests run against the real
// English and French tables as soon as TextTable offers LoadEnglish() and
// LoadFrench(); while it does not, they fill in the few entries they need
// themselves, with the wording the tables have to carry, and say so.

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

TEST(ListTextsEnglish, MonthComesFirst)
{
    TextTable t;
    loadEnglish(t);
    const DeviceSettings d = device(kLanguageEnglish);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("January, 1st"));
    EXPECT_EQ(FormatDate(15, 1, t, d), QStringLiteral("January, 15") + t(TextId::DaySuffix));
}

TEST(ListTextsEnglish, TimesInHours)
{
    TextTable t;
    loadEnglish(t);
    EXPECT_EQ(FormatTime(7 * 60 + 5, t), QStringLiteral("  7:05 hrs"));
    EXPECT_EQ(FormatTime(17 * 60 + 45, t), QStringLiteral("17:45 hrs"));
    EXPECT_EQ(FormatTime(1440, t), QStringLiteral("  --:-- hrs"));
}

TEST(ListTextsEnglish, MemoryLabel)
{
    TextTable t;
    loadEnglish(t);
    EXPECT_EQ(MemoryLabel(12, 324, t), QStringLiteral("12 of 324"));
}

TEST(ListTextsFrench, FirstOfTheMonthComesFirst)
{
    TextTable t;
    loadFrench(t);
    const DeviceSettings d = device(kLanguageFrench);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("1er ") + t(TextId::January));
    EXPECT_EQ(FormatDate(15, 1, t, d), QStringLiteral("15") + t(TextId::DaySuffix) + t(TextId::January));
}

TEST(ListTextsGermanOrder, OnlyEnglishPutsTheMonthFirst)
{
    // A further language read from a translation file keeps the day first.
    const TextTable t;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatDate(1, 1, t, d), QStringLiteral("1. Januar"));
}
