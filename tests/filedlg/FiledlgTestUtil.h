#pragma once

#include "PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// A temporary folder with helpers that build small trees in it.
class TempTree {
  public:
    TempTree() { EXPECT_TRUE(dir_.isValid()); }

    // The folder with a trailing "/".
    QString root() const { return dir_.path() + u'/'; }
    QString path(const QString& relative) const { return root() + relative; }

    void write(const QString& relative, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path(relative));
        f.write(bytes);
    }
    void mkdir(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(path(relative))); }
    void symlink(const QString& target, const QString& relative) const {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(path(relative)).constData()),
                  0);
    }
    QByteArray read(const QString& relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
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

  private:
    QTemporaryDir dir_;
};
