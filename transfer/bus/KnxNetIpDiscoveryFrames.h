#pragma once

#include "transfer/bus/KnxNetIpFrames.h"

#include <QString>

#include <utility>
#include <vector>

namespace zendrik::KnxIp {

// Finding KNXnet/IP devices: a SEARCH_REQUEST to the routing multicast
// group (or to one address) names where answers go; each interface or
// router answers with a SEARCH_RESPONSE: its control endpoint and two
// description blocks (DIBs), its hardware (medium, individual address,
// serial number, routing group, MAC, name) and the service families it
// speaks. A DESCRIPTION_REQUEST to the control endpoint brings the same
// blocks again, with any further ones the device has.
enum DiscoveryService : quint16 {
    SearchRequest = 0x0201,
    SearchResponse = 0x0202,
    DescriptionRequest = 0x0203,
    DescriptionResponse = 0x0204,
};

// Service families of the supported-services block.
enum Family : quint8 {
    FamilyCore = 0x02,
    FamilyDeviceManagement = 0x03,
    FamilyTunnelling = 0x04,
    FamilyRouting = 0x05,
    FamilyRemoteLogging = 0x06,
    FamilyRemoteConfiguration = 0x07,
    FamilyObjectServer = 0x08,
    FamilySecurity = 0x09,
};

// What a device tells of itself.
struct DeviceInfo {
    quint8 medium = 0x02; // 0x02 TP1, 0x04 PL110, 0x10 RF, 0x20 IP
    quint8 status = 0;    // bit 0: programming mode
    quint16 address = 0;  // its individual address
    quint16 project = 0;
    QByteArray serial = QByteArray(6, '\0');
    quint32 multicast = 0; // its routing group, 0 when it does not route
    QByteArray mac = QByteArray(6, '\0');
    QString name; // at most 30 Latin-1 characters
    std::vector<std::pair<quint8, quint8>> families; // family, version

    bool offers(quint8 family) const;
    bool operator==(const DeviceInfo&) const = default;
};

QByteArray searchRequest(Endpoint discovery);
QByteArray searchResponse(Endpoint control, const DeviceInfo& info);
QByteArray descriptionRequest(Endpoint control);
QByteArray descriptionResponse(const DeviceInfo& info);

struct DiscoveryDatagram {
    quint16 service = 0;
    Endpoint endpoint; // where to answer (requests), the control endpoint (search response)
    DeviceInfo info;
};

// The searching client's parser: any bytes either parse or are named.
Fault parseDiscovery(const QByteArray& bytes, DiscoveryDatagram& out);

} // namespace zendrik::KnxIp
