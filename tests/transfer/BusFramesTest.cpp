// The frames handed to the link, the telegrams in them, the mailbox blocks and the physical addresses, byte for byte.

#include "tests/transfer/TransferTestSupport.h"

#include "transfer/bus/BusApplication.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/bus/TransferMailbox.h"
#include "transfer/sim/EmulatedTimeSwitch.h"

using namespace zendrik;
using namespace zendrik::test;

namespace {

TEST(EibFrames, EveryFrameAndTelegramByteForByteAndFramesFromTheBcuTakenApart)
{
    const std::pair<const char*, QByteArray> cases[] = {
        // local read of the address-table length, local writes of 1 at 0x0116 and 0xFF at 0x010D
        {"04 4C 01 01 16", EibFrame::localRead(1, 0x0116)},
        {"05 46 01 01 16 01", EibFrame::localWrite(0x0116, Frame({0x01}))},
        {"05 46 01 01 0D FF", EibFrame::localWrite(0x010D, Frame({0xFF}))},
        {"06 23 00 00 00 1C FF", EibFrame::connect(0x1CFF)},
        {"06 24 00 00 00 00 00", EibFrame::disconnect()},
        {"06 4B 02 01 15 00 05", EibFrame::localReadAnswer(0x0115, Frame({0, 5}))},
        // the mask answer of 1.1.5 to 15.15.250
        {"0B 39 B0 11 05 FF FA 63 43 40 00 12", EibFrame::dataIn(0x1105, 0xFFFA, Frame({0x43, 0x40, 0x00, 0x12}))},
        {"09 21 00 00 00 00 00 01 03 00", EibFrame::data(Apci::maskRead())},
        {"0B 21 00 00 00 00 00 03 02 03 01 04", EibFrame::data(Apci::memoryRead(3, 0x0104))},
        {"0B 21 00 00 00 00 00 03 02 08 01 F7", EibFrame::data(Apci::memoryRead(8, 0x01F7))},
        {"0D 21 00 00 00 00 00 05 02 82 01 07 AB CD", EibFrame::data(Apci::memoryWrite(0x0107, Frame({0xAB, 0xCD})))},
        {"14 21 00 00 00 00 00 0C 02 89 00 CE 01 02 E5 55 00 00 00 00 00", EibFrame::data(Apci::memoryWrite(0x00CE, Mailbox::commandBlock(0xE5, Frame({0x55}))))},
    };
    for (const auto& [expected, frame] : cases) EXPECT_EQ(frame.toHex(' ').toUpper(), expected);
    // A memory answer from 1.1.5 to us: three bytes at 0x0104.
    const QByteArray in = QByteArray::fromHex("0E39B01105FFFA66424301047E0738");
    quint16 source = 0;
    QByteArray telegram, data;
    ASSERT_TRUE(EibFrame::parseDataIn(in, &source, &telegram));
    EXPECT_EQ(source, 0x1105);
    EXPECT_EQ(telegram, in.mid(8));
    EXPECT_EQ(std::pair(Apci::serviceOf(telegram), Apci::countOf(telegram)), std::pair(Apci::kMemoryResponse, 3));
    // Cut short, or another kind: not a device answer.
    const QByteArray local = Frame({0x05, 0x4B, 0x01, 0x01, 0x16, 0x05});
    EXPECT_FALSE(EibFrame::parseDataIn(in.left(12), &source, &telegram) || EibFrame::parseDataIn(local, &source, &telegram));
    ASSERT_TRUE(EibFrame::parseLocalAnswer(local, &data));
    EXPECT_EQ(data, Frame({0x05}));
    EXPECT_FALSE(EibFrame::parseLocalAnswer(Frame({0x05, 0x4B, 0x03, 0x01, 0x16, 0x05}), &data));
}

TEST(TransferMailbox, BlocksAndWhatAReadBackSays)
{
    const QByteArray entry = Frame({0x81, 0x23, 0x45, 0x67, 0x89, 0xAB});
    const QByteArray sent = Mailbox::commandBlock(0xE0, entry);
    EXPECT_EQ(sent, Frame({0x01, 0x07, 0xE0, 0x81, 0x23, 0x45, 0x67, 0x89, 0xAB}));
    EXPECT_EQ(Mailbox::commandBlock(0xC4, Frame({0x00, 27, 0, 0, 0})), Frame({0x01, 0x06, 0xC4, 0x00, 0x1B, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Mailbox::commandBlock(0x60, {}), Frame({0x01, 0x01, 0x60, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Mailbox::answerBlock(0x44, Frame({0x00, 27})), Frame({0x02, 0x03, 0x44, 0x00, 0x1B, 0xFF, 0xFF, 0xFF, 0xFF}));
    const std::pair<QByteArray, Mailbox::State> states[] = {
        {Frame({0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), Mailbox::State::Taken}, {sent, Mailbox::State::Pending}, {Frame({0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}), Mailbox::State::Other}, {Mailbox::answerBlock(0x61, entry), Mailbox::State::Answer}, {sent.left(8), Mailbox::State::Other}};
    for (const auto& [block, state] : states) EXPECT_EQ(Mailbox::stateOf(block, sent), state) << block.toHex(' ').toStdString();
    QByteArray data;
    EXPECT_TRUE(Mailbox::answerData(Mailbox::answerBlock(0x61, entry), 0x61, &data));
    EXPECT_EQ(data, entry);
    EXPECT_FALSE(Mailbox::answerData(Mailbox::answerBlock(0x61, entry), 0x60, &data) || Mailbox::answerData(Frame({0x02, 0x09, 0x61, 0, 0, 0, 0, 0, 0}), 0x61, &data));
}

TEST(PhysicalAddress, RangesOfAreaLineAndDevice)
{
    const std::pair<const char*, int> cases[] = {// -1: refused
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
                                                 {"0001.1.1", -1}};
    for (const auto& [text, expected] : cases) {
        const auto a = ParsePhysAddress(QString::fromLatin1(text));
        EXPECT_EQ(a ? int(*a) : -1, expected) << text;
    }
    EXPECT_EQ(FormatPhysicalAddress(0xFC01), QStringLiteral("15.12.1"));
    EXPECT_EQ(SavedApplicationFileName(0x1105), QStringLiteral("appl-1.1.5.old"));
}

TEST(BusApplication, TheShippedTransferApplicationIsTheOneTheDevicesRunAndOthersAreRefused)
{
    ApplicationFileError error = ApplicationFileError::None;
    const auto shipped = ReadApplicationFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), &error);
    ASSERT_TRUE(shipped) << int(error);
    EXPECT_EQ(shipped->size(), 248);
    EXPECT_EQ(*shipped, TransferApplicationImage());
    EXPECT_EQ(ApplicationFileText(*shipped), readFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19")));

    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.old"));
    const QByteArray good = ApplicationFileText(QByteArray(248, '\x12'));
    const std::pair<QByteArray, ApplicationFileError> cases[] = {
        {good, ApplicationFileError::None}, {QByteArray(good).replace("\r\n", " \n"), ApplicationFileError::None}, // LF line ends and blanks
        {ApplicationFileText(QByteArray(247, '\x12')), ApplicationFileError::Invalid},
        {ApplicationFileText(QByteArray(249, '\x12')), ApplicationFileError::Invalid},
        {QByteArray(good).replace(0, 2, "256"), ApplicationFileError::Invalid},
        {QByteArray("x\r\n") + good, ApplicationFileError::Invalid}};
    for (const auto& [text, expected] : cases) {
        ASSERT_TRUE(writeFile(p, text));
        error = ApplicationFileError::Unreadable;
        EXPECT_EQ(ReadApplicationFile(p, &error).has_value(), expected == ApplicationFileError::None) << text.left(20).toStdString();
        EXPECT_EQ(error, expected) << text.left(20).toStdString();
    }
    for (const auto& [path, expected] : {std::pair(dir.filePath(QStringLiteral("none.old")), ApplicationFileError::Missing), std::pair(dir.path(), ApplicationFileError::Unreadable)}) {
        EXPECT_FALSE(ReadApplicationFile(path, &error));
        EXPECT_EQ(error, expected);
    }
}

TEST(BusErrors, EveryCodeHasItsMessage)
{
    TextTable de, en;
    de.LoadGerman();
    en.LoadEnglish();
    // Code 0 is never shown for a success; a caller that passes it gets the run-time failure's text.
    const std::pair<int, const char*> cases[] = {
        {101, " *** Uhr nicht bereit "}, {102, " *** keine Antwort von Uhr"}, {103, " *** Falsche Telegrammlänge "}, {104, " *** Keine gültigen Daten erhalten"}, {105, "keine Verbindung zum EIB "}, {106, "keine Verbindung zum Teilnehmer  For details see file: 'protocol.txt'"}, {107, "kein Buszugriff möglich über COM 2"}, {108, "Baue Verbindung auf zu: "}, {109, "no mask response received"}, {110, "Falsche Maskenversion"}, {111, "Antwort von falschem Tln"}, {112, "Speicher wurde nicht beschrieben"}, {113, "Falsche Geräteeigenschaften"}, {114, "unbekanter Fehler: appl-1.1.5.old: kein Platz"}, {115, "Die Adresstabellen-Länge der lokalen BCU wurde nicht zurückgeschrieben."}, {116, "Für dieses Gerät ist keine gesicherte Applikation vorhanden: appl-1.1.5.old: kein Platz"}, {0, "unbekanter Fehler: appl-1.1.5.old: kein Platz"}, {3, "unbekanter Fehler: 3 For details see file: 'protocol.txt'"}};
    for (const auto& [code, german] : cases)
        EXPECT_EQ(BusErrorMessage(code, QStringLiteral("2"), QStringLiteral("appl-1.1.5.old: kein Platz")).render(de), QString::fromUtf8(german)) << code;
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
