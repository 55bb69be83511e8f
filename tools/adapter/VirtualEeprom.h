#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zendrik {

// A serial I2C EEPROM as the programming adapter sees it: a 24C16 (2048
// bytes, 16-byte pages, one address byte with address bits 8..10 as the
// block-select bits of the control byte) or a 24C64 (8192 bytes, 32-byte
// pages, two address bytes). Writes wrap inside their page; reads run on
// across the whole chip. Its contents live in a binary file.
class VirtualEeprom {
public:
    explicit VirtualEeprom(int size);

    int size() const { return static_cast<int>(bytes_.size()); }
    bool large() const { return size() == 8192; }
    int pageSize() const { return large() ? 32 : 16; }

    // Loads the chip from a file of exactly size() bytes; a missing file
    // gives a blank chip (all 0xFF). False with a reason otherwise.
    bool load(const QString& path, QString* error);
    bool save(const QString& path, QString* error) const;

    // Whether the chip answers this control byte: 1010 in the high nibble,
    // and on the 24C64 chip-select pins A2..A0 tied low.
    bool acknowledges(quint8 control) const;

    // A write transaction: address bytes, then data. Returns whether data
    // was programmed (then the chip is busy for its write cycle).
    bool write(quint8 control, const QByteArray& bytes);
    // A random read: a dummy write of the address bytes, then `count` bytes.
    // Bytes after the address the chip takes as data for its page buffer:
    // they move the address pointer but are never programmed, as no stop
    // condition comes before the read.
    QByteArray read(quint8 control, const QByteArray& addressBytes, int count);

    const std::vector<quint8>& bytes() const { return bytes_; }
    std::vector<quint8>& bytes() { return bytes_; }

    // Faults: programmed bytes at or above `keepBelow` are lost; a read of
    // byte 1 reports `identificationOverride` instead of what is stored.
    int keepBelow = 1 << 30;
    std::optional<quint8> identificationOverride;

private:
    // Sets the address pointer from the address bytes; returns how many of
    // the bytes were address bytes.
    int setAddress(quint8 control, const QByteArray& bytes);

    std::vector<quint8> bytes_;
    int pointer_ = 0;
};

} // namespace zendrik
