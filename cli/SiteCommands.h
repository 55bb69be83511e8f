#pragma once

#include "cli/CliContext.h"
#include "site/Site.h"

#include <vector>

namespace zendrik::cli {

// The subcommands of `site`: one building site's devices kept together.
struct SiteCommand {
    const char* name;
    const char* synopsis;
    int (*run)(CliContext& context, const QStringList& args); // args after the subcommand's name
};

const std::vector<SiteCommand>& siteCommands();

// Loads the site file; on failure prints why (naming the line) and returns
// kExitRefused, else kExitOk.
int LoadSiteOrRefuse(CliContext& context, const QString& path, Site& site);

int runSiteNew(CliContext& context, const QStringList& args);
int runSiteAdd(CliContext& context, const QStringList& args);
int runSiteList(CliContext& context, const QStringList& args);
int runSiteCheck(CliContext& context, const QStringList& args);
int runSiteApply(CliContext& context, const QStringList& args);
int runSiteWrite(CliContext& context, const QStringList& args);
int runSiteRead(CliContext& context, const QStringList& args);
int runSiteHandover(CliContext& context, const QStringList& args);

} // namespace zendrik::cli
