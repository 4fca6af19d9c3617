#pragma once
// Runs the built tavlo-cli in a child process, as a user runs it, for the
// tests of its subcommands.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace clitest {

struct CliRun {
    int exitCode;
    QByteArray out;
    QString err;
};

// How tavlo-cli is started: its locale (LANG; LC_ALL and LC_MESSAGES unset),
// its working directory (empty: the test's own), and shell commands to run
// before it replaces the shell (limits, signal dispositions; empty: no shell).
struct CliOptions {
    QString lang;
    QString workingDirectory;
    QString shellPrefix;
};

// A test with a temporary folder of its own. The settings store named there
// does not exist, so tavlo-cli runs as on a fresh installation.
class CliFixture : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The bytes of a file in the folder ("<missing>" when there is none).
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    CliRun runCli(const QStringList& args, const CliOptions& options) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TAVLO_REGISTRY", path("no-registry.sqlite"));
        env.insert("LANG", options.lang);
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        p.setProcessEnvironment(env);
        if (!options.workingDirectory.isEmpty())
            p.setWorkingDirectory(options.workingDirectory);
        if (options.shellPrefix.isEmpty()) {
            p.start(TAVLO_CLI, args);
        } else {
            QString command = options.shellPrefix + " exec \"$0\"";
            for (int i = 0; i < args.size(); ++i)
                command += QStringLiteral(" \"${%1}\"").arg(i + 1);
            p.start("/bin/sh", QStringList{"-c", command, TAVLO_CLI} + args);
        }
        EXPECT_TRUE(p.waitForFinished(60000));
        // A crash is no exit code at all.
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
    }
    // Everything in the folder, hidden and special files included.
    QStringList entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // In English, in the test's folder.
    CliRun run(const QStringList& args, const QString& shellPrefix = QString()) const {
        return runCli(args, {QStringLiteral("en_US.UTF-8"), dir_.path(), shellPrefix});
    }

    QTemporaryDir dir_;
};

} // namespace clitest
