#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/ColumnSort.h"
#include "editing/ListFilter.h"
#include "editing/ListTexts.h"
#include "editing/ProgramList.h"
#include "model/DeviceFamily.h"

#include <QDir>

#include <optional>

namespace zendrik::cli {

namespace {

const QString kListUsage = QStringLiteral(
    "usage: zendrik-cli list FILE [--view switching|priority|dst|astro] [--sort COLUMN] [--channel C]\n"
    "       [--channels MASK] [--weekdays MASK] [--months FROM-TO] [--prio FROM-TO]\n"
    "       [--state 0|1|2] [--pulses 0|1|2] [--value N] [--sample FILE2 [--slot 0|1]]\n"
    "  COLUMN is the grid column (1 = first column after the row number).\n"
    "  --channels is a channel mask (bit 0 = channel 1); on the 16-channel bus\n"
    "  device a channel number 1..16, or 255 for all channels.\n"
    "  --state on bus-format programs: 0 equal to, 1 at most, 2 at least --value.");

const QStringList kFilterOptions = {
    QStringLiteral("channels"),
    QStringLiteral("weekdays"),
    QStringLiteral("months"),
    QStringLiteral("prio"),
    QStringLiteral("state"),
    QStringLiteral("pulses"),
    QStringLiteral("value"),
};

// A number in decimal or, with 0x, in hexadecimal.
std::optional<int> number(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    const int value = t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16)
                                                                              : t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

struct Range {
    int from = 0;
    int to = 0;
};

// "FROM-TO" (or a single value for FROM = TO) within lo..hi, FROM <= TO.
std::optional<Range> range(const QString& text, int lo, int hi)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() > 2)
        return std::nullopt;
    const auto from = number(parts.first());
    const auto to = number(parts.last());
    if (!from || !to || *from < lo || *to > hi || *from > *to)
        return std::nullopt;
    return Range{*from, *to};
}

std::optional<int> boundedNumber(const QString& text, int lo, int hi)
{
    const auto value = number(text);
    if (!value || *value < lo || *value > hi)
        return std::nullopt;
    return value;
}

int viewOf(const QString& name)
{
    if (name == QLatin1String("switching"))
        return AnsichtSchaltzeiten;
    if (name == QLatin1String("priority"))
        return AnsichtPrioritaetszeiten;
    if (name == QLatin1String("dst"))
        return AnsichtSoWiTabelle;
    if (name == QLatin1String("astro"))
        return AnsichtAstrozeiten;
    return -1;
}

int languageSetting(const QString& language)
{
    if (language == QLatin1String("en"))
        return kLanguageEnglish;
    if (language == QLatin1String("fr"))
        return kLanguageFrench;
    return kLanguageGerman;
}

// Filter options that take one number, and the ranges FROM-TO.
struct NumberOption {
    const char* name;
    int lo;
    int hi;
    int ListFilter::*field;
    const char* error;
};

const NumberOption kNumberOptions[] = {
    {"weekdays", 1, 127, &ListFilter::FilterWochentag, "--weekdays takes a weekday mask 1..127 (bit 0 = Monday)"},
    {"state", 0, 2, &ListFilter::FilterZustand, "--state takes 0, 1 or 2"},
    {"pulses", 0, 2, &ListFilter::FilterImpuls, "--pulses takes 0, 1 or 2"},
    {"value", 0, 255, &ListFilter::FilterWert, "--value takes 0..255"},
};

struct RangeOption {
    const char* name;
    int hi;
    int ListFilter::*from;
    int ListFilter::*to;
    const char* error;
};

const RangeOption kRangeOptions[] = {
    {"months", 12, &ListFilter::FilterMonatVon, &ListFilter::FilterMonatBis,
     "--months takes FROM-TO within 0..12 (0 = weekly program only)"},
    {"prio", kPermanentPriority, &ListFilter::FilterPrioVon, &ListFilter::FilterPrioBis,
     "--prio takes FROM-TO within 0..10 (10 = permanent)"},
};

// Reads the filter options into the filter and switches it on when any is
// given. Returns the usage error, or an empty text.
QString readFilter(const CommandArgs& args, const DeviceSettings& device, ListFilter& filter)
{
    if (args.has(QStringLiteral("channels"))) {
        const QString text = args.value(QStringLiteral("channels"));
        const bool oneChannel = EntryNamesOneChannel(device.Uhrentyp);
        std::optional<int> v = oneChannel ? boundedNumber(text, 1, 16) : boundedNumber(text, 1, 255);
        if (!v && number(text) == ListFilter::kAllChannels)
            v = ListFilter::kAllChannels;
        if (!v)
            return oneChannel ? QStringLiteral("--channels takes a channel number 1..16 or 255")
                              : QStringLiteral("--channels takes a channel mask 1..255");
        filter.FilterKanal = *v;
    }
    for (const NumberOption& o : kNumberOptions) {
        if (!args.has(QLatin1String(o.name)))
            continue;
        const auto v = boundedNumber(args.value(QLatin1String(o.name)), o.lo, o.hi);
        if (!v)
            return QLatin1String(o.error);
        filter.*o.field = *v;
    }
    for (const RangeOption& o : kRangeOptions) {
        if (!args.has(QLatin1String(o.name)))
            continue;
        const auto r = range(args.value(QLatin1String(o.name)), 0, o.hi);
        if (!r)
            return QLatin1String(o.error);
        filter.*o.from = r->from;
        filter.*o.to = r->to;
    }
    filter.FilterPrioBis = ListFilter::PrioBisFor(filter.FilterPrioBis, device.EibFormat != 0);
    for (const QString& option : kFilterOptions) {
        if (args.has(option))
            filter.FilterAktiv = -1;
    }
    return QString();
}

// The list as the grid shows it: the heading row, then one line per item
// row, cells joined by one TAB.
void print(CliContext& ctx, const ProgramList& list)
{
    QStringList headings;
    for (const ListColumn& c : list.columns)
        headings << c.heading;
    ctx.out << headings.join(QLatin1Char('\t')) << '\n';
    for (const QStringList& row : list.rows)
        ctx.out << row.join(QLatin1Char('\t')) << '\n';
}

} // namespace

int runList(CliContext& ctx, const QStringList& args)
{
    QString error;
    QStringList valueOptions = kFilterOptions;
    valueOptions << QStringLiteral("view") << QStringLiteral("sort") << QStringLiteral("sample")
                 << QStringLiteral("slot") << QStringLiteral("channel");
    const auto parsed = CommandArgs::parse(args, valueOptions, {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kListUsage);
    if (parsed->positional().size() != 1)
        return ctx.usage(kListUsage);

    const int view = viewOf(parsed->value(QStringLiteral("view"), QStringLiteral("switching")));
    if (view < 0)
        return ctx.usage(QStringLiteral("--view takes switching, priority, dst or astro"));
    int astroChannel = 0;
    if (parsed->has(QStringLiteral("channel"))) {
        const auto v = boundedNumber(parsed->value(QStringLiteral("channel")), 1, kAstroChannels);
        if (!v)
            return ctx.usage(QStringLiteral("--channel takes the astro channel 1..4"));
        astroChannel = *v - 1;
    }

    int slot = kProgramSlot;
    if (parsed->has(QStringLiteral("slot"))) {
        const auto v = boundedNumber(parsed->value(QStringLiteral("slot")), 0, 1);
        if (!v)
            return ctx.usage(QStringLiteral("--slot takes 0 (the program) or 1 (the sample)"));
        slot = *v;
    }
    if (slot == kSampleSlot && !parsed->has(QStringLiteral("sample")))
        return ctx.usage(QStringLiteral("--slot 1 shows the sample: give it with --sample FILE2"));

    if (const int rc = ctx.loadOrRefuse(parsed->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;
    if (parsed->has(QStringLiteral("sample"))) {
        if (const int rc = ctx.loadOrRefuse(parsed->value(QStringLiteral("sample")), kSampleSlot); rc != kExitOk)
            return rc;
    }
    ProgramModel& model = ctx.model;
    // Without --lang the remembered language of the settings file holds.
    if (!ctx.language.isEmpty())
        model.device.Sprache = languageSetting(ctx.language);
    model.AktSlot = slot;

    ListFilter filter;
    if (const QString filterError = readFilter(*parsed, model.device, filter); !filterError.isEmpty())
        return ctx.usage(filterError);

    if (parsed->has(QStringLiteral("sort"))) {
        const auto column = number(parsed->value(QStringLiteral("sort")));
        if (!column || !SortByColumnClick(model, view, *column))
            return ctx.usage(QStringLiteral("--sort takes a column of the list, 1 .. the last column"));
    }

    FeiertagTabelle holidays;
    ListSources sources = HolidaySources(ctx, holidays);
    sources.astroChannel = astroChannel;

    print(ctx, ProgramList::Build(model, ctx.texts, filter, view, slot, sources));
    return kExitOk;
}

} // namespace zendrik::cli
