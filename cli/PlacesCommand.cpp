#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/PlaceArgs.h"

#include "calendar/AstroEingabe.h"

namespace zendrik::cli {

int runPlaces(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("lang")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli places [--lang de|en|fr]"));
    if (parsed->has(QStringLiteral("lang")) && !ctx.selectLanguage(parsed->value(QStringLiteral("lang"))))
        return ctx.usage(QStringLiteral("--lang takes de, en or fr"));
    const std::optional<PlaceList> places = ReadPlaces(ctx);
    if (!places)
        return kExitRefused;
    // Name, then the location with the stored sign conventions (longitude
    // west positive, latitude north positive, zone the negative of the
    // displayed zone in minutes), then the displayed texts.
    for (const Place& p : places->places()) {
        ctx.out << p.name << '\t' << p.laenge() << '\t' << p.breite() << '\t' << p.zone() << '\t'
                << LaengeText(p.laengeBar(), ctx.texts).trimmed() << '\t' << BreiteText(p.breiteBar(), ctx.texts).trimmed()
                << '\t' << ZoneText(p.zoneBar(), ctx.texts) << '\n';
    }
    return kExitOk;
}

} // namespace zendrik::cli
