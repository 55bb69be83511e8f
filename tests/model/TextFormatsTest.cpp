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
}

TEST(SequentialReader, NumbersAndTextItems)
{
    SequentialReader r(QByteArray(" 12  0 \r\n 255 \r\nFirst line, second\r\n\r\n\"quoted, with comma\",  7\r\nlast"));
    EXPECT_EQ(r.readInteger(), 12);
    EXPECT_EQ(r.readInteger(), 0);
    EXPECT_EQ(r.readInteger(), 255);
    EXPECT_EQ(r.readText(), QStringLiteral("First line"));
    EXPECT_EQ(r.readText(), QStringLiteral("second"));
    EXPECT_EQ(r.readText(), QString()); // the empty line is an empty item
    EXPECT_EQ(r.readText(), QStringLiteral("quoted, with comma"));
    EXPECT_EQ(r.readInteger(), 7);
    EXPECT_EQ(r.readText(), QStringLiteral("last"));
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.readTextItem().has_value());
    EXPECT_FALSE(r.readInteger().has_value());

    for (const char* bad : {"-1", "1.5", "x", "12a", "+3", "1e3"})
        EXPECT_FALSE(SequentialReader(QByteArray(bad)).readInteger().has_value()) << bad;
    SequentialReader separators(QByteArray("1\n2\r3,4"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(separators.readInteger(), n);
}

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Cp1252::decode(all);
    EXPECT_TRUE(Cp1252::canEncode(text));
    EXPECT_EQ(Cp1252::encode(text), all);
    EXPECT_EQ(Cp1252::decode(QByteArray("\x80\x96\xE4")), QStringLiteral("€–ä"));
    EXPECT_FALSE(Cp1252::canEncode(QStringLiteral("Ω")));
    EXPECT_EQ(Cp1252::encode(QStringLiteral("aΩb")), QByteArray("a?b"));
}
