#include "cli/Commands.h"

namespace zendrik::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "info FILE", &runInfo},
        {"save", "save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]", &runSave},
        {"texts", "texts [--lang de|en|fr]", &runTexts},
    };
    return table;
}

} // namespace zendrik::cli
