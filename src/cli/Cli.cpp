#include "Subcommand.h"

#include "FileNameBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifndef TAVLO_VERSION
#define TAVLO_VERSION "1.11"
#endif

bool CliIo::writeOut(const char* data, qsizetype size) {
    if (outFailed)
        return false;
    errno = 0;
    if (size == 0 || out.write(data, size) == size)
        return true;
    const int error = errno;
    outFailed = true;
    printError(cliMessage(
        QStringLiteral("standard output: ") +
        (error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : out.errorString())));
    return false;
}

bool CliIo::print(const QString& text) {
    const QByteArray bytes = bytesFromText(text);
    return writeOut(bytes.constData(), bytes.size());
}

void CliIo::printError(const QString& text) {
    err.write(bytesFromText(text));
}

QString cliMessage(const QString& text) {
    QString line = text.trimmed();
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    line.replace(QStringLiteral("\n\n"), QStringLiteral(": "));
    line.replace(u'\n', u' ');
    return QStringLiteral("tavlo-cli: ") + line + u'\n';
}

QString cliUsage(std::span<const Subcommand> subcommands) {
    QString usage = QStringLiteral("Usage: tavlo-cli SUBCOMMAND [ARGUMENTS]\n"
                                   "       tavlo-cli --help | --version\n"
                                   "\n"
                                   "The command-line companion of Tavlo Text Editor.\n"
                                   "\n");
    if (subcommands.empty()) {
        usage += QStringLiteral("No subcommands are available in this build.\n");
        return usage;
    }
    usage += QStringLiteral("Subcommands:\n");
    qsizetype width = 0;
    for (const Subcommand& sub : subcommands)
        width = std::max(width, sub.name.size() + 1 + sub.synopsis.size());
    for (const Subcommand& sub : subcommands) {
        const QString head = sub.synopsis.isEmpty() ? sub.name : sub.name + u' ' + sub.synopsis;
        usage += QStringLiteral("  ") + head.leftJustified(width) + QStringLiteral("  ") +
                 sub.summary + u'\n';
    }
    usage += QStringLiteral(
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  failed: a file could not be read or written (standard output included),\n"
        "     its data was refused, memory ran out, or an error cancelled a macro's\n"
        "     load; the reason is on the error stream, one line each\n"
        "  2  the command line was wrong\n");
    return usage;
}

int runCli(const QStringList& args, std::span<const Subcommand> subcommands, CliIo& io) {
    if (args.isEmpty()) {
        io.printError(cliUsage(subcommands));
        return cli::kExitUsage;
    }
    const QString& first = args.first();
    if (first == u"--help" || first == u"-h") {
        io.print(cliUsage(subcommands));
        return cli::kExitOk;
    }
    if (first == u"--version") {
        io.print(QStringLiteral("tavlo-cli " TAVLO_VERSION "\n"));
        return cli::kExitOk;
    }
    const auto found = std::find_if(subcommands.begin(), subcommands.end(),
                                    [&first](const Subcommand& sub) { return sub.name == first; });
    if (found == subcommands.end() || !found->run) {
        io.printError(QStringLiteral("tavlo-cli: unknown subcommand \"%1\"\n\n").arg(first) +
                      cliUsage(subcommands));
        return cli::kExitUsage;
    }
    return found->run(args.mid(1), io);
}
