#include "FilePath.h"

#include "FileNameBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace filepath {

QString folderOf(const QString& path) {
    const QString p = withoutSlash(path);
    const qsizetype i = p.lastIndexOf(u'/');
    return i < 0 ? QStringLiteral("/") : p.left(i + 1);
}

QString nameOf(const QString& path) {
    const QString p = withoutSlash(path);
    return p.mid(p.lastIndexOf(u'/') + 1);
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString withoutSlash(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

QString lastExtension(const QString& name) {
    const qsizetype i = name.lastIndexOf(u'.');
    return i < 0 ? QString() : name.mid(i);
}

QString withoutExtension(const QString& name) {
    const qsizetype i = name.lastIndexOf(u'.');
    return i < 0 ? name : name.left(i);
}

QString normalize(const QString& path) {
    QStringList parts;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part;
    }
    QString result = u'/' + parts.join(u'/');
    if (path.endsWith(u'/') && !parts.isEmpty())
        result += u'/';
    return result;
}

namespace {
// The real path of what exists at path, or empty. Worked on the name's bytes,
// since QFileInfo would read a name that is not UTF-8 as another one.
QString realPath(const QString& path) {
    char buffer[PATH_MAX];
    if (!::realpath(bytesFromText(path).constData(), buffer))
        return QString();
    return textFromBytes(QByteArrayView(buffer, qsizetype(std::strlen(buffer))));
}

QString resolved(const QString& path) {
    const QString c = realPath(withoutSlash(path));
    return c.isEmpty() ? withoutSlash(path) : c;
}
} // namespace

QString absolutePath(const QString& path) {
    if (path.isEmpty() || path.startsWith(u'/'))
        return path;
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return path;
    return withSlash(textFromBytes(QByteArrayView(buffer, qsizetype(std::strlen(buffer))))) + path;
}

bool samePath(const QString& a, const QString& b) {
    return resolved(a) == resolved(b);
}

bool isInside(const QString& path, const QString& folder) {
    return withSlash(resolved(path)).startsWith(withSlash(resolved(folder)));
}

QString canonicalPath(const QString& path) {
    if (path.isEmpty())
        return QString();
    const QString absolute = QDir::cleanPath(absolutePath(path));
    // Resolve the longest part that exists and keep the rest as written.
    QString existing = absolute;
    QStringList tail;
    for (;;) {
        const QString canonical = realPath(existing);
        if (!canonical.isEmpty()) {
            tail.prepend(canonical == QLatin1String("/") ? QString() : canonical);
            return tail.size() == 1 && tail.first().isEmpty() ? QStringLiteral("/")
                                                              : tail.join(QLatin1Char('/'));
        }
        if (existing == QLatin1String("/"))
            return absolute;
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return absolute;
        tail.prepend(existing.mid(slash + 1));
        existing = slash == 0 ? QStringLiteral("/") : existing.left(slash);
    }
}

QString myDocumentsPath() {
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty() || !QFileInfo(docs).isDir())
        docs = QDir::homePath();
    while (docs.size() > 1 && docs.endsWith(QLatin1Char('/')))
        docs.chop(1);
    return docs;
}

QString toNativePath(const QString& editorPath) {
    static const QString kMyDocuments = QStringLiteral("\\My Documents");
    if (editorPath.startsWith(kMyDocuments, Qt::CaseInsensitive)) {
        const QString rest = editorPath.mid(kMyDocuments.size());
        if (rest.isEmpty() || rest.startsWith(QLatin1Char('\\')) ||
            rest.startsWith(QLatin1Char('/'))) {
            QString out = myDocumentsPath() + rest;
            out.replace(QLatin1Char('\\'), QLatin1Char('/'));
            return out;
        }
    }
    QString out = editorPath;
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return out;
}

} // namespace filepath
