#include "transfer/sim/MemoryBytePort.h"

#include <chrono>

namespace zendrik {

struct MemoryBytePort::Line {
    std::mutex mutex;
    std::condition_variable arrived;
    QByteArray inbox[2]; // bytes waiting to be read by side 0 and side 1
};

std::pair<std::unique_ptr<MemoryBytePort>, std::unique_ptr<MemoryBytePort>> MemoryBytePort::makePair()
{
    auto line = std::make_shared<Line>();
    return {std::make_unique<MemoryBytePort>(line, 0), std::make_unique<MemoryBytePort>(line, 1)};
}

MemoryBytePort::MemoryBytePort(std::shared_ptr<Line> line, int side) : line_(std::move(line)), side_(side) { }

bool MemoryBytePort::open()
{
    open_ = true;
    return true;
}

void MemoryBytePort::close()
{
    open_ = false;
}

bool MemoryBytePort::isOpen() const
{
    return open_;
}

bool MemoryBytePort::write(const QByteArray& bytes)
{
    if (!open_) {
        error_ = QStringLiteral("line not open");
        return false;
    }
    {
        const std::lock_guard lock(line_->mutex);
        line_->inbox[1 - side_] += bytes;
    }
    line_->arrived.notify_all();
    return true;
}

qint64 MemoryBytePort::bytesAvailable()
{
    const std::lock_guard lock(line_->mutex);
    return line_->inbox[side_].size();
}

QByteArray MemoryBytePort::readAll()
{
    const std::lock_guard lock(line_->mutex);
    QByteArray bytes;
    bytes.swap(line_->inbox[side_]);
    return bytes;
}

bool MemoryBytePort::waitForBytes(qint64 count, int timeoutMs)
{
    std::unique_lock lock(line_->mutex);
    return line_->arrived.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                                   [&] { return line_->inbox[side_].size() >= count; });
}

void MemoryBytePort::discardInput()
{
    const std::lock_guard lock(line_->mutex);
    line_->inbox[side_].clear();
}

QString MemoryBytePort::errorString() const
{
    return error_;
}

} // namespace zendrik
