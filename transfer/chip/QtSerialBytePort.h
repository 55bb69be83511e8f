#pragma once

#include "transfer/BytePort.h"

#include <QSerialPort>

namespace zendrik {

// The device a port name stands for: a name with a slash, or one that names
// a file in the current directory, is that path (made absolute); a bare
// name such as ttyUSB0 is the device of that name under /dev.
QString SerialDevicePath(const QString& name);

// A serial port at 9600 baud, 8 data bits, no parity, one stop bit, no flow
// control: the line settings of the programming adapter. The device is any
// path the system offers (/dev/ttyS0, /dev/ttyUSB0, a pseudo terminal).
class QtSerialBytePort : public BytePort {
public:
    explicit QtSerialBytePort(QString devicePath);
    ~QtSerialBytePort() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesAvailable() override;
    QByteArray readAll() override;
    bool waitForBytes(qint64 count, int timeoutMs) override;
    void discardInput() override;
    QString errorString() const override;

    const QString& devicePath() const { return devicePath_; }

private:
    QString devicePath_;
    QSerialPort port_;
    QString error_;
};

} // namespace zendrik
