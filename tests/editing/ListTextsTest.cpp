#include "editing/ListTexts.h"
#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace Qt::StringLiterals;

namespace {

DeviceSettings device(int row, int sprache = kLanguageGerman, int eib = 0)
{
    DeviceSettings d;
    ApplyDeviceTypeRow(d, row);
    std::tie(d.Sprache, d.EibFormat) = std::tuple(sprache, eib);
    return d;
}

} // namespace

// The texts of the list cells in each language: times (with the no-time marker and values out of range), weekdays (of the bus format too; none for
// dated and priority times), dates (months out of range name December), the memory label, channels (the 16-channel device stores an index) and the
// row number. The expected texts are tests/data/golden/list-texts.txt.
TEST(ListTexts, EveryCellTextInEveryLanguage)
{
    QString text;
    Entry bus;
    bus.b = {0x9E, 0x02, 0, 0b0000101, 200, 2};
    for (const int language : {kLanguageGerman, kLanguageEnglish, kLanguageFrench}) {
        const TextTable t = test::textsIn(language);
        const DeviceSettings d = device(4, language);
        text += u"== language %1\n"_s.arg(language);
        for (const int minutes : {0, 425, 599, 600, 1065, 1439, 1440, 1791, -5}) text += u"time %1: [%2]\n"_s.arg(minutes).arg(FormatTime(minutes, t));
        for (const Entry& e : {BuildWeeklyEntry(60, 0b1111111, 1, 1, 0, 0), BuildWeeklyEntry(60, 0b0010001, 1, 1, 0, 0), BuildWeeklyEntry(60, 0b0111111, 1, 1, 0, 0),
                               BuildDatedEntry(60, 31, 1, 1, 1, 0, false), BuildPriorityEntry(1, 1, 31, 1, 0, false, 1, 1, 0)})
            text += u"weekdays: [%1]\n"_s.arg(FormatWeekdays(e, t, d));
        text += u"bus weekdays: [%1]\n"_s.arg(FormatWeekdays(bus, t, device(5, language, 1)));
        for (const auto& [day, month] : {std::pair(1, 1), std::pair(15, 1), std::pair(24, 12), std::pair(5, 0), std::pair(5, 13)}) text += u"date %1.%2: [%3]\n"_s.arg(day).arg(month).arg(FormatDate(day, month, t, d));
        text += u"memory: [%1]\n"_s.arg(MemoryLabel(12, 324, t));
        for (const auto& [mask, row] : {std::pair(0b0101, 4), std::pair(0b1111, 2), std::pair(0, 4), std::pair(0, 20), std::pair(15, 20)}) text += u"channels %1 on row %2: [%3]\n"_s.arg(mask).arg(row).arg(FormatChannels(mask, t, device(row, language)));
    }
    for (const int row : {9, 10, 99, 100}) text += u"row %1: [%2]\n"_s.arg(row).arg(RowNumberText(row));
    test::expectGolden(u"golden/list-texts.txt"_s, text);
}
