// The emulator's chip must behave like a real 24C16, or the serial tests would pass frames a real chip takes differently.

#include "tools/adapter/VirtualEeprom.h"

#include "tests/transfer/TransferTestSupport.h"

using namespace zendrik;
using zendrik::test::Bytes;

TEST(VirtualEeprom, SmallChipTakesBlockSelectBitsOneAddressByteAndWrapsInItsPage)
{
    VirtualEeprom chip(2048);
    ASSERT_TRUE(chip.write(0xA6, Bytes({0xF0, 1, 2, 3})));
    EXPECT_EQ(chip.read(0xA7, Bytes({0xF0}), 3), Bytes({1, 2, 3}));
    // 17 data bytes from a page start: the last one wraps onto the first.
    chip.write(0xA0, Bytes({0x20}) + QByteArray(16, '\x40') + Bytes({0x50}));
    EXPECT_EQ(std::pair(chip.bytes()[0x20], chip.bytes()[0x30]), std::pair(quint8(0x50), quint8(0xFF)));
    // The large chip's read form: the second address byte is taken as data,
    // moves the pointer on by one and programs nothing.
    chip.write(0xA0, Bytes({0x00, 10, 11, 12}));
    EXPECT_EQ(chip.read(0xA1, Bytes({0x00, 0x00}), 2), Bytes({11, 12}));
    EXPECT_EQ(chip.bytes()[0], 10);
}
