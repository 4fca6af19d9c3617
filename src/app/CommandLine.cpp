#include "CommandLine.h"

#include "FileNameBytes.h"

#include <cstring>

namespace commandline {

namespace {

QString trimStart(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.mid(i);
}

QString trimEnd(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1].isSpace())
        --n;
    return text.left(n);
}

} // namespace

QString fromArguments(const QStringList& argumentsWithProgram) {
    return argumentsWithProgram.mid(1).join(u' ');
}

QString fromArgv(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << textFromBytes(QByteArrayView(argv[i], qsizetype(std::strlen(argv[i]))));
    return fromArguments(arguments);
}

QString handOverText(const QString& commandLine) {
    QString text = commandLine.trimmed();
    if (text.startsWith(u'"'))
        text = trimStart(text.mid(1));
    if (!text.isEmpty() && text.endsWith(u'"'))
        text = trimEnd(text.chopped(1));
    return text;
}

QString openPath(const QString& commandLine) {
    QString text = commandLine.trimmed();
    qsizetype start = 0;
    while (start < text.size() && text[start] == u'"')
        ++start;
    qsizetype end = text.size();
    while (end > start && text[end - 1] == u'"')
        --end;
    return text.mid(start, end - start);
}

} // namespace commandline
