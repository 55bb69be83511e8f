#include "ui/print/PrintCommands.h"

#include "editing/HandoverDocument.h"
#include "editing/PrintTexts.h"
#include "language/TextTable.h"
#include "model/ExportTarget.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "paint/HandoverPainter.h"
#include "paint/PrintPainter.h"
#include "transfer/TransferJournal.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"
#include "ui/list/FrmHauptmenue.h"
#include "ui/print/FrmDruck.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace zendrik {

PrintCommands::PrintCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame)
{
    preview = [this](const std::function<int(QPrinter&)>& paint) {
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer->setDocName(FileTitle(ctx_.model.program().Dateiname));
        auto* dialog = new QPrintPreviewDialog(printer.get(), &frame_.frameWindow());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // The printer lives as long as the preview that paints on it.
        connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                [paint, printer](QPrinter* p) { paint(*p); });
        dialog->open();
    };
    chooseFile = [this](const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(&frame_.frameWindow(), QString(), suggested, filter);
    };
}

PrintDocument PrintCommands::document(const PrintRequest& request) const
{
    return BuildPrintDocument(ctx_.model, ctx_.texts, request, frame_.listWindow().sources());
}

void PrintCommands::openWindow()
{
    frame_.commitHeader();
    auto* dialog = new FrmDruck(ctx_.model, ctx_.texts, &frame_.frameWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setDruckInDatei(DruckInDatei_);
    connect(dialog, &FrmDruck::druckInDateiChanged, this, [this](bool on) { DruckInDatei_ = on; });
    connect(dialog, &FrmDruck::printRequested, this, &PrintCommands::print);
    connect(dialog, &FrmDruck::pdfRequested, this, &PrintCommands::savePdf);
    connect(dialog, &FrmDruck::handoverRequested, this, &PrintCommands::saveHandover);
    connect(dialog, &FrmDruck::changeZeilenRequested, dialog, [this, dialog] {
        auto* properties = new FrmGeraetEinst(ctx_.model, ctx_.texts, ctx_.ui, ctx_.workDir, dialog);
        properties->setAttribute(Qt::WA_DeleteOnClose);
        connect(properties, &QDialog::finished, dialog, &FrmDruck::refreshZeilen);
        properties->open();
    });
    connect(dialog, &QDialog::finished, this, [this] { frame_.ShowList(); });
    dialog->open();
}

void PrintCommands::printShown()
{
    frame_.commitHeader();
    PrintRequest request;
    request.DruckAktuell = frame_.listWindow().Ansicht() + 1;
    request.shownSlot = ctx_.model.AktSlot;
    request.shownAstroChannel = frame_.listWindow().sources().astroChannel;
    request.shownFilter = ctx_.filter;
    print(request, DruckInDatei_);
}

void PrintCommands::print(const PrintRequest& request, bool toTextFile)
{
    if (!request.any()) {
        showMessage(ctx_.texts(kPrintNothingChosen));
        return;
    }
    const auto doc = std::make_shared<PrintDocument>(document(request));
    if (toTextFile) {
        writeText(*doc);
        return;
    }
    const TextTable& texts = ctx_.texts;
    preview([doc, &texts](QPrinter& printer) {
        QPainter painter(&printer);
        return PrintPainter(*doc, texts).paint(painter, printer);
    });
}

void PrintCommands::writeText(const PrintDocument& doc)
{
    const QString program = ctx_.model.program().Dateiname;
    QString target = PrintTextTarget(program);
    switch (CheckPrintTextTarget(program, target)) {
    case PrintTextCheck::NoName:
        // A program without a name yet: the user names the text file.
        target = chooseFile(QString(), QStringLiteral("*.txt"));
        if (target.isEmpty())
            return;
        break;
    case PrintTextCheck::IsProgramFile:
    case PrintTextCheck::Ok:
        break;
    }
    if (CheckExportTarget(target, program) == ExportTargetCheck::ProgramFile) {
        ctx_.ui.ask(ExportTargetRefusal(target));
        return;
    }
    if (QFileInfo::exists(target)
        && ctx_.ui.ask(Prompt::question(Buttons::YesNo, Icon::Question,
                                        {TextId::FileWord, target, TextId::AlreadyExistsOverwrite}))
            != Answer::Yes)
        return;
    QString error;
    if (!WritePrintText(doc, target, &error)) {
        ctx_.ui.ask(Prompt::message(Icon::Critical, {ctx_.texts(kPrintWriteFailed).arg(target, error)}));
        return;
    }
    showMessage(ctx_.texts(kPrintTextWritten).arg(target));
}

void PrintCommands::savePdf(const PrintRequest& request)
{
    if (!request.any()) {
        showMessage(ctx_.texts(kPrintNothingChosen));
        return;
    }
    const QString path = choosePdf(QString());
    if (path.isEmpty())
        return;
    QString error;
    int pages = 0;
    if (!WritePrintPdf(document(request), ctx_.texts, path, &error, &pages)) {
        ctx_.ui.ask(Prompt::message(Icon::Critical, {ctx_.texts(kPrintWriteFailed).arg(path, error)}));
        return;
    }
    showMessage(ctx_.texts(kPrintPdfWritten).arg(path).arg(pages));
}

void PrintCommands::saveHandover()
{
    frame_.commitHeader();
    const QString path = choosePdf(QLatin1Char(' ') + ctx_.texts(kHandoverTitle));
    if (path.isEmpty())
        return;
    QString error;
    int pages = 0;
    const HandoverDocument record =
        BuildHandoverDocument(ctx_.model, ctx_.texts, ctx_.model.currentYear(), frame_.listWindow().sources(),
                              JournalTransfer(ctx_.workDir, ctx_.model.program().Dateiname));
    if (!WriteHandoverPdf(record, ctx_.texts, path, &error, &pages)) {
        ctx_.ui.ask(Prompt::message(Icon::Critical, {ctx_.texts(kPrintWriteFailed).arg(path, error)}));
        return;
    }
    showMessage(ctx_.texts(kPrintPdfWritten).arg(path).arg(pages));
}

// Asks for a PDF beside the program file, never the program file itself.
QString PrintCommands::choosePdf(const QString& suffix)
{
    const QString program = ctx_.model.program().Dateiname;
    QString suggested;
    if (!program.isEmpty()) {
        const QFileInfo info(program);
        suggested = info.dir().filePath(info.completeBaseName() + suffix + QStringLiteral(".pdf"));
    }
    const QString path = chooseFile(suggested, QStringLiteral("*.pdf"));
    if (!path.isEmpty() && CheckExportTarget(path, program) == ExportTargetCheck::ProgramFile) {
        ctx_.ui.ask(ExportTargetRefusal(path));
        return QString();
    }
    return path;
}

void PrintCommands::showMessage(const QString& text)
{
    frame_.showStatus(text, 10000);
}

} // namespace zendrik
