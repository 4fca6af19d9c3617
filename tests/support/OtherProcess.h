#pragma once

#include <QProcess>
#include <gtest/gtest.h>

// A real process that stands for another running editor: its id is alive
// until end() or the end of the test.
struct OtherProcess {
    QProcess process;
    OtherProcess() {
        process.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        EXPECT_TRUE(process.waitForStarted());
    }
    ~OtherProcess() { end(); }
    qint64 pid() const { return process.processId(); }
    void end() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
};
