#pragma once

#include <QString>

// tavlo-cli maps a regular input file instead of reading it. If another
// program shortens the file meanwhile, reading a page that vanished raises
// SIGBUS. The output file is replaced only after its last byte, so stopping
// there loses nothing; the guard makes the stop a clear message on the error
// stream and exit status 1 instead of a crash.
void guardMappedInput(const QString& path);
