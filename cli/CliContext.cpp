#include "cli/CliContext.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/ProgramList.h"
#include "language/LanguageChoice.h"
#include "model/DeviceImage.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "transfer/TransferJournal.h"

#include <QDateTime>
#include <QDir>

namespace zendrik::cli {

ListSources HolidaySources(const CliContext& ctx, FeiertagTabelle& holidays)
{
    ListSources sources;
    if (holidays.read(QDir(ctx.workDir).filePath(ctx.texts(TextId::HolidayFileName))) == FeiertagResult::Ok)
        sources.holidayName = [&holidays](int offset) { return holidays.FeiertagName(offset + kEasterOffsetBias); };
    return sources;
}

std::optional<CommandArgs> CommandArgs::parse(const QStringList& args, const QStringList& valueOptions,
                                              const QStringList& flagOptions, QString* error)
{
    CommandArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QStringLiteral("--")) && a.size() > 2) {
            QString key = a.mid(2);
            QString inlineValue;
            const int eq = key.indexOf(QLatin1Char('='));
            const bool hasInline = eq >= 0;
            if (hasInline) {
                inlineValue = key.mid(eq + 1);
                key = key.left(eq);
            }
            if (valueOptions.contains(key)) {
                if (hasInline) {
                    parsed.values_[key] = inlineValue;
                    parsed.repeated_[key] << inlineValue;
                } else if (i + 1 < args.size()) {
                    parsed.values_[key] = args[++i];
                    parsed.repeated_[key] << parsed.values_[key];
                } else {
                    *error = QStringLiteral("option --%1 needs a value").arg(key);
                    return std::nullopt;
                }
            } else if (flagOptions.contains(key) && !hasInline) {
                parsed.flags_ << key;
            } else {
                *error = QStringLiteral("unknown option --%1").arg(key);
                return std::nullopt;
            }
        } else {
            parsed.positional_ << a;
        }
    }
    return parsed;
}

int CliContext::refuse(const Prompt& prompt)
{
    err << prompt.render(texts) << Qt::endl;
    return kExitRefused;
}

int CliContext::usage(const QString& text)
{
    err << text << Qt::endl;
    return kExitUsage;
}

bool CliContext::selectLanguage(const QString& code)
{
    int sprache = 0;
    if (code == QLatin1String("de"))
        sprache = kSpracheDeutsch;
    else if (code == QLatin1String("en"))
        sprache = kSpracheEnglisch;
    else if (code == QLatin1String("fr"))
        sprache = kSpracheFranzoesisch;
    else
        return false;
    model.device.Sprache = sprache;
    SelectLanguage(texts, sprache, model.device.BrandIndex, workDir);
    return true;
}

Prompt CliContext::loadMessage(int result, const QString& path) const
{
    return LoadResultMessage(result, model.device.BrandIndex, path, LoadHintFor::CommandLine);
}

int CliContext::loadOrRefuse(const QString& path, int slot)
{
    const int result = LoadProgram(model, path, slot);
    if (result == LoadOk)
        return kExitOk;
    return refuse(loadMessage(result, path));
}

Answer CliInteraction::ask(const Prompt& prompt)
{
    if (prompt.buttons == Buttons::Ok)
        return Answer::Ok;
    if (yes_)
        return prompt.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    lastDeclined_ = prompt.render(texts_);
    return prompt.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
}

bool CliContext::setNow(const QString& text)
{
    const QDateTime fixed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!fixed.isValid())
        return false;
    model.clock = [fixed] { return fixed; };
    return true;
}

int CliContext::saveOrRefuse(bool yes)
{
    CliInteraction interaction(yes, texts);
    const SaveOutcome outcome = SaveProgram(model, interaction);
    if (outcome.result == 1)
        return kExitOk;
    switch (outcome.failure) {
    case SaveFailure::Abandoned:
        if (!interaction.lastDeclined().isEmpty())
            err << interaction.lastDeclined() << Qt::endl;
        else
            err << texts(TextId::ChooseOtherDstRule) << Qt::endl;
        break;
    case SaveFailure::WriteFailed:
        err << texts(TextId::InvalidFileName) << ": " << outcome.error << Qt::endl;
        break;
    default:
        err << texts(TextId::InvalidFileName) << Qt::endl;
        break;
    }
    return kExitRefused;
}

void JournalProgramWrite(CliContext& ctx, TransferPath path, const QString& where, bool confirmed)
{
    if (const auto told = zendrik::JournalProgramWrite(ctx.workDir, ctx.model, path, where, confirmed))
        ctx.err << told->render(ctx.texts) << Qt::endl;
}

} // namespace zendrik::cli
