#pragma once

#include <QByteArray>
#include <QString>

namespace zendrik {

// A byte line to a device: the serial port of a programming adapter, or
// whatever stands in for it. The transfer protocols only need these few
// operations, so one protocol engine serves real hardware and tests alike.
class BytePort {
public:
    virtual ~BytePort() = default;

    // Opens the line; false (with errorString()) when it cannot be opened.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Hands all bytes to the line; false when the line refused them.
    virtual bool write(const QByteArray& bytes) = 0;
    // Bytes received and not read yet.
    virtual qint64 bytesAvailable() = 0;
    // Takes every received byte.
    virtual QByteArray readAll() = 0;
    // Waits until at least `count` bytes are available or `timeoutMs` have
    // passed; returns whether they are available.
    virtual bool waitForBytes(qint64 count, int timeoutMs) = 0;
    // Drops everything received so far, also what the line still holds.
    virtual void discardInput() = 0;

    virtual QString errorString() const = 0;
};

} // namespace zendrik
