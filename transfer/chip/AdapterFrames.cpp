#include "transfer/chip/AdapterFrames.h"

namespace zendrik {

namespace {

constexpr quint8 kControlWrite = 0xA0;
constexpr quint8 kControlRead = 0xA1;
constexpr int kLargeChip = 8192;

char adapterByte(int v)
{
    return static_cast<char>(static_cast<quint8>(v));
}

// Control byte and address bytes of a transaction at `address`.
QByteArray addressPart(int chipSize, int address, quint8 control)
{
    QByteArray bytes;
    if (chipSize == kLargeChip) {
        bytes += adapterByte(control);
        bytes += adapterByte(address / 256);
        bytes += adapterByte(address & 0xFF);
    } else {
        bytes += adapterByte(control | ((2 * (address / 256)) & 0x0E));
        bytes += adapterByte(address & 0xFF);
    }
    return bytes;
}

QByteArray withLength(const QByteArray& payload)
{
    return adapterByte(static_cast<int>(payload.size())) + payload;
}

quint8 at(const QByteArray& bytes, int i)
{
    return static_cast<quint8>(bytes.at(i));
}

} // namespace

QByteArray ChipWriteFrame(int chipSize, int address, std::span<const Byte> data)
{
    QByteArray payload = addressPart(chipSize, address, kControlWrite);
    for (const Byte b : data)
        payload += adapterByte(b);
    return withLength(payload);
}

QByteArray ChipReadFrame(int chipSize, int address)
{
    QByteArray payload = addressPart(chipSize, address, kControlRead);
    payload += adapterByte(kChipBlockBytes);
    return withLength(payload);
}

int AdapterReplyLength(quint8 firstByte)
{
    switch (firstByte) {
    case 0x01:
        return 2;
    case 0x12:
        return 3 + kChipBlockBytes;
    default:
        return 0;
    }
}

AdapterReply ClassifyAdapterReply(const QByteArray& reply, const QByteArray& request)
{
    if (reply.size() == 2 && at(reply, 0) == 0x01) {
        const quint8 s = at(reply, 1);
        if (s == 0x80)
            return AdapterReply::WriteAcknowledged;
        if ((s & 0x81) == 0x81)
            return AdapterReply::NoChip;
        if ((s & 0x82) == 0x82)
            return AdapterReply::ChipNotAnswering;
        if ((s & 0x84) == 0x84)
            return AdapterReply::TransmissionError;
        return AdapterReply::UnexpectedStatus;
    }
    if (reply.size() == 2 && at(reply, 0) == 0x02 && at(reply, 1) == 0xA1)
        return AdapterReply::OldAdapter;
    if (reply.size() == AdapterReplyLength(0x12) && at(reply, 0) == 0x12 && request.size() >= 3
        && reply.at(1) == request.at(1) && reply.at(2) == request.at(2))
        return AdapterReply::ReadData;
    return AdapterReply::Unexpected;
}

QByteArray ReadReplyData(const QByteArray& reply)
{
    return reply.mid(3, kChipBlockBytes);
}

} // namespace zendrik
