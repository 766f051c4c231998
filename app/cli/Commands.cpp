#include "app/cli/Commands.h"

namespace tovren::cli {

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands{
        buildCommand(),        calibrateCommand(),       demoDataCommand(),
        evalCommand(),         exportCommand(),          importCommand(),
        migrateCommand(),      printCommand(),           scriptCommand(),
        templateInfoCommand(), templateRestoreCommand(), templateSaveCommand(),
        templateXmlCommand(),
    };
    return commands;
}

} // namespace tovren::cli
