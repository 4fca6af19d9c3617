#include "QsdFileListModel.h"

#include "FilePath.h"
#include "StringTable.h"

#include <QDateTime>
#include <algorithm>
#include <new>

QsdFileListModel::QsdFileListModel(const FileSystem& fs, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), fs_(fs), clock_(clock), shortcuts_(fs) {}

QsdFileListModel::~QsdFileListModel() = default;

void QsdFileListModel::updateOptionBits(uint32_t bits) {
    options_ = (options_ & ~qsd::LIST_UPDATE_MASK) | (bits & qsd::LIST_UPDATE_MASK);
}

void QsdFileListModel::fillExtensionTables() {
    textExtensions_ = {u"txt"_qs, u"ini"_qs, u"inf"_qs};
    pictureExtensions_ = {u"jpg"_qs, u"jpeg"_qs, u"gif"_qs, u"png"_qs, u"bmp"_qs, u"2bp"_qs};
    webExtensions_ = {u"htm"_qs, u"html"_qs};
    soundExtensions_ = {u"wav"_qs, u"mp3"_qs, u"mid"_qs, u"midi"_qs};
}

void QsdFileListModel::setFolder(const QString& folder) {
    folder_ = filepath::withSlash(folder.isEmpty() ? QStringLiteral("/") : folder);
}

QString QsdFileListModel::parentFolder(const QString& folder) {
    const QString f = filepath::withoutSlash(folder);
    const qsizetype i = f.lastIndexOf(u'/');
    return i <= 0 ? QStringLiteral("/") : f.left(i + 1);
}

void QsdFileListModel::addParentAndFolders(const std::vector<FindData>& all) {
    if (!(options_ & qsd::SHOW_FOLDERS))
        return;
    if (folder_ != u"/") {
        auto up = std::make_unique<QsdFileEntry>();
        up->data.name = QStringLiteral("..");
        up->data.attributes = fa::FILE_ATTRIBUTE_DIRECTORY;
        up->displayName = up->data.name;
        up->iconClass = ICON_FOLDER;
        rows_.push_back(std::move(up));
    }
    for (const FindData& d : all) {
        if (!d.isFolder())
            continue;
        auto e = std::make_unique<QsdFileEntry>();
        e->data = d;
        e->displayName = d.name;
        e->iconClass = ICON_FOLDER;
        rows_.push_back(std::move(e));
    }
}

RESULT QsdFileListModel::Refill() {
    emit filling(true);
    beginResetModel();
    rows_.clear();
    RESULT result = rc::SUCCESS;
    try {
        std::vector<FindData> all;
        fs_.list(folder_, all);
        rows_.reserve(all.size() + 1);
        addParentAndFolders(all);
        const bool folderShortcuts = (options_ & qsd::SHOW_FOLDERS) && resolveShortcuts_;
        for (const FindData& d : all) {
            if (d.isFolder())
                continue;
            auto e = std::make_unique<QsdFileEntry>();
            e->data = d;
            describeFile(*e);
            if (e->shortcutToFolder) {
                if (folderShortcuts)
                    rows_.push_back(std::move(e));
                else if (filter_.isEmpty() || passesFilter(d.name))
                    rows_.push_back(std::move(e));
                continue;
            }
            if (!filter_.isEmpty() && !passesFilter(d.name))
                continue;
            rows_.push_back(std::move(e));
        }
    } catch (const std::bad_alloc&) {
        result = rc::LIST_OUT_OF_MEMORY;
    }
    sortEntries();
    endResetModel();
    emit filling(false);
    return result;
}

namespace {
bool wildcardMatch(QStringView pattern, QStringView name) {
    // Iterative "*" and "?" matching without regard to case; linear in practice.
    qsizetype p = 0, n = 0, star = -1, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            mark = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}
} // namespace

RESULT QsdFileListModel::FillFromPattern(const QString& pattern) {
    if (pattern.isEmpty())
        return rc::NO_PATTERN;
    const QString folder = filepath::folderOf(pattern);
    const QString namePattern = filepath::nameOf(pattern);
    emit filling(true);
    beginResetModel();
    rows_.clear();
    folder_ = folder;
    RESULT result = rc::SUCCESS;
    try {
        std::vector<FindData> all;
        fs_.list(folder_, all);
        addParentAndFolders(all);
        for (const FindData& d : all) {
            if (d.isFolder() || !wildcardMatch(namePattern, d.name))
                continue;
            auto e = std::make_unique<QsdFileEntry>();
            e->data = d;
            describeFile(*e);
            rows_.push_back(std::move(e));
        }
    } catch (const std::bad_alloc&) {
        result = rc::LIST_OUT_OF_MEMORY;
    }
    sortEntries();
    endResetModel();
    emit filling(false);
    return result;
}

void QsdFileListModel::SetFilter(const QString& pattern) {
    filter_.clear();
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype dot = part.lastIndexOf(u'.');
        if (dot < 0)
            continue;
        const QString ext = part.mid(dot).trimmed();
        if (ext == u".*") {
            filter_.clear();
            return;
        }
        filter_ << ext;
    }
}

bool QsdFileListModel::passesFilter(const QString& name) const {
    const QString ext = filepath::lastExtension(name);
    if (ext.isEmpty())
        return false;
    return filter_.contains(ext, Qt::CaseInsensitive);
}

int QsdFileListModel::classForExtension(const QString& ext) const {
    if (options_ & qsd::PLAIN_ICONS)
        return ICON_OTHER;
    if (textExtensions_.contains(ext, Qt::CaseInsensitive))
        return ICON_TEXT;
    if (pictureExtensions_.contains(ext, Qt::CaseInsensitive))
        return ICON_PICTURE;
    if (webExtensions_.contains(ext, Qt::CaseInsensitive))
        return ICON_WEB;
    if (soundExtensions_.contains(ext, Qt::CaseInsensitive))
        return ICON_SOUND;
    if (ext.compare(u"exe", Qt::CaseInsensitive) == 0)
        return ICON_PROGRAM;
    return ICON_OTHER;
}

void QsdFileListModel::describeFile(QsdFileEntry& e) const {
    const QString& name = e.data.name;
    e.displayName = name;
    e.iconClass = ICON_OTHER;
    if (e.data.isSymLink && resolveShortcuts_) {
        // A symbolic link is this platform's shortcut; its name stays whole.
        const auto target = shortcuts_.readSymlink(folder_ + name);
        if (!target.valid())
            return;
        e.isShortcut = true;
        e.shortcutTarget = target.path;
        if (target.isFolder()) {
            e.shortcutToFolder = true;
            e.iconClass = ICON_FOLDER_SHORTCUT;
            return;
        }
        const QString ext = filepath::lastExtension(target.path);
        e.iconClass = (ext.isEmpty() ? ICON_OTHER : classForExtension(ext.mid(1))) + 1;
        return;
    }
    const QString ext = filepath::lastExtension(name);
    if (ext.isEmpty())
        return;
    if (resolveShortcuts_ && QsdShortcutReader::isLnkName(name)) {
        const auto target = shortcuts_.readLnk(folder_ + name);
        if (!target.valid())
            return;
        e.isShortcut = true;
        e.shortcutTarget = target.path;
        e.displayName = filepath::withoutExtension(name);
        if (target.isFolder()) {
            e.shortcutToFolder = true;
            e.iconClass = ICON_FOLDER_SHORTCUT;
            return;
        }
        const QString targetExt = filepath::lastExtension(target.path);
        e.iconClass = (targetExt.isEmpty() ? ICON_OTHER : classForExtension(targetExt.mid(1))) + 1;
        return;
    }
    if (options_ & qsd::HIDE_EXTENSIONS)
        e.displayName = filepath::withoutExtension(name);
    e.iconClass = classForExtension(ext.mid(1));
}

void QsdFileListModel::setSortOrder(int key, bool ascending) {
    sortKey_ = std::clamp(key, 0, 3);
    ascending_ = ascending;
    beginResetModel();
    sortEntries();
    endResetModel();
}

void QsdFileListModel::SetSortKey(int key, bool flip) {
    setSortOrder(key, (flip && key == sortKey_) ? !ascending_ : ascending_);
}

void QsdFileListModel::SortByColumn(int column) {
    const int key = column == 1 ? qsd::SORT_SIZE : column == 2 ? qsd::SORT_TIME : qsd::SORT_NAME;
    setSortOrder(key, !(key == sortKey_ && ascending_));
}

int QsdFileListModel::compare(const QsdFileEntry* a, const QsdFileEntry* b, int key,
                              bool ascending) {
    const int d = ascending ? 1 : -1;
    if (!a || !b)
        return (!a && !b) ? 0 : (!a ? -d : d);
    const bool aFolder = a->isFolder();
    const bool bFolder = b->isFolder();
    if (aFolder != bFolder)
        return aFolder ? -1 : 1;
    if (a->isParentRow())
        return -1;
    if (b->isParentRow())
        return 1;
    switch (key) {
    case qsd::SORT_SIZE:
        if (a->data.size != b->data.size)
            return (a->data.size < b->data.size ? -1 : 1) * d;
        break;
    case qsd::SORT_TIME:
        if (a->data.lastWriteTime != b->data.lastWriteTime)
            return (a->data.lastWriteTime < b->data.lastWriteTime ? -1 : 1) * d;
        break;
    case qsd::SORT_TYPE: {
        if (aFolder)
            break;
        const QString ea = filepath::lastExtension(a->data.name);
        const QString eb = filepath::lastExtension(b->data.name);
        if (ea.isEmpty() || eb.isEmpty())
            return (ea.isEmpty() && eb.isEmpty()) ? 0 : (ea.isEmpty() ? -d : d);
        const int c = ea.compare(eb, Qt::CaseInsensitive);
        if (c != 0)
            return (c < 0 ? -1 : 1) * d;
        break;
    }
    default:
        break;
    }
    const int c = a->data.name.compare(b->data.name, Qt::CaseInsensitive);
    return c == 0 ? 0 : (c < 0 ? -1 : 1) * d;
}

void QsdFileListModel::sortEntries() {
    const int key = sortKey_;
    const bool asc = ascending_;
    std::stable_sort(rows_.begin(), rows_.end(), [key, asc](const auto& a, const auto& b) {
        return compare(a.get(), b.get(), key, asc) < 0;
    });
}

const QsdFileEntry* QsdFileListModel::entry(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].get() : nullptr;
}

QsdFileEntry* QsdFileListModel::entry(int row) {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].get() : nullptr;
}

int QsdFileListModel::rowOfName(const QString& name) const {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        if (rows_[i]->data.name == name)
            return i;
    return -1;
}

void QsdFileListModel::removeEntry(int row) {
    if (!entry(row))
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void QsdFileListModel::refreshName(const QString& name) {
    const auto d = fs_.stat(folder_ + name);
    const int row = rowOfName(name);
    if (!d) {
        removeEntry(row);
        return;
    }
    auto e = std::make_unique<QsdFileEntry>();
    e->data = *d;
    if (d->isFolder()) {
        e->displayName = d->name;
        e->iconClass = ICON_FOLDER;
    } else {
        describeFile(*e);
    }
    if (row >= 0) {
        rows_[row] = std::move(e);
        emit dataChanged(index(row, 0), index(row, 2));
        return;
    }
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(e));
    endInsertRows();
}

void QsdFileListModel::setCut(int row, bool cut) {
    if (QsdFileEntry* e = entry(row); e && e->cut != cut) {
        e->cut = cut;
        emit dataChanged(index(row, 0), index(row, 2));
    }
}

void QsdFileListModel::clearCutMarks() {
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        setCut(i, false);
}

QString QsdFileListModel::sizeText(const FindData& d) {
    if (d.isFolder())
        return {};
    const uint64_t s = d.size;
    if (s > 1048576) {
        // Sizes that fit 32 bits are divided in single precision as always;
        // larger ones in double so that the megabytes stay exact.
        const double mb =
            s <= 0xFFFFFFFFull ? double(float(s) / 1048576.0f) : double(s) / 1048576.0;
        return QString::asprintf("%0.2fM", mb);
    }
    if (s > 1024)
        return QString::asprintf("%lluK", static_cast<unsigned long long>(s / 1024 + 1));
    return QString::asprintf("%llu ", static_cast<unsigned long long>(s));
}

QString QsdFileListModel::timeText(uint64_t lastWriteTime, QDate today) {
    if (lastWriteTime == 0)
        return {};
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(filetime::toUnixMsecs(lastWriteTime));
    const QDate date = t.date();
    if (date == today)
        return QString::asprintf("%02d:%02d", t.time().hour(), t.time().minute());
    return QString::asprintf("%02d/%02d/%02d", date.year() % 100, date.month(), date.day());
}

int QsdFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int QsdFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant QsdFileListModel::data(const QModelIndex& index, int role) const {
    const QsdFileEntry* e = entry(index.row());
    if (!e)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (index.column() == 0)
            return e->displayName;
        if (index.column() == 1)
            return sizeText(e->data);
        return timeText(e->data.lastWriteTime, clock_.now().date());
    case Qt::TextAlignmentRole:
        return index.column() == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case IconClassRole:
        return e->iconClass;
    case CutRole:
        return e->cut;
    case FileNameRole:
        return e->data.name;
    default:
        return {};
    }
}

QVariant QsdFileListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section == 1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return res::loadString(30308, u"Name"_qs);
    case 1:
        return res::loadString(30309, u"Size"_qs);
    case 2:
        return res::loadString(30310, u"Time"_qs);
    default:
        return {};
    }
}
