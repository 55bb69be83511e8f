// The frames handed to the link, the telegrams inside them, the mailbox
// blocks of the transfer application and the physical addresses, byte for
// byte.

#include "tests/support/TestPrograms.h"
#include "tests/transfer/BusTestSupport.h"

#include "language/TextTable.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/bus/TransferMailbox.h"
#include "transfer/sim/EmulatedTimeSwitch.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

std::string hex(const QByteArray& b)
{
    return b.toHex(' ').toUpper().toStdString();
}

TEST(EibFrames, EveryFrameAndTelegramByteForByte)
{
    const struct {
        const char* what;
        QByteArray frame;
        QByteArray expected;
    } cases[] = {
        {"local read of the address-table length", EibFrame::localRead(1, 0x0116), Frame({0x04, 0x4C, 0x01, 0x01, 0x16})},
        {"local write of 1 at 0x0116", EibFrame::localWrite(0x0116, Frame({0x01})),
         Frame({0x05, 0x46, 0x01, 0x01, 0x16, 0x01})},
        {"local write of 0xFF at 0x010D", EibFrame::localWrite(0x010D, Frame({0xFF})),
         Frame({0x05, 0x46, 0x01, 0x01, 0x0D, 0xFF})},
        {"connect to 1.12.255", EibFrame::connect(0x1CFF), Frame({0x06, 0x23, 0x00, 0x00, 0x00, 0x1C, 0xFF})},
        {"disconnect", EibFrame::disconnect(), Frame({0x06, 0x24, 0x00, 0x00, 0x00, 0x00, 0x00})},
        {"local read answer", EibFrame::localReadAnswer(0x0115, Frame({0, 5})), Frame({0x06, 0x4B, 0x02, 0x01, 0x15, 0, 5})},
        {"mask answer of 1.1.5 to 15.15.250", EibFrame::dataIn(0x1105, 0xFFFA, Frame({0x43, 0x40, 0x00, 0x12})),
         Frame({0x0B, 0x39, 0xB0, 0x11, 0x05, 0xFF, 0xFA, 0x63, 0x43, 0x40, 0x00, 0x12})},
        {"mask read", EibFrame::data(Apci::maskRead()), Frame({0x09, 0x21, 0, 0, 0, 0, 0, 0x01, 0x03, 0x00})},
        {"memory read of 3 at 0x0104", EibFrame::data(Apci::memoryRead(3, 0x0104)),
         Frame({0x0B, 0x21, 0, 0, 0, 0, 0, 0x03, 0x02, 0x03, 0x01, 0x04})},
        {"memory read of 8 at 0x01F7", EibFrame::data(Apci::memoryRead(8, 0x01F7)),
         Frame({0x0B, 0x21, 0, 0, 0, 0, 0, 0x03, 0x02, 0x08, 0x01, 0xF7})},
        {"memory write of 2 at 0x0107", EibFrame::data(Apci::memoryWrite(0x0107, Frame({0xAB, 0xCD}))),
         Frame({0x0D, 0x21, 0, 0, 0, 0, 0, 0x05, 0x02, 0x82, 0x01, 0x07, 0xAB, 0xCD})},
        {"mailbox write", EibFrame::data(Apci::memoryWrite(0x00CE, Mailbox::commandBlock(0xE5, Frame({0x55})))),
         Frame({0x14, 0x21, 0, 0, 0, 0, 0, 0x0C, 0x02, 0x89, 0x00, 0xCE, 0x01, 0x02, 0xE5, 0x55, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(c.frame), hex(c.expected)) << c.what;
}

TEST(EibFrames, FramesFromTheBcuAreTakenApart)
{
    // A memory answer from 1.1.5 to us: three bytes at 0x0104.
    const QByteArray in = Frame({0x0E, 0x39, 0xB0, 0x11, 0x05, 0xFF, 0xFA, 0x66, 0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38});
    quint16 source = 0;
    QByteArray telegram;
    ASSERT_TRUE(EibFrame::parseDataIn(in, &source, &telegram));
    EXPECT_EQ(source, 0x1105);
    EXPECT_EQ(hex(telegram), hex(Frame({0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38})));
    EXPECT_EQ(Apci::serviceOf(telegram), Apci::kMemoryResponse);
    EXPECT_EQ(Apci::countOf(telegram), 3);
    // Cut short, or another kind: not a device answer.
    EXPECT_FALSE(EibFrame::parseDataIn(in.left(12), &source, &telegram));
    EXPECT_FALSE(EibFrame::parseDataIn(Frame({0x05, 0x4B, 0x01, 0x01, 0x16, 0x05}), &source, &telegram));

    QByteArray data;
    ASSERT_TRUE(EibFrame::parseLocalAnswer(Frame({0x05, 0x4B, 0x01, 0x01, 0x16, 0x05}), &data));
    EXPECT_EQ(hex(data), "05");
    EXPECT_FALSE(EibFrame::parseLocalAnswer(Frame({0x05, 0x4B, 0x03, 0x01, 0x16, 0x05}), &data));
}

TEST(TransferMailbox, BlocksAndWhatAReadBackSays)
{
    const QByteArray entry = Frame({0x81, 0x23, 0x45, 0x67, 0x89, 0xAB});
    EXPECT_EQ(hex(Mailbox::commandBlock(0xE0, entry)), hex(Frame({0x01, 0x07, 0xE0, 0x81, 0x23, 0x45, 0x67, 0x89, 0xAB})));
    EXPECT_EQ(hex(Mailbox::commandBlock(0xC4, Frame({0x00, 27, 0, 0, 0}))),
              hex(Frame({0x01, 0x06, 0xC4, 0x00, 0x1B, 0x00, 0x00, 0x00, 0x00})));
    EXPECT_EQ(hex(Mailbox::commandBlock(0x60, {})), hex(Frame({0x01, 0x01, 0x60, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(hex(Mailbox::answerBlock(0x44, Frame({0x00, 27}))),
              hex(Frame({0x02, 0x03, 0x44, 0x00, 0x1B, 0xFF, 0xFF, 0xFF, 0xFF})));

    const QByteArray sent = Mailbox::commandBlock(0xE0, entry);
    EXPECT_EQ(Mailbox::stateOf(Frame({0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), sent), Mailbox::State::Taken);
    EXPECT_EQ(Mailbox::stateOf(sent, sent), Mailbox::State::Pending);
    EXPECT_EQ(Mailbox::stateOf(Frame({0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}), sent), Mailbox::State::Other);
    EXPECT_EQ(Mailbox::stateOf(Mailbox::answerBlock(0x61, entry), sent), Mailbox::State::Answer);
    EXPECT_EQ(Mailbox::stateOf(sent.left(8), sent), Mailbox::State::Other);

    QByteArray data;
    EXPECT_TRUE(Mailbox::answerData(Mailbox::answerBlock(0x61, entry), 0x61, &data));
    EXPECT_EQ(hex(data), hex(entry));
    EXPECT_FALSE(Mailbox::answerData(Mailbox::answerBlock(0x61, entry), 0x60, &data));
    EXPECT_FALSE(Mailbox::answerData(Frame({0x02, 0x09, 0x61, 0, 0, 0, 0, 0, 0}), 0x61, &data));
}

TEST(PhysicalAddress, RangesOfAreaLineAndDevice)
{
    const struct {
        const char* text;
        int expected; // -1: refused
    } cases[] = {
        {"1.12.255", 0x1CFF},
        {"0.0.1", 0x0001},
        {"15.12.1", 0xFC01},
        {"8.0.1", 0x8001},
        {" 1.1.5 ", 0x1105},
        {"1.13.1", -1},
        {"16.0.1", -1},
        {"1.1.0", -1},
        {"1.1.256", -1},
        {"1.1", -1},
        {"1.1.1.1", -1},
        {"", -1},
        {"a.1.1", -1},
        {"-1.1.1", -1},
        {"1..1", -1},
        {"1.1.+5", -1},
        {"0001.1.1", -1},
    };
    for (const auto& c : cases) {
        const auto a = ParsePhysAddress(QString::fromLatin1(c.text));
        EXPECT_EQ(a ? int(*a) : -1, c.expected) << c.text;
    }
    EXPECT_EQ(FormatPhysicalAddress(0xFC01), QStringLiteral("15.12.1"));
    EXPECT_EQ(SavedApplicationFileName(0x1105), QStringLiteral("appl-1.1.5.old"));
}

TEST(BusApplication, TheShippedTransferApplicationIsTheOneTheDevicesRun)
{
    ApplicationFileError error = ApplicationFileError::None;
    const auto shipped = ReadApplicationFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), &error);
    ASSERT_TRUE(shipped) << int(error);
    EXPECT_EQ(shipped->size(), 248);
    EXPECT_EQ(*shipped, TransferApplicationImage());
    EXPECT_EQ(ApplicationFileText(*shipped), readFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19")));
}

TEST(BusApplication, ApplicationFilesThatAreNotOneAreRefused)
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.old"));
    const QByteArray good = ApplicationFileText(QByteArray(248, '\x12'));
    const struct {
        const char* what;
        QByteArray text;
        ApplicationFileError expected;
    } cases[] = {
        {"248 values", good, ApplicationFileError::None},
        {"LF line ends and blanks", QByteArray(good).replace("\r\n", " \n"), ApplicationFileError::None},
        {"247 values", ApplicationFileText(QByteArray(247, '\x12')), ApplicationFileError::Invalid},
        {"249 values", ApplicationFileText(QByteArray(249, '\x12')), ApplicationFileError::Invalid},
        {"a value above 255", QByteArray(good).replace(0, 2, "256"), ApplicationFileError::Invalid},
        {"text", QByteArray("x\r\n") + good, ApplicationFileError::Invalid},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(p, c.text));
        ApplicationFileError error = ApplicationFileError::Unreadable;
        const auto read = ReadApplicationFile(p, &error);
        EXPECT_EQ(error, c.expected) << c.what;
        EXPECT_EQ(read.has_value(), c.expected == ApplicationFileError::None) << c.what;
    }
    ApplicationFileError error = ApplicationFileError::None;
    EXPECT_FALSE(ReadApplicationFile(dir.filePath(QStringLiteral("none.old")), &error));
    EXPECT_EQ(error, ApplicationFileError::Missing);
    EXPECT_FALSE(ReadApplicationFile(dir.path(), &error));
    EXPECT_EQ(error, ApplicationFileError::Unreadable);
}

TEST(BusErrors, EveryCodeHasItsMessage)
{
    TextTable de;
    de.LoadGerman();
    TextTable en;
    en.LoadEnglish();
    const struct {
        int code;
        const char* german;
    } cases[] = {
        {101, " *** Uhr nicht bereit "},
        {102, " *** keine Antwort von Uhr"},
        {103, " *** Falsche Telegrammlänge "},
        {104, " *** Keine gültigen Daten erhalten"},
        {105, "keine Verbindung zum EIB "},
        {106, "keine Verbindung zum Teilnehmer  For details see file: 'protocol.txt'"},
        {107, "kein Buszugriff möglich über COM 2"},
        {108, "Baue Verbindung auf zu: "},
        {109, "no mask response received"},
        {110, "Falsche Maskenversion"},
        {111, "Antwort von falschem Tln"},
        {112, "Speicher wurde nicht beschrieben"},
        {113, "Falsche Geräteeigenschaften"},
        {114, "unbekanter Fehler: appl-1.1.5.old: kein Platz"},
        {115, "Die Adresstabellen-Länge der lokalen BCU wurde nicht zurückgeschrieben."},
        {116, "Für dieses Gerät ist keine gesicherte Applikation vorhanden: appl-1.1.5.old: kein Platz"},
        // Never shown for a success; a caller that passes 0 gets the run-time failure's text.
        {0, "unbekanter Fehler: appl-1.1.5.old: kein Platz"},
        {3, "unbekanter Fehler: 3 For details see file: 'protocol.txt'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BusErrorMessage(c.code, QStringLiteral("2"), QStringLiteral("appl-1.1.5.old: kein Platz")).render(de),
                  QString::fromUtf8(c.german))
            << c.code;
    EXPECT_EQ(BusErrorMessage(107, QStringLiteral("1")).render(en), QStringLiteral("no bus access via COM 1"));
    EXPECT_EQ(BusErrorMessage(105, QString()).render(en), QStringLiteral("no connection to the EIB "));
}

TEST(EmulatedTimeSwitch, ServesAtMostEightBytesPerAccessButTheWholeMailbox)
{
    EmulatedTimeSwitch device(0x1105);
    device.receive(0xFFFA, Frame({Tpci::kConnect}), 0);
    const QByteArray before = device.application();
    const QByteArray nine = Frame({1, 2, 3, 4, 5, 6, 7, 8, 9});
    int sequence = 0;
    const auto write = [&](quint16 address, const QByteArray& data) {
        QByteArray t = Apci::memoryWrite(address, data);
        t[0] = static_cast<char>(t.at(0) | Tpci::kDataConnected | sequence++ << 2);
        device.receive(0xFFFA, t, 1000);
    };
    const auto mailbox = [&](int count) { return QByteArray(reinterpret_cast<const char*>(device.memory().data()) + 0xCE, count); };
    // Nine bytes into the application: refused, nothing changes; eight are taken.
    write(0x0107, nine);
    EXPECT_EQ(device.application(), before);
    write(0x0107, nine.left(8));
    EXPECT_EQ(device.application().left(9), nine.left(8) + before.mid(8, 1));
    // The mailbox takes its nine bytes in one write, and no more.
    write(0x00CE, nine);
    EXPECT_EQ(mailbox(9), nine);
    write(0x00CE, nine + nine.left(1));
    EXPECT_EQ(mailbox(10), nine + '\0');
}

} // namespace
