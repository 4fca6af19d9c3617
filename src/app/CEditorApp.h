#pragma once

#include "CommandRouter.h"
#include "Locale.h"
#include "ProfileStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct QsdCommonSettings;

class CEditer;
class CMainFrame;
class DocumentServiceSet;
class Clock;
class DesktopAssociation;
class SettingsCommand;
class FileSystem;
class HandOverChannel;
class MessageService;
class RecentFileList;
class Registry;
class Settings;
class UiLanguage;
class SingleInstanceLock;

// What the application works with; main() builds the real ones, tests
// temporary ones.
struct AppServices {
    Registry& registry;
    MessageService& messages;
    const Clock& clock;
    FileSystem& fileSystem;
    Locale locale;
    // Where the single-instance lock and the hand-over socket live; empty =
    // the per-user runtime folder.
    QString runtimeFolder;
};

// The application object: makes sure one editor runs, hands a second start's
// file to it, sets up the settings, creates the frame and the view, opens the
// file of the command line and checks the file-type association.
class CEditorApp : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    static constexpr const char* kAppName = "Tavlo Text Editor";
    static constexpr const char* kCompanyName = "Orvane";

    // commandLine: the program's arguments joined by one blank. Looks for a
    // running editor and, when one answers, raises it and hands the path over.
    CEditorApp(AppServices services, QString commandLine);
    ~CEditorApp() override;

    // Start-up; false when this process must end (another editor runs).
    bool InitInstance();
    int ExitInstance();

    // Whether the platform's menus drop their key names: never here.
    static bool IsRecentPlatform() { return false; }

    void AddToRecentFileList(const QString& path);
    // The recent-file list (MRU_LIST_ITEM_COUNT entries), read at start-up
    // and written at exit; null before InitInstance.
    RecentFileList* recentFileList() const { return recentFiles_.get(); }
    QsdCommonSettings* fileSelectCommon() const { return fileSelectCommon_.get(); }

    // The receiving side of a hand-over: 0x1024 opens the path in the view.
    // Returns the answer the second start gets (0: not handled or failed
    // before opening, 1: handled).
    int OnCopyData(uint32_t code, const QString& text);
    // Shows dialog 100.
    void OnAppAbout();

    // True when construction found a running editor.
    bool foundRunningInstance() const { return foundRunning_; }
    // The status a start that ends in InitInstance exits with: 0 when the
    // running editor took the request, 1 when it did not answer (the user
    // was told).
    int startExitCode() const { return startExitCode_; }

    CMainFrame* mainFrame() const { return frame_.get(); }
    CEditer* activeView() const { return view_; }
    Settings& settings() const { return *settings_; }
    ProfileStore& profileStore() { return profile_; }
    CommandRouter& router() { return router_; }
    HandOverChannel* handOverChannel() const { return channel_.get(); }

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    // The language folder: language/ beside the program in the build tree,
    // else lib/tavlo/language under the installation prefix.
    static QString languageFolder();
    void startUiLanguage();
    void offerSystemLanguage();
    std::optional<QString> chooseLanguageLibrary(const QString& folder, const QString& filter,
                                                 const QString& title);
    void handOverToRunningInstance();
    void reportUnansweredHandOver();
    void reportSettingsStore();
    void createFrameAndView();
    void createSettingsCommand(CEditer& view);
    void listenForHandOver();
    void checkAssociation();
    QString runtimeFolder() const;

    AppServices services_;
    QString commandLine_;
    bool foundRunning_ = false;
    bool handedOver_ = false;
    int startExitCode_ = 0;
    ProfileStore profile_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<UiLanguage> uiLanguage_;
    CommandRouter router_;
    CommandMap commands_;
    std::unique_ptr<SingleInstanceLock> lock_;
    std::unique_ptr<HandOverChannel> channel_;
    // The open document's services (open-documents key, character sets, file
    // system); they outlive the view, which the frame owns.
    std::unique_ptr<DocumentServiceSet> documentServices_;
    std::unique_ptr<CMainFrame> frame_;
    CEditer* view_ = nullptr;
    std::unique_ptr<RecentFileList> recentFiles_;
    // The file select dialog's common options, shared by every file dialog of
    // the process: read at start-up, saved at exit.
    std::unique_ptr<QsdCommonSettings> fileSelectCommon_;
    std::unique_ptr<DesktopAssociation> desktop_;
    std::unique_ptr<SettingsCommand> settingsCommand_;
};
