#include "FileAttributes.h"

#include "FileTime.h"

#include "FileNameBytes.h"

#include <cerrno>
#include <sys/statvfs.h>
#include <sys/xattr.h>

using namespace fa;

namespace fileattr {

QByteArray native(const QString& path) {
    return bytesFromText(path);
}

uint32_t readStored(const QByteArray& path, FileSystem::Links links) {
    char buffer[32] = {};
    const ssize_t n = links == FileSystem::Links::Follow
                          ? ::getxattr(path.constData(), kStoreName, buffer, sizeof buffer - 1)
                          : ::lgetxattr(path.constData(), kStoreName, buffer, sizeof buffer - 1);
    if (n <= 0)
        return 0;
    bool ok = false;
    const uint32_t value = QByteArray(buffer, int(n)).toUInt(&ok, 0);
    return ok ? (value & STORED_ATTRIBUTES) : 0;
}

int writeStored(const QByteArray& path, uint32_t bits, FileSystem::Links links) {
    const bool follow = links == FileSystem::Links::Follow;
    int rc;
    if (bits == 0) {
        rc = follow ? ::removexattr(path.constData(), kStoreName)
                    : ::lremovexattr(path.constData(), kStoreName);
        if (rc != 0 && errno == ENODATA)
            rc = 0;
    } else {
        // Decimal, as it has always been written.
        const QByteArray text = QByteArray::number(bits);
        rc = follow ? ::setxattr(path.constData(), kStoreName, text.constData(),
                                 size_t(text.size()), 0)
                    : ::lsetxattr(path.constData(), kStoreName, text.constData(),
                                  size_t(text.size()), 0);
    }
    return rc == 0 ? 0 : errno;
}

bool onReadOnlyMount(const QByteArray& path) {
    struct statvfs vfs {};
    return ::statvfs(path.constData(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY);
}

uint32_t fromStat(const struct stat& st, const QString& name, uint32_t stored, bool inRom) {
    uint32_t attrs = stored;
    if (S_ISDIR(st.st_mode))
        attrs |= FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISLNK(st.st_mode))
        attrs |= FILE_ATTRIBUTE_REPARSE_POINT;
    else if (!(st.st_mode & S_IWUSR))
        attrs |= FILE_ATTRIBUTE_READONLY;
    if (name.startsWith(QLatin1Char('.')))
        attrs |= FILE_ATTRIBUTE_HIDDEN;
    if (inRom)
        attrs |= FILE_ATTRIBUTE_INROM;
    return attrs ? attrs : FILE_ATTRIBUTE_NORMAL;
}

FindData findData(const QString& name, const struct stat& st, uint32_t attributes) {
    FindData d;
    d.name = name;
    d.attributes = attributes;
    d.isSymLink = S_ISLNK(st.st_mode);
    d.isRegular = S_ISREG(st.st_mode);
    d.size = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
    d.lastWriteTime = filetime::fromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return d;
}

} // namespace fileattr
