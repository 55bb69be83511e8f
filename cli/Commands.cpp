#include "cli/Commands.h"

namespace zendrik::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "info FILE", &runInfo},
        {"list", "list FILE [--view switching|priority|dst|astro] [--sort COLUMN] [filter options] [--sample FILE2 --slot 1]", &runList},
        {"save", "save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]", &runSave},
    };
    return table;
}

} // namespace zendrik::cli
