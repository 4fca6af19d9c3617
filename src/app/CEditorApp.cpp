#include "CEditorApp.h"

#include "QsdSelectLogic.h"

#include "AppIcon.h"
#include "AssociationStartupCheck.h"
#include "CAboutDlg.h"
#include "CEditer.h"
#include "CMainFrame.h"
#include "CUiLanguageCheckDlg.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "DesktopAssociation.h"
#include "DialogTexts.h"
#include "DocumentWiring.h"
#include "FilePath.h"
#include "FileTypeAssociation.h"
#include "HandOverChannel.h"
#include "LanguageStartup.h"
#include "MacroWiring.h"
#include "MessageService.h"
#include "QsdMacroFileChooser.h"
#include "QsdSelectFile.h"
#include "QsdSelectLogic.h"
#include "QsdServices.h"
#include "RecentFileList.h"
#include "Registry.h"
#include "Settings.h"
#include "SettingsCommand.h"
#include "SingleInstanceLock.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UiLanguage.h"
#include "ViewMacroCommands.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLoggingCategory>
#include <QThread>

#include <cstring>

// Start-up and hand-over steps; enable with QT_LOGGING_RULES="tavlo.app.debug=true".
Q_LOGGING_CATEGORY(lcApp, "tavlo.app", QtWarningMsg)

namespace {

// A relative path names a file of the folder the editor was started in; the
// running editor, which may have another current folder, gets it absolute.
QString absolutePath(const QString& path) {
    return filepath::absolutePath(path);
}

} // namespace

CEditorApp::CEditorApp(AppServices services, QString commandLine)
    : services_(std::move(services)), commandLine_(std::move(commandLine)),
      profile_(services_.registry) {
    handOverToRunningInstance();
}

CEditorApp::~CEditorApp() {
    router_.removeTarget(this);
    router_.removeTarget(settingsCommand_.get());
    // The frame and the view go before the settings they write at the end.
    frame_.reset();
}

QString CEditorApp::runtimeFolder() const {
    return services_.runtimeFolder;
}

void CEditorApp::handOverToRunningInstance() {
    HandOverClient client(runtimeFolder());
    if (!client.connectToRunning())
        return;
    foundRunning_ = true;
    qCDebug(lcApp) << "running instance found";
    if (!client.raiseWindow())
        return;
    // Give the running editor time to come to the front before it is asked
    // to open anything.
    QThread::msleep(500);

    const QString text = absolutePath(commandline::handOverText(commandLine_));
    if (text.isEmpty()) {
        handedOver_ = true;
        return;
    }
    const auto answer = client.sendCopyData(HandOverChannel::kCopyDataOpenFile, text);
    handedOver_ = answer.has_value();
    qCDebug(lcApp) << "handed over" << text << "answer" << answer.value_or(-1);
}

void CEditorApp::reportUnansweredHandOver() {
    // The editor that holds the lock did not take the request: a file given
    // to this start would be lost without a word.
    const QString text = absolutePath(commandline::handOverText(commandLine_));
    const QString message =
        text.isEmpty() ? res::loadString(sid::IDS_RUNNING_EDITOR_SILENT, QString())
                       : res::substitute(
                             res::loadString(sid::IDS_RUNNING_EDITOR_SILENT_FILE, QString()), text);
    services_.messages.show(message, QString::fromLatin1(kAppName), mb::MB_OK | mb::MB_ICONERROR);
    startExitCode_ = 1;
}

void CEditorApp::reportSettingsStore() {
    const StoreProblem problem = services_.registry.problem();
    if (problem == StoreProblem::None)
        return;
    static_assert(sid::IDS_STORE_TABLES_NOT_MADE - sid::IDS_STORE_READ_ONLY ==
                  uint32_t(StoreProblem::TablesNotMade) - uint32_t(StoreProblem::ReadOnly));
    QString reason = res::loadString(
        sid::IDS_STORE_READ_ONLY + uint32_t(problem) - uint32_t(StoreProblem::ReadOnly), QString());
    if (services_.registry.problemError() != 0)
        reason = res::substitute(
            reason, QString::fromLocal8Bit(std::strerror(services_.registry.problemError())));
    const QString format = res::loadString(
        services_.registry.isAvailable() ? sid::IDS_STORE_PROBLEM : sid::IDS_STORE_PROBLEM_DEFAULTS,
        QString());
    // The store's path goes into the first field only, even if it holds a
    // "%s" of its own.
    const qsizetype first = format.indexOf(u"%s");
    const QString message = first < 0 ? format
                                      : format.left(first) + services_.registry.databasePath() +
                                            res::substitute(format.mid(first + 2), reason);
    services_.messages.show(message, QString::fromLatin1(kAppName),
                            mb::MB_OK | mb::MB_ICONEXCLAMATION);
}

bool CEditorApp::InitInstance() {
    lock_ = std::make_unique<SingleInstanceLock>(QString::fromLatin1(SingleInstanceLock::kName),
                                                 runtimeFolder());
    switch (lock_->tryLock()) {
    case SingleInstanceLock::Result::AlreadyRunning:
        qCDebug(lcApp) << "another instance runs; ending";
        if (!handedOver_)
            reportUnansweredHandOver();
        return false;
    case SingleInstanceLock::Result::Failed:
        qCWarning(lcApp) << "single-instance lock unavailable:" << lock_->errorString();
        // A running editor answered: this start has done its part. Without
        // one, the editor still works; only later starts can't find it.
        if (foundRunning_) {
            if (!handedOver_)
                reportUnansweredHandOver();
            return false;
        }
        break;
    case SingleInstanceLock::Result::Acquired:
        break;
    }

    profile_.SetRegistryKey(QString::fromLatin1(kCompanyName));
    settings_ = std::make_unique<Settings>(profile_, services_.locale,
                                           [] { return QFontDatabase::families(); });
    recentFiles_ = std::make_unique<RecentFileList>(
        profile_, settings_->getInt(QStringLiteral("MRU_LIST_ITEM_COUNT")));
    recentFiles_->ReadList();
    fileSelectCommon_ = std::make_unique<QsdCommonSettings>();
    fileSelectCommon_->load(*settings_);
    startUiLanguage();

    const QString commandLine = commandLine_.trimmed();
    createFrameAndView();
    if (view_)
        connectDocuments(*this, *frame_, *view_, *recentFiles_);
    if (view_)
        connectMacros(*QCoreApplication::instance(), *frame_, *view_);

    if (!commandLine.isEmpty() && view_) {
        const QString path = absolutePath(commandline::openPath(commandLine));
        if (!path.isEmpty() && view_->OpenFileByPath(path))
            AddToRecentFileList(path);
    }

    frame_->placeOnScreen();
    frame_->show();
    // Listening first: a second start must be answered while the user reads
    // a message.
    listenForHandOver();
    reportSettingsStore();
    offerSystemLanguage();
    checkAssociation();
    return true;
}

QString CEditorApp::languageFolder() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    if (programDir.exists(QStringLiteral("language")))
        return programDir.filePath(QStringLiteral("language"));
    return QDir::cleanPath(programDir.filePath(QStringLiteral("../lib/tavlo/language")));
}

std::optional<QString> CEditorApp::chooseLanguageLibrary(const QString& folder,
                                                         const QString& filter,
                                                         const QString& title) {
    std::vector<char16_t> buffer(4096, u'\0');
    OPENFILENAMEW ofn;
    ofn.hwndOwner = frame_.get();
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = uint32_t(buffer.size());
    ofn.lpstrInitialDir = folder;
    ofn.lpstrTitle = title;
    ofn.Flags = ofn::OFN_PATHMUSTEXIST | ofn::OFN_FILEMUSTEXIST;
    QsdServices services{services_.fileSystem, services_.messages, services_.clock,
                         *fileSelectCommon_};
    int listStyle = settings_->getInt(QStringLiteral("FILE_LIST_STYLE"));
    bool showFolders = settings_->getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")) != 0;
    if (QsdSelectFile(&ofn, qsd::OPENING | (showFolders ? qsd::SHOW_FOLDERS : 0u), QString(),
                      QString(), nullptr, &listStyle, &showFolders, true, services) != 1)
        return std::nullopt;
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return QString::fromUtf16(buffer.data(), qsizetype(end - buffer.begin()));
}

void CEditorApp::startUiLanguage() {
    uiLanguage_ = std::make_unique<UiLanguage>(*settings_);
    LanguageStartup(*uiLanguage_, *settings_, services_.messages, services_.locale)
        .run(languageFolder());
}

// Runs once the window is up and later starts are listened for, so that the
// offer never keeps a second start waiting.
void CEditorApp::offerSystemLanguage() {
    LanguageStartup startup(*uiLanguage_, *settings_, services_.messages, services_.locale);
    const bool switched = startup.offerSystemLanguage([this](const LanguageLibraryEntry& entry) {
        const auto offered = entry.path.isEmpty() ? nullptr : LibraryResourceSource::load(entry.path);
        const auto text = [offered](int controlId) {
            if (offered) {
                if (auto translated = offered->loadDialogText(cmd::IDD_UI_LANGUAGE_CHECK, controlId))
                    return *translated;
            }
            return res::dialogText(cmd::IDD_UI_LANGUAGE_CHECK, controlId);
        };
        CUiLanguageCheckDlg dialog(entry.name, text, frame_.get());
        const bool accepted = dialog.exec() == QDialog::Accepted;
        return LanguageOfferAnswer{accepted, dialog.dontCheckAgain()};
    });
    if (!switched)
        return;
    if (view_)
        view_->ApplySettings();
    frame_->rebuildBars();
}

void CEditorApp::createFrameAndView() {
    QApplication::setFont(CMainFrame::preferredUiFont());
    QApplication::setWindowIcon(tavloAppIcon());
    commands_.on(cmd::ID_APP_ABOUT, [this] { OnAppAbout(); });

    frame_ = std::make_unique<CMainFrame>(
        FrameServices{*settings_, services_.messages, router_, &CEditorApp::IsRecentPlatform});
    documentServices_ = std::make_unique<DocumentServiceSet>(
        *settings_, services_.locale, QCoreApplication::applicationPid(), services_.fileSystem);
    auto* view = new CEditer(ViewServices{*settings_,
                                          services_.messages,
                                          services_.clock,
                                          services_.locale,
                                          &CEditorApp::IsRecentPlatform,
                                          {},
                                          fileSelectCommon_.get()},
                             documentServices_->services());
    frame_->setView(view);
    // A loaded macro's TOOLTIP goes to the command bar's play button.
    view->macroCommands().setPlayButtonTooltipSetter(
        [frame = frame_.get()](const QString& tooltip) { frame->setPlayButtonTooltip(tooltip); });
    view_ = view;
    createSettingsCommand(*view);
    router_.setTargets({view, frame_.get(), this, settingsCommand_.get()});
    view->OnInitialUpdate();
}

void CEditorApp::createSettingsCommand(CEditer& view) {
    desktop_ = std::make_unique<DesktopAssociation>(services_.registry);
    SettingsContext context{*settings_, services_.messages};
    context.macroChooser = &view.macroCommands().fileChooser();
    context.fileSelectCommon = fileSelectCommon_.get();
    context.desktop = desktop_.get();
    context.uiLanguage = uiLanguage_.get();
    context.languageFolder = languageFolder();
    context.programFolder = QCoreApplication::applicationDirPath();
    context.chooseFile = [this](const QString& folder, const QString& filter, const QString& title) {
        return chooseLanguageLibrary(folder, filter, title);
    };
    CMainFrame* frame = frame_.get();
    settingsCommand_ = std::make_unique<SettingsCommand>(
        std::move(context), view,
        SettingsFrameHooks{[frame](bool longDelay) { frame->setLongDelay(longDelay); },
                           [frame](bool visible) { frame->setSoftKeyBarVisible(visible); },
                           [frame] { frame->rebuildBars(); }});
}

void CEditorApp::listenForHandOver() {
    channel_ = std::make_unique<HandOverChannel>(runtimeFolder());
    channel_->setRaiseHandler([this] {
        qCDebug(lcApp) << "raise requested";
        if (!frame_)
            return;
        frame_->showNormal();
        frame_->raise();
        frame_->activateWindow();
    });
    channel_->setCopyDataHandler(
        [this](uint32_t code, const QString& text) { return OnCopyData(code, text); });
    if (channel_->listen())
        qCDebug(lcApp) << "listening on" << channel_->socketPath();
    else
        qCWarning(lcApp) << "can't listen for later starts on" << channel_->socketPath();
}

void CEditorApp::checkAssociation() {
    FileTypeAssociation association(services_.registry);
    runAssociationStartupCheck(association, services_.messages, frame_.get());
}

int CEditorApp::ExitInstance() {
    if (channel_)
        channel_->close();
    if (recentFiles_)
        recentFiles_->WriteList();
    if (fileSelectCommon_ && settings_)
        fileSelectCommon_->save(*settings_);
    return 0;
}

void CEditorApp::AddToRecentFileList(const QString& path) {
    if (recentFiles_)
        recentFiles_->Add(path);
}

int CEditorApp::OnCopyData(uint32_t code, const QString& text) {
    if (code != HandOverChannel::kCopyDataOpenFile)
        return 0;
    qCDebug(lcApp).noquote() << "open handed-over path:" << text;
    if (!view_) {
        services_.messages.show(res::loadString(40013, QStringLiteral("The file can't be opened.")),
                                res::loadString(57344, QStringLiteral("Tavlo TextEditor")),
                                mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST, frame_.get());
        return 0;
    }
    if (view_->OpenFileByPath(text))
        AddToRecentFileList(text);
    return 1;
}

void CEditorApp::OnAppAbout() {
    CAboutDlg dialog(frame_.get());
    dialog.exec();
}

bool CEditorApp::onCommand(int id) {
    return commands_.onCommand(id);
}

bool CEditorApp::onUpdateCommand(int id, CommandState& state) {
    return commands_.onUpdateCommand(id, state);
}
