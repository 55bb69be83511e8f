#include "transfer/bus/KnxNetIpDiscoveryFrames.h"

#include "transfer/bus/FrameBytes.h"

#include <algorithm>

namespace zendrik::KnxIp {

namespace {

constexpr quint8 kDeviceInfoType = 0x01;
constexpr quint8 kFamiliesType = 0x02;
constexpr quint8 kDeviceInfoLength = 54;
constexpr int kNameLength = 30;

QByteArray deviceInfoBlock(const DeviceInfo& info)
{
    QByteArray b;
    b += static_cast<char>(kDeviceInfoLength);
    b += static_cast<char>(kDeviceInfoType);
    b += static_cast<char>(info.medium);
    b += static_cast<char>(info.status);
    put16(b, info.address);
    put16(b, info.project);
    b += info.serial.left(6).leftJustified(6, '\0');
    put16(b, static_cast<quint16>(info.multicast >> 16));
    put16(b, static_cast<quint16>(info.multicast & 0xFFFF));
    b += info.mac.left(6).leftJustified(6, '\0');
    b += info.name.toLatin1().left(kNameLength).leftJustified(kNameLength, '\0');
    return b;
}

QByteArray familiesBlock(const DeviceInfo& info)
{
    QByteArray b;
    b += static_cast<char>(2 + 2 * info.families.size());
    b += static_cast<char>(kFamiliesType);
    for (const auto& [family, version] : info.families) {
        b += static_cast<char>(family);
        b += static_cast<char>(version);
    }
    return b;
}

// The description blocks from `i` to the end: the device block and the
// families block must be there, others are passed over.
bool readBlocks(const QByteArray& b, qsizetype i, DeviceInfo& info)
{
    bool device = false;
    bool families = false;
    while (i < b.size()) {
        if (b.size() - i < 2)
            return false;
        const int length = at(b, i);
        const quint8 type = at(b, i + 1);
        if (length < 2 || i + length > b.size())
            return false;
        if (type == kDeviceInfoType) {
            if (length != kDeviceInfoLength || device)
                return false;
            device = true;
            info.medium = at(b, i + 2);
            info.status = at(b, i + 3);
            info.address = word(b, i + 4);
            info.project = word(b, i + 6);
            info.serial = b.mid(i + 8, 6);
            info.multicast = static_cast<quint32>(word(b, i + 14)) << 16 | word(b, i + 16);
            info.mac = b.mid(i + 18, 6);
            const QByteArray name = b.mid(i + 24, kNameLength);
            info.name = QString::fromLatin1(name.left(name.indexOf('\0') < 0 ? kNameLength : name.indexOf('\0')));
        } else if (type == kFamiliesType) {
            if (length % 2 != 0 || families)
                return false;
            families = true;
            for (int k = 2; k < length; k += 2)
                info.families.emplace_back(at(b, i + k), at(b, i + k + 1));
        }
        i += length;
    }
    return device && families;
}

} // namespace

bool DeviceInfo::offers(quint8 family) const
{
    return std::any_of(families.begin(), families.end(), [family](const auto& f) { return f.first == family; });
}

QByteArray searchRequest(Endpoint discovery)
{
    return datagram(SearchRequest, hpai(discovery));
}

QByteArray searchResponse(Endpoint control, const DeviceInfo& info)
{
    return datagram(SearchResponse, hpai(control) + deviceInfoBlock(info) + familiesBlock(info));
}

QByteArray descriptionRequest(Endpoint control)
{
    return datagram(DescriptionRequest, hpai(control));
}

QByteArray descriptionResponse(const DeviceInfo& info)
{
    return datagram(DescriptionResponse, deviceInfoBlock(info) + familiesBlock(info));
}

Fault parseDiscovery(const QByteArray& b, DiscoveryDatagram& out)
{
    out = DiscoveryDatagram();
    out.info.serial.clear();
    out.info.mac.clear();
    if (const Fault f = parseHeader(b, &out.service); f != Fault::None)
        return f;
    const qsizetype n = b.size() - kHeaderLength;
    const qsizetype i = kHeaderLength;
    switch (out.service) {
    case SearchRequest:
    case DescriptionRequest:
        if (n != kHpaiLength)
            return Fault::BadBody;
        return readHpai(b, i, out.endpoint) ? Fault::None : Fault::BadEndpoint;
    case SearchResponse:
        if (n < kHpaiLength)
            return Fault::BadBody;
        if (!readHpai(b, i, out.endpoint))
            return Fault::BadEndpoint;
        return readBlocks(b, i + kHpaiLength, out.info) ? Fault::None : Fault::BadBody;
    case DescriptionResponse:
        return readBlocks(b, i, out.info) ? Fault::None : Fault::BadBody;
    default:
        return Fault::UnknownService;
    }
}

} // namespace zendrik::KnxIp
