#include "AppFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

// Starts the real `tavlo` program, each in its own process, under the
// offscreen platform with the fixture's runtime folder and a registry of its own.
namespace {

// A second start hands its path, if any, to the running editor (which opens
// only its own record), asks it once to come to the front and ends.
struct SecondStart {
    const char* name;
    QStringList arguments;
    QString opened; // in the working folder; empty: nothing is handed over
};

class SingleInstanceSecondStart : public AppFixture,
                                  public ::testing::WithParamInterface<SecondStart> {
  protected:
    QProcess* start(const QStringList& arguments) {
        QProcess* p = processes.emplace_back(std::make_unique<QProcess>()).get();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtime());
        env.insert("XDG_CONFIG_HOME", files.path("config"));
        env.insert("TAVLO_REGISTRY", files.path("registry.sqlite"));
        env.insert("QT_LOGGING_RULES", "tavlo.app.debug=true");
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(files.folder());
        p->start(QStringLiteral(TAVLO_PROGRAM), arguments);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }

    // Reads what the process wrote to its error output so far.
    static QString errorOutput(QProcess* p, QString& collected) {
        collected += QString::fromUtf8(p->readAllStandardError());
        return collected;
    }

    // Destroying a process object kills what still runs and waits for it.
    std::vector<std::unique_ptr<QProcess>> processes;
    QString firstLog;
};

TEST_P(SingleInstanceSecondStart, HandsOverItsPathAndEnds) {
    const QString opened =
        GetParam().opened.isEmpty() ? QString() : files.write(GetParam().opened, "memo\r\n");
    // The second start comes once the first editor listens for it.
    QProcess* first = start({});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return errorOutput(first, firstLog).contains("listening on"); }, 20000))
        << firstLog.toStdString();
    QProcess* second = start(GetParam().arguments);
    // The raise request may come before or after the path.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return errorOutput(first, firstLog).contains("raise requested") &&
                   (opened.isEmpty() ||
                    firstLog.contains("open handed-over path: " + opened + "\n"));
        },
        20000))
        << firstLog.toStdString();
    // The second start waits for the first editor's answer (at most 30 s,
    // should the first one show a message about the file), then ends. It may
    // have ended already while the wait above ran the event loop.
    ASSERT_TRUE(second->state() == QProcess::NotRunning || second->waitForFinished(45000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    const QString secondLog = QString::fromUtf8(second->readAllStandardError());
    EXPECT_TRUE(secondLog.contains("running instance found")) << secondLog.toStdString();
    EXPECT_FALSE(secondLog.contains("listening on")) << "the second start never ran as editor";
    EXPECT_EQ(secondLog.contains("handed over"), !opened.isEmpty()) << secondLog.toStdString();
    EXPECT_EQ(errorOutput(first, firstLog).count("open handed-over path"),
              opened.isEmpty() ? 0 : 1);
    EXPECT_EQ(firstLog.count("raise requested"), 1);
    EXPECT_EQ(first->state(), QProcess::Running);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SingleInstanceSecondStart,
    ::testing::Values(SecondStart{"PathWithABlank", {"メモ", "1.txt"}, "メモ 1.txt"},
                      SecondStart{"QuotedPath", {"\"メモ", "2.txt\""}, "メモ 2.txt"},
                      SecondStart{"NoPath", {}, {}}, SecondStart{"TwoQuotes", {"\"\""}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
