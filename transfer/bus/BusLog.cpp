#include "transfer/bus/BusLog.h"

#include "util/Cp1252.h"

namespace zendrik {

bool BusLog::start(const QString& path)
{
    close();
    lines_.clear();
    error_.clear();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        return false;
    }
    return true;
}

void BusLog::line(const QString& text)
{
    lines_ << text;
    if (file_.isOpen())
        file_.write(Cp1252::encode(text) + "\r\n");
}

void BusLog::close()
{
    if (file_.isOpen())
        file_.close();
}

} // namespace zendrik
