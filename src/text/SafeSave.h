#pragma once

#include <QByteArray>
#include <sys/stat.h>
#include <sys/types.h>

namespace textfile {

// A new version of a file, written beside it and put in its place only when
// every byte is written: the editor's save and the command line's convert
// both go through it.
//
// The new bytes go into an unnamed file in the target's folder where the file
// system offers one, so that a killed process leaves nothing behind; else
// into a short name of our own ("tavlo-XXXXXX.tmp"), which fits beside any
// target name. On commit the new file takes over what the old one carried:
// owner and group (where the process may set them), permissions, extended
// attributes including the access lists and our own "user.tavlo.attributes".
// A target with several hard links is not replaced (that would split the
// links): its old bytes are copied to a backup beside it, the new bytes are
// written into it, and the backup is removed once that succeeded.
class SafeSave {
  public:
    SafeSave() = default;
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;
    ~SafeSave() { cancel(); }

    // Prepares a new version of `target`, a path whose links were already
    // followed; a missing target becomes a new file with the permissions the
    // umask gives. False with errno set when no file can be made.
    bool begin(const QByteArray& target);

    // Writes all of it; false with errno set on failure.
    bool write(const char* data, size_t size);

    // Puts the new version in place; `sync` first puts the bytes on the disk.
    // False with errno set on failure, the target then as it was.
    bool commit(bool sync);

    // Drops the new version; the target stays as it was.
    void cancel();

    // The temporary file's name while it has one (empty when it is unnamed):
    // what a signal handler removes if the process is stopped meanwhile.
    const QByteArray& temporaryPath() const { return temporaryPath_; }
    const QByteArray& target() const { return target_; }

  private:
    bool carryAttributes();
    bool linkAndRename();
    bool writeIntoLinkedTarget(bool sync);

    QByteArray target_;
    QByteArray folder_;
    QByteArray temporaryPath_;
    int fd_ = -1;
    bool existed_ = false;
    struct stat old_ {};
};

// A name of the form folder/tavlo-XXXXXX<suffix> that does not exist yet
// (made with O_EXCL when `create`; then its descriptor is in *fd).
QByteArray makeShortName(const QByteArray& folder, const char* suffix, int* fd);

} // namespace textfile
