#include "app/cli/Commands.h"

namespace tovren::cli {

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands{
        buildCommand(), demoDataCommand(), evalCommand(),         importCommand(),      migrateCommand(),
        scriptCommand(),   templateInfoCommand(), templateSaveCommand(), templateXmlCommand(),
    };
    return commands;
}

} // namespace tovren::cli
