#pragma once

#include "Subcommand.h"

// tavlo-cli convert [--lang HEX] [--from ID] --to ID [--eol 0|1|2]
// [--katakana-mode 0|1] IN OUT: loads IN as the editor would and writes OUT as
// its save would ("-" writes to standard output).
Subcommand convertSubcommand();
