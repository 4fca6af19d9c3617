#pragma once

#include "FileSystem.h"

#include <QByteArray>
#include <sys/stat.h>

// How POSIX file data maps to the editor's attributes and find data; shared
// by the file system's operations, internal to this folder.
namespace fileattr {

// The extended attribute that stores archive, system, temporary and hidden.
constexpr const char* kStoreName = "user.tavlo.attributes";

QByteArray native(const QString& path);
// The stored attribute bits; 0 when there are none or the file system has no
// extended attributes.
uint32_t readStored(const QByteArray& path, FileSystem::Links links);
// Writes (or, for 0, removes) the stored bits; 0 or an errno value.
int writeStored(const QByteArray& path, uint32_t bits, FileSystem::Links links);
bool onReadOnlyMount(const QByteArray& path);
uint32_t fromStat(const struct stat& st, const QString& name, uint32_t stored, bool inRom);
FindData findData(const QString& name, const struct stat& st, uint32_t attributes);

} // namespace fileattr
