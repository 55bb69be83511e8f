#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/PrintDocument.h"
#include "editing/PrintTexts.h"
#include "model/ExportTarget.h"
#include "paint/PrintPainter.h"

#include <QDir>

namespace zendrik::cli {

namespace {

const QString kPrintUsage = QStringLiteral(
    "usage: zendrik-cli print FILE (--pdf OUT | --text OUT) [--sections LIST] [--lines N]\n"
    "  LIST: comma-separated from switching, priority, dst, astro, device (default: all);\n"
    "  --lines: rows per heading block (default: the print lines of the settings, below 1 = once).");

// Reads --sections into the request; false for an unknown name.
bool readSections(const QString& list, PrintRequest& request)
{
    for (const QString& raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        if (name == QLatin1String("switching"))
            request.Schaltzeiten = true;
        else if (name == QLatin1String("priority"))
            request.Prioritaetszeiten = true;
        else if (name == QLatin1String("dst"))
            request.SoWiTabelle = true;
        else if (name == QLatin1String("astro"))
            request.Astrozeiten = true;
        else if (name == QLatin1String("device"))
            request.Geraeteeigenschaften = true;
        else
            return false;
    }
    return true;
}

} // namespace

int runPrint(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(
        args, {QStringLiteral("pdf"), QStringLiteral("text"), QStringLiteral("sections"), QStringLiteral("lines")},
        {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kPrintUsage);
    if (parsed->positional().size() != 1 || parsed->has(QStringLiteral("pdf")) == parsed->has(QStringLiteral("text")))
        return ctx.usage(kPrintUsage);

    PrintRequest request;
    const QString sections =
        parsed->value(QStringLiteral("sections"), QStringLiteral("switching,priority,dst,astro,device"));
    if (!readSections(sections, request) || !request.any())
        return ctx.usage(QStringLiteral("--sections takes switching, priority, dst, astro and device, comma-separated"));

    if (const int rc = ctx.loadOrRefuse(parsed->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;
    if (parsed->has(QStringLiteral("lines"))) {
        bool ok = false;
        const int lines = parsed->value(QStringLiteral("lines")).toInt(&ok);
        if (!ok || lines < 0 || lines > 10000)
            return ctx.usage(QStringLiteral("--lines takes 0..10000"));
        ctx.model.device.Zeilen = lines;
    }

    FeiertagTabelle holidays;
    const PrintDocument document = BuildPrintDocument(ctx.model, ctx.texts, request, HolidaySources(ctx, holidays));
    if (parsed->has(QStringLiteral("text"))) {
        const QString target = parsed->value(QStringLiteral("text"));
        if (CheckExportTarget(target, ctx.model.program().Dateiname) == ExportTargetCheck::ProgramFile)
            return ctx.refuse(ExportTargetRefusal(target));
        if (!WritePrintText(document, target, &error)) {
            ctx.err << target << ": " << error << Qt::endl;
            return kExitRefused;
        }
        return kExitOk;
    }
    const QString pdf = parsed->value(QStringLiteral("pdf"));
    if (CheckExportTarget(pdf, ctx.model.program().Dateiname) == ExportTargetCheck::ProgramFile)
        return ctx.refuse(ExportTargetRefusal(pdf));
    int pages = 0;
    if (!WritePrintPdf(document, ctx.texts, parsed->value(QStringLiteral("pdf")), &error, &pages)) {
        ctx.err << parsed->value(QStringLiteral("pdf")) << ": " << error << Qt::endl;
        return kExitRefused;
    }
    ctx.out << ctx.texts(TextId::Page).trimmed() << ": " << pages << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
