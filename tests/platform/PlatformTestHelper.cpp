// A helper process for the platform tests that need a second real process:
// a second editor start on the hand-over channel, and a holder of the
// single-instance lock.
//
//   handover-send <folder> <text>       raise, then copy data; prints both answers
//   handover-serve <folder>             answers copy data with the text's length,
//                                       prints "ready"; exits on the text "quit"
//   hold-lock <folder>                  takes the lock, prints "locked", sleeps
//   handover-as-nobody <folder>         (run as root) becomes user 65534, asks
//                                       for a raise; prints "answer N" or "no-answer"
#include "HandOverChannel.h"
#include "SingleInstanceLock.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.size() == 3 && args[0] == QLatin1String("handover-send")) {
        HandOverClient client(args[1]);
        if (!client.connectToRunning(5000)) {
            out << "no-instance\n";
            return 1;
        }
        out << "raise " << (client.raiseWindow() ? 1 : 0) << "\n";
        const std::optional<int> answer =
            client.sendCopyData(HandOverChannel::kCopyDataOpenFile, args[2]);
        out << "answer " << (answer ? QString::number(*answer) : QStringLiteral("none")) << "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("handover-serve")) {
        HandOverChannel channel(args[1]);
        channel.setCopyDataHandler([&](uint32_t code, const QString& text) {
            if (text == QLatin1String("quit"))
                QCoreApplication::exit(0);
            return code == HandOverChannel::kCopyDataOpenFile ? int(text.size()) : -1;
        });
        if (!channel.listen())
            return 1;
        out << "ready\n";
        out.flush();
        return app.exec();
    }
    if (args.size() == 2 && args[0] == QLatin1String("handover-as-nobody")) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            out << "no-setuid\n";
            return 1;
        }
        HandOverClient client(args[1]);
        if (!client.connectToRunning(5000)) {
            out << "no-connection\n";
            return 0;
        }
        out << (client.raiseWindow(3000) ? "answer 1\n" : "no-answer\n");
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("hold-lock")) {
        SingleInstanceLock lock(QString::fromLatin1(SingleInstanceLock::kName), args[1]);
        if (lock.tryLock() != SingleInstanceLock::Result::Acquired)
            return 1;
        out << "locked\n";
        out.flush();
        // Held until the test kills this process.
        QThread::sleep(600);
        return 0;
    }
    std::fprintf(stderr, "unknown command\n");
    return 64;
}
