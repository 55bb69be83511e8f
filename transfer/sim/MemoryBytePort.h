#pragma once

#include "transfer/BytePort.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace zendrik {

// One end of an in-memory byte line. Two ends made by makePair() are wired
// to each other: what one writes, the other receives. Both ends may be used
// from different threads, so a device stand-in can answer from its own.
class MemoryBytePort : public BytePort {
public:
    struct Line;

    static std::pair<std::unique_ptr<MemoryBytePort>, std::unique_ptr<MemoryBytePort>> makePair();

    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    qint64 bytesAvailable() override;
    QByteArray readAll() override;
    bool waitForBytes(qint64 count, int timeoutMs) override;
    void discardInput() override;
    QString errorString() const override;

    MemoryBytePort(std::shared_ptr<Line> line, int side);

private:
    std::shared_ptr<Line> line_;
    int side_;
    bool open_ = false;
    QString error_;
};

} // namespace zendrik
