#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zendrik::cli {

// Prints the text table one entry per line in table order: the template a
// translator fills in (zendrik-cli texts --lang en > my.ln1).
int runTexts(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("lang")}, {}, &error);
    if (!parsed)
        return ctx.usage(error);
    if (!parsed->positional().isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli texts [--lang de|en|fr]"));
    if (parsed->has(QStringLiteral("lang")) && !ctx.selectLanguage(parsed->value(QStringLiteral("lang"))))
        return ctx.usage(QStringLiteral("--lang takes de, en or fr"));

    const QStringList lines = ctx.texts.FileLines();
    if (ctx.json) {
        ctx.out << QJsonDocument(QJsonArray::fromStringList(lines)).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    for (const QString& line : lines)
        ctx.out << line << '\n';
    return kExitOk;
}

} // namespace zendrik::cli
