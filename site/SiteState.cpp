#include "site/SiteState.h"

#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "model/ImageChecksum.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/ProgramSetup.h"
#include "site/SiteFile.h"
#include "site/SiteFileTexts.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace zendrik {

int LoadSiteProgram(const Site& site, const SiteDevice& device, ProgramModel& model)
{
    if (device.type < 1 || device.type > kDeviceTypeRows || device.program.isEmpty()
        || SiteProgramLeavesFolder(device.program))
        return -1;
    // As the command line's --type does: the row's parameters, then the file.
    StartNewProgram(model, device.type, QString(), QString());
    const int result = LoadProgram(model, site.programPath(device), kProgramSlot);
    if (result != LoadOk)
        return result;
    // The loader switches to the row the file was made for when it does not
    // fit the chosen one; a site device keeps its type, so that is refused.
    if (DeviceRowFromFile(model.device))
        return -1;
    return LoadOk;
}

SiteDeviceMark OpenSiteProgram(const Site& site, const SiteDevice& device, ProgramModel& model)
{
    if (device.type < 1 || device.type > kDeviceTypeRows)
        return SiteDeviceMark::UnknownType;
    if (device.program.isEmpty() || SiteProgramLeavesFolder(device.program))
        return device.program.isEmpty() ? SiteDeviceMark::MissingProgram : SiteDeviceMark::OutsideFolder;
    if (!QFileInfo(site.programPath(device)).isFile())
        return SiteDeviceMark::MissingProgram;
    const int result = LoadSiteProgram(site, device, model);
    if (result == LoadOk)
        return SiteDeviceMark::None;
    if (result == -1 || result == LoadLargeImage || result == LoadFamily731 || result == LoadFamily752)
        return SiteDeviceMark::UnfittingProgram;
    return SiteDeviceMark::UnreadableProgram;
}

SiteAddCheck CheckNewSiteDevice(const Site& site, SiteDevice& device, const QString& programFile)
{
    if (device.name.trimmed().isEmpty())
        return {SiteAddRefusal::NoName};
    if (site.indexOf(device.name) >= 0)
        return {SiteAddRefusal::DuplicateName};
    if (device.link == SiteLinkKind::Bus && !ParsePhysAddress(device.address))
        return {SiteAddRefusal::BadAddress};
    // Kept relative to the site's folder, so the folder can be moved or
    // handed over as a whole.
    device.program = QFileInfo(site.path).absoluteDir().relativeFilePath(programFile);
    if (SiteProgramLeavesFolder(device.program))
        return {SiteAddRefusal::OutsideFolder};
    if (!QFileInfo(programFile).isFile())
        return {SiteAddRefusal::MissingProgram};
    ProgramModel scratch;
    const int loaded = LoadSiteProgram(site, device, scratch);
    if (loaded == -1)
        return {SiteAddRefusal::UnfittingProgram};
    if (loaded != LoadOk)
        return {SiteAddRefusal::UnreadableProgram, loaded};
    return {};
}

namespace {

// What the last transfer alone tells; nothing when only the checksum of the
// program as it is now can tell.
std::optional<SiteTransferState> StateOfLastTransfer(const SiteDevice& device)
{
    if (!device.last)
        return SiteTransferState::Never;
    if (device.last->result == SiteTransferResult::Failed)
        return SiteTransferState::Failed;
    if (device.last->result == SiteTransferResult::Differs || device.last->checksum.isEmpty())
        return SiteTransferState::ChangedSince;
    return std::nullopt;
}

} // namespace

SiteTransferState DeviceTransferState(const SiteDevice& device, const ProgramModel& opened)
{
    if (const auto state = StateOfLastTransfer(device))
        return *state;
    return ImageChecksum(opened) == device.last->checksum ? SiteTransferState::UpToDate
                                                          : SiteTransferState::ChangedSince;
}

SiteTransferState DeviceTransferState(const Site& site, const SiteDevice& device)
{
    if (const auto state = StateOfLastTransfer(device))
        return *state;
    ProgramModel model;
    if (LoadSiteProgram(site, device, model) != LoadOk)
        return SiteTransferState::ChangedSince;
    return DeviceTransferState(device, model);
}

QString TransferStateText(SiteTransferState state, ExtraLanguage language)
{
    switch (state) {
    case SiteTransferState::UpToDate:
        return SiteFileTexts::kStateUpToDate.in(language);
    case SiteTransferState::ChangedSince:
        return SiteFileTexts::kStateChangedSince.in(language);
    case SiteTransferState::Never:
        return SiteFileTexts::kStateNever.in(language);
    case SiteTransferState::Failed:
        break;
    }
    return SiteFileTexts::kStateFailed.in(language);
}

QString SiteLinkText(const SiteDevice& device)
{
    switch (device.link) {
    case SiteLinkKind::Bus:
        return device.connection + QLatin1Char(' ') + device.address;
    case SiteLinkKind::Chip:
        return QStringLiteral("chip ") + device.port;
    case SiteLinkKind::Ir:
        return QStringLiteral("ir ") + device.port;
    case SiteLinkKind::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace zendrik
