#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace zendrik {

// The frames the program exchanges with the local BCU, with their leading
// length byte (the number of bytes after it; taken modulo 32 in the memory
// access frames). Addresses are high byte first.
namespace EibFrame {

inline constexpr quint8 kLocalRead = 0x4C;
inline constexpr quint8 kLocalReadAnswer = 0x4B;
inline constexpr quint8 kLocalWrite = 0x46;
inline constexpr quint8 kConnect = 0x23;
inline constexpr quint8 kDisconnect = 0x24;
inline constexpr quint8 kData = 0x21;
inline constexpr quint8 kDataIn = 0x39;
// The address in the BCU's memory of the length of its address table.
inline constexpr quint16 kAddressTableLength = 0x0116;

QByteArray localRead(int count, quint16 address);
QByteArray localWrite(quint16 address, const QByteArray& data);
// The BCU's answer to a local read: the address read and the bytes found.
QByteArray localReadAnswer(quint16 address, const QByteArray& data);
QByteArray connect(quint16 physicalAddress);
QByteArray disconnect();
// An application telegram over the open connection.
QByteArray data(const QByteArray& telegram);
// A telegram of a device passed up by the BCU, as a link without a BCU of
// its own builds it.
QByteArray dataIn(quint16 source, quint16 destination, const QByteArray& telegram);

// A frame passed up by the BCU: a telegram from a device (0x39), with the
// source address and the telegram ((length byte and 0x0F) + 1 bytes from
// the ninth byte on). False for any other or a short frame.
bool parseDataIn(const QByteArray& frame, quint16* source, QByteArray* telegram);
// A local read answer (0x4B): its data ((count and 0x0F) bytes from the
// sixth byte on). False for any other or a short frame.
bool parseLocalAnswer(const QByteArray& frame, QByteArray* data);

} // namespace EibFrame

// The application control field of the telegrams, two bytes with the low
// six bits free for a count. The BCU fills in the transport bits of the
// first byte, so the program leaves them 0.
namespace Apci {

inline constexpr quint16 kMemoryRead = 0x0200;
inline constexpr quint16 kMemoryResponse = 0x0240;
inline constexpr quint16 kMemoryWrite = 0x0280;
inline constexpr quint16 kMaskRead = 0x0300;
inline constexpr quint16 kMaskResponse = 0x0340;

QByteArray memoryRead(int count, quint16 address);
QByteArray memoryWrite(quint16 address, const QByteArray& data);
QByteArray maskRead();

// The service of a telegram as received: the application bits of its first
// two bytes without the transport bits and the count; 0xFFFF when too short.
quint16 serviceOf(const QByteArray& telegram);
// The count in the low bits of the second byte.
int countOf(const QByteArray& telegram);

} // namespace Apci

// The transport layer's control byte (first byte of every transport unit):
// connection-oriented data carries a four-bit sequence number, which the
// acknowledgement repeats.
namespace Tpci {

inline constexpr quint8 kConnect = 0x80;
inline constexpr quint8 kDisconnect = 0x81;
inline constexpr quint8 kDataConnected = 0x40; // | seq << 2 | two application bits
inline constexpr quint8 kAck = 0xC2;           // | seq << 2
inline constexpr quint8 kNak = 0xC3;           // | seq << 2

inline bool isDataConnected(quint8 b) { return (b & 0xC0) == 0x40; }
inline bool isAck(quint8 b) { return (b & 0xC3) == kAck; }
inline bool isNak(quint8 b) { return (b & 0xC3) == kNak; }
inline int sequenceOf(quint8 b) { return (b >> 2) & 0x0F; }

} // namespace Tpci

} // namespace zendrik
