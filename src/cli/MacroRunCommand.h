#pragma once

#include "Subcommand.h"

#include <QCoreApplication>
#include <memory>

// tavlo-cli macro run [--lang HEX] [--dry-run] MACRO.mcr FILE...: for each
// file, an editor without a window opens it as the editor does, plays the
// macro and saves the changed text back in place through the editor's safe
// save (or, with --dry-run, writes it to standard output as UTF-8). Message
// boxes take their default answer and print their texts to standard error.
// Exit 0 when every file was processed, 1 when the macro does not load,
// 2 when a file could not be read or written (the others are still done).
// `args` are the arguments after "run".
int runMacroRun(QStringList args, CliIo& io);

// Whether the command line is "tavlo-cli macro run ...", which needs widgets.
bool isMacroRunCommandLine(int argc, char** argv);

// The application for "macro run": widgets on the offscreen platform, chosen
// before the application exists, so that no display is needed; Qt's own
// chatter stays off standard error, which carries the editor's messages.
std::unique_ptr<QCoreApplication> makeMacroRunApplication(int& argc, char** argv);
