#include "FileInfo.h"

#include "StringTable.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>

namespace fileinfo {

qint64 countCharacters(QStringView text) {
    qint64 count = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u != u' ' && u != u'\t' && u != u'\n' && u != u'\r')
            ++count;
    }
    return count;
}

QString groupDigits(qint64 number) {
    const bool negative = number < 0;
    QString digits = QString::number(negative ? -number : number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return negative ? u'-' + digits : digits;
}

QString sizeText(qint64 size) {
    // The dialog has always shown the low 32 bits as a signed "%ld".
    const auto low = qint64(int32_t(uint32_t(uint64_t(size) & 0xFFFFFFFFu)));
    return groupDigits(low) + res::loadString(35036, QStringLiteral(" Byte"));
}

QString timeText(FILETIME time) {
    // 100 ns units since 1601 to milliseconds since 1970.
    constexpr qint64 kEpochDelta = 116444736000000000LL;
    int parts[6] = {-1, -1, -1, -1, -1, -1};
    if (time >= uint64_t(kEpochDelta)) {
        const auto ms = qint64((time - uint64_t(kEpochDelta)) / 10000);
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
        if (local.isValid()) {
            const QDate d = local.date();
            const QTime t = local.time();
            const int values[6] = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
            std::copy(values, values + 6, parts);
        }
    }
    QString text = res::loadString(33005, QStringLiteral("%d/%d/%d %d:%02d:%02d"));
    for (int value : parts)
        text = res::substitute(text, value);
    return text;
}

QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.left(slash + 1);
}

QString nameOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.mid(slash + 1);
}

int filterIndexForName(const QString& name, const QString& filters, int fallback) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return fallback;
    const QString extension = name.mid(dot).trimmed() + u' ';
    const QStringList items = filters.split(u'|');
    for (qsizetype pair = 0; pair + 1 < items.size(); pair += 2) {
        QString pattern = items[pair + 1].trimmed() + u' ';
        pattern.replace(u'\t', u' ').replace(u';', u' ');
        if (pattern.contains(extension, Qt::CaseSensitive))
            return int(pair / 2) + 1;
    }
    return fallback;
}

uint32_t fileSelectFlags(DialogMode mode, int longDelay, int selectBySingleTap, int zoomMethod,
                         int selectableCodeSet, int showFolders) {
    uint32_t flags = 0;
    if (longDelay != 0)
        flags |= 0x8000;
    if (selectBySingleTap != 0)
        flags |= 0x1;
    if (zoomMethod == 1)
        flags |= 0x8000000;
    else if (zoomMethod == 2)
        flags |= 0x800000;
    if (selectableCodeSet != 0)
        flags |= 0x20;
    flags |= 0x5000;
    flags |= showFolders != 0 ? 0x210 : 0x200;
    flags |= mode == DialogMode::Open ? 0x10000 : 0x260000;
    return flags;
}

} // namespace fileinfo
