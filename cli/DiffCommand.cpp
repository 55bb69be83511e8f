#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "editing/checks/ProgramDiff.h"
#include "model/ProgramFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

const QString kDiffUsage = QStringLiteral(
    "usage: zendrik-cli diff FILE1 FILE2 [--json]\n"
    "  the difference of two program files: header lines ('* field: first -> second'),\n"
    "  then entries only in FILE1 ('-'), only in FILE2 ('+') and changed in state,\n"
    "  channels or pulse ('~'). Exit status 0 when they agree, 3 when they differ.");

const char* KindKey(EntryDiffKind kind)
{
    switch (kind) {
    case EntryDiffKind::OnlyInFirst:
        return "only-in-first";
    case EntryDiffKind::OnlyInSecond:
        return "only-in-second";
    case EntryDiffKind::Changed:
        break;
    }
    return "changed";
}

QJsonValue RowOf(const ProgramModel& m, int entry)
{
    if (entry < 0)
        return QJsonValue();
    const ProgramSlot& s = m.program();
    const bool prio = entry >= s.AnzSz;
    return QJsonObject{{QStringLiteral("list"), prio ? QStringLiteral("priority") : QStringLiteral("switching")},
                       {QStringLiteral("row"), prio ? entry - s.AnzSz + 1 : entry + 1}};
}

} // namespace

int runDiff(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {}, {QStringLiteral("json")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kDiffUsage);
    if (parsed->positional().size() != 2)
        return ctx.usage(kDiffUsage);
    // The second file goes into a model of its own, set up the same way.
    // A refusal names the file it is about, as there are two.
    ProgramModel second = ctx.model;
    const QString files[2] = {parsed->positional().at(0), parsed->positional().at(1)};
    ProgramModel* models[2] = {&ctx.model, &second};
    for (int i = 0; i < 2; ++i) {
        if (const int result = LoadProgram(*models[i], files[i], kProgramSlot); result != LoadOk) {
            Prompt message = ctx.loadMessage(result, files[i]);
            if (!message.render(ctx.texts).contains(files[i]))
                message.parts.insert(message.parts.begin(), files[i] + QStringLiteral(": "));
            return ctx.refuse(message);
        }
    }

    const ProgramDiff diff = DiffPrograms(ctx.model, kProgramSlot, second, kProgramSlot);
    if (ctx.json || parsed->has(QStringLiteral("json"))) {
        QJsonArray header;
        for (const HeaderDifference& d : diff.header) {
            QJsonObject o{{QStringLiteral("field"), QString::fromLatin1(HeaderFieldKey(d.field))},
                          {QStringLiteral("name"), HeaderFieldName(d, ctx.texts)},
                          {QStringLiteral("first"), d.first},
                          {QStringLiteral("second"), d.second}};
            if (d.index >= 0)
                o[QStringLiteral("index")] = d.index + 1;
            if (d.count > 0)
                o[QStringLiteral("count")] = d.count;
            header.append(o);
        }
        QJsonArray entries;
        for (const EntryDifference& d : diff.entries) {
            QJsonObject o{{QStringLiteral("kind"), QString::fromLatin1(KindKey(d.kind))},
                          {QStringLiteral("first"), RowOf(ctx.model, d.first)},
                          {QStringLiteral("second"), RowOf(second, d.second)}};
            if (d.kind == EntryDiffKind::Changed) {
                QJsonArray fields;
                for (const auto& [bit, name] : {std::pair{DiffState, "state"}, std::pair{DiffChannels, "channels"},
                                                std::pair{DiffPulse, "pulse"}, std::pair{DiffOther, "other"}}) {
                    if (d.fields & bit)
                        fields.append(QString::fromLatin1(name));
                }
                o[QStringLiteral("fields")] = fields;
            }
            entries.append(o);
        }
        ctx.out << QJsonDocument(QJsonObject{{QStringLiteral("header"), header}, {QStringLiteral("entries"), entries}})
                       .toJson(QJsonDocument::Indented);
    } else {
        for (const QString& line : DiffLines(diff, ctx.model, kProgramSlot, second, kProgramSlot, ctx.texts))
            ctx.out << line << '\n';
    }
    return diff.empty() ? kExitOk : kExitFindings;
}

} // namespace zendrik::cli
