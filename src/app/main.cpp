#include "CEditorApp.h"
#include "Clock.h"
#include "CommandLine.h"
#include "PosixFileSystem.h"
#include "QtMessageService.h"
#include "Registry.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(CEditorApp::kAppName));

    Registry registry;
    QtMessageService messages;
    Clock clock;
    PosixFileSystem fileSystem;
    CEditorApp app(
        AppServices{registry, messages, clock, fileSystem, Locale::fromEnvironment(), QString()},
        commandline::fromArguments(QApplication::arguments()));
    if (!app.InitInstance())
        return app.startExitCode();
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
