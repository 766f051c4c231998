#include "app/cli/Commands.h"

namespace tovren::cli {

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands{
        demoDataCommand(), evalCommand(),         importCommand(),      migrateCommand(),
        scriptCommand(),   templateInfoCommand(), templateSaveCommand(), templateXmlCommand(),
    };
    return commands;
}

} // namespace tovren::cli
