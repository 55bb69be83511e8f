#include "model/DstRowCodec.h"
#include "model/SequentialReader.h"
#include "util/Cp1252.h"

#include <gtest/gtest.h>

using namespace zendrik;

TEST(DstRowCodec, EveryChangeoverRoundTripsAndStaysBelowTheUnusedMark)
{
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; day += 5) {
            for (int hour = 0; hour < 24; hour += 7) {
                for (int shift = 1; shift <= 3; ++shift) {
                    const DstEntry e{{day, month, hour, shift}, {32 - day, 13 - month, 23 - hour, 4 - shift}};
                    const DstRow row = EncodeDstRow(e);
                    EXPECT_LT(row.b[0], 240);
                    EXPECT_TRUE(IsUsedDstRow(row));
                    EXPECT_EQ(DecodeDstRow(row), e);
                }
            }
        }
    }
    EXPECT_FALSE(IsUsedDstRow(DstRow{}));
    SequentialReader r(QByteArray(" 12  0 \r\n 255 \r\nFirst line, second\r\n\r\n\"quoted, with comma\",  7\r\nlast"));
    for (const int n : {12, 0, 255}) EXPECT_EQ(r.readInteger(), n);
    // The empty line is an empty item.
    for (const char* text : {"First line", "second", "", "quoted, with comma"}) EXPECT_EQ(r.readText(), QString::fromLatin1(text));
    EXPECT_EQ((std::tuple{r.readInteger(), r.readText()}), std::tuple(7, QStringLiteral("last")));
    EXPECT_EQ(std::tuple(r.atEnd(), r.readTextItem().has_value(), r.readInteger().has_value()), std::tuple(true, false, false));

    for (const char* bad : {"-1", "1.5", "x", "12a", "+3", "1e3"}) EXPECT_FALSE(SequentialReader(QByteArray(bad)).readInteger().has_value()) << bad;
    SequentialReader separators(QByteArray("1\n2\r3,4"));
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(separators.readInteger(), n);
}

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = Cp1252::decode(all);
    EXPECT_TRUE(Cp1252::canEncode(text));
    EXPECT_EQ(Cp1252::encode(text), all);
    EXPECT_EQ(std::tuple(Cp1252::decode(QByteArray("\x80\x96\xE4")), Cp1252::canEncode(QStringLiteral("Ω")), Cp1252::encode(QStringLiteral("aΩb"))), std::tuple(QStringLiteral("€–ä"), false, QByteArray("a?b")));
}
