#include "transfer/chip/AdapterFrames.h"
#include "transfer/chip/ReceiveReply.h"
#include "transfer/sim/MemoryBytePort.h"

#include "tests/transfer/TransferTestSupport.h"

#include <thread>

using namespace zendrik;
using zendrik::test::Bytes;

namespace {

TEST(AdapterFrames, RepliesAreClassifiedInTheAdaptersBitOrder)
{
    const QByteArray request = ChipReadFrame(2048, 0x120);
    const QByteArray data = Bytes({0x12, 0xA3, 0x20}) + QByteArray(16, '\x55');
    QByteArray wrongEcho = data, wrongAddress = data;
    wrongEcho[1] = static_cast<char>(0xA1);
    wrongAddress[2] = 0x30;
    // Several bits: 0x81 wins over 0x82, and 0x82 over 0x84.
    const std::pair<QByteArray, AdapterReply> cases[] = {
        {Bytes({0x01, 0x80}), AdapterReply::WriteAcknowledged}, {Bytes({0x01, 0x81}), AdapterReply::NoChip}, {Bytes({0x01, 0x83}), AdapterReply::NoChip}, {Bytes({0x01, 0x85}), AdapterReply::NoChip}, {Bytes({0x01, 0x82}), AdapterReply::ChipNotAnswering}, {Bytes({0x01, 0x86}), AdapterReply::ChipNotAnswering}, {Bytes({0x01, 0x84}), AdapterReply::TransmissionError}, {Bytes({0x01, 0x01}), AdapterReply::UnexpectedStatus}, {Bytes({0x01}), AdapterReply::Unexpected}, {Bytes({0x02, 0xA1}), AdapterReply::OldAdapter}, {data, AdapterReply::ReadData}, {wrongEcho, AdapterReply::Unexpected}, {wrongAddress, AdapterReply::Unexpected}, {data.left(18), AdapterReply::Unexpected}, {data + Bytes({0}), AdapterReply::Unexpected}};
    for (const auto& [reply, kind] : cases) EXPECT_EQ(ClassifyAdapterReply(reply, request), kind) << reply.toHex(' ').toStdString();
    EXPECT_EQ(ReadReplyData(data), QByteArray(16, '\x55'));
    EXPECT_EQ(HexLine(Bytes({0x12, 0xA1, 0x00, 0x0A, 0xFF})), QStringLiteral(" 12 A1 0 A FF"));
    EXPECT_EQ(HexLine(Bytes({1, 2, 3, 4}), 1, 2), QStringLiteral(" 2 3"));
}

TEST(ReceiveReply, EndsByLengthOrSilence)
{
    const QByteArray data = Bytes({0x12, 0xA1, 0x00}) + QByteArray(16, '\x07');
    // pieces: sent one after the other from the adapter's side
    const struct {
        const char* name;
        std::vector<QByteArray> pieces;
        int gapMs, result;
        QByteArray reply, leftOver;
    } cases[] = {
        // The stray byte comes within the silence, yet is not part of the status.
        {"status", {Bytes({0x01, 0x80}), Bytes({0x33})}, 40, 0, Bytes({0x01, 0x80}), Bytes({0x33})},
        {"data in pieces", {data.left(5), data.mid(5, 9), data.mid(14)}, 30, 0, data, {}},
        {"no length byte", {Bytes({0x02}), Bytes({0xA1}), Bytes({0x44})}, 40, 0, Bytes({0x02, 0xA1, 0x44}), {}},
        {"short data", {Bytes({0x12, 0xA1, 0x00, 0x01})}, 10, 0, Bytes({0x12, 0xA1, 0x00, 0x01}), {}},
        {"first byte too late", {Bytes({0x01, 0x80})}, 700, 1, {}, Bytes({0x01, 0x80})}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto [port, adapter] = MemoryBytePort::makePair();
        port->open();
        adapter->open();
        std::thread sender([&, a = adapter.get()] {
            for (const QByteArray& p : c.pieces) {
                std::this_thread::sleep_for(std::chrono::milliseconds(c.gapMs));
                a->write(p);
            }
        });
        QByteArray reply("old");
        int idleCalls = 0;
        EXPECT_EQ(ReceiveReply(*port, reply, {}, [&] { ++idleCalls; }), c.result);
        sender.join();
        EXPECT_EQ(std::pair(reply, port->readAll()), std::pair(c.reply, c.leftOver));
        EXPECT_GT(idleCalls, 0);
    }
}

} // namespace
