#pragma once

#include "Subcommand.h"

// tavlo-cli macro check FILE.mcr: the loader's report, one line per line;
// exit 0 when the macro loaded, 1 when an error cancelled it or the file
// could not be read.
// tavlo-cli macro dump FILE.mcr: the loaded steps as the writer writes them,
// header included, in UTF-8; the report goes to the error stream and the exit
// codes are those of check.
Subcommand macroSubcommand();
