#include "CEditorApp.h"
#include "Clock.h"
#include "CommandLine.h"
#include "PosixFileSystem.h"
#include "DialogTexts.h"
#include "QtMessageService.h"
#include "Registry.h"

#include <QApplication>

int main(int argc, char** argv) {
    // QApplication takes its own options out of argc and argv.
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(CEditorApp::kAppName));

    Registry registry;
    QtMessageService messages(
        [](int answer) { return res::dialogText(res::IDD_MESSAGE_BOX, answer); });
    Clock clock;
    PosixFileSystem fileSystem;
    CEditorApp app(
        AppServices{registry, messages, clock, fileSystem, Locale::fromEnvironment(), QString()},
        commandline::fromArgv(argc, argv));
    if (!app.InitInstance())
        return app.startExitCode();
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
