#pragma once

#include "FileTime.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The file side of loading and saving text files, without windows or
// messages: reading all bytes of a file, writing a file safely, and the file
// stamp the outside-change check compares.
namespace textfile {

// The largest file the editor loads. Beyond it the text would not fit the
// edit control's memory comfortably; the loader refuses with a message
// instead of running out of memory half-way.
constexpr qint64 kMaxLoadBytes = qint64(64) * 1024 * 1024;

enum class ReadStatus {
    Ok,
    OpenFailed,     // the file can't be opened for reading (or is a folder)
    NotRegularFile, // a pipe, a device or a socket: refused without reading
    SizeFailed,     // its size can't be read
    TooLarge,       // larger than the limit given
    OutOfMemory,    // no memory for the bytes
    ReadFailed,     // reading stopped before the end
};

struct ReadResult {
    ReadStatus status = ReadStatus::OpenFailed;
    QByteArray bytes;
};

// Reads the whole file. The bytes are followed by four zero bytes (outside
// size(), inside the allocation), which the detectors may read past the end.
ReadResult readAll(const QString& path, qint64 maxBytes = kMaxLoadBytes);

// Last-write time and size of a file; the pair the outside-change check
// compares. Both 0 when the file can't be read.
struct FileStamp {
    FILETIME time = 0;
    qint64 size = -1;
    bool operator==(const FileStamp&) const = default;
};
bool readStamp(const QString& path, FileStamp* stamp);

// Where a save to `path` really goes: the final target of a symbolic link
// (which stays a link), else the path itself.
QString saveTarget(const QString& path);

// Writes `bytes` as the new content of `path` through SafeSave, flushed to
// disk: the old file's owner, permissions and extended attributes are kept,
// hard links stay joined, a symbolic link is written through to its target.
// On failure the old file is untouched and `errorText` says why.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* errorText = nullptr);

} // namespace textfile
