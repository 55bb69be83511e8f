#include "editing/ListTexts.h"
#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace Qt::StringLiterals;

namespace {

DeviceSettings device(int row, int sprache = kLanguageGerman)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, row);
    d.Sprache = sprache;
    return d;
}

} // namespace

TEST(ListTexts, TimesWeekdaysAndDatesInEveryLanguage)
{
    struct Language {
        void (TextTable::*load)(int);
        int sprache;
        QString times[3];    // 7:05, 17:45, no time
        QString weekdays[2]; // every day, Mo Fr
        QString dates[3];    // 1 January, 15 January, 24 December
        QString memory;      // 12 of 324
    };
    const Language languages[] = {
        {&TextTable::LoadGerman, kLanguageGerman, {u"  7:05 Uhr"_s, u"17:45 Uhr"_s, u"  --:-- Uhr"_s}, {u"täglich"_s, u"Mo Fr"_s}, {u"1. Januar"_s, u"15. Januar"_s, u"24. Dezember"_s}, u"12 von 324"_s},
        {&TextTable::LoadEnglish, kLanguageEnglish, {u"  7:05 hrs"_s, u"17:45 hrs"_s, u"  --:-- hrs"_s}, {u"daily"_s, u"Mo Fr"_s}, {u"January, 1st"_s, u"January, 15 "_s, u"December, 24 "_s}, u"12 of 324"_s},
        {&TextTable::LoadFrench, kLanguageFrench, {u"  7:05 h"_s, u"17:45 h"_s, u"  --:-- h"_s}, {u"tous les jours"_s, u"Lu Ve"_s}, {u"1er janvier"_s, u"15 janvier"_s, u"24 décembre"_s}, u"12 sur 324"_s},
    };
    for (const Language& l : languages) {
        TextTable t;
        (t.*l.load)(1);
        const DeviceSettings d = device(4, l.sprache);
        SCOPED_TRACE(l.sprache);
        EXPECT_EQ(FormatTime(425, t), l.times[0]);
        EXPECT_EQ(FormatTime(1065, t), l.times[1]);
        EXPECT_EQ(FormatTime(1440, t), l.times[2]);
        EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b1111111, 1, 1, 0, 0), t, d), l.weekdays[0]);
        EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b0010001, 1, 1, 0, 0), t, d), l.weekdays[1]);
        EXPECT_EQ(FormatDate(1, 1, t, d), l.dates[0]);
        EXPECT_EQ(FormatDate(15, 1, t, d), l.dates[1]);
        EXPECT_EQ(FormatDate(24, 12, t, d), l.dates[2]);
        EXPECT_EQ(MemoryLabel(12, 324, t), l.memory);
    }
}

TEST(ListTexts, EdgeValues)
{
    const TextTable t;
    const std::pair<int, const char*> times[] = {{0, "  0:00 Uhr"}, {599, "  9:59 Uhr"}, {600, "10:00 Uhr"}, {1439, "23:59 Uhr"}, {1791, "  --:-- Uhr"}, {-5, "  --:-- Uhr"}};
    for (const auto& [minutes, text] : times)
        EXPECT_EQ(FormatTime(minutes, t), QString::fromUtf8(text)) << minutes;
    const DeviceSettings d = device(4);
    EXPECT_EQ(FormatWeekdays(BuildWeeklyEntry(60, 0b0111111, 1, 1, 0, 0), t, d), u"Mo Di Mi Do Fr Sa"_s);
    EXPECT_EQ(FormatWeekdays(BuildDatedEntry(60, 31, 1, 1, 1, 0, false), t, d), QString());
    EXPECT_EQ(FormatWeekdays(BuildPriorityEntry(1, 1, 31, 1, 0, false, 1, 1, 0), t, d), QString());
    // The bus format keeps the weekdays in the same bits.
    DeviceSettings bus = device(5);
    bus.EibFormat = 1;
    Entry e;
    e.b = {0x9E, 0x02, 0, 0b0000101, 200, 2};
    EXPECT_EQ(FormatWeekdays(e, t, bus), u"Mo Mi"_s);
    // Month values outside 1..11 name December.
    EXPECT_EQ(FormatDate(5, 0, t, d), u"5. Dezember"_s);
    EXPECT_EQ(FormatDate(5, 13, t, d), u"5. Dezember"_s);

    EXPECT_EQ(FormatChannels(0b0101, t, device(4)), u" C1 C3"_s);
    EXPECT_EQ(FormatChannels(0b1111, t, device(2)), u" C1 C2"_s);
    EXPECT_EQ(FormatChannels(0, t, device(4)), QString());
    // The 16-channel bus device stores a channel index.
    EXPECT_EQ(FormatChannels(0, t, device(20)), u" C1"_s);
    EXPECT_EQ(FormatChannels(15, t, device(20)), u" C16"_s);

    const std::pair<int, const char*> rows[] = {{9, "9  "}, {10, "10 "}, {99, "99 "}, {100, "100"}};
    for (const auto& [row, text] : rows)
        EXPECT_EQ(RowNumberText(row), QString::fromLatin1(text));
}
