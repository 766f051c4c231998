#pragma once

#include "app/cli/Command.h"

// One factory per command; each lives in its own file beside this one.
namespace tovren::cli {

Command buildCommand();
Command demoDataCommand();
Command evalCommand();
Command importCommand();
Command migrateCommand();
Command scriptCommand();
Command templateInfoCommand();
Command templateSaveCommand();
Command templateXmlCommand();

} // namespace tovren::cli
