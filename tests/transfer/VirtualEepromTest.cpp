#include "tools/adapter/AdapterEmulator.h"
#include "tools/adapter/VirtualEeprom.h"

#include "tests/transfer/TransferTestSupport.h"

#include <gtest/gtest.h>

using namespace zendrik;
using zendrik::test::Bytes;

namespace {

TEST(VirtualEeprom, SmallChipTakesBlockSelectBitsAndWrapsInItsPage)
{
    VirtualEeprom chip(2048);
    ASSERT_TRUE(chip.write(0xA6, Bytes({0xF0, 1, 2, 3})));
    EXPECT_EQ(chip.bytes()[0x3F0], 1);
    EXPECT_EQ(chip.bytes()[0x3F2], 3);
    // 17 data bytes from the page start: the last one wraps onto the first.
    QByteArray data = Bytes({0x20});
    for (int i = 0; i < 17; ++i)
        data += static_cast<char>(0x40 + i);
    chip.write(0xA0, data);
    EXPECT_EQ(chip.bytes()[0x20], 0x50);
    EXPECT_EQ(chip.bytes()[0x2F], 0x4F);
    EXPECT_EQ(chip.bytes()[0x30], 0xFF);
    EXPECT_EQ(chip.read(0xA7, Bytes({0xF0}), 3), Bytes({1, 2, 3}));
}

TEST(VirtualEeprom, SmallChipTakesASecondAddressByteAsData)
{
    VirtualEeprom chip(2048);
    chip.write(0xA0, Bytes({0x00, 10, 11, 12, 13}));
    // The large chip's read form: the second address byte moves the pointer
    // on by one, so the read starts at byte 1, and nothing is programmed.
    EXPECT_EQ(chip.read(0xA1, Bytes({0x00, 0x00}), 3), Bytes({11, 12, 13}));
    EXPECT_EQ(chip.bytes()[0], 10);
    EXPECT_EQ(chip.read(0xA1, Bytes({0x00}), 2), Bytes({10, 11}));
}

TEST(VirtualEeprom, LargeChipTakesTwoAddressBytesAndOnlyItsOwnAddress)
{
    VirtualEeprom chip(8192);
    EXPECT_TRUE(chip.acknowledges(0xA0));
    EXPECT_FALSE(chip.acknowledges(0xA2));
    EXPECT_FALSE(chip.acknowledges(0xB0));
    chip.write(0xA0, Bytes({0x12, 0x30, 7, 8}));
    EXPECT_EQ(chip.bytes()[0x1230], 7);
    EXPECT_EQ(chip.read(0xA1, Bytes({0x12, 0x30}), 2), Bytes({7, 8}));
    // Reads run on across the end of the chip.
    chip.write(0xA0, Bytes({0x00, 0x00, 0x55}));
    EXPECT_EQ(chip.read(0xA1, Bytes({0x1F, 0xFF}), 2), Bytes({0xFF, 0x55}));
}

TEST(AdapterEmulator, AnswersFramesLikeTheAdapter)
{
    VirtualEeprom chip(2048);
    AdapterEmulator adapter(chip, {});
    QByteArray write = Bytes({18, 0xA2, 0x10});
    write += QByteArray(16, '\x33');
    const auto w = adapter.handle(write);
    EXPECT_EQ(w.reply, Bytes({0x01, 0x80}));
    EXPECT_TRUE(w.programmed);
    const auto r = adapter.handle(Bytes({3, 0xA3, 0x10, 16}));
    EXPECT_EQ(r.reply, Bytes({0x12, 0xA3, 0x10}) + QByteArray(16, '\x33'));
    EXPECT_EQ(adapter.handle(Bytes({3, 0xB1, 0x00, 16})).reply, Bytes({0x01, 0x82}));
    EXPECT_EQ(adapter.handle(Bytes({5, 0xA1})).reply, Bytes({0x01, 0x84}));
}

TEST(AdapterEmulator, FaultsStartAndEndWhereTold)
{
    VirtualEeprom chip(8192);
    AdapterFaultSettings faults;
    ASSERT_TRUE(ParseAdapterFault(QStringLiteral("old-adapter"), faults.fault));
    faults.skipFrames = 1;
    faults.faultFrames = 2;
    AdapterEmulator adapter(chip, faults);
    const QByteArray read = Bytes({4, 0xA1, 0x00, 0x00, 16});
    EXPECT_EQ(adapter.handle(read).reply.at(0), 0x12);
    EXPECT_EQ(adapter.handle(read).reply, Bytes({0x02, 0xA1}));
    EXPECT_EQ(adapter.handle(read).reply, Bytes({0x02, 0xA1}));
    EXPECT_EQ(adapter.handle(read).reply.at(0), 0x12);
    AdapterFault unknown;
    EXPECT_FALSE(ParseAdapterFault(QStringLiteral("smoke"), unknown));
}

} // namespace
