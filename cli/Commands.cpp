#include "cli/Commands.h"

namespace zendrik::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "info FILE", &runInfo},
        {"save", "save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]", &runSave},
        {"write-chip", "write-chip FILE --port DEVICE [--verify all|block0]", &runWriteChip},
        {"read-chip", "read-chip --port DEVICE --out FILE", &runReadChip},
    };
    return table;
}

} // namespace zendrik::cli
