#pragma once

#include "FileSystem.h"
#include "QsdMessenger.h"
#include "QsdShortcut.h"
#include "QsdTypes.h"

#include <QSize>
#include <QStringList>
#include <vector>

// One file type of the caller's filter text.
struct QsdFilterItem {
    QString description;
    QString pattern;
};

namespace qsdlogic {
// Pairs of description and pattern separated by "|" or NUL, ended by an empty
// description; patterns lose their surrounding blanks.
std::vector<QsdFilterItem> parseFilter(const QString& filter);
// Labels separated by "|", ended by an empty label.
QStringList parseOptionList(const QString& list);
// The option row selected at start for the caller's index, or -1 for none.
int initialOptionRow(int index, int count);
// The extension appended to a typed name: the first pattern's text from its
// first "."; empty for "*.*"-like patterns.
QString appendExtension(const QString& pattern);
// The flag word of a dialog in common mode.
uint32_t mergeCommonFlags(uint32_t callerFlags, uint32_t persistedFlags);
// Writes the result into the caller's file buffer: with multiple selection
// the folder, NUL, each name and NUL, and a final NUL; otherwise the folder
// and the first name, then NUL. A buffer too small gets the needed length in
// its first 32-bit word and the answer is false.
bool writeFileResult(OPENFILENAMEW& ofn, const QString& folder, const QStringList& names);
// The initial name of the caller's buffer.
QString initialName(const OPENFILENAMEW& ofn);
// Selecting the link file itself (not its target): the checks OK makes of a
// name, with their questions. False when the dialog stays open.
bool acceptLinkFile(FileSystem& fs, const QsdMessenger& messenger, const QString& path,
                    uint32_t flags, uint32_t ofnFlags);
} // namespace qsdlogic

// The `common mode` values shared by every file select dialog of the
// process: loaded once at start-up, saved at exit.
struct QsdCommonSettings {
    uint32_t flags = qsd::DEFAULT_COMMON_MODE;
    int sortKey = qsd::SORT_NAME;
    int listStyle = qsd::STYLE_DETAILS;
    // Kept for the process only: the zoomed pane (0 none, 1 tree, 2 list)
    // and the size the user last gave a dialog on a desktop screen.
    int zoomedPane = 0;
    QSize dialogSize;

    // Works with the settings table (getInt/writeInt by value name).
    template <class SettingsT> void load(const SettingsT& settings) {
        flags =
            static_cast<uint32_t>(settings.getInt(QStringLiteral("STR_FILE_SELECT_COMMON_MODE")));
        sortKey = settings.getInt(QStringLiteral("STR_FILE_SELECT_LIST_SORT_KEY"));
        listStyle = settings.getInt(QStringLiteral("STR_FILE_SELECT_LIST_STYLE"));
    }
    template <class SettingsT> bool save(SettingsT& settings) const {
        bool ok = settings.writeInt(QStringLiteral("STR_FILE_SELECT_COMMON_MODE"),
                                    static_cast<int>(flags));
        ok &= settings.writeInt(QStringLiteral("STR_FILE_SELECT_LIST_SORT_KEY"), sortKey);
        ok &= settings.writeInt(QStringLiteral("STR_FILE_SELECT_LIST_STYLE"), listStyle);
        return ok;
    }
};

// What OK processing does to the dialog around it.
class QsdOkPort {
  public:
    virtual ~QsdOkPort() = default;
    // Moves the folder tree (and so the list) to a folder; false when it doesn't exist.
    virtual bool moveTreeTo(const QString& folder) = 0;
    virtual void fillFromPattern(const QString& pattern) = 0;
    virtual void setNameText(const QString& text) = 0;
    // Focuses the name box with all of its text selected.
    virtual void focusNameBox() = 0;
};

// The decision of the dialog's OK button, free of widgets.
class QsdOkProcessor {
  public:
    struct Row {
        QString name;
        bool isFolder = false;
        bool shortcutToFolder = false;
        QString shortcutTarget;
    };
    struct Input {
        uint32_t flags = 0;
        uint32_t ofnFlags = 0;
        QString folder; // the tree's folder, ending with "/"
        QString nameText;
        bool nameVisible = true;
        bool listVisible = true;
        QString filterPattern; // the selected file type's pattern
        std::vector<Row> selectedRows;
    };
    enum class Outcome { StayOpen, Accepted };

    QsdOkProcessor(FileSystem& fs, const QsdMessenger& messenger,
                   const QsdShortcutReader& shortcuts)
        : fs_(fs), msg_(messenger), shortcuts_(shortcuts) {}

    Outcome run(const Input& in, QsdOkPort& port);

    QString resultFolder() const { return resultFolder_; }
    QStringList resultNames() const { return resultNames_; }

    // The message for OK with nothing named, by what is visible.
    static QString nothingChosenText(bool nameVisible, bool listVisible);

  private:
    enum class Check { Ok, Stay };
    Check checkPath(const Input& in, QString& path, bool typed, QsdOkPort& port);
    QString follow(const Input& in, const QString& path) const;

    FileSystem& fs_;
    const QsdMessenger& msg_;
    const QsdShortcutReader& shortcuts_;
    QString resultFolder_;
    QStringList resultNames_;
};
