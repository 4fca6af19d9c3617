#pragma once

#include "Subcommand.h"

// tavlo-cli detect [--lang HEX] FILE...: the character set and line ending the
// editor's loader would use for each file.
Subcommand detectSubcommand();
