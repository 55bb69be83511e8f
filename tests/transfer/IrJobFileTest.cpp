#include "transfer/ir/IrJobFile.h"

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

const QByteArray kRead = "l\r\n 4\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n";

TEST(IrJobFile, EveryLineAsTheToolReadsItAndReadsBackAndTheResultIsOneWholeNumber)
{
    // Reading and programming carry the fixed dummy time whatever the fields
    // hold; setting the time carries the fields and the weekday of the date.
    const std::pair<IrJob, QByteArray> cases[] = {
        {{IrModus::Read, 1, IrClockSource::Typed, QTime(13, 14, 15), QDate(2027, 5, 6)}, kRead},
        {{IrModus::Program, 2, IrClockSource::Computer, QTime(8, 0), QDate(2030, 1, 2)}, "s\r\n 5\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ0\r\n00 00 00\r\n01 01 2001\r\n1\r\n"},
        {{IrModus::SetTime, 1, IrClockSource::Computer, QTime(7, 5, 9), QDate(2026, 12, 7)}, "u\r\n 4\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ1\r\n07 05 09\r\n07 12 2026\r\n1\r\n"},
        {{IrModus::SetTime, 2, IrClockSource::Typed, QTime(23, 59, 59), QDate(2027, 3, 7)}, "u\r\n 5\r\n 20\r\n 400\r\n 1\r\nexchg.dat\r\nUZ2\r\n23 59 59\r\n07 03 2027\r\n7\r\n"}};
    for (const auto& [job, file] : cases) EXPECT_EQ(IrJobFileText(job), file);
    const IrJob job{IrModus::SetTime, 2, IrClockSource::Typed, QTime(6, 7, 8), QDate(2029, 2, 28)};
    EXPECT_EQ(ParseIrJobFile(IrJobFileText(job)), job);
    for (const QByteArray& bad : {QByteArray(kRead).replace("\n 4\r", "\n 6\r"), QByteArray(kRead).replace('l', 'x'), kRead.left(7)})
        EXPECT_FALSE(ParseIrJobFile(bad)) << bad.data();
    EXPECT_EQ(std::tuple(ParseIrResultFile(" 0 \r\n"), ParseIrResultFile("2"), ParseIrResultFile(IrResultFileText(-3))), std::tuple(0, 2, -3));
    EXPECT_FALSE(ParseIrResultFile("") || ParseIrResultFile("ok\r\n"));
}

TEST(IrJobFile, TimeAndDateFieldsCompleteAndRefuse)
{
    // Two-digit years are of this century; empty: refused.
    const std::pair<const char*, const char*> times[] = {{"9:5", "09:05:00"}, {"09:05:07", "09:05:07"}, {"23", "23:00:00"}, {"0:0:0", "00:00:00"}, {"24:00", ""}, {"12:60", ""}, {"1:2:60", ""}, {"", ""}, {"1:2:3:4", ""}, {"123:4", ""}, {"1a:00", ""}, {"::", ""}};
    const std::pair<const char*, const char*> dates[] = {{"7.3.27", "07.03.27"}, {"29.02.28", "29.02.28"}, {"1.1.0", "01.01.00"}, {"31.12.2099", "31.12.99"}, {"29.02.27", ""}, {"31.04.27", ""}, {"0.1.27", ""}, {"1.13.27", ""}, {"1.1", ""}, {"1.1.1999", ""}, {"1.1.270", ""}, {"1..27", ""}};
    for (const auto& [typed, completed] : times) {
        const auto t = ParseIrTime(QString::fromLatin1(typed));
        EXPECT_EQ(t ? FormatIrTime(*t) : QString(), QString::fromLatin1(completed)) << typed;
    }
    for (const auto& [typed, completed] : dates) {
        const auto d = ParseIrDate(QString::fromLatin1(typed));
        EXPECT_EQ(d ? FormatIrDate(*d) : QString(), QString::fromLatin1(completed)) << typed;
    }
    EXPECT_EQ(ParseIrDate(QStringLiteral("7.3.27"))->year(), 2027);
    EXPECT_TRUE(IrTimeKey(QLatin1Char(':')) && IrTimeKey(QLatin1Char('7')) && IrDateKey(QLatin1Char('.')) && IrDateKey(QLatin1Char('0')));
    EXPECT_FALSE(IrTimeKey(QLatin1Char('.')) || IrTimeKey(QLatin1Char('a')) || IrDateKey(QLatin1Char(':')) || IrDateKey(QChar(0x0663)));
}

} // namespace
