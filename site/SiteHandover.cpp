#include "site/SiteHandover.h"

#include "editing/PrintTexts.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "model/ProgramModel.h"
#include "site/SiteFile.h"
#include "site/SiteHandoverTexts.h"
#include "site/SiteState.h"

namespace zendrik {

namespace {

TransferPath pathOf(SiteLinkKind link)
{
    switch (link) {
    case SiteLinkKind::Bus:
        return TransferPath::Bus;
    case SiteLinkKind::Chip:
        return TransferPath::Chip;
    case SiteLinkKind::Ir:
        return TransferPath::Ir;
    case SiteLinkKind::None:
        break;
    }
    return TransferPath::None;
}

QString resultText(const HandoverProof& proof, ExtraLanguage language)
{
    switch (proof.state) {
    case HandoverProofState::Never:
        return kSiteResultNever.in(language);
    case HandoverProofState::ChangedSince:
        return kSiteResultChanged.in(language);
    case HandoverProofState::Failed:
        return kSiteResultFailed.in(language);
    case HandoverProofState::Differs:
        return kSiteResultDiffers.in(language);
    case HandoverProofState::Transferred:
        break;
    }
    if (proof.last->read)
        return kSiteResultReadSame.in(language);
    return (proof.last->confirmed ? kSiteResultConfirmed : kSiteResultWritten).in(language);
}

} // namespace

// The site file keeps the last transfer without its way: that is the
// device's link, which says where the device is reached.
std::optional<TransferRecord> SiteTransferRecord(const SiteDevice& device)
{
    if (!device.last)
        return std::nullopt;
    TransferRecord r;
    r.when = device.last->when;
    r.path = pathOf(device.link);
    r.where = device.link == SiteLinkKind::Bus ? device.address : device.port;
    r.read = device.last->direction == SiteDirection::Read;
    r.failed = device.last->result == SiteTransferResult::Failed;
    r.differs = device.last->result == SiteTransferResult::Differs;
    r.confirmed = device.last->confirmed;
    r.checksum = device.last->checksum;
    return r;
}

SiteHandoverDocument BuildSiteHandover(const Site& site, const TextTable& texts, int year, ExtraLanguage language,
                                       const std::function<void(int, int)>& progress)
{
    SiteHandoverDocument doc;
    doc.heading = texts(kSiteHandoverTitle);
    doc.siteName = site.name;
    doc.siteAddress = site.address;
    for (const ExtraText* column : {&kSiteColumnName, &kSiteColumnLocation, &kSiteColumnType, &kSiteColumnAddress,
                                    &kSiteColumnLastTransfer, &kSiteColumnResult})
        doc.columns << column->in(language);
    doc.signatureNote = kSiteHandoverConfirmation.in(language);
    doc.signatures = {kHandoverInstaller.in(language), kHandoverCustomer.in(language)};
    doc.placeAndDate = kHandoverPlaceDate.in(language);

    const int count = static_cast<int>(site.devices.size());
    for (int i = 0; i < count; ++i) {
        const SiteDevice& device = site.devices[static_cast<std::size_t>(i)];
        const std::optional<TransferRecord> last = SiteTransferRecord(device);
        const ExtraText* type = DeviceTypeText(device.type);
        QStringList row{device.name,
                        device.location,
                        type ? type->in(language) : QString::number(device.type),
                        last ? TransferPathText(last->path, last->where, texts)
                             : TransferPathText(pathOf(device.link), device.link == SiteLinkKind::Bus ? device.address : device.port, texts),
                        last ? DateTimeText(last->when, texts) : QStringLiteral("–"),
                        QString()};
        ProgramModel model;
        const SiteDeviceMark mark = OpenSiteProgram(site, device, model);
        if (mark == SiteDeviceMark::None) {
            HandoverDocument record = BuildHandoverDocument(model, texts, year, {}, last);
            record.heading += QStringLiteral(" – ") + device.name;
            record.cover.insert(record.cover.begin(), {{kSiteHandoverDevice.in(language), device.name},
                                                       {kSiteColumnLocation.in(language), device.location}});
            row.back() = resultText(record.proof, language);
            doc.devices.push_back(std::move(record));
        } else {
            // A device whose program cannot be opened has no record; the
            // cover says why.
            const QString why = SiteDeviceMarkText(mark, language);
            row.back() = why;
            doc.skipped << device.name + QStringLiteral(": ") + why;
        }
        doc.rows.push_back(std::move(row));
        if (progress)
            progress(i + 1, count);
    }
    return doc;
}

} // namespace zendrik
