#include "calendar/BetriebsstundenText.h"
#include "language/TextTable.h"

#include <gtest/gtest.h>

using namespace zendrik;

TEST(BetriebsstundenText, DayAndYearInThreeLanguages)
{
    struct Case {
        void (TextTable::*load)(int);
        const char* day;
        const char* year;
    };
    const Case cases[] = {
        {&TextTable::LoadGerman, "Betriebsstunden: 12 h 05 Min", "C1, Jahresbetriebsstunden: 1234 h 05 Min"},
        {&TextTable::LoadEnglish, "Operating hours: 12 h 05 Min", "C1, Yearly operating hours: 1234 h 05 Min"},
        {&TextTable::LoadFrench, "Heures de fonctionnement : 12 h 05 Min",
         "C1, Heures de fonctionnement annuelles : 1234 h 05 Min"},
    };
    for (const Case& c : cases) {
        TextTable texts;
        (texts.*c.load)(1);
        EXPECT_EQ(BetriebsstundenText(12 * 60 + 5, texts), QString::fromUtf8(c.day));
        EXPECT_EQ(JahresbetriebsstundenText(1, 1234 * 60 + 5, texts), QString::fromUtf8(c.year));
    }
}

TEST(BetriebsstundenText, HoursAndTwoDigitMinutes)
{
    TextTable texts;
    texts.LoadGerman();
    EXPECT_EQ(BetriebsdauerText(0, texts), QStringLiteral(" 0 h 00 Min"));
    EXPECT_EQ(BetriebsdauerText(1440, texts), QStringLiteral(" 24 h 00 Min"));
    EXPECT_EQ(BetriebsdauerText(366 * 1440 - 1, texts), QStringLiteral(" 8783 h 59 Min"));
    EXPECT_EQ(JahresbetriebsstundenText(16, 59, texts), QStringLiteral("C16, Jahresbetriebsstunden: 0 h 59 Min"));
}
