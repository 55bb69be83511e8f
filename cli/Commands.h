#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zendrik::cli {

struct CliContext;

// One command of zendrik-cli. New commands add a file with their run
// function and one line in Commands.cpp.
struct Command {
    const char* name;
    const char* synopsis;
    int (*run)(CliContext& context, const QStringList& args);
    // Commands that render images or pages run on a QGuiApplication
    // (offscreen without a display).
    bool paints = false;
};

const std::vector<Command>& commands();

int runInfo(CliContext& context, const QStringList& args);
int runList(CliContext& context, const QStringList& args);
int runSave(CliContext& context, const QStringList& args);
int runTexts(CliContext& context, const QStringList& args);
int runSun(CliContext& context, const QStringList& args);
int runEaster(CliContext& context, const QStringList& args);
int runDst(CliContext& context, const QStringList& args);
int runAstro(CliContext& context, const QStringList& args);
int runHolidays(CliContext& context, const QStringList& args);
int runWriteChip(CliContext& context, const QStringList& args);
int runReadChip(CliContext& context, const QStringList& args);
int runSimulate(CliContext& context, const QStringList& args);
int runCheck(CliContext& context, const QStringList& args);
int runDiff(CliContext& context, const QStringList& args);
int runSetAstro(CliContext& context, const QStringList& args);
int runPlaces(CliContext& context, const QStringList& args);
int runDstTable(CliContext& context, const QStringList& args);

// Saves the program into OUT with the program-file writer, the questions
// answered by `yes`; prints the reason of a refusal.
int saveOrRefuse(CliContext& context, const QString& out, bool yes);
int runPrint(CliContext& context, const QStringList& args);
int runHandover(CliContext& context, const QStringList& args);
int runSite(CliContext& context, const QStringList& args);
int runIrRead(CliContext& context, const QStringList& args);
int runIrWrite(CliContext& context, const QStringList& args);
int runIrSetTime(CliContext& context, const QStringList& args);
int runMaster(CliContext& context, const QStringList& args);
int runBusInterfaces(CliContext& context, const QStringList& args);
int runBusSearch(CliContext& context, const QStringList& args);
int runBusWrite(CliContext& context, const QStringList& args);
int runBusRead(CliContext& context, const QStringList& args);
int runBusReinstall(CliContext& context, const QStringList& args);
int runRecent(CliContext& context, const QStringList& args);
int runRecover(CliContext& context, const QStringList& args);

} // namespace zendrik::cli
