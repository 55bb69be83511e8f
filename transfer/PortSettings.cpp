#include "transfer/PortSettings.h"

#include "model/DeviceSettings.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QFile>
#include <QList>

namespace zendrik {

namespace {

constexpr qint64 kMaxPortFileSize = 64 * 1024;

} // namespace

QByteArray PortSettingsText(const DeviceSettings& d)
{
    QByteArray out;
    out += "COM1=" + QFile::encodeName(d.SerialPort1) + "\r\n";
    out += "COM2=" + QFile::encodeName(d.SerialPort2) + "\r\n";
    out += "ADAPTERTOOL=" + d.AdapterTool.toUtf8() + "\r\n";
    out += "IRTOOL=" + d.IrTool.toUtf8() + "\r\n";
    out += "IRTIMEOUT=" + QByteArray::number(d.IrTimeout) + "\r\n";
    out += QByteArray("VERIFY=") + (d.VerifyWholeChip ? "1" : "0") + "\r\n";
    out += "BUS1=" + d.BusLink1.toUtf8() + "\r\n";
    if (!d.BusLink2.isEmpty())
        out += "BUS2=" + d.BusLink2.toUtf8() + "\r\n";
    return out;
}

void ParsePortSettings(const QByteArray& text, DeviceSettings& d)
{
    const QList<QByteArray> lines = SplitLines(text);
    for (QByteArray line : lines) {
        line = line.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq).trimmed().toUpper();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (key == "COM1" && !value.isEmpty())
            d.SerialPort1 = QFile::decodeName(value);
        else if (key == "COM2" && !value.isEmpty())
            d.SerialPort2 = QFile::decodeName(value);
        else if (key == "ADAPTERTOOL" && !value.isEmpty())
            d.AdapterTool = QString::fromUtf8(value);
        else if (key == "IRTOOL") // empty: the user took the tool away
            d.IrTool = QString::fromUtf8(value);
        else if (key == "IRTIMEOUT" && value.toInt() >= kMinIrTimeout && value.toInt() <= kMaxIrTimeout)
            d.IrTimeout = value.toInt();
        else if (key == "BUS1" && !value.isEmpty())
            d.BusLink1 = QString::fromUtf8(value);
        else if (key == "BUS2")
            d.BusLink2 = QString::fromUtf8(value);
        else if (key == "VERIFY" && (value == "0" || value == "1"))
            d.VerifyWholeChip = value == "1";
    }
}

bool ReadPortSettings(const QString& path, DeviceSettings& d)
{
    const LimitedRead read = ReadRegularFile(path, kMaxPortFileSize);
    if (!read.ok())
        return false;
    ParsePortSettings(read.data, d);
    return true;
}

bool WritePortSettings(const QString& path, const DeviceSettings& d, QString* error)
{
    return WriteFileAtomically(path, PortSettingsText(d), error);
}

QString SerialDevicePath(const DeviceSettings& d, int lpt)
{
    return lpt == 4 ? d.SerialPort1 : d.SerialPort2;
}

} // namespace zendrik
