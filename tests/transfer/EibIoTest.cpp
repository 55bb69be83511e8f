// The program's side of the link: the BCU's address-table length, the wait for a confirmation, which answer counts.

#include "tests/transfer/TransferTestSupport.h"

#include "transfer/bus/BusErrors.h"
#include "transfer/bus/BusLog.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibIo.h"

#include <deque>

using namespace zendrik;
using namespace zendrik::test;

namespace {

SimulatedBusConfig Unpaced(int addressTableLength, bool noConfirm = false)
{
    SimulatedBusConfig c;
    c.paced = false;
    c.addressTableLength = addressTableLength;
    c.bcu.noConfirm = noConfirm;
    return c;
}

// An unpaced simulated bus with a BCU of the given address-table length.
struct IoFixture {
    explicit IoFixture(SimulatedBusConfig config) : bus(std::move(config)) { texts.LoadGerman(); }
    QStringList tail(int n) const { return log.lines().mid(log.lines().size() - n); }
    TextTable texts;
    BusLog log;
    SimulatedBus bus;
    EibIo io{bus, texts, log};
};

TEST(EibIo, ALengthOfZeroIsNeitherChangedNorWrittenBack)
{
    IoFixture f(Unpaced(0));
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.log.lines(), (QStringList{"installiere AST", "reset AST", "reset local BCU", "wechsle Layer", "lese Adresstable-Länge", "sende an locale BCU 4 4C 1 1 16", "warte auf Adresstable-Länge", "erwarte Bestätigung"}));
    EXPECT_EQ(f.io.EibCloseAll(), 0);
    EXPECT_EQ(std::tuple(f.bus.framesSent(), f.bus.localByte(0x0116), f.bus.isOpen()), std::tuple(1, 0, false));
}

TEST(EibIo, ALengthOfFiveIsLoweredToOneAndWrittenBackEvenWhenOpenedTwice)
{
    IoFixture f(Unpaced(5));
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.bus.localByte(0x0116), 1);
    // Opened again before it was closed: the BCU's own value stays the one to restore.
    ASSERT_EQ(f.io.EibOpen(0, 9600), 0);
    EXPECT_EQ(f.io.AdrTabLaenge, 5);
    EXPECT_EQ(f.io.EibCloseAll(), 0);
    EXPECT_EQ(f.tail(2), (QStringList{"setze Adresstable-Länge auf 5", "sende an locale BCU 5 46 1 1 16 5"}));
    EXPECT_EQ(std::pair(f.bus.localByte(0x0116), f.io.AdrTabLaenge), std::pair(5, 0));
}

TEST(EibIo, AMissingConfirmationEndsAfterTwoSecondsWithCode107)
{
    IoFixture f(Unpaced(0, true));
    EXPECT_EQ(f.io.EibOpen(0, 9600), 107);
    EXPECT_TRUE(f.bus.clock().nowMs() >= 2000 && f.bus.clock().nowMs() < 2200) << f.bus.clock().nowMs();
    EXPECT_TRUE(f.log.lines().contains(QStringLiteral(" *** Timeout bei: sende Telegramm 107")));
    EXPECT_EQ(f.tail(1), QStringList{" *** Fehler bei: lese Adresstable-Länge"});
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
        return 0;
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
    VirtualBusClock clock_;
};

TEST(EibIo, OnlyTheAnswerToTheRequestCounts)
{
    TextTable texts;
    BusLog log;
    ScriptLink link;
    EibIo io{link, texts, log};
    ASSERT_EQ(io.Connect(0x1105), 0);
    EXPECT_EQ(link.sent.back(), Frame({0x06, 0x23, 0, 0, 0, 0x11, 0x05}));
    // The answer asked for; another address, another count, a mask answer, one too short for its count.
    const std::pair<QByteArray, int> cases[] = {{Frame({0x42, 0x42, 0x01, 0x07, 0xAA, 0xBB}), 0}, {Frame({0x42, 0x42, 0x01, 0x09, 0xAA, 0xBB}), 111}, {Frame({0x42, 0x41, 0x01, 0x07, 0xAA}), 111}, {Frame({0x43, 0x40, 0x00, 0x12}), 111}, {Frame({0x42, 0x42, 0x01, 0x07, 0xAA}), 111}};
    for (const auto& [telegram, expected] : cases) {
        link.incoming = {EibFrame::dataIn(0x1105, 0xFFFA, telegram)};
        QByteArray data;
        EXPECT_EQ(io.WaitMemory(2, 0x0107, data), expected) << telegram.toHex(' ').toStdString();
        EXPECT_EQ(data, expected == 0 ? Frame({0xAA, 0xBB}) : QByteArray()) << telegram.toHex(' ').toStdString();
    }
    EXPECT_EQ(std::pair(HasNonFF(Frame({0xFF, 0xFF})), HasNonFF(Frame({0xFF, 0xFE}))), std::pair(0, 1));
}

} // namespace
