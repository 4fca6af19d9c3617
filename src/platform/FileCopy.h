#pragma once

#include <QByteArray>

// The byte-level pieces of copying and moving files; internal to this folder.
namespace filecopy {

// Opens a regular file for reading without ever blocking on a FIFO or a
// device: the kind is checked before opening and again on the open file.
// -1 with errno (EINVAL for anything but a regular file, EISDIR for a folder).
int openRegular(const QByteArray& path);
// Copies the bytes of one open file into another; false with errno.
bool copyBytes(int in, int out);
// rename() that never replaces an existing destination; 0 or an errno value.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to);

} // namespace filecopy
