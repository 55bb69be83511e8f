#include "model/DeviceSettings.h"
#include "transfer/PortSettings.h"
#include "transfer/chip/AdapterToolResult.h"
#include "transfer/chip/CardDatFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

TEST(CardMessage, CardDatLinesOfBothChipsAndTheToolsTwoNumbersWhateverTheSeparator)
{
    for (const int size : {2048, 8192}) {
        Image image;
        for (int i = 0; i < size; ++i) image.push_back(static_cast<Byte>(i % 256));
        const QList<QByteArray> lines = CardDatText(image).split('\n');
        // 1 line of four, 20 of five, the rest of six, and nothing after the last line end.
        const int entryLines = (size - 104) / 6;
        ASSERT_EQ(lines.size(), 1 + 20 + entryLines + 1) << size;
        EXPECT_EQ((QList<QByteArray>{lines[0], lines[1], lines[20], lines[21], lines[20 + entryLines], lines.last()}),
                  (QList<QByteArray>{" 0  1  2  3 \r", " 4  5  6  7  8 \r", " 99  100  101  102  103 \r", " 104  105  106  107  108  109 \r",
                                     " 250  251  252  253  254  255 \r", ""}));
    }
    const std::pair<QByteArray, std::optional<std::pair<int, int>>> cases[] = {
        {" 6  288 \r\n", std::pair(6, 288)}, {"4,17\r\n", std::pair(4, 17)}, {CardMessageText({5, 1024}), std::pair(5, 1024)}, {"", std::nullopt}, {"7", std::nullopt}, {"fehler 3", std::nullopt}, {"99999999999 0", std::nullopt}};
    for (const auto& [text, want] : cases) {
        const auto got = ParseCardMessage(text);
        EXPECT_EQ(got ? std::optional(std::pair(got->code, got->address)) : std::nullopt, want) << text.data();
    }
}

TEST(PortSettings, RoundTripDefaultsAndBadLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kPortSettingsFileName);
    DeviceSettings d;
    EXPECT_FALSE(ReadPortSettings(path, d));
    EXPECT_EQ(std::tie(d.SerialPort1, d.SerialPort2, d.VerifyWholeChip), std::tuple(QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1"), true));
    d.SerialPort1 = QStringLiteral("/dev/ttyUSB0");
    d.SerialPort2 = QStringLiteral("/dev/serial/by-id/usb-Adapter 2");
    d.AdapterTool = QStringLiteral("/opt/cardio/cardio --lpt 1");
    d.IrTool = QStringLiteral("\"/opt/ir tool/irprot\" --fast");
    d.IrTimeout = 45;
    d.VerifyWholeChip = false;
    ASSERT_TRUE(WritePortSettings(path, d));
    EXPECT_TRUE(PortSettingsText(d).contains("IRTOOL=\"/opt/ir tool/irprot\" --fast\r\nIRTIMEOUT=45\r\n"));
    DeviceSettings back;
    ASSERT_TRUE(ReadPortSettings(path, back));
    EXPECT_EQ(std::tie(back.SerialPort1, back.SerialPort2, back.AdapterTool, back.IrTool, back.IrTimeout, back.VerifyWholeChip),
              std::tie(d.SerialPort1, d.SerialPort2, d.AdapterTool, d.IrTool, d.IrTimeout, d.VerifyWholeChip));
    EXPECT_EQ(std::pair(SerialDevicePath(back, 4), SerialDevicePath(back, 5)), std::pair(d.SerialPort1, d.SerialPort2));
    // Unknown lines and bad values keep what was there.
    DeviceSettings kept;
    ParsePortSettings("# comment\r\nCOM2=/dev/ttyACM0\r\nVERIFY=ja\r\nCOM1=\r\nSPEED=19200\r\n", kept);
    EXPECT_EQ(std::tie(kept.SerialPort1, kept.SerialPort2, kept.IrTool, kept.VerifyWholeChip),
              std::tuple(QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyACM0"), QStringLiteral("irprot"), true));
    ParsePortSettings("IRTIMEOUT=0\r\nIRTIMEOUT=99999\r\nIRTIMEOUT=abc\r\n", back);
    EXPECT_EQ(back.IrTimeout, 45);
    // An empty tool line is a tool taken away, and stays so from one start to the next.
    back.IrTool.clear();
    DeviceSettings again;
    ParsePortSettings(PortSettingsText(back), again);
    EXPECT_TRUE(again.IrTool.isEmpty());
}

} // namespace
