#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "transfer/chip/MasterCard.h"

#include <vector>

namespace zendrik::cli {

namespace {

// An option of the coding window: its name and the two words it takes,
// the first for the value 1.
struct MasterSwitch {
    const char* option;
    MasterField field;
    const char* one;
    const char* zero;
};

constexpr MasterSwitch kSwitches[] = {
    {"card", MasterField::CardKind, "master", "prog"},
    {"permanent", MasterField::Dauertaste, "keyboard", "switch"},
    {"nak", MasterField::Nak, "off", "on"},
    {"date-format", MasterField::Datumsformat, "euro", "usa"},
    {"clock-language", MasterField::SpracheUhr, "fr", "de"},
    {"timebase", MasterField::Funk, "radio", "quartz"},
};

} // namespace

int runMaster(CliContext& ctx, const QStringList& argv)
{
    QStringList valueOptions{QStringLiteral("bits"), QStringLiteral("now")};
    for (const MasterSwitch& s : kSwitches)
        valueOptions << QString::fromLatin1(s.option);
    QString error;
    const auto args = CommandArgs::parse(argv, valueOptions, {QStringLiteral("yes"), QStringLiteral("no")}, &error);
    if (!args)
        return ctx.usage(error);
    if (args->positional().size() != 2)
        return ctx.usage(QStringLiteral("usage: zendrik-cli master FILE OUT [--card master|prog] [--bits N] "
                                        "[--permanent keyboard|switch] [--nak off|on] [--date-format euro|usa] "
                                        "[--clock-language de|fr] [--timebase radio|quartz]"));
    if (args->has(QStringLiteral("now")) && !ctx.setNow(args->value(QStringLiteral("now"))))
        return ctx.usage(QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\""));

    // Every option becomes the click of its button, in the window's order.
    std::vector<MasterClick> clicks;
    for (const MasterSwitch& s : kSwitches) {
        const QString name = QString::fromLatin1(s.option);
        if (!args->has(name))
            continue;
        const QString v = args->value(name);
        if (v != QLatin1String(s.one) && v != QLatin1String(s.zero))
            return ctx.usage(QStringLiteral("--%1 takes %2 or %3").arg(name, QLatin1String(s.one), QLatin1String(s.zero)));
        clicks.push_back({s.field, v == QLatin1String(s.one) ? 1 : 0});
    }
    const QString file = args->positional().at(0);
    if (const int rc = ctx.loadOrRefuse(file, kProgramSlot); rc != kExitOk)
        return rc;
    if (args->has(QStringLiteral("clock-language")) && !MasterLanguageApplies(ctx.model))
        return ctx.usage(QStringLiteral("--clock-language: this device keeps no clock language"));
    if (args->has(QStringLiteral("bits"))) {
        bool ok = false;
        const int bits = args->value(QStringLiteral("bits")).toInt(&ok, 0);
        if (!ok || bits < 0 || bits > 255)
            return ctx.usage(QStringLiteral("--bits takes a number 0..255"));
        if (!MasterBitsApply(ctx.model))
            return ctx.usage(QStringLiteral("--bits: on this device byte 18 holds the astro location"));
        for (int b = 0; b < 8; ++b)
            clicks.push_back({MasterField::Bit, (bits >> b) & 1, b});
    }
    CliInteraction interaction(!args->has(QStringLiteral("no")), ctx.texts);
    for (const MasterClick& c : clicks)
        ApplyMasterClick(ctx.model, interaction, c);
    return saveOrRefuse(ctx, args->positional().at(1), !args->has(QStringLiteral("no")));
}

} // namespace zendrik::cli
