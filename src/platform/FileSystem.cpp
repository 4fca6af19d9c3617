#include "FileSystem.h"

#include <cerrno>
#include <cstring>

QString FileSystem::lastErrorText() const {
    const int err = lastError();
    return err ? QString::fromLocal8Bit(std::strerror(err)) : QString();
}

uint32_t FileSystem::getFileAttributes(const QString& path) const {
    const auto d = statTarget(path);
    return d ? d->attributes : fa::INVALID_FILE_ATTRIBUTES;
}

bool FileSystem::isDirectory(const QString& path) const {
    const auto d = statTarget(path);
    return d && d->isFolder();
}
