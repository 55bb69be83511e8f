#include "cli/Commands.h"

namespace zendrik::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "info FILE", &runInfo},
        {"list", "list FILE [--view switching|priority|dst|astro] [--sort COLUMN] [--channels N] [--weekdays MASK] [--months FROM-TO] [--prio FROM-TO] [--state 0|1|2] [--pulses 0|1|2] [--value N] [--sample FILE2 --slot 1]", &runList},
        {"save", "save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]", &runSave},
        {"texts", "texts [--lang de|en|fr]", &runTexts},
        {"sun", "sun --lat DEG --date D.M", &runSun},
        {"easter", "easter YEAR", &runEaster},
        {"dst", "dst --rule R YEAR", &runDst},
        {"astro", "astro --lon DEG --lat DEG --zone MIN --rise-offset MIN --set-offset MIN [--year Y]", &runAstro},
        {"holidays", "holidays YEAR [--set NAME] [--years N] [--ics OUT | --csv]", &runHolidays},
        {"write-chip", "write-chip FILE --port DEVICE [--verify all|block0] [--pause-ms MS]", &runWriteChip},
        {"read-chip", "read-chip --port DEVICE --out FILE [--pause-ms MS]", &runReadChip},
        {"simulate", "simulate FILE --year Y --channel C [--date D.M] [--json] [--png OUT [--width W --height H]] [--csv]", &runSimulate, true},
        {"check", "check FILE [--year Y] [--json]", &runCheck},
        {"diff", "diff FILE1 FILE2 [--json]", &runDiff},
        {"set-astro", "set-astro FILE OUT [--channel C] (--place NAME | --lon DEG --lat DEG --zone MIN) --rise-offset MIN --set-offset MIN --morning H:MM --evening H:MM [--rise-state off] [--set-state on]", &runSetAstro},
        {"places", "places [--lang de|en|fr]", &runPlaces},
        {"dst-table", "dst-table FILE OUT (--zone IANA --first-year Y [--years N] | --row \"D.M H S D.M H S\" ... [--first-year Y])", &runDstTable},
        {"print", "print FILE (--pdf OUT | --text OUT) [--sections switching,priority,dst,astro,device] [--lines N]", &runPrint, true},
        {"handover", "handover FILE --pdf OUT [--year Y]", &runHandover, true},
        {"ir-read", "ir-read --out FILE [--port 1|2] [--tool CMD] [--timeout S]", &runIrRead},
        {"ir-write", "ir-write FILE [--port 1|2] [--tool CMD] [--timeout S]", &runIrWrite},
        {"ir-settime", "ir-settime [--time HH:MM:SS --date DD.MM.YY] [--port 1|2] [--tool CMD] [--timeout S]", &runIrSetTime},
        {"master", "master FILE OUT [--card master|prog] [--bits N] [--permanent keyboard|switch] [--nak off|on] [--date-format euro|usa] [--clock-language de|fr] [--timebase radio|quartz] [--now \"YYYY-MM-DD HH:MM\"]", &runMaster},
        {"bus-interfaces", "bus-interfaces [--timeout S] [--host HOST] [--from ADDRESS]... [--json]", &runBusInterfaces},
        {"bus-search", "bus-search --link L --area A --line L --from N --to M", &runBusSearch},
        {"bus-write", "bus-write FILE --link L --address A.L.D", &runBusWrite},
        {"bus-read", "bus-read --link L --address A.L.D --out FILE", &runBusRead},
        {"bus-reinstall", "bus-reinstall --link L --address A.L.D", &runBusReinstall},
        {"site", "site new|add|list|check|apply|write|read|handover SITE ... (zendrik-cli site for each)", &runSite, true},
        {"recent", "recent [--remove-missing | --clear]", &runRecent},
        {"recover", "recover [--save OUT [--yes] | --discard]", &runRecover},
    };
    return table;
}

} // namespace zendrik::cli
