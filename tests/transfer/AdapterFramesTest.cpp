#include "transfer/AdapterFrames.h"
#include "transfer/MemoryBytePort.h"
#include "transfer/ReceiveReply.h"

#include "tests/transfer/TransferTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zendrik;
using zendrik::test::Bytes;

namespace {

std::vector<Byte> counting(int from)
{
    std::vector<Byte> d;
    for (int i = 0; i < 16; ++i)
        d.push_back(static_cast<Byte>(from + i));
    return d;
}

TEST(AdapterFrames, SmallChipFramesCarryBlockSelectBits)
{
    const QByteArray w = ChipWriteFrame(2048, 0x3F0, counting(1));
    ASSERT_EQ(w.size(), 19);
    EXPECT_EQ(w.left(3), Bytes({18, 0xA6, 0xF0}));
    EXPECT_EQ(w.mid(3), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(ChipReadFrame(2048, 0), Bytes({3, 0xA1, 0x00, 0x10}));
    EXPECT_EQ(ChipReadFrame(2048, 0x7F0), Bytes({3, 0xAF, 0xF0, 0x10}));
    EXPECT_EQ(ChipReadFrame(2048, 0x100), Bytes({3, 0xA3, 0x00, 0x10}));
}

TEST(AdapterFrames, LargeChipFramesCarryTwoAddressBytes)
{
    const QByteArray w = ChipWriteFrame(8192, 0x1230, counting(0xF0));
    ASSERT_EQ(w.size(), 20);
    EXPECT_EQ(w.left(4), Bytes({19, 0xA0, 0x12, 0x30}));
    EXPECT_EQ(static_cast<quint8>(w.at(19)), 0xFF);
    EXPECT_EQ(ChipReadFrame(8192, 0), Bytes({4, 0xA1, 0x00, 0x00, 0x10}));
    EXPECT_EQ(ChipReadFrame(8192, 0x1FF0), Bytes({4, 0xA1, 0x1F, 0xF0, 0x10}));
}

struct ReplyCase {
    QByteArray reply;
    AdapterReply kind;
};

TEST(AdapterFrames, RepliesAreClassifiedInTheAdaptersBitOrder)
{
    const QByteArray request = ChipReadFrame(2048, 0x120);
    QByteArray data = Bytes({0x12, 0xA3, 0x20});
    data += QByteArray(16, '\x55');
    QByteArray wrongEcho = data;
    wrongEcho[1] = static_cast<char>(0xA1);
    QByteArray wrongAddress = data;
    wrongAddress[2] = 0x30;
    const std::vector<ReplyCase> cases = {
        {Bytes({0x01, 0x80}), AdapterReply::WriteAcknowledged},
        {Bytes({0x01, 0x81}), AdapterReply::NoChip},
        {Bytes({0x01, 0x83}), AdapterReply::NoChip},
        {Bytes({0x01, 0x85}), AdapterReply::NoChip},
        {Bytes({0x01, 0x87}), AdapterReply::NoChip},
        {Bytes({0x01, 0x82}), AdapterReply::ChipNotAnswering},
        {Bytes({0x01, 0x86}), AdapterReply::ChipNotAnswering},
        {Bytes({0x01, 0x84}), AdapterReply::TransmissionError},
        {Bytes({0x01, 0x00}), AdapterReply::UnexpectedStatus},
        {Bytes({0x01, 0x01}), AdapterReply::UnexpectedStatus},
        {Bytes({0x01}), AdapterReply::Unexpected},
        {Bytes({0x02, 0xA1}), AdapterReply::OldAdapter},
        {data, AdapterReply::ReadData},
        {wrongEcho, AdapterReply::Unexpected},
        {wrongAddress, AdapterReply::Unexpected},
        {data.left(18), AdapterReply::Unexpected},
        {data + Bytes({0}), AdapterReply::Unexpected},
        {Bytes({0x5A, 0xC3}), AdapterReply::Unexpected},
    };
    for (const ReplyCase& c : cases)
        EXPECT_EQ(ClassifyAdapterReply(c.reply, request), c.kind) << c.reply.toHex(' ').toStdString();
    EXPECT_EQ(ReadReplyData(data), QByteArray(16, '\x55'));
}

TEST(AdapterFrames, HexLineHasNoLeadingZeros)
{
    EXPECT_EQ(HexLine(Bytes({0x12, 0xA1, 0x00, 0x0A, 0xFF})), QStringLiteral(" 12 A1 0 A FF"));
    EXPECT_EQ(HexLine(Bytes({1, 2, 3, 4}), 1, 2), QStringLiteral(" 2 3"));
    EXPECT_EQ(HexLine(Bytes({1, 2, 3, 4}), 2), QStringLiteral(" 3 4"));
    EXPECT_EQ(HexLine(QByteArray()), QString());
}

class ReceiveReplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto [a, b] = MemoryBytePort::makePair();
        port = std::move(a);
        adapter = std::move(b);
        port->open();
        adapter->open();
    }

    // Sends the pieces with `gapMs` between them from the adapter's side.
    std::thread sendLater(std::vector<QByteArray> pieces, int gapMs)
    {
        return std::thread([this, pieces = std::move(pieces), gapMs] {
            for (const QByteArray& p : pieces) {
                std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
                adapter->write(p);
            }
        });
    }

    std::unique_ptr<MemoryBytePort> port;
    std::unique_ptr<MemoryBytePort> adapter;
};

TEST_F(ReceiveReplyTest, StatusReplyEndsWithItsLength)
{
    // The stray byte comes 40 ms later: within the old silence, yet it is
    // not part of the status reply.
    std::thread t = sendLater({Bytes({0x01, 0x80}), Bytes({0x33})}, 40);
    QByteArray reply;
    EXPECT_EQ(ReceiveReply(*port, reply), 0);
    t.join();
    EXPECT_EQ(reply, Bytes({0x01, 0x80}));
    EXPECT_EQ(port->readAll(), Bytes({0x33}));
}

TEST_F(ReceiveReplyTest, DataReplyArrivingInPiecesIsTakenWhole)
{
    QByteArray data = Bytes({0x12, 0xA1, 0x00});
    data += QByteArray(16, '\x07');
    std::thread t = sendLater({data.left(5), data.mid(5, 9), data.mid(14)}, 30);
    QByteArray reply;
    EXPECT_EQ(ReceiveReply(*port, reply), 0);
    t.join();
    EXPECT_EQ(reply, data);
}

TEST_F(ReceiveReplyTest, OtherRepliesEndAfterSilence)
{
    std::thread t = sendLater({Bytes({0x02}), Bytes({0xA1}), Bytes({0x44})}, 40);
    QByteArray reply;
    EXPECT_EQ(ReceiveReply(*port, reply), 0);
    t.join();
    EXPECT_EQ(reply, Bytes({0x02, 0xA1, 0x44}));
}

TEST_F(ReceiveReplyTest, ShortLengthPrefixedReplyEndsAfterSilence)
{
    std::thread t = sendLater({Bytes({0x12, 0xA1, 0x00, 0x01})}, 10);
    QByteArray reply;
    EXPECT_EQ(ReceiveReply(*port, reply), 0);
    t.join();
    EXPECT_EQ(reply, Bytes({0x12, 0xA1, 0x00, 0x01}));
}

TEST_F(ReceiveReplyTest, NoFirstByteIsATimeOut)
{
    std::thread t = sendLater({Bytes({0x01, 0x80})}, 700);
    QByteArray reply("old");
    int idleCalls = 0;
    EXPECT_EQ(ReceiveReply(*port, reply, {}, [&] { ++idleCalls; }), 1);
    t.join();
    EXPECT_TRUE(reply.isEmpty());
    EXPECT_GT(idleCalls, 5);
}

} // namespace
