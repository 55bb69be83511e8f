#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/PlaceArgs.h"

#include "calendar/AstroEingabe.h"
#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTexts.h"
#include "calendar/PlaceList.h"

#include <QDir>
#include <QRegularExpression>

namespace zendrik::cli {

namespace {

const QString kSetAstroUsage = QStringLiteral(
    "usage: zendrik-cli set-astro FILE OUT [--channel C] (--place NAME | --lon DEG --lat DEG --zone MIN) "
    "--rise-offset MIN --set-offset MIN --morning H:MM --evening H:MM [--rise-state off] [--set-state on] "
    "[--now \"YYYY-MM-DD HH:MM\"] [--yes]");

// "H:MM" of a minute of the day.
std::optional<int> MinuteOfDay(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    if (h > 23 || min > 59)
        return std::nullopt;
    return h * 60 + min;
}

// on = -1 as the table keeps it, off = 0.
std::optional<int> StateOf(const QString& text)
{
    if (text == QLatin1String("on"))
        return -1;
    if (text == QLatin1String("off"))
        return 0;
    return std::nullopt;
}

} // namespace

int runSetAstro(CliContext& ctx, const QStringList& args)
{
    const QStringList values = {QStringLiteral("channel"), QStringLiteral("place"), QStringLiteral("lon"),
                                QStringLiteral("lat"), QStringLiteral("zone"), QStringLiteral("rise-offset"),
                                QStringLiteral("set-offset"), QStringLiteral("morning"), QStringLiteral("evening"),
                                QStringLiteral("rise-state"), QStringLiteral("set-state"), QStringLiteral("now")};
    QString error;
    const auto parsed = CommandArgs::parse(args, values, {QStringLiteral("yes")}, &error);
    if (!parsed)
        return ctx.usage(error);
    const bool byPlace = parsed->has(QStringLiteral("place"));
    const bool byNumbers = parsed->has(QStringLiteral("lon")) || parsed->has(QStringLiteral("lat"))
        || parsed->has(QStringLiteral("zone"));
    QStringList required = {QStringLiteral("rise-offset"), QStringLiteral("set-offset"), QStringLiteral("morning"),
                            QStringLiteral("evening")};
    if (!byPlace)
        required << QStringLiteral("lon") << QStringLiteral("lat") << QStringLiteral("zone");
    bool complete = parsed->positional().size() == 2 && byPlace != byNumbers;
    for (const QString& key : required)
        complete = complete && parsed->has(key);
    if (!complete)
        return ctx.usage(kSetAstroUsage);
    if (parsed->has(QStringLiteral("now")) && !ctx.setNow(parsed->value(QStringLiteral("now"))))
        return ctx.usage(QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\""));

    // The dialog's controls, set as the user would set them.
    AstroBars bars;
    if (byPlace) {
        const std::optional<PlaceList> places = ReadPlaces(ctx);
        if (!places)
            return kExitRefused;
        const QString name = parsed->value(QStringLiteral("place"));
        const Place* found = nullptr;
        for (const Place& p : places->places()) {
            if (p.name.compare(name, Qt::CaseInsensitive) == 0 && (!found || p.name == name))
                found = &p;
        }
        if (!found)
            return ctx.usage(QStringLiteral("no place named %1 in %2").arg(name, PlaceFilePath(ctx)));
        bars.laenge = found->laengeBar();
        bars.breite = found->breiteBar();
        bars.zone = found->zoneBar();
    } else {
        const std::optional<double> lon = DecimalIn(parsed->value(QStringLiteral("lon")), -180.0, 180.0);
        if (!lon)
            return ctx.usage(QStringLiteral("--lon takes degrees -180..180, west positive"));
        const std::optional<double> lat =
            DecimalIn(parsed->value(QStringLiteral("lat")), -kMaxLatitudeDegrees, kMaxLatitudeDegrees);
        if (!lat)
            return ctx.usage(QStringLiteral("--lat takes degrees -60..60, north positive: ") + ctx.texts(kAstroLatitudeNote));
        const std::optional<int> zone = WholeNumberIn(parsed->value(QStringLiteral("zone")), -720, 720);
        if (!zone)
            return ctx.usage(QStringLiteral("--zone takes minutes -720..720, the negative of the displayed zone"));
        // Snapped to the bars' steps: half degrees and quarter hours.
        bars.laenge = BarOfTypedLongitude(-*lon);
        bars.breite = BarOfTypedLatitude(*lat);
        bars.zone = BarOfTypedZone(-*zone / 60.0);
    }
    const std::optional<int> rise = WholeNumberIn(parsed->value(QStringLiteral("rise-offset")), -120, 120);
    const std::optional<int> set = WholeNumberIn(parsed->value(QStringLiteral("set-offset")), -120, 120);
    if (!rise || !set)
        return ctx.usage(QStringLiteral("--rise-offset and --set-offset take minutes -120..120"));
    bars.offsetAuf = BarOfTypedOffset(*rise);
    bars.offsetUnter = BarOfTypedOffset(*set);
    const std::optional<int> morning = MinuteOfDay(parsed->value(QStringLiteral("morning")));
    const std::optional<int> evening = MinuteOfDay(parsed->value(QStringLiteral("evening")));
    if (!morning || !evening)
        return ctx.usage(QStringLiteral("--morning and --evening take H:MM, 0:00..23:59"));
    bars.morning = *morning;
    bars.evening = *evening;
    // The device switches OFF at sunrise and ON at sunset; the options may
    // say so, but cannot ask for anything else.
    const std::optional<int> riseState = StateOf(parsed->value(QStringLiteral("rise-state"), QStringLiteral("off")));
    const std::optional<int> setState = StateOf(parsed->value(QStringLiteral("set-state"), QStringLiteral("on")));
    if (!riseState || !setState)
        return ctx.usage(QStringLiteral("--rise-state and --set-state take on or off"));
    if (*riseState != kAstroRiseState || *setState != kAstroSetState)
        return ctx.refuse(Prompt::message(Icon::Critical, {ctx.texts(kAstroFixedStates)}));
    bars.riseState = *riseState;
    bars.setState = *setState;

    if (const int rc = ctx.loadOrRefuse(parsed->positional().at(0), kProgramSlot); rc != kExitOk)
        return rc;
    bool channelNumber = false;
    const QString channelText = parsed->value(QStringLiteral("channel"), QStringLiteral("1"));
    channelText.toInt(&channelNumber);
    if (!channelNumber)
        return ctx.usage(QStringLiteral("--channel takes a channel number"));
    const AstroChannel channel = AstroChannelOfLabel(ctx.model.device.Uhrentyp, u'C' + channelText);
    if (channel.check != AstroChannelCheck::Ok)
        return ctx.refuse(Prompt::message(Icon::Critical, {AstroChannelMessage(channel.check, ctx.texts)}));
    if (!StoreAstroProgram(ctx.model, bars.settings(), channel.channel))
        return ctx.refuse(Prompt::message(Icon::Critical, {AstroChannelMessage(AstroChannelCheck::NoAstroDevice, ctx.texts)}));
    ctx.model.program().Dateiname = parsed->positional().at(1);
    return ctx.saveOrRefuse(parsed->has(QStringLiteral("yes")));
}

} // namespace zendrik::cli
