#include "QsdShortcut.h"

#include "FilePath.h"
#include "FileSystem.h"
#include "QsdTypes.h"

QsdShortcutReader::QsdShortcutReader(const FileSystem& fs, Decoder decoder)
    : fs_(fs), decoder_(std::move(decoder)) {
    if (!decoder_)
        decoder_ = [](QByteArrayView bytes) { return QString::fromLocal8Bit(bytes); };
}

bool QsdShortcutReader::Target::isFolder() const {
    return valid() && attributes != fa::INVALID_FILE_ATTRIBUTES &&
           (attributes & fa::FILE_ATTRIBUTE_DIRECTORY);
}

bool QsdShortcutReader::isLnkName(const QString& name) {
    return filepath::lastExtension(name).compare(u".lnk", Qt::CaseInsensitive) == 0;
}

QsdShortcutReader::Target QsdShortcutReader::resolve(const QString& path) const {
    const auto self = fs_.stat(path);
    if (self && self->isSymLink)
        return readSymlink(path);
    return readLnk(path);
}

QsdShortcutReader::Target QsdShortcutReader::targetOf(const QString& path) const {
    const auto d = fs_.statTarget(path);
    if (!d)
        return {};
    return {path, d->attributes};
}

QsdShortcutReader::Target QsdShortcutReader::readSymlink(const QString& path) const {
    const auto d = fs_.statTarget(path);
    if (!d)
        return {};
    // The real path, so that the folder tree, which lists no links, can reach it.
    return {filepath::canonicalPath(path), d->attributes};
}

QsdShortcutReader::Target QsdShortcutReader::readLnk(const QString& path) const {
    if (!isLnkName(path))
        return {};
    const auto bytes = fs_.readHead(path, 780);
    if (!bytes)
        return {};
    QByteArrayView text(*bytes);
    const qsizetype crlf = text.indexOf(QByteArrayView("\r\n"));
    if (crlf >= 0)
        text = text.first(crlf);
    const qsizetype hash = text.indexOf('#');
    if (hash < 0)
        return {};
    QByteArrayView raw = text.sliced(hash + 1);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.sliced(1, raw.size() - 2);
    // A device path ("\\My Documents\\memo.txt") is read as this platform's.
    QString target = decoder_(raw);
    if (target.contains(u'\\'))
        target = filepath::toNativePath(target);
    if (target.isEmpty())
        return {};
    if (target.startsWith(u'/'))
        return targetOf(target);
    if (filepath::lastExtension(target).compare(u".exe", Qt::CaseInsensitive) != 0)
        return {};
    for (const QString& folder : programFolders_) {
        Target t = targetOf(filepath::withSlash(folder) + target);
        if (t.valid())
            return t;
    }
    return {};
}
