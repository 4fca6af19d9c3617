#include "MacroRunCommand.h"

#include "CEditer.h"
#include "CharSetCommandSupport.h"
#include "Clock.h"
#include "CommandIds.h"
#include "DocumentFileDialog.h"
#include "DocumentServices.h"
#include "EditerDocument.h"
#include "ErrorStreamMessages.h"
#include "MacroFiles.h"
#include "PosixFileSystem.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "ViewMacroCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

namespace {

constexpr int kExitMacroNotLoaded = 1;
constexpr int kExitFileFailed = 2;

void printUsage(CliIo& io) {
    io.printError(
        QStringLiteral("Usage: tavlo-cli macro run [--lang HEX] [--dry-run] MACRO.mcr FILE...\n"));
}

// Steps that would ask for a file name (SAVE /A, saving before NEWFILE or
// OPEN) have no one to ask: the dialog counts as cancelled, and says so.
class NoFileDialog : public DocumentFileDialog {
  public:
    NoFileDialog(CliIo& io, const QString& file) : io_(io), file_(file) {}

    std::optional<DocumentDialogResult> run(DocumentDialogRequest&, QWidget*) override {
        io_.printError(cliMessage(QStringLiteral("%1: a step needs a file dialog; skipped")
                                      .arg(QDir::toNativeSeparators(file_))));
        return std::nullopt;
    }

  private:
    CliIo& io_;
    QString file_;
};

QString withLineEnding(QString text, int lineEnding) {
    if (lineEnding == 1)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    else if (lineEnding == 2)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

ProfileStore& withCompanyKey(ProfileStore& store) {
    store.SetRegistryKey(QStringLiteral("Orvane"));
    return store;
}

// The editor's settings for the run: a store of its own with the defaults,
// so that no run changes the user's, and without line wrap, so that lines
// are the file's lines whatever width a window would have. The user's
// saving option for JIS katakana is taken over.
class RunEnvironment {
  public:
    RunEnvironment(CharSetCommandContext& context, MessageService& messages)
        : registry_(dir_.filePath(QStringLiteral("registry.sqlite"))), store_(registry_),
          settings_(withCompanyKey(store_), context.locale()),
          documents_(settings_, context.locale(), QCoreApplication::applicationPid(), fileSystem_),
          messages_(messages), locale_(context.locale()) {
        settings_.writeInt(QStringLiteral("EDIT_AUTO_ARRANGE"), 0);
        settings_.writeInt(QStringLiteral("JIS_KATAKANA_MODE"),
                           context.katakanaMode() == JisKatakanaMode::HalfWidth ? 1 : 0);
    }

    std::unique_ptr<CEditer> makeEditor() {
        auto view = std::make_unique<CEditer>(ViewServices{settings_, messages_, clock_, locale_},
                                              documents_.services());
        view->resize(480, 640);
        view->show();
        view->OnInitialUpdate();
        return view;
    }
    const Clock& clock() const { return clock_; }

  private:
    QTemporaryDir dir_;
    Registry registry_;
    ProfileStore store_;
    Settings settings_;
    PosixFileSystem fileSystem_;
    DocumentServiceSet documents_;
    MessageService& messages_;
    Locale locale_;
    Clock clock_;
};

// Plays the macro over one file; false when the file could not be read or
// its result not written.
bool runOnFile(const Macro& macro, const QString& file, bool dryRun, RunEnvironment& env,
               CliIo& io) {
    const std::unique_ptr<CEditer> view = env.makeEditor();
    view->document().setFileDialog(std::make_unique<NoFileDialog>(io, file));
    const QString path = QFileInfo(file).absoluteFilePath();
    if (!view->OpenFileByPath(path))
        return false;
    const QString loaded = view->GetText();
    view->macroCommands().macro() = macro;
    view->onCommand(cmd::ID_MACRO_PLAY);
    const DocumentState& state = view->state();
    if (dryRun) {
        const QByteArray text = withLineEnding(view->GetText(), state.lineEnding).toUtf8();
        return io.writeOut(text.constData(), text.size());
    }
    const bool sameFile = state.currentPath == path;
    if (!view->IsDocumentChanged() && !(sameFile && view->GetText() != loaded))
        return true;
    if (state.currentPath.isEmpty()) {
        io.printError(cliMessage(QStringLiteral("%1: the macro left a new document without a "
                                                "name; nothing was saved")
                                     .arg(QDir::toNativeSeparators(file))));
        return true;
    }
    return view->document().WriteTextFile(state.currentPath, state.charSet, state.lineEnding);
}

} // namespace

bool isMacroRunCommandLine(int argc, char** argv) {
    return argc > 2 && std::strcmp(argv[1], "macro") == 0 && std::strcmp(argv[2], "run") == 0;
}

std::unique_ptr<QCoreApplication> makeMacroRunApplication(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg || type == QtCriticalMsg)
            fprintf(stderr, "tavlo-cli: %s\n", qPrintable(text));
    });
    return std::make_unique<QApplication>(argc, argv);
}

int runMacroRun(QStringList args, CliIo& io) {
    CharSetCommandContext context;
    if (!context.takeLanguageOption(args, io))
        return cli::kExitUsage;
    const bool dryRun = args.removeAll(QStringLiteral("--dry-run")) > 0;
    if (args.size() < 2 || args[0].startsWith(QStringLiteral("--"))) {
        printUsage(io);
        return cli::kExitUsage;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        io.printError(cliMessage(QStringLiteral("macro run needs the editor's widgets")));
        return cli::kExitFailure;
    }
    ErrorStreamMessages messages(io);
    RunEnvironment env(context, messages);
    Macro macro;
    const MacroFileServices services{messages, context.locale(), env.clock(), nullptr, nullptr};
    const bool read = MacroLoad(macro, args[0], services);
    QString report = macro.report;
    io.printError(report.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (!read || macro.hasError)
        return kExitMacroNotLoaded;
    // Relative OPEN and SAVE paths are taken from where the command runs.
    macro.sourceFolder = QDir::currentPath() + u'/';

    bool allDone = true;
    for (const QString& file : args.mid(1)) {
        if (!runOnFile(macro, file, dryRun, env, io))
            allDone = false;
    }
    return allDone ? cli::kExitOk : kExitFileFailed;
}
