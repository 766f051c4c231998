#pragma once

#include "app/cli/Command.h"

// One factory per command; each lives in its own file beside this one.
namespace tovren::cli {

Command buildCommand();
Command calibrateCommand();
Command demoDataCommand();
Command evalCommand();
Command exportCommand();
Command importCommand();
Command migrateCommand();
Command printCommand();
Command scriptCommand();
Command templateInfoCommand();
Command templateRestoreCommand();
Command templateSaveCommand();
Command templateXmlCommand();

} // namespace tovren::cli
