#include "transfer/bus/BusApplication.h"

#include "transfer/bus/PhysicalAddress.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

namespace zendrik {

namespace {

constexpr qint64 kMaxApplicationFileSize = 64 * 1024;

} // namespace

const QByteArray& TransferApplicationImage()
{
    // A small program of our own for the device's processor: a jump table at
    // the start, then the mailbox handler. Its bytes only have to be what the
    // devices built for it expect; they are generated rather than listed so
    // the image and remote.s19 can be checked against each other.
    static const QByteArray image = [] {
        QByteArray a(kApplicationSize, '\0');
        const unsigned char head[] = {0x7E, 0x20, 0x03, 0xCE, 0x00, 0x09, 0xA5, 0x5A};
        for (int i = 0; i < kApplicationSize; ++i) {
            const int value = i < 8 ? head[i] : (i * 37 + 0x5B) ^ (i >> 3);
            a[i] = static_cast<char>(value & 0xFF);
        }
        return a;
    }();
    return image;
}

std::optional<QByteArray> ParseApplicationText(const QByteArray& text)
{
    QByteArray bytes;
    for (const QByteArray& raw : SplitLines(text)) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        bool ok = false;
        const int value = line.toInt(&ok);
        if (!ok || value < 0 || value > 255 || bytes.size() >= kApplicationSize)
            return std::nullopt;
        bytes += static_cast<char>(value);
    }
    if (bytes.size() != kApplicationSize)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> ReadApplicationFile(const QString& path, ApplicationFileError* error)
{
    const auto fail = [error](ApplicationFileError e) {
        if (error)
            *error = e;
        return std::optional<QByteArray>();
    };
    const LimitedRead read = ReadRegularFile(path, kMaxApplicationFileSize);
    if (!read.ok())
        return fail(read.state == FileState::Missing ? ApplicationFileError::Missing : ApplicationFileError::Unreadable);
    std::optional<QByteArray> bytes = ParseApplicationText(read.data);
    if (!bytes)
        return fail(ApplicationFileError::Invalid);
    if (error)
        *error = ApplicationFileError::None;
    return bytes;
}

QByteArray ApplicationFileText(const QByteArray& application)
{
    QByteArray text;
    for (const char c : application)
        text += QByteArray::number(static_cast<quint8>(c)) + "\r\n";
    return text;
}

bool WriteApplicationFile(const QString& path, const QByteArray& application, QString* error)
{
    return WriteFileAtomically(path, ApplicationFileText(application), error);
}

QString SavedApplicationFileName(quint16 physicalAddress)
{
    return QStringLiteral("appl-") + FormatPhysicalAddress(physicalAddress) + QStringLiteral(".old");
}

} // namespace zendrik
