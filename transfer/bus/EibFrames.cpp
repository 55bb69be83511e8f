#include "transfer/bus/EibFrames.h"

namespace zendrik {

namespace {

char byteOf(int value)
{
    return static_cast<char>(value & 0xFF);
}

quint8 at(const QByteArray& b, qsizetype i)
{
    return static_cast<quint8>(b.at(i));
}

} // namespace

namespace EibFrame {

QByteArray localRead(int count, quint16 address)
{
    QByteArray f;
    f += byteOf(4);
    f += byteOf(kLocalRead);
    f += byteOf(count);
    f += byteOf(address >> 8);
    f += byteOf(address);
    return f;
}

QByteArray localReadAnswer(quint16 address, const QByteArray& data)
{
    QByteArray f;
    f += byteOf(4 + data.size());
    f += byteOf(kLocalReadAnswer);
    f += byteOf(data.size());
    f += byteOf(address >> 8);
    f += byteOf(address);
    f += data;
    return f;
}

QByteArray localWrite(quint16 address, const QByteArray& data)
{
    QByteArray f;
    f += byteOf((4 + data.size()) % 32);
    f += byteOf(kLocalWrite);
    f += byteOf(data.size());
    f += byteOf(address >> 8);
    f += byteOf(address);
    f += data;
    return f;
}

QByteArray connect(quint16 physicalAddress)
{
    QByteArray f;
    f += byteOf(6);
    f += byteOf(kConnect);
    f += QByteArray(3, '\0');
    f += byteOf(physicalAddress >> 8);
    f += byteOf(physicalAddress);
    return f;
}

QByteArray disconnect()
{
    QByteArray f;
    f += byteOf(6);
    f += byteOf(kDisconnect);
    f += QByteArray(5, '\0');
    return f;
}

QByteArray data(const QByteArray& telegram)
{
    QByteArray f;
    f += byteOf(7 + telegram.size());
    f += byteOf(kData);
    f += QByteArray(5, '\0');
    f += byteOf(telegram.size() - 1);
    f += telegram;
    return f;
}

QByteArray dataIn(quint16 source, quint16 destination, const QByteArray& telegram)
{
    // Control field of a standard frame of normal priority; routing counter
    // 6 and the telegram's length less one in the low four bits.
    QByteArray f;
    f += byteOf(7 + telegram.size());
    f += byteOf(kDataIn);
    f += byteOf(0xB0);
    f += byteOf(source >> 8);
    f += byteOf(source);
    f += byteOf(destination >> 8);
    f += byteOf(destination);
    f += byteOf(0x60 | ((telegram.size() - 1) & 0x0F));
    f += telegram;
    return f;
}

bool parseDataIn(const QByteArray& frame, quint16* source, QByteArray* telegram)
{
    if (frame.size() < 9 || at(frame, 1) != kDataIn)
        return false;
    const int length = (at(frame, 7) & 0x0F) + 1;
    if (frame.size() < 8 + length)
        return false;
    *source = static_cast<quint16>(at(frame, 3) << 8 | at(frame, 4));
    *telegram = frame.mid(8, length);
    return true;
}

bool parseLocalAnswer(const QByteArray& frame, QByteArray* data)
{
    if (frame.size() < 5 || at(frame, 1) != kLocalReadAnswer)
        return false;
    const int count = at(frame, 2) & 0x0F;
    if (frame.size() < 5 + count)
        return false;
    *data = frame.mid(5, count);
    return true;
}

} // namespace EibFrame

namespace Apci {

QByteArray memoryRead(int count, quint16 address)
{
    QByteArray t;
    t += byteOf(kMemoryRead >> 8);
    t += byteOf((kMemoryRead & 0xC0) | (count & 0x3F));
    t += byteOf(address >> 8);
    t += byteOf(address);
    return t;
}

QByteArray memoryWrite(quint16 address, const QByteArray& data)
{
    QByteArray t;
    t += byteOf(kMemoryWrite >> 8);
    t += byteOf((kMemoryWrite & 0xC0) | (data.size() & 0x3F));
    t += byteOf(address >> 8);
    t += byteOf(address);
    t += data;
    return t;
}

QByteArray maskRead()
{
    QByteArray t;
    t += byteOf(kMaskRead >> 8);
    t += byteOf(kMaskRead & 0xC0);
    return t;
}

quint16 serviceOf(const QByteArray& telegram)
{
    if (telegram.size() < 2)
        return 0xFFFF;
    return static_cast<quint16>((at(telegram, 0) & 0x03) << 8 | (at(telegram, 1) & 0xC0));
}

int countOf(const QByteArray& telegram)
{
    return telegram.size() < 2 ? 0 : at(telegram, 1) & 0x3F;
}

} // namespace Apci

} // namespace zendrik
