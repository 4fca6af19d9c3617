#pragma once

#include <QString>
#include <QStringList>

// The editor's command line is one file path: the program's arguments joined
// by one blank, so that a path with blanks works quoted or not.
namespace commandline {

// The arguments after the program name, joined by one blank.
QString fromArguments(const QStringList& argumentsWithProgram);
// The same from the program's own argument vector, each argument read as a
// file name's bytes (see FileNameBytes.h), so that a name that is not UTF-8
// reaches the file system and the running editor as the bytes typed.
QString fromArgv(int argc, const char* const* argv);

// The text a second start hands to the running editor: trimmed; one double
// quote at the start removed and the start trimmed again; then, if anything
// is left, one double quote at the end removed and the end trimmed again.
QString handOverText(const QString& commandLine);

// The path the first start opens: the trimmed command line without every
// double quote at its start and every one at its end.
QString openPath(const QString& commandLine);

} // namespace commandline
