#pragma once

#include "PosixFileSystem.h"
#include "QsdSelectLogic.h"
#include "QsdServices.h"
#include "TempFiles.h"

#include <unistd.h>

// A temporary folder with helpers that build small trees in it.
class TempTree : public TempFiles {
  public:
    // The folder with a trailing "/".
    QString root() const { return folder() + u'/'; }
    QString path(const QString& relative) const { return root() + relative; }

    void mkdir(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))); }
    void symlink(const QString& target, const QString& relative) const {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(path(relative)).constData()),
                  0);
    }
    bool exists(const QString& relative) const {
        return QFileInfo::exists(path(relative)) || QFileInfo(path(relative)).isSymLink();
    }
    void setReadOnly(const QString& relative, bool on) const {
        PosixFileSystem fs;
        auto d = fs.stat(path(relative));
        ASSERT_TRUE(d);
        const uint32_t a = on ? (d->attributes | 0x1) : (d->attributes & ~0x1u);
        ASSERT_TRUE(fs.setAttributes(path(relative), a));
    }
    bool isReadOnly(const QString& relative) const {
        auto d = PosixFileSystem().stat(path(relative));
        return d && (d->attributes & 0x1);
    }
};

// What a file select dialog is made with: a temporary tree, the real file
// system, scripted message boxes and common settings of its own.
struct DialogServices : ::testing::Test {
    TempTree tree;
    ScriptedMessageService messages;
    Clock clock;
    QsdCommonSettings common;
    PosixFileSystem fileSystem;
    QsdServices services{fileSystem, messages, clock, common};
};
