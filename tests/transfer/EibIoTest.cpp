// The program's side of the link against the simulated bus and against a
// scripted link: opening and closing with the address-table length, the
// waits and their time-outs, the memory and mask services.

#include "tests/transfer/TransferTestSupport.h"

#include "transfer/bus/BusErrors.h"
#include "transfer/bus/BusLog.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibIo.h"

#include <gtest/gtest.h>

#include <deque>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// An unpaced bus with the given address-table length; with `answerSource` the time switch 1.1.5 on it, answering from that address.
struct IoFixture {
    explicit IoFixture(int addressTableLength, std::optional<quint16> answerSource = std::nullopt, bool noConfirm = false) : bus([&] {
        SimulatedBusConfig c;
        c.paced = false;
        c.addressTableLength = addressTableLength;
        c.bcu.noConfirm = noConfirm;
        if (answerSource) {
            c.devices.push_back({});
            c.devices.back().address = 0x1105;
            c.devices.back().faults.answerSource = *answerSource;
        }
        return c;
    }())
    {
        texts.LoadGerman();
    }
    std::int64_t nowMs() { return bus.clock().nowMs(); }
    QStringList tail(int n) const { return log.lines().mid(log.lines().size() - n); }
    TextTable texts;
    BusLog log;
    SimulatedBus bus;
    EibIo io{bus, texts, log};
};

TEST(EibIo, ALengthOfZeroIsNeitherChangedNorWrittenBack)
{
    IoFixture f(0);
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.log.lines(), (QStringList{"installiere AST", "reset AST", "reset local BCU", "wechsle Layer", "lese Adresstable-Länge",
                                          "sende an locale BCU 4 4C 1 1 16", "warte auf Adresstable-Länge", "erwarte Bestätigung"}));
    EXPECT_EQ(f.io.EibCloseAll(), 0);
    EXPECT_EQ(std::tuple(f.bus.framesSent(), f.bus.localByte(0x0116), f.bus.isOpen()), std::tuple(1, 0, false));
}

TEST(EibIo, ALengthOfFiveIsLoweredToOneAndWrittenBack)
{
    IoFixture f(5);
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.log.lines().mid(8), (QStringList{"setze Adresstable-Länge auf 5", "sende an locale BCU 5 46 1 1 16 1"}));
    EXPECT_EQ(f.bus.localByte(0x0116), 1);
    // Opened again before it was closed: the BCU's own value stays the one to restore.
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.io.AdrTabLaenge, 5);
    EXPECT_EQ(f.io.EibCloseAll(), 0);
    EXPECT_EQ(f.tail(2), (QStringList{"setze Adresstable-Länge auf 5", "sende an locale BCU 5 46 1 1 16 5"}));
    EXPECT_EQ(std::pair(f.bus.localByte(0x0116), f.io.AdrTabLaenge), std::pair(5, 0));
}

TEST(EibIo, WaitsEndAfterTwoSeconds)
{
    // A missing confirmation: code 107.
    IoFixture f(0, std::nullopt, true);
    EXPECT_EQ(f.io.EibOpen(0, 9600), 107);
    EXPECT_TRUE(f.nowMs() >= 2000 && f.nowMs() < 2200) << f.nowMs();
    EXPECT_TRUE(f.log.lines().contains(QStringLiteral(" *** Timeout bei: sende Telegramm 107")));
    EXPECT_EQ(f.tail(1), QStringList{" *** Fehler bei: lese Adresstable-Länge"});
    EXPECT_EQ(BusErrorMessage(107, QStringLiteral("1")).render(f.texts), QStringLiteral("kein Buszugriff möglich über COM 1"));
    // An answer from another address is ignored until code 106.
    IoFixture other(0, 0x1109);
    ASSERT_EQ(other.io.EibOpen(0, 9600), 0);
    ASSERT_EQ(other.io.Connect(0x1105), 0);
    ASSERT_EQ(other.io.AskMask(), 0);
    const std::int64_t start = other.nowMs();
    int version = 0;
    EXPECT_EQ(other.io.WaitMask(version), 106);
    EXPECT_GE(other.nowMs() - start, 2000);
    EXPECT_EQ(other.tail(1), QStringList{" *** Timeout bei: erwarte Antwort"});
}

TEST(EibIo, ConnectMaskAndMemoryAgainstAnEmulatedSwitch)
{
    IoFixture f(0, 0);
    f.io.timeOfDay = [] { return QTime(1, 0, 0, 500); };
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    ASSERT_EQ(f.io.Connect(0x1105), 0);
    EXPECT_TRUE(f.log.lines().contains(QStringLiteral("Baue Verbindung auf zu: 4357 3600.50")));
    EXPECT_TRUE(f.bus.device(0x1105)->connected(f.bus.clock().nowUs()));
    ASSERT_EQ(f.io.AskMask(), 0);
    int version = 0;
    ASSERT_EQ(f.io.WaitMask(version), 0);
    EXPECT_EQ(version, 0x0012);
    QByteArray data;
    ASSERT_EQ(f.io.ReadMemoryRetried(3, 0x0104, data), 0);
    EXPECT_EQ(data, Frame({0x7E, 0x07, 0x38}));
    EXPECT_EQ(f.io.WriteMemoryVerified(0x0107, Frame({1, 2, 3, 4, 5, 6, 7, 8})), 0);
    EXPECT_EQ(f.bus.device(0x1105)->application().left(8), Frame({1, 2, 3, 4, 5, 6, 7, 8}));
    // A read the device cannot serve comes back with count 0: not this answer.
    EXPECT_EQ(f.io.AskMemory(8, 0x0300), 0);
    EXPECT_EQ(f.io.WaitMemory(8, 0x0300, data), 111);
    ASSERT_EQ(f.io.Disconnect(), 0);
    EXPECT_FALSE(f.bus.device(0x1105)->connected(f.bus.clock().nowUs()));
}

// A link that confirms every frame at once and hands up scripted frames.
class ScriptLink : public EibLink {
public:
    int install(int, int, int, int, int) override { return 0; }
    int resetLink() override { return 0; }
    int resetBcu() override { return 0; }
    int changeLayer(int) override { return 0; }
    int send(const QByteArray& frame) override
    {
        sent.push_back(frame);
        if (frame.size() > 1 && static_cast<quint8>(frame.at(1)) == EibFrame::kLocalRead)
            incoming.push_back(Frame({0x05, 0x4B, 0x01, 0x01, 0x16, localLength}));
        return frame == failing ? 9 : 0;
    }
    int pollConfirm(bool* done) override { return *done = true, 0; }
    int receive(QByteArray& buffer) override
    {
        buffer = QByteArray(kReceiveBufferSize, '\0');
        if (!incoming.empty()) {
            buffer.replace(0, incoming.front().size(), incoming.front());
            incoming.pop_front();
        }
        return 0;
    }
    int close() override { return 0; }
    BusClock& clock() override { return clock_; }
    QString name() const override { return QStringLiteral("script"); }

    std::vector<QByteArray> sent;
    std::deque<QByteArray> incoming;
    QByteArray failing;  // sending this frame fails
    int localLength = 5; // the address-table length the BCU answers
    VirtualBusClock clock_;
};

struct ScriptFixture {
    ScriptFixture() { texts.LoadGerman(); }
    TextTable texts;
    BusLog log;
    ScriptLink link;
    EibIo io{link, texts, log};
};

TEST(EibIo, AFailedRestoreOfTheAddressTableLengthIsReportedAndKept)
{
    ScriptFixture f;
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.link.sent.back(), Frame({0x05, 0x46, 0x01, 0x01, 0x16, 0x01}));
    f.link.failing = Frame({0x05, 0x46, 0x01, 0x01, 0x16, 0x05});
    EXPECT_EQ(f.io.EibCloseAll(), 9);
    EXPECT_EQ(f.log.lines().last(), QStringLiteral(" *** Fehler bei: setze Adresstable-Länge auf 5"));
    // The BCU now says 1, which is ours: the 5 found first is still the one to put back.
    f.link.localLength = 1;
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.io.AdrTabLaenge, 5);
    f.link.failing.clear();
    EXPECT_EQ(f.io.EibCloseAll(), 0);
    EXPECT_EQ(f.link.sent.back(), Frame({0x05, 0x46, 0x01, 0x01, 0x16, 0x05}));
    EXPECT_EQ(f.io.AdrTabLaenge, 0);
}

TEST(EibIo, OnlyTheAnswerToTheRequestCounts)
{
    ScriptFixture f;
    ASSERT_EQ(f.io.Connect(0x1105), 0);
    EXPECT_EQ(f.link.sent.back(), Frame({0x06, 0x23, 0, 0, 0, 0x11, 0x05}));
    const std::pair<QByteArray, int> cases[] = {
        {Frame({0x42, 0x42, 0x01, 0x07, 0xAA, 0xBB}), 0}, // the answer asked for
        {Frame({0x42, 0x42, 0x01, 0x09, 0xAA, 0xBB}), 111}, {Frame({0x42, 0x41, 0x01, 0x07, 0xAA}), 111}, // another address, another count
        {Frame({0x43, 0x40, 0x00, 0x12}), 111}, {Frame({0x42, 0x42, 0x01, 0x07, 0xAA}), 111}}; // a mask answer, too short for its count
    for (const auto& [telegram, expected] : cases) {
        f.link.incoming = {EibFrame::dataIn(0x1105, 0xFFFA, telegram)};
        QByteArray data;
        EXPECT_EQ(f.io.WaitMemory(2, 0x0107, data), expected) << telegram.toHex(' ').toStdString();
        EXPECT_EQ(data, expected == 0 ? Frame({0xAA, 0xBB}) : QByteArray()) << telegram.toHex(' ').toStdString();
    }
    EXPECT_EQ(std::pair(HasNonFF(Frame({0xFF, 0xFF})), HasNonFF(Frame({0xFF, 0xFE}))), std::pair(0, 1));
}

} // namespace
