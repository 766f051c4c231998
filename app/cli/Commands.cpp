#include "app/cli/Commands.h"

namespace tovren::cli {

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands{
        demoDataCommand(),
        migrateCommand(),
        importCommand(),
    };
    return commands;
}

} // namespace tovren::cli
