#pragma once

#include "FileSystem.h"

// The file system through POSIX calls. Create one where the program starts
// and hand it to whatever needs files.
class PosixFileSystem : public FileSystem {
  public:
    std::optional<FindData> stat(const QString& path) const override;
    std::optional<FindData> statTarget(const QString& path) const override;
    bool list(const QString& folder, std::vector<FindData>& out) const override;
    std::optional<QByteArray> readHead(const QString& path, qint64 maxBytes) const override;
    bool isSameFile(const QString& a, const QString& b) const override;
    bool setAttributes(const QString& path, uint32_t attributes,
                       Links links = Links::Follow) override;
    bool copyFile(const QString& from, const QString& to, IfExists ifExists) override;
    bool moveFile(const QString& from, const QString& to) override;
    bool deleteFile(const QString& path) override;
    bool createDirectory(const QString& path) override;
    bool removeDirectory(const QString& path) override;
    int lastError() const override { return error_; }

  protected:
    // Renames without replacing an existing destination; 0 or an errno value.
    // Tests return EXDEV here to take the way between file systems.
    virtual int renameNoReplace(const QString& from, const QString& to);

    bool fail(int err) const {
        error_ = err;
        return false;
    }
    bool succeed() const {
        error_ = 0;
        return true;
    }

  private:
    std::optional<FindData> statWith(const QString& path, Links links) const;
    bool copyLink(const QString& from, const QString& to, IfExists ifExists);
    bool copyTree(const QString& from, const QString& to);
    bool removeTree(const QString& path);
    mutable int error_ = 0;
};
