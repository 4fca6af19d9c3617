#include "QsdProperties.h"

#include "FilePath.h"
#include "QsdTypes.h"
#include "StringTable.h"

#include <QDateTime>

QString QsdProperties::path() const {
    return name.isEmpty() ? folder : filepath::withSlash(folder) + name;
}

QString QsdProperties::sizeText(uint64_t size) {
    QString digits = QString::number(size);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits + res::loadString(35047, u" Byte"_qs);
}

QString QsdProperties::timeText(uint64_t lastWriteTime) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(filetime::toUnixMsecs(lastWriteTime));
    QString text = res::loadString(30007, u"%d年%2d月%2d日 %d時%02d分%02d秒"_qs);
    for (int v : {t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                  t.time().minute(), t.time().second()})
        text = res::substitute(text, v);
    return text;
}

uint32_t QsdProperties::combine(uint32_t old, uint32_t boxes) {
    return (old & ~kEditable) | (boxes & kEditable);
}

bool QsdProperties::apply(FileSystem& fs, const QsdMessenger& messenger, uint32_t boxes) {
    const uint32_t updated = combine(attributes, boxes);
    if (updated == attributes)
        return true;
    if (!fs.setAttributes(path(), updated, FileSystem::Links::NoFollow)) {
        messenger.show(
            QsdMessenger::text(30507, u"ファイル属性の変更操作で、エラーが発生しました。"_qs),
            mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    attributes = updated;
    return true;
}

std::optional<QsdProperties> QsdProperties::fromPath(const FileSystem& fs, const QString& path) {
    const QString p = filepath::withoutSlash(path);
    const auto d = fs.stat(p);
    if (!d)
        return std::nullopt;
    QsdProperties props;
    props.attributes = d->attributes;
    props.lastWriteTime = d->lastWriteTime;
    props.size = d->size;
    if (d->isFolder()) {
        props.folder = p;
    } else {
        props.folder = filepath::withoutSlash(filepath::folderOf(p));
        props.name = filepath::nameOf(p);
    }
    return props;
}
