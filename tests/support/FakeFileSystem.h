#pragma once

#include "FilePath.h"
#include "PosixFileSystem.h"

#include <QSet>
#include <QStringList>
#include <cerrno>

// The real file system with chosen faults, for tests of what the callers do
// when a file system call fails.
class FakeFileSystem : public PosixFileSystem {
  public:
    QStringList undeletable;  // names whose deletion fails with EACCES
    QSet<QString> phantoms;   // paths reported as existing folders without being on disk
    bool crossDevice = false; // every rename reports another file system
    QStringList order;        // "copy:<name>" and "unlink:<name>" as they happen

    bool deleteFile(const QString& path) override {
        order << QStringLiteral("unlink:") + filepath::nameOf(path);
        if (undeletable.contains(filepath::nameOf(path)))
            return fail(EACCES);
        return PosixFileSystem::deleteFile(path);
    }
    bool copyFile(const QString& from, const QString& to, IfExists ifExists) override {
        order << QStringLiteral("copy:") + filepath::nameOf(from);
        return PosixFileSystem::copyFile(from, to, ifExists);
    }
    std::optional<FindData> stat(const QString& path) const override {
        if (phantoms.contains(path)) {
            FindData d;
            d.name = filepath::nameOf(path);
            d.attributes = fa::FILE_ATTRIBUTE_DIRECTORY;
            return d;
        }
        return PosixFileSystem::stat(path);
    }

  protected:
    int renameNoReplace(const QString& from, const QString& to) override {
        return crossDevice ? EXDEV : PosixFileSystem::renameNoReplace(from, to);
    }
};
