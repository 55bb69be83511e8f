// One contract, every byte port: what the protocol engines rely on.

#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/sim/MemoryBytePort.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <thread>

using namespace zendrik;

namespace {

// A port under test and its far end: what the device would send and see.
struct Harness {
    std::unique_ptr<BytePort> port;
    std::function<void(const QByteArray&)> send;
    // Everything the port sent, waiting up to `timeoutMs` for `count` bytes.
    std::function<QByteArray(int count, int timeoutMs)> receive;
    QString skip;
};

Harness memoryHarness()
{
    auto [port, end] = MemoryBytePort::makePair();
    std::shared_ptr<MemoryBytePort> far(std::move(end));
    far->open();
    return {std::move(port), [far](const QByteArray& b) { far->write(b); }, [far](int count, int timeoutMs) { return far->waitForBytes(count, timeoutMs), far->readAll(); }, {}};
}

struct Pty {
    int master = -1, slave = -1;
    ~Pty() { ::close(slave), ::close(master); }
};

// The port opens the slave of a pseudo terminal through the same serial-port
// code as real hardware; the test speaks on the master side.
Harness serialOnPtyHarness()
{
    auto pty = std::make_shared<Pty>();
    pty->master = posix_openpt(O_RDWR | O_NOCTTY);
    termios t{};
    if (pty->master < 0 || grantpt(pty->master) != 0 || unlockpt(pty->master) != 0
        || (pty->slave = ::open(ptsname(pty->master), O_RDWR | O_NOCTTY)) < 0 || tcgetattr(pty->slave, &t) != 0)
        return {nullptr, {}, {}, QStringLiteral("no pseudo terminal can be made here")};
    cfmakeraw(&t);
    tcsetattr(pty->slave, TCSANOW, &t);
    return {std::make_unique<QtSerialBytePort>(QString::fromLocal8Bit(ptsname(pty->master))),
            [pty](const QByteArray& b) { EXPECT_EQ(::write(pty->master, b.constData(), b.size()), b.size()); },
            [pty](int count, int timeoutMs) {
                QByteArray got;
                QElapsedTimer t;
                t.start();
                while (got.size() < count && t.elapsed() < timeoutMs) {
                    pollfd p{pty->master, POLLIN, 0};
                    char buf[256];
                    const ssize_t n = poll(&p, 1, 10) > 0 ? ::read(pty->master, buf, sizeof buf) : 0;
                    if (n > 0) got.append(buf, n);
                }
                return got;
            },
            {}};
}

class BytePortContract : public ::testing::TestWithParam<Harness (*)()> {
protected:
    void SetUp() override
    {
        h = GetParam()();
        if (!h.skip.isEmpty()) GTEST_SKIP() << h.skip.toStdString();
        ASSERT_TRUE(h.port->open()) << h.port->errorString().toStdString();
    }

    Harness h;
};

TEST_P(BytePortContract, CarriesEveryByteValueBothWaysAndDiscardsWhatCameBefore)
{
    // Line ends, XON/XOFF and NUL must pass as plain data.
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    ASSERT_TRUE(h.port->write(bytes));
    EXPECT_EQ(h.receive(256, 2000), bytes);
    h.send(bytes);
    ASSERT_TRUE(h.port->waitForBytes(256, 2000));
    EXPECT_EQ(h.port->bytesAvailable(), 256);
    h.port->discardInput();
    EXPECT_EQ(h.port->bytesAvailable(), 0);
    h.send(bytes);
    ASSERT_TRUE(h.port->waitForBytes(256, 2000));
    EXPECT_EQ(h.port->readAll(), bytes);
    EXPECT_EQ(h.port->bytesAvailable(), 0);
}

TEST_P(BytePortContract, WaitReturnsWhenTheBytesComeOrTimesOutAndThePortOpensAgain)
{
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(h.port->waitForBytes(1, 150));
    EXPECT_GE(t.elapsed(), 140);
    std::thread sender([&] {
        for (const char* b : {"\x01", "\x80"}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            h.send(QByteArray(b, 1));
        }
    });
    t.restart();
    const bool both = h.port->waitForBytes(2, 3000);
    const qint64 waited = t.elapsed();
    sender.join();
    EXPECT_TRUE(both && waited >= 50 && waited < 2500) << waited;
    // Bytes already there count.
    EXPECT_TRUE(h.port->waitForBytes(2, 0));
    EXPECT_FALSE(h.port->waitForBytes(3, 50));
    EXPECT_EQ(h.port->readAll(), QByteArray("\x01\x80", 2));

    h.port->close();
    EXPECT_FALSE(h.port->isOpen());
    ASSERT_TRUE(h.port->open());
    ASSERT_TRUE(h.port->write(QByteArray("x")));
    EXPECT_EQ(h.receive(1, 2000), QByteArray("x"));
}

INSTANTIATE_TEST_SUITE_P(Memory, BytePortContract, ::testing::Values(&memoryHarness));
INSTANTIATE_TEST_SUITE_P(SerialPortOnPty, BytePortContract, ::testing::Values(&serialOnPtyHarness));

TEST(QtSerialBytePort, MissingDeviceCannotBeOpened)
{
    QtSerialBytePort port(QStringLiteral("/dev/zendrik-no-such-port"));
    EXPECT_FALSE(port.open() || port.isOpen() || port.errorString().isEmpty());
}

} // namespace
