#include "cli/Commands.h"

namespace zendrik::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "info FILE", &runInfo},
        {"list", "list FILE [--view switching|priority|dst|astro] [--sort COLUMN] [filter options] [--sample FILE2 --slot 1]", &runList},
        {"save", "save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]", &runSave},
        {"texts", "texts [--lang de|en|fr]", &runTexts},
        {"sun", "sun --lat DEG --date D.M", &runSun},
        {"easter", "easter YEAR", &runEaster},
        {"dst", "dst --rule R YEAR", &runDst},
        {"astro", "astro --lon DEG --lat DEG --zone MIN --rise-offset MIN --set-offset MIN [--year Y]", &runAstro},
        {"holidays", "holidays YEAR [--set NAME]", &runHolidays},
        {"write-chip", "write-chip FILE --port DEVICE [--verify all|block0]", &runWriteChip},
        {"read-chip", "read-chip --port DEVICE --out FILE", &runReadChip},
        {"simulate", "simulate FILE --year Y --channel C [--date D.M] [--json]", &runSimulate},
        {"check", "check FILE [--year Y] [--json]", &runCheck},
        {"diff", "diff FILE1 FILE2 [--json]", &runDiff},
    };
    return table;
}

} // namespace zendrik::cli
