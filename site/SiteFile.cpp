#include "site/SiteFile.h"

#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "model/ProgramModel.h"
#include "site/SiteFileTexts.h"
#include "site/SiteState.h"
#include "transfer/bus/PhysicalAddress.h"
#include "util/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace zendrik {

namespace {

namespace T = SiteFileTexts;

const QString kHeaderWord = QStringLiteral("zendrik-site");
const QString kDeviceSection = QStringLiteral("[device]");
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

SiteLoadResult fault(SiteLoadCode code, int line, const QString& detail = QString())
{
    return SiteLoadResult{code, line, detail};
}

// "none" | "bus A.L.D CONNECTION" | "chip PORT" | "ir 1|2"
bool parseLink(const QString& value, SiteDevice& device)
{
    const int space = value.indexOf(QLatin1Char(' '));
    const QString kind = space < 0 ? value : value.left(space);
    const QString rest = space < 0 ? QString() : value.mid(space + 1).trimmed();
    device.address.clear();
    device.connection.clear();
    device.port.clear();
    if (kind == QLatin1String("none") && rest.isEmpty()) {
        device.link = SiteLinkKind::None;
        return true;
    }
    if (kind == QLatin1String("bus")) {
        const int gap = rest.indexOf(QLatin1Char(' '));
        if (gap < 0)
            return false;
        device.address = rest.left(gap);
        device.connection = rest.mid(gap + 1).trimmed();
        device.link = SiteLinkKind::Bus;
        return ParsePhysAddress(device.address).has_value() && !device.connection.isEmpty();
    }
    if (kind == QLatin1String("chip") && !rest.isEmpty()) {
        device.link = SiteLinkKind::Chip;
        device.port = rest;
        return true;
    }
    if (kind == QLatin1String("ir") && (rest == QLatin1String("1") || rest == QLatin1String("2"))) {
        device.link = SiteLinkKind::Ir;
        device.port = rest;
        return true;
    }
    return false;
}

// "DATETIME write|read ok|differs|failed [CHECKSUM] [confirmed]"
std::optional<SiteTransfer> parseLast(const QString& value)
{
    const QStringList words = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 3 || words.size() > 5)
        return std::nullopt;
    SiteTransfer t;
    t.when = QDateTime::fromString(words[0], kDateFormat);
    if (!t.when.isValid())
        return std::nullopt;
    if (words[1] == QLatin1String("write"))
        t.direction = SiteDirection::Write;
    else if (words[1] == QLatin1String("read"))
        t.direction = SiteDirection::Read;
    else
        return std::nullopt;
    if (words[2] == QLatin1String("ok"))
        t.result = SiteTransferResult::Ok;
    else if (words[2] == QLatin1String("differs"))
        t.result = SiteTransferResult::Differs;
    else if (words[2] == QLatin1String("failed"))
        t.result = SiteTransferResult::Failed;
    else
        return std::nullopt;
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{8}$"));
    int next = 3;
    if (next < words.size() && hex.match(words[next]).hasMatch())
        t.checksum = words[next++].toUpper();
    if (next < words.size() && words[next] == QLatin1String("confirmed")) {
        t.confirmed = true;
        ++next;
    }
    if (next != words.size())
        return std::nullopt;
    return t;
}

QString directionWord(SiteDirection d)
{
    return d == SiteDirection::Write ? QStringLiteral("write") : QStringLiteral("read");
}

QString resultWord(SiteTransferResult r)
{
    switch (r) {
    case SiteTransferResult::Ok:
        return QStringLiteral("ok");
    case SiteTransferResult::Differs:
        return QStringLiteral("differs");
    case SiteTransferResult::Failed:
        break;
    }
    return QStringLiteral("failed");
}

QString linkValue(const SiteDevice& d)
{
    switch (d.link) {
    case SiteLinkKind::Bus:
        return QStringLiteral("bus ") + d.address + QLatin1Char(' ') + d.connection;
    case SiteLinkKind::Chip:
        return QStringLiteral("chip ") + d.port;
    case SiteLinkKind::Ir:
        return QStringLiteral("ir ") + d.port;
    case SiteLinkKind::None:
        break;
    }
    return QStringLiteral("none");
}

// A value stays on its line: line breaks would start a new key.
QString oneLine(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s.trimmed();
}

} // namespace

// An absolute path, a drive or a ".." that climbs above the folder: the
// program would not travel with the site's folder.
bool SiteProgramLeavesFolder(const QString& program)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (QDir::isAbsolutePath(program) || program.startsWith(QLatin1Char('\\')) || drive.match(program).hasMatch())
        return true;
    const QString clean = QDir::cleanPath(program);
    return clean == QLatin1String("..") || clean.startsWith(QLatin1String("../"));
}

SiteLoadResult ParseSite(const QByteArray& text, const QString& path, Site& site)
{
    Site parsed;
    parsed.path = path;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    bool haveHeader = false;
    SiteDevice* device = nullptr;
    QSet<QString> keysSeen;
    int sectionLine = 0;
    auto closeDevice = [&]() -> SiteLoadResult {
        if (device && device->name.isEmpty())
            return fault(SiteLoadCode::MissingName, sectionLine);
        return {};
    };

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // A carriage return ends Windows lines (trimmed above); inside a line
        // it would be a line break no value can hold.
        if (line.contains(QLatin1Char('\r')))
            return fault(SiteLoadCode::BadLine, lineNo, line);
        if (!haveHeader) {
            const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.size() != 2 || words[0] != kHeaderWord)
                return fault(SiteLoadCode::NotASite, lineNo, line);
            bool ok = false;
            const int version = words[1].toInt(&ok);
            if (!ok || version < 1)
                return fault(SiteLoadCode::NotASite, lineNo, line);
            if (version > kSiteFormatVersion)
                return fault(SiteLoadCode::NewerVersion, lineNo, words[1]);
            haveHeader = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (line != kDeviceSection)
                return fault(SiteLoadCode::UnknownKey, lineNo, line);
            if (const SiteLoadResult r = closeDevice(); !r.ok())
                return r;
            parsed.devices.emplace_back();
            device = &parsed.devices.back();
            keysSeen.clear();
            sectionLine = lineNo;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        if (key.isEmpty())
            return fault(SiteLoadCode::BadLine, lineNo, line);
        const QString value = line.mid(eq + 1).trimmed();
        if (keysSeen.contains(key))
            return fault(SiteLoadCode::DuplicateKey, lineNo, key);
        keysSeen.insert(key);

        if (!device) {
            if (key == QLatin1String("name"))
                parsed.name = value;
            else if (key == QLatin1String("address"))
                parsed.address = value;
            else
                return fault(SiteLoadCode::UnknownKey, lineNo, key);
            continue;
        }
        if (key == QLatin1String("name")) {
            if (value.isEmpty())
                return fault(SiteLoadCode::MissingName, lineNo);
            if (parsed.indexOf(value) >= 0)
                return fault(SiteLoadCode::DuplicateDevice, lineNo, value);
            device->name = value;
        } else if (key == QLatin1String("location")) {
            device->location = value;
        } else if (key == QLatin1String("type")) {
            bool ok = false;
            device->type = value.toInt(&ok);
            if (!ok)
                return fault(SiteLoadCode::BadValue, lineNo, value);
        } else if (key == QLatin1String("program")) {
            device->program = value;
        } else if (key == QLatin1String("link")) {
            if (!parseLink(value, *device))
                return fault(SiteLoadCode::BadValue, lineNo, value);
        } else if (key == QLatin1String("last")) {
            device->last = parseLast(value);
            if (!device->last)
                return fault(SiteLoadCode::BadValue, lineNo, value);
        } else {
            return fault(SiteLoadCode::UnknownKey, lineNo, key);
        }
    }
    if (!haveHeader)
        return fault(SiteLoadCode::Empty, 0);
    if (const SiteLoadResult r = closeDevice(); !r.ok())
        return r;
    MarkSiteDevices(parsed);
    site = std::move(parsed);
    return {};
}

SiteLoadResult LoadSite(const QString& path, Site& site)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return fault(SiteLoadCode::Unreadable, 0, path);
    return ParseSite(file.readAll(), QFileInfo(path).absoluteFilePath(), site);
}

void MarkSiteDevices(Site& site)
{
    for (SiteDevice& d : site.devices) {
        ProgramModel model;
        d.mark = OpenSiteProgram(site, d, model);
    }
}

QByteArray SiteText(const Site& site)
{
    QString s = kHeaderWord + QStringLiteral(" %1\n").arg(kSiteFormatVersion);
    auto put = [&s](const char* key, const QString& value) {
        s += QLatin1String(key) + QStringLiteral(" = ") + oneLine(value) + QLatin1Char('\n');
    };
    put("name", site.name);
    if (!oneLine(site.address).isEmpty())
        put("address", site.address);
    for (const SiteDevice& d : site.devices) {
        s += QLatin1Char('\n') + kDeviceSection + QLatin1Char('\n');
        put("name", d.name);
        if (!oneLine(d.location).isEmpty())
            put("location", d.location);
        put("type", QString::number(d.type));
        put("program", d.program);
        put("link", linkValue(d));
        if (d.last) {
            QString last = d.last->when.toString(kDateFormat) + QLatin1Char(' ') + directionWord(d.last->direction)
                           + QLatin1Char(' ') + resultWord(d.last->result);
            if (!d.last->checksum.isEmpty())
                last += QLatin1Char(' ') + d.last->checksum;
            if (d.last->confirmed)
                last += QStringLiteral(" confirmed");
            put("last", last);
        }
    }
    return s.toUtf8();
}

bool SaveSite(const Site& site, QString* error)
{
    return WriteFileAtomically(site.path, SiteText(site), error);
}

QString SiteLoadMessage(const SiteLoadResult& result, const QString& path, ExtraLanguage language)
{
    const QString line = QString::number(result.line);
    switch (result.code) {
    case SiteLoadCode::Ok:
        return QString();
    case SiteLoadCode::Unreadable:
        return T::kUnreadable.in(language).arg(path);
    case SiteLoadCode::Empty:
        return T::kEmpty.in(language).arg(path);
    case SiteLoadCode::NotASite:
        return T::kNotASite.in(language).arg(path, line);
    case SiteLoadCode::NewerVersion:
        return T::kNewerVersion.in(language).arg(path, line, result.detail);
    case SiteLoadCode::BadLine:
        return T::kBadLine.in(language).arg(path, line, result.detail);
    case SiteLoadCode::UnknownKey:
        return T::kUnknownKey.in(language).arg(path, line, result.detail);
    case SiteLoadCode::BadValue:
        return T::kBadValue.in(language).arg(path, line, result.detail);
    case SiteLoadCode::DuplicateDevice:
        return T::kDuplicateDevice.in(language).arg(path, line, result.detail);
    case SiteLoadCode::MissingName:
        return T::kMissingName.in(language).arg(path, line);
    case SiteLoadCode::DuplicateKey:
        return T::kDuplicateKey.in(language).arg(path, line, result.detail);
    }
    return QString();
}

QString SiteDeviceMarkText(SiteDeviceMark mark, ExtraLanguage language)
{
    switch (mark) {
    case SiteDeviceMark::None:
        return QString();
    case SiteDeviceMark::UnknownType:
        return T::kMarkUnknownType.in(language);
    case SiteDeviceMark::OutsideFolder:
        return T::kMarkOutsideFolder.in(language);
    case SiteDeviceMark::MissingProgram:
        return T::kMarkMissingProgram.in(language);
    case SiteDeviceMark::UnfittingProgram:
        return T::kMarkUnfittingProgram.in(language);
    case SiteDeviceMark::UnreadableProgram:
        return T::kMarkUnreadableProgram.in(language);
    }
    return QString();
}

} // namespace zendrik
