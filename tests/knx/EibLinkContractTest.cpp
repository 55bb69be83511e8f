// What the bus transfer relies on of every link to the BCU, on the simulated bus, through knxd's tunnel
// and through the routing group with knxd as the router, with zendrik-bus-device on the line, each
// opened by its connection text.

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

std::string hex(const QByteArray& b) { return b.toHex(' ').toStdString(); }

class EibLinkContract : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        const QString line = QDir(dir.path()).filePath(QStringLiteral("line.ini"));
        ASSERT_TRUE(writeFile(line, "[bus]\npacing = off\n[device 1.1.5]\n"));
        connection = QStringLiteral("sim:line.ini");
        if (QByteArray(GetParam()) == "routing") {
            // Paced: knxd puts frames on the group at a line's pace.
            ASSERT_TRUE(router.start()) << router.failure().toStdString();
            ASSERT_TRUE(device.start({QStringLiteral("--link"), router.tunnelLink(), line}, dir.path())) << device.failure().toStdString();
            connection = router.routingLink();
        }
        if (QByteArray(GetParam()) == "knxd") {
            ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
            ASSERT_TRUE(device.start({QStringLiteral("--link"), knxd.link(), line}, dir.path())) << device.failure().toStdString();
            connection = knxd.link() + QStringLiteral(",unpaced");
        }
        QString error;
        link = OpenEibLink(connection, dir.path(), &error);
        ASSERT_TRUE(link) << error.toStdString();
    }
    // Polls until `step` says done or fails, for two seconds at most.
    template <class Step>
    bool within2s(Step step)
    {
        for (const std::int64_t start = link->clock().nowUs(); link->clock().nowUs() - start < 2'000'000; link->clock().idle())
            if (const int r = step()) return r > 0;
        return false;
    }
    // Sends a frame and waits for the BCU's confirmation.
    bool sendConfirmed(const QByteArray& frame)
    {
        bool done = false;
        return link->send(frame) == 0 && within2s([&] { return link->pollConfirm(&done) != 0 ? -1 : int(done); });
    }
    // The next frame the BCU passes up, as long as its length byte says; empty when none comes.
    // `fromDevice` drops the destination (the link's own address).
    std::string next(bool fromDevice = false)
    {
        QByteArray buffer;
        within2s([&] {
            EXPECT_EQ(link->receive(buffer), 0);
            EXPECT_EQ(buffer.size(), kReceiveBufferSize);
            return int(!buffer.isEmpty() && buffer.at(0) != 0);
        });
        const QByteArray f = buffer.isEmpty() || !buffer.at(0) ? QByteArray() : buffer.left(static_cast<quint8>(buffer.at(0)) + 1);
        return hex(fromDevice ? f.left(5) + f.mid(7) : f);
    }
    void expectNotOpen()
    {
        bool done = true;
        QByteArray buffer;
        for (const int r : {link->resetLink(), link->resetBcu(), link->changeLayer(150), link->send(EibFrame::localRead(1, 0x0116)),
                            link->pollConfirm(&done), link->receive(buffer)})
            EXPECT_EQ(r, LinkNotOpen);
        EXPECT_FALSE(done);
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

TEST_P(EibLinkContract, TheLocalBcuMemoryIsReadAndWrittenAndKeptOverAReopenAndClosedLinksRefuseEveryCall)
{
    // Calls before the install or after a close answer "not open"; closing twice is harmless.
    EXPECT_EQ(link->name(), connection);
    expectNotOpen();
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(link->close(), 0);
    expectNotOpen();
    EXPECT_EQ(link->close(), 0);
    ASSERT_EQ(open(), 0);
    for (const int r : {link->resetLink(), link->resetBcu(), link->changeLayer(150)}) ASSERT_EQ(r, 0);
    EXPECT_EQ(next(), ""); // nothing pending
    ASSERT_TRUE(sendConfirmed(EibFrame::localRead(1, 0x0116)));
    EXPECT_EQ(next(), "05 4b 01 01 16 01");
    ASSERT_TRUE(sendConfirmed(EibFrame::localWrite(0x0115, QByteArray::fromHex("0705"))));
    EXPECT_EQ(next(), ""); // a write has no answer
    link->close();
    ASSERT_EQ(open(), 0);
    ASSERT_TRUE(sendConfirmed(EibFrame::localRead(2, 0x0115)));
    EXPECT_EQ(next(), "06 4b 02 01 15 07 05");
    // Frames the BCU cannot take: a wrong length byte, a cut read, an unknown kind.
    for (const char* bad : {"054c010116", "034c0101", "0499010116"}) EXPECT_EQ(link->send(QByteArray::fromHex(bad)), LinkBadFrame) << bad;
    // The pauses of the transfer pass on the link's clock.
    const std::int64_t before = link->clock().nowUs();
    link->clock().sleepUs(50'000);
    EXPECT_GE(link->clock().nowUs() - before, 50'000);
    // What the link noticed is told once, each note with its text.
    for (const LinkNote& note : link->takeNotes()) EXPECT_NE(note.text, nullptr);
    EXPECT_TRUE(link->takeNotes().empty());
    link->close();
}

TEST_P(EibLinkContract, TelegramsGoOverTheConnectionAndOnlyTheDeviceAnswers)
{
    ASSERT_EQ(open(), 0);
    ASSERT_TRUE(sendConfirmed(EibFrame::connect(0x1105)));
    // Answers from 1.1.5 with sequence numbers counting up; the second
    // request goes out before the first answer was taken.
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::maskRead())));
    ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::memoryRead(3, 0x0104))));
    EXPECT_EQ(next(true), "0b 39 b0 11 05 63 43 40 00 12");
    EXPECT_EQ(next(true), "0e 39 b0 11 05 66 46 43 01 04 7e 07 38");
    // Nine bytes of the application are more than one access serves (count
    // 0); the mailbox is served whole, ten bytes of it are not.
    const struct {
        int count;
        quint16 address;
        const char* answer;
    } reads[] = {{9, 0x0107, "0b 39 b0 11 05 63 4a 40 01 07"},
                 {9, 0x00CE, "14 39 b0 11 05 6c 4e 49 00 ce ff ff ff ff ff ff ff ff ff"},
                 {10, 0x00CE, "0b 39 b0 11 05 63 52 40 00 ce"}};
    for (const auto& r : reads) {
        ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::memoryRead(r.count, r.address))));
        EXPECT_EQ(next(true), r.answer) << r.count << " at " << r.address;
    }
    // After the disconnect, and where no device is (1.1.9), the frames are
    // confirmed and nothing comes back.
    for (const quint16 partner : {0, 0x1109}) {
        ASSERT_TRUE(sendConfirmed(partner ? EibFrame::connect(partner) : EibFrame::disconnect()));
        ASSERT_TRUE(sendConfirmed(EibFrame::data(Apci::maskRead())));
        EXPECT_EQ(next(), "");
    }
    link->close();
}

INSTANTIATE_TEST_SUITE_P(Links, EibLinkContract, ::testing::Values("sim", "knxd", "routing"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

} // namespace
