#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "calendar/BehaviourComparison.h"
#include "calendar/BehaviourTexts.h"
#include "calendar/SimulationYears.h"
#include "calendar/YearSimulation.h"
#include "editing/checks/ProgramDiff.h"
#include "model/ProgramFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace zendrik::cli {

namespace {

const QString kDiffUsage = QStringLiteral(
    "usage: zendrik-cli diff FILE1 FILE2 [--json]\n"
    "       zendrik-cli diff FILE1 FILE2 --behaviour [--year Y] [--channel C] [--json]\n"
    "  the difference of two program files: header lines ('* field: first -> second'),\n"
    "  then entries only in FILE1 ('-'), only in FILE2 ('+') and changed in state,\n"
    "  channels or pulse ('~'). Exit status 0 when they agree, 3 when they differ.\n"
    "  --behaviour: what the two programs do differently when simulated through the year\n"
    "  (default: this year): per channel that differs 'C1: 12 days, +37 h 30 Min' (the\n"
    "  operating time from FILE1 to FILE2), then each differing day with the stretches\n"
    "  ON and the pulses of both ('  3.4.2027: 7:00-17:30 ON -> 7:30-17:30 ON').");

QString IsoDate(const CalendarDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.year, 4, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}

int ReportBehaviour(CliContext& ctx, const CommandArgs& parsed, const ProgramModel& second, bool json)
{
    int yearRc = kExitOk;
    const std::optional<int> chosenYear = YearOption(ctx, parsed, kFirstSimulationYear, kLastSimulationYear, &yearRc);
    if (!chosenYear)
        return yearRc;
    int year = *chosenYear;
    const YearSimulation first(ctx.model, year);
    const YearSimulation other(second, year);
    int channel = -1;
    if (parsed.has(QStringLiteral("channel"))) {
        const int channels = std::min(first.Kanaele(), other.Kanaele());
        const std::optional<int> chosen = WholeNumberIn(parsed.value(QStringLiteral("channel")), 1, channels);
        if (!chosen)
            return ctx.usage(QStringLiteral("--channel takes 1..%1 for these programs").arg(channels));
        channel = *chosen - 1;
    }
    const BehaviourComparison comparison = CompareBehaviour(first, other, channel);
    if (json) {
        QJsonArray channels;
        for (const ChannelBehaviour& c : comparison.channels) {
            if (!c.differs())
                continue;
            QJsonArray days;
            for (const BehaviourDay& d : c.days)
                days.append(IsoDate(d.first));
            channels.append(QJsonObject{{QStringLiteral("channel"), c.channel + 1},
                                        {QStringLiteral("days"), days},
                                        {QStringLiteral("minutes_on_only_in_first"), static_cast<qint64>(c.onOnlyInFirst)},
                                        {QStringLiteral("minutes_on_only_in_second"), static_cast<qint64>(c.onOnlyInSecond)},
                                        {QStringLiteral("hours_first"), c.minutesFirst / 60.0},
                                        {QStringLiteral("hours_second"), c.minutesSecond / 60.0}});
        }
        ctx.out << QJsonDocument(QJsonObject{{QStringLiteral("year"), year}, {QStringLiteral("channels"), channels}})
                       .toJson(QJsonDocument::Indented);
    } else {
        for (const QString& line : BehaviourLines(comparison, ctx.texts))
            ctx.out << line << '\n';
    }
    return comparison.differs() ? kExitFindings : kExitOk;
}

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
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("year"), QStringLiteral("channel")},
                                           {QStringLiteral("json"), QStringLiteral("behaviour")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kDiffUsage);
    const bool behaviour = parsed->has(QStringLiteral("behaviour"));
    if (parsed->positional().size() != 2
        || (!behaviour && (parsed->has(QStringLiteral("year")) || parsed->has(QStringLiteral("channel")))))
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

    if (behaviour)
        return ReportBehaviour(ctx, *parsed, second, ctx.json || parsed->has(QStringLiteral("json")));

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
