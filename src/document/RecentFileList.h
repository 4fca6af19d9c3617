#pragma once

#include "CommandRouter.h"
#include "MenuTables.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class ProfileStore;

// The recent-file list: section NotepatMRUList of the settings store, entries
// "File1" (newest) to "File<n>", n = MRU_LIST_ITEM_COUNT read once at
// start-up. Read at start-up, written at exit. Its commands 57616 and up open
// an entry; the menu shows the entries in place of the placeholder 57616.
class RecentFileList : public CommandTarget {
  public:
    static constexpr const char* kSection = "NotepatMRUList";
    static constexpr const char* kEntryFormat = "File%1";
    static constexpr int kMaxMenuChars = 30;

    RecentFileList(ProfileStore& store, int size);

    // Opens an entry in the active view: nothing when there is no view, else
    // the result of its open-by-path operation.
    using Opener = std::function<std::optional<bool>(const QString& path)>;
    void setOpener(Opener opener) { opener_ = std::move(opener); }

    void ReadList();
    void WriteList() const;

    // Puts the path on top; an equal entry moves up, one past the size drops.
    void Add(const QString& path);
    void Remove(int index);

    int size() const { return size_; }
    int count() const { return int(entries_.size()); }
    const QString& entry(int index) const { return entries_[index]; }
    const QStringList& entries() const { return entries_; }

    // An entry's path shortened for the menu to at most maxChars characters:
    // the file name stays whole where it fits, the folders in between give
    // way to "...".
    static QString abbreviate(const QString& path, int maxChars = kMaxMenuChars);
    // The items that replace the placeholder: "&1 <path>", ids 57616 upwards.
    // Empty when the list is.
    std::vector<res::MenuItem> menuItems() const;

    // Recent-file entry command: opens the entry; on success it moves to the
    // top, on failure it leaves the list.
    void OpenEntry(int index);

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    ProfileStore& store_;
    int size_;
    QStringList entries_;
    Opener opener_;
};
