#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/KnxNetIpDiscovery.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace zendrik::cli {

namespace {

const QString kInterfacesUsage = QStringLiteral(
    "usage: zendrik-cli bus-interfaces [--timeout S] [--host HOST] [--from ADDRESS]... [--json]\n"
    "  searches the KNXnet/IP interfaces and routers (multicast 224.0.23.12:3671 from every\n"
    "  local interface or from each --from address, and HOST directly when given) for S\n"
    "  seconds (default 3) and prints\n"
    "  one line per interface: HOST:PORT<TAB>INDIVIDUAL_ADDRESS<TAB>NAME<TAB>SERVICES.\n"
    "  Exit status 0 when one or more were found, 3 when none.");

// A name from the network, safe on one line of tab-separated fields.
QString OneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text.trimmed();
}

QString Serial(const QByteArray& s)
{
    return QString::fromLatin1(s.left(2).toHex()) + QLatin1Char(':') + QString::fromLatin1(s.mid(2).toHex());
}

} // namespace

int runBusInterfaces(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, {QStringLiteral("timeout"), QStringLiteral("host"), QStringLiteral("from")},
                                         {QStringLiteral("json")}, &error);
    if (!args)
        return ctx.usage(error + QLatin1Char('\n') + kInterfacesUsage);
    KnxNetIpDiscovery::Options options;
    if (args->has(QStringLiteral("timeout"))) {
        bool ok = false;
        const double s = args->value(QStringLiteral("timeout")).toDouble(&ok);
        if (!ok || !std::isfinite(s) || s <= 0 || s > 60)
            return ctx.usage(QStringLiteral("--timeout: seconds from 0.1 to 60\n") + kInterfacesUsage);
        options.timeoutMs = std::max(100, static_cast<int>(std::lround(s * 1000)));
    }
    if (args->has(QStringLiteral("host"))) {
        options.unicast = QHostAddress(args->value(QStringLiteral("host")));
        if (options.unicast.protocol() != QAbstractSocket::IPv4Protocol)
            return ctx.usage(QStringLiteral("--host: an IPv4 address\n") + kInterfacesUsage);
    }
    for (const QString& from : args->values(QStringLiteral("from"))) {
        const QHostAddress local(from);
        if (local.protocol() != QAbstractSocket::IPv4Protocol)
            return ctx.usage(QStringLiteral("--from: a local IPv4 address\n") + kInterfacesUsage);
        options.localAddresses.push_back(local);
    }
    if (!args->positional().isEmpty())
        return ctx.usage(kInterfacesUsage);

    bool sent = false;
    const std::vector<KnxIpInterface> found = KnxNetIpDiscovery::run(options, &sent);
    if (!sent)
        ctx.err << ctx.texts(kKnxSearchNotSent) << Qt::endl;
    if (ctx.json || args->has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const KnxIpInterface& i : found) {
            list.append(QJsonObject{
                {QStringLiteral("endpoint"), i.endpointText()},
                {QStringLiteral("address"), FormatPhysicalAddress(i.info.address)},
                {QStringLiteral("name"), i.info.name},
                {QStringLiteral("services"), QJsonArray::fromStringList(i.services())},
                {QStringLiteral("connections"), QJsonArray::fromStringList(i.connections())},
                {QStringLiteral("secure"), i.info.offers(KnxIp::FamilySecurity)},
                {QStringLiteral("serial"), Serial(i.info.serial)},
                {QStringLiteral("mac"), QString::fromLatin1(i.info.mac.toHex(':'))},
                {QStringLiteral("multicast"), i.info.multicast ? QHostAddress(i.info.multicast).toString() : QString()},
                {QStringLiteral("programmingMode"), (i.info.status & 0x01) != 0},
                {QStringLiteral("described"), i.described},
            });
        }
        ctx.out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (const KnxIpInterface& i : found)
            ctx.out << i.endpointText() << '\t' << FormatPhysicalAddress(i.info.address) << '\t'
                    << OneLine(i.info.name) << '\t' << i.services().join(QLatin1Char(',')) << '\n';
    }
    ctx.out.flush();
    if (found.empty()) {
        ctx.err << ctx.texts(kKnxNoneFound) << Qt::endl;
        return kExitFindings;
    }
    return kExitOk;
}

} // namespace zendrik::cli
