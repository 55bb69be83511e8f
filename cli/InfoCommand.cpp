#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "model/DeviceFamily.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

// The loader puts one blank in front of every channel name; show the name.
QString shownName(const QString& name)
{
    return name.startsWith(QLatin1Char(' ')) ? name.mid(1) : name;
}

} // namespace

int runInfo(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli info FILE"));
    if (const int rc = ctx.loadOrRefuse(parsed->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;

    const DeviceSettings& d = ctx.model.device;
    const ProgramSlot& s = ctx.model.program();
    const bool hasNumber = s.ProgNr <= 999999;
    const int channels = d.Kanalzahl;
    const bool master = IsMasterProgram(d);

    if (ctx.json) {
        QJsonObject o;
        o[QStringLiteral("family")] = d.Uhrentyp;
        o[QStringLiteral("device")] = d.Geraetename;
        o[QStringLiteral("entries")] = s.AnzEintrag;
        o[QStringLiteral("switching")] = s.AnzSz;
        o[QStringLiteral("priority")] = s.AnzPz;
        o[QStringLiteral("dst_rows")] = s.AnzSoWi;
        o[QStringLiteral("program_number")] = hasNumber ? QJsonValue(s.ProgNr) : QJsonValue(QStringLiteral("none"));
        o[QStringLiteral("description")] = s.Verwendung;
        for (int c = 0; c < channels; ++c)
            o[QStringLiteral("channel%1").arg(c + 1)] = shownName(s.Kanalname[static_cast<std::size_t>(c)]);
        o[QStringLiteral("master")] = master;
        ctx.out << QJsonDocument(o).toJson(QJsonDocument::Indented);
        return kExitOk;
    }

    ctx.out << "family: " << d.Uhrentyp << '\n'
            << "device: " << d.Geraetename << '\n'
            << "entries: " << s.AnzEintrag << '\n'
            << "switching: " << s.AnzSz << '\n'
            << "priority: " << s.AnzPz << '\n'
            << "dst_rows: " << s.AnzSoWi << '\n'
            << "program_number: " << (hasNumber ? QString::number(s.ProgNr) : QStringLiteral("none")) << '\n'
            << "description: " << s.Verwendung << '\n';
    for (int c = 0; c < channels; ++c)
        ctx.out << "channel" << (c + 1) << ": " << shownName(s.Kanalname[static_cast<std::size_t>(c)]) << '\n';
    ctx.out << "master: " << (master ? "yes" : "no") << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
