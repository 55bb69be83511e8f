#include "transfer/chip/QtSerialBytePort.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace zendrik {

namespace {

// Time a write may take to reach the driver: 64 bytes at 9600 baud are gone
// in under 70 ms, so a second means the line is stuck.
constexpr int kWriteTimeoutMs = 1000;

} // namespace

QString SerialDevicePath(const QString& name)
{
    if (name.isEmpty())
        return name;
    const QFileInfo info(name);
    if (name.contains(QLatin1Char('/')) || info.exists())
        return info.absoluteFilePath();
    return QStringLiteral("/dev/") + name;
}

QtSerialBytePort::QtSerialBytePort(QString devicePath) : devicePath_(std::move(devicePath)) { }

QtSerialBytePort::~QtSerialBytePort()
{
    close();
}

bool QtSerialBytePort::open()
{
    if (port_.isOpen())
        return true;
    port_.setPortName(devicePath_);
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = port_.errorString();
        return false;
    }
    const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8)
        && port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        error_ = port_.errorString();
        port_.close();
        return false;
    }
    error_.clear();
    return true;
}

void QtSerialBytePort::close()
{
    if (port_.isOpen())
        port_.close();
}

bool QtSerialBytePort::isOpen() const
{
    return port_.isOpen();
}

bool QtSerialBytePort::write(const QByteArray& bytes)
{
    if (port_.write(bytes) != bytes.size()) {
        error_ = port_.errorString();
        return false;
    }
    // Without an event loop the bytes leave Qt's buffer only when asked to.
    const QDeadlineTimer deadline(kWriteTimeoutMs);
    while (port_.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            error_ = port_.errorString();
            return false;
        }
    }
    return true;
}

qint64 QtSerialBytePort::bytesAvailable()
{
    return port_.bytesAvailable();
}

QByteArray QtSerialBytePort::readAll()
{
    return port_.readAll();
}

bool QtSerialBytePort::waitForBytes(qint64 count, int timeoutMs)
{
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    while (port_.bytesAvailable() < count) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            break;
        // Returns at once when the driver holds unread bytes, else when new
        // ones come or the time is up.
        if (!port_.waitForReadyRead(static_cast<int>(remaining)))
            break;
    }
    return port_.bytesAvailable() >= count;
}

void QtSerialBytePort::discardInput()
{
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

QString QtSerialBytePort::errorString() const
{
    return error_;
}

} // namespace zendrik
