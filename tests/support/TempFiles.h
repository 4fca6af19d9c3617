#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

// A temporary folder for the files of one test.
class TempFiles {
  public:
    TempFiles() { EXPECT_TRUE(dir_.isValid()); }

    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Writes the bytes to the file named relative to the folder or by its full
    // path (and makes its folders); returns its path.
    QString write(const QString& nameOrPath, const QByteArray& bytes) const {
        const QString p = QFileInfo(nameOrPath).isAbsolute() ? nameOrPath : path(nameOrPath);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(p);
        EXPECT_EQ(f.write(bytes), bytes.size()) << qPrintable(p);
        return p;
    }
    // The bytes of a file named relative to the folder or by its full path.
    QByteArray read(const QString& nameOrPath) const {
        QFile f(QFileInfo(nameOrPath).isAbsolute() ? nameOrPath : path(nameOrPath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

  private:
    QTemporaryDir dir_;
};

// A file's permission bits (a link's own), or 0 when it is missing.
inline mode_t permissionsOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}
