#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "app/RecentFiles.h"
#include "editing/RecoveryFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

constexpr ExtraText kNoRecoveryCopy{"Keine wiederherstellbare Sicherungskopie vorhanden.",
                                    "There is no recovery copy to restore.",
                                    "Aucune copie de secours à restaurer."};
constexpr ExtraText kRecentNotWritten{"Die Liste der zuletzt geöffneten Dateien konnte nicht geschrieben werden.",
                                      "The list of recent files could not be written.",
                                      "La liste des fichiers récents n'a pas pu être écrite."};

const char* stateKey(RecoveryState state)
{
    switch (state) {
    case RecoveryState::None:
        return "none";
    case RecoveryState::Offer:
        return "offered";
    case RecoveryState::Outdated:
        return "outdated";
    case RecoveryState::Damaged:
        return "damaged";
    }
    return "none";
}

} // namespace

// The desktop program's recent files of the working directory.
int runRecent(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {}, {QStringLiteral("remove-missing"), QStringLiteral("clear")}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli recent [--remove-missing | --clear]"));

    RecentFiles recent(ctx.workDir);
    recent.load();
    if (parsed->has(QStringLiteral("remove-missing")) || parsed->has(QStringLiteral("clear"))) {
        const bool all = parsed->has(QStringLiteral("clear"));
        for (const QString& file : QStringList(recent.files()))
            if (all || !RecentFiles::exists(file))
                recent.remove(file);
        if (!recent.save())
            return ctx.refuse(Prompt::message(Icon::Critical, {kRecentNotWritten}));
    }

    if (ctx.json) {
        QJsonArray files;
        for (const QString& file : recent.files())
            files.append(QJsonObject{{QStringLiteral("path"), file}, {QStringLiteral("exists"), RecentFiles::exists(file)}});
        ctx.out << QJsonDocument(files).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    for (const QString& file : recent.files())
        ctx.out << (RecentFiles::exists(file) ? QString() : QStringLiteral("(missing) ")) << file << '\n';
    return kExitOk;
}

// The recovery copy the desktop program keeps of an unsaved program: what
// it holds, saved as a program file of the user's choice, or discarded.
int runRecover(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("save")}, {QStringLiteral("discard"), QStringLiteral("yes")}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty() || (parsed->has(QStringLiteral("save")) && parsed->has(QStringLiteral("discard"))))
        return ctx.usage(QStringLiteral("usage: zendrik-cli recover [--save OUT [--yes] | --discard]"));

    const RecoveryFinding found = FindRecovery(ctx.workDir);
    if (parsed->has(QStringLiteral("discard"))) {
        RemoveRecoveryFile(ctx.workDir);
        return kExitOk;
    }
    if (parsed->has(QStringLiteral("save"))) {
        // An outdated copy may still be saved elsewhere on purpose; a damaged one never.
        if (found.state != RecoveryState::Offer && found.state != RecoveryState::Outdated)
            return ctx.refuse(Prompt::message(Icon::Exclamation, {kNoRecoveryCopy}));
        ApplyRecovery(ctx.model, found.image);
        if (const int rc = saveOrRefuse(ctx, parsed->value(QStringLiteral("save")), parsed->has(QStringLiteral("yes")));
            rc != kExitOk)
            return rc;
        RemoveRecoveryFile(ctx.workDir);
        return kExitOk;
    }

    const bool known = found.state == RecoveryState::Offer || found.state == RecoveryState::Outdated;
    const QString file = known ? found.image.snapshot.program.Dateiname : QString();
    const QString written = known ? found.image.writtenAt.toUTC().toString(Qt::ISODate) : QString();
    if (ctx.json) {
        QJsonObject o{{QStringLiteral("state"), QString::fromLatin1(stateKey(found.state))}};
        if (known) {
            o[QStringLiteral("file")] = file;
            o[QStringLiteral("written")] = written;
            o[QStringLiteral("entries")] = found.image.snapshot.program.AnzEintrag;
        }
        ctx.out << QJsonDocument(o).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    ctx.out << "recovery: " << stateKey(found.state) << '\n';
    if (known)
        ctx.out << "file: " << file << '\n'
                << "written: " << written << '\n'
                << "entries: " << found.image.snapshot.program.AnzEintrag << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
