// What the bus transfer relies on of every link to the BCU, written once and
// run on each way of reaching the bus: the simulated bus, a KNXnet/IP
// tunnel through knxd with zendrik-bus-device as the time switch on the line,
// and the KNXnet/IP routing group with knxd as the router to that line.
// Both are opened by their connection text, as the program opens them.

#include "tests/knx/KnxdHarness.h"
#include "tests/knx/KnxdRouter.h"

#include "tests/support/TestPrograms.h"
#include "transfer/bus/BusClock.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibLink.h"
#include "transfer/links/OpenEibLink.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr quint16 kSwitch = 0x1105; // the emulated time switch 1.1.5; nothing answers at 1.1.9

class EibLinkContract : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        const QString line = QDir(dir.path()).filePath(QStringLiteral("line.ini"));
        ASSERT_TRUE(writeFile(line, "[bus]\npacing = off\n[device 1.1.5]\n"));
        if (QByteArray(GetParam()) == "sim") {
            connection = QStringLiteral("sim:line.ini");
        } else if (QByteArray(GetParam()) == "routing") {
            // Paced: knxd puts frames on the group at a line's pace.
            ASSERT_TRUE(router.start()) << router.failure().toStdString();
            ASSERT_TRUE(device.start({QStringLiteral("--link"), router.tunnelLink(), line}, dir.path()))
                << device.failure().toStdString();
            connection = router.routingLink();
        } else {
            ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
            ASSERT_TRUE(device.start({QStringLiteral("--link"), knxd.link(), line}, dir.path()))
                << device.failure().toStdString();
            connection = knxd.link() + QStringLiteral(",unpaced");
        }
        QString error;
        link = OpenEibLink(connection, dir.path(), &error);
        ASSERT_TRUE(link) << error.toStdString();
    }
    bool withinTwoSeconds(std::int64_t startUs) const { return link->clock().nowUs() - startUs < 2'000'000; }
    // Sends a frame and polls until the BCU confirms it (two seconds at most).
    bool sendConfirmed(const QByteArray& frame)
    {
        if (link->send(frame) != 0)
            return false;
        for (const std::int64_t start = link->clock().nowUs(); withinTwoSeconds(start); link->clock().idle()) {
            bool done = false;
            if (link->pollConfirm(&done) != 0)
                return false;
            if (done)
                return true;
        }
        return false;
    }
    // The next frame the BCU passes up within two seconds, as long as its
    // length byte says; empty when none comes.
    QByteArray next()
    {
        for (const std::int64_t start = link->clock().nowUs(); withinTwoSeconds(start); link->clock().idle()) {
            QByteArray buffer;
            EXPECT_EQ(link->receive(buffer), 0);
            EXPECT_EQ(buffer.size(), kReceiveBufferSize);
            if (!buffer.isEmpty() && buffer.at(0) != 0)
                return buffer.left(static_cast<quint8>(buffer.at(0)) + 1);
        }
        return {};
    }
    // A device's telegram without the destination (the link's own address).
    QByteArray nextFromDevice()
    {
        const QByteArray f = next();
        return f.left(5) + f.mid(7);
    }
    void expectNotOpen()
    {
        bool done = true;
        QByteArray buffer;
        EXPECT_EQ(link->resetLink(), LinkNotOpen);
        EXPECT_EQ(link->resetBcu(), LinkNotOpen);
        EXPECT_EQ(link->changeLayer(150), LinkNotOpen);
        EXPECT_EQ(link->send(EibFrame::localRead(1, 0x0116)), LinkNotOpen);
        EXPECT_EQ(link->pollConfirm(&done), LinkNotOpen);
        EXPECT_FALSE(done);
        EXPECT_EQ(link->receive(buffer), LinkNotOpen);
        EXPECT_EQ(buffer, QByteArray(kReceiveBufferSize, '\0'));
    }
    int open() { return link->install(0, 9600, 2000, 500, 0); }

    QTemporaryDir dir;
    Knxd knxd;
    KnxdRouter router;
    BusDevice device;
    QString connection;
    std::unique_ptr<EibLink> link;
};

std::string hex(const QByteArray& b)
{
    return b.toHex(' ').toStdString();
}

TEST_P(EibLinkContract, CallsBeforeInstallOrAfterCloseAnswerLinkNotOpen)
{
    EXPECT_EQ(link->name(), connection);
    expectNotOpen();
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(link->close(), 0);
    expectNotOpen();
    EXPECT_EQ(link->close(), 0);
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(link->resetLink(), 0);
    link->close();
}

TEST_P(EibLinkContract, TheLocalBcuMemoryIsReadAndWrittenAndKeptOverAReopen)
{
    ASSERT_EQ(open(), 0);
    ASSERT_EQ(link->resetLink(), 0);
    ASSERT_EQ(link->resetBcu(), 0);
    ASSERT_EQ(link->changeLayer(150), 0);
    EXPECT_EQ(hex(next()), ""); // nothing pending
    ASSERT_TRUE(sendConfirmed(EibFrame::localRead(1, 0x0116)));
    EXPECT_EQ(hex(next()), "05 4b 01 01 16 01");
    ASSERT_TRUE(sendConfirmed(EibFrame::localWrite(0x0115, QByteArray::fromHex("0705"))));
    EXPECT_EQ(hex(next()), ""); // a write has no answer
    link->close();
    ASSERT_EQ(open(), 0);
    ASSERT_TRUE(sendConfirmed(EibFrame::localRead(2, 0x0115)));
    EXPECT_EQ(hex(next()), "06 4b 02 01 15 07 05");
    // Frames the BCU cannot take: a wrong length byte, a cut read, an unknown kind.
    for (const QByteArray& bad : {QByteArray::fromHex("054c010116"), QByteArray::fromHex("034c0101"),
                                  QByteArray::fromHex("0499010116")})
        EXPECT_EQ(link->send(bad), LinkBadFrame) << hex(bad);
    // The pauses of the transfer pass on the link's clock.
    const std::int64_t before = link->clock().nowUs();
    link->clock().sleepUs(50'000);
    EXPECT_GE(link->clock().nowUs() - before, 50'000);
    // What the link noticed is told once, each note with its text.
    for (const LinkNote& note : link->takeNotes())
        EXPECT_NE(note.text, nullptr);
    EXPECT_TRUE(link->takeNotes().empty());
    link->close();
}

TEST_P(EibLinkContract, TelegramsGoOverTheConnectionAndOnlyTheDeviceAnswers)
{
    ASSERT_EQ(open(), 0);
    ASSERT_TRUE(sendConfirmed(EibFrame::connect(kSwitch)));
    // Each answer from 1.1.5 with its sequence number counting up; the
    // second request goes out before the first answer was taken.
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::maskRead())));
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::memoryRead(3, 0x0104))));
    EXPECT_EQ(hex(nextFromDevice()), "0b 39 b0 11 05 63 43 40 00 12");
    EXPECT_EQ(hex(nextFromDevice()), "0e 39 b0 11 05 66 46 43 01 04 7e 07 38");
    // Nine bytes of the application are more than one access serves (count
    // 0); the mailbox is served whole, ten bytes of it are not.
    const struct {
        int count;
        quint16 address;
        const char* answer;
    } reads[] = {
        {9, 0x0107, "0b 39 b0 11 05 63 4a 40 01 07"},
        {9, 0x00CE, "14 39 b0 11 05 6c 4e 49 00 ce ff ff ff ff ff ff ff ff ff"},
        {10, 0x00CE, "0b 39 b0 11 05 63 52 40 00 ce"},
    };
    for (const auto& r : reads) {
        ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::memoryRead(r.count, r.address))));
        EXPECT_EQ(hex(nextFromDevice()), r.answer) << r.count << " at " << r.address;
    }
    // After the disconnect nothing goes out, and nothing comes back.
    ASSERT_TRUE(sendConfirmed(EibFrame::disconnect()));
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::maskRead())));
    EXPECT_EQ(hex(next()), "");
    // Where no device is, the frames are confirmed and no answer comes.
    ASSERT_TRUE(sendConfirmed(EibFrame::connect(0x1109)));
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::maskRead())));
    EXPECT_EQ(hex(next()), "");
    link->close();
}

INSTANTIATE_TEST_SUITE_P(Links, EibLinkContract, ::testing::Values("sim", "knxd", "routing"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

} // namespace
