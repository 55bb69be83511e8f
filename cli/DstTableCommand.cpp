#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/SoWiTabelleEingabe.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "model/ProgramModel.h"

#include <QRegularExpression>

namespace zendrik::cli {

namespace {

// "D.M H S": the date, the hour the clock is changed at and the shift in hours.
std::optional<DstChangeover> ParseChangeover(const QString& date, const QString& hour, const QString& shift)
{
    const std::optional<DayMonth> dm = ParseDayMonth(date);
    const std::optional<int> h = WholeNumberIn(hour, 0, 23);
    const std::optional<int> s = WholeNumberIn(shift, 1, 3);
    if (!dm || !h || !s)
        return std::nullopt;
    return DstChangeover{dm->day, dm->month, *h, *s};
}

std::optional<DstEntry> ParseRow(const QString& text)
{
    const QStringList f = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (f.size() != 6)
        return std::nullopt;
    const std::optional<DstChangeover> forward = ParseChangeover(f[0], f[1], f[2]);
    const std::optional<DstChangeover> back = ParseChangeover(f[3], f[4], f[5]);
    if (!forward || !back)
        return std::nullopt;
    return DstEntry{*forward, *back};
}

} // namespace

int runDstTable(CliContext& ctx, const QStringList& args)
{
    const QString usageText =
        QStringLiteral("usage: zendrik-cli dst-table FILE OUT (--zone IANA --first-year Y [--years N] | "
                       "--row \"D.M H S D.M H S\" ... [--first-year Y]) [--yes]");
    QString error;
    const auto parsed = CommandArgs::parse(
        args, {QStringLiteral("zone"), QStringLiteral("first-year"), QStringLiteral("years"), QStringLiteral("row")},
        {QStringLiteral("yes")}, &error);
    if (!parsed)
        return ctx.usage(error);
    const bool zone = parsed->has(QStringLiteral("zone"));
    const QStringList rowTexts = parsed->values(QStringLiteral("row"));
    if (parsed->positional().size() != 2 || zone == !rowTexts.isEmpty()
        || (zone && !parsed->has(QStringLiteral("first-year"))) || (!zone && parsed->has(QStringLiteral("years"))))
        return ctx.usage(usageText);
    std::optional<int> firstYear;
    if (parsed->has(QStringLiteral("first-year"))) {
        firstYear = WholeNumberIn(parsed->value(QStringLiteral("first-year")), kSoWiFirstYear + 1, kSoWiLastFirstYear + 1);
        if (!firstYear)
            return ctx.usage(QStringLiteral("--first-year takes %1..%2").arg(kSoWiFirstYear + 1).arg(kSoWiLastFirstYear + 1));
    }
    std::vector<DstEntry> rows;
    for (const QString& text : rowTexts) {
        const std::optional<DstEntry> row = ParseRow(text);
        if (!row)
            return ctx.usage(QStringLiteral("--row takes \"D.M H S D.M H S\" (hour 0..23, shift 1..3): %1").arg(text));
        rows.push_back(*row);
    }
    int years = kDstRows;
    if (parsed->has(QStringLiteral("years"))) {
        const std::optional<int> n = WholeNumberIn(parsed->value(QStringLiteral("years")), 1, kDstRows);
        if (!n)
            return ctx.usage(QStringLiteral("--years takes 1..%1").arg(kDstRows));
        years = *n;
    }

    if (const int rc = ctx.loadOrRefuse(parsed->positional().at(0), kProgramSlot); rc != kExitOk)
        return rc;
    ProgramSlot& program = ctx.model.program();

    if (zone) {
        // The whole table from the time-zone database, as the dialog's fill does.
        const QString id = parsed->value(QStringLiteral("zone"));
        const SoWiZoneResult filled = SoWiZeilenAusZeitzone(id.toLatin1(), *firstYear, years);
        if (!filled.ok())
            return ctx.refuse(*SoWiZoneMessage(filled.code, filled.year, id, ctx.texts));
        // The flag is not part of the file: rows keep their years when the
        // saved program is opened again only with the flag cleared.
        const SoWiFillResult result = FillSoWiTabelle(program, *firstYear, filled.rows, 0);
        if (!result.ok())
            return ctx.refuse(*SoWiZoneMessage(result.zone, result.year, id, ctx.texts));
    } else {
        // Each row through the dialog's OK, appended to the table.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SoWiTabelleEingabe eingabe(ctx.model, SoWiNeu);
            if (eingabe.check() == SoWiTabelleEingabe::Open::TableFull)
                return ctx.refuse(Prompt::message(Icon::Critical, {TextId::MemoryFull}));
            if (firstYear && eingabe.yearEditable())
                eingabe.setYear(*firstYear);
            eingabe.entry() = rows[i];
            const SoWiTabelleEingabe::Outcome outcome = eingabe.ok();
            if (!outcome.check.ok()) {
                ctx.err << rowTexts[static_cast<qsizetype>(i)] << ": ";
                return ctx.refuse(*SoWiMessage(outcome.check, ctx.texts));
            }
        }
    }
    ctx.model.device.SwRegel = SwTabelle;
    ctx.model.Geaendert = 1;
    if (const int rc = saveOrRefuse(ctx, parsed->positional().at(1), parsed->has(QStringLiteral("yes"))); rc != kExitOk)
        return rc;
    const int first = SoWiBezugsjahr(program);
    ctx.out << "rows " << program.AnzSoWi << '\n'
            << "years " << first << ".." << first + program.AnzSoWi - 1 << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
