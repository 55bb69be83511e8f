#include "tools/adapter/VirtualEeprom.h"

#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QFile>

namespace zendrik {

VirtualEeprom::VirtualEeprom(int size) : bytes_(static_cast<std::size_t>(size), 0xFF) { }

bool VirtualEeprom::load(const QString& path, QString* error)
{
    // No file is an empty (erased) chip; anything but a regular file of at
    // most the chip's size is refused.
    const LimitedRead read = ReadRegularFile(path, size());
    if (read.state == FileState::Missing)
        return true;
    if (read.state != FileState::Regular) {
        *error = path + QStringLiteral(": ") + FileStateReason(read.state);
        return false;
    }
    const QByteArray data = read.tooLarge ? QByteArray(size() + 1, '\0') : read.data;
    if (data.size() != size()) {
        *error = QStringLiteral("%1 holds %2 bytes, the chip has %3").arg(path).arg(data.size()).arg(size());
        return false;
    }
    for (int i = 0; i < size(); ++i)
        bytes_[static_cast<std::size_t>(i)] = static_cast<quint8>(data.at(i));
    return true;
}

bool VirtualEeprom::save(const QString& path, QString* error) const
{
    const QByteArray data(reinterpret_cast<const char*>(bytes_.data()), size());
    return WriteFileAtomically(path, data, error);
}

bool VirtualEeprom::acknowledges(quint8 control) const
{
    if ((control & 0xF0) != 0xA0)
        return false;
    return !large() || (control & 0x0E) == 0;
}

int VirtualEeprom::setAddress(quint8 control, const QByteArray& bytes)
{
    if (large()) {
        // Only a complete two-byte address loads the pointer; otherwise the
        // chip goes on from its current address.
        if (bytes.size() < 2)
            return static_cast<int>(bytes.size());
        pointer_ = ((static_cast<quint8>(bytes.at(0)) << 8) | static_cast<quint8>(bytes.at(1))) & (size() - 1);
        return 2;
    }
    if (bytes.isEmpty())
        return 0;
    pointer_ = (((control >> 1) & 0x07) << 8) | static_cast<quint8>(bytes.at(0));
    return 1;
}

bool VirtualEeprom::write(quint8 control, const QByteArray& bytes)
{
    const int used = setAddress(control, bytes);
    if (used >= bytes.size())
        return false;
    const int page = pointer_ - pointer_ % pageSize();
    int offset = pointer_ % pageSize();
    for (int i = used; i < bytes.size(); ++i) {
        const int address = page + offset;
        if (address < keepBelow)
            bytes_[static_cast<std::size_t>(address)] = static_cast<quint8>(bytes.at(i));
        offset = (offset + 1) % pageSize();
    }
    pointer_ = page + offset;
    return true;
}

QByteArray VirtualEeprom::read(quint8 control, const QByteArray& addressBytes, int count)
{
    const int used = setAddress(control, addressBytes);
    // Extra bytes of the dummy write go into the page buffer and move the
    // pointer inside the page.
    for (int i = used; i < addressBytes.size(); ++i)
        pointer_ = pointer_ - pointer_ % pageSize() + (pointer_ + 1) % pageSize();
    QByteArray data;
    for (int i = 0; i < count; ++i) {
        quint8 b = bytes_[static_cast<std::size_t>(pointer_)];
        if (pointer_ == 1 && identificationOverride)
            b = *identificationOverride;
        data += static_cast<char>(b);
        pointer_ = (pointer_ + 1) % size();
    }
    return data;
}

} // namespace zendrik
