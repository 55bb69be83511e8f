#pragma once

#include "util/HexLine.h"

#include "model/Entry.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace zendrik {

// The programming adapter moves the chip image in blocks of 16 bytes. Each
// frame to the adapter is a length byte and an I2C EEPROM transaction: the
// control byte (0xA0 write, 0xA1 read), the address, then the data (write)
// or the byte count (read). The 2048-byte chip (24C16) takes address bits
// 8..10 as block-select bits 1..3 of the control byte and one address byte;
// the 8192-byte chip (24C64) takes two address bytes, high first.
inline constexpr int kChipBlockBytes = 16;

QByteArray ChipWriteFrame(int chipSize, int address, std::span<const Byte> data);
QByteArray ChipReadFrame(int chipSize, int address);

// What a reply of the adapter means. Status replies are tested in the
// order the adapter sets its bits: no chip (0x81) before a chip that does
// not answer (0x82) before a transmission error (0x84).
enum class AdapterReply {
    WriteAcknowledged, // 0x01 0x80
    NoChip,            // 0x01 s, s & 0x81 == 0x81
    ChipNotAnswering,  // 0x01 s, s & 0x82 == 0x82
    TransmissionError, // 0x01 s, s & 0x84 == 0x84
    UnexpectedStatus,  // 0x01 with any other status
    ReadData,          // 0x12, the request's control and first address byte, 16 data bytes
    OldAdapter,        // 0x02 0xA1: cannot address the 8192-byte chip
    Unexpected,        // anything else: wrong length, wrong echo, noise
};

AdapterReply ClassifyAdapterReply(const QByteArray& reply, const QByteArray& request);

// The data bytes of a read reply (reply bytes 4 to 19).
QByteArray ReadReplyData(const QByteArray& reply);

// The replies whose first byte tells their length: a status (2 bytes in
// all) and read data (19 bytes in all). 0 for any other first byte.
int AdapterReplyLength(quint8 firstByte);

} // namespace zendrik
