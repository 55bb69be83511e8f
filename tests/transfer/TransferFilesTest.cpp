#include "language/TextTable.h"
#include "model/DeviceSettings.h"
#include "transfer/AdapterToolResult.h"
#include "transfer/CardDatFile.h"
#include "transfer/MessageFile.h"
#include "transfer/PortSettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

Image countingImage(int size)
{
    Image image;
    for (int i = 0; i < size; ++i)
        image.push_back(static_cast<Byte>(i % 256));
    return image;
}

TEST(CardDat, LineLayoutOfTheSmallChip)
{
    const QList<QByteArray> lines = CardDatText(countingImage(2048)).split('\n');
    // 1 line of four, 20 of five, 324 of six, and the empty rest after the last line end.
    ASSERT_EQ(lines.size(), 1 + 20 + 324 + 1);
    EXPECT_EQ(lines[0], QByteArray(" 0  1  2  3 \r"));
    EXPECT_EQ(lines[1], QByteArray(" 4  5  6  7  8 \r"));
    EXPECT_EQ(lines[20], QByteArray(" 99  100  101  102  103 \r"));
    EXPECT_EQ(lines[21], QByteArray(" 104  105  106  107  108  109 \r"));
    EXPECT_EQ(lines[344], QByteArray(" 250  251  252  253  254  255 \r"));
    EXPECT_TRUE(lines[345].isEmpty());
}

TEST(CardDat, LineLayoutOfTheLargeChip)
{
    const QList<QByteArray> lines = CardDatText(countingImage(8192)).split('\n');
    ASSERT_EQ(lines.size(), 1 + 20 + 1348 + 1);
    EXPECT_EQ(lines[1368], QByteArray(" 250  251  252  253  254  255 \r"));
}

TEST(MessageFile, SixLinesWithTheSignPosition)
{
    MessageFile m;
    m.direction = QStringLiteral("s");
    m.lpt = 4;
    m.delay = 8;
    m.delayLang = 400;
    m.sprache = 2;
    m.fileName = QStringLiteral("/home/anna/Halle 3.zpg");
    EXPECT_EQ(MessageFileText(m), QByteArray("s\r\n 4 \r\n 8 \r\n 400 \r\n 2 \r\n/home/anna/Halle 3.zpg\r\n"));

    const auto back = ParseMessageFile(MessageFileText(m));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->direction, m.direction);
    EXPECT_EQ(back->lpt, 4);
    EXPECT_EQ(back->delay, 8);
    EXPECT_EQ(back->delayLang, 400);
    EXPECT_EQ(back->sprache, 2);
    EXPECT_EQ(back->fileName, m.fileName);

    EXPECT_FALSE(ParseMessageFile("l\n 1 \n 4 \n"));
    EXPECT_FALSE(ParseMessageFile("l\n x \n 4 \n 80 \n 1 \nDatei\n"));
    const auto plainLineEnds = ParseMessageFile("l\n1\n4\n80\n1\nDatei\n");
    ASSERT_TRUE(plainLineEnds);
    EXPECT_EQ(plainLineEnds->fileName, QStringLiteral("Datei"));
}

TEST(CardMessage, TwoNumbersWhateverTheSeparator)
{
    const auto blanks = ParseCardMessage(" 6  288 \r\n");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->code, 6);
    EXPECT_EQ(blanks->address, 288);
    const auto comma = ParseCardMessage("4,17\r\n");
    ASSERT_TRUE(comma);
    EXPECT_EQ(comma->code, 4);
    EXPECT_EQ(comma->address, 17);
    EXPECT_FALSE(ParseCardMessage(""));
    EXPECT_FALSE(ParseCardMessage("7"));
    EXPECT_FALSE(ParseCardMessage("fehler 3"));
    EXPECT_FALSE(ParseCardMessage("99999999999 0"));
    const auto written = ParseCardMessage(CardMessageText({5, 1024}));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->code, 5);
    EXPECT_EQ(written->address, 1024);
}

TEST(CardMessage, EveryCodeHasItsMessage)
{
    TextTable texts;
    struct Case {
        int code;
        const char* message;   // empty: no message
        bool failed;
    };
    const Case cases[] = {
        {0, "", false},
        {1, "Kein Programmieradapter an LPT 2 oder Verzögerungsfaktor zu niedrig !", true},
        {2, "Kein Zendrik im Programmieradapter oder Verzögerungsfaktor zu niedrig !", true},
        {3, "", false},
        {4, "Fehler beim Setzen der Adresse 288evtl. Verzögerungsfaktor erhöhen !", true},
        {5, "Fehler beim Setzen der Adresse 288evtl. Verzögerungsfaktor erhöhen !", true},
        {6, "Fehler beim Schreiben in Adresse 288evtl. Verzögerungsfaktor erhöhen !", true},
        {7, "Fehler beim Senden des Lesebefehls ,evtl. Verzögerungsfaktor erhöhen !", true},
        {8, "", false},
        {-1, "", false},
    };
    for (const Case& c : cases) {
        const AdapterToolResult r{c.code, 288};
        const auto m = AdapterToolMessage(r, 2);
        EXPECT_EQ(m ? m->render(texts) : QString(), QString::fromUtf8(c.message)) << c.code;
        EXPECT_EQ(r.failed(), c.failed) << c.code;
        if (m)
            EXPECT_EQ(m->icon, Icon::Critical);
    }
}

TEST(PortSettings, RoundTripAndDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kPortSettingsFileName);
    DeviceSettings d;
    EXPECT_FALSE(ReadPortSettings(path, d));
    EXPECT_EQ(d.SerialPort1, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(d.SerialPort2, QStringLiteral("/dev/ttyS1"));
    EXPECT_TRUE(d.VerifyWholeChip);

    d.SerialPort1 = QStringLiteral("/dev/ttyUSB0");
    d.SerialPort2 = QStringLiteral("/dev/serial/by-id/usb-Adapter 2");
    d.AdapterTool = QStringLiteral("/opt/cardio/cardio --lpt 1");
    d.VerifyWholeChip = false;
    ASSERT_TRUE(WritePortSettings(path, d));
    DeviceSettings back;
    ASSERT_TRUE(ReadPortSettings(path, back));
    EXPECT_EQ(back.SerialPort1, d.SerialPort1);
    EXPECT_EQ(back.SerialPort2, d.SerialPort2);
    EXPECT_EQ(back.AdapterTool, d.AdapterTool);
    EXPECT_FALSE(back.VerifyWholeChip);
    EXPECT_EQ(SerialDevicePath(back, 4), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialDevicePath(back, 5), d.SerialPort2);
}

TEST(PortSettings, UnknownLinesAndBadValuesKeepWhatWasThere)
{
    DeviceSettings d;
    ParsePortSettings("# comment\r\nCOM2=/dev/ttyACM0\r\nVERIFY=ja\r\nCOM1=\r\nSPEED=19200\r\n", d);
    EXPECT_EQ(d.SerialPort1, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(d.SerialPort2, QStringLiteral("/dev/ttyACM0"));
    EXPECT_TRUE(d.VerifyWholeChip);
}

} // namespace
