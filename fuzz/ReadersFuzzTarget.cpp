#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "editing/RecoveryFile.h"
#include "language/TranslationFile.h"
#include "model/DeviceSettings.h"
#include "model/ProgramFile.h"
#include "site/SiteFile.h"
#include "transfer/MessageFile.h"
#include "transfer/PortSettings.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/TransferMailbox.h"
#include "transfer/chip/AdapterToolResult.h"
#include "transfer/sim/EmulatedTimeSwitch.h"
#include "transfer/sim/SimulatedBus.h"
#include "util/FileCheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Every other file the outside world hands the program, read from the same
// bytes: the holiday and place files, the port settings, the adapter tool's
// result and job files, the recovery copy, translation files and image
// numbers, site files. Each must give a result, never a crash or a hang; what a reader
// accepts, its writer writes back so that it reads the same again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zendrik;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));

    FeiertagTabelle holidays;
    if (holidays.parse(bytes) == FeiertagResult::Ok) {
        FeiertagTabelle again;
        if (again.parse(holidays.fileText()) != FeiertagResult::Ok || again.fileText() != holidays.fileText())
            __builtin_trap();
    }

    PlaceList places;
    if (places.parse(bytes) == PlaceFileResult::Ok) {
        PlaceList again;
        if (again.parse(places.fileText()) != PlaceFileResult::Ok || again.count() != places.count())
            __builtin_trap();
    }

    DeviceSettings device;
    ParsePortSettings(bytes, device);
    (void)ParseCardMessage(bytes);
    if (const auto job = ParseMessageFile(bytes)) {
        const auto again = ParseMessageFile(MessageFileText(*job));
        if (!again || again->direction != job->direction)
            __builtin_trap();
    }

    if (const auto image = DecodeRecovery(bytes)) {
        if (EncodeRecovery(*image) != bytes)
            __builtin_trap();
    }

    // A site file: the folder does not exist, so no program is opened. What
    // is read is written back as the same site and the same text.
    Site site;
    const QString sitePath = QStringLiteral("/nonexistent-fuzz-folder/fuzz.zsite");
    if (ParseSite(bytes, sitePath, site).ok()) {
        Site again;
        const QByteArray text = SiteText(site);
        if (!ParseSite(text, sitePath, again).ok() || !(again == site) || SiteText(again) != text)
            __builtin_trap();
    }

    (void)TranslationFile::lines(TranslationFile::decode(bytes));
    (void)SplitLines(bytes);
    for (const int imageSize : {2048, 8192})
        (void)ReadImageNumbers(bytes, imageSize);

    // The bus: its description, application files, a device's saved state,
    // frames from the BCU, mailbox blocks, and transport units a device is sent.
    SimulatedBusConfig bus;
    (void)ParseSimulatedBusConfig(bytes, bus, nullptr);
    if (const auto application = ParseApplicationText(bytes)) {
        if (ParseApplicationText(ApplicationFileText(*application)) != application)
            __builtin_trap();
    }
    EmulatedTimeSwitch timeSwitch(0x1105);
    if (timeSwitch.restoreState(bytes)) {
        EmulatedTimeSwitch again(0x1105);
        if (!again.restoreState(timeSwitch.stateText()) || again.stateText() != timeSwitch.stateText())
            __builtin_trap();
    }
    quint16 source = 0;
    QByteArray part;
    (void)EibFrame::parseDataIn(bytes, &source, &part);
    (void)EibFrame::parseLocalAnswer(bytes, &part);
    (void)Mailbox::answerData(bytes.left(Mailbox::kSize), static_cast<quint8>(size), &part);
    EmulatedTimeSwitch open(0x1105);
    (void)open.receive(0xFFFA, QByteArray(1, '\x80'), 0);
    std::int64_t now = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 16)
        (void)open.receive(0xFFFA, bytes.mid(i, 16), now += 1000);
    return 0;
}
