#include "transfer/ir/IrJobFile.h"

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

struct JobCase {
    const char* name;
    IrJob job;
    QByteArray file;
};

void PrintTo(const JobCase& c, std::ostream* os)
{
    *os << c.name;
}

class IrJobFileText_ : public ::testing::TestWithParam<JobCase> { };

TEST_P(IrJobFileText_, EveryLineAsTheToolReadsIt)
{
    EXPECT_EQ(IrJobFileText(GetParam().job), GetParam().file);
}

// Reading and programming carry the fixed dummy time whatever the fields
// hold; setting the time carries the fields and the weekday of the date.
INSTANTIATE_TEST_SUITE_P(
    Modes, IrJobFileText_,
    ::testing::Values(
        JobCase{"read COM1", {IrModus::Read, 1, IrClockSource::Typed, QTime(13, 14, 15), QDate(2027, 5, 6)}, "l\r\n 4\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n"},
        JobCase{"program COM2", {IrModus::Program, 2, IrClockSource::Computer, QTime(8, 0), QDate(2030, 1, 2)}, "s\r\n 5\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n"},
        JobCase{"set time from the clock",
                {IrModus::SetTime, 1, IrClockSource::Computer, QTime(7, 5, 9), QDate(2026, 12, 7)},
                "u\r\n 4\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ1\r\n07 05 09\r\n07 12 2026\r\n1\r\n"},
        JobCase{"set time typed", {IrModus::SetTime, 2, IrClockSource::Typed, QTime(23, 59, 59), QDate(2027, 3, 7)}, "u\r\n 5\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ2\r\n23 59 59\r\n07 03 2027\r\n7\r\n"}));

TEST(IrJobFile, TheToolReadsBackWhatWasWritten)
{
    const IrJob job{IrModus::SetTime, 2, IrClockSource::Typed, QTime(6, 7, 8), QDate(2029, 2, 28)};
    EXPECT_EQ(ParseIrJobFile(IrJobFileText(job)), job);
    EXPECT_FALSE(ParseIrJobFile("l\r\n 6\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n"));
    EXPECT_FALSE(ParseIrJobFile("x\r\n 4\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n"));
    EXPECT_FALSE(ParseIrJobFile("l\r\n 4\r\n"));
}

TEST(IrJobFile, ResultIsOneWholeNumber)
{
    EXPECT_EQ(ParseIrResultFile(" 0 \r\n"), 0);
    EXPECT_EQ(ParseIrResultFile("2"), 2);
    EXPECT_EQ(ParseIrResultFile(IrResultFileText(-3)), -3);
    EXPECT_FALSE(ParseIrResultFile(""));
    EXPECT_FALSE(ParseIrResultFile("ok\r\n"));
}

struct FieldCase {
    const char* typed;
    const char* completed; // empty: refused
};

TEST(IrJobFile, TimeFieldCompletesAndRefuses)
{
    const FieldCase cases[] = {
        {"9:5", "09:05:00"},
        {"09:05:07", "09:05:07"},
        {"23", "23:00:00"},
        {"0:0:0", "00:00:00"},
        {"24:00", ""},
        {"12:60", ""},
        {"1:2:60", ""},
        {"", ""},
        {"1:2:3:4", ""},
        {"123:4", ""},
        {"1a:00", ""},
        {"::", ""},
    };
    for (const FieldCase& c : cases) {
        const auto t = ParseIrTime(QString::fromLatin1(c.typed));
        EXPECT_EQ(t ? FormatIrTime(*t) : QString(), QString::fromLatin1(c.completed)) << c.typed;
    }
}

TEST(IrJobFile, DateFieldTakesTwoDigitYearsOfThisCentury)
{
    const FieldCase cases[] = {
        {"7.3.27", "07.03.27"},
        {"29.02.28", "29.02.28"},
        {"1.1.0", "01.01.00"},
        {"31.12.2099", "31.12.99"},
        {"29.02.27", ""},
        {"31.04.27", ""},
        {"0.1.27", ""},
        {"1.13.27", ""},
        {"1.1", ""},
        {"1.1.1999", ""},
        {"1.1.270", ""},
        {"1..27", ""},
    };
    for (const FieldCase& c : cases) {
        const auto d = ParseIrDate(QString::fromLatin1(c.typed));
        EXPECT_EQ(d ? FormatIrDate(*d) : QString(), QString::fromLatin1(c.completed)) << c.typed;
    }
    EXPECT_EQ(ParseIrDate(QStringLiteral("7.3.27"))->year(), 2027);
    EXPECT_TRUE(IrTimeKey(QLatin1Char(':')) && IrTimeKey(QLatin1Char('7')));
    EXPECT_FALSE(IrTimeKey(QLatin1Char('.')) || IrTimeKey(QLatin1Char('a')));
    EXPECT_TRUE(IrDateKey(QLatin1Char('.')) && IrDateKey(QLatin1Char('0')));
    EXPECT_FALSE(IrDateKey(QLatin1Char(':')) || IrDateKey(QChar(0x0663)));
}

} // namespace
