// One contract, every byte port: what the protocol engines rely on.

#include "transfer/MemoryBytePort.h"
#include "transfer/QtSerialBytePort.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <memory>
#include <thread>

using namespace zendrik;

namespace {

// The far end of a port under test: what the device would send and see.
class FarEnd {
public:
    virtual ~FarEnd() = default;
    virtual void send(const QByteArray& bytes) = 0;
    // Everything the port sent, waiting up to `timeoutMs` for `count` bytes.
    virtual QByteArray receive(int count, int timeoutMs) = 0;
};

struct Harness {
    std::unique_ptr<BytePort> port;
    std::unique_ptr<FarEnd> far;
    QString skip;
};

class MemoryFarEnd : public FarEnd {
public:
    explicit MemoryFarEnd(std::unique_ptr<MemoryBytePort> end) : end_(std::move(end)) { end_->open(); }
    void send(const QByteArray& bytes) override { end_->write(bytes); }
    QByteArray receive(int count, int timeoutMs) override
    {
        end_->waitForBytes(count, timeoutMs);
        return end_->readAll();
    }

private:
    std::unique_ptr<MemoryBytePort> end_;
};

// The master side of a pseudo terminal: the port opens its slave path
// through the same serial-port code as real hardware.
class PtyFarEnd : public FarEnd {
public:
    ~PtyFarEnd() override
    {
        if (slave_ >= 0)
            ::close(slave_);
        if (master_ >= 0)
            ::close(master_);
    }

    QString open()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return {};
        const QString path = QString::fromLocal8Bit(ptsname(master_));
        slave_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios t{};
        if (slave_ < 0 || tcgetattr(slave_, &t) != 0)
            return {};
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
        return path;
    }

    void send(const QByteArray& bytes) override { ASSERT_EQ(::write(master_, bytes.constData(), bytes.size()), bytes.size()); }

    QByteArray receive(int count, int timeoutMs) override
    {
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (got.size() < count && t.elapsed() < timeoutMs) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) > 0) {
                char buf[256];
                const ssize_t n = ::read(master_, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, n);
            }
        }
        return got;
    }

private:
    int master_ = -1;
    int slave_ = -1;
};

using HarnessFactory = Harness (*)();

Harness memoryHarness()
{
    auto [a, b] = MemoryBytePort::makePair();
    return {std::move(a), std::make_unique<MemoryFarEnd>(std::move(b)), {}};
}

Harness serialOnPtyHarness()
{
    auto far = std::make_unique<PtyFarEnd>();
    const QString path = far->open();
    if (path.isEmpty())
        return {nullptr, nullptr, QStringLiteral("no pseudo terminal can be made here")};
    return {std::make_unique<QtSerialBytePort>(path), std::move(far), {}};
}

class BytePortContract : public ::testing::TestWithParam<HarnessFactory> {
protected:
    void SetUp() override
    {
        h = GetParam()();
        if (!h.skip.isEmpty())
            GTEST_SKIP() << h.skip.toStdString();
        ASSERT_TRUE(h.port->open()) << h.port->errorString().toStdString();
    }

    Harness h;
};

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

TEST_P(BytePortContract, CarriesEveryByteValueUnchangedBothWays)
{
    // Line ends, XON/XOFF and NUL must pass as plain data.
    const QByteArray bytes = allByteValues();
    ASSERT_TRUE(h.port->write(bytes));
    EXPECT_EQ(h.far->receive(256, 2000), bytes);

    h.far->send(bytes);
    ASSERT_TRUE(h.port->waitForBytes(256, 2000));
    EXPECT_EQ(h.port->bytesAvailable(), 256);
    EXPECT_EQ(h.port->readAll(), bytes);
    EXPECT_EQ(h.port->bytesAvailable(), 0);
}

TEST_P(BytePortContract, WaitTimesOutWithoutBytes)
{
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(h.port->waitForBytes(1, 150));
    EXPECT_GE(t.elapsed(), 140);
    EXPECT_EQ(h.port->readAll(), QByteArray());
}

TEST_P(BytePortContract, WaitReturnsWhenTheBytesComeAndNotBefore)
{
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        h.far->send(QByteArray("\x01", 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        h.far->send(QByteArray("\x80", 1));
    });
    QElapsedTimer t;
    t.start();
    const bool both = h.port->waitForBytes(2, 3000);
    const qint64 waited = t.elapsed();
    sender.join();
    EXPECT_TRUE(both);
    EXPECT_GE(waited, 50);
    EXPECT_LT(waited, 2500);
    EXPECT_EQ(h.port->readAll(), QByteArray("\x01\x80", 2));
}

TEST_P(BytePortContract, WaitCountsBytesAlreadyThere)
{
    h.far->send(QByteArray("abc"));
    ASSERT_TRUE(h.port->waitForBytes(3, 2000));
    EXPECT_TRUE(h.port->waitForBytes(2, 0));
    EXPECT_FALSE(h.port->waitForBytes(4, 50));
}

TEST_P(BytePortContract, DiscardDropsWhatCameBefore)
{
    h.far->send(QByteArray("stale"));
    ASSERT_TRUE(h.port->waitForBytes(5, 2000));
    h.port->discardInput();
    EXPECT_EQ(h.port->bytesAvailable(), 0);
    h.far->send(QByteArray("new"));
    ASSERT_TRUE(h.port->waitForBytes(3, 2000));
    EXPECT_EQ(h.port->readAll(), QByteArray("new"));
}

TEST_P(BytePortContract, ClosesAndOpensAgain)
{
    EXPECT_TRUE(h.port->isOpen());
    h.port->close();
    EXPECT_FALSE(h.port->isOpen());
    ASSERT_TRUE(h.port->open());
    ASSERT_TRUE(h.port->write(QByteArray("x")));
    EXPECT_EQ(h.far->receive(1, 2000), QByteArray("x"));
}

INSTANTIATE_TEST_SUITE_P(Memory, BytePortContract, ::testing::Values(&memoryHarness));
INSTANTIATE_TEST_SUITE_P(SerialPortOnPty, BytePortContract, ::testing::Values(&serialOnPtyHarness));

TEST(QtSerialBytePort, MissingDeviceCannotBeOpened)
{
    QtSerialBytePort port(QStringLiteral("/dev/zendrik-no-such-port"));
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.errorString().isEmpty());
    EXPECT_FALSE(port.isOpen());
}

} // namespace
