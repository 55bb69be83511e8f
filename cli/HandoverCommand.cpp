#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/HandoverDocument.h"
#include "editing/PrintTexts.h"
#include "model/ExportTarget.h"
#include "paint/HandoverPainter.h"
#include "transfer/TransferJournal.h"

namespace zendrik::cli {

namespace {

const QString kHandoverUsage = QStringLiteral(
    "usage: zendrik-cli handover FILE --pdf OUT [--year Y] [--now \"YYYY-MM-DD HH:MM\"]\n"
    "  the hand-over record: cover with signature lines, every list, the device properties\n"
    "  and a year chart per channel for year Y (default: the current year).");

} // namespace

int runHandover(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(
        args, {QStringLiteral("pdf"), QStringLiteral("year"), QStringLiteral("now")}, {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kHandoverUsage);
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("pdf")))
        return ctx.usage(kHandoverUsage);
    if (parsed->has(QStringLiteral("now")) && !ctx.setNow(parsed->value(QStringLiteral("now"))))
        return ctx.usage(QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\""));
    int yearRc = kExitOk;
    const std::optional<int> chosenYear = YearOption(ctx, *parsed, kFirstSimulationYear, kLastSimulationYear, &yearRc);
    if (!chosenYear)
        return yearRc;
    int year = *chosenYear;
    if (year < kFirstSimulationYear || year > kLastSimulationYear) {
        // Only the clock can give a year outside the range here: --now, or the system's.
        const QString source = parsed->has(QStringLiteral("now")) ? QStringLiteral("--now") : QStringLiteral("the clock");
        return ctx.usage(QStringLiteral("%1 gives the year %2; the record covers %3..%4 (give --year)")
                             .arg(source)
                             .arg(year)
                             .arg(kFirstSimulationYear)
                             .arg(kLastSimulationYear));
    }

    const QString program = parsed->positional().first();
    const QString out = parsed->value(QStringLiteral("pdf"));
    if (const int rc = ctx.loadOrRefuse(program, kProgramSlot); rc != kExitOk)
        return rc;
    if (CheckExportTarget(out, ctx.model.program().Dateiname) == ExportTargetCheck::ProgramFile)
        return ctx.refuse(ExportTargetRefusal(out));

    FeiertagTabelle holidays;
    const HandoverDocument document = BuildHandoverDocument(ctx.model, ctx.texts, year, HolidaySources(ctx, holidays), JournalTransfer(ctx.workDir, program));
    int pages = 0;
    if (!WriteHandoverPdf(document, ctx.texts, out, &error, &pages)) {
        ctx.err << out << ": " << error << Qt::endl;
        return kExitRefused;
    }
    ctx.out << ctx.texts(TextId::Page).trimmed() << ": " << pages << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
