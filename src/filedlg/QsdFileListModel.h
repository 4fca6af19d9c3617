#pragma once

#include "Clock.h"
#include "FileSystem.h"
#include "QsdShortcut.h"
#include "QsdTypes.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QStringList>
#include <memory>
#include <vector>

// The record behind one row of the file list.
struct QsdFileEntry {
    FindData data;
    QString displayName;
    int iconClass = 12;
    bool isShortcut = false;
    bool shortcutToFolder = false;
    QString shortcutTarget; // the resolved target of a shortcut
    bool cut = false;       // marked by a cut (drawn dimmed)

    bool isFolder() const { return data.isFolder(); }
    bool isParentRow() const { return isFolder() && data.name == u".."; }
    // A folder, "..", or a shortcut to a folder: a row that opens a folder.
    bool opensFolder() const { return isFolder() || shortcutToFolder; }
};

// The contents of one folder as the file list shows them: enumeration, the
// extension filter, display names, icon classes, sorting and the column texts.
class QsdFileListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Role { IconClassRole = Qt::UserRole + 1, CutRole, FileNameRole };
    enum IconClass {
        ICON_TEXT = 0,
        ICON_FOLDER = 2,
        ICON_FOLDER_SHORTCUT = 3,
        ICON_PICTURE = 4,
        ICON_SOUND = 6,
        ICON_WEB = 8,
        ICON_PROGRAM = 10,
        ICON_OTHER = 12
    };

    QsdFileListModel(const FileSystem& fs, const Clock& clock, QObject* parent = nullptr);
    ~QsdFileListModel() override;

    void setOptionBits(uint32_t bits) { options_ = bits; }
    // Takes only the bits a dialog may change after creation.
    void updateOptionBits(uint32_t bits);
    uint32_t optionBits() const { return options_; }
    void setResolveShortcuts(bool on) { resolveShortcuts_ = on; }
    bool resolveShortcuts() const { return resolveShortcuts_; }
    QsdShortcutReader& shortcutReader() { return shortcuts_; }
    // Fills the four extension tables of the icon classes with their defaults.
    void fillExtensionTables();

    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    RESULT Refill();
    RESULT FillFromPattern(const QString& pattern);

    void SetFilter(const QString& pattern);
    const QStringList& filter() const { return filter_; }
    bool passesFilter(const QString& name) const;

    int sortKey() const { return sortKey_; }
    bool ascending() const { return ascending_; }
    void setSortOrder(int key, bool ascending);
    void SetSortKey(int key, bool flip);
    void SortByColumn(int column);
    // Ranks a before b when negative; d is +1 ascending, -1 descending.
    static int compare(const QsdFileEntry* a, const QsdFileEntry* b, int key, bool ascending);

    const QsdFileEntry* entry(int row) const;
    QsdFileEntry* entry(int row);
    int rowOfName(const QString& name) const;
    void removeEntry(int row);
    // Replaces the row of a name from the file system, or inserts one.
    void refreshName(const QString& name);
    void setCut(int row, bool cut);
    void clearCutMarks();
    // Display name and icon class of a file record.
    void describeFile(QsdFileEntry& e) const;

    static QString parentFolder(const QString& folder);
    static QString sizeText(const FindData& d);
    static QString timeText(uint64_t lastWriteTime, QDate today);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

  signals:
    void filling(bool busy);

  private:
    int classForExtension(const QString& extWithoutDot) const;
    void addParentAndFolders(const std::vector<FindData>& all);
    void sortEntries();

    const FileSystem& fs_;
    const Clock& clock_;
    QsdShortcutReader shortcuts_;
    std::vector<std::unique_ptr<QsdFileEntry>> rows_;
    QString folder_ = QStringLiteral("/");
    QStringList filter_;
    int sortKey_ = qsd::SORT_NAME;
    bool ascending_ = true;
    uint32_t options_ = 0;
    bool resolveShortcuts_ = true;
    QStringList textExtensions_, pictureExtensions_, webExtensions_, soundExtensions_;
};
