#include "RecentFileList.h"

#include "CommandIds.h"
#include "OpenDocuments.h"
#include "ProfileStore.h"
#include "Registry.h"

#include <algorithm>

namespace {
QString entryName(int index) {
    return QString::fromLatin1(RecentFileList::kEntryFormat).arg(index + 1);
}
QString section() {
    return QString::fromLatin1(RecentFileList::kSection);
}
} // namespace

RecentFileList::RecentFileList(ProfileStore& store, int size)
    : store_(store),
      size_(std::clamp(size, 1, cmd::ID_FILE_MRU_LAST - cmd::ID_FILE_MRU_FIRST + 1)) {}

void RecentFileList::ReadList() {
    // Read as one: another editor writing the list meanwhile is seen whole
    // or not at all.
    RegTransaction read(store_.registry(), RegTransaction::Read);
    entries_.clear();
    for (int i = 0; i < size_; ++i) {
        const QString path = store_.GetProfileString(section(), entryName(i), QString());
        if (!path.isEmpty())
            entries_.append(path);
    }
}

void RecentFileList::WriteList() const {
    // The whole section is written anew, so that entries beyond a smaller
    // list size don't come back.
    // One transaction: a reader never sees the section half written, and a
    // kill part way leaves the old list.
    RegTransaction write(store_.registry(), RegTransaction::Write);
    store_.WriteProfileString(section(), std::nullopt, std::nullopt);
    for (int i = 0; i < count(); ++i)
        store_.WriteProfileString(section(), entryName(i), entries_[i]);
    write.commit();
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty())
        return;
    entries_.removeIf([&](const QString& e) { return OpenDocuments::isSamePath(e, path); });
    entries_.prepend(path);
    while (count() > size_)
        entries_.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < count())
        entries_.removeAt(index);
}

QString RecentFileList::abbreviate(const QString& path, int maxChars) {
    if (path.size() <= maxChars)
        return path;
    const QString ellipsis = QStringLiteral("...");
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = slash < 0 ? path : path.mid(slash + 1);
    if (name.size() > maxChars)
        return name.left(maxChars - ellipsis.size()) + ellipsis;
    // The first folder below the root stays when it fits: "/home/.../name".
    const QStringList parts = path.left(std::max<qsizetype>(slash, 0)).split(u'/');
    QString head;
    if (parts.size() > 1)
        head = parts[0] + u'/' + parts[1] + u'/';
    QString tail = name;
    // Folders next to the name are added back while they fit.
    for (qsizetype i = parts.size() - 1; i >= 2; --i) {
        const QString longer = parts[i] + u'/' + tail;
        if (head.size() + ellipsis.size() + 1 + longer.size() > maxChars)
            break;
        tail = longer;
    }
    QString shortened = head + ellipsis + u'/' + tail;
    if (shortened.size() <= maxChars)
        return shortened;
    shortened = ellipsis + u'/' + name;
    return shortened.size() <= maxChars ? shortened : name;
}

std::vector<res::MenuItem> RecentFileList::menuItems() const {
    std::vector<res::MenuItem> items;
    for (int i = 0; i < count(); ++i) {
        QString text = abbreviate(entries_[i]);
        // An "&" of the path is shown, not taken as the access key.
        text.replace(u'&', QStringLiteral("&&"));
        items.push_back(res::MenuItem::command(QStringLiteral("&%1 ").arg(i + 1) + text,
                                               cmd::ID_FILE_MRU_FIRST + i));
    }
    return items;
}

void RecentFileList::OpenEntry(int index) {
    if (index < 0 || index >= count() || !opener_)
        return;
    const QString path = entries_[index];
    const std::optional<bool> opened = opener_(path);
    if (!opened)
        return;
    if (*opened)
        Add(path);
    else
        Remove(index);
}

bool RecentFileList::onCommand(int id) {
    if (id < cmd::ID_FILE_MRU_FIRST || id > cmd::ID_FILE_MRU_LAST)
        return false;
    OpenEntry(id - cmd::ID_FILE_MRU_FIRST);
    return true;
}

bool RecentFileList::onUpdateCommand(int id, CommandState& state) {
    if (id < cmd::ID_FILE_MRU_FIRST || id > cmd::ID_FILE_MRU_LAST)
        return false;
    state.enabled = id - cmd::ID_FILE_MRU_FIRST < count();
    return true;
}
